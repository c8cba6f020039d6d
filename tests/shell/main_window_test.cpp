// Start-up and the main window: caption, menus, strips, closing and routing.

#include "sqlite_fixture.h"

#include "tolvik/core/core_form.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/placement.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace tolvik;
using tolvik::shell::MainWindow;

namespace {

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList ActionNames(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << a->objectName();
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        testing::WriteStandardFixture(dir_.filePath(QStringLiteral("db1.mdb")));
    }

    void init() {
        recorder_ = &ui::InstallRecordingMessages();
        app_ = std::make_unique<AppContext>();
        QVERIFY(shell::StartUp(*app_, dir_.path()));
        window_ = std::make_unique<MainWindow>(*app_);
    }

    void cleanup() {
        sampleWindow_.reset();
        sampleApp_.reset();
        window_.reset();
        app_.reset();
        ui::SetMessageService(nullptr);
    }

    // --- start-up ---

    void startUpFixesPathsAndOpensDatabase() {
        QCOMPARE(QString::fromStdString(app_->appFolder), dir_.path());
        QCOMPARE(QString::fromStdString(app_->databasePath), dir_.path() + QStringLiteral("/db1.mdb"));
        QVERIFY(app_->database != nullptr);
        QCOMPARE(app_->versionText, std::string("4.0"));
        QVERIFY(recorder_->messages.empty());
    }

