#pragma once
/// The " Harm. distortion" tab of the core calculation window: a signal transformer
/// designed in one of two directions ("Input Al, N1, N2" or "Input N1:N2, L1, R1, R2 "),
/// its circuit conditions and the third-harmonic attenuation k3c. The fields of the group
/// the mode does not take as input are locked and gray; the arrow picture points the way.

#include "tolvik/core/core_page.h"
#include "tolvik/core/harmonic.h"
#include "tolvik/data/records.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QBoxLayout;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class HarmonicTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    HarmonicTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~HarmonicTab() override;

    /// Recalculation of the tab: the temperature list when empty, the input check, the
    /// design in the chosen direction, then k3c.
    void Recalculate();
    void recalculate() override { Recalculate(); }
    void clearResults() override { ResetTabFields(); }
    /// Entering the tab: the arrow between the two design groups points the way of the mode.
    void enter() override { showModeArrow(); }
    /// Calculate: the window's recalculation, with missing inputs reported.
    void calculate() override;
    /// Clears thd_k3c and the derived design fields of the current mode.
    void ResetTabFields();

    /// Mode "Input Al, N1, N2": Al, N1, N2 and the wires are inputs; wire lists refilled.
    void selectAlN1N2Mode();
    /// Mode "Input N1:N2, L1, R1, R2 ": turn ratio, L1, R1, R2 and fCu are inputs.
    void selectN1N2R1R2Mode();
    /// The arrow picture 0 points the way of the chosen mode (only while the tab is shown).
    void showModeArrow();

    /// Checks the inputs of the active mode and of the circuit; the message only after
    /// Calculate.
    bool InitHarmonicDistortion();
    bool CalculateR1R2FcuL();
    bool CalculateAlN1N2();
    void CalculateK3c();

    /// The core temperature list (listTemp).
    QComboBox* temperatureList() const;
    QBoxLayout* calculateSlot() const override;
    /// 0 between the two design modes, 1 in the circuit conditions; the window has no
    /// other arrow for this tab.
    QBoxLayout* arrowSlot(int index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    /// The design and circuit frames and the Calculate slot (harmonic_pages.cpp).
    void buildPage();
    QWidget* buildDesign();
    QWidget* buildCircuit();
    void connectFields();
    void checkTurnsField();
    void showMessages(const std::vector<CoreMessage>& messages);

    QLineEdit* field(const char* name) const;
    double value(const char* name) const;
    double coreValue(data::CoreField field) const;
    bool materialAndCoreSelected() const;

    AppContext& app_;
    CoreWindow& window_;
    QRadioButton* optAlN1N2_ = nullptr;
    QRadioButton* optN1N2R1R2_ = nullptr;
    std::array<QComboBox*, 3> cbD_{}; ///< cb_d(1), cb_d(2); element 0 unused
    QComboBox* listTemp_ = nullptr;
    bool calculatePressed_ = false;
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
};

} // namespace tolvik::core
