// Start-up and the main window: caption, closing and routing; placement arithmetic of the main
// window and the free windows (twips: 15 per pixel).

#include "tolvik/core/core_form.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/placement.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace tolvik;
using tolvik::shell::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        recorder_ = &ui::InstallRecordingMessages();
        app_ = std::make_unique<AppContext>();
        QVERIFY(shell::StartUp(*app_, QFileInfo(sample_).path()));
        window_ = std::make_unique<MainWindow>(*app_);
    }
    void cleanup() {
        window_.reset();
        app_.reset();
        ui::SetMessageService(nullptr);
    }

    void startUpOpensTheDataFileAndShowsTheCaption() {
        QCOMPARE(QFileInfo(QString::fromStdString(app_->databasePath)), QFileInfo(sample_));
        QVERIFY(app_->database != nullptr);
        QVERIFY(recorder_->messages.empty());
        QCOMPARE(window_->windowTitle(), u"KESTRON - Tolvik 4.0"_s);
        QCOMPARE(window_->statusLabel()->text(), u"Tolvik"_s);
        QVERIFY(!window_->findChild<QAction*>(u"mnuMaterialComparison"_s)->isEnabled());
    }

    void startUpWithoutDataFileFailsWithOrderlyMessage() {
        // Damaged data files: tolvik_data_file_tests.
        QTemporaryDir folder;
        AppContext app;
        QVERIFY(!shell::StartUp(app, folder.path()));
        QVERIFY(app.database == nullptr);
        QCOMPARE(recorder_->messages.size(), size_t(1));
        QCOMPARE(recorder_->messages[0].title, u"Tolvik"_s);
        QVERIFY(recorder_->messages[0].text.contains(folder.filePath(u"db1.mdb"_s)));
        QCOMPARE(shell::RunProgram(folder.path()), 1); // the program ends with failure
        QCOMPARE(recorder_->messages.size(), size_t(2));
    }

    void exitClosesTheProgramsWindows() {
        for (const char* name : {"CmdExit", "Picture3(1)", "mnuExit"}) {
            window_->show();
            QWidget licence, other;
            licence.setObjectName(u"Haftung"_s);
            licence.show();
            other.show();
            QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(new QWidget);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->show();
            QPointer<QMdiSubWindow> guard(sub);
            if (auto* a = window_->findChild<QAction*>(QLatin1String(name)))
                a->trigger();
            else
                window_->findChild<QAbstractButton*>(QLatin1String(name))->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!window_->isVisible() && guard.isNull(), name);
            QVERIFY2(!licence.isVisible(), name); // the licence window goes too, others stay
            QVERIFY2(other.isVisible(), name);
            QVERIFY2(QApplication::overrideCursor() == nullptr, name);
        }
        window_->show();
        for (int i : {0, 2, 3, 4, 5}) { // picture buttons without an action keep the window
            window_->findChild<QToolButton*>(u"Picture3(%1)"_s.arg(i))->click();
            QVERIFY(window_->isVisible());
        }
    }

    // --- routing to Core calculation ---

    void coreMenuItemsOpenOneCoreFormOnTheirTab() {
        MainWindow* w = window_.get();
        w->show();
        w->findChild<QAction*>(u"mnuDCBias"_s)->trigger();
        QPointer<core::CoreForm> first = w->coreForm();
        QVERIFY(first);
        QCOMPARE(first->tabControl()->currentIndex(), 4);
        w->findChild<QAction*>(u"mnumevsT"_s)->trigger();
        QCOMPARE(w->coreForm(), first.data());
        QCOMPARE(first->tabControl()->currentIndex(), 2);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QVERIFY(recorder_->messages.empty());
    }

    void coreCalculationButtonHidesActiveChild() {
        MainWindow* w = window_.get();
        w->show();
        QMdiSubWindow* other = w->mdiArea()->addSubWindow(new QWidget);
        other->show();
        w->mdiArea()->setActiveSubWindow(other);
        w->findChild<QPushButton*>(u"Command_CoreForm"_s)->click();
        QVERIFY(!other->isVisible());
        QVERIFY(w->coreForm() && w->coreForm()->isVisible());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 0);
        QCOMPARE(w->statusLabel()->text(), u"Core Form"_s);
        auto* close = w->findChild<QAction*>(u"mnuCloseWindow"_s);
        close->trigger(); // closes the active child only
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->coreForm());
        QCOMPARE(w->mdiArea()->subWindowList(), QList<QMdiSubWindow*>{other});
        QVERIFY(w->isVisible());
        delete other;
        close->trigger(); // no child: nothing happens
        QVERIFY(w->isVisible());
        QVERIFY(recorder_->messages.empty());
    }

    // --- placement ---

    void roundsHalfToEvenWithin16Bits() {
        const struct {
            double x;
            std::int16_t expected;
        } cases[] = {{2.5, 2},       {3.5, 4},     {-2.5, -2},     {-3.5, -4}, {1260.4, 1260},
                     {1260.6, 1261}, {1e9, 32767}, {-1e9, -32768}, {NAN, 0},   {INFINITY, 32767}};
        for (const auto& c : cases)
            QVERIFY2(shell::RoundToInt16(c.x) == c.expected, qPrintable(QString::number(c.x)));
    }

    void mainWindowPlacement() {
        const struct {
            double screenW, screenH, windowW, windowH;
            float left;
            std::int16_t top;
            const char* source;
        } cases[] = {
            {12000, 9000, 12000, 8310, 0, 0, "600-pixel screen: at the top"},
            {15360, 9000, 12000, 8310, 1680, 0, "wide 600-pixel screen: centred, at the top"},
            {15360, 11520, 12000, 9000, 1680, 1260, "other screens: centred"},
            {12000, 9001, 12000, 8310, 0, 346, "one twip more than 600 pixels: centred"},
            {12000, 11521, 12000, 9000, 0, 1260, "top 1260.5 rounds to even"},
            {12000, 11523, 12000, 9000, 0, 1262, "top 1261.5 rounds to even"},
            {12001, 12000, 12000, 9000, 0.5f, 1500, "left is not rounded"},
        };
        for (const auto& c : cases) {
            const auto p = shell::MainWindowPlacement(c.screenW, c.screenH, c.windowW, c.windowH);
            QVERIFY2(p.left == c.left && p.top == c.top, c.source);
        }
    }

    void centreOnScreen() {
        const struct {
            shell::ScreenRect screen;
            int w, h;
            shell::WindowPosition expected;
            const char* source;
        } cases[] = {
            {{0, 0, 1280, 1024}, 400, 300, {440, 362}, "centred"},
            {{0, 0, 1281, 1024}, 101, 300, {590, 362}, "half a screen 640.5 rounds to even"},
            {{1280, 0, 1920, 1080}, 100, 100, {1280 + 910, 490}, "second screen"},
            {{0, 0, 800, 600}, 1000, 700, {0, 0}, "larger: the title bar stays reachable"},
            {{100, 50, 800, 600}, 1000, 700, {100, 50}, "larger, on a shifted screen"},
            {{0, 0, 800, 600}, 900, 200, {0, 200}, "wider only: still centred vertically"},
        };
        for (const auto& c : cases)
            QVERIFY2(shell::CenterPosition(c.screen, c.w, c.h) == c.expected, c.source);
        QCOMPARE(shell::ChildWindowPosition(), (shell::WindowPosition{0, 1})); // top 20 twips
    }

private:
    const QString sample_ = QStringLiteral(TOLVIK_SAMPLE_DATABASE);
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<MainWindow> window_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
