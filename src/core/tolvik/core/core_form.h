#pragma once
/// The Core calculation window ("Core data"): one tab control SSTab1 with seven tabs,
/// the core and material selection above them, one Calculate button and the arrow
/// pictures moved onto whichever tab is shown. Each tab is a page of its own; the window
/// keeps the selection and routes the events to the page of the current tab.

#include "tolvik/core/core_page.h"
#include "tolvik/ui_common/working_window.h"

#include <QString>

#include <memory>

class QComboBox;
class QKeyEvent;
class QLineEdit;

namespace tolvik::core {

class CoreForm : public ui::WorkingWindow, private CoreWindow {
    Q_OBJECT
public:
    /// objectName "CoreForm". Fills the lists on construction.
    explicit CoreForm(AppContext& app, QWidget* parent = nullptr);
    ~CoreForm() override;

    /// Starts reading the names of the cores on a worker (once per data file), so that the
    /// first core chosen on a file of a large catalogue need not wait for a walk over it.
    static void ReadNamesAhead(AppContext& app);

    /// Sets tab `tab` up: its lists, the Calculate button and arrows, then its calculation.
    /// A tab other than the current one is made current, which sets it up.
    void ChangeTab(double tab);
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

    /// A part chosen as the user would choose it: core type, variant and material.
    struct Part {
        QString core;
        bool lowProfile = false;
        bool withHole = false;
        QString material;
    };
    /// Shows a choke on the DC-bias tab: the part chosen, the inputs typed, calculated.
    void showChoke(const Part& part, bool at100C, double l_mH, double idc_A, double drop_pct);
    /// Shows a transformer on the P trans tab: the part chosen, the inputs typed, calculated.
    void showTransformer(const Part& part, double f_kHz, double dTCu_K, double dTFe_K, double fr,
                         int converter);

    /// The window opens at the compact size of its layout, which fits the main window's
    /// working area (the charts alone would ask for more); it can be made larger.
    QSize sizeHint() const override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    void buildWindow() override;
    void connectSignals() override;
    void tabChanged(int previousTab) override;
    CorePage* page(int tab) const;
    void selectPart(const Part& part);
    void placeTabControls(int tab);
    void flashArrow(int index, const QString& orientation, int leftTwips = 0, int topTwips = 0);
    void calculateClicked() override;
    void listEntered(QComboBox* list) override;
    void controlLeft(QObject* withHole) override;
    void graphPointSelected(int set, int point);

    // Selection panel
    void kernClick();
    void kernEnter();
    void materialClick();
    void materialEnter();

    // CoreWindow: what the pages ask of the window
    QString selectedCore() const override;
    QString coreText() const override;
    bool lowProfile() const override;
    bool withHole() const override;
    QString selectedMaterial() const override;
    const data::CoreGeometry& coreGeometry() const override;
    const data::MaterialValues& materialValues() const override;
    bool at25C() const override;
    void recalculateCurrentTab() override;
    void validateCoreEntry() override;
    void fillList(QComboBox* list, const QString& table, const QString& field,
                  const QString& initial) override;
    void fillPairList(QComboBox* list, const QString& table, const QString& field1, const QString& field2,
                      const QString& initial) override;
    WireResistanceTexts wireResistances() const override;
    CoreDimensionTexts coreDimensions() const override;
    void setCoreDimensions(const CoreDimensionTexts& texts) override;
    void showStatusHint(const QString& hint) override;
    QLabel* arrowPicture(int index) const override;
    bool isCurrentPage(const ui::TabPage* page) const override;
};

} // namespace tolvik::core
