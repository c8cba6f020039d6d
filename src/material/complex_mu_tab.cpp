// µ'-µ'' vs. f tab: one curve of the chosen quantity per material and option (options
// add curves without a reset) and the quantity at one frequency.

#include "mat_tab_p.h"
#include "tolvik/material/complex_mu.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/lists.h"
#include "tolvik/ui_common/numtext.h"

namespace tolvik::material {

namespace {
/// The quantity of each option, in the order of d->optMu.
constexpr ComplexQuantity kQuantities[kMuOptionCount] = {
    ComplexQuantity::MuS1, ComplexQuantity::MuS2, ComplexQuantity::MuP1,     ComplexQuantity::MuP2,
    ComplexQuantity::Gp,   ComplexQuantity::Zn,   ComplexQuantity::TanDelta,
};

ComplexQuantity SelectedQuantity(const std::array<QRadioButton*, kMuOptionCount>& options) {
    for (int k = 0; k < kMuOptionCount; ++k) {
        if (options[k]->isChecked()) return kQuantities[k];
    }
    return ComplexQuantity::MuS1;
}
} // namespace

void MatTab::complexOptionSelected(int option) {
    if (option == 0 && ui::Tag(d->optMu[0]) == ui::kNoAction) {
        ui::SetTag(d->optMu[0], QString());
        return;
    }
    SetMuCaptionDependingOnOption();
    d->model(MatTabIndex::ComplexMu).setLeftTitle(AxisTitle(kQuantities[option]));
    guarded([&] { DrawComplexPermeability(); });
}

void MatTab::DrawComplexPermeability() {
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    const MatCurve curve = ComplexCurve(d->app.db(), m, SelectedQuantity(d->optMu));
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    CalcComplexPermeability();
    chart::ChartModel& g = d->model(MatTabIndex::ComplexMu);
    const int set = g.numSets();
    g.setThisSet(set);
    g.setNumPoints(static_cast<int>(num::MaxOf(g.numPoints(), curve.rowCount)));
    g.setLegendText(curve.legend);
    WritePoints(g, curve.points);
    g.setDrawMode(3);
    g.setNumSets(set + 1);
}

void MatTab::CalcComplexPermeability() {
    const double f = text::ReadNumber(S(d->f->text()));
    if (f == 0) return;
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    const ComplexReading r = ComplexAt(d->app.db(), m, SelectedQuantity(d->optMu), f);
    if (!r.muiText.empty()) d->mui->setText(Q(r.muiText));
    ShowIfMessage(r.value.message);
    d->tErg->setText(r.value.valid ? Q(text::FormatPattern(r.value.value, "#.#")) : QString());
    SetMuCaptionDependingOnOption();
}

} // namespace tolvik::material
