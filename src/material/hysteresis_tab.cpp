// Hysteresis tab: one B–H loop at a time, with fixed axis limits from its extremes and
// the zoom of its H axis.

#include "mat_tab_p.h"
#include "tolvik/material/hysteresis.h"
#include "tolvik/ui_common/graph_helpers.h"

namespace tolvik::material {

void MatTab::DrawHysteresisLoop() {
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    chart::Graph* graph = d->graph[static_cast<int>(MatTabIndex::Hysteresis)];
    chart::ChartModel& g = graph->model();
    g.setStyle("PresetA", 0);
    ui::ResetGraph(graph, d->app);
    g.setStyle("PresetB", 4);
    g.setAxisScale(static_cast<int>(chart::AxisScale::Hysteresis));
    g.setStyle("PresetC", 1);

    const HysteresisLoop loop = ReadHysteresisLoop(d->app.db(), m, d->t25->isChecked());
    if (!loop.valid) {
        ShowIfMessage(loop.message);
        return;
    }
    g.setNumSets(1);
    g.setThisSet(1);
    g.setNumPoints(kLoopPoints);
    WritePoints(g, loop.points);
    g.setNumPoints(static_cast<int>(loop.points.size()));
    d->hystHMax = loop.hMax;
    d->hystBMax = loop.bMax;
    d->hystHMin = loop.hMin;
    d->hystBMin = loop.bMin;
    g.setXMax(loop.hMax);
    g.setYMax(loop.bMax);
    g.setXMin(loop.hMin);
    g.setYMin(loop.bMin);
    g.setStyle("PresetD", 5);
    g.setDrawMode(3);
    g.setStyle("PresetC", 1);
}

void MatTab::ZoomHysteresis(int code) {
    chart::ChartModel& g = d->model(MatTabIndex::Hysteresis);
    if (code == 1 || code == 4) {
        if (code == 4) g.setStyle("XScaleMode", 2);
        const ZoomStep step = code == 1 ? ZoomIn(g.xMax(), g.xMin()) : ZoomOut(g.xMax(), g.xMin());
        if (!step.changed) return;
        g.setXMax(step.xMax);
        g.setXMin(step.xMin);
        g.setStyle("PresetD", 5);
    }
    g.setDrawMode(3);
}

} // namespace tolvik::material
