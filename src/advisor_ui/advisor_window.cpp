#include "tolvik/advisor_ui/advisor_window.h"

#include "tolvik/core/wire_display.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <numeric>

#ifdef __linux__
#include <cerrno>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace tolvik::advisor_ui {

namespace {

using advisor::Design;
using advisor::Kind;

/// How often the window takes what the run has found [ms], and the designs it adds to the
/// table in one tick at most (one part at least).
constexpr int kTickMs = 100;
/// The steps at the end of a run follow one another on a timer, not as posted events: what
/// waits already (a click, the paint of the step before) goes first.
constexpr int kEndStepGapMs = 1;
constexpr std::size_t kDesignsPerTick = 20000;

/// Rows beyond those in view whose cells set the width of a column, and the columns sized
/// in one event at the end of a run.
constexpr int kWidthRows = 50;
constexpr int kColumnsPerStep = 4;

/// Columns of the table: title with unit, the CSV's figure.
struct Column {
    const char* title;
    bool choke, transformer;
};
const Column kColumns[] = {
    {"Rank", true, true},
    {"Core", true, true},
    {"Material", true, true},
    {"N", true, false},
    {"s [mm]", true, false},
    {"Al [nH]", true, false},
    {"DC-bias wire [mm]", true, false},
    {"Wound wire [mm]", true, false},
    {"Fill [%]", true, false},
    {"J [A/mm²]", true, true},
    {"L at Idc [mH]", true, false},
    {"Ptrans [W]", false, true},
    {"Margin", false, true},
    {"dB [mT]", false, true},
    {"Pcu [W]", true, true},
    {"Pcore [W]", true, true},
    {"Ptotal [W]", true, true},
    {"ΔT [K]", true, true},
    {"Ve [mm³]", true, true},
    {"Mass [g]", true, true},
    {"Reason", true, true},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
enum Col {
    Rank,
    Core,
    Material,
    N,
    S,
    Al,
    TabWire,
    Wire,
    Fill,
    J,
    LIdc,
    PTrans,
    Margin,
    DB,
    Pcu,
    Pcore,
    Ptotal,
    DT,
    Ve,
    Mass,
    Reason
};

/// The columns that apply to a kind, in their order (formed once: every cell painted asks).
const std::vector<int>& Columns(Kind kind) {
    auto of = [](Kind k) {
        std::vector<int> c;
        for (int i = 0; i < kColumnCount; ++i) {
            if (k == Kind::Choke ? kColumns[i].choke : kColumns[i].transformer) c.push_back(i);
        }
        return c;
    };
    static const std::vector<int> choke = of(Kind::Choke), transformer = of(Kind::Transformer);
    return kind == Kind::Choke ? choke : transformer;
}

QString Number(double v, int decimals) {
    if (!std::isfinite(v)) return {};
    return QString::fromStdString(
        text::FormatPattern(v, decimals == 0 ? "0" : "0." + std::string(decimals, '0')));
}

double Read(QLineEdit* e) {
    return text::ReadNumber(e->text().toStdString());
}

QLineEdit* Field(QFormLayout* form, const char* name, const QString& label, const QString& value) {
    auto* e = new QLineEdit(value);
    e->setObjectName(QLatin1String(name));
    e->setMaximumWidth(80);
    form->addRow(label, e);
    return e;
}

bool StartsWithIgnoringCase(const std::string& s, const std::string& prefix) {
    return QString::fromStdString(s).startsWith(QString::fromStdString(prefix).trimmed(),
                                                Qt::CaseInsensitive);
}

/// Lowers the calling thread's priority (and that of the threads it starts), so that a run
/// on every processor core leaves the window's thread the processor whenever it has work, and
/// the raster painter's helper threads too (the window's thread waits for them in a paint).
/// Not the idle class: that would let any other busy program of the session stop a run.
void YieldToTheWindow() {
#ifdef __linux__
    // On Linux the nice value belongs to the thread.
    const auto self = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, self);
    if (errno == 0) setpriority(PRIO_PROCESS, self, std::min(nice + 5, 19));
#endif
}

/// Gives the memory of a large run back to the system a few MB at a time before it is freed:
/// freeing a run of 150 MB in one go holds the process's memory map for tens of ms, and the
/// window's thread, touching new memory meanwhile, sleeps until it is done.
void ReleaseGradually(const DesignModel::Designs& designs) {
#ifdef __linux__
    constexpr std::uintptr_t kPage = 4096, kStep = std::uintptr_t{4} << 20;
    auto from = (reinterpret_cast<std::uintptr_t>(designs.data()) + kPage - 1) & ~(kPage - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(designs.data() + designs.size()) & ~(kPage - 1);
    for (; from + kStep <= to; from += kStep) {
        madvise(reinterpret_cast<void*>(from), kStep, MADV_DONTNEED);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
#else
    (void)designs;
#endif
}

QList<QPointF> Points(const std::vector<std::pair<double, double>>& xy) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(xy.size()));
    for (const auto& [x, y] : xy)
        points.append(QPointF(x, y));
    return points;
}

/// The chart's points of the designs in the groups. A chart of very many designs shows one
/// per cell of a grid of about a marker's size (a marker hides its neighbours anyway), so
/// that it is drawn in a blink; a smaller one shows every design.
ChartData ChartOf(const std::vector<const DesignModel::Designs*>& groups) {
    ChartData c;
    auto shown = [](const Design& d) { return d.feasible && d.ve_mm3 > 0 && d.ptotal_W > 0; };
    std::size_t n = 0;
    for (const DesignModel::Designs* g : groups) {
        for (const Design& d : *g) {
            if (!shown(d)) continue;
            ++n;
            c.vMin = std::min(c.vMin, d.ve_mm3);
            c.vMax = std::max(c.vMax, d.ve_mm3);
            c.pMax = std::max(c.pMax, d.ptotal_W);
            if (d.pareto) c.front.emplace_back(d.ve_mm3, d.ptotal_W);
        }
    }
    std::sort(c.front.begin(), c.front.end());
    constexpr std::size_t kEvery = 1000;
    constexpr int kCellsX = 60, kCellsY = 30; // about a marker's size on the plot
    std::vector<bool> taken(n > kEvery ? std::size_t{kCellsX} * kCellsY : 0);
    const double logMin = std::log(c.vMin);
    const double logSpan = std::max(std::log(c.vMax) - logMin, 1e-12);
    for (const DesignModel::Designs* g : groups) {
        for (const Design& d : *g) {
            if (!shown(d)) continue;
            if (!taken.empty()) {
                const int cx = std::clamp(static_cast<int>((std::log(d.ve_mm3) - logMin) / logSpan * kCellsX),
                                          0, kCellsX - 1);
                const int cy = std::clamp(static_cast<int>(d.ptotal_W / c.pMax * kCellsY), 0, kCellsY - 1);
                const std::size_t cell =
                    static_cast<std::size_t>(cy) * kCellsX + static_cast<std::size_t>(cx);
                if (taken[cell]) continue;
                taken[cell] = true;
            }
            c.designs.emplace_back(d.ve_mm3, d.ptotal_W);
        }
    }
    return c;
}

/// The design table. After rows are added the view lays itself out and paints every cell in
/// view again (about 9 ms with this many columns, every tick of a run); rows added below the
/// last row in view change no cell in view, so then only the scroll bar follows.
class DesignTable : public QTableView {
public:
    explicit DesignTable(QAbstractItemModel* model) {
        setModel(model);
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int first, int) {
                    const int lastInView = rowAt(viewport()->height() - 1);
                    const bool below = lastInView >= 0 && first > lastInView;
                    if (pending_ == Pending::None && below)
                        pending_ = Pending::BelowView;
                    else if (!below)
                        pending_ = Pending::Other;
                });
        const auto other = [this] { pending_ = Pending::Other; };
        connect(model, &QAbstractItemModel::modelReset, this, other);
        connect(model, &QAbstractItemModel::layoutChanged, this, other);
        connect(model, &QAbstractItemModel::rowsRemoved, this, other);
        connect(model, &QAbstractItemModel::columnsInserted, this, other);
        connect(model, &QAbstractItemModel::columnsRemoved, this, other);
    }

    void doItemsLayout() override {
        const Pending pending = std::exchange(pending_, Pending::None);
        if (pending == Pending::BelowView)
            updateGeometries();
        else
            QTableView::doItemsLayout();
    }

