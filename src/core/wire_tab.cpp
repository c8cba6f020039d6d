#include "tolvik/core/wire_tab.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/wire.h"
#include "tolvik/core/wire_display.h"
#include "tolvik/data/records.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <charconv>

namespace tolvik::core {

namespace {

const char* const kResultFields[] = {"t2draht_d", "t2rdc", "t2d", "t2Rac", "t2fw"};
const char* const kInputFields[] = {"t2N", "t2layer", "t2f"};

std::string S(const QString& s) {
    return s.toStdString();
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

WireTab::WireTab(AppContext& app, CoreWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    setObjectName(QStringLiteral("WireTab"));
    graph_ = new chart::Graph(6);
    chart::ChartModel& m = graph_->model();
    m.setGraphTitle("Rac/Rdc vs. frequency");
    m.setBottomTitle("f[kHz]");
    m.setLeftTitle("Rac/Rdc");
    // Frequency runs over decades: logarithmic x axis, linear Rac/Rdc.
    m.setAxisScale(static_cast<int>(chart::AxisScale::LogXLinY));
    buildPage();

    // Any edit of an input (typing, paste, cut) makes the results stale.
    for (const char* name : kInputFields)
        connect(field(name), &QLineEdit::textEdited, this, [this] { ResetTabFields(); });
    field("t2f")->installEventFilter(this);
    field("t2layer")->installEventFilter(this);
}

WireTab::~WireTab() = default;

chart::Graph* WireTab::graph() const {
    return graph_;
}

QBoxLayout* WireTab::calculateSlot() const {
    return calculateSlot_;
}

QBoxLayout* WireTab::arrowSlot(int index) const {
    return arrowSlots_.at(static_cast<size_t>(index));
}

bool WireTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) window_.recalculateCurrentTab();
    }
    return QWidget::eventFilter(watched, event);
}

QLineEdit* WireTab::field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString WireTab::selectedCore() const {
    return window_.selectedCore();
}

WireResistanceTexts WireTab::resistances() const {
    return {field("t2rdc")->text().toStdString(), field("t2Rac")->text().toStdString()};
}

void WireTab::enter() {
    graph_->show();
    if (auto* frame = findChild<QWidget*>(QStringLiteral("SSFrame7"))) frame->show();
}

std::optional<ui::ReaderLines> WireTab::pointPicked(const ui::PickedPoint& point) {
    return ui::ReaderLines{QStringLiteral("Rac/Rdc=") + point.yText,
                           QStringLiteral("f=") + point.xText + QStringLiteral("[kHz]")};
}

template <class F> void WireTab::guarded(F&& step) {
    if (!app_.database) return;
    try {
        step(app_.db());
    } catch (const data::DataError& e) {
        ui::ShowMessage(Q(e.what()));
    }
}

void WireTab::ResetTabFields() {
    for (const char* name : kResultFields)
        field(name)->clear();
}

void WireTab::recalculate() {
    if (searchWire(false)) {
        dcResistance();
        curve();
    }
}

void WireTab::calculate() {
    if (field("t2layer")->text().isEmpty()) field("t2layer")->setText(QStringLiteral("1"));
    if (field("t2f")->text().isEmpty()) field("t2f")->setText(QStringLiteral("10"));
    if (window_.coreText().isEmpty()) return;
    if (searchWire(true)) {
        dcResistance();
        curve();
        acResistance();
    }
}

bool WireTab::searchWire(bool showMessages) {
    WindingWireInput in;
    in.showMessages = showMessages;
    const QString core = selectedCore();
    in.coreSelected = !core.isEmpty();
    in.turns = text::ReadNumber(S(field("t2N")->text()));
    in.layers = text::ReadNumber(S(field("t2layer")->text()));
    bool read = !in.coreSelected;
    guarded([&](data::Database& db) {
        if (!in.coreSelected) return;
        const data::CoreGeometry& geometry = window_.coreGeometry();
        in.an_mm2 = geometry.number(data::CoreField::AN);
        in.hWickel_mm = geometry.number(data::CoreField::hWickel);
        if (in.turns != 0.0) in.wires = data::ReadWires(db);
        read = true;
    });
    if (!read) return false;
    const WindingWireResult r = SuchDrahtHarmDistortion(in);
    if (r.wire) {
        field("t2fw")->setText(r.fillFactor_pct ? Q(text::FormatPattern(*r.fillFactor_pct, "#")) : QString());
        field("t2draht_d")->setText(Q(WireText(*r.wire)));
    }
    for (const std::string& m : r.messages)
        ui::ShowMessage(Q(m));
    return r.ok;
}

void WireTab::dcResistance() {
    const QString core = selectedCore();
    if (core.isEmpty() || field("t2N")->text().isEmpty()) return;
    guarded([&](data::Database&) {
        const double ar = window_.coreGeometry().number(data::CoreField::Ar);
        const double rdc = WindingDcResistance(text::ReadNumber(S(field("t2N")->text())), ar);
        field("t2rdc")->setText(Q(text::FormatPattern(rdc, "#.###")));
    });
}

void WireTab::reportFault(const std::string& message) {
    ui::ShowMessage(Q(message));
    ResetTabFields();
}

void WireTab::curve() {
    if (selectedCore().isEmpty()) return;
    const long m = RoundLayers(text::ReadNumber(S(field("t2layer")->text())));
    const QString wire = field("t2draht_d")->text();
    if (wire.isEmpty()) return;
    chart::ChartModel& model = graph_->model();
    const int set = model.numSets();
    if (set > kWireCurveMaxSets) return;
    const WireCurve c = RacRdcCurve(text::ReadNumber(S(wire)), m);
    if (!c.valid) {
        reportFault(c.message);
        return;
    }
    model.setThisSet(set);
    model.setNumPoints(kWireCurvePoints);
    // The number of layers the curve is drawn for: the typed text itself may be anything.
    char layers[24];
    model.setLegendText(std::string(layers, std::to_chars(layers, layers + sizeof layers, m).ptr));
    for (const WireCurvePoint& p : c.points) {
        model.setThisPoint(p.index);
        model.setYValue(p.ratio);
        model.setXValue(p.f_kHz);
    }
    model.setNumSets(set + 1);
    model.setDrawMode(3);
}

void WireTab::acResistance() {
    const double f = text::ReadNumber(S(field("t2f")->text()));
    const long m = RoundLayers(text::ReadNumber(S(field("t2layer")->text())));
    const double d = text::ReadNumber(S(field("t2draht_d")->text()));
    const QString rdcText = field("t2rdc")->text();
    const double rdc = rdcText.isEmpty() ? 0.0 : text::ReadNumber(S(rdcText));
    const AcResistance r = CalculateAcResistance(f, m, d, rdc);
    if (!r.valid) {
        reportFault(r.message);
        return;
    }
    field("t2d")->setText(Q(text::FormatPattern(r.skin_mm, "#.###")));
    field("t2Rac")->setText(Q(text::FormatPattern(r.rac_Ohm, "#.##")));
}

} // namespace tolvik::core
