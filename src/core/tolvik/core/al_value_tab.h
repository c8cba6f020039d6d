#pragma once
/// The "Al value" tab of the core calculation window: three panels relating Al, air gap,
/// turns and inductance (without fringe flux, L - Al, with fringe flux for E-cores).
/// It finds the window's shared controls (Kern, Material, LP, ML, t9Ae, t9le, t9ln, t9An,
/// labNoteIn, labNoteOut) by objectName under the window passed in.

#include <QWidget>

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class AlValueTab : public QWidget {
    Q_OBJECT
public:
    AlValueTab(AppContext& app, QWidget* form, QWidget* parent = nullptr);
    ~AlValueTab() override;

    /// Entering the tab: notes light gray.
    void enterTab();
    /// Clears the result field of each panel under its current option and the µe fields.
    void ResetTabFields();
    /// Loads the core's dimensions into t9Ae, t9le, t9ln, t9An (plain text).
    void InitAlTab();
    /// Calculate: panels 1, 3, 2 with range checks and replacement values.
    void InitAlCalculation();
};

} // namespace tolvik::core
