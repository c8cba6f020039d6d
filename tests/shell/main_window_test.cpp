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

using namespace Qt::StringLiterals;

using namespace tolvik;
using tolvik::shell::MainWindow;

namespace {

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList Names(const QList<QAction*>& actions, bool text) {
    QStringList out;
    for (const QAction* a : actions)
        out << (text ? a->text() : a->objectName());
    return out;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        testing::WriteStandardFixture(dir_.filePath(u"db1.mdb"_s));
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

    void startUpFixesPathsAndOpensDatabase() {
        QCOMPARE(QString::fromStdString(app_->appFolder), dir_.path());
        QCOMPARE(QString::fromStdString(app_->databasePath), dir_.path() + u"/db1.mdb"_s);
        QVERIFY(app_->database != nullptr);
        QCOMPARE(app_->versionText, std::string("4.0"));
        QVERIFY(recorder_->messages.empty());
    }

    void startUpFailsWithOrderlyMessage() {
        // Missing, junk, and empty (0 bytes: a database without the program's tables).
        for (const int kind : {0, 1, 2}) {
            const bool junk = kind != 0;
            QTemporaryDir folder;
            const QString path = folder.filePath(u"db1.mdb"_s);
            if (junk) {
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

    void captionAndStrips() {
        QCOMPARE(window_->windowTitle(), u"KESTRON - Tolvik 4.0"_s);
        QCOMPARE(window_->objectName(), u"ZUVErudedi"_s);
        QVERIFY(qobject_cast<QMdiArea*>(window_->centralWidget()) != nullptr);
        QCOMPARE(window_->width(), 800);
        const QList<QPair<QString, QString>> buttons = {{"Command_MatForm", "Material Properties"},
                                                        {"Command_CoreForm", "Core Calculation"},
                                                        {"cmdPrint", "Print"},
                                                        {"CmdClear", "Clear"},
                                                        {"CmdCopy", "Copy"},
                                                        {"cmdGraph", "Graph"},
                                                        {"CmdHelp", "Help"},
                                                        {"CmdExit", "Exit"}};
        auto* strip = window_->findChild<QWidget*>(u"Picture1"_s);
        QVERIFY(strip);
        for (const auto& [name, caption] : buttons) {
            auto* b = strip->findChild<QPushButton*>(name);
            QVERIFY2(b && b->text() == caption, qPrintable(name));
        }
        for (int i = 0; i < 6; ++i) {
            auto* p = window_->findChild<QToolButton*>(u"Picture3(%1)"_s.arg(i));
            QVERIFY(p && !p->icon().isNull());
        }
        auto* status = window_->findChild<QWidget*>(u"Picture2"_s);
        QVERIFY(status);
        auto* label = status->findChild<QLabel*>(u"Label1"_s);
        QVERIFY(label);
        QCOMPARE(label->text(), u"Tolvik"_s);
        QCOMPARE(window_->statusLabel(), label);
    }

    void menuTree() {
        const struct {
            const char* name;
            QString text;
            QString shortcut;
        } items[] = {
            {"mnuOpenDesign", "&Open Design...", "Ctrl+O"},
            {"mnuSaveDesign", "&Save Design", "Ctrl+S"},
            {"mnuSaveDesignAs", "Save Design &As...", ""},
            {"mnuPrint", "&Print", ""},
            {"mnuPrintDesignSheet", "Print Design &Sheet...", ""},
            {"mnuExportDesignSheet", "Export Design Sheet as PDF...", ""},
            {"mnuSaveGraphAs", "Save Graph &As...", "Ctrl+Shift+S"},
            {"mnuExportCurveData", "Export Curve &Data...", "Ctrl+E"},
            {"mnuCopyGraph", "Cop&y Graph", "Ctrl+Shift+C"},
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
        for (const auto& it : items) {
            auto* a = window_->findChild<QAction*>(QLatin1String(it.name));
            QVERIFY2(a, it.name);
            QCOMPARE(a->text(), it.text);
            QCOMPARE(a->shortcut(), QKeySequence(it.shortcut));
            QCOMPARE(a->isEnabled(), qstrcmp(it.name, "mnuMaterialComparison") != 0);
        }
        QCOMPARE(Names(window_->menuBar()->actions(), true),
                 (QStringList{"&File", "&Material properties", "&Core calculation", "&Help"}));
        const QStringList menus{"mnuFile", "mnuMaterials", "mnuCoreforms", "mnuHelp"};
        for (int i = 0; i < menus.size(); ++i)
            QCOMPARE(window_->findChild<QMenu*>(menus[i])->menuAction(), window_->menuBar()->actions().at(i));
        QCOMPARE(Names(window_->findChild<QMenu*>(u"mnuFile"_s)->actions(), false),
                 (QStringList{"mnuOpenDesign", "mnuSaveDesign", "mnuSaveDesignAs", "", "", "mnuPrint",
                              "mnuPrintDesignSheet", "mnuExportDesignSheet", "mnuSaveGraphAs",
                              "mnuExportCurveData", "mnuCopyGraph", "mnuExportTable", "mnuCopyTable",
                              "mnuCloseWindow", "mnuExit"}));
        auto* help = window_->findChild<QMenu*>(u"mnuHelp"_s);
        QCOMPARE(Names(help->actions(), false),
                 (QStringList{"mnuContents", "mnuSearch", "mnuMaterialComparison", "mnuDocumentation",
                              "mnuLicence", "mnuEmailAddress", "mnuLine", "mnuAbout"}));
        QVERIFY(help->actions().at(6)->isSeparator());
    }

    void printMenuPressesPrintButton() {
        QSignalSpy spy(window_->findChild<QPushButton*>(u"cmdPrint"_s), &QPushButton::clicked);
        window_->findChild<QAction*>(u"mnuPrint"_s)->trigger();
        QCOMPARE(spy.count(), 1);
    }

    void closeWindowClosesTheActiveChildOnly() {
        window_->show();
        auto* close = window_->findChild<QAction*>(u"mnuCloseWindow"_s);
        close->trigger(); // no child: nothing happens
        QVERIFY(window_->isVisible());
        QVERIFY(recorder_->messages.empty());
        auto* child = new QWidget;
        QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        window_->mdiArea()->setActiveSubWindow(sub);
        QPointer<QWidget> guard(child);
        close->trigger();
        ProcessDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(window_->isVisible());
    }

    void windowsArePlaced() {
        auto* child = new QWidget;
        QMdiSubWindow* sub = window_->mdiArea()->addSubWindow(child);
        sub->move(50, 60);
        shell::PositionChildWindow(child);
        QCOMPARE(sub->pos(), QPoint(0, 1));

        window_->PlaceOnScreen();
        const QRect g = window_->screen()->geometry();
        const QRect frame = window_->frameGeometry();
        const auto expected = shell::MainWindowPlacement(g.width() * 15.0, g.height() * 15.0,
                                                         frame.width() * 15.0, frame.height() * 15.0);
        QCOMPARE(window_->pos(),
                 QPoint(g.left() + int(std::lround(expected.left / 15)), g.top() + expected.top / 15));

        QWidget free;
        free.resize(200, 100);
        shell::CenterWindow(&free);
        const QRect s = free.screen()->geometry();
        const QSize size = free.frameGeometry().size();
        QVERIFY(free.pos().x() >= s.left() && free.pos().y() >= s.top());
        QVERIFY(std::abs(free.pos().x() + size.width() / 2 - s.center().x()) <= 1);
        QVERIFY(std::abs(free.pos().y() + size.height() / 2 - s.center().y()) <= 1);
    }

    void exitClosesTheProgramsWindows() {
        for (const char* name : {"CmdExit", "Picture3(1)", "mnuExit"}) {
            window_->show();
            QWidget licence, other;
            licence.setObjectName(u"Haftung"_s);
            other.setObjectName(u"Other"_s);
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
            ProcessDeletes();
            QVERIFY2(!window_->isVisible(), name);
            QVERIFY2(guard.isNull(), name);
            QVERIFY2(!licence.isVisible(), name); // the licence window goes too, others stay
            QVERIFY2(other.isVisible(), name);
            QVERIFY2(QApplication::overrideCursor() == nullptr, name);
        }
        window_->show();
        for (int i : {0, 2, 3, 4, 5}) { // picture buttons without an action keep the window
            window_->findChild<QToolButton*>(u"Picture3(%1)"_s.arg(i))->click();
            QVERIFY(window_->isVisible());
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
    }

    // --- routing to Core calculation (needs the sample data file) ---

    void coreMenuItemsOpenOneCoreFormOnTheirTab() {
        MainWindow* w = sampleWindow();
        if (!w) QSKIP("sample data file not built");
        w->findChild<QAction*>(u"mnuDCBias"_s)->trigger();
        QPointer<core::CoreForm> first = w->coreForm();
        QVERIFY(first);
        QCOMPARE(first->tabControl()->currentIndex(), 4);
        QCOMPARE(first->objectName(), u"CoreForm"_s);
        w->findChild<QAction*>(u"mnumevsT"_s)->trigger();
        QCOMPARE(w->coreForm(), first.data());
        QCOMPARE(first->tabControl()->currentIndex(), 2);
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
        w->findChild<QPushButton*>(u"Command_CoreForm"_s)->click();
        QVERIFY(!other->isVisible());
        QVERIFY(w->coreForm() && w->coreForm()->isVisible());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 0);
        QCOMPARE(w->statusLabel()->text(), u"Core Form"_s);
        w->findChild<QAction*>(u"mnuCloseWindow"_s)->trigger(); // closes it now
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
