// Start-up and the main window: caption, closing and routing.

#include "tolvik/core/core_form.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

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

    void startUpFailsWithOrderlyMessage() {
        // Missing, junk, and empty (0 bytes: a database without the program's tables).
        for (const int kind : {0, 1, 2}) {
            QTemporaryDir folder;
            const QString path = folder.filePath(u"db1.mdb"_s);
            if (kind != 0) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                if (kind == 1)
                    file.write("this is not a database at all, just some text long enough to be read");
            }
            recorder_->messages.clear();
            AppContext app;
            QVERIFY(!shell::StartUp(app, folder.path()));
            QVERIFY(app.database == nullptr);
            QCOMPARE(recorder_->messages.size(), size_t(1));
            QCOMPARE(recorder_->messages[0].title, u"Tolvik"_s);
            if (kind != 1) QVERIFY(recorder_->messages[0].text.contains(path));
            if (kind == 2) QVERIFY(recorder_->messages[0].text.contains(u"no data file"_s));
            QCOMPARE(shell::RunProgram(folder.path()), 1); // the program ends with failure
            QCOMPARE(recorder_->messages.size(), size_t(2));
        }
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

private:
    const QString sample_ = QStringLiteral(TOLVIK_SAMPLE_DATABASE);
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<MainWindow> window_;
    ui::RecordingMessageService* recorder_ = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
