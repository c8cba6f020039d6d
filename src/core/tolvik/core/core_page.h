#pragma once
/// A page of the Core calculation window and what the window offers its pages: the
/// selection above the tabs and a few typed calls. A page reads and writes its own controls
/// and asks its window for anything else.

#include "tolvik/data/records.h"
#include "tolvik/ui_common/tab_page.h"

#include <QString>

#include <string>

class QBoxLayout;
class QComboBox;
class QLabel;

namespace tolvik::core {

/// Tab indices of SSTab1 (the graph of a tab is Graph1(index)).
enum class CoreTab : int {
    DataOverview = 0,
    AlValue = 1,
    MueT = 2,
    PTrans = 3,
    DcBias = 4,
    HarmDistortion = 5,
    Wire = 6,
};

/// Which entries the core and material lists offer while a tab is shown.
enum class SelectionLists {
    All,               ///< the current materials and the shown cores
    PowerMaterials,    ///< power materials and the cores with a thermal resistance
    AmplitudeMaterial, ///< materials with µa data and the shown cores
    CoresOnly,         ///< the shown cores; the material list is hidden
};

/// The Rdc and Rac texts of the wire tab, as they stand.
struct WireResistanceTexts {
    std::string rdc;
    std::string rac;
};

/// The core dimensions the Al value tab loads, shown on the data overview.
struct CoreDimensionTexts {
    QString ae;
    QString le;
    QString ln;
    QString an;
};

/// The window as its pages see it.
class CoreWindow {
public:
    virtual ~CoreWindow() = default;

    // The selection above the tabs.
    /// The selected entry of the core list ("" when none is selected).
    virtual QString selectedCore() const = 0;
    /// The text the core list shows, typed or selected.
    virtual QString coreText() const = 0;
    virtual bool lowProfile() const = 0;
    virtual bool withHole() const = 0;
    /// The selected entry of the material list ("" when none is selected).
    virtual QString selectedMaterial() const = 0;
    /// The temperature option "T=25°C" of the selection panel (else "T=100°C").
    virtual bool at25C() const = 0;
    /// The selected core with its variants.
    data::CoreSelection core() const { return {selectedCore().toStdString(), lowProfile(), withHole()}; }
    /// The geometry of the selected core, read from the data file once for each selection.
    /// Throws DataError when the data file cannot give it.
    virtual const data::CoreGeometry& coreGeometry() const = 0;
    /// The values of the selected material, read from the data file once for each selection.
    /// Throws DataError when the data file cannot give them.
    virtual const data::MaterialValues& materialValues() const = 0;

    // Typed calls between pages and the window.
    /// The window's RecalculateCurrentTab.
    virtual void recalculateCurrentTab() = 0;
    /// Checks the text typed into the core list against the list.
    virtual void validateCoreEntry() = 0;
    /// Fills a list with the distinct values of a table column (the window's FillComboBox).
    virtual void fillList(QComboBox* list, const QString& table, const QString& field,
                          const QString& initial) = 0;
    /// Fills a list with "field1 (field2)" entries (the window's FillComboBoxWith2Values).
    virtual void fillPairList(QComboBox* list, const QString& table, const QString& field1,
                              const QString& field2, const QString& initial) = 0;
    /// The wire tab's resistances, for the P trans tab.
    virtual WireResistanceTexts wireResistances() const = 0;
    /// The core dimensions of the data overview: read and written by the Al value tab.
    virtual CoreDimensionTexts coreDimensions() const = 0;
    virtual void setCoreDimensions(const CoreDimensionTexts& texts) = 0;
    /// A hint in the main window's status line.
    virtual void showStatusHint(const QString& hint) = 0;
    /// The arrow picture `index` of the window while it stands on the current tab.
    virtual QLabel* arrowPicture(int index) const = 0;
    /// True while the page's tab is the current one.
    virtual bool isCurrentPage(const ui::TabPage* page) const = 0;
};

/// A page of the core calculation window.
class CorePage : public ui::TabPage {
public:
    /// The lists the selection panel offers on this tab.
    virtual SelectionLists selectionLists() const { return SelectionLists::All; }
    /// The temperature options T=25°C / T=100°C of the selection panel apply to this tab.
    virtual bool usesTemperatureOptions() const { return false; }
    /// Where the window puts its Calculate button on this tab (null: by position).
    virtual QBoxLayout* calculateSlot() const { return nullptr; }
    /// Where the window puts its arrow picture `index` on this tab (null: by position).
    virtual QBoxLayout* arrowSlot(int /*index*/) const { return nullptr; }
};

} // namespace tolvik::core
