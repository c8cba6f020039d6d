// µi vs. T tab: the µi curves of the chosen materials, numbered from set 1 after a
// reset, and µi at one temperature.

#include "mat_tab_p.h"
#include "tolvik/material/mui_t.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

namespace tolvik::material {

void MatTab::DrawInitialPermeability() {
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    const MatCurve curve = InitialPermeabilityCurve(d->app.db(), m);
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    chart::ChartModel& g = d->model(MatTabIndex::MuiT);
    const int set = NextCurveSet(g.numSets(), g.numPoints());
    g.setNumSets(set);
    g.setThisSet(set);
    g.setNumPoints(static_cast<int>(num::MaxOf(g.numPoints(), curve.rowCount)));
    g.setLegendText(curve.legend);
    WritePoints(g, curve.points);
    g.setDrawMode(3);
}

void MatTab::CalcInitialPermeability() {
    const double t = text::ReadNumber(S(d->t->text()));
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    const MatValue v = InitialPermeabilityAt(d->app.db(), m, t);
    ShowIfMessage(v.message);
    d->mui->setText(v.valid ? Q(text::FormatPattern(v.value, "#.###")) : QString());
}

} // namespace tolvik::material
