// The help window, the manual and the information windows, through the main window's
// menus and buttons, with recorded messages, clipboard and launcher calls.

#include "../ui_common/test_support.h"
#include "tolvik/shell/help_window.h"
#include "tolvik/shell/info_windows.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/manual.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"

#include <QAction>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpSearchEngine>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tolvik;

class HelpInfoTest : public QObject {
    Q_OBJECT

    QTemporaryDir xdg; ///< config, data and cache folders of the desktop
    std::unique_ptr<AppContext> app;
    std::unique_ptr<shell::MainWindow> window;
    ui::RecordingMessageService* messages = nullptr;
    ui::RecordingClipboardService* clipboard = nullptr;
    ui::RecordingLauncherService* launcher = nullptr;

    void trigger(const char* name) { window->findChild<QAction*>(QLatin1String(name))->trigger(); }
    template <class T> static T* top(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(name) && w->isVisible()) return qobject_cast<T*>(w);
        return nullptr;
    }

private slots:
    void initTestCase() {
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(var, (xdg.path() + u'/' + QLatin1String(var)).toUtf8());
        qputenv("XDG_CONFIG_DIRS", (xdg.path() + u"/etc"_s).toUtf8());
        qputenv("XDG_DATA_DIRS", (xdg.path() + u"/share"_s).toUtf8());
    }
    void init() {
        messages = &ui::InstallRecordingMessages();
        clipboard = test::Install<ui::RecordingClipboardService>(ui::SetClipboardService, u"before"_s);
        launcher = test::Install<ui::RecordingLauncherService>(ui::SetLauncherService);
        app = std::make_unique<AppContext>();
        app->appFolder = TOLVIK_TEST_PROGRAM_DIR;
        app->databasePath = app->appFolder + "/db1.mdb";
        window = std::make_unique<shell::MainWindow>(*app);
        window->show();
    }
    void cleanup() {
        window.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->testAttribute(Qt::WA_DeleteOnClose)) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
        ui::SetMessageService(nullptr);
        ui::SetClipboardService(nullptr);
        ui::SetLauncherService(nullptr);
    }

    void documentationStartsThePdfProgram() {
        const QString manual = QString::fromStdString(app->appFolder) + u"/manual.pdf"_s;
        const QString noProgram = shell::NoPdfViewerMessage(manual);
        const QString missing = shell::ManualMissingMessage(u"/nonexistent/manual.pdf"_s);
        // mimeapps.list line, the viewer's Exec line, launcher result, app folder, message.
        const struct {
            const char* defaults;
            const char* exec;
            bool starts;
            QString folder;
            QString message;
        } cases[] = {
            {"", "viewer %f", true, {}, noProgram},                                   // no program for PDF
            {"application/pdf=missing.desktop;\n", "viewer %f", true, {}, noProgram}, // its entry is missing
            {"application/pdf=viewer.desktop\n", "viewer --page 1", true, {}, noProgram}, // no file code
            {"application/pdf=missing.desktop;viewer.desktop\n", "\"my viewer\" %i %U", true, {}, {}},
            {"application/pdf=viewer.desktop\n",
             "viewer %f",
             false,
             {},
             shell::PdfViewerFailedMessage(u"viewer"_s, manual)}, // cannot be started
            {"application/pdf=viewer.desktop\n", "viewer %f", true, u"/nonexistent"_s, missing}, // no manual
            {"", "viewer %f", true, u"/nonexistent"_s, missing}, // the missing manual is named first
        };
        for (const auto& c : cases) {
            QVERIFY(test::WriteFile(xdg.path() + u"/XDG_CONFIG_HOME/mimeapps.list"_s,
                                    QByteArray("[Default Applications]\n") + c.defaults));
            QVERIFY(test::WriteFile(xdg.path() + u"/share/applications/viewer.desktop"_s,
                                    QByteArray("[Desktop Entry]\nType=Application\nName=Viewer\nExec=") +
                                        c.exec + "\n"));
            launcher->result = c.starts;
            launcher->calls.clear();
            app->appFolder =
                c.folder.isEmpty() ? std::string(TOLVIK_TEST_PROGRAM_DIR) : c.folder.toStdString();
            trigger("mnuDocumentation");
            QCOMPARE(test::TakeMessages(*messages),
                     c.message.isEmpty() ? QStringList() : QStringList{c.message});
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
        QCOMPARE(std::count_if(tops.begin(), tops.end(),
                               [](QWidget* t) { return t->objectName() == u"Haftung"_s; }),
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

QTEST_MAIN(HelpInfoTest)
#include "help_info_test.moc"
