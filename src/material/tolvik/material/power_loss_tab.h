#pragma once
/// The "Pv vs. f,B,T" tab of the material window: the x and y options, the two value lists
/// per mode, the loss (or performance-factor) curves they add, and one value into Pvg.

#include "tolvik/material/mat_page.h"
#include "tolvik/material/power_loss.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

class PowerLossTab : public QWidget, public MatPage {
    Q_OBJECT
public:
    PowerLossTab(AppContext& app, MatWindow& window, QWidget* parent = nullptr);
    ~PowerLossTab() override;

    MaterialList materialList() const override { return MaterialList::Power; }
    /// The axes of the options; the value lists of an earlier material go.
    void enter() override;
    void clearResults() override;
    /// The first value list of the selected material.
    void recalculate() override { FillPowerLossFirstList(); }
    /// The loss at T, f and B (nothing while one of them is still being typed or 0).
    void calculate() override;
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;

    void SetPowerLossAxes();
    void FillPowerLossFirstList();
    void FillPowerLossSecondList();
    void DrawPowerLossCurve();
    void CalcPowerLoss();

private:
    /// The controls beside the graph (power_loss_pages.cpp).
    void buildPage();
    void xAxisSelected(PvX axis);
    void yAxisSelected(PvY axis);

    AppContext& app_;
    MatWindow& window_;
    chart::Graph* graph_ = nullptr;
    QRadioButton* optxB_ = nullptr;
    QRadioButton* optxf_ = nullptr;
    QRadioButton* optxT_ = nullptr;
    QRadioButton* optyPer_ = nullptr;
    QRadioButton* optyPvm_ = nullptr;
    QRadioButton* optyPvV_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QLabel* pvLab1_ = nullptr;
    QLabel* pvLab2_ = nullptr;
    QLabel* bLabel_ = nullptr;
    QLabel* pvLabel_ = nullptr;
    QLineEdit* pt_ = nullptr;
    QLineEdit* pf_ = nullptr;
    QLineEdit* pb_ = nullptr;
    QLineEdit* pvg_ = nullptr;
    PvX xAxis_ = PvX::T;
    PvY yAxis_ = PvY::Volume;
};

} // namespace tolvik::material
