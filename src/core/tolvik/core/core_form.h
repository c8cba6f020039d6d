#pragma once
/// The Core calculation window ("Core data"): one tab control SSTab1 with seven tabs,
/// the core and material selection above them, one Calculate button and the arrow
/// pictures moved onto whichever tab is shown.

#include <QString>
#include <QWidget>

#include <memory>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTabWidget;

namespace tolvik {
struct AppContext;
}

namespace tolvik::core {

/// Tab indices of SSTab1.
enum class CoreTab : int {
    DataOverview = 0,
    AlValue = 1,
    MueT = 2,
    PTrans = 3,
    DcBias = 4,
    HarmDistortion = 5,
    Wire = 6,
};

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

    /// Enables and checks LP ("low profile") and ML ("with hole") from the core variants.
    void CheckLowProfileAndLoch();
    /// Fills a list with the distinct values of a table column and sets its text.
    void FillComboBox(QComboBox* list, const QString& table, const QString& field, const QString& initial);
    /// Fills a list with "field1 (field2)" entries and sets its text.
    void FillComboBoxWith2Values(QComboBox* list, const QString& table, const QString& field1,
                                 const QString& field2, const QString& initial);
    /// Shows a text field when its text reads as a number other than 0, hides it otherwise.
    static void ShowIfNonZero(QLineEdit* field);
    /// Checks the text typed into Kern against the list.
    void ValidateCoreEntry();

    /// The window opens at the compact size of its layout, which fits the main window's
    /// working area (the charts alone would ask for more); it can be made larger.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    void buildWindow();
    QWidget* buildDataOverviewPage();
    QWidget* buildMueTPage();
    QWidget* buildDcBiasPage();
    QWidget* buildWirePage();
    void connectSignals();

    void formLoad();
    void tabClicked(int previousTab);
    int currentTab() const;
    void disableMainCopyButton();
    void placeTabControls(int tab);
    void flashArrow(int index, const QString& orientation, int leftTwips = 0, int topTwips = 0,
                    double pause = 2.5E12);
    void cmdCalculateClick();

    // Selection panel
    void kernClick();
    void kernEnter();
    void materialClick();
    void materialEnter();
    bool listKeyPress(QComboBox* list, QKeyEvent* key);

    // Data overview
    void showCoreParameters();
    void showMaterialSpecifications();

    // µe vs. T
    void mueTSetUp();
    void mueTPointReader();
    void mueTRelativePointReader(double t);
    void mueTCurve(bool relative);
    void mueAt25();
    void mueTOptionClicked(bool relative);
    void mueTRecalculate();

    // Graph reader
    void graphPointSelected(int index, int set, int point);
};

} // namespace tolvik::core
