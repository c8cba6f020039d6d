#pragma once
/// What both working windows share: the typing rule of the selection lists, the rule that
/// forgets a selection whose text was typed over, the guard around steps that read the data
/// file, the main window's Copy button, and the graph reader frame above the tabs.

#include "tolvik/data/database.h"
#include "tolvik/design/design_file.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/tab_page.h"
#include "tolvik/ui_common/window_state.h"

#include <QKeyEvent>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

namespace tolvik {
struct AppContext;
}

namespace tolvik::ui {

inline bool IsEnter(const QKeyEvent* k) {
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

/// A typed text that no longer equals the selected entry is no selection.
void ForgetStaleSelection(QComboBox* list);

/// Runs a step that reads the data file; a fault of the file is shown as a message, not
/// thrown on. False when it happened.
template <class F> bool Guarded(F&& step, QWidget* parent = nullptr) {
    try {
        step();
        return true;
    } catch (const data::DataError& e) {
        ShowMessage(QString::fromStdString(e.what()), kTitle, parent);
        return false;
    }
}

/// The graph reader frame SSFrame5: the curve on the first line (GR1), the x and y
/// readings below it (GR2, GR3).
struct ReaderFrame {
    QGroupBox* frame = nullptr;
    QLabel* curve = nullptr;
    QLabel* x = nullptr;
    QLabel* y = nullptr;
};

/// The frame of a working window: its rows, the selection group in the top row and the
/// controls both windows' selection groups hold (not yet placed).
struct SelectionRow {
    QVBoxLayout* root = nullptr;   ///< the window's rows: the top row, then the tabs
    QHBoxLayout* top = nullptr;    ///< the selection group, the graph reader, …
    QGroupBox* frame = nullptr;    ///< Frame3D1
    QHBoxLayout* row = nullptr;    ///< the inside of Frame3D1
    QComboBox* kern = nullptr;     ///< the core list
    QComboBox* material = nullptr; ///< the material list
    QCheckBox* lowProfile = nullptr;
    QCheckBox* withHole = nullptr;
    QRadioButton* t25 = nullptr;
    QRadioButton* t100 = nullptr;
    QVBoxLayout* temperatures = nullptr; ///< t25 above t100
};

/// What a working window asks of the main window that holds it.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    /// The main window's Copy button, enabled or not.
    virtual void setCopyEnabled(bool enabled) = 0;
    /// The main window's status line.
    virtual void showStatusHint(const QString& hint) = 0;
};

/// The base of both working windows: the pages of the tab control, the graph reader and
/// the main window's Copy button.
class WorkingWindow : public QWidget, public GraphWindow {
    Q_OBJECT
public:
    explicit WorkingWindow(AppContext& app, QWidget* parent = nullptr);
    ~WorkingWindow() override;

    /// The tab control, objectName "SSTab1".
    QTabWidget* tabControl() const { return tabs_; }

    /// The main window holding this window (nullptr: it stands alone). What the window
    /// wanted of the Copy button before is passed on at once.
    void setHost(WindowHost* host);

    /// What the window shows, as a design: its tab, its selection and the named controls
    /// of its own row and of every page.
    design::WindowState designState() const;
    /// Writes a saved design back into the window, which has been set up on the saved tab
    /// (see RestoreParts). Returns a line for each saved core or material that the data
    /// file does not have.
    QStringList restoreDesignState(const design::WindowState& state);

    /// The fields of the current tab as it shows them (for the design sheet).
    std::vector<ShownField> shownFields() const;
    /// The graph of the current tab when it is shown (nullptr: none).
    chart::Graph* shownGraph() const;

    // GraphWindow
    chart::Graph* currentGraph() const override;
    QString readerCurve() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    /// Enter was pressed in the selection list `list`.
    virtual void listEntered(QComboBox* list) = 0;
    /// The user left `control` (see watchLeaving) for another control of this window.
    virtual void controlLeft(QObject* /*control*/) {}
    /// The Calculate button was clicked.
    virtual void calculateClicked() = 0;
    /// The tab changed; `previousTab` was shown before.
    virtual void tabChanged(int previousTab) = 0;

    /// The page of the current tab (nullptr: none).
    TabPage* currentPage() const;
    int currentTab() const;
    /// Names the window, lays out its rows and makes the selection group titled `frameTitle`
    /// with its controls, and the Calculate button (hidden, not placed). Letters typed into
    /// either list are typed as capitals; Enter in a list calls listEntered.
    const SelectionRow& makeSelectionRow(const QString& name, const QString& title,
                                         const QString& frameTitle);
    /// Builds the window (buildWindow), connects its controls (connectSignals) and gives it
    /// its first state (loadSelection); the window's constructor calls it.
    void setUp();
    /// The window's rows, selection group and pages.
    virtual void buildWindow() = 0;
    /// The window's own connections of its selection controls and pages.
    virtual void connectSignals() = 0;
    /// The window's first state: at the top of the working area, both lists filled, Copy not
    /// offered.
    void loadSelection();
    /// The selection group's controls.
    const SelectionRow& selection() const { return selection_; }
    /// The Calculate button, objectName "cmdCalculate": a click calls calculateClicked.
    QPushButton* calculateButton() const { return calculate_; }
    /// Leaving `control` for another control of this window (not for another window or a
    /// pop-up) calls controlLeft.
    void watchLeaving(QObject* control);
    /// Makes the tab control and adds the pages (widgets that are pages) to it in order, with
    /// their captions. A change of tab calls tabChanged.
    template <class Page> QTabWidget* makeTabs(const Page& pages, const std::vector<QString>& captions) {
        std::vector<std::pair<QWidget*, TabPage*>> widgets;
        for (auto* p : pages)
            widgets.emplace_back(dynamic_cast<QWidget*>(p), p);
        return makeTabWidget(widgets, captions);
    }
    /// Builds the graph reader frame; horizontalSpacing -1: the style's.
    ReaderFrame& makeReaderFrame(int labelMinWidth, int horizontalSpacing = -1);
    ReaderFrame& reader() { return reader_; }

    /// The point `point` of set `set` was picked on the current tab's graph: the reader shows
    /// its curve and what the page reads there, and the reading log takes the line. yPattern:
    /// the display pattern of y in this window; trimSeparator: a separator left at the end
    /// of y goes. False when the point has no finite value.
    bool readPoint(int set, int point, const char* yPattern, bool trimSeparator);

    /// The main window's Copy button, enabled or not: at once when the window has a main
    /// window, else when it gets one.
    void setMainCopyEnabled(bool enabled);
    WindowHost* host() const { return host_; }

    AppContext& app_;

private:
    QTabWidget* makeTabWidget(const std::vector<std::pair<QWidget*, TabPage*>>& pages,
                              const std::vector<QString>& captions);

    SelectionRow selection_;
    QPushButton* calculate_ = nullptr;
    std::vector<QObject*> leaving_;
    int lastTab_ = 0;
    QTabWidget* tabs_ = nullptr;
    std::vector<TabPage*> pages_;
    ReaderFrame reader_;
    WindowHost* host_ = nullptr;
    bool copyEnabled_ = false;
};

} // namespace tolvik::ui
