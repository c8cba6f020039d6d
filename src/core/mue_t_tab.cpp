// The µe vs. T tab: reads its fields, calls the µe(T) calculations and shows the curve
// and the readings.

#include "tolvik/core/mue_t_tab.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/al_value.h"
#include "tolvik/core/mue_t_display.h"
#include "tolvik/data/records.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/field_edits.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/working_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <optional>

namespace tolvik::core {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

/// An empty field is "no value"; anything else goes through the shared number reader.
std::optional<double> OptionalNumber(const QLineEdit* field) {
    if (field->text().isEmpty()) return std::nullopt;
    return text::ReadNumber(field->text().toStdString());
}

/// µi of the material at `at` for a point reader at t, read only when the reader has all
/// its inputs; none without them or without the material's column.
std::optional<double> ReaderMui(data::Database& db, const MueTInput& in, std::optional<double> t, double at) {
    if (!ReaderInputsComplete(in, t)) return std::nullopt;
    return data::MuiAt(db, in.material, at);
}

bool IsDotOrEmpty(const QString& t) {
    return t.isEmpty() || t == QLatin1String(".");
}

} // namespace

MueTTab::MueTTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = new chart::Graph(static_cast<int>(CoreTab::MueT));
    graph_->model().setGraphTitle("effective permeability");
    graph_->model().setBottomTitle("T [°C]");
    buildPage();

    connect(mue1opt_, &QRadioButton::clicked, this, [this] { optionClicked(false); });
    connect(mue2opt_, &QRadioButton::clicked, this, [this] { optionClicked(true); });
    ui::ClearOnUserEdit(mueT_, {mue_});
    ui::ClearOnUserEdit(s_, {mue_, mue25_});
    s_->installEventFilter(this);
    t1_->installEventFilter(this);
}

MueTTab::~MueTTab() = default;

QBoxLayout* MueTTab::arrowSlot(int index) const {
    return arrowSlots_.at(static_cast<size_t>(index));
}