private:
    enum class Pending { None, BelowView, Other };
    Pending pending_ = Pending::None;
};

} // namespace

/// The designs' points, drawn by one item of the chart's scene: one marker each (a
/// pre-drawn picture), placed through the chart's own mapping. A scatter series would give
/// the scene an item per point, and moving the axes would move each of them.
class DesignCloud : public QGraphicsItem {
public:
    /// `legend` is an empty series that stands for the designs in the legend: the points take
    /// its colours and its axes.
    DesignCloud(QChart* chart, QScatterSeries* legend)
        : QGraphicsItem(chart), chart_(chart), legend_(legend) {
        setZValue(kUnderTheSeries);
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] { relayout(); });
    }

    void setPoints(std::vector<std::pair<double, double>> points) {
        points_ = std::move(points);
        relayout();
    }
    /// The axes moved: the points' places follow.
    void relayout() {
        prepareGeometryChange();
        area_ = chart_->plotArea();
        update();
    }

    QRectF boundingRect() const override { return area_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        if (points_.empty()) return;
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        if (marker_.isNull() || marker_.devicePixelRatio() != ratio) drawMarker(ratio);
        painter->save();
        painter->setClipRect(area_);
        const QPointF half(kMarker / 2.0 + 1, kMarker / 2.0 + 1);
        for (const auto& [x, y] : points_)
            painter->drawPixmap(chart_->mapToPosition(QPointF(x, y), legend_) - half, marker_);
        painter->restore();
    }

private:
    static constexpr qreal kUnderTheSeries = 3.5; // above the grid, under the front line
    static constexpr int kMarker = 7;

    void drawMarker(qreal ratio) {
        const int side = kMarker + 2;
        marker_ = QPixmap(QSize(side, side) * ratio);
        marker_.setDevicePixelRatio(ratio);
        marker_.fill(Qt::transparent);
        QPainter p(&marker_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(legend_->borderColor(), legend_->pen().widthF()));
        p.setBrush(legend_->color());
        p.drawEllipse(QPointF(side / 2.0, side / 2.0), kMarker / 2.0, kMarker / 2.0);
    }

    QChart* chart_;
    QScatterSeries* legend_;
    std::vector<std::pair<double, double>> points_;
    QRectF area_;
    QPixmap marker_;
};

