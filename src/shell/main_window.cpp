#include "tolvik/shell/main_window.h"

#include "graph_target_p.h"
#include "tolvik/advisor_ui/advisor_window.h"
#include "tolvik/chart/graph.h"
#include "tolvik/chart/graph_export.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/design_files.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/help_window.h"
#include "tolvik/shell/icons.h"
#include "tolvik/shell/info_windows.h"
#include "tolvik/shell/manual.h"
#include "tolvik/shell/placement.h"
#include "tolvik/shell/warm_up.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/field_stock.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace tolvik::shell {

namespace {

int Px(int twips) {
    return twips / kTwipsPerPixel;
}

/// A working window's frame draws its title bar and border at every paint of the window, also
/// when only what is inside changed (a tab change, a calculation, a picked point): nothing of
/// that drawing shows there. Such a paint is left out.
class FramePaintsOutside : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const QWidget* inside = static_cast<QMdiSubWindow*>(watched)->widget();
        return inside && inside->isVisible() &&
               inside->geometry().contains(static_cast<QPaintEvent*>(event)->region().boundingRect());
    }
};

void PaintFrameOutsideOnly(QMdiSubWindow* sub) {
    sub->installEventFilter(new FramePaintsOutside(sub));
}

/// Hourglass for the time a command runs, also when it ends by an exception.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

struct CommandButton {
    const char* name;
    const char* caption;
    int widthTwips;
};

// Left to right as in the strip; all 450 twips high.
const CommandButton kCommandButtons[] = {
    {"Command_MatForm", "Material Properties", 2025},
    {"Command_CoreForm", "Core Calculation", 1905},
    {"cmdPrint", "Print", 1300},
    {"CmdClear", "Clear", 1300},
    {"CmdCopy", "Copy", 1300},
    {"cmdGraph", "Graph", 1300},
    {"CmdHelp", "Help", 1300},
    {"CmdExit", "Exit", 1265},
};
constexpr int kCommandButtonHeightTwips = 450;
constexpr int kCommandStripHeightTwips = 495;
constexpr int kStatusStripHeightTwips = 285;

// Tooltips of the picture buttons, by index.
const char* const kPictureHints[] = {"Print", "Exit", "Clear", "Copy", "Help", "Graph"};

/// Closes the windows of that name: MDI sub-windows showing it and free windows.
void CloseWindowsNamed(QWidget* mainWindow, const QString& name) {
    if (auto* main = qobject_cast<MainWindow*>(mainWindow)) {
        const auto subs = main->mdiArea()->subWindowList();
        for (QMdiSubWindow* sub : subs) {
            if (sub->widget() && sub->widget()->objectName() == name) sub->close();
        }
    }
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (w != mainWindow && w->objectName() == name && w->isVisible()) w->close();
    }
}

} // namespace

