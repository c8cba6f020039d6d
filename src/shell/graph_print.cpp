// Printing a graph: the header lines, the points read from it, the graph in its frame.

#include "tolvik/shell/graph_print.h"

#include "graph_target_p.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/on_demand.h"
#include "tolvik/ui_common/services.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace tolvik::shell {

namespace {

/// Graph frame on the page in cm (left, top, width, height): beside the reading log,
/// or larger when there is none.
constexpr double kFrameWithLog[4] = {8, 4, 20, 14};
constexpr double kFrameWithoutLog[4] = {3, 4, 23, 15};
/// Above this many lines the reading log continues on a second page.
constexpr int kLinesOnFirstPage = 32;

/// Writes text lines down the page like a line printer: each line below the previous
/// one, in the font set last.
class LinePrinter {
public:
    explicit LinePrinter(QPainter& p) : p_(p) { setFont(10, false); }

    void setFont(int points, bool bold) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSize(points);
        f.setBold(bold);
        p_.setFont(f);
    }
    void setSize(int points) {
        QFont f = p_.font();
        f.setPointSize(points);
        p_.setFont(f);
    }
    void line(const QString& text = QString()) {
        const QFontMetricsF fm(p_.font(), p_.device());
        if (!text.isEmpty()) p_.drawText(QPointF(0, y_ + fm.ascent()), text);
        y_ += fm.lineSpacing();
    }
    /// The lines of a text whose lines are separated by carriage returns.
    void lines(const QString& text) {
        const QStringList parts = text.split(QLatin1Char('\r'));
        for (const QString& l : parts)
            line(QString(l).remove(QLatin1Char('\n')));
    }
    /// 277 blanks, then the date: the date at the right edge of the page.
    void dateLine(const QString& date, double pageWidth) {
        const QFontMetricsF fm(p_.font(), p_.device());
        const QString text = QString(277, QLatin1Char(' ')) + date;
        const double x = std::max(0.0, std::min(fm.horizontalAdvance(text) - fm.horizontalAdvance(date),
                                                pageWidth - fm.horizontalAdvance(date)));
        p_.drawText(QPointF(x, y_ + fm.ascent()), date);
        y_ += fm.lineSpacing();
    }
    void newPage() { y_ = 0; }

private:
    QPainter& p_;
    double y_ = 0;
};

/// The pointer is the normal one while the user chooses the printer.
struct NormalCursor {
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

PrintOutcome PrintPages(QWidget* window, AppContext& app, int matTabTab, QWidget* parent) {
    chart::Graph* graph = detail::CurrentGraph(window);
    if (!graph) return PrintOutcome::Failed;
    const QString curve = detail::AsGraphWindow(window)->readerCurve();

    ui::Printer printer;
    if (!printer) return PrintOutcome::Failed;
    QPagedPaintDevice& pages = printer.pages();
    pages.setPageOrientation(QPageLayout::Landscape);
    printer.setDocumentName(window->windowTitle());
    {
        NormalCursor normal;
        if (!ui::Printing().setUp(printer.printer(), parent)) return PrintOutcome::Cancelled;
    }
    pages.setPageOrientation(QPageLayout::Landscape);

    QPainter painter;
    if (!painter.begin(&pages)) return PrintOutcome::Failed;
    const ReadingLog& log = app.log;
    const QString readingLog = QString::fromStdString(log.readingLog);
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QRectF printable = pages.pageLayout().paintRect(QPageLayout::Millimeter);
    const QRectF paper = pages.pageLayout().fullRect(QPageLayout::Millimeter);
    const double pageWidth = printable.width() / 25.4 * pages.logicalDpiX();

    LinePrinter out(painter);
    out.setFont(10, false);
    out.dateLine(date, pageWidth);
    out.setFont(24, true);
    out.line(QStringLiteral("       Tolvik V") + QString::fromStdString(app.versionText) +
             QStringLiteral(" - ") + window->windowTitle());
    if (!curve.isEmpty() && (!readingLog.isEmpty() || matTabTab == 0)) {
        out.setFont(14, true);
        out.line();
        out.line();
        out.line(QStringLiteral("            Selected curve: ") + curve);
        out.line();
    }
    const double* frame = kFrameWithoutLog;
    if (!readingLog.isEmpty()) {
        out.setSize(10);
        out.line(QStringLiteral("Selected point(s): ") + QString(17, QLatin1Char(' ')));
        out.line();
        out.lines(readingLog);
        out.line();
        frame = kFrameWithLog;
    }

    // Page measures in cm: entries 6, 7 the printable area, 8, 9 the paper.
    chart::ChartModel& m = graph->model();
    m.setPrintInfo(1, 0); // no device handle: the graph draws on the painter it is given
    m.setPrintInfo(6, printable.width() / 10);
    m.setPrintInfo(7, printable.height() / 10);
    m.setPrintInfo(8, paper.width() / 10);
    m.setPrintInfo(9, paper.height() / 10);
    for (int i = 0; i < 4; ++i)
        m.setPrintInfo(2 + i, frame[i]);
    graph->setPrintPainter(&painter);
    m.setDrawMode(5);
    graph->setPrintPainter(nullptr);

    if (log.readingLogLines > kLinesOnFirstPage) {
        if (!pages.newPage()) {
            painter.end();
            return PrintOutcome::Failed;
        }
        out.newPage();
        out.line();
        out.dateLine(date, pageWidth);
        out.line();
        out.lines(QString::fromStdString(log.readingLogOverflow));
    }
    if (!painter.end() || printer.failed()) return PrintOutcome::Failed;
    return PrintOutcome::Printed;
}

} // namespace

bool PrintGraph(QWidget* window, AppContext& app, int matTabTab, QWidget* parent) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrintOutcome outcome = PrintPages(window, app, matTabTab, parent);
    QApplication::restoreOverrideCursor();
    if (outcome == PrintOutcome::Failed) ui::ShowMessage(QLatin1String(kPrintErrorText), ui::kTitle, parent);
    return outcome == PrintOutcome::Printed;
}

} // namespace tolvik::shell
