#pragma once
/// The "Hysteresis" tab of the material window: one B–H loop at a time at 25 or 100 °C,
/// with fixed axis limits from its extremes and the zoom of its H axis.

#include "tolvik/material/mat_page.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

class HysteresisTab : public QWidget, public MatPage {
    Q_OBJECT
public:
    HysteresisTab(AppContext& app, MatWindow& window, QWidget* parent = nullptr);
    ~HysteresisTab() override;

    TemperatureOptions temperatureOptions() const override { return TemperatureOptions::Reset25; }
    bool calculates() const override { return false; }
    /// The zoom buttons are shown.
    void enter() override;
    void hideOwnControls() override;
    void clearResults() override;
    void recalculate() override { DrawHysteresisLoop(); }
    chart::Graph* graph() const override { return graph_; }
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;

    /// The loop of the selected material at the chosen temperature.
    void DrawHysteresisLoop();
    /// 1: zoom in, 4: zoom out (the graph's button codes); other codes redraw.
    void ZoomHysteresis(int code);

private:
    /// The controls beside the graph (hysteresis_pages.cpp).
    void buildPage();
    AppContext& app_;
    MatWindow& window_;
    chart::Graph* graph_ = nullptr;
    QLineEdit* hHysteresis_ = nullptr;
    QLineEdit* bHysteresis_ = nullptr;
    std::array<QPushButton*, 2> cmdMinMax_{};
};

} // namespace tolvik::material
