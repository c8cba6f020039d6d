#pragma once
/// The "µa vs. B" tab of the material window: amplitude permeability against B or H at 25
/// or 100 °C, µa at one point and the conversion between B and H through the shown µa.

#include "tolvik/material/mat_page.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

class AmplitudeTab : public QWidget, public MatPage {
    Q_OBJECT
public:
    AmplitudeTab(AppContext& app, MatWindow& window, QWidget* parent = nullptr);
    ~AmplitudeTab() override;

    MaterialList materialList() const override { return MaterialList::Amplitude; }
    TemperatureOptions temperatureOptions() const override { return TemperatureOptions::Keep25; }
    bool offersCopy() const override { return true; }
    std::optional<ui::CopyColumn> copyColumn(const std::string& material) const override;
    void clearResults() override;
    /// The curve over the chosen axis.
    void recalculate() override;
    /// µa at the value shown and its conversion between B and H.
    void calculate() override;
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;

    void DrawAmplitudePermeability(const QString& axis);
    /// False when the material has no data for the curve (the message was shown).
    bool CalcAmplitudePermeability(const QString& axis);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The controls beside the graph (amplitude_pages.cpp).
    void buildPage();
    void axisSelected(bool byB);

    AppContext& app_;
    MatWindow& window_;
    chart::Graph* graph_ = nullptr;
    QRadioButton* optmuaH_ = nullptr;
    QRadioButton* optmuaB_ = nullptr;
    QLineEdit* b_ = nullptr;
    QLineEdit* t3mua_ = nullptr;
    QLineEdit* t3H_ = nullptr;
    QLabel* muaBLabel_ = nullptr;
    QLabel* label2_ = nullptr;
};

} // namespace tolvik::material