// ---------------------------------------------------------------------------------------
// The table model

void DesignModel::reset(std::shared_ptr<const advisor::Catalogue> cat, Kind kind) {
    beginResetModel();
    cat_ = std::move(cat);
    kind_ = kind;
    parts_.clear();
    partEnd_.clear();
    count_ = 0;
    feasible_.clear();
    rows_.clear();
    identity_ = false;
    endResetModel();
}

void DesignModel::append(std::shared_ptr<const Designs> part) {
    append(std::vector<std::shared_ptr<const Designs>>{std::move(part)});
}

void DesignModel::append(std::vector<std::shared_ptr<const Designs>> parts) {
    // One insertion for all the parts: a view does work for each insertion in proportion to
    // the rows it has already, so a run shown part by part would cost it ever more.
    std::vector<std::size_t> added;
    for (auto& part : parts) {
        if (!part || part->empty()) continue;
        const std::size_t first = count_;
        for (std::size_t k = 0; k < part->size(); ++k) {
            const bool feasible = (*part)[k].feasible;
            if (feasible) feasible_.push_back(first + k);
            if (feasible || showRejected_) added.push_back(first + k);
        }
        count_ += part->size();
        parts_.push_back(std::move(part));
        partEnd_.push_back(count_);
    }
    if (added.empty()) return;
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row + static_cast<int>(added.size()) - 1);
    rows_.insert(rows_.end(), added.begin(), added.end());
    endInsertRows();
}

void DesignModel::setRanked(std::shared_ptr<const Designs> ranked) {
    // Rank puts the feasible designs first: the rows are the designs in their order.
    std::size_t feasible = 0;
    while (ranked && feasible < ranked->size() && (*ranked)[feasible].feasible)
        ++feasible;
    const std::size_t count = ranked ? ranked->size() : 0;
    const int before = rowCount();
    const int after = static_cast<int>(showRejected_ ? count : feasible);
    auto take = [&] {
        parts_.clear();
        partEnd_.clear();
        count_ = count;
        std::vector<std::size_t>().swap(feasible_);
        std::vector<std::size_t>().swap(rows_);
        identity_ = true;
        rankedFeasible_ = feasible;
        if (ranked) {
            parts_.push_back(std::move(ranked));
            partEnd_.push_back(count_);
        }
    };
    if (after < before) {
        beginResetModel();
        take();
        endResetModel();
        return;
    }
    // The ranked run holds the rows shown and perhaps more: the rows shown change their
    // content and the rest are added. A reset would make the view build its rows anew, in
    // proportion to their number.
    if (after > before) beginInsertRows({}, before, after - 1);
    take();
    if (after > before) endInsertRows();
    if (before > 0) emit dataChanged(index(0, 0), index(before - 1, columnCount() - 1));
}

void DesignModel::setShowRejected(bool show) {
    beginResetModel();
    showRejected_ = show;
    refilter();
    endResetModel();
}

void DesignModel::refilter() {
    if (identity_) return;
    if (showRejected_) {
        rows_.resize(count_);
        std::iota(rows_.begin(), rows_.end(), std::size_t{0});
    } else {
        rows_ = feasible_;
    }
}

const Design& DesignModel::design(std::size_t k) const {
    const std::size_t part =
        static_cast<std::size_t>(std::upper_bound(partEnd_.begin(), partEnd_.end(), k) - partEnd_.begin());
    return (*parts_[part])[k - (part == 0 ? 0 : partEnd_[part - 1])];
}

const Design* DesignModel::designAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    const auto r = static_cast<std::size_t>(row);
    return &design(identity_ ? r : rows_[r]);
}

int DesignModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(identity_ ? (showRejected_ ? count_ : rankedFeasible_) : rows_.size());
}

int DesignModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Columns(kind_).size());
}

double DesignModel::number(const Design& d, int column) const {
    switch (column) {
    case Rank:
        return d.rank > 0 ? d.rank : 1e300;
    case N:
        return d.turns;
    case S:
        return d.s_mm;
    case Al:
        return d.al_nH;
    case Wire:
        return d.wire >= 0 ? cat_->wires[static_cast<std::size_t>(d.wire)].d_mm : advisor::kNaN;
    case TabWire:
        return d.designWire >= 0 ? cat_->wires[static_cast<std::size_t>(d.designWire)].d_mm : advisor::kNaN;
    case Fill:
        return d.fill_pct;
    case J:
        return d.j_A_mm2;
    case LIdc:
        return d.lAtIdc_mH;
    case PTrans:
        return d.ptrans_W;
    case Margin:
        return d.margin;
    case DB:
        return d.dB_mT;
    case Pcu:
        return d.pcu_W;
    case Pcore:
        return d.pcore_W;
    case Ptotal:
        return d.ptotal_W;
    case DT:
        return d.dT_K;
    case Ve:
        return d.ve_mm3;
    case Mass:
        return d.mass_g;
    default:
        return advisor::kNaN;
    }
}