MainWindow::MainWindow(AppContext& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("ZUVErudedi"));
    setContextMenuPolicy(Qt::NoContextMenu);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MDIClient"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);

    designs_ = new DesignFiles(*this);
    buildMenus();
    buildCommandStrip();
    buildStatusStrip();

    app_.versionText = "4.0";
    setWindowTitle(kDesignCaption + QStringLiteral(" ") + QString::fromStdString(app_.versionText));

    // 12000 twips wide; the design client height holds the strips and the MDI area.
    resize(Px(kMainWindowWidthTwips), Px(kMainWindowClientHeightTwips) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

core::CoreForm* MainWindow::coreForm() const {
    return coreForm_.data();
}

material::MatTab* MainWindow::matTab() const {
    return matTab_.data();
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));

    auto addMenu = [&](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto addItem = [](QMenu* menu, const char* name, const QString& text, const char* shortcut = nullptr) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (shortcut) a->setShortcut(QKeySequence(QLatin1String(shortcut)));
        return a;
    };

    QMenu* file = addMenu("mnuFile", QStringLiteral("&File"));
    connect(addItem(file, "mnuOpenDesign", QStringLiteral("&Open Design..."), "Ctrl+O"), &QAction::triggered,
            this, [this] { designs_->openWithDialog(); });
    connect(addItem(file, "mnuSaveDesign", QStringLiteral("&Save Design"), "Ctrl+S"), &QAction::triggered,
            this, [this] { designs_->save(); });
    connect(addItem(file, "mnuSaveDesignAs", QStringLiteral("Save Design &As...")), &QAction::triggered, this,
            [this] { designs_->saveAs(); });
    QMenu* recent = file->addMenu(QStringLiteral("&Recent Designs"));
    recent->setObjectName(QStringLiteral("mnuRecentDesigns"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { designs_->fillRecentMenu(recent); });
    file->addSeparator();
    connect(addItem(file, "mnuPrint", QStringLiteral("&Print")), &QAction::triggered, this, [this] {
        if (auto* b = findChild<QPushButton*>(QStringLiteral("cmdPrint"))) b->click();
    });
    connect(addItem(file, "mnuPrintDesignSheet", QStringLiteral("Print Design &Sheet...")),
            &QAction::triggered, this, [this] { designs_->printSheet(); });
    connect(addItem(file, "mnuExportDesignSheet", QStringLiteral("Export Design Sheet as PDF...")),
            &QAction::triggered, this, [this] { designs_->exportSheetPdf(); });
    // Export of the current graph, also in every chart's context menu.
    chart::InstallGraphExport();
    auto currentGraph = [this] {
        QMdiSubWindow* sub = currentChild();
        return detail::CurrentGraph(sub ? sub->widget() : nullptr);
    };
    connect(addItem(file, "mnuSaveGraphAs", QStringLiteral("Save Graph &As..."), "Ctrl+Shift+S"),
            &QAction::triggered, this, [this, currentGraph] { chart::SaveGraphAs(currentGraph(), this); });
    connect(addItem(file, "mnuExportCurveData", QStringLiteral("Export Curve &Data..."), "Ctrl+E"),
            &QAction::triggered, this,
            [this, currentGraph] { chart::ExportCurveData(currentGraph(), this); });
    connect(addItem(file, "mnuCopyGraph", QStringLiteral("Cop&y Graph"), "Ctrl+Shift+C"), &QAction::triggered,
            this, [this, currentGraph] { chart::CopyGraph(currentGraph(), this); });
    // The design advisor's table, when its window is in front.
    auto advisorInFront = [this] { return qobject_cast<advisor_ui::AdvisorWindow*>(activeWorkingWindow()); };
    connect(addItem(file, "mnuExportTable", QStringLiteral("Export &Table as CSV...")), &QAction::triggered,
            this, [advisorInFront] {
                if (auto* a = advisorInFront()) a->exportCsv();
            });
    connect(addItem(file, "mnuCopyTable", QStringLiteral("Copy T&able")), &QAction::triggered, this,
            [advisorInFront] {
                if (auto* a = advisorInFront()) a->copyTable();
            });
    connect(addItem(file, "mnuCloseWindow", QStringLiteral("&Close Window")), &QAction::triggered, this,
            [this] { CloseActiveWindow(); });
    connect(addItem(file, "mnuExit", QStringLiteral("&Exit")), &QAction::triggered, this,
            [this] { close(); });

    struct TabItem {
        const char* name;
        QString text;
        const char* shortcut;
    };
    QMenu* materials = addMenu("mnuMaterials", QStringLiteral("&Material properties"));
    const TabItem materialItems[] = {
        {"mnuHysteresis", QStringLiteral("&Hysteresis"), "Ctrl+H"},
        {"mnumi", QStringLiteral("µ&i vs. T"), "Ctrl+T"},
        {"mnuLosses", QStringLiteral("&Pv vs. f, B, T"), "Ctrl+W"},
        {"mnumuavsB", QStringLiteral("µ&a vs. B"), "Ctrl+B"},
        {"mnummvsF", QStringLiteral("µ'-µ'' vs. &F"), "Ctrl+F"},
    };
    for (int tab = 0; tab < 5; ++tab) {
        const TabItem& it = materialItems[tab];
        connect(addItem(materials, it.name, it.text, it.shortcut), &QAction::triggered, this,
                [this, tab] { OpenMaterialTab(tab); });
    }

    QMenu* cores = addMenu("mnuCoreforms", QStringLiteral("&Core calculation"));
    const TabItem coreItems[] = {
        {"mnuDataOverview", QStringLiteral("Data &Overview"), nullptr},
        {"mnuAlvalue", QStringLiteral("&Al value"), nullptr},
        {"mnumevsT", QStringLiteral("µ&e vs. T"), "Ctrl+M"},
        {"mnuPTrans", QStringLiteral("&P Trans."), "Ctrl+L"},
        {"mnuDCBias", QStringLiteral("&DC-bias"), nullptr},
        {"mnuHarmonicdistortion", QStringLiteral("&Harmonic distortion"), nullptr},
        {"mnuwirecalculation", QStringLiteral("&Wire calculation"), nullptr},
    };
    for (int tab = 0; tab < 7; ++tab) {
        const TabItem& it = coreItems[tab];
        connect(addItem(cores, it.name, it.text, it.shortcut), &QAction::triggered, this,
                [this, tab] { OpenCoreFormTab(tab); });
    }
    cores->addSeparator();
    connect(addItem(cores, "mnuAdvisor", QStringLiteral("Design &Advisor...")), &QAction::triggered, this,
            [this] { OpenAdvisor(); });

    QMenu* help = addMenu("mnuHelp", QStringLiteral("&Help"));
    connect(addItem(help, "mnuContents", QStringLiteral("&Contents")), &QAction::triggered, this,
            [this] { ShowHelpContents(app_, this); });
    connect(addItem(help, "mnuSearch", QStringLiteral("&Search For Help On ...")), &QAction::triggered, this,
            [this] { HelpSearch(); });
    addItem(help, "mnuMaterialComparison", QStringLiteral("&Material Comparison"))->setEnabled(false);
    connect(addItem(help, "mnuDocumentation", QStringLiteral("&Documentation")), &QAction::triggered, this,
            [this] { OpenManual(app_, this); });
    connect(addItem(help, "mnuLicence", QStringLiteral("&Licence")), &QAction::triggered, this,
            [] { ShowLicence(); });
    connect(addItem(help, "mnuEmailAddress", QStringLiteral("&Email-Address")), &QAction::triggered, this,
            [this] { ShowEmailAddress(app_); });
    QAction* line = help->addSeparator();
    line->setObjectName(QStringLiteral("mnuLine"));
    connect(addItem(help, "mnuAbout", QStringLiteral("&About")), &QAction::triggered, this,
            [this] { ShowAbout(app_); });
}