bool MueTTab::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if ((watched == s_ || watched == t1_) && type == QEvent::KeyPress &&
        ui::IsEnter(static_cast<QKeyEvent*>(event)))
        enterPressedIn_ = watched;
    if ((watched == s_ || watched == t1_) && type == QEvent::KeyRelease &&
        ui::IsEnter(static_cast<QKeyEvent*>(event)) && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        // One press and release of Enter in the field is one recalculation.
        const bool pressedHere = enterPressedIn_ == watched;
        enterPressedIn_ = nullptr;
        if (pressedHere) window_.recalculateCurrentTab();
        return false;
    }
    if (watched == t1_ && type == QEvent::MouseButtonDblClick) {
        window_.recalculateCurrentTab();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void MueTTab::clearResults() {
    mue25_->clear();
    mue_->clear();
}

MueTInput MueTTab::input() const {
    MueTInput in;
    in.material = window_.selectedMaterial().toStdString();
    in.coreType = window_.selectedCore().toStdString();
    in.s_mm = OptionalNumber(s_);
    in.le_mm = OptionalNumber(le_);
    in.t1_C = text::ReadNumber(t1_->text().toStdString());
    return in;
}

void MueTTab::setUp() {
    const QString core = window_.coreText();
    if (core.isEmpty()) return;
    const data::CoreSelection selection{core.toStdString(), window_.lowProfile(), window_.withHole()};
    const Value stored = data::GetCoreValue(app_.db(), selection, static_cast<int>(data::CoreField::le));
    le_->setText(Q(text::CommaToPoint(CorePathLength(stored).toText())));
}

void MueTTab::pointReader() {
    const MueTInput in = input();
    const std::optional<double> t = OptionalNumber(mueT_);
    const MueTReading r = MueAtTemperature(in, t, t ? ReaderMui(app_.db(), in, t, *t) : std::nullopt);
    if (r.valid) mue_->setText(Q(text::FormatPattern(r.value, "#.#")));
}

void MueTTab::relativePointReader(double t) {
    const std::optional<double> at = mueT_->text().isEmpty() ? std::nullopt : std::optional<double>(t);
    const MueTInput in = input();
    const std::optional<double> muiT1 = ReaderMui(app_.db(), in, at, in.t1_C);
    const std::optional<double> muiT = ReaderMui(app_.db(), in, at, t);
    const MueTReading r = RelativeChangeAt(in, at, muiT1, muiT);
    mue_->setText(r.valid ? Q(text::FormatPattern(r.value, "#.##")) : QString());
}

void MueTTab::mueAt25() {
    const MueTInput in = input();
    const MueTReading r = MueAtTemperature(in, 25.0, ReaderMui(app_.db(), in, 25.0, 25.0));
    if (r.valid) mue25_->setText(Q(text::FormatPattern(r.value, "#.#")));
}

void MueTTab::curve(bool relative) {
    const MueTCurveKind kind = relative ? MueTCurveKind::Relative : MueTCurveKind::Absolute;
    const MueTInput in = input();
    std::optional<double> muiT1;
    std::optional<data::CurveRows> records;
    if (!in.material.empty() && !in.coreType.empty()) {
        if (relative) muiT1 = data::MuiAt(app_.db(), in.material, in.t1_C);
        records = data::ReadMuiTRecords(app_.db(), in.material);
    }
    const MueTCurve points = MueTCurvePoints(in, kind, records, muiT1);
    chart::ChartModel& m = graph_->model();
    m.setGraphTitle(MueTGraphTitle(kind));
    m.setLeftTitle(relative ? "dµe/µe [%]" : "µe");
    if (!points.valid) {
        if (!points.message.empty()) ui::ShowMessage(Q(points.message));
        return;
    }
    // Each curve goes into the last set, which the previous curve left empty (after a
    // reset: set 1), and leaves one more set behind it.
    const int set = m.numSets();
    m.setThisSet(set);
    m.setNumPoints(static_cast<int>(num::MaxOf(m.numPoints(), points.rowCount)));
    m.setLegendText(MueTLegend(in, kind));
    for (const MueTPoint& p : points.points) {
        m.setThisPoint(p.index);
        m.setYValue(p.y);
        m.setXValue(p.t_C);
    }
    m.setDrawMode(3);
    m.setNumSets(set + 1);
}

void MueTTab::recalculate() {
    // The air gap has the limits of the Al value tab: out of them, the message and the
    // replacement value, then the calculation with it.
    if (GapOutOfRange(OptionalNumber(s_))) {
        ui::ShowValueOutOfRange(this);
        s_->setText(QString::fromStdString(text::FormatPattern(kGapReplacement, "#")));
    }
    setUp();
    pointReader();
    if (mue1opt_->isChecked()) curve(false);
    if (mue2opt_->isChecked()) {
        curve(true);
        relativePointReader(text::ReadNumber(mueT_->text().toStdString()));
    }
}

void MueTTab::calculate() {
    if (IsDotOrEmpty(s_->text())) s_->setText(QStringLiteral("0"));
    if (!IsDotOrEmpty(mueT_->text())) {
        window_.recalculateCurrentTab();
        if (app_.database) ui::Guarded([&] { mueAt25(); });
    }
}

void MueTTab::optionClicked(bool relative) {
    ui::ResetGraph(graph_, app_);
    label13_->setText(relative ? QStringLiteral("dµe/µe[%]") : QStringLiteral("µe"));
    mue_->clear();
    if (app_.database) ui::Guarded([&] { curve(relative); });
}

std::optional<ui::ReaderLines> MueTTab::pointPicked(const ui::PickedPoint& p) {
    ui::ReaderLines lines;
    lines.first = QStringLiteral("T=") + p.xText + QStringLiteral("[°C]");
    if (mue1opt_->isChecked()) {
        lines.second = QStringLiteral("µe=") + p.yText;
        label13_->setText(QStringLiteral("µe"));
    }
    if (mue2opt_->isChecked()) {
        lines.second = QStringLiteral("dµe/µe=") + p.yText + QStringLiteral("[%]");
        label13_->setText(QStringLiteral("dµe/µe[%]"));
    }
    mueT_->setText(p.xText);
    mue_->setText(p.yText);
    if (app_.database) {
        ui::Guarded([&] {
            setUp();
            if (mue1opt_->isChecked())
                pointReader();
            else
                relativePointReader(text::ReadNumber(p.xText.toStdString()));
        });
    }
    return lines;
}

} // namespace tolvik::core
