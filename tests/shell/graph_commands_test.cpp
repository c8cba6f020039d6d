// Print, Clear, Copy and Graph from the main window's buttons, on the material fixture
// database (tests/material/mat_fixture_db.h): the printed PDF is read back with pdftotext.

#include "../material/mat_fixture_db.h"
#include "../ui_common/window_test_base.h"

#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
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
    QTemporaryDir out;

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
    void readings(int n) {
        app->log.clear();
        for (int i = 1; i <= n; ++i)
            app->log.append("x" + std::to_string(i), "y" + std::to_string(i), i == 1);
    }

private slots:
    void init() {
        text::SetDecimalSeparator('.');
        messages = &ui::InstallRecordingMessages();
        printing = test::Install<PdfPrintService>(ui::SetPrintService);
        clipboard = test::Install<ui::RecordingClipboardService>(ui::SetClipboardService, u"before"_s);
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
        app.reset();
        fixture.reset();
        ui::SetMessageService(nullptr);
        ui::SetPrintService(nullptr);
        ui::SetClipboardService(nullptr);
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
};

QTEST_MAIN(GraphCommandsTest)
#include "graph_commands_test.moc"
