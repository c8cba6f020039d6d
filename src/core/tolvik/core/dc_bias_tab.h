#pragma once
/// The "DC-Bias" tab of the core calculation window: the design of a choke (input data,
/// output data with the wire), the plot data and the curves over Hdc or Idc in one of four
/// y quantities, and the data point reader labels. The selection and the temperature
/// option come from its window.

#include "tolvik/core/core_page.h"
#include "tolvik/core/dc_bias_display.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QBoxLayout;
class QLineEdit;

namespace tolvik {
struct AppContext;
namespace chart {
class Graph;
}
} // namespace tolvik

namespace tolvik::core {

class DcBiasTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    DcBiasTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~DcBiasTab() override;

    /// Graph1(4).
    chart::Graph* graph() const override;
    QBoxLayout* calculateSlot() const override;
    /// 0 between input and output data (vertical), 1 between the plot data and the graph;
    /// the window has no other arrow for this tab.
    QBoxLayout* arrowSlot(int index) const override;
    SelectionLists selectionLists() const override { return SelectionLists::AmplitudeMaterial; }
    bool usesTemperatureOptions() const override { return true; }
    /// Entering the tab shows the graph.
    void enter() override;
    void clearResults() override { ResetTabFields(); }
    /// InitDCBiasInput, then the window's recalculation.
    void calculate() override;
    std::optional<ui::ReaderLines> pointPicked(const ui::PickedPoint& point) override;

    /// Types a choke's inputs: L [mH], Idc [A] and the allowed drop dµrev [%].
    void setInputs(double l_mH, double idc_A, double drop_pct);

    /// Clears t1s, t1Al, t1N, t1mue, t1d and the reader labels LabGraphReader(1), (2).
    void ResetTabFields();
    /// Empty L and Idc become "1", an empty dµrev "10".
    void InitDCBiasInput();
    /// The recalculation of the tab: InitDCBiasInput, then the curve with the design
    /// copied to the plot data.
    void recalculate() override;
    /// The DC-bias curve routine: design, and (when draw) one curve of the plot data.
    void curve(bool copyToPlotData, bool draw = true);
    /// The graph reader's point: the reader labels for x and for y as the window's reader
    /// shows it, then the design again without drawing. Returns the two reader texts (x first).
    std::array<QString, 2> readPoint(double x, const QString& readerYText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The page's frames, fields and options around the graph (dc_bias_pages.cpp).
    void buildPage();
    void yAxisClicked();
    void xAxisClicked();
    void plotDataEntered();
    DcBiasXAxis xAxis() const;
    DcBiasYAxis yAxis() const;
    QLineEdit* field(const char* name) const;
    /// The number a field reads as (the shared number reader: "" → 0).
    double number(const char* name) const;
    bool checked(const char* name) const;

    AppContext& app_;
    CoreWindow& window_;
    chart::Graph* graph_ = nullptr;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
};

} // namespace tolvik::core
