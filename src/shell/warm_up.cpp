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
    m.setNumSets(2);
    m.setNumPoints(20);
    for (int s = 1; s <= 2; ++s) {
        m.setThisSet(s);
        m.setLegendText(s == 1 ? "25 \u00b0C" : "100 \u00b0C");
        for (int i = 1; i <= 20; ++i) {
            m.setThisPoint(i);
            m.setXValue(i * 12.5);
            m.setYValue(s * 100.0 + i * i * 1.5);
        }
    }
    m.setDrawMode(2);
    QPixmap canvas(480, 320);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    graph.render(painter, QRectF(0, 0, 480, 320));
}

/// The program's text in its plain and bold faces (fields, captions and group titles).
void DrawSampleText() {
    QPixmap canvas(900, 40);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    QFont font = QApplication::font();
    for (bool bold : {false, true}) {
        font.setBold(bold);
        painter.setFont(font);
        // A glyph is drawn from a picture for each quarter of a pixel it may start at.
        for (double x : {2.0, 2.25, 2.5, 2.75})
            painter.drawText(QPointF(x, bold ? 36 : 16), SampleText());
    }
}

} // namespace

void WarmUpDrawing() {
    static bool done = false;
    if (done) return;
    done = true;
    // One step per pass of the event loop: a click that comes meanwhile waits for one step.
    QTimer::singleShot(0, qApp, [] {
        DrawSampleText();
        QTimer::singleShot(0, qApp, [] { DrawSampleGraph(); });
    });
}

} // namespace tolvik::shell