    void missingDataFileGivesOrderlyMessage() {
        QTemporaryDir empty;
        AppContext app;
        QVERIFY(!shell::StartUp(app, empty.path()));
        QVERIFY(app.database == nullptr);
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].title, QStringLiteral("Tolvik"));
        QVERIFY(recorder_->messages[0].text.contains(empty.path() + QStringLiteral("/db1.mdb")));
    }

    void programEndsWithFailureWithoutDataFile() {
        QTemporaryDir empty;
        QCOMPARE(shell::RunProgram(empty.path()), 1);
        QCOMPARE(recorder_->messages.size(), size_t(1));
    }

    void unreadableDataFileGivesOrderlyMessage() {
        QTemporaryDir folder;
        QFile junk(folder.filePath(QStringLiteral("db1.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a database at all, just some text long enough to be read");
        junk.close();
        AppContext app;
        QVERIFY(!shell::StartUp(app, folder.path()));
        QCOMPARE(recorder_->messages.size(), size_t(1));
    }

    // --- window ---

    void captionAndName() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("KESTRON - Tolvik 4.0"));
        QCOMPARE(window_->objectName(), QStringLiteral("ZUVErudedi"));
        QVERIFY(qobject_cast<QMdiArea*>(window_->centralWidget()) != nullptr);
        QCOMPARE(window_->width(), 800);
    }

    void commandButtons() {
        const QList<QPair<QString, QString>> buttons = {{"Command_MatForm", "Material Properties"},
                                                        {"Command_CoreForm", "Core Calculation"},
                                                        {"cmdPrint", "Print"},
                                                        {"CmdClear", "Clear"},
                                                        {"CmdCopy", "Copy"},
                                                        {"cmdGraph", "Graph"},
                                                        {"CmdHelp", "Help"},
                                                        {"CmdExit", "Exit"}};
        auto* strip = window_->findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(strip);
        for (const auto& [name, caption] : buttons) {
            auto* b = strip->findChild<QPushButton*>(name);
            QVERIFY2(b, qPrintable(name));
            QCOMPARE(b->text(), caption);
        }
        for (int i = 0; i < 6; ++i) {
            auto* p = window_->findChild<QToolButton*>(QStringLiteral("Picture3(%1)").arg(i));
            QVERIFY(p);
            QVERIFY(!p->icon().isNull());
        }
    }

    void statusStrip() {
        auto* strip = window_->findChild<QWidget*>(QStringLiteral("Picture2"));
        QVERIFY(strip);
        auto* label = strip->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Tolvik"));
        QCOMPARE(window_->statusLabel(), label);
    }

    void menuTree() {
        struct Item {
            const char* name;
            QString text;
            QString shortcut;
        };
        const Item items[] = {
            {"mnuPrint", "&Print", ""},
            {"mnuCloseWindow", "&Close Window", ""},
            {"mnuExit", "&Exit", ""},
            {"mnuHysteresis", "&Hysteresis", "Ctrl+H"},
            {"mnumi", QString::fromUtf8("µ&i vs. T"), "Ctrl+T"},
            {"mnuLosses", "&Pv vs. f, B, T", "Ctrl+W"},
            {"mnumuavsB", QString::fromUtf8("µ&a vs. B"), "Ctrl+B"},
            {"mnummvsF", QString::fromUtf8("µ'-µ'' vs. &F"), "Ctrl+F"},
            {"mnuDataOverview", "Data &Overview", ""},
            {"mnuAlvalue", "&Al value", ""},
            {"mnumevsT", QString::fromUtf8("µ&e vs. T"), "Ctrl+M"},
            {"mnuPTrans", "&P Trans.", "Ctrl+L"},
            {"mnuDCBias", "&DC-bias", ""},
            {"mnuHarmonicdistortion", "&Harmonic distortion", ""},
            {"mnuwirecalculation", "&Wire calculation", ""},
            {"mnuContents", "&Contents", ""},
            {"mnuSearch", "&Search For Help On ...", ""},
            {"mnuMaterialComparison", "&Material Comparison", ""},
            {"mnuDocumentation", "&Documentation", ""},
            {"mnuLicence", "&Licence", ""},
            {"mnuEmailAddress", "&Email-Address", ""},
            {"mnuAbout", "&About", ""},
        };
        for (const Item& it : items) {
            auto* a = window_->findChild<QAction*>(QLatin1String(it.name));
            QVERIFY2(a, it.name);
            QCOMPARE(a->text(), it.text);
            QCOMPARE(a->shortcut(), QKeySequence(it.shortcut));
        }
        const QList<QPair<QString, QString>> menus = {{"mnuFile", "&File"},
                                                      {"mnuMaterials", "&Material properties"},
                                                      {"mnuCoreforms", "&Core calculation"},
                                                      {"mnuHelp", "&Help"}};
        QStringList barOrder;
        for (const QAction* a : window_->menuBar()->actions())
            barOrder << a->text();
        QStringList expectedOrder;
        for (const auto& [name, title] : menus) {
            auto* m = window_->findChild<QMenu*>(name);
            QVERIFY2(m, qPrintable(name));
            QCOMPARE(m->title(), title);
            expectedOrder << title;
        }
        QCOMPARE(barOrder, expectedOrder);
        QCOMPARE(ActionNames(window_->findChild<QMenu*>(QStringLiteral("mnuFile"))),
                 QStringList({"mnuPrint", "mnuCloseWindow", "mnuExit"}));
        auto* help = window_->findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QCOMPARE(ActionNames(help),
                 QStringList({"mnuContents", "mnuSearch", "mnuMaterialComparison", "mnuDocumentation",
                              "mnuLicence", "mnuEmailAddress", "mnuLine", "mnuAbout"}));
        QVERIFY(help->actions().at(6)->isSeparator());
    }

    void materialComparisonIsDisabled() {
        auto* a = window_->findChild<QAction*>(QStringLiteral("mnuMaterialComparison"));
        QVERIFY(a);
        QVERIFY(!a->isEnabled());
    }

    void printMenuPressesPrintButton() {
        auto* b = window_->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        QSignalSpy spy(b, &QPushButton::clicked);
        window_->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger();
        QCOMPARE(spy.count(), 1);
    }

    void closeWindowWithoutChildDoesNothing() {
        window_->show();
        window_->findChild<QAction*>(QStringLiteral("mnuCloseWindow"))->trigger();
        QVERIFY(window_->isVisible());
        QVERIFY(window_->mdiArea()->subWindowList().isEmpty());
        QVERIFY(recorder_->messages.empty());
    }

    void closeWindowClosesActiveChild() {
        window_->show();
        auto* child = new QWidget;
        QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        window_->mdiArea()->setActiveSubWindow(sub);
        QPointer<QWidget> guard(child);
        window_->findChild<QAction*>(QStringLiteral("mnuCloseWindow"))->trigger();
        ProcessDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(window_->isVisible());
    }

    void positionChildWindowMovesSubWindow() {
        auto* child = new QWidget;
        QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(child);
        sub->move(50, 60);
        shell::PositionChildWindow(child);
        QCOMPARE(sub->pos(), QPoint(0, 1));
    }

    void placeOnScreen() {
        QScreen* screen = window_->screen();
        QVERIFY(screen);
        window_->PlaceOnScreen();
        const QRect g = screen->geometry();
        const auto expected = shell::MainWindowPlacement(g.width() * 15.0, g.height() * 15.0,
                                                         window_->frameGeometry().width() * 15.0,
                                                         window_->frameGeometry().height() * 15.0);
        QCOMPARE(window_->pos().x(), g.left() + int(std::lround(expected.left / 15)));
        QCOMPARE(window_->pos().y(), g.top() + expected.top / 15);
        if (g.height() == 600) QCOMPARE(window_->pos().y(), g.top());
    }

    void centerWindowOnScreen() {
        QWidget free;
        free.resize(200, 100);
        shell::CenterWindow(&free);
        const QRect g = free.screen()->geometry();
        const QSize s = free.frameGeometry().size();
        QVERIFY(free.pos().x() >= g.left() && free.pos().y() >= g.top());
        QVERIFY(std::abs(free.pos().x() + s.width() / 2 - g.center().x()) <= 1);
        QVERIFY(std::abs(free.pos().y() + s.height() / 2 - g.center().y()) <= 1);
    }

    void exitButtonUnloadsAllWindows() {
        window_->show();
        QWidget licence;
        licence.setObjectName(QStringLiteral("Haftung"));
        licence.show();
        QWidget other;
        other.setObjectName(QStringLiteral("Other"));
        other.show();
        window_->findChild<QPushButton*>(QStringLiteral("CmdExit"))->click();
        QVERIFY(!licence.isVisible());
        QVERIFY(other.isVisible());
        QVERIFY(!window_->isVisible());
    }

    void exitPictureButtonRestoresCursor() {
        window_->show();
        window_->findChild<QToolButton*>(QStringLiteral("Picture3(1)"))->click();
        QVERIFY(!window_->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void exitMenuClosesMainWindow() {
        window_->show();
        auto* child = new QWidget;
        QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        QPointer<QMdiSubWindow> guard(sub);
        window_->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
        ProcessDeletes();
        QVERIFY(!window_->isVisible());
        QVERIFY(guard.isNull());
    }

    void pictureButtonsWithoutActionKeepWindow() {
        window_->show();
        for (int i : {0, 2, 3, 4, 5}) {
            window_->findChild<QToolButton*>(QStringLiteral("Picture3(%1)").arg(i))->click();
            QVERIFY(window_->isVisible());
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
    }

    // --- routing to Core calculation (needs the sample data file) ---

    void coreMenuItemsOpenOneCoreFormOnTheirTab() {
        MainWindow* w = sampleWindow();
        if (!w) QSKIP("sample data file not built");
        w->findChild<QAction*>(QStringLiteral("mnuDCBias"))->trigger();
        QVERIFY(w->coreForm());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 4);
        QCOMPARE(w->coreForm()->objectName(), QStringLiteral("CoreForm"));
        QPointer<core::CoreForm> first = w->coreForm();
        w->findChild<QAction*>(QStringLiteral("mnumevsT"))->trigger();
        QCOMPARE(w->coreForm(), first.data());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 2);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(w->mdiArea()->subWindowList().first()->pos(), QPoint(0, 1));
        QVERIFY(recorder_->messages.empty());
    }

    void coreCalculationButtonHidesActiveChild() {
        MainWindow* w = sampleWindow();
        if (!w) QSKIP("sample data file not built");
        QMdiSubWindow* other = w->mdiArea()->addSubWindow(new QWidget);
        other->show();
        w->mdiArea()->setActiveSubWindow(other);
        w->findChild<QPushButton*>(QStringLiteral("Command_CoreForm"))->click();
        QVERIFY(!other->isVisible());
        QVERIFY(w->coreForm());
        QVERIFY(w->coreForm()->isVisible());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 0);
        QCOMPARE(w->statusLabel()->text(), QStringLiteral("Core Form"));
        // Close Window now closes the Core calculation window.
        w->findChild<QAction*>(QStringLiteral("mnuCloseWindow"))->trigger();
        ProcessDeletes();
        QVERIFY(!w->coreForm());
    }

private:
    /// A main window on the sample data file, or nullptr when it is not there.
    MainWindow* sampleWindow() {
        const QString sample = QStringLiteral(TOLVIK_SAMPLE_DATABASE);
        if (!QFile::exists(sample)) return nullptr;
        sampleApp_ = std::make_unique<AppContext>();
        if (!shell::StartUp(*sampleApp_, QFileInfo(sample).path())) return nullptr;
        sampleWindow_ = std::make_unique<MainWindow>(*sampleApp_);
        sampleWindow_->show();
        return sampleWindow_.get();
    }

    QTemporaryDir dir_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<AppContext> sampleApp_;
    std::unique_ptr<MainWindow> sampleWindow_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
