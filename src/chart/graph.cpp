#include "tolvik/chart/graph.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QDoubleValidator>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace tolvik::chart {

namespace {

/// Sixteen curve colours, distinguishable on white and on paper, dark enough for thin lines.
const std::array<QColor, 16> kPalette = {
    QColor(0x1f, 0x4e, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
    QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf),
    QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22), QColor(0x00, 0x00, 0x00), QColor(0x00, 0x80, 0x80),
    QColor(0x80, 0x00, 0x00), QColor(0x00, 0x00, 0x80), QColor(0x80, 0x80, 0x00), QColor(0xff, 0x00, 0xff),
};

constexpr double kPickDistancePx = 8.0;
constexpr int kAutoMarkerLimit = 30; ///< up to this many points a curve shows its points

enum class LineStyle { Automatic = 0, Line = 1, Points = 2, LineAndPoints = 3 };

struct Range {
    double min = 0, max = 1;
};

/// One axis as it is shown.
struct ShownAxis {
    bool log = false;
    double min = 0, max = 1;
    /// Position 0..1 of a value along the axis; NaN when it cannot be shown.
    double fraction(double v) const {
        if (log) {
            if (!(v > 0)) return std::nan("");
            return (std::log10(v) - std::log10(min)) / (std::log10(max) - std::log10(min));
        }
        return (v - min) / (max - min);
    }
};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

/// How far a thinned line may pass from a left-out point, in pixels: far below the width
/// of any line drawn, so that the line looks as the full one does.
constexpr double kThinTolerance_px = 0.2;

/// The points a line without marks needs on a plot area of the given size: a point within
/// kThinTolerance_px of the segment between the points kept around it is left out
/// (Douglas-Peucker), the first and the last stay. Only what is painted is thinned; the
/// chart model keeps every point for the reader and the exports.
QList<QPointF> Thinned(const QList<QPointF>& pts, const ShownAxis& x, const ShownAxis& y,
                       const QSizeF& plot) {
    const qsizetype n = pts.size();
    if (n < 3 || !(plot.width() > 0) || !(plot.height() > 0)) return pts;
    std::vector<QPointF> px(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        const double fx = x.fraction(pts[i].x()), fy = y.fraction(pts[i].y());
        if (!std::isfinite(fx) || !std::isfinite(fy)) return pts;
        px[static_cast<size_t>(i)] = QPointF(fx * plot.width(), fy * plot.height());
    }
    std::vector<char> keep(static_cast<size_t>(n), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<size_t, size_t>> spans{{0, static_cast<size_t>(n - 1)}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        if (b - a < 2) continue;
        const QPointF d = px[b] - px[a];
        const double length2 = QPointF::dotProduct(d, d);
        double worst = -1;
        size_t at = a;
        for (size_t i = a + 1; i < b; ++i) {
            const QPointF v = px[i] - px[a];
            const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(v, d) / length2, 0.0, 1.0) : 0.0;
            const QPointF off = v - t * d;
            if (const double dist2 = QPointF::dotProduct(off, off); dist2 > worst) {
                worst = dist2;
                at = i;
            }
        }
        if (worst > kThinTolerance_px * kThinTolerance_px) {
            keep[at] = 1;
            spans.emplace_back(a, at);
            spans.emplace_back(at, b);
        }
    }
    QList<QPointF> out;
    for (qsizetype i = 0; i < n; ++i)
        if (keep[static_cast<size_t>(i)]) out.append(pts[i]);
    return out;
}

std::function<void(Graph&, Graph::Command)>& commandHandler() {
    static std::function<void(Graph&, Graph::Command)> handler;
    return handler;
}

} // namespace

struct Graph::Impl {
    ChartModel model;
    int index = 0;
    QChartView* view = nullptr;
    QChart* chart = nullptr;
    QToolButton* zoomIn = nullptr;
    QToolButton* zoomOut = nullptr;
    QPointer<QDialog> settings;
    QPainter* printPainter = nullptr;
    std::array<QAction*, 3> commands{};

    // Choices made in the settings dialog. The ranges last until the data are reset.
    std::optional<Range> xRange, yRange;
    LineStyle lineStyle = LineStyle::Automatic;
    double lineWidth = 1.5;

    ShownAxis xShown, yShown;

    // A chart for each kind of axes (linear or logarithmic along x and y), each made with
    // its axes when first needed and kept for the graph's whole life; the scaling code
    // decides which one the view shows. Qt Charts cannot trade the axes of a chart that has
    // been drawn (the old axes' grid and labels stay, the new ones are not laid out), so a
    // change of scale shows another chart instead. A data set keeps its series in each
    // chart, hidden while the set draws nothing.
    struct Curve {
        QLineSeries* line = nullptr;
        QScatterSeries* scatter = nullptr; ///< made when points alone are first asked for
        QList<QPointF> full;               ///< every point of a line drawn thinned
    };
    struct Plot {
        QChart* chart = nullptr;
        QAbstractAxis* x = nullptr;
        QAbstractAxis* y = nullptr;
        /// The axes are put into the chart once they have their first ranges: the chart
        /// lays out an axis's labels anew for each new range it gets. (A chart built ahead
        /// has them in it, hidden until then.)
        bool axesInChart = false;
        std::vector<Curve> curves;
    };
    std::array<Plot, 4> plots{};
    Plot* plot = nullptr; ///< shown now; chart is its chart
    /// The chart for one kind of axes, made on first use.
    Plot& plotFor(bool xLog, bool yLog);
    /// Makes the view with its chart if the graph has none yet, and shows the model in it:
    /// a graph gets its chart when it is first shown or first rendered.
    void makeView(Graph& g);
    static void attach(Plot& p, QXYSeries* series);
    /// Thins the lines of the shown chart anew for its plot area (after a resize, and on
    /// paper, which lays the chart out at the paper's size).
    void thinLines(Plot& p) {
        if (&p != plot) return;
        const QSizeF area = p.chart->plotArea().size();
        for (Curve& c : p.curves)
            if (c.line && !c.full.isEmpty())
                if (const QList<QPointF> t = Thinned(c.full, xShown, yShown, area); c.line->points() != t)
                    c.line->replace(t);
    }
    /// A draw command was given and the chart does not show it yet: the draws of one user
    /// action are shown together once the action is over (a graph not shown: when shown).
    bool redrawPending = false;
    /// Set while rendering: the chart is brought up to date although it is not shown.
    bool drawHidden = false;
    /// The window whose repaints this graph watches (see eventFilter).
    QPointer<QWidget> window;

