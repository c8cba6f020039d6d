#pragma once
/// The main window ZUVErudedi: the frame that holds the working windows as sub-windows of
/// its MDI area, with the command strip, the picture buttons, the status strip and the
/// menus that route to the working windows.

#include "tolvik/ui_common/working_window.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QToolButton;

namespace tolvik {
struct AppContext;
namespace core {
class CoreForm;
}
namespace material {
class MatTab;
}
namespace advisor_ui {
class AdvisorWindow;
struct OpenRequest;
} // namespace advisor_ui
} // namespace tolvik

namespace tolvik::shell {

class DesignFiles;

class MainWindow : public QMainWindow, private ui::WindowHost {
    Q_OBJECT
public:
    /// The design caption; after start-up followed by a blank and the version text.
    static inline const QString kDesignCaption = QStringLiteral("KESTRON - Tolvik");

    /// Builds the window (objectName "ZUVErudedi") on an application context whose
    /// database is open, sets the version text and the caption and its size.
    explicit MainWindow(AppContext& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppContext& app() const { return app_; }
    QMdiArea* mdiArea() const { return mdi_; }
    /// The status label Label1.
    QLabel* statusLabel() const { return label1_; }
    /// The Core calculation window, or nullptr when it is not open.
    core::CoreForm* coreForm() const;
    /// The Material properties window, or nullptr when it is not open.
    material::MatTab* matTab() const;

    /// Moves the window to its start-up place on its screen.
    void PlaceOnScreen();
    /// From now on the size and place of the main window and the working windows are
    /// remembered between sessions (the program; tests leave the settings alone), and the
    /// remembered ones are taken now.
    void RememberLayout();
    /// Design files and design sheets of this window.
    DesignFiles& designs() const { return *designs_; }

    /// Routing of the "&Core calculation" menu items: creates the window if needed, sets
    /// its tab, calls ChangeTab and brings it to the front.
    void OpenCoreFormTab(int tab);
    /// Routing of the "&Material properties" menu items.
    void OpenMaterialTab(int tab);
    /// "Core Calculation" button.
    void CoreCalculationButton();
    /// "Material Properties" button.
    void MaterialPropertiesButton();
    /// "&Close Window": closes the active child window, if any.
    void CloseActiveWindow();
    /// Picture button Picture3(index), with the hourglass around the command.
    void PictureButton(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildMenus();
    void buildCommandStrip();
    void buildStatusStrip();
    QMdiSubWindow* currentChild() const;
    /// The working window in front (the contents of the current sub-window), or nullptr.
    QWidget* activeWorkingWindow() const;
    QMdiSubWindow* ensureCoreForm();
    QMdiSubWindow* ensureMatTab();
    /// Puts a working window made anew into a frame of the work area, in its place.
    void addWorkingWindow(QWidget* form);
    /// The design advisor's window, made on first use.
    void OpenAdvisor();
    /// A design of the advisor in the core window: its tab, core, material and inputs, calculated.
    void OpenDesign(const advisor_ui::OpenRequest& request);
    /// Shows a data fault of a working window and keeps the program going.
    template <typename F> void guarded(F&& f);

    // Commands of the graph and help modules.
    void PrintGraph();
    void ClearGraph();
    void CopyGraph();
    void GraphSettings();
    void HelpSearch();
    void ExitProgram();

    /// Starts what is prepared while the user reaches for a menu: the core names read on a
    /// worker, the drawing warmed up, the fields and charts built ahead.
    void prepareAhead();
    /// The remembered place of a working window's sub-window, when layouts are remembered.
    void placeRemembered(QMdiSubWindow* sub, const QString& name);

    AppContext& app_;
    DesignFiles* designs_ = nullptr;
    bool rememberLayout_ = false;
    bool preparedAhead_ = false; ///< prepareAhead was started (after the first paint)
    QMdiArea* mdi_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* copy_ = nullptr; ///< CmdCopy

    // WindowHost: what the working windows ask of this window
    void setCopyEnabled(bool enabled) override;
    void showStatusHint(const QString& hint) override;
    QPointer<core::CoreForm> coreForm_;
    QPointer<material::MatTab> matTab_;
    QPointer<advisor_ui::AdvisorWindow> advisor_;
};

/// Places a working window at top 20, left 0 (twips) inside the main window; a window
/// inside an MDI sub-window moves the sub-window.
void PositionChildWindow(QWidget* window);
/// Centres a free window on its screen.
void CenterWindow(QWidget* window);
/// Closes MatTab, CoreForm and Haftung where open, then the window passed in.
void UnloadAllWindows(QWidget* mainWindow);

} // namespace tolvik::shell
