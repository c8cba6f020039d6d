#pragma once
/// The Core calculation window ("Core data"): one tab control SSTab1 with seven tabs,
/// the core and material selection above them, one Calculate button and the arrow
/// pictures moved onto whichever tab is shown.

#include <QWidget>

class QTabWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

class CoreForm : public QWidget {
    Q_OBJECT
public:
    /// objectName "CoreForm". Fills the lists (Form_Load) on construction.
    explicit CoreForm(AppContext& app, QWidget* parent = nullptr);
    ~CoreForm() override;

    /// The tab control, objectName "SSTab1".
    QTabWidget* tabControl() const;
    /// Sets the current tab up (works from the tab control's current tab).
    void ChangeTab(double& tab);
    /// Clears the result fields of the current tab.
    void ResetTabFields();
    /// Re-runs the current tab's calculation from the inputs on screen.
    void RecalculateCurrentTab();
};

} // namespace tolvik::core