void MainWindow::buildCommandStrip() {
    auto* picture1 = new QWidget(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    auto* rows = new QVBoxLayout(picture1);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(1);

    auto* commandRow = new QHBoxLayout;
    commandRow->setContentsMargins(0, 0, 0, Px(kCommandStripHeightTwips - kCommandButtonHeightTwips));
    commandRow->setSpacing(1);
    for (const CommandButton& c : kCommandButtons) {
        auto* b = new QPushButton(QString::fromUtf8(c.caption), picture1);
        b->setObjectName(QLatin1String(c.name));
        b->setMinimumWidth(Px(c.widthTwips));
        b->setFixedHeight(Px(kCommandButtonHeightTwips));
        b->setAutoDefault(false);
        commandRow->addWidget(b);
    }
    auto* advisorButton = new QPushButton(QStringLiteral("Design Advisor"), picture1);
    advisorButton->setObjectName(QStringLiteral("cmdAdvisor"));
    advisorButton->setFixedHeight(Px(kCommandButtonHeightTwips));
    advisorButton->setAutoDefault(false);
    advisorButton->setToolTip(QStringLiteral("Which cores and materials can do this?"));
    connect(advisorButton, &QPushButton::clicked, this, [this] { OpenAdvisor(); });
    commandRow->addWidget(advisorButton);
    commandRow->addStretch(1);
    rows->addLayout(commandRow);
    // The six picture buttons sit at the right end of the menu bar, so the command strip
    // keeps its design height and the working windows keep their room.
    auto* pictures = new QWidget(this);
    pictures->setObjectName(QStringLiteral("PictureButtons"));
    auto* pictureRow = new QHBoxLayout(pictures);
    pictureRow->setContentsMargins(0, 0, 2, 0);
    pictureRow->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(pictures);
        b->setObjectName(QStringLiteral("Picture3(%1)").arg(i));
        b->setIcon(PictureButtonIcon(i));
        b->setIconSize(QSize(18, 18));
        b->setAutoRaise(true);
        b->setToolTip(QLatin1String(kPictureHints[i]));
        connect(b, &QToolButton::clicked, this, [this, i] { PictureButton(i); });
        pictureRow->addWidget(b);
    }
    menuBar()->setCornerWidget(pictures, Qt::TopRightCorner);

    auto button = [picture1](const char* name) {
        return picture1->findChild<QPushButton*>(QLatin1String(name));
    };
    connect(button("Command_MatForm"), &QPushButton::clicked, this, [this] { MaterialPropertiesButton(); });
    connect(button("Command_CoreForm"), &QPushButton::clicked, this, [this] { CoreCalculationButton(); });
    connect(button("cmdPrint"), &QPushButton::clicked, this, [this] { PrintGraph(); });
    connect(button("CmdClear"), &QPushButton::clicked, this, [this] { ClearGraph(); });
    copy_ = button("CmdCopy");
    connect(copy_, &QPushButton::clicked, this, [this] { CopyGraph(); });
    connect(button("cmdGraph"), &QPushButton::clicked, this, [this] { GraphSettings(); });
    connect(button("CmdHelp"), &QPushButton::clicked, this, [this] { HelpSearch(); });
    connect(button("CmdExit"), &QPushButton::clicked, this, [this] { ExitProgram(); });

    auto* strip = new QToolBar(this);
    strip->setObjectName(QStringLiteral("CommandStrip"));
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->layout()->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(picture1);
    addToolBar(Qt::TopToolBarArea, strip);
}

