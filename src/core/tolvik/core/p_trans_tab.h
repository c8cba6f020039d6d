#pragma once
/// The "P trans" tab of the core calculation window: the core's geometry and the power
/// material's loss figure (loaded on a recalculation, editable), the converter data, and
/// the flux density sweep, current density and transmissible power.
/// The selection, the wire tab's Rdc and Rac and the status line for its hints come
/// through its window.

#include "tolvik/core/core_page.h"
#include "tolvik/core/p_trans.h"

#include <QWidget>

#include <array>

class QBoxLayout;
class QLineEdit;
class QRadioButton;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class PTransTab : public QWidget, public CorePage {
    Q_OBJECT
public:
    PTransTab(AppContext& app, CoreWindow& window, QWidget* parent = nullptr);
    ~PTransTab() override;

    /// Recalculation of the tab: geometry, material data, then the power.
    void Recalculate();
    /// The power from the values on screen (Calculate keeps the user's edits).
    void ComputeTransmissiblePower();
    /// Clears t6dBf, t6S, t6Ptrans.
    void ResetTabFields();
    /// Types a transformer's inputs: the frequency [kHz], the temperature rises of copper
    /// and ferrite [K], Rac/Rdc and the converter (the index of optConv).
    void setInputs(double f_kHz, double dTCu_K, double dTFe_K, double fr, int converter);
    /// "Get Rac/Rdc from wire calculation": t6Fr from the wire tab's Rac and Rdc.
    void CopyRacRdc();

    /// Where the window puts its Calculate button on this tab: below the results.
    QBoxLayout* calculateSlot() const override;
    /// Where the window puts arrow 0 and 1: between the inputs and the results. The window
    /// has no other arrow for this tab.
    QBoxLayout* arrowSlot(int index) const override;

    SelectionLists selectionLists() const override { return SelectionLists::PowerMaterials; }
    void clearResults() override { ResetTabFields(); }
    void recalculate() override { Recalculate(); }
    /// The power from the values on screen.
    void calculate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Frame3D3 with the geometry and input frames, the results beside it (p_trans_pages.cpp).
    void buildPage();
    QWidget* buildGeometry();
    QWidget* buildInput();
    QLayout* buildResult();
    void connectFields();
    /// The core's geometry and the material's figures as the data file holds them, dTCu and
    /// dTFe at half the material's dT.
    void loadStoredValues();
    void showHint(const QObject* control);

    QLineEdit* field(const char* name) const;
    double value(const char* name) const;

    AppContext& app_;
    CoreWindow& window_;
    std::array<QRadioButton*, 3> optConv_{};
    QBoxLayout* calculateSlot_ = nullptr;
    std::array<QBoxLayout*, 2> arrowSlots_{};
};

} // namespace tolvik::core