QString DesignModel::cell(const Design& d, int column) const {
    switch (column) {
    case Rank:
        return d.rank > 0 ? QString::number(d.rank) + (d.pareto ? QStringLiteral(" *") : QString())
                          : QString();
    case Core:
        return QString::fromStdString(cat_->cores[d.core].name());
    case Material:
        return QString::fromStdString(cat_->materials[d.material].name);
    case Wire:
        return d.wire >= 0
                   ? QString::fromStdString(core::WireText(cat_->wires[static_cast<std::size_t>(d.wire)]))
                   : QString();
    case TabWire:
        return d.designWire >= 0 ? QString::fromStdString(
                                       core::WireText(cat_->wires[static_cast<std::size_t>(d.designWire)]))
                                 : QString();
    case Reason:
        return QString::fromStdString(d.reason.text());
    case N:
    case Al:
    case Fill:
    case DB:
    case Ve:
        return Number(number(d, column), 0);
    case S:
    case J:
    case Margin:
        return Number(number(d, column), 2);
    case LIdc:
    case Pcu:
    case Pcore:
    case Ptotal:
        return Number(number(d, column), 3);
    default:
        return Number(number(d, column), 1);
    }
}

QVariant DesignModel::data(const QModelIndex& index, int role) const {
    const Design* d = designAt(index.row());
    const std::vector<int>& columns = Columns(kind_);
    if (!d || index.column() < 0 || index.column() >= static_cast<int>(columns.size())) return {};
    const int column = columns[static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole) return cell(*d, column);
    if (role == Qt::ToolTipRole && !d->feasible) return QString::fromStdString(d->reason.text());
    if (role == Qt::TextAlignmentRole && column != Core && column != Material && column != Reason &&
        column != Wire && column != TabWire)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && !d->feasible) return QColor(Qt::darkGray);
    return {};
}

QVariant DesignModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const std::vector<int>& columns = Columns(kind_);
    if (section < 0 || section >= static_cast<int>(columns.size())) return {};
    return QString::fromUtf8(kColumns[columns[static_cast<std::size_t>(section)]].title);
}

void DesignModel::sort(int section, Qt::SortOrder order) {
    const std::vector<int>& columns = Columns(kind_);
    if (!cat_ || section < 0 || section >= static_cast<int>(columns.size())) return;
    const int column = columns[static_cast<std::size_t>(section)];
    emit layoutAboutToBeChanged();
    const bool textual = column == Core || column == Material || column == Reason;
    if (identity_) {
        rows_.resize(static_cast<std::size_t>(rowCount()));
        std::iota(rows_.begin(), rows_.end(), std::size_t{0});
        identity_ = false;
        feasible_.resize(rankedFeasible_);
        std::iota(feasible_.begin(), feasible_.end(), std::size_t{0});
    }
    std::stable_sort(rows_.begin(), rows_.end(), [&](std::size_t a, std::size_t b) {
        const Design& x = design(a);
        const Design& y = design(b);
        if (textual) {
            const QString tx = cell(x, column), ty = cell(y, column);
            return order == Qt::AscendingOrder ? tx < ty : ty < tx;
        }
        // Figures that do not apply sort last either way.
        const double vx = number(x, column), vy = number(y, column);
        if (std::isnan(vx) || std::isnan(vy)) return !std::isnan(vx) && std::isnan(vy);
        return order == Qt::AscendingOrder ? vx < vy : vy < vx;
    });
    emit layoutChanged();
}

std::string DesignModel::csv() const {
    std::string s = advisor::CsvHeader() + "\n";
    for (int r = 0; r < rowCount(); ++r)
        s += advisor::CsvLine(*designAt(r), *cat_) + "\n";
    return s;
}

QString DesignModel::text() const {
    QStringList lines;
    QStringList header;
    for (int c = 0; c < columnCount(); ++c)
        header << headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join(QLatin1Char('\t'));
    for (int r = 0; r < rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < columnCount(); ++c)
            row << data(index(r, c), Qt::DisplayRole).toString();
        lines << row.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// ---------------------------------------------------------------------------------------
// The window

AdvisorWindow::AdvisorWindow(AppContext& app, QWidget* parent) : QWidget(parent), app_(app), model_(this) {
    setObjectName(QStringLiteral("AdvisorForm"));
    setWindowTitle(QStringLiteral("Design advisor"));
    buildWindow();
    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });
}

AdvisorWindow::~AdvisorWindow() {
    cancelFlag_ = true;
    if (worker_.joinable()) worker_.join();
    {
        std::lock_guard lock(sweepMutex_);
        sweepStop_ = true;
    }
    sweepWake_.notify_one();
    if (sweeper_.joinable()) sweeper_.join();
}

