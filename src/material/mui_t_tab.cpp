// µi vs. T tab: the µi curves of the chosen materials, numbered from set 1 after a
// reset, and µi at one temperature.

#include "tolvik/material/mui_t_tab.h"

#include "mat_page_widgets.h"
#include "tolvik/material/mui_t.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QLineEdit>

namespace tolvik::material {

MuiTTab::MuiTTab(AppContext& app, MatWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = NewGraph(1, "initial permeability", "T[°C]", "µi");
    buildPage();

    ClearsOnEdit(this, t_, {mui_});
}

MuiTTab::~MuiTTab() = default;

std::optional<ui::CopyColumn> MuiTTab::copyColumn(const std::string& material) const {
    return ui::CopyColumn{"muiT", material};
}

void MuiTTab::clearResults() {
    mui_->clear();
}

void MuiTTab::showMui(const QString& text) {
    mui_->setText(text);
}

void MuiTTab::calculate() {
    if (IsIncomplete(t_->text())) return;
    if (app_.database) ui::Guarded([&] { CalcInitialPermeability(); }, this);
}

std::optional<ui::ReaderLines> MuiTTab::pointPicked(const ui::PickedPoint& p) {
    t_->setText(p.xText);
    window_.calculate();
    return ui::ReaderLines{QStringLiteral("T=") + p.xText + QStringLiteral("[°C]"),
                           QStringLiteral("µi=") + p.yText};
}

void MuiTTab::DrawInitialPermeability() {
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    const MatCurve curve = InitialPermeabilityCurve(m, data::ReadMuiTCurve(app_.db(), m));
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    chart::ChartModel& g = graph_->model();
    const int set = NextCurveSet(g.numSets(), g.numPoints());
    g.setNumSets(set);
    DrawCurveIntoSet(g, set, curve);
}

void MuiTTab::CalcInitialPermeability() {
    const double t = text::ReadNumber(S(t_->text()));
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    const MatValue v = InitialPermeabilityAt(data::MuiAt(app_.db(), m, t));
    ShowIfMessage(v.message);
    mui_->setText(v.valid ? Q(text::FormatPattern(v.value, "#.###")) : QString());
}

} // namespace tolvik::material