void MainWindow::buildStatusStrip() {
    auto* picture2 = new QWidget(this);
    picture2->setObjectName(QStringLiteral("Picture2"));
    picture2->setFixedHeight(Px(kStatusStripHeightTwips));
    auto* layout = new QHBoxLayout(picture2);
    layout->setContentsMargins(Px(40), Px(20), 0, 0);
    label1_ = new QLabel(QStringLiteral("Tolvik"), picture2);
    label1_->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1_);
    layout->addStretch(1);

    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->addWidget(picture2, 1);
}

void MainWindow::PlaceOnScreen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect g = s->geometry();
    const QRect frame = frameGeometry();
    const MainWindowPosition p =
        MainWindowPlacement(double(g.width()) * kTwipsPerPixel, double(g.height()) * kTwipsPerPixel,
                            double(frame.width()) * kTwipsPerPixel, double(frame.height()) * kTwipsPerPixel);
    move(g.left() + int(std::lround(p.left / kTwipsPerPixel)), g.top() + p.top / kTwipsPerPixel);
}

template <typename F> void MainWindow::guarded(F&& f) {
    try {
        f();
    } catch (const data::DataError& e) {
        ui::ShowMessage(QString::fromStdString(e.what()), ui::kTitle, this);
    }
}

QMdiSubWindow* MainWindow::currentChild() const {
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    return sub && sub->isVisible() ? sub : nullptr;
}

void MainWindow::addWorkingWindow(QWidget* form) {
    // The frame takes the window's title once it is fitted around it: while it is fitted,
    // each step would shorten the title anew to the room in the title bar.
    const QString title = form->windowTitle();
    form->setWindowTitle(QString());
    QMdiSubWindow* sub = mdi_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The fields the window took are built anew for the next one while the user goes on.
    connect(sub, &QObject::destroyed, this, [this] {
        ui::field_stock::Refill(this);
        chart::chart_stock::Refill(this);
    });
    PaintFrameOutsideOnly(sub);
    PositionChildWindow(form);
    placeRemembered(sub, form->objectName());
    form->setWindowTitle(title);
}

QMdiSubWindow* MainWindow::ensureCoreForm() {
    if (!coreForm_) {
        auto* form = new core::CoreForm(app_);
        form->setHost(this);
        coreForm_ = form;
        addWorkingWindow(form);
    }
    return qobject_cast<QMdiSubWindow*>(coreForm_->parentWidget());
}