void AdvisorWindow::buildWindow() {
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* what = new QGroupBox(QStringLiteral("Part"));
    auto* whatLayout = new QVBoxLayout(what);
    kind_ = new QComboBox;
    kind_->setObjectName(QStringLiteral("cboKind"));
    kind_->addItems({QStringLiteral("Choke"), QStringLiteral("Power transformer")});
    whatLayout->addWidget(kind_);
    inputs_ = new QStackedWidget;
    auto* choke = new QWidget;
    auto* chokeForm = new QFormLayout(choke);
    Field(chokeForm, "advL", QStringLiteral("L [mH]"), QStringLiteral("1"));
    Field(chokeForm, "advIdc", QStringLiteral("Idc [A]"), QStringLiteral("2"));
    Field(chokeForm, "advDrop", QStringLiteral("dµrev [%]"), QStringLiteral("10"));
    auto* temp = new QComboBox;
    temp->setObjectName(QStringLiteral("advT"));
    temp->addItems({QStringLiteral("25"), QStringLiteral("100")});
    chokeForm->addRow(QStringLiteral("T [°C]"), temp);
    Field(chokeForm, "advRipple", QStringLiteral("ΔI p-p [A]"), QStringLiteral("0.4"));
    Field(chokeForm, "advF", QStringLiteral("f [kHz]"), QStringLiteral("100"));
    Field(chokeForm, "advDT", QStringLiteral("ΔTmax [K]"), QStringLiteral("40"));
    Field(chokeForm, "advJ", QStringLiteral("Jmax [A/mm²]"), QStringLiteral("5"));
    Field(chokeForm, "advLayers", QStringLiteral("Layers"), QStringLiteral("1"));
    inputs_->addWidget(choke);
    auto* transformer = new QWidget;
    auto* tForm = new QFormLayout(transformer);
    Field(tForm, "advP", QStringLiteral("P [W]"), QStringLiteral("100"));
    Field(tForm, "advFw", QStringLiteral("f [kHz]"), QStringLiteral("100"));
    auto* converter = new QComboBox;
    converter->setObjectName(QStringLiteral("advConverter"));
    converter->addItems(
        {QStringLiteral("Push-pull"), QStringLiteral("Single-ended forward"), QStringLiteral("Flyback")});
    tForm->addRow(QStringLiteral("Converter"), converter);
    Field(tForm, "advTDT", QStringLiteral("ΔTmax [K]"), QStringLiteral("40"));
    Field(tForm, "advFr", QStringLiteral("Rac/Rdc"), QStringLiteral("1"));
    inputs_->addWidget(transformer);
    whatLayout->addWidget(inputs_);
    whatLayout->addStretch(1);
    connect(kind_, &QComboBox::currentIndexChanged, inputs_, &QStackedWidget::setCurrentIndex);
    top->addWidget(what);

    auto* filters = new QGroupBox(QStringLiteral("Candidates"));
    auto* fForm = new QFormLayout(filters);
    coreFilter_ = Field(fForm, "advCoreFamily", QStringLiteral("Core family"), QString());
    coreFilter_->setPlaceholderText(QStringLiteral("all, or ETD, RM …"));
    coreFilter_->setMaximumWidth(140);
    materialFilter_ = Field(fForm, "advMaterial", QStringLiteral("Material"), QString());
    materialFilter_->setPlaceholderText(QStringLiteral("all, or R4 …"));
    materialFilter_->setMaximumWidth(140);
    sort_ = new QComboBox;
    sort_->setObjectName(QStringLiteral("advSort"));
    sort_->addItems({QStringLiteral("smallest volume"), QStringLiteral("lowest total loss"),
                     QStringLiteral("lowest temperature rise"), QStringLiteral("lowest mass")});
    fForm->addRow(QStringLiteral("Rank by"), sort_);
    showRejected_ = new QCheckBox(QStringLiteral("show rejected"));
    showRejected_->setObjectName(QStringLiteral("advShowRejected"));
    fForm->addRow(QString(), showRejected_);
    advise_ = new QPushButton(QStringLiteral("&Advise"));
    advise_->setObjectName(QStringLiteral("cmdAdvise"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(advise_);
    buttons->addWidget(cancel_);
    fForm->addRow(buttons);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("advProgress"));
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    fForm->addRow(progress_);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("advStatus"));
    status_->setWordWrap(true);
    fForm->addRow(status_);
    top->addWidget(filters);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Total loss against core volume"));
    // Axis labels with the system's decimal separator, as the program's graphs show them; no
    // group separator, which would read as a decimal point under a decimal comma.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(true);
    designsLegend_ = new QScatterSeries;
    designsLegend_->setName(QStringLiteral("designs"));
    designsLegend_->setMarkerSize(7);
    chart->addSeries(designsLegend_);
    frontLine_ = new QLineSeries;
    frontLine_->setName(QStringLiteral("Pareto front"));
    chart->addSeries(frontLine_);
    volumeAxis_ = new QLogValueAxis;
    volumeAxis_->setTitleText(QStringLiteral("Ve [mm³]"));
    volumeAxis_->setLabelFormat(QStringLiteral("%.6g")); // the localized labels want a precision
    lossAxis_ = new QValueAxis;
    lossAxis_->setTitleText(QStringLiteral("Ptotal [W]"));
    lossAxis_->setLabelFormat(QStringLiteral("%.3g"));
    chart->addAxis(volumeAxis_, Qt::AlignBottom);
    chart->addAxis(lossAxis_, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(volumeAxis_);
        s->attachAxis(lossAxis_);
    }
    designPoints_ = new DesignCloud(chart, designsLegend_);
    connect(volumeAxis_, &QLogValueAxis::rangeChanged, this, [this] { designPoints_->relayout(); });
    connect(lossAxis_, &QValueAxis::rangeChanged, this, [this] { designPoints_->relayout(); });
    auto* chartView = new QChartView(chart);
    chartView->setObjectName(QStringLiteral("advChart"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->scene()->setItemIndexMethod(QGraphicsScene::NoIndex); // few items, often moved
    chartView->setMinimumSize(360, 240);
    chart_ = chartView;
    top->addWidget(chart_, 1);
    outer->addLayout(top);

    table_ = new DesignTable(&model_);
    table_->setObjectName(QStringLiteral("advTable"));
    table_->setSortingEnabled(false); // the rank order first; a header click sorts
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    // Rows of one height, and column widths from the rows in view and a few more: a run of
    // many thousand designs is laid out in a blink.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setResizeContentsPrecision(kWidthRows);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    outer->addWidget(table_, 1);

    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const Qt::SortOrder order = table_->horizontalHeader()->sortIndicatorOrder();
        model_.sort(section, order);
    });
    connect(advise_, &QPushButton::clicked, this, [this] { advise(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(showRejected_, &QCheckBox::toggled, this, [this](bool on) { model_.setShowRejected(on); });
    connect(sort_, &QComboBox::currentIndexChanged, this, [this] {
        if (!running()) rerank();
    });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const Design* d = model_.designAt(index.row());
        const std::shared_ptr<const advisor::Catalogue>& cat = model_.catalogue();
        if (!d || !cat) return;
        OpenRequest r = request_;
        r.kerntyp = cat->cores[d->core].kerntyp;
        r.lowProfile = cat->cores[d->core].lowProfile;
        r.hole = cat->cores[d->core].hole;
        r.material = cat->materials[d->material].name;
        emit openDesign(r);
    });
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Export table as &CSV..."), this, [this] { exportCsv(); });
        menu.addAction(QStringLiteral("&Copy table"), this, [this] { copyTable(); });
        menu.exec(table_->viewport()->mapToGlobal(at));
    });
}

