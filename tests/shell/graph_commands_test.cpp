// Print, Clear, Copy and Graph from the main window's buttons, on the material fixture
// database (tests/material/mat_fixture_db.h): the printed PDF is read back with pdftotext.
// The help window, the manual and the information windows through the menus and buttons.

#include "../material/mat_fixture_db.h"
#include "../ui_common/window_test_base.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/help_window.h"
#include "tolvik/shell/info_windows.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/manual.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QDialog>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpSearchEngine>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tolvik;

namespace {

/// The print dialog's stand-in: accepts with PDF output to a file, or cancels.
class PdfPrintService : public ui::PrintService {
public:
    bool setUp(QPrinter& printer, QWidget*) override {
        ++calls;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return accept;
    }
    QString file;
    bool accept = true;
    int calls = 0;
};

} // namespace

class GraphCommandsTest : public test::WindowTestBase {
    Q_OBJECT

    std::unique_ptr<material::test::MatFixture> fixture;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<shell::MainWindow> window;
    PdfPrintService* printing = nullptr;
    ui::RecordingClipboardService* clipboard = nullptr;
    ui::RecordingLauncherService* launcher = nullptr;
    QTemporaryDir out;
    QTemporaryDir xdg; ///< config, data and cache folders of the desktop

    QWidget* windowUnderTest() const override { return window->matTab(); }
    material::MatTab* openMaterialTab(int tab) {
        window->OpenMaterialTab(tab);
        choose(u"Material"_s, u"A1"_s);
        return window->matTab();
    }
    void press(const char* button) { window->findChild<QPushButton*>(QLatin1String(button))->click(); }
    QList<double> frame(QWidget* form, int tab) const {
        const auto& m = form->findChild<chart::Graph*>(u"Graph1(%1)"_s.arg(tab))->model();
        return {m.printInfo(2), m.printInfo(3), m.printInfo(4), m.printInfo(5)};
    }
    void trigger(const char* name) { window->findChild<QAction*>(QLatin1String(name))->trigger(); }
    template <class T> static T* top(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) return qobject_cast<T*>(w);
        return nullptr;
    }
    void readings(int n) {
        app->log.clear();
        for (int i = 1; i <= n; ++i)
            app->log.append("x" + std::to_string(i), "y" + std::to_string(i), i == 1);
    }

