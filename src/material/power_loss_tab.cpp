// Pv vs. f,B,T tab: the x and y options, the two value lists per mode, the loss (or
// performance-factor) curves they add, and one value into Pvg.

#include "mat_tab_p.h"
#include "tolvik/material/mui_t.h"
#include "tolvik/material/power_loss.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"

#include <QSignalBlocker>

namespace tolvik::material {

namespace {
void Fill(QListWidget* list, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(list);
    for (const std::string& e : entries)
        list->addItem(Q(e));
}
double SelectedNumber(const QListWidget* list) {
    return text::ReadNumber(S(list->currentItem() ? list->currentItem()->text() : QString()));
}
} // namespace

void MatTab::xAxisSelected(int pvXAxis) {
    d->pvXAxis = static_cast<std::int16_t>(pvXAxis);
    SetPowerLossAxes();
    ui::ResetGraph(d->graph[static_cast<int>(MatTabIndex::PowerLoss)], d->app);
    guarded([&] { FillPowerLossFirstList(); });
}

void MatTab::yAxisSelected(int pvYAxis) {
    if (pvYAxis != static_cast<int>(PvY::PerformanceFactor)) {
        d->pvYAxis = static_cast<std::int16_t>(pvYAxis);
        d->optxT->setEnabled(true);
        d->optxB->setEnabled(true);
        SetPowerLossAxes();
        ui::ResetGraph(d->graph[static_cast<int>(MatTabIndex::PowerLoss)], d->app);
        guarded([&] { FillPowerLossFirstList(); });
        return;
    }
    d->kern->hide();
    d->lp->hide();
    d->ml->hide();
    d->pvYAxis = static_cast<std::int16_t>(pvYAxis);
    // The performance factor is drawn against f only.
    if (d->optxf->isChecked())
        xAxisSelected(static_cast<int>(PvX::F));
    else
        d->optxf->setChecked(true);
    d->optxT->setEnabled(false);
    d->optxB->setEnabled(false);
    ui::ResetGraph(d->graph[static_cast<int>(MatTabIndex::PowerLoss)], d->app);
}

void MatTab::SetPowerLossAxes() {
    const PowerLossAxes a = PowerLossAxesFor(static_cast<PvX>(d->pvXAxis), static_cast<PvY>(d->pvYAxis));
    chart::ChartModel& g = d->model(MatTabIndex::PowerLoss);
    d->pvLab1->setText(Q(a.pvLab1));
    d->pvLab2->setText(Q(a.pvLab2));
    g.setAxisScale(a.axisCode);
    g.setBottomTitle(a.xTitle);
    g.setGraphTitle(a.graphTitle);
    g.setLeftTitle(a.yTitle);
    d->pvLabel->setText(Q(a.pvLabel));
    d->bLabel->setText(Q(a.bLabel));
    g.setDrawMode(2);
}

void MatTab::FillPowerLossFirstList() {
    {
        const QSignalBlocker b1(d->list1), b2(d->list2);
        d->list1->clear();
        d->list2->clear();
    }
    const ListFill fill = FirstListEntries(d->app.db(), S(selectedMaterial()), static_cast<PvX>(d->pvXAxis),
                                           static_cast<PvY>(d->pvYAxis));
    ShowIfMessage(fill.message);
    Fill(d->list1, fill.entries);
}

void MatTab::FillPowerLossSecondList() {
    {
        const QSignalBlocker blocker(d->list2);
        d->list2->clear();
    }
    const std::string m = S(selectedMaterial());
    if (m.empty()) return;
    guarded([&] {
        const ListFill fill = SecondListEntries(d->app.db(), m, static_cast<PvX>(d->pvXAxis),
                                                static_cast<PvY>(d->pvYAxis), SelectedNumber(d->list1));
        ShowIfMessage(fill.message);
        Fill(d->list2, fill.entries);
    });
}

void MatTab::DrawPowerLossCurve() {
    chart::ChartModel& g = d->model(MatTabIndex::PowerLoss);
    const int set = NextCurveSet(g.numSets(), g.numPoints());
    g.setNumSets(set);
    g.setThisSet(set);
    g.setNumPoints(kLossCurvePoints);
    const std::string m = S(selectedMaterial());
    if (!d->list1->currentItem() || !d->list2->currentItem() || m.empty()) return;
    const PowerLossCurve r =
        PowerLossCurvePoints(d->app.db(), m, static_cast<PvX>(d->pvXAxis), static_cast<PvY>(d->pvYAxis),
                             SelectedNumber(d->list1), SelectedNumber(d->list2));
    if (!r.curve.message.empty()) {
        ShowIfMessage(r.curve.message);
        return;
    }
    if (!r.pt.empty()) d->pt->setText(Q(r.pt));
    if (!r.pf.empty()) d->pf->setText(Q(r.pf));
    if (!r.pb.empty()) d->pb->setText(Q(r.pb));
    g.setLegendText(r.curve.legend);
    if (!r.curve.valid) return;
    WritePoints(g, r.curve.points);
    g.setDrawMode(3);
}

void MatTab::CalcPowerLoss() {
    PowerLossInput in;
    in.t_C = text::ReadNumber(S(d->pt->text()));
    in.f_kHz = text::ReadNumber(S(d->pf->text()));
    in.b = text::ReadNumber(S(d->pb->text()));
    in.material = S(selectedMaterial());
    in.y = static_cast<PvY>(d->pvYAxis);
    if (in.material.empty()) return;
    const PowerLossValue r = PowerLossAt(d->app.db(), in);
    if (r.outOfRange) {
        ui::ShowValueOutOfRange(this);
        d->pt->setText(QStringLiteral("30"));
        d->pf->setText(QStringLiteral("100"));
        d->pb->setText(QStringLiteral("50"));
        d->pvg->clear();
        return;
    }
    if (!r.value.message.empty()) {
        ShowIfMessage(r.value.message);
        return;
    }
    d->pvg->setText(r.value.valid ? Q(text::FormatPattern(r.value.value, "#.##")) : QString());
}

} // namespace tolvik::material
