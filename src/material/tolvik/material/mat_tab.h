#pragma once
/// The Material properties window ("Material data"): one material list above a tab
/// control SSTab1 with five tabs (hysteresis loop, µi vs. T, power loss, µa vs. B,
/// complex permeability), each with its own graph Graph1(tab), and the graph reader.

#include "tolvik/ui_common/working_window.h"

#include <functional>
#include <memory>

class QComboBox;
class QTabWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::material {

/// Tab indices of SSTab1; the graph of a tab is Graph1(index).
enum class MatTabIndex : int { Hysteresis = 0, MuiT = 1, PowerLoss = 2, Amplitude = 3, ComplexMu = 4 };

class MatTab : public ui::WorkingWindow {
    Q_OBJECT
public:
    /// objectName "MatTab". Fills the material list on construction.
    explicit MatTab(AppContext& app, QWidget* parent = nullptr);
    ~MatTab() override;

    /// Sets the window up for tab `tab` and draws its curve for the selected material. A tab
    /// other than the current one is made current first.
    void ChangeTab(double tab);
    /// Clears the result fields of the current tab.
    void ResetTabFields();
    /// Lets pending window events run.
    void errors();
    /// labErg takes the caption of the selected complex-permeability option.
    void SetMuCaptionDependingOnOption();
    /// The graph reader: reads point `point` of set `set` of the current tab's graph.
    void ReadDataPoint(int set, int point);

    /// The compact size of the layout, which fits the main window's working area.
    QSize sizeHint() const override;

    // GraphWindow: the shell's view of the window
    chart::Graph* currentGraph() const override;
    /// The curve of the current tab that Copy takes, for the material shown in the list.
    ui::CopyRequest copyRequest() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    // Window, tab model and selection (mat_tab.cpp)
    void buildWindow();
    QWidget* buildHysteresisPage();
    QWidget* buildMuiTPage();
    QWidget* buildPowerLossPage();
    QWidget* buildAmplitudePage();
    QWidget* buildComplexMuPage();
    void connectSignals();
    void formLoad();
    void tabChanged(int index);
    void showCopy(bool enabled);
    void ShowSelectedCurve();
    void calculateClick();
    void materialActivated();
    void materialEnter();
    void materialLeft();
    void temperatureSelected(bool t25);
    QString selectedMaterial() const;
    /// A data-file fault of a step is reported, not thrown on; false when it happened.
    bool guarded(const std::function<void()>& step);

    // Hysteresis (hysteresis_tab.cpp)
    void DrawHysteresisLoop();
    void ZoomHysteresis(int code);

    // µi vs. T (mui_t_tab.cpp)
    void DrawInitialPermeability();
    void CalcInitialPermeability();

    // Power loss (power_loss_tab.cpp)
    void SetPowerLossAxes();
    void FillPowerLossFirstList();
    void FillPowerLossSecondList();
    void DrawPowerLossCurve();
    void CalcPowerLoss();
    void xAxisSelected(int pvXAxis);
    void yAxisSelected(int pvYAxis);

    // µa vs. B (amplitude_tab.cpp)
    void DrawAmplitudePermeability(const QString& axis);
    /// False when the material has no data for the curve (the message was shown).
    bool CalcAmplitudePermeability(const QString& axis);
    void amplitudeAxisSelected(bool byB);
    void calculateAmplitude();

    // Complex permeability (complex_mu_tab.cpp)
    void DrawComplexPermeability();
    void CalcComplexPermeability();
    void complexOptionSelected(int option);
};

} // namespace tolvik::material