    // The legend is a grid of its own below the chart: it names every curve in full, in as
    // many columns as the width allows, and scrolls when there are many curves. The
    // chart's own legend is used only on paper.
    QScrollArea* legendArea = nullptr;
    QWidget* legendBox = nullptr;
    struct LegendEntry {
        QColor colour;
        QString text;
    };
    std::vector<LegendEntry> legendEntries;
    bool legendWanted = false;
    int legendColumns = 0;
    /// The legend's rows: a colour mark and the curve's name.
    struct LegendRow {
        QLabel* mark = nullptr;
        QLabel* text = nullptr;
        QColor colour;
        qreal dpr = 0;
    };
    std::vector<LegendRow> legendRows;

    void placeLegend(bool entriesChanged = false) {
        if (!legendWanted || legendEntries.empty()) {
            legendArea->hide();
            legendColumns = 0;
            return;
        }
        const QFontMetrics fm(legendBox->font());
        int widest = 0;
        for (const LegendEntry& e : legendEntries)
            widest = std::max(widest, fm.horizontalAdvance(e.text));
        const int entryWidth = widest + 40;
        const int avail = std::max(1, view->width() - 16);
        const int n = static_cast<int>(legendEntries.size());
        const int columns = std::clamp(avail / entryWidth, 1, n);
        if (!entriesChanged && columns == legendColumns && legendArea->isVisible()) return;
        legendColumns = columns;

        // The rows are kept from draw to draw: a new curve adds one, and only what changed
        // is made anew (each new label costs more than all the rest of a redraw).
        while (legendRows.size() > legendEntries.size()) {
            delete legendRows.back().mark;
            delete legendRows.back().text;
            legendRows.pop_back();
        }
        const qreal dpr = legendBox->devicePixelRatioF();
        for (std::size_t i = 0; i < legendEntries.size(); ++i) {
            if (i == legendRows.size()) {
                LegendRow row;
                row.mark = new QLabel(legendBox);
                row.text = new QLabel(legendBox);
                row.text->setObjectName(QStringLiteral("legendEntry"));
                legendRows.push_back(row);
            }
            LegendRow& row = legendRows[i];
            const LegendEntry& e = legendEntries[i];
            if (row.colour != e.colour || row.dpr != dpr) {
                QPixmap swatch(QSize(22, 10) * dpr);
                swatch.setDevicePixelRatio(dpr);
                swatch.fill(Qt::transparent);
                {
                    QPainter p(&swatch);
                    p.setRenderHint(QPainter::Antialiasing);
                    p.setPen(QPen(e.colour, 2.5));
                    p.drawLine(QPointF(1, 5), QPointF(21, 5));
                    p.setBrush(e.colour);
                    p.drawEllipse(QPointF(11, 5), 2.5, 2.5);
                }
                row.mark->setPixmap(swatch);
                row.colour = e.colour;
                row.dpr = dpr;
            }
            if (row.text->text() != e.text) row.text->setText(e.text);
        }
        delete legendBox->layout();
        auto* grid = new QGridLayout(legendBox);
        grid->setContentsMargins(6, 2, 6, 2);
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(1);
        for (int i = 0; i < n; ++i) {
            const int row = i / columns, col = (i % columns) * 2;
            grid->addWidget(legendRows[static_cast<std::size_t>(i)].mark, row, col);
            grid->addWidget(legendRows[static_cast<std::size_t>(i)].text, row, col + 1);
        }
        grid->setColumnStretch(2 * columns - 1, 1);
        const int rows = (n + columns - 1) / columns;
        const int rowHeight = std::max(fm.height(), 10) + 1;
        legendArea->setFixedHeight(std::min(rows, 3) * rowHeight + 6);
        legendArea->show();
    }

    void placeButtons() {
        const int right = view->x() + view->width() - 6, top = view->y() + 6;
        zoomOut->move(right - zoomOut->width(), top);
        zoomIn->move(right - zoomOut->width() - 2 - zoomIn->width(), top);
    }