advisor::SortKey AdvisorWindow::sortKey() const {
    switch (sort_->currentIndex()) {
    case 1:
        return advisor::SortKey::Loss;
    case 2:
        return advisor::SortKey::TempRise;
    case 3:
        return advisor::SortKey::Mass;
    default:
        return advisor::SortKey::Volume;
    }
}

void AdvisorWindow::advise() {
    if (running()) return;
    auto field = [this](const char* name) { return findChild<QLineEdit*>(QLatin1String(name)); };
    OpenRequest r;
    r.kind = kind_->currentIndex() == 0 ? Kind::Choke : Kind::Transformer;
    r.choke.l_mH = Read(field("advL"));
    r.choke.idc_A = Read(field("advIdc"));
    r.choke.drop_pct = Read(field("advDrop"));
    r.choke.temp_C = findChild<QComboBox*>(QStringLiteral("advT"))->currentIndex() == 1 ? 100 : 25;
    r.choke.ripple_A = Read(field("advRipple"));
    r.choke.f_kHz = Read(field("advF"));
    r.choke.dTmax_K = Read(field("advDT"));
    r.choke.jmax_A_mm2 = Read(field("advJ"));
    r.choke.layers = std::max(1.0, std::round(Read(field("advLayers"))));
    r.transformer.p_W = Read(field("advP"));
    r.transformer.f_kHz = Read(field("advFw"));
    r.transformer.converter = static_cast<core::ConverterType>(
        findChild<QComboBox*>(QStringLiteral("advConverter"))->currentIndex());
    r.transformer.dTmax_K = Read(field("advTDT"));
    r.transformer.fr = Read(field("advFr"));
    const bool choke = r.kind == Kind::Choke;
    const bool bad = choke ? (r.choke.l_mH <= 0 || r.choke.idc_A <= 0 || r.choke.drop_pct <= 0 ||
                              r.choke.drop_pct >= 100 || (r.choke.ripple_A > 0 && r.choke.f_kHz <= 0))
                           : (r.transformer.p_W <= 0 || r.transformer.f_kHz <= 0 || r.transformer.fr <= 0);
    if (bad) {
        status_->setText(
            QStringLiteral("Inputs not valid: every value must be above 0 (dµrev below 100 %)."));
        return;
    }
    if (r.choke.ripple_A <= 0) r.choke.ripple_A = 0;
    request_ = r;

    sweep(model_.parts());
    model_.reset(nullptr, r.kind);
    handoverCatalogue_.reset();
    status_->setText(QStringLiteral("Designing …"));
    rankedBy_ = sortKey();
    const std::string path = app_.databasePath;
    const std::string coreFamily = coreFilter_->text().toStdString();
    const std::string material = materialFilter_->text().toStdString();
    start([this, r, path, coreFamily, material, key = rankedBy_] {
        auto db = data::Database::open(path);
        auto cat = std::make_shared<advisor::Catalogue>(advisor::LoadCatalogue(*db));
        std::erase_if(cat->cores, [&](const advisor::CoreVariant& c) {
            return !coreFamily.empty() && !StartsWithIgnoringCase(c.kerntyp, coreFamily);
        });
        std::erase_if(cat->materials, [&](const advisor::MaterialData& m) {
            return !material.empty() && !StartsWithIgnoringCase(m.name, material);
        });
        std::size_t per = 0;
        for (const auto& m : cat->materials)
            per += r.kind == Kind::Choke ? m.amplitude : m.power;
        total_ = cat->cores.size() * per;
        {
            std::lock_guard lock(handoverMutex_);
            handoverCatalogue_ = cat;
        }
        // In parts, so that the designs appear as they are found; the window shows each
        // part where it lies, without copying it.
        std::vector<std::shared_ptr<const DesignModel::Designs>> parts;
        constexpr std::size_t kPart = 1000;
        for (std::size_t first = 0; first < cat->cores.size() && !cancelFlag_; first += kPart) {
            advisor::RunControl run;
            run.cancel = &cancelFlag_;
            run.done = &done_;
            run.firstCore = first;
            run.coreCount = kPart;
            auto part = std::make_shared<const DesignModel::Designs>(
                r.kind == Kind::Choke ? advisor::AdviseChoke(*cat, r.choke, run)
                                      : advisor::AdviseTransformer(*cat, r.transformer, run));
            parts.push_back(part);
            std::lock_guard lock(handoverMutex_);
            handover_.push_back(std::move(part));
        }
        rankAndHandOver(parts, *cat, key, !cancelFlag_);
    });
}

