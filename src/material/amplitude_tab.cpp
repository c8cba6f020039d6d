// µa vs. B tab: amplitude permeability against B or H at 25 or 100 °C, µa at one point
// and the conversion between B and H through the shown µa.

#include "mat_tab_p.h"
#include "tolvik/material/amplitude.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"

namespace tolvik::material {

namespace {
MuaAxis AxisOf(const QString& axis) {
    return axis == QLatin1String("H") ? MuaAxis::H : MuaAxis::B;
}
} // namespace

void MatTab::amplitudeAxisSelected(bool byB) {
    chart::Graph* graph = d->graph[static_cast<int>(MatTabIndex::Amplitude)];
    graph->model().setBottomTitle(byB ? "B[mT]" : "H[A/m]");
    d->muaBLabel->setText(byB ? QStringLiteral("B[mT]") : QStringLiteral("H[A/m]"));
    d->label2->setText(byB ? QStringLiteral("H[A/m]") : QStringLiteral("B[mT]"));
    ui::ResetGraph(graph, d->app);
    d->b->clear();
    guarded([&] { DrawAmplitudePermeability(byB ? QStringLiteral("B") : QStringLiteral("H")); });
}

void MatTab::DrawAmplitudePermeability(const QString& axis) {
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    chart::ChartModel& g = d->model(MatTabIndex::Amplitude);
    const MatCurve curve = AmplitudeCurve(d->app.db(), m, AxisOf(axis), d->t25->isChecked(), g.numPoints());
    if (!curve.valid) {
        ShowIfMessage(curve.message);
        return;
    }
    CalcAmplitudePermeability(axis);
    // Each curve goes into the last set, which the previous curve left empty (after a
    // reset: set 1), and leaves one more set behind it.
    const int set = g.numSets();
    g.setThisSet(set);
    g.setNumPoints(static_cast<int>(num::MaxOf(g.numPoints(), curve.rowCount)));
    g.setLegendText(curve.legend);
    WritePoints(g, curve.points);
    g.setDrawMode(3);
    g.setNumSets(set + 1);
}

bool MatTab::CalcAmplitudePermeability(const QString& axis) {
    const double x = text::ReadNumber(S(d->b->text()));
    const std::string m = S(selectedMaterial());
    if (m.empty()) return true;
    const MatValue v = AmplitudeAt(d->app.db(), m, AxisOf(axis), d->t25->isChecked(), x);
    ShowIfMessage(v.message);
    d->t3mua->setText(v.valid ? Q(text::FormatPattern(v.value, "#.#")) : QString());
    return v.message.empty();
}

void MatTab::calculateAmplitude() {
    // The conversion uses µa as shown, with its one decimal.
    auto shownMua = [this] { return text::ReadNumber(S(d->t3mua->text())); };
    const double input = text::ReadNumber(S(d->b->text()));
    if (d->optmuaB->isChecked()) {
        if (!CalcAmplitudePermeability(QStringLiteral("B"))) return;
        const MatValue h = ConvertBH(MuaAxis::B, shownMua(), input);
        if (!h.message.empty()) {
            ShowIfMessage(h.message);
            return;
        }
        d->t3H->setText(h.valid ? Q(text::FormatPattern(h.value, "#.###")) : QString());
    }
    if (d->optmuaH->isChecked()) {
        if (!CalcAmplitudePermeability(QStringLiteral("H"))) return;
        const MatValue b = ConvertBH(MuaAxis::H, shownMua(), input);
        d->t3H->setText(b.valid ? Q(text::FormatPattern(b.value, "#.#")) : QString());
    }
}

} // namespace tolvik::material