void MainWindow::OpenCoreFormTab(int tab) {
    guarded([&] {
        QMdiSubWindow* sub = ensureCoreForm();
        // Selecting another tab sets it up (the tab's own event); the tab shown already is
        // set up anew. Not both: twice the work, and a message of a failed read twice.
        if (coreForm_->tabControl()->currentIndex() != tab) {
            coreForm_->tabControl()->setCurrentIndex(tab);
        } else {
            double t = tab;
            coreForm_->ChangeTab(t);
        }
        if (!coreForm_ || !sub) return;
        sub->raise();
        mdi_->setActiveSubWindow(sub);
        sub->show();
        coreForm_->show();
    });
}

void MainWindow::OpenAdvisor() {
    if (!advisor_) {
        auto* window = new advisor_ui::AdvisorWindow(app_);
        QMdiSubWindow* sub = mdi_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        PaintFrameOutsideOnly(sub);
        sub->setGeometry(mdi_->viewport()->rect()); // the table and the chart want the room
        advisor_ = window;
        connect(window, &advisor_ui::AdvisorWindow::openDesign, this,
                [this](const advisor_ui::OpenRequest& r) { OpenDesign(r); });
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(advisor_->parentWidget());
    if (!sub) return;
    sub->show();
    sub->raise();
    mdi_->setActiveSubWindow(sub);
}

void MainWindow::OpenDesign(const advisor_ui::OpenRequest& r) {
    const bool choke = r.kind == advisor::Kind::Choke;
    OpenCoreFormTab(choke ? 4 : 3);
    if (!coreForm_) return;
    guarded([&] {
        const core::CoreForm::Part part{QString::fromStdString(r.kerntyp), r.lowProfile, r.hole,
                                        QString::fromStdString(r.material)};
        if (choke)
            coreForm_->showChoke(part, r.choke.temp_C == 100, r.choke.l_mH, r.choke.idc_A, r.choke.drop_pct);
        else
            coreForm_->showTransformer(part, r.transformer.f_kHz, r.transformer.dTmax_K / 2,
                                       r.transformer.dTmax_K / 2, r.transformer.fr,
                                       static_cast<int>(r.transformer.converter));
    });
}

QMdiSubWindow* MainWindow::ensureMatTab() {
    if (!matTab_) {
        auto* form = new material::MatTab(app_);
        form->setHost(this);
        matTab_ = form;
        addWorkingWindow(form);
    }
    return qobject_cast<QMdiSubWindow*>(matTab_->parentWidget());
}

void MainWindow::OpenMaterialTab(int tab) {
    guarded([&] {
        QMdiSubWindow* sub = ensureMatTab();
        matTab_->tabControl()->setCurrentIndex(tab);
        double t = tab;
        matTab_->ChangeTab(t);
        if (!matTab_ || !sub) return;
        sub->raise();
        mdi_->setActiveSubWindow(sub);
        sub->show();
        matTab_->show();
    });
}

void MainWindow::CoreCalculationButton() {
    guarded([&] {
        if (QMdiSubWindow* active = currentChild()) active->hide();
        QMdiSubWindow* sub = ensureCoreForm();
        if (sub) {
            sub->show();
            mdi_->setActiveSubWindow(sub);
        }
        coreForm_->show();
        coreForm_->tabControl()->setCurrentIndex(0);
        label1_->setText(QStringLiteral("Core Form"));
    });
}

void MainWindow::MaterialPropertiesButton() {
    // The active window stays visible; the tab control's own change sets the tab up.
    guarded([&] {
        QMdiSubWindow* sub = ensureMatTab();
        if (sub) {
            sub->show();
            mdi_->setActiveSubWindow(sub);
        }
        matTab_->show();
        matTab_->tabControl()->setCurrentIndex(0);
        label1_->setText(QStringLiteral("Material Form"));
    });
}

void MainWindow::CloseActiveWindow() {
    if (QMdiSubWindow* sub = currentChild()) sub->close();
}

void MainWindow::PictureButton(int index) {
    WaitCursor wait;
    switch (index) {
    case 0:
        PrintGraph();
        break;
    case 1:
        ExitProgram();
        break;
    case 2:
        ClearGraph();
        break;
    case 3:
        CopyGraph();
        break;
    case 4:
        HelpSearch();
        break;
    case 5:
        GraphSettings();
        break;
    default:
        break;
    }
}

QWidget* MainWindow::activeWorkingWindow() const {
    QMdiSubWindow* sub = currentChild();
    return sub ? sub->widget() : nullptr;
}

void MainWindow::PrintGraph() {
    const int matTab = matTab_ ? matTab_->tabControl()->currentIndex() : 0;
    shell::PrintGraph(activeWorkingWindow(), app_, matTab, this);
}

void MainWindow::ClearGraph() {
    shell::ClearGraph(activeWorkingWindow(), app_);
}

void MainWindow::CopyGraph() {
    shell::CopyGraph(activeWorkingWindow(), app_, copy_, this);
}

void MainWindow::setCopyEnabled(bool enabled) {
    copy_->setEnabled(enabled);
}

void MainWindow::showStatusHint(const QString& hint) {
    label1_->setText(hint);
}

void MainWindow::GraphSettings() {
    shell::GraphSettings(activeWorkingWindow(), this);
}

void MainWindow::HelpSearch() {
    ShowHelpIndex(app_, this);
}

void MainWindow::ExitProgram() {
    if (!designs_->confirmClose()) return;
    UnloadAllWindows(this);
}

void MainWindow::RememberLayout() {
    rememberLayout_ = true;
    if (!restoreGeometry(Settings().value(QStringLiteral("layout/main")).toByteArray())) PlaceOnScreen();
}

void MainWindow::placeRemembered(QMdiSubWindow* sub, const QString& name) {
    if (!rememberLayout_ || !sub) return;
    const QRect r = Settings().value(QStringLiteral("layout/") + name).toRect();
    if (r.isValid() && mdi_->rect().intersects(r)) sub->setGeometry(r);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && !preparedAhead_) {
        // What is prepared while the user reaches for a menu starts once the window has
        // painted: the children paint in this same pass, so the posted call runs after them.
        // (The first repaint is asked for before the window is exposed, and paints nothing.)
        preparedAhead_ = true;
        QTimer::singleShot(0, this, [this] { prepareAhead(); });
    }
    if (event->type() != QEvent::UpdateRequest) return QMainWindow::event(event);
    // The layouts an action changed are done before the window repaints. Qt lays out one
    // level of nested frames per pass of the event loop, and the repaint would otherwise
    // come after the first: the window painted before a frame that shrank or grew, and
    // again after.
    for (int pass = 0; pass < 8; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // A widget shown asks for its first paint by a posted event. Those shown after the
    // repaint was asked for (a chart shown first makes the window ask at once) would be
    // painted after this repaint, and the window with them once more.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    return QMainWindow::event(event);
}

void MainWindow::prepareAhead() {
    // The core names are read on a worker once the window stands, while the user reaches
    // for a menu. Read as the core window opened, on a file of a large catalogue, they made
    // the opening half as slow again on a two-core machine. Started before the window had
    // painted, the worker took the core that Qt's painting hands parts of its fills to, and
    // the first paint waited for it.
    core::CoreForm::ReadNamesAhead(app_);
    WarmUpDrawing();
    ui::field_stock::Refill(this);
    chart::chart_stock::Refill(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!designs_->confirmClose()) {
        event->ignore();
        return;
    }
    if (rememberLayout_) {
        Settings().setValue(QStringLiteral("layout/main"), saveGeometry());
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            if (sub->widget())
                Settings().setValue(QStringLiteral("layout/") + sub->widget()->objectName(), sub->geometry());
    }
    mdi_->closeAllSubWindows();
    for (const char* name : {"Haftung", "frmDiverses", "HelpWindow"})
        CloseWindowsNamed(this, QLatin1String(name));
    event->accept();
}

void PositionChildWindow(QWidget* window) {
    if (!window) return;
    QWidget* target = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) target = sub;
    const WindowPosition p = ChildWindowPosition();
    target->move(p.left, p.top);
}

void CenterWindow(QWidget* window) {
    if (!window) return;
    QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect g = s->geometry();
    const QSize size = window->frameGeometry().size();
    const WindowPosition p =
        CenterPosition({g.left(), g.top(), g.width(), g.height()}, size.width(), size.height());
    window->move(p.left, p.top);
}

void UnloadAllWindows(QWidget* mainWindow) {
    for (const char* name : {"MatTab", "CoreForm", "Haftung"})
        CloseWindowsNamed(mainWindow, QLatin1String(name));
    if (mainWindow) mainWindow->close();
}

} // namespace tolvik::shell