void AdvisorWindow::rankAndHandOver(const std::vector<std::shared_ptr<const DesignModel::Designs>>& parts,
                                    const advisor::Catalogue& cat, advisor::SortKey key, bool rank) {
    auto chart = std::make_unique<ChartData>();
    std::shared_ptr<DesignModel::Designs> ranked;
    std::size_t feasible = 0;
    if (rank) {
        // The parts stay on show while their copy is ranked here.
        ranked = std::make_shared<DesignModel::Designs>();
        std::size_t n = 0;
        for (const auto& p : parts)
            n += p->size();
        ranked->reserve(n);
        for (const auto& p : parts)
            ranked->insert(ranked->end(), p->begin(), p->end());
        advisor::Rank(*ranked, cat, key);
        feasible = static_cast<std::size_t>(
            std::count_if(ranked->begin(), ranked->end(), [](const Design& d) { return d.feasible; }));
        *chart = ChartOf({ranked.get()});
    } else {
        std::vector<const DesignModel::Designs*> groups;
        for (const auto& p : parts)
            groups.push_back(p.get());
        *chart = ChartOf(groups);
    }
    std::lock_guard lock(handoverMutex_);
    handoverRanked_ = std::move(ranked);
    handoverFeasible_ = feasible;
    handoverChart_ = std::move(chart);
}

void AdvisorWindow::rerank() {
    if (running() || !model_.catalogue() || model_.designCount() == 0) return;
    rankedBy_ = sortKey();
    status_->setText(QStringLiteral("Ranking …"));
    reranking_ = true;
    start([this, parts = model_.parts(), cat = model_.catalogue(), key = rankedBy_] {
        rankAndHandOver(parts, *cat, key, true);
    });
    cancel_->setEnabled(false); // ranking is short and cannot stop half-way
}

void AdvisorWindow::start(std::function<void()> job) {
    while (!endSteps_.empty()) // the end of the run before, if it has not been shown yet
        nextEndStep();
    handover_.clear();
    handoverRanked_.reset();
    handoverChart_.reset();
    error_.clear();
    cancelFlag_ = false;
    workerDone_ = false;
    done_ = 0;
    total_ = 0;
    progress_->setValue(0);
    advise_->setEnabled(false);
    cancel_->setEnabled(true);
    worker_ = std::thread([this, job = std::move(job)] {
        YieldToTheWindow();
        try {
            job();
        } catch (const data::DataError& e) {
            std::lock_guard lock(handoverMutex_);
            error_ = e.what();
        }
        workerDone_ = true;
    });
    timer_->start();
}

void AdvisorWindow::cancel() {
    cancelFlag_ = true;
}

void AdvisorWindow::poll() {
    std::vector<std::shared_ptr<const DesignModel::Designs>> fresh;
    std::shared_ptr<const advisor::Catalogue> cat;
    // A worker holding the lock may wait a while for a processor (it gives way to the other
    // threads): then this tick leaves the handover to the next one.
    if (std::unique_lock lock(handoverMutex_, std::try_to_lock); lock.owns_lock()) {
        fresh.swap(handover_);
        cat = handoverCatalogue_;
    }
    if (cat && !model_.catalogue()) model_.reset(cat, request_.kind);
    for (auto& part : fresh)
        backlog_.push_back(std::move(part));
    // At most kDesignsPerTick designs a tick, in one insertion: the table grows without keeping
    // the window busy (what is left when the run ends gives way to the ranked designs).
    std::size_t shown = 0;
    std::vector<std::shared_ptr<const DesignModel::Designs>> now;
    while (!backlog_.empty() && shown < kDesignsPerTick) {
        shown += backlog_.front()->size();
        now.push_back(std::move(backlog_.front()));
        backlog_.pop_front();
    }
    model_.append(std::move(now));
    const std::size_t total = total_;
    if (total > 0) progress_->setValue(static_cast<int>(1000.0 * static_cast<double>(done_) / total));
    if (!reranking_)
        status_->setText(QStringLiteral("%1 of %2 candidates designed").arg(done_.load()).arg(total));
    if (workerDone_) finish();
}

