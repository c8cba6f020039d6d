// Pv vs. f,B,T tab: the x and y options, the two value lists per mode, the loss (or
// performance-factor) curves they add, and one value into Pvg.

#include "tolvik/material/power_loss_tab.h"

#include "mat_page_widgets.h"
#include "tolvik/data/records.h"
#include "tolvik/material/mui_t.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/working_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
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

double Density(data::Database& db, const std::string& material) {
    return data::GetMaterialValue(db, static_cast<int>(data::MaterialField::Dichte), material).toDouble();
}

} // namespace

PowerLossTab::PowerLossTab(AppContext& app, MatWindow& window, QWidget* parent)
    : QWidget(parent), app_(app), window_(window) {
    graph_ = NewGraph(2, "power loss", "", "Pv[kW/m³]");
    buildPage();

    for (QLineEdit* p : {pt_, pf_, pb_})
        ClearsOnEdit(this, p, {pvg_});
    const std::pair<QRadioButton*, PvX> xOptions[] = {{optxT_, PvX::T}, {optxf_, PvX::F}, {optxB_, PvX::B}};
    for (auto [option, axis] : xOptions) {
        connect(option, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on) xAxisSelected(axis);
        });
    }
    const std::pair<QRadioButton*, PvY> yOptions[] = {
        {optyPvV_, PvY::Volume}, {optyPvm_, PvY::Mass}, {optyPer_, PvY::PerformanceFactor}};
    for (auto [option, axis] : yOptions) {
        connect(option, &QRadioButton::toggled, this, [this, axis](bool on) {
            if (on) yAxisSelected(axis);
        });
    }
    connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) FillPowerLossSecondList();
    });
    connect(list2_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || !app_.database) return;
        ui::Guarded(
            [&] {
                DrawPowerLossCurve();
                CalcPowerLoss();
            },
            this);
    });
}

PowerLossTab::~PowerLossTab() = default;

void PowerLossTab::enter() {
    SetPowerLossAxes();
    // The value lists of an earlier material go; the kept material refills them.
    const QSignalBlocker b1(list1_), b2(list2_);
    list1_->clear();
    list2_->clear();
}

void PowerLossTab::clearResults() {
    pvg_->clear();
}

void PowerLossTab::calculate() {
    for (QLineEdit* p : {pb_, pf_, pt_}) {
        if (IsIncomplete(p->text()) || p->text() == QLatin1String("0")) return;
    }
    if (app_.database) ui::Guarded([&] { CalcPowerLoss(); }, this);
}

std::optional<ui::ReaderLines> PowerLossTab::pointPicked(const ui::PickedPoint& p) {
    ui::ReaderLines lines;
    switch (yAxis_) {
    case PvY::Volume:
        lines.second = QStringLiteral("Pl/V=") + p.yText + QStringLiteral("[kW/m³]");
        break;
    case PvY::Mass:
        lines.second = QStringLiteral("Pl/m=") + p.yText + QStringLiteral("[mW/g]");
        break;
    case PvY::PerformanceFactor:
        lines.second = QStringLiteral("f*Bmax=") + p.yText + QStringLiteral("[kHz*mT]");
        break;
    }
    switch (xAxis_) {
    case PvX::T:
        lines.first = QStringLiteral("T=") + p.xText + QStringLiteral("[°C]");
        pt_->setText(p.xText);
        break;
    case PvX::F:
        lines.first = QStringLiteral("f=") + p.xText + QStringLiteral("[kHz]");
        pf_->setText(p.xText);
        break;
    case PvX::B:
        lines.first = QStringLiteral("B=") + p.xText + QStringLiteral("[mT]");
        pb_->setText(p.xText);
        break;
    }
    window_.calculate();
    pvg_->setText(p.yText);
    return lines;
}

void PowerLossTab::xAxisSelected(PvX axis) {
    xAxis_ = axis;
    SetPowerLossAxes();
    ui::ResetGraph(graph_, app_);
    if (app_.database) ui::Guarded([&] { FillPowerLossFirstList(); }, this);
}

void PowerLossTab::yAxisSelected(PvY axis) {
    if (axis != PvY::PerformanceFactor) {
        yAxis_ = axis;
        optxT_->setEnabled(true);
        optxB_->setEnabled(true);
        SetPowerLossAxes();
        ui::ResetGraph(graph_, app_);
        if (app_.database) ui::Guarded([&] { FillPowerLossFirstList(); }, this);
        return;
    }
    yAxis_ = axis;
    // The performance factor is drawn against f only.
    if (optxf_->isChecked())
        xAxisSelected(PvX::F);
    else
        optxf_->setChecked(true);
    optxT_->setEnabled(false);
    optxB_->setEnabled(false);
    ui::ResetGraph(graph_, app_);
}