    /// Data value -> position in the chart view's viewport (pixels).
    std::pair<double, double> toViewport(double x, double y) const {
        const double fx = xShown.fraction(x), fy = yShown.fraction(y);
        if (!std::isfinite(fx) || !std::isfinite(fy)) return {std::nan(""), std::nan("")};
        const QRectF plot = chart->plotArea();
        const QPointF inChart(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
        const QPointF vp = view->viewportTransform().map(chart->mapToScene(inChart));
        return {vp.x(), vp.y()};
    }
};

namespace {
/// The system's number format without group separators, for axis labels: every field shows
/// the system's decimal separator; a group separator would read as a decimal point under a
/// decimal comma.
QLocale labelLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

/// A new, empty chart in the program's style.
QChart* makeChart() {
    auto* chart = new QChart();
    chart->setBackgroundRoundness(0);
    // On screen the view's white background is the chart's: the chart's own (a rounded
    // rectangle, however square, filled by the path rasterizer) is drawn for pictures only.
    chart->setBackgroundVisible(false);
    chart->setMargins(QMargins(4, 4, 10, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setShowToolTips(true);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(11);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setLocale(labelLocale());
    chart->setLocalizeNumbers(true);
    chart->legend()->setVisible(false);
    return chart;
}

void styleAxis(QAbstractAxis* axis) {
    QFont f = axis->titleFont();
    f.setPointSizeF(9.5);
    f.setBold(false);
    axis->setTitleFont(f);
    QFont lf = axis->labelsFont();
    lf.setPointSizeF(8.5);
    axis->setLabelsFont(lf);
    axis->setGridLinePen(QPen(QColor(0xc8, 0xc8, 0xc8), 1));
    axis->setMinorGridLinePen(QPen(QColor(0xe8, 0xe8, 0xe8), 1, Qt::DotLine));
    axis->setLinePen(QPen(QColor(0x40, 0x40, 0x40), 1));
}

QValueAxis* makeLinearAxis() {
    auto* axis = new QValueAxis();
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setMinorTickCount(1);
    styleAxis(axis);
    return axis;
}

QLogValueAxis* makeLogAxis() {
    auto* axis = new QLogValueAxis();
    axis->setBase(10);
    // An explicit precision: with localized numbers a bare "%g" gives no label at all.
    axis->setLabelFormat(QStringLiteral("%.6g"));
    axis->setMinorTickCount(8);
    styleAxis(axis);
    return axis;
}

/// An axis in the program's style, of either kind.
QAbstractAxis* makeAxis(bool log) {
    return log ? static_cast<QAbstractAxis*>(makeLogAxis()) : makeLinearAxis();
}

/// The index of a kind of axes, in a graph's charts and in the stock.
std::size_t kindOf(bool xLog, bool yLog) {
    return (xLog ? 2 : 0) + (yLog ? 1 : 0);
}

} // namespace

void Graph::Impl::attach(Plot& p, QXYSeries* series) {
    p.chart->addSeries(series);
    series->attachAxis(p.x);
    series->attachAxis(p.y);
}

namespace {} // namespace

Graph::Graph(int index, QWidget* parent) : QWidget(parent), d_(std::make_unique<Impl>()) {
    d_->index = index;
    setObjectName(QStringLiteral("Graph1(%1)").arg(index));
    setMinimumSize(360, 260);

    // The chart and its view are made when the graph is first shown or rendered (see
    // makeView): a window builds every tab's graph, and most are never looked at.
    installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    d_->legendArea = new QScrollArea(this);
    d_->legendArea->setObjectName(QStringLiteral("legend"));
    d_->legendArea->setFrameShape(QFrame::NoFrame);
    d_->legendArea->setWidgetResizable(true);
    d_->legendArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d_->legendArea->setBackgroundRole(QPalette::Base);
    d_->legendBox = new QWidget;
    d_->legendBox->setAutoFillBackground(true);
    d_->legendBox->setBackgroundRole(QPalette::Base);
    {
        // The legend belongs to the chart: black on white under any colour scheme, so that
        // the dark curve colours stay visible beside their names.
        QPalette legendPalette = d_->legendBox->palette();
        legendPalette.setColor(QPalette::Base, Qt::white);
        legendPalette.setColor(QPalette::Window, Qt::white);
        legendPalette.setColor(QPalette::Text, Qt::black);
        legendPalette.setColor(QPalette::WindowText, Qt::black);
        d_->legendBox->setPalette(legendPalette);
        d_->legendArea->setPalette(legendPalette);
    }
    d_->legendArea->setWidget(d_->legendBox);
    d_->legendArea->hide();
    layout->addWidget(d_->legendArea);

    // The zoom buttons lie over the chart view, at its upper right corner.
    auto makeButton = [this](const QString& text, const QString& name, const QString& tip, int code) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoRaise(false);
        b->setFixedSize(24, 22);
        b->hide();
        connect(b, &QToolButton::clicked, this, [this, code] { emit buttonEvent(d_->index, code); });
        return b;
    };
    d_->zoomIn = makeButton(QStringLiteral("+"), QStringLiteral("zoomIn"), tr("Zoom in"), 1);
    d_->zoomOut = makeButton(QString(QChar(0x2212)), QStringLiteral("zoomOut"), tr("Zoom out"), 4);

    const std::array<std::pair<const char*, QString>, 3> commands = {{
        {"mnuGraphSaveAs", tr("Save Graph As...")},
        {"mnuGraphExportData", tr("Export Curve Data...")},
        {"mnuGraphCopy", tr("Copy Graph")},
    }};
    for (size_t i = 0; i < commands.size(); ++i) {
        auto* action = new QAction(commands[i].second, this);
        action->setObjectName(QLatin1String(commands[i].first));
        const auto command = static_cast<Command>(i);
        connect(action, &QAction::triggered, this, [this, command] {
            if (commandHandler()) commandHandler()(*this, command);
        });
        d_->commands[i] = action;
    }

    d_->model.onRedraw = [this] {
        // Redrawn as the window repaints after the action (see eventFilter), once for all the
        // draw commands of the action; a graph not shown is redrawn when it is shown.
        if (d_->redrawPending) return;
        d_->redrawPending = true;
        if (d_->view && isVisible()) d_->view->viewport()->update();
    };
    d_->model.onDataReset = [this] {
        d_->xRange.reset();
        d_->yRange.reset();
    };
    d_->model.onPrint = [this] {
        if (d_->printPainter && d_->printPainter->device()) {
            if (auto f = d_->model.printFrame()) {
                const QPaintDevice* dev = d_->printPainter->device();
                const double px = dev->logicalDpiX() / 2.54, py = dev->logicalDpiY() / 2.54;
                render(*d_->printPainter, QRectF(f->left * px, f->top * py, f->width * px, f->height * py));
            }
        }
        emit printRequested(d_->index);
    };
    refresh();
}

Graph::~Graph() {
    // The model's callbacks point at this widget; they must not outlive it.
    d_->model.onRedraw = nullptr;
    d_->model.onDataReset = nullptr;
    d_->model.onPrint = nullptr;
    removeEventFilter(this);
    if (d_->window) d_->window->removeEventFilter(this);
    if (d_->view) {
        d_->view->viewport()->removeEventFilter(this);
        d_->view->removeEventFilter(this);
    }
    // No thinning while the charts and their series go.
    for (Impl::Plot& p : d_->plots)
        if (p.chart) QObject::disconnect(p.chart, &QChart::plotAreaChanged, nullptr, nullptr);
    // With the chart, while the rest of Impl still exists; the view is no longer ours while
    // it goes (the events its going sends reach this widget's filter).
    delete std::exchange(d_->view, nullptr);
    // The charts not shown belong to no view.
    for (Impl::Plot& p : d_->plots)
        if (p.chart != d_->chart) delete p.chart;
}

int Graph::index() const {
    return d_->index;
}
ChartModel& Graph::model() {
    return d_->model;
}
const ChartModel& Graph::model() const {
    return d_->model;
}

void Graph::setPrintPainter(QPainter* painter) {
    d_->printPainter = painter;
}

namespace {

/// Ranges one axis from the model's code, the data and the dialog's choice.
void rangeAxis(QAbstractAxis* axis, bool log, const std::optional<Range>& user, bool fixed, double fixedMin,
               double fixedMax, const std::optional<std::pair<double, double>>& extent, int ticks,
               ShownAxis& shown) {
    shown.log = log;
    std::optional<Range> limits;
    if (user && user->min < user->max && (!log || user->min > 0))
        limits = user;
    else if (fixed && fixedMin < fixedMax && (!log || fixedMin > 0))
        limits = Range{fixedMin, fixedMax};

    if (log) {
        std::pair<double, double> r =
            limits ? std::make_pair(limits->min, limits->max)
                   : (extent ? logDecades(extent->first, extent->second) : logDecades(1, 10));
        // A hair wider, so that rounding in the axis does not drop the end decades' labels.
        r.first *= 1 - 1e-9;
        r.second *= 1 + 1e-9;
        axis->setRange(r.first, r.second);
        shown.min = r.first;
        shown.max = r.second;
        return;
    }
    auto* linear = static_cast<QValueAxis*>(axis);
    LinearTicks t;
    if (limits)
        t = linearTicksWithin(limits->min, limits->max, ticks);
    else if (extent)
        t = niceLinearTicks(extent->first, extent->second, ticks);
    else
        t = niceLinearTicks(0, 1, ticks);
    const QString format = QStringLiteral("%.") + QString::number(t.decimals) + QStringLiteral("f");
    if (linear->labelFormat() != format) linear->setLabelFormat(format);
    linear->setTickInterval(t.step);
    linear->setRange(t.min, t.max);
    shown.min = t.min;
    shown.max = t.max;
}

void setTitleText(QAbstractAxis* axis, const QString& title) {
    if (axis->titleText() != title) axis->setTitleText(title);
}

// The stock of charts built ahead. A chart in stock has its axes in it, laid out once with
// ranges of their own so that the items of their ticks and labels exist; then the axes are
// hidden, and a chart without visible axes is laid out in no time. The graph that takes it
// shows the axes once it has given them their ranges: the chart lays out its labels once.
struct StockedChart {
    QChart* chart = nullptr;
    QAbstractAxis* x = nullptr;
    QAbstractAxis* y = nullptr;
};

/// Charts wanted in stock per kind of axes (index: 2 * x logarithmic + y logarithmic).
constexpr std::array<int, 4> kStockTarget = {6, 1, 1, 1};
static_assert(kStockTarget[0] + kStockTarget[1] + kStockTarget[2] + kStockTarget[3] == chart_stock::kTarget);
/// The building starts this long after it was asked for (after the fields built ahead).
constexpr int kStockDelayMs = 45;

struct ChartStock {
    QPointer<QObject> keeper;
    std::array<std::vector<StockedChart>, 4> charts;
    QMetaObject::Connection keeperGone;
    bool filling = false;