void AdvisorWindow::finish() {
    timer_->stop();
    worker_.join();
    advise_->setEnabled(true);
    cancel_->setEnabled(false);
    std::vector<std::shared_ptr<const DesignModel::Designs>> fresh;
    std::shared_ptr<const DesignModel::Designs> ranked;
    std::unique_ptr<ChartData> chart;
    std::size_t feasible = 0;
    {
        std::lock_guard lock(handoverMutex_);
        fresh.swap(handover_);
        ranked = std::move(handoverRanked_);
        chart = std::move(handoverChart_);
        feasible = handoverFeasible_;
        if (handoverCatalogue_ && !model_.catalogue()) model_.reset(handoverCatalogue_, request_.kind);
    }
    for (auto& part : fresh)
        backlog_.push_back(std::move(part));
    std::vector<std::shared_ptr<const DesignModel::Designs>> waiting(backlog_.begin(), backlog_.end());
    backlog_.clear();
    if (!ranked) model_.append(std::move(waiting));
    const bool wasRanking = reranking_;
    reranking_ = false;
    if (!error_.empty()) {
        status_->setText(QString::fromStdString(error_));
    } else if (ranked) {
        const std::size_t all = ranked->size();
        // A run of many designs takes a while to free: not on this thread.
        std::vector<std::shared_ptr<const DesignModel::Designs>> shown = model_.parts();
        // With the parts not yet shown: their last owner is here.
        shown.insert(shown.end(), std::make_move_iterator(waiting.begin()),
                     std::make_move_iterator(waiting.end()));
        model_.setRanked(std::move(ranked));
        sweep(std::move(shown));
        progress_->setValue(1000);
        status_->setText(
            QStringLiteral("%1 of %2 candidates feasible (* on the Pareto front of volume and loss)")
                .arg(feasible)
                .arg(all));
    } else if (cancelFlag_ && !wasRanking) {
        status_->setText(QStringLiteral("Cancelled after %1 candidates").arg(done_.load()));
    }
    // What follows takes one event a step, each step posted when the one before has ended,
    // so that what waits meanwhile (a click) goes between them: the column widths a few
    // columns at a time, the chart's axes and front, its points, the end.
    const int columns = model_.columnCount();
    for (int first = 0; first < columns; first += kColumnsPerStep) {
        endSteps_.push_back([this, first, last = std::min(first + kColumnsPerStep, columns)] {
            for (int c = first; c < last; ++c)
                table_->resizeColumnToContents(c);
        });
    }
    if (chart) {
        auto data = std::shared_ptr<const ChartData>(std::move(chart));
        endSteps_.push_back([this, data] { updateChart(*data); });
    }
    endSteps_.push_back([this, wasRanking] {
        emit runEnded();
        // The key was changed while the run went on: rank by the key shown.
        if (!wasRanking && model_.designCount() > 0 && !cancelFlag_ && error_.empty() &&
            rankedBy_ != sortKey())
            rerank();
    });
    QTimer::singleShot(kEndStepGapMs, this, &AdvisorWindow::nextEndStep);
}

void AdvisorWindow::nextEndStep() {
    if (endSteps_.empty()) return;
    const std::function<void()> step = std::move(endSteps_.front());
    endSteps_.pop_front();
    step();
    if (!endSteps_.empty()) QTimer::singleShot(kEndStepGapMs, this, &AdvisorWindow::nextEndStep);
}

void AdvisorWindow::sweep(std::vector<std::shared_ptr<const DesignModel::Designs>> old) {
    // One thread frees them, one batch after another: this thread never waits for it.
    {
        std::lock_guard lock(sweepMutex_);
        toSweep_.insert(toSweep_.end(), std::make_move_iterator(old.begin()),
                        std::make_move_iterator(old.end()));
    }
    sweepWake_.notify_one();
    if (sweeper_.joinable()) return;
    sweeper_ = std::thread([this] {
        YieldToTheWindow(); // freeing a large run keeps a processor busy for a while
        std::unique_lock lock(sweepMutex_);
        for (;;) {
            sweepWake_.wait(lock, [this] { return sweepStop_ || !toSweep_.empty(); });
            if (toSweep_.empty()) return;
            std::vector<std::shared_ptr<const DesignModel::Designs>> batch;
            batch.swap(toSweep_);
            lock.unlock();
            for (auto& designs : batch) {
                if (designs.use_count() == 1) ReleaseGradually(*designs);
                designs.reset();
            }
            batch.clear();
            lock.lock();
        }
    });
}

// The chart and its series stay; a run replaces their points (a new chart would be laid out
// and drawn anew, and the old one freed, at the end of every run).
void AdvisorWindow::updateChart(const ChartData& data) {
    frontLine_->replace(Points(data.front));
    if (data.vMax > 0) {
        volumeAxis_->setRange(data.vMin / 1.5, data.vMax * 1.5);
        lossAxis_->setRange(0, data.pMax * 1.1);
    }
    designPoints_->setPoints(data.designs);
}

void AdvisorWindow::exportCsv() {
    QString filter = QStringLiteral("CSV files (*.csv)");
    const QString path = ui::FileDialogs().saveFileName(this, QStringLiteral("Export designs as CSV"),
                                                        QStringLiteral("designs.csv"), {filter}, &filter);
    if (path.isEmpty()) return;
    QFile file(path);
    const std::string csv = model_.csv();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()))
        ui::ShowMessage(QStringLiteral("The file %1 cannot be written.").arg(path));
}

void AdvisorWindow::copyTable() {
    ui::Clipboard().clear();
    ui::Clipboard().setText(model_.text());
}

} // namespace tolvik::advisor_ui
