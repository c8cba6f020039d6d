#include "tolvik/shell/warm_up.h"

#include "tolvik/chart/graph.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace tolvik::shell {

namespace {

// What a working window's first paint shows: digits, units and the names of quantities.
const QString& SampleText() {
    static const QString text = QStringLiteral(
        "0123456789 .,;:-+=%/()[]<> abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ "
        "\u00b5\u00b0\u00b2\u00b3\u03a9\u03bc\u0394\u2212\u00b7\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df");
    return text;
}

/// A graph like a working window's, drawn once off screen: the chart library's first chart,
/// its fonts, their shaping and their glyphs are ready before the first window needs them.
void DrawSampleGraph() {
    chart::Graph graph(0);
    chart::ChartModel& m = graph.model();
    m.setGraphTitle("Sample \u00b5 T");
    m.setBottomTitle("H / (A/m), T / \u00b0C");
    m.setLeftTitle("B / mT, \u00b5i");
    m.setNumSets(1);
    m.setNumPoints(20);
    m.setThisSet(1);
    for (int i = 1; i <= 20; ++i) {
        m.setThisPoint(i);
        m.setXValue(i * 12.5);
        m.setYValue(100.0 + i * i * 1.5);
    }
    m.setDrawMode(2);
    QPixmap canvas(480, 320);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    graph.render(painter, QRectF(0, 0, 480, 320));
}

/// The program's text in its plain or bold face (fields, captions and group titles), starting
/// at a quarter of a pixel: a glyph is drawn from a picture kept for each quarter it starts at.
void DrawSampleText(bool bold, int quarter) {
    QPixmap canvas(900, 20);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    QFont font = QApplication::font();
    font.setBold(bold);
    painter.setFont(font);
    painter.drawText(QPointF(2 + 0.25 * quarter, 16), SampleText());
}

/// The steps, one per pass of the event loop: a click that comes meanwhile waits for one.
constexpr int kTextSteps = 8;
void WarmUpStep(int step) {
    if (step < kTextSteps)
        DrawSampleText(step >= kTextSteps / 2, step % (kTextSteps / 2));
    else
        DrawSampleGraph();
    if (step < kTextSteps) QTimer::singleShot(0, qApp, [step] { WarmUpStep(step + 1); });
}

} // namespace

void WarmUpDrawing() {
    static bool done = false;
    if (done) return;
    done = true;
    QTimer::singleShot(0, qApp, [] { WarmUpStep(0); });
}

} // namespace tolvik::shell