private slots:
    void initTestCase() {
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(var, (xdg.path() + u'/' + QLatin1String(var)).toUtf8());
        qputenv("XDG_CONFIG_DIRS", (xdg.path() + u"/etc"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", (xdg.path() + u"/share"_s).toUtf8());
    }
    void init() {
        text::SetDecimalSeparator('.');
        messages = &ui::InstallRecordingMessages();
        printing = test::Install<PdfPrintService>(ui::SetPrintService);
        clipboard = test::Install<ui::RecordingClipboardService>(ui::SetClipboardService, u"before"_s);
        launcher = test::Install<ui::RecordingLauncherService>(ui::SetLauncherService);
        fixture = std::make_unique<material::test::MatFixture>();
        app = std::make_unique<AppContext>();
        app->appFolder = TOLVIK_TEST_PROGRAM_DIR;
        app->databasePath = fixture->databasePath();
        app->database = data::Database::open(app->databasePath);
        window = std::make_unique<shell::MainWindow>(*app);
        window->show();
        printing->file = out.filePath(u"page.pdf"_s);
        QFile::remove(printing->file);
    }
    void cleanup() {
        window.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->testAttribute(Qt::WA_DeleteOnClose)) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
        fixture.reset(); // the services stay recording: each test puts fresh ones in place
    }

    void printedPage() {
        // Material tab, readings on the graph, curve picked, pages, frame (cm).
        const struct {
            int tab;
            int readings;
            const char* curve;
            bool curveLine;
            int pages;
            QList<double> frame;
        } cases[] = {
            {1, 0, "A1", false, 1, {3, 4, 23, 15}}, // no log: no curve unless on the hysteresis tab
            {0, 0, "A1T25", true, 1, {3, 4, 23, 15}}, {1, 2, "A1", true, 1, {8, 4, 20, 14}},
            {1, 33, "A1", true, 1, {8, 4, 20, 14}}, // counter at 32: one page
            {1, 34, "A1", true, 2, {8, 4, 20, 14}}, // counter past 32: a second page, still empty
            {1, 3, "", false, 1, {8, 4, 20, 14}},   // no curve picked: points without curve line
        };
        for (const auto& c : cases) {
            const QString tag = u"tab %1, %2 readings"_s.arg(c.tab).arg(c.readings);
            material::MatTab* form = openMaterialTab(c.tab);
            form->findChild<QLabel*>(u"GR1"_s)->setText(QLatin1String(c.curve));
            readings(c.readings);
            QFile::remove(printing->file);
            press("cmdPrint");
            QVERIFY2(messages->messages.empty(), qPrintable(tag + shownMessages().join(u'|')));
            const QStringList pages = test::PdfPages(printing->file);
            QCOMPARE(pages.size(), c.pages);
            const QString& first = pages.first();
            QVERIFY2(first.contains(u"Tolvik V4.0 - Material data"_s), qPrintable(tag));
            const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
            QVERIFY2(first.contains(date), qPrintable(tag));
            QCOMPARE(first.contains(u"Selected curve: "_s + QLatin1String(c.curve)), c.curveLine);
            QCOMPARE(first.contains(u"Selected point(s):"_s), c.readings > 0);
            for (int i = 1; i <= c.readings; ++i) {
                const QString line = u"\\bx%1\\s+y%1\\b"_s.arg(i);
                const int page = i <= 34 ? 0 : 1;
                QVERIFY2(pages[page].contains(QRegularExpression(line)),
                         qPrintable(tag + u" reading "_s + line));
                if (page == 1) QVERIFY2(!first.contains(QRegularExpression(line)), qPrintable(tag));
            }
            QCOMPARE(frame(form, c.tab), c.frame);
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
    }

    void printCoreGraphThroughMenu() {
        window->OpenCoreFormTab(2);
        window->findChild<QAction*>(u"mnuPrint"_s)->trigger();
        // The fixture has no core tables: the window may report that; the page still prints.
        const QStringList pages = test::PdfPages(printing->file);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages.first().contains(u"Tolvik V4.0 - Core data"_s));
        QCOMPARE(frame(window->coreForm(), 2), (QList<double>{3, 4, 23, 15}));
    }

    void printFailuresAndCancel() {
        const QString error = QLatin1String(shell::kPrintErrorText);
        press("cmdPrint");          // no working window
        window->OpenCoreFormTab(0); // data overview: no graph
        shownMessages();
        press("cmdPrint");
        openMaterialTab(1);
        printing->file = u"/nonexistent-folder/page.pdf"_s; // the printer fails
        press("cmdPrint");
        QCOMPARE(shownMessages(), (QStringList{error, error}));
        QCOMPARE(printing->calls, 1); // no dialog without a graph
        printing->accept = false;     // cancelled: nothing printed, nothing said
        printing->file = out.filePath(u"cancel.pdf"_s);
        press("cmdPrint");
        QVERIFY(messages->messages.empty());
        QVERIFY(!QFile::exists(printing->file));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void copyPerTab() {
        // Tab, option to select, expected clipboard; "before" = left unchanged.
        const struct {
            int tab;
            const char* option;
            QString clipboard;
            bool enabled;
        } cases[] = {
            {1, nullptr, u"1000\t2000\t3000\t0\t"_s, true},
            {3, "T25", u"2000\t3000\t2500\t0\t"_s, true},
            {3, "T100", u"4000\t5000\t0\t0\t"_s, true},
            {4, "Optmu_", u"2000\t2000\t1000\t100\t"_s, true},
            {4, "Optmu__", u"0\t10\t1000\t400\t"_s, true},
            {4, "Optmu_p", u"before"_s, true}, // column A1 not in the table: skipped silently
            {0, nullptr, QString(), false},
            {2, nullptr, QString(), false},
        };
        auto* copy = window->findChild<QPushButton*>(u"CmdCopy"_s);
        for (const auto& c : cases) {
            material::MatTab* form = openMaterialTab(c.tab);
            if (c.option) form->findChild<QRadioButton*>(QLatin1String(c.option))->setChecked(true);
            clipboard->text_ = u"before"_s;
            copy->setEnabled(true);
            copy->click();
            QCOMPARE(clipboard->text(), c.clipboard);
            QCOMPARE(copy->isEnabled(), c.enabled);
        }
        QVERIFY(messages->messages.empty());

        window->OpenMaterialTab(1);
        window->matTab()->findChild<QComboBox*>(u"Material"_s)->setCurrentIndex(-1);
        clipboard->text_ = u"before"_s;
        copy->click();
        QCOMPARE(shownMessages(), QStringList{u"No material selected"_s});
        QCOMPARE(clipboard->text(), u"before"_s);
        window->OpenCoreFormTab(2); // Core calculation: Copy does nothing
        shownMessages();
        window->findChild<QToolButton*>(u"Picture3(3)"_s)->click();
        QCOMPARE(clipboard->text(), u"before"_s);
        QVERIFY(messages->messages.empty());
    }

    void clearAndGraphSettings() {
        press("cmdGraph"); // only the main window
        press("CmdClear");
        QCOMPARE(shownMessages(), QStringList{QLatin1String(shell::kNoGraphText)});
        material::MatTab* form = openMaterialTab(1);
        auto* graph = form->findChild<chart::Graph*>(u"Graph1(1)"_s);
        QVERIFY(!graph->model().writtenPoints(1).empty());
        readings(3);
        press("CmdClear");
        QVERIFY(graph->model().writtenPoints(1).empty());
        QVERIFY(app->log.readingLog.empty());
        QCOMPARE(app->log.readingLogLines, 0);
        press("cmdGraph");
        QVERIFY(graph->findChild<QDialog*>(u"GraphSettings"_s));
        QVERIFY(messages->messages.empty());
    }

    // --- help, manual and information windows ---

    void documentationStartsThePdfProgram() {
        const QString manual = QString::fromStdString(app->appFolder) + u"/manual.pdf"_s;
        const QString noProgram = shell::NoPdfViewerMessage(manual);
        const QString missing = shell::ManualMissingMessage(u"/nonexistent/manual.pdf"_s);
        const QString failed = shell::PdfViewerFailedMessage(u"viewer"_s, manual);
        const char* viewer = "application/pdf=viewer.desktop";
        // The PDF program in mimeapps.list, its Exec line, launcher result, app folder, message.
        const struct {
            const char* defaults;
            const char* exec;
            bool starts;
            QString folder;
            QString message;
        } cases[] = {
            {"", "viewer %f", true, {}, noProgram},                                 // no program for PDF
            {"application/pdf=missing.desktop;", "viewer %f", true, {}, noProgram}, // its entry is missing
            {viewer, "viewer --page 1", true, {}, noProgram},                       // no file code
            {"application/pdf=missing.desktop;viewer.desktop", "\"my viewer\" %i %U", true, {}, {}},
            {viewer, "viewer %f", false, {}, failed},                // cannot be started
            {viewer, "viewer %f", true, u"/nonexistent"_s, missing}, // no manual
            {"", "viewer %f", true, u"/nonexistent"_s, missing},     // the missing manual is named first
        };
        for (const auto& c : cases) {
            QVERIFY(test::WriteFile(xdg.path() + u"/XDG_CONFIG_HOME/mimeapps.list"_s,
                                    QByteArray("[Default Applications]\n") + c.defaults + "\n"));
            QVERIFY(test::WriteFile(xdg.path() + u"/share/applications/viewer.desktop"_s,
                                    QByteArray("[Desktop Entry]\nType=Application\nName=Viewer\nExec=") +
                                        c.exec + "\n"));
            launcher->result = c.starts;
            launcher->calls.clear();
            app->appFolder =
                c.folder.isEmpty() ? std::string(TOLVIK_TEST_PROGRAM_DIR) : c.folder.toStdString();
            trigger("mnuDocumentation");
            QCOMPARE(shownMessages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
            if (c.message == noProgram || c.message == missing) QVERIFY(launcher->calls.isEmpty());
            if (c.message.isEmpty())
                QCOMPARE(launcher->calls, (QList<QStringList>{{u"my viewer"_s, manual}}));
        }
        QVERIFY(QFile::exists(manual)); // the build made the manual
    }

    void aboutThenEmailAndCopy() {
        trigger("mnuAbout");
        auto* w = top<shell::frmDiverses>("frmDiverses");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"About"_s);
        const auto visible = [&w](const char* name) { // w changes when the window is made afresh
            return w->findChild<QWidget*>(QLatin1String(name))->isVisible();
        };
        QVERIFY(visible("AboutText") && !visible("cmdCopyEmail"));
        const QString about = w->findChild<QPlainTextEdit*>(u"AboutText"_s)->toPlainText();
        QVERIFY(about.contains(u"Tolvik 4.0"_s) && about.contains(QString::fromStdString(app->databasePath)));

        trigger("mnuEmailAddress"); // same window: the About text stays, the e-mail controls come
        QCOMPARE(top<shell::frmDiverses>("frmDiverses"), w);
        QVERIFY(visible("AboutText") && visible("cmdCopyEmail"));
        w->findChild<QPushButton*>(u"cmdCopyEmail"_s)->click();
        QCOMPARE(clipboard->text(), u"support@tolvik.example"_s);
        w->findChild<QPushButton*>(u"cmdExit"_s)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!top<shell::frmDiverses>("frmDiverses"));

        trigger("mnuEmailAddress"); // afresh: the e-mail controls only, caption as designed
        w = top<shell::frmDiverses>("frmDiverses");
        QVERIFY(w && !visible("AboutText") && visible("txtEmail"));
        QCOMPARE(w->windowTitle(), u"Help"_s);
    }

    void licenceWindow() {
        trigger("mnuLicence");
        trigger("mnuLicence");
        auto* w = top<shell::Haftung>("Haftung");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"Licence"_s);
        const auto tops = QApplication::topLevelWidgets(); // one licence window, however often asked
        QCOMPARE(
            std::count_if(tops.begin(), tops.end(), [](QWidget* t) { return t->objectName() == "Haftung"; }),
            1);
        const QString text = w->findChild<QPlainTextEdit*>(u"Text2"_s)->toPlainText();
        QVERIFY(text.contains(u"GNU GENERAL PUBLIC LICENSE"_s) && text.contains(u"Disclaimer of Warranty"_s));
        w->findChild<QPushButton*>(u"Command1"_s)->click();
        QVERIFY(!w->isVisible());
        QVERIFY(messages->messages.empty());
    }

    void helpContentsIndexAndSearch() {
        trigger("mnuContents");
        auto* help = top<shell::HelpWindow>("HelpWindow");
        QVERIFY(help);
        QVERIFY(messages->messages.empty());
        QCOMPARE(help->sideTabs()->currentIndex(), 0);
        QHelpContentModel* contents = help->engine()->contentModel();
        // The contents hold every top-level page of the reading order.
        QTRY_VERIFY(contents->rowCount() > 0 && contents->rowCount(contents->index(0, 0)) == 9);
        QTRY_VERIFY(help->browser()->toPlainText().contains(u"Tolvik"_s));

        window->findChild<QPushButton*>(u"CmdHelp"_s)->click(); // the same window, at its index
        QCOMPARE(top<shell::HelpWindow>("HelpWindow"), help);
        QCOMPARE(help->sideTabs()->currentIndex(), 1);
        QHelpIndexModel* index = help->engine()->indexModel();
        QTRY_VERIFY(index->rowCount() > 50);
        // Keywords a user looks up, and a text of the page they lead to.
        const QList<QPair<QString, QString>> keywords = {{u"Al value"_s, u"nH"_s},
                                                         {u"Print"_s, u"Selected point"_s}};
        for (const auto& [keyword, text] : keywords) {
            help->indexField()->setText(keyword);
            QTRY_VERIFY2(index->rowCount() > 0, qPrintable(keyword));
            QTest::keyClick(help->indexField(), Qt::Key_Return); // the best match
            QTRY_VERIFY2(help->browser()->toPlainText().contains(text),
                         qPrintable(keyword + u' ' + help->browser()->source().toString()));
        }

        QHelpSearchEngine* search = help->engine()->searchEngine();
        QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
        search->reindexDocumentation();
        QVERIFY(indexed.wait(20000));
        QSignalSpy found(search, &QHelpSearchEngine::searchingFinished);
        help->search(u"permeability"_s);
        QVERIFY(found.wait(10000) || !found.isEmpty());
        QVERIFY(found.first().first().toInt() >= 5);
    }

    void helpMissingIsReported() {
        app->appFolder = "/nonexistent";
        trigger("mnuSearch");
        QCOMPARE(messages->messages.size(), size_t(1));
        QVERIFY(messages->messages[0].text.contains(u"/nonexistent/help/tolvik.qhc"_s));
        QVERIFY(!top<shell::HelpWindow>("HelpWindow"));
    }
};

QTEST_MAIN(GraphCommandsTest)
#include "graph_commands_test.moc"