void PowerLossTab::SetPowerLossAxes() {
    const PowerLossAxes a = PowerLossAxesFor(xAxis_, yAxis_);
    chart::ChartModel& g = graph_->model();
    pvLab1_->setText(Q(a.pvLab1));
    pvLab2_->setText(Q(a.pvLab2));
    g.setAxisScale(a.axisCode);
    g.setBottomTitle(a.xTitle);
    g.setGraphTitle(a.graphTitle);
    g.setLeftTitle(a.yTitle);
    pvLabel_->setText(Q(a.pvLabel));
    bLabel_->setText(Q(a.bLabel));
    g.setDrawMode(2);
}

void PowerLossTab::FillPowerLossFirstList() {
    {
        const QSignalBlocker b1(list1_), b2(list2_);
        list1_->clear();
        list2_->clear();
    }
    const bool found = data::MaterialRecordFields(app_.db(), S(window_.selectedMaterial()), {}).has_value();
    const ListFill fill = FirstListEntries(found, xAxis_, yAxis_);
    ShowIfMessage(fill.message);
    Fill(list1_, fill.entries);
}

void PowerLossTab::FillPowerLossSecondList() {
    {
        const QSignalBlocker blocker(list2_);
        list2_->clear();
    }
    const std::string m = S(window_.selectedMaterial());
    if (m.empty() || !app_.database) return;
    ui::Guarded(
        [&] {
            std::optional<std::vector<data::CurveXY>> rows;
            if (yAxis_ != PvY::PerformanceFactor)
                rows = data::ReadPvRows(app_.db(), m, SecondListRows(xAxis_, SelectedNumber(list1_)));
            const ListFill fill = SecondListEntries(xAxis_, yAxis_, rows);
            ShowIfMessage(fill.message);
            Fill(list2_, fill.entries);
        },
        this);
}

void PowerLossTab::DrawPowerLossCurve() {
    chart::ChartModel& g = graph_->model();
    const int set = NextCurveSet(g.numSets(), g.numPoints());
    g.setNumSets(set);
    g.setThisSet(set);
    g.setNumPoints(kLossCurvePoints);
    const std::string m = S(window_.selectedMaterial());
    if (!list1_->currentItem() || !list2_->currentItem() || m.empty()) return;
    const double a = SelectedNumber(list1_), b = SelectedNumber(list2_);
    PowerLossRows rows;
    if (yAxis_ == PvY::PerformanceFactor) {
        rows.expo = data::ReadPvExpo(app_.db(), m, b);
    } else {
        rows.loss = data::ReadPvRows(app_.db(), m, LossCurveRows(xAxis_, a, b));
        if (rows.loss && yAxis_ == PvY::Mass) rows.density = Density(app_.db(), m);
    }
    const PowerLossCurve r = PowerLossCurvePoints(m, xAxis_, yAxis_, a, b, rows);
    if (!r.curve.message.empty()) {
        ShowIfMessage(r.curve.message);
        return;
    }
    if (!r.pt.empty()) pt_->setText(Q(r.pt));
    if (!r.pf.empty()) pf_->setText(Q(r.pf));
    if (!r.pb.empty()) pb_->setText(Q(r.pb));
    g.setLegendText(r.curve.legend);
    if (!r.curve.valid) return;
    WritePoints(g, r.curve.points);
    g.setDrawMode(3);
}

void PowerLossTab::CalcPowerLoss() {
    PowerLossInput in;
    in.t_C = text::ReadNumber(S(pt_->text()));
    in.f_kHz = text::ReadNumber(S(pf_->text()));
    in.b = text::ReadNumber(S(pb_->text()));
    in.material = S(window_.selectedMaterial());
    in.y = yAxis_;
    if (in.material.empty()) return;
    if (in.y == PvY::PerformanceFactor) {
        in.expo = data::ReadPvExpo(app_.db(), in.material, in.t_C, in.f_kHz);
    } else {
        in.pv = data::PvLossAt(app_.db(), in.material, in.f_kHz, in.b, in.t_C);
        if (in.pv && in.y == PvY::Mass) in.density = Density(app_.db(), in.material);
    }
    const PowerLossValue r = PowerLossAt(in);
    if (r.outOfRange) {
        ui::ShowValueOutOfRange(this);
        pt_->setText(QStringLiteral("30"));
        pf_->setText(QStringLiteral("100"));
        pb_->setText(QStringLiteral("50"));
        pvg_->clear();
        return;
    }
    if (!r.value.message.empty()) {
        ShowIfMessage(r.value.message);
        return;
    }
    pvg_->setText(r.value.valid ? Q(text::FormatPattern(r.value.value, "#.##")) : QString());
}

} // namespace tolvik::material
