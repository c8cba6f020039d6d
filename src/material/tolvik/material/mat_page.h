#pragma once
/// A page of the Material properties window and what the window offers its pages.

#include "tolvik/ui_common/tab_page.h"

#include <QString>

namespace tolvik::material {

/// Which materials the material list offers while a tab is shown.
enum class MaterialList {
    Current,   ///< the current materials
    Power,     ///< the power materials
    Amplitude, ///< the materials with µa data
};

/// What a tab does with the temperature options T=25°C / T=100°C when it is entered.
enum class TemperatureOptions {
    Hidden,
    Reset25, ///< shown, set to 25 °C without drawing (the curve is drawn once afterwards)
    Keep25,  ///< shown, set to 25 °C as a choice that draws nothing by itself
};

/// The window as its pages see it.
class MatWindow {
public:
    virtual ~MatWindow() = default;
    /// The selected entry of the material list ("" when none is selected).
    virtual QString selectedMaterial() const = 0;
    /// The temperature option T=25°C (else T=100°C).
    virtual bool at25C() const = 0;
    /// The window's Calculate: the arrow highlighted, then the page's calculation.
    virtual void calculate() = 0;
    /// µi of the material on the µi vs. T tab (the complex permeability reading gives it).
    virtual void showMui(const QString& text) = 0;
};

/// A page of the material window.
class MatPage : public ui::TabPage {
public:
    virtual MaterialList materialList() const { return MaterialList::Current; }
    virtual TemperatureOptions temperatureOptions() const { return TemperatureOptions::Hidden; }
    /// The Calculate button and its arrow are shown on this tab.
    virtual bool calculates() const { return true; }
    /// The main window's Copy button is enabled on this tab.
    virtual bool offersCopy() const { return false; }
    /// Hides what only this tab shows (on every change of tab, before the new tab is entered).
    virtual void hideOwnControls() {}
};

} // namespace tolvik::material