    void clear() {
        for (auto& kind : charts) {
            for (const StockedChart& c : kind)
                delete c.chart; // its axes with it
            kind.clear();
        }
        filling = false;
    }
};

ChartStock& TheStock() {
    static ChartStock stock;
    return stock;
}

StockedChart BuildChart(bool xLog, bool yLog) {
    StockedChart c{makeChart(), makeAxis(xLog), makeAxis(yLog)};
    ShownAxis shown;
    rangeAxis(c.x, xLog, std::nullopt, false, 0, 0, std::nullopt, 8, shown);
    rangeAxis(c.y, yLog, std::nullopt, false, 0, 0, std::nullopt, 6, shown);
    c.chart->addAxis(c.x, Qt::AlignBottom);
    c.chart->addAxis(c.y, Qt::AlignLeft);
    c.chart->resize(480, 320);
    c.chart->layout()->activate();
    c.x->setVisible(false);
    c.y->setVisible(false);
    c.chart->layout()->activate();
    return c;
}

/// The first kind of chart the stock is short of, or none.
std::optional<std::size_t> ShortKind(const ChartStock& s) {
    for (std::size_t kind = 0; kind < s.charts.size(); ++kind)
        if (static_cast<int>(s.charts[kind].size()) < kStockTarget[kind]) return kind;
    return std::nullopt;
}

/// Builds one chart of the first kind still short; again on the next pass while any is. The
/// pass that fills the stock is the last: a full stock has nothing left waiting to run.
void StockPass() {
    ChartStock& s = TheStock();
    s.filling = false;
    if (!s.keeper) return s.clear();
    const std::optional<std::size_t> kind = ShortKind(s);
    if (!kind) return;
    s.charts[*kind].push_back(BuildChart(*kind >= 2, *kind % 2 == 1));
    if (!ShortKind(s)) return;
    s.filling = true;
    QTimer::singleShot(0, s.keeper, StockPass);
}

std::optional<StockedChart> TakeStocked(bool xLog, bool yLog) {
    auto& kind = TheStock().charts[kindOf(xLog, yLog)];
    if (kind.empty()) return std::nullopt;
    const StockedChart c = kind.back();
    kind.pop_back();
    if (const QLocale now = labelLocale(); c.chart->locale() != now) c.chart->setLocale(now); // set since
    return c;
}

} // namespace

Graph::Impl::Plot& Graph::Impl::plotFor(bool xLog, bool yLog) {
    Plot& p = plots[kindOf(xLog, yLog)];
    if (!p.chart) {
        if (const std::optional<StockedChart> c = TakeStocked(xLog, yLog)) {
            p.chart = c->chart;
            p.x = c->x;
            p.y = c->y;
            p.axesInChart = true; // hidden until they have their ranges (see refresh)
        } else {
            p.chart = makeChart();
            p.x = makeAxis(xLog);
            p.y = makeAxis(yLog);
        }
        QObject::connect(p.chart, &QChart::plotAreaChanged, p.chart, [this, &p] { thinLines(p); });
    }
    return p;
}

namespace chart_stock {

void Refill(QObject* keeper) {
    if (!keeper) return;
    QTimer::singleShot(kStockDelayMs, keeper, [keeper] {
        ChartStock& s = TheStock();
        if (s.keeper != keeper) {
            s.clear(); // the charts of another keeper
            QObject::disconnect(s.keeperGone);
            s.keeper = keeper;
            s.keeperGone = QObject::connect(keeper, &QObject::destroyed, [] { TheStock().clear(); });
        }
        if (!s.filling) StockPass();
    });
}

int Count() {
    int n = 0;
    for (const auto& kind : TheStock().charts)
        n += static_cast<int>(kind.size());
    return n;
}

} // namespace chart_stock

void Graph::flushRedraw() {
    if (d_->redrawPending && (isVisible() || d_->drawHidden)) refresh();
}

void Graph::Impl::makeView(Graph& g) {
    if (view) {
        g.flushRedraw();
        return;
    }
    plot = &plotFor(model.xLogarithmic(), model.yLogarithmic());
    chart = plot->chart;
    view = new QChartView(chart, &g);
    view->setObjectName(QStringLiteral("chartView"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setBackgroundBrush(Qt::white);
    view->viewport()->setCursor(Qt::CrossCursor);
    view->viewport()->installEventFilter(&g);
    view->installEventFilter(&g);
    view->scene()->installEventFilter(&g);
    static_cast<QVBoxLayout*>(g.layout())->insertWidget(0, view, 1);
    zoomIn->raise();
    zoomOut->raise();
    if (g.isVisible()) {
        view->show();
        g.layout()->activate(); // placed before anything paints
    }
    g.refresh();
}

void Graph::refresh() {
    Impl& d = *d_;
    if (!d.view) {
        d.redrawPending = false;
        // The model is drawn when the graph is first shown (or rendered): no chart for a
        // graph nobody has seen.
        if (!isVisible()) return;
        d.makeView(*this);
        return;
    }
    if (!isVisible() && !d.drawHidden) {
        // Drawn when shown (or rendered), the draw still waiting. A chart changed on a page
        // not shown would have its scene repaint the window in the middle of the action, and
        // the graph shown once more.
        d.redrawPending = true;
        return;
    }
    d.redrawPending = false;
    const ChartModel& m = d.model;

    // The axes first: the series below are drawn into their new ranges.
    const bool xLog = m.xLogarithmic(), yLog = m.yLogarithmic();
    Impl::Plot& p = d.plotFor(xLog, yLog);
    rangeAxis(p.x, xLog, d.xRange, m.fixedLimits(), m.xMin(), m.xMax(), m.dataExtent(true, xLog), 8,
              d.xShown);
    rangeAxis(p.y, yLog, d.yRange, m.fixedLimits(), m.yMin(), m.yMax(), m.dataExtent(false, yLog), 6,
              d.yShown);
    setTitleText(p.x, q(m.bottomTitle()));
    setTitleText(p.y, q(m.leftTitle()));
    if (!p.axesInChart) {
        p.chart->addAxis(p.x, Qt::AlignBottom);
        p.chart->addAxis(p.y, Qt::AlignLeft);
        p.axesInChart = true;
    }
    if (!p.x->isVisible()) p.x->setVisible(true); // a chart from the stock, see plotFor
    if (!p.y->isVisible()) p.y->setVisible(true);
    if (p.chart->title() != q(m.graphTitle())) p.chart->setTitle(q(m.graphTitle()));

    bool anyLegend = false;
    int drawn = 0;
    std::vector<Impl::LegendEntry> entries;
    for (int s = 1; s <= std::max(m.numSets(), static_cast<int>(p.curves.size())); ++s) {
        QList<QPointF> pts;
        if (s <= m.numSets()) {
            for (const auto& [x, y] : m.writtenPoints(s)) {
                if ((xLog && x <= 0) || (yLog && y <= 0)) continue;
                pts.append(QPointF(x, y));
            }
        }
        const QColor colour = kPalette[static_cast<size_t>((s - 1) % 16)];
        LineStyle style = d.lineStyle;
        if (style == LineStyle::Automatic)
            style = pts.size() <= kAutoMarkerLimit ? LineStyle::LineAndPoints : LineStyle::Line;
        const bool scatter = style == LineStyle::Points;
        if (pts.isEmpty() && static_cast<size_t>(s) > p.curves.size()) continue; // nothing to hide
        if (static_cast<size_t>(s) > p.curves.size()) p.curves.resize(static_cast<size_t>(s));
        Impl::Curve& c = p.curves[static_cast<size_t>(s - 1)];
        c.full.clear();
        if (!pts.isEmpty() && !scatter && !c.line) {
            c.line = new QLineSeries();
            Impl::attach(p, c.line);
        }
        if (!pts.isEmpty() && scatter && !c.scatter) {
            c.scatter = new QScatterSeries();
            c.scatter->setMarkerShape(QScatterSeries::MarkerShapeCircle);
            Impl::attach(p, c.scatter);
        }
        // The series not used by this set now is hidden and emptied (empty sets are not drawn).
        QXYSeries* used = pts.isEmpty() ? nullptr : (scatter ? static_cast<QXYSeries*>(c.scatter) : c.line);
        for (QXYSeries* series : {static_cast<QXYSeries*>(c.line), static_cast<QXYSeries*>(c.scatter)}) {
            if (!series || series == used) continue;
            if (series->isVisible()) series->setVisible(false);
            if (series->count() > 0) series->clear();
        }
        if (!used) continue;
        ++drawn;
        if (scatter) {
            c.scatter->setMarkerSize(6 + 1.5 * d.lineWidth);
            c.scatter->setColor(colour);
            c.scatter->setBorderColor(colour.darker(130));
        } else {
            QPen pen(colour, d.lineWidth);
            // The chart strokes each segment on its own, so the caps make the joins. Up to
            // two pixels wide a square cap looks as round (it reaches under a pixel beyond
            // the point) and is stroked four times faster than a round one.
            pen.setCapStyle(d.lineWidth <= 2 ? Qt::SquareCap : Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            if (c.line->pen() != pen) c.line->setPen(pen);
            const bool marks = style == LineStyle::LineAndPoints;
            if (c.line->pointsVisible() != marks) c.line->setPointsVisible(marks);
            if (c.line->markerSize() != 2.5 + d.lineWidth)
                c.line->setMarkerSize(2.5 + d.lineWidth); // a radius
        }
        const std::string legend = m.legendOf(s);
        const QString name = legend.empty() ? tr("Curve %1").arg(s) : q(legend);
        if (used->name() != name) used->setName(name);
        entries.push_back({colour, name});
        anyLegend = anyLegend || !legend.empty();
        if (style == LineStyle::Line) {
            // Of many points on one pixel, or on one straight stretch, one is painted: the
            // line is thinned for the plot area the chart has once laid out (below). Thinned
            // for the area before, it was thinned and replaced again whenever the new ranges
            // or the legend changed the area.
            c.full = pts;
        } else if (used->points() != pts) {
            used->replace(pts);
        }
        if (!used->isVisible()) used->setVisible(true);
    }
    if (d.plot != &p) {
        // Another kind of axes: the view shows that chart (and keeps the other one).
        d.plot = &p;
        d.chart = p.chart;
        d.view->setChart(p.chart); // the view releases the other one, still this graph's
    }
    // A single unnamed curve (the hysteresis loop) needs no legend.
    const bool legendWanted = anyLegend || drawn > 1;
    const bool entriesChanged = legendWanted != d.legendWanted || entries.size() != d.legendEntries.size() ||
                                !std::equal(entries.begin(), entries.end(), d.legendEntries.begin(),
                                            [](const Impl::LegendEntry& a, const Impl::LegendEntry& b) {
                                                return a.colour == b.colour && a.text == b.text;
                                            });
    d.legendWanted = legendWanted;
    d.legendEntries = std::move(entries);
    if (entriesChanged) {
        d.placeLegend(true);
        // The legend's new height gives the view its new size now, before anything paints.
        layout()->activate();
    }

    const bool zoom = m.axisScale() == AxisScale::Hysteresis;
    d.zoomIn->setVisible(zoom);
    d.zoomOut->setVisible(zoom);
    d.placeButtons();
    // New ranges give new label widths and so a new plot area. Laid out now, before anything
    // paints: a curve placed for the old area would be drawn outside the new one (over the
    // title and the buttons, below the axis labels).
    d.chart->layout()->activate();
    d.thinLines(p);
    emit redrawn(d.index);
}

void Graph::render(QPainter& painter, const QRectF& target) {
    d_->drawHidden = true;
    d_->makeView(*this);
    d_->drawHidden = false;
    // The chart is laid out for the target's size so that text keeps its size on paper.
    const QSizeF oldSize = d_->chart->size();
    const QPointF oldPos = d_->chart->pos();
    const QRectF area = target.normalized();
    QSizeF layoutSize = area.size();
    if (const QPaintDevice* dev = painter.device()) {
        // Lay out in screen-like units (96 per inch) and scale onto the device.
        const double scale = dev->logicalDpiX() > 0 ? dev->logicalDpiX() / 96.0 : 1.0;
        if (scale > 0) layoutSize /= scale;
    }
    d_->chart->legend()->setAlignment(Qt::AlignBottom);
    d_->chart->legend()->setVisible(d_->legendWanted);
    d_->chart->setBackgroundVisible(true);
    d_->chart->resize(layoutSize);
    d_->chart->layout()->activate();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    d_->chart->scene()->render(&painter, area, QRectF(d_->chart->mapToScene(QPointF(0, 0)), layoutSize),
                               Qt::KeepAspectRatio);
    painter.restore();
    d_->chart->legend()->setVisible(false);
    d_->chart->setBackgroundVisible(false);
    d_->chart->setPos(oldPos);
    d_->chart->resize(oldSize);
    d_->chart->layout()->activate();
}

void Graph::setCommandHandler(std::function<void(Graph&, Command)> handler) {
    commandHandler() = std::move(handler);
}

QAction* Graph::commandAction(Command command) const {
    return d_->commands[static_cast<size_t>(command)];
}

void Graph::selectPoint(int set, int point) {
    if (!d_->model.point(set, point).written()) return;
    emit pointSelected(d_->index, set, point);
}

bool Graph::eventFilter(QObject* watched, QEvent* event) {
    if (d_ && watched == d_->window && event->type() == QEvent::UpdateRequest && d_->view && isVisible()) {
        // The window is about to repaint: the chart shows its model now, and its scene notes
        // the changes for the view now. Left to the scene's own queued call, they would have
        // the window repainted at that call, before the rest of the action's updates, and
        // then once more.
        flushRedraw();
        QMetaObject::invokeMethod(d_->view->scene(), "_q_processDirtyItems", Qt::DirectConnection);
        return false;
    }
    if (watched == this && event->type() == QEvent::Show && d_) {
        if (QWidget* w = window(); w != d_->window) {
            if (d_->window) d_->window->removeEventFilter(this);
            d_->window = w;
            w->installEventFilter(this);
        }
        if (!d_->view) {
            d_->makeView(*this);
        } else if (d_->redrawPending) {
            d_->view->viewport()->update(); // drawn while not shown: as the window repaints
        }
    }
    if (!d_ || !d_->view) return QWidget::eventFilter(watched, event);
    if (watched == d_->view->scene() &&
        (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)) {
        // The view tells its scene when it is shown or hidden in the active window, and the
        // chart then repaints itself all (in the middle of the action that showed it) for a
        // look that does not change: nothing in a chart takes focus or looks active.
        return true;
    }
    if (watched == d_->view->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton) {
            flushRedraw();
            const QPointF pos = me->position();
            const auto hit = d_->model.pickPoint(
                pos.x(), pos.y(), [this](double x, double y) { return d_->toViewport(x, y); },
                kPickDistancePx);
            if (hit) emit pointSelected(d_->index, hit->first, hit->second);
        }
        // The chart view dereferences the item under the cursor unchecked. A press can find
        // none: the legend appearing on a picked point shrinks the view under a press at its
        // lower edge. Such a press reaches nothing and ends here.
        if (!d_->view->itemAt(me->position().toPoint())) return true;
    } else if (watched == d_->view->viewport() && event->type() == QEvent::ContextMenu) {
        if (commandHandler()) {
            QMenu menu(this);
            menu.setObjectName(QStringLiteral("GraphContextMenu"));
            for (QAction* a : d_->commands)
                menu.addAction(a);
            menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        }
        return true;
    } else if (watched == d_->view && event->type() == QEvent::Resize) {
        d_->placeButtons();
        d_->placeLegend();
    }
    return QWidget::eventFilter(watched, event);
}

// --- settings dialog ---

namespace {

struct AxisFields {
    QLineEdit* title = nullptr;
    QCheckBox* automatic = nullptr;
    QLineEdit* min = nullptr;
    QLineEdit* max = nullptr;
    QCheckBox* log = nullptr;
};

AxisFields addAxisGroup(QDialog* dlg, QVBoxLayout* layout, const QString& caption, const QString& prefix) {
    auto* box = new QGroupBox(caption, dlg);
    auto* grid = new QGridLayout(box);
    AxisFields f;
    f.title = new QLineEdit(box);
    f.automatic = new QCheckBox(Graph::tr("Automatic range"), box);
    f.min = new QLineEdit(box);
    f.max = new QLineEdit(box);
    f.log = new QCheckBox(Graph::tr("Logarithmic scale"), box);
    f.title->setObjectName(prefix + QStringLiteral("Title"));
    f.automatic->setObjectName(prefix + QStringLiteral("Auto"));
    f.min->setObjectName(prefix + QStringLiteral("Min"));
    f.max->setObjectName(prefix + QStringLiteral("Max"));
    f.log->setObjectName(prefix + QStringLiteral("Log"));
    for (QLineEdit* e : {f.min, f.max}) {
        auto* v = new QDoubleValidator(e);
        v->setLocale(QLocale::c());
        e->setValidator(v);
    }
    grid->addWidget(new QLabel(Graph::tr("Title:"), box), 0, 0);
    grid->addWidget(f.title, 0, 1, 1, 3);
    grid->addWidget(f.automatic, 1, 0, 1, 2);
    grid->addWidget(f.log, 1, 2, 1, 2);
    grid->addWidget(new QLabel(Graph::tr("Minimum:"), box), 2, 0);
    grid->addWidget(f.min, 2, 1);
    grid->addWidget(new QLabel(Graph::tr("Maximum:"), box), 2, 2);
    grid->addWidget(f.max, 2, 3);
    QObject::connect(f.automatic, &QCheckBox::toggled, box, [f](bool on) {
        f.min->setEnabled(!on);
        f.max->setEnabled(!on);
    });
    layout->addWidget(box);
    return f;
}

std::optional<Range> readRange(const AxisFields& f) {
    if (f.automatic->isChecked()) return std::nullopt;
    bool okMin = false, okMax = false;
    const double lo = QLocale::c().toDouble(f.min->text().trimmed(), &okMin);
    const double hi = QLocale::c().toDouble(f.max->text().trimmed(), &okMax);
    if (!okMin || !okMax || !std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi)) return std::nullopt;
    if (f.log->isChecked() && !(lo > 0)) return std::nullopt;
    return Range{lo, hi};
}

} // namespace

void Graph::setPropertyPages(int value) {
    if (value == 0) return;
    if (d_->settings) {
        d_->settings->raise();
        d_->settings->activateWindow();
        return;
    }
    d_->makeView(*this); // the dialog shows the ranges on screen
    auto* dlg = new QDialog(this);
    dlg->setObjectName(QStringLiteral("GraphSettings"));
    dlg->setWindowTitle(tr("Graph settings"));
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    d_->settings = dlg;
    auto* layout = new QVBoxLayout(dlg);

    auto* general = new QGroupBox(tr("Graph"), dlg);
    auto* form = new QFormLayout(general);
    auto* graphTitle = new QLineEdit(general);
    graphTitle->setObjectName(QStringLiteral("graphTitle"));
    auto* lineStyle = new QComboBox(general);
    lineStyle->setObjectName(QStringLiteral("lineStyle"));
    lineStyle->addItems({tr("Automatic"), tr("Line"), tr("Points"), tr("Line and points")});
    auto* lineWidth = new QDoubleSpinBox(general);
    lineWidth->setObjectName(QStringLiteral("lineWidth"));
    lineWidth->setRange(0.5, 6);
    lineWidth->setSingleStep(0.5);
    lineWidth->setDecimals(1);
    form->addRow(tr("Title:"), graphTitle);
    form->addRow(tr("Curves:"), lineStyle);
    form->addRow(tr("Line width:"), lineWidth);
    layout->addWidget(general);

    const AxisFields xf = addAxisGroup(dlg, layout, tr("x-axis"), QStringLiteral("x"));
    const AxisFields yf = addAxisGroup(dlg, layout, tr("y-axis"), QStringLiteral("y"));

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, dlg);
    layout->addWidget(buttons);

    // Fill from the chart as it is shown now.
    auto load = [this, graphTitle, lineStyle, lineWidth, xf, yf] {
        const ChartModel& m = d_->model;
        graphTitle->setText(q(m.graphTitle()));
        lineStyle->setCurrentIndex(static_cast<int>(d_->lineStyle));
        lineWidth->setValue(d_->lineWidth);
        auto fill = [](const AxisFields& f, const std::string& title, const ShownAxis& shown,
                       const std::optional<Range>& user) {
            f.title->setText(q(title));
            f.log->setChecked(shown.log);
            f.min->setText(QString::number(shown.min, 'g', 8));
            f.max->setText(QString::number(shown.max, 'g', 8));
            f.automatic->setChecked(!user.has_value());
            f.min->setEnabled(user.has_value());
            f.max->setEnabled(user.has_value());
        };
        fill(xf, m.bottomTitle(), d_->xShown, d_->xRange);
        fill(yf, m.leftTitle(), d_->yShown, d_->yRange);
    };
    load();

    auto apply = [this, graphTitle, lineStyle, lineWidth, xf, yf] {
        ChartModel& m = d_->model;
        m.setGraphTitle(graphTitle->text().toStdString());
        m.setBottomTitle(xf.title->text().toStdString());
        m.setLeftTitle(yf.title->text().toStdString());
        const bool xLog = xf.log->isChecked(), yLog = yf.log->isChecked();
        if (xLog != m.xLogarithmic() || yLog != m.yLogarithmic()) {
            // The scales chosen here become the chart's axis scaling code.
            int code = static_cast<int>(AxisScale::Linear);
            if (xLog && yLog)
                code = static_cast<int>(AxisScale::LogXLogY);
            else if (xLog)
                code = static_cast<int>(AxisScale::LogXLinY);
            else if (yLog)
                code = static_cast<int>(AxisScale::LinXLogY);
            m.setAxisScale(code);
        }
        d_->xRange = readRange(xf);
        d_->yRange = readRange(yf);
        d_->lineStyle = static_cast<LineStyle>(std::max(0, lineStyle->currentIndex()));
        d_->lineWidth = lineWidth->value();
        refresh();
    };
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, dlg, [apply, load] {
        apply();
        load();
    });
    connect(buttons, &QDialogButtonBox::accepted, dlg, [apply, dlg] {
        apply();
        dlg->accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    dlg->open();
}

} // namespace tolvik::chart
