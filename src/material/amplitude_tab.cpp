// µa vs. B tab: amplitude permeability against B or H at 25 or 100 °C, µa at one point
// and the conversion between B and H through the shown µa.

#include "tolvik/material/amplitude_tab.h"

#include "mat_page_widgets.h"
#include "tolvik/material/amplitude.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tolvik::material {

namespace {

/// True for the curves over B (table MuaB), false for those over H.
bool OverB(const QString& axis) {
    return axis != QLatin1String("H");
}

} // namespace

AmplitudeTab::AmplitudeTab(AppContext& app, MatWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = NewGraph(3, "amplitude permeability", "B[mT]", "µa");
    buildPage();

    ClearsOnEdit(this, b_, {t3H_, t3mua_});
    b_->installEventFilter(this);
    connect(optmuaB_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) axisSelected(true);
    });
    connect(optmuaH_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) axisSelected(false);
    });
}

AmplitudeTab::~AmplitudeTab() = default;

bool AmplitudeTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == b_ && event->type() == QEvent::MouseButtonPress) {
        t3H_->clear();
        t3mua_->clear();
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<ui::CopyColumn> AmplitudeTab::copyColumn(const std::string& material) const {
    return ui::CopyColumn{"muaB", data::TemperatureColumn(material, window_.at25C())};
}

void AmplitudeTab::clearResults() {
    t3mua_->clear();
    t3H_->clear();
}

void AmplitudeTab::recalculate() {
    if (optmuaB_->isChecked()) DrawAmplitudePermeability(QStringLiteral("B"));
    if (optmuaH_->isChecked()) DrawAmplitudePermeability(QStringLiteral("H"));
}

std::optional<ui::ReaderLines> AmplitudeTab::pointPicked(const ui::PickedPoint& p) {
    ui::ReaderLines lines;
    if (optmuaH_->isChecked())
        lines.first = QStringLiteral("H =  ") + p.xText + QStringLiteral("[A/m]");
    else
        lines.first = QStringLiteral("B=") + p.xText + QStringLiteral("[mT]");
    lines.second = QStringLiteral("µa=") + p.yText;
    b_->setText(p.xText);
    window_.calculate();
    return lines;
}

void AmplitudeTab::axisSelected(bool byB) {
    graph_->model().setBottomTitle(byB ? "B[mT]" : "H[A/m]");
    muaBLabel_->setText(byB ? QStringLiteral("B[mT]") : QStringLiteral("H[A/m]"));
    label2_->setText(byB ? QStringLiteral("H[A/m]") : QStringLiteral("B[mT]"));
    ui::ResetGraph(graph_, app_);
    b_->clear();
    if (app_.database)
        ui::Guarded([&] { DrawAmplitudePermeability(byB ? QStringLiteral("B") : QStringLiteral("H")); },
                    this);
}

void AmplitudeTab::DrawAmplitudePermeability(const QString& axis) {
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    chart::ChartModel& g = graph_->model();
    const std::string column = data::TemperatureColumn(m, window_.at25C());
    const MatCurve curve =
        AmplitudeCurve(column, data::ReadMuaCurve(app_.db(), OverB(axis), column), g.numPoints());
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    CalcAmplitudePermeability(axis);
    // Each curve goes into the last set, which the previous curve left empty (after a
    // reset: set 1), and leaves one more set behind it.
    const int set = g.numSets();
    DrawCurveIntoSet(g, set, curve);
    g.setNumSets(set + 1);
}

bool AmplitudeTab::CalcAmplitudePermeability(const QString& axis) {
    const double x = text::ReadNumber(S(b_->text()));
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return true;
    const MatValue v =
        AmplitudeAt(data::MuaAt(app_.db(), OverB(axis), data::TemperatureColumn(m, window_.at25C()), x));
    ShowIfMessage(v.message);
    t3mua_->setText(v.valid ? Q(text::FormatPattern(v.value, "#.#")) : QString());
    return v.message.empty();
}

void AmplitudeTab::calculate() {
    if (!app_.database) return;
    ui::Guarded(
        [&] {
            // The conversion uses µa as shown, with its one decimal.
            auto shownMua = [this] { return text::ReadNumber(S(t3mua_->text())); };
            const double input = text::ReadNumber(S(b_->text()));
            if (optmuaB_->isChecked()) {
                if (!CalcAmplitudePermeability(QStringLiteral("B"))) return;
                const MatValue h = ConvertBH(MuaAxis::B, shownMua(), input);
                if (!h.message.empty()) {
                    ShowIfMessage(h.message);
                    return;
                }
                t3H_->setText(h.valid ? Q(text::FormatPattern(h.value, "#.###")) : QString());
            }
            if (optmuaH_->isChecked()) {
                if (!CalcAmplitudePermeability(QStringLiteral("H"))) return;
                const MatValue b = ConvertBH(MuaAxis::H, shownMua(), input);
                t3H_->setText(b.valid ? Q(text::FormatPattern(b.value, "#.#")) : QString());
            }
        },
        this);
}

} // namespace tolvik::material
