// Hysteresis tab: one B–H loop at a time, with fixed axis limits from its extremes and
// the zoom of its H axis.

#include "tolvik/material/hysteresis_tab.h"

#include "mat_page_widgets.h"
#include "tolvik/material/hysteresis.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"

#include <QLineEdit>
#include <QPushButton>

namespace tolvik::material {

HysteresisTab::HysteresisTab(AppContext& app, MatWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = NewGraph(0, "hysteresis", "H[A/m]", "B[mT]");
    buildPage();

    connect(cmdMinMax_[1], &QPushButton::clicked, this, [this] { ZoomHysteresis(1); });
    connect(cmdMinMax_[0], &QPushButton::clicked, this, [this] { ZoomHysteresis(4); });
    connect(graph_, &chart::Graph::buttonEvent, this, [this](int, int code) { ZoomHysteresis(code); });
}

HysteresisTab::~HysteresisTab() = default;

void HysteresisTab::enter() {
    for (QPushButton* z : cmdMinMax_)
        z->show();
}

void HysteresisTab::hideOwnControls() {
    for (QPushButton* z : cmdMinMax_)
        z->hide();
}

void HysteresisTab::clearResults() {
    bHysteresis_->clear();
    hHysteresis_->clear();
}

std::optional<ui::ReaderLines> HysteresisTab::pointPicked(const ui::PickedPoint& p) {
    // The H reading goes into the log line too, not the x of an earlier reading.
    bHysteresis_->setText(p.yText);
    hHysteresis_->setText(p.xText);
    return ui::ReaderLines{QStringLiteral("H=") + p.xText + QStringLiteral("A/m"),
                           QStringLiteral("B=") + p.yText + QStringLiteral("mT")};
}

void HysteresisTab::DrawHysteresisLoop() {
    const std::string m = S(window_.selectedMaterial());
    if (m.empty()) return;
    chart::ChartModel& g = graph_->model();
    g.setStyle("PresetA", 0);
    ui::ResetGraph(graph_, app_);
    g.setStyle("PresetB", 4);
    g.setAxisScale(static_cast<int>(chart::AxisScale::Hysteresis));
    g.setStyle("PresetC", 1);
    const HysteresisLoop loop = LoopFromRows(data::ReadHysteresisLoop(app_.db(), m, window_.at25C()));
    if (!loop.valid) {
        ShowIfMessage(loop.message);
        return;
    }
    g.setNumSets(1);
    g.setThisSet(1);
    g.setNumPoints(kLoopPoints);
    WritePoints(g, loop.points);
    g.setNumPoints(static_cast<int>(loop.points.size()));
    g.setXMax(loop.hMax);
    g.setYMax(loop.bMax);
    g.setXMin(loop.hMin);
    g.setYMin(loop.bMin);
    g.setStyle("PresetD", 5);
    g.setDrawMode(3);
    g.setStyle("PresetC", 1);
}

void HysteresisTab::ZoomHysteresis(int code) {
    chart::ChartModel& g = graph_->model();
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
