// The main window on the sample data file: start-up, routing, closing and placement (twips: 15
// per pixel); design files and sheets; graph export from the File menu; colours under a dark
// scheme. On the material fixture database: Print (the PDF read back with pdftotext), Clear,
// Copy and Graph; the help, manual and information windows.

#include "../material/mat_fixture_db.h"
#include "../ui_common/paint_count.h"
#include "../ui_common/window_test_base.h"
#include "tolvik/chart/curve_csv.h"
#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/ondemand/help_window.h"
#include "tolvik/shell/design_files.h"
#include "tolvik/shell/graph_print.h"
#include "tolvik/shell/help_window.h"
#include "tolvik/shell/info_windows.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/manual.h"
#include "tolvik/shell/placement.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/field_stock.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/tab_page.h"

#include <QComboBox>
#include <QDialog>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpSearchEngine>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;
using namespace tolvik;
using tolvik::shell::MainWindow;

namespace {

/// The print dialog's stand-in: accepts with PDF output to a file, or cancels.
struct PdfPrintService : ui::PrintService {
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

struct Session {
    AppContext app;
    std::unique_ptr<shell::MainWindow> window;
    Session() {
        if (!shell::StartUp(app, QFileInfo(QStringLiteral(TOLVIK_SAMPLE_DATABASE)).path()))
            qFatal("no start");
        text::SetDecimalSeparator('.');
        window = std::make_unique<shell::MainWindow>(app);
        window->show();
    }
};

/// Pairs of words in a sheet's table column (the left 36 % of each page) whose boxes overlap.
QStringList OverlappingTableWords(const QString& pdf) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    p.waitForFinished(20000);
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    QStringList found;
    for (const QString& page :
         QString::fromUtf8(p.readAllStandardOutput()).split(u"<page width=\""_s).mid(1)) {
        const double width = page.section(u'"', 0, 0).toDouble();
        QList<std::pair<QRectF, QString>> seen;
        for (auto it = word.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            if (box.right() > 0.36 * width) continue;
            for (const auto& [other, text] : seen)
                if (other.adjusted(1, 1, -1, -1).intersects(box.adjusted(1, 1, -1, -1)))
                    found << text + u" / "_s + m.captured(5);
            seen.append({box, m.captured(5)});
        }
    }
    return found;
}

void Trigger(const QWidget& window, const char* menuItem) {
    window.findChild<QAction*>(QLatin1String(menuItem))->trigger();
}

/// A control of the working window the main window shows in front.
template <class T> T* InChild(shell::MainWindow& window, const char* name) {
    return window.mdiArea()->currentSubWindow()->findChild<T*>(QLatin1String(name));
}

} // namespace

class MainWindowTest : public test::WindowTestBase {
    Q_OBJECT
    QTemporaryDir dir;
    QString answer;          ///< what the file dialogs answer
    QWidget* form = nullptr; ///< the working window driven
    QWidget* windowUnderTest() const override { return form; }

    /// Three materials compared on µi(T), and a DC-bias design drawn twice.
    void drawDesign(Session& s) {
        s.window->OpenMaterialTab(1);
        form = s.window->matTab();
        for (const char* m : {"R41", "R52", "R63"}) {
            choose(u"Material"_s, QLatin1String(m));
            calculate();
        }
        s.window->OpenCoreFormTab(static_cast<int>(core::CoreTab::DcBias));
        form = s.window->coreForm();
        choose(u"Material"_s, u"R41"_s);
        choose(u"Kern"_s, u"E 20/10/6"_s);
        calculate();
        type(u"t1I"_s, u"0.5"_s);
        calculate();
    }

private slots:
    void init() {
        text::SetDecimalSeparator('.');
        messages = &ui::InstallRecordingMessages();
        ui::SetFileDialogService(std::make_unique<ui::ScriptedFileDialogService>(
            [this](const QString&, const QString&, const QStringList&, const QString& filter) {
                return std::make_pair(answer, filter);
            }));
    }
    void cleanup() {
        ui::SetMessageService(nullptr);
        ui::SetFileDialogService(nullptr);
    }

    // First of the class: what the program prepares once per process after its first paint
    // (a sample graph drawn off screen) leaves no window and no graph behind.
    void startUpsPreparationsLeaveNoWindowBehind() {
        Session s;
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        test::UntilIdle();
        QTest::qWait(20);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            QVERIFY2(!w->inherits("tolvik::chart::Graph") && w->findChildren<chart::Graph*>().isEmpty(),
                     qPrintable(w->objectName()));
            QVERIFY2(w == s.window.get() || !w->isVisible(), qPrintable(w->objectName()));
        }
    }

    // The working windows' fields come from the stock built after the start, each placed on
    // its page, and the stock is built anew once the windows closed.
    void workingWindowsTakeTheirFieldsAndChartsFromTheStock() {
        Session s;
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        QTRY_COMPARE(ui::field_stock::Count(), ui::field_stock::kTarget);
        QTRY_COMPARE(chart::chart_stock::Count(), chart::chart_stock::kTarget);
        const int shortfall = ui::field_stock::Shortfall();
        s.window->OpenMaterialTab(0);
        s.window->OpenCoreFormTab(0);
        QCOMPARE(ui::field_stock::Shortfall(), shortfall);
        QCOMPARE(chart::chart_stock::Count(), chart::chart_stock::kTarget - 1); // the loop's graph
        for (QWidget* w : QApplication::topLevelWidgets()) // a field taken and not placed
            QVERIFY2(!qobject_cast<QLineEdit*>(w) || w->objectName().isEmpty(), qPrintable(w->objectName()));
        s.window->mdiArea()->closeAllSubWindows();
        QTRY_COMPARE(ui::field_stock::Count(), ui::field_stock::kTarget);
        QTRY_COMPARE(chart::chart_stock::Count(), chart::chart_stock::kTarget);
    }

    void startUpOpensTheDataFileAndShowsTheCaption() {
        Session s; // started on the sample data file, not on one of the user's own
        QCOMPARE(QFileInfo(QString::fromStdString(s.app.databasePath)), QFileInfo(TOLVIK_SAMPLE_DATABASE));
        QVERIFY(messages->messages.empty());
        QCOMPARE(s.window->windowTitle(), u"KESTRON - Tolvik 4.0"_s);
        QCOMPARE(s.window->statusLabel()->text(), u"Tolvik"_s);
        QVERIFY(!s.window->findChild<QAction*>(u"mnuMaterialComparison"_s)->isEnabled());
    }

    void startUpWithoutDataFileFailsWithOrderlyMessage() {
        // Damaged data files: tolvik_data_file_tests.
        QTemporaryDir folder;
        AppContext app;
        QVERIFY(!shell::StartUp(app, folder.path()));
        QVERIFY(app.database == nullptr);
        QCOMPARE(messages->messages.size(), size_t(1));
        QCOMPARE(messages->messages[0].title, u"Tolvik"_s);
        QVERIFY(messages->messages[0].text.contains(folder.filePath(u"db1.mdb"_s)));
        QCOMPARE(shell::RunProgram(folder.path()), 1); // the program ends with failure
        QCOMPARE(messages->messages.size(), size_t(2));
    }

    void exitClosesTheProgramsWindows() {
        Session s;
        MainWindow* window = s.window.get();
        for (const char* name : {"CmdExit", "Picture3(1)", "mnuExit"}) {
            window->show();
            QWidget licence, other;
            licence.setObjectName(u"Haftung"_s);
            licence.show();
            other.show();
            QMdiSubWindow* sub = window->mdiArea()->addSubWindow(new QWidget);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->show();
            QPointer<QMdiSubWindow> guard(sub);
            if (auto* a = window->findChild<QAction*>(QLatin1String(name)))
                a->trigger();
            else
                window->findChild<QAbstractButton*>(QLatin1String(name))->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!window->isVisible() && guard.isNull(), name);
            QVERIFY2(!licence.isVisible() && other.isVisible(), name); // the licence window goes too
            QVERIFY2(QApplication::overrideCursor() == nullptr, name);
        }
        window->show();
        for (int i : {0, 2, 3, 4, 5}) { // picture buttons without an action keep the window
            window->findChild<QToolButton*>(u"Picture3(%1)"_s.arg(i))->click();
            QVERIFY(window->isVisible());
        }
    }

    // --- routing to Core calculation ---

    void coreMenuItemsAndButtonOpenOneCoreForm() {
        Session s;
        MainWindow* w = s.window.get();
        Trigger(*w, "mnuDCBias");
        QPointer<core::CoreForm> first = w->coreForm();
        QVERIFY(first);
        QCOMPARE(first->tabControl()->currentIndex(), 4);
        Trigger(*w, "mnumevsT");
        QCOMPARE(w->coreForm(), first.data());
        QCOMPARE(first->tabControl()->currentIndex(), 2);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        auto* close = w->findChild<QAction*>(u"mnuCloseWindow"_s);
        close->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QMdiSubWindow* other = w->mdiArea()->addSubWindow(new QWidget);
        other->show();
        w->mdiArea()->setActiveSubWindow(other);
        w->findChild<QPushButton*>(u"Command_CoreForm"_s)->click();
        QVERIFY(!other->isVisible());
        QVERIFY(w->coreForm() && w->coreForm()->isVisible());
        QCOMPARE(w->coreForm()->tabControl()->currentIndex(), 0);
        QCOMPARE(w->statusLabel()->text(), u"Core Form"_s);
        close->trigger(); // closes the active child only
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w->coreForm());
        QCOMPARE(w->mdiArea()->subWindowList(), QList<QMdiSubWindow*>{other});
        QVERIFY(w->isVisible());
        delete other;
        close->trigger(); // no child: nothing happens
        QVERIFY(w->isVisible());
        QVERIFY(messages->messages.empty());
    }

    void aWorkingWindowIsPaintedOnceAsItOpens() {
        // Its widgets ask for their first paint as they are shown; the window's graph asks
        // for a repaint of the window before the last of them are shown.
        Session s;
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        test::UntilIdle();
        struct Count : QObject {
            std::map<QString, int> paints;
            bool eventFilter(QObject* o, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++paints[o->objectName()];
                return false;
            }
        } count;
        qApp->installEventFilter(&count);
        s.window->OpenMaterialTab(0);
        test::UntilIdle();
        s.window->OpenCoreFormTab(0);
        test::UntilIdle();
        qApp->removeEventFilter(&count);
        QCOMPARE(count.paints[u"MatTab"_s], 1);
        QCOMPARE(count.paints[u"CoreForm"_s], 1);
    }

    void aWorkingWindowsFrameIsNotRedrawnForWhatChangesInside() {
        Session s;
        s.window->OpenCoreFormTab(0);
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));
        test::UntilIdle();
        struct TitleBars : QProxyStyle {
            mutable int drawn = 0;
            TitleBars() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}
            void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const override {
                drawn += control == CC_TitleBar;
                QProxyStyle::drawComplexControl(control, option, painter, widget);
            }
        } titleBars;
        auto* frame = qobject_cast<QMdiSubWindow*>(s.window->coreForm()->parentWidget());
        frame->setStyle(&titleBars);
        test::UntilIdle();
        titleBars.drawn = 0;
        s.window->coreForm()->findChild<QLineEdit*>(u"t9Text1"_s)->setText(u"12.5"_s);
        test::UntilIdle();
        QCOMPARE(titleBars.drawn, 0);
        frame->update(); // the frame too
        test::UntilIdle();
        QVERIFY(titleBars.drawn > 0);
        frame->setStyle(nullptr);
    }

    // --- placement ---

    void placementRoundsHalfToEvenWithin16Bits() {
        const std::pair<double, std::int16_t> cases[] = {
            {2.5, 2},       {3.5, 4},     {-2.5, -2},     {-3.5, -4}, {1260.4, 1260},
            {1260.6, 1261}, {1e9, 32767}, {-1e9, -32768}, {NAN, 0},   {INFINITY, 32767}};
        for (const auto& [x, expected] : cases)
            QVERIFY2(shell::RoundToInt16(x) == expected, qPrintable(QString::number(x)));

        const std::tuple<double, double, double, double, float, std::int16_t, const char*> windows[] = {
            {12000, 9000, 12000, 8310, 0, 0, "600-pixel screen: at the top"},
            {15360, 9000, 12000, 8310, 1680, 0, "wide 600-pixel screen: centred, at the top"},
            {15360, 11520, 12000, 9000, 1680, 1260, "other screens: centred"},
            {12000, 9001, 12000, 8310, 0, 346, "one twip more than 600 pixels: centred, 345.5 to even"},
            {12001, 12000, 12000, 9000, 0.5f, 1500, "left is not rounded"},
        };
        for (const auto& [screenW, screenH, windowW, windowH, left, top, source] : windows) {
            const auto p = shell::MainWindowPlacement(screenW, screenH, windowW, windowH);
            QVERIFY2(p.left == left && p.top == top, source);
        }

        const std::tuple<shell::ScreenRect, int, int, shell::WindowPosition, const char*> centred[] = {
            {{0, 0, 1280, 1024}, 400, 300, {440, 362}, "centred"},
            {{0, 0, 1281, 1024}, 101, 300, {590, 362}, "half a screen 640.5 rounds to even"},
            {{1280, 0, 1920, 1080}, 100, 100, {1280 + 910, 490}, "second screen"},
            {{100, 50, 800, 600}, 1000, 700, {100, 50}, "larger: the title bar stays reachable"},
            {{0, 0, 800, 600}, 900, 200, {0, 200}, "wider only: still centred vertically"},
        };
        for (const auto& [screen, w, h, expected, source] : centred)
            QVERIFY2(shell::CenterPosition(screen, w, h) == expected, source);
        QCOMPARE(shell::ChildWindowPosition(), (shell::WindowPosition{0, 1})); // top 20 twips
    }

    // --- design files ---

    void savedDesignOpensAsSavedAndDamagedFilesChangeNothing() {
        const QString path = dir.filePath(u"compare.tolvik"_s);
        design::Design saved;
        {
            Session s;
            drawDesign(s);
            QVERIFY(s.window->designs().modified());
            answer = dir.filePath(u"compare"_s); // the extension is added
            QVERIFY(s.window->designs().saveAs());
            QCOMPARE(s.window->designs().path(), path);
            QVERIFY(!s.window->designs().modified());
            saved = s.window->designs().Current();
            QCOMPARE(shownMessages(), QStringList());
            QCOMPARE(s.window->designs().recentDesigns().value(0), path);

            const QByteArray good = test::ReadFile(path);
            const std::tuple<const char*, QByteArray, const char*> cases[] = {
                {"not JSON", good.left(good.size() / 2), "not JSON"}, // more refusals: tolvik_design_tests
                {"junk", QByteArray(100 << 20, 'x'), "too large"},    // beyond the size read
                {"missing", QByteArray(good).replace("\"Kern\":\"E 20/10/6\"", "\"Kern\":\"E 99/99/99\""),
                 "E 99/99/99"}, // a core the data file lacks: opened, with a warning naming it
            };
            for (const auto& [what, bytes, reason] : cases) {
                const QString damaged = dir.filePath(QLatin1String(what) + u".tolvik"_s);
                QVERIFY(test::WriteFile(damaged, bytes));
                const bool opens = s.window->designs().open(damaged);
                const QStringList m = shownMessages();
                QCOMPARE(m.size(), 1);
                QVERIFY2(m[0].contains(QLatin1String(reason)), qPrintable(m[0]));
                QVERIFY2(opens || (m[0].contains(damaged) && s.window->designs().Current() == saved), what);
                QCOMPARE(opens, QLatin1String(what) == u"missing"_s);
            }

            const QString kept = dir.filePath(u"kept.tolvik"_s); // a failed save keeps the old file
            QVERIFY(test::WriteFile(kept, "old"));
            answer = kept;
            {
                const test::DiskFull full(16);
                QVERIFY(!s.window->designs().saveAs());
            }
            QCOMPARE(test::ReadFile(kept), QByteArray("old"));
            const QStringList failed = shownMessages();
            QCOMPARE(failed.size(), 1);
            QVERIFY(failed[0].startsWith(u"The file "_s) && failed[0].contains(u"could not be written"_s));
            QCOMPARE(QDir(dir.path()).entryList({u"kept.tolvik*"_s}, QDir::Files | QDir::Hidden),
                     QStringList{u"kept.tolvik"_s});
        }
        // The comparison is in the file: three µi(T) curves and two DC-bias curves.
        const auto drawn = [&saved](const char* window, const char* graph) {
            long n = 0;
            for (const auto& w : saved.windows)
                for (const auto& g : w.graphs)
                    for (const auto& c : g.curves)
                        n += w.name == window && g.name == graph && !c.points.empty();
            return n;
        };
        QCOMPARE(drawn("MatTab", "Graph1(1)"), 3);
        QVERIFY(drawn("CoreForm", "Graph1(4)") >= 2);

        Session fresh;
        QVERIFY(fresh.window->designs().open(path));
        QCOMPARE(shownMessages(), QStringList());
        QVERIFY(fresh.window->designs().Current().windows == saved.windows);
        QVERIFY(!fresh.window->designs().modified());
    }

    void designSheetInPdfAndUnsavedChangesAskedAbout() {
        Session s;
        QVERIFY(s.window->designs().confirmClose()); // nothing open: nothing asked
        drawDesign(s);
        answer = dir.filePath(u"sheet.pdf"_s);
        QVERIFY(s.window->designs().exportSheetPdf());
        const QStringList pages = test::PdfPages(answer);
        QCOMPARE(pages.size(), 2); // one page per working window
        for (const char* expected : {"DC", "Core: E 20/10/6", "Material: R41", "db1.mdb", "0.5"})
            QVERIFY2(pages[0].contains(QLatin1String(expected)), expected);
        QVERIFY(pages[1].contains(u"Material: R63"_s));
        // Every row of inputs and results has a line of its own, an empty one too.
        QCOMPARE(OverlappingTableWords(answer), QStringList());
        // Into a folder that is not there: no success, no file, and the reason said.
        shownMessages();
        answer = dir.filePath(u"missing/sheet.pdf"_s);
        QVERIFY(!s.window->designs().exportSheetPdf());
        QVERIFY(!QFileInfo::exists(dir.filePath(u"missing"_s)));
        const QStringList failed = shownMessages();
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed[0].endsWith(u"could not be written: the folder cannot be written"_s),
                 qPrintable(failed[0]));

        const std::pair<ui::SaveChoice, bool> cases[] = {
            {ui::SaveChoice::Cancel, false}, {ui::SaveChoice::Discard, true}, {ui::SaveChoice::Save, true}};
        answer = dir.filePath(u"asked.tolvik"_s);
        for (const auto& [choice, closes] : cases) {
            messages->questions.clear();
            messages->saveChoice = choice;
            QCOMPARE(s.window->designs().confirmClose(), closes);
            QCOMPARE(messages->questions.size(), 1);
        }
        QVERIFY(QFile::exists(answer));
        QVERIFY(s.window->designs().confirmClose()); // saved: nothing more to ask
    }

    // --- graph export and colours ---

    void everyGraphOfBothWindowsExports() {
        Session s;
        shell::MainWindow& window = *s.window;
        QTemporaryDir dir;
        QString file; ///< what the save dialogs answer, in their last format (PDF)
        ui::SetFileDialogService(std::make_unique<ui::ScriptedFileDialogService>(
            [&](const QString&, const QString&, const QStringList& filters, const QString&) {
                return std::make_pair(dir.filePath(file), filters.last());
            }));
        const auto trigger = [&window](const char* name) { Trigger(window, name); };

        // No working window: no graph.
        trigger("mnuSaveGraphAs");
        const QStringList noGraph = shownMessages();
        QVERIFY(noGraph.size() == 1 && noGraph[0].startsWith(QStringLiteral("No graph loaded")));

        for (const char* item : {"mnuHysteresis", "mnumi", "mnuLosses", "mnumuavsB", "mnummvsF", "mnumevsT",
                                 "mnuDCBias", "mnuwirecalculation"}) {
            trigger("mnuDataOverview"); // pick core and material there for the core window's tabs
            trigger(item);
            for (const char* name : {"Material", "Kern"}) { // the user picks the first entry
                auto* list = InChild<QComboBox>(window, name);
                if (list && list->count() > 0 && list->currentText().isEmpty()) {
                    list->setCurrentIndex(0);
                    emit list->activated(0);
                }
            }
            trigger(item);
            for (const char* name : {"List1", "List2"}) { // the power loss curves are picked from lists
                auto* list = InChild<QListWidget>(window, name);
                if (list && list->isVisible() && list->count() > 0) list->setCurrentRow(0);
            }
            const auto* working =
                dynamic_cast<const ui::GraphWindow*>(window.mdiArea()->currentSubWindow()->widget());
            chart::Graph* graph = working ? working->currentGraph() : nullptr;
            QVERIFY2(graph, item);
            if (auto* turns = InChild<QLineEdit>(window, "t2N"); turns && turns->isVisible())
                turns->setText(QStringLiteral("40")); // the wire tab needs a number of turns
            if (auto* calculate = InChild<QPushButton>(window, "cmdCalculate"); calculate->isVisible())
                calculate->click();
            file = QLatin1String(item) + QStringLiteral(".csv");
            trigger("mnuExportCurveData");
            file = QLatin1String(item) + QStringLiteral(".pdf");
            trigger("mnuSaveGraphAs");
            QCOMPARE(shownMessages(), QStringList());
            const std::string expected = chart::CurvesCsv(graph->model());
            QVERIFY2(std::count(expected.begin(), expected.end(), '\n') > 2, item); // curves with points
            QCOMPARE(test::ReadFile(dir.filePath(QLatin1String(item) + QStringLiteral(".csv"))).toStdString(),
                     expected);
            QVERIFY(QFileInfo(dir.filePath(file)).size() > 1000);
        }
    }

    /// Under a dark scheme the gray result fields keep dark text and differ from inputs.
    void grayFieldsReadableUnderDarkScheme() {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(0x2a, 0x2a, 0x2a));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(dark);
        Session s;
        int grayFields = 0;
        for (const int tab : {1, 2, 4}) { // Al value, µe vs. T, DC bias; then the material window
            s.window->OpenCoreFormTab(tab);
            for (QLineEdit* field : s.window->findChildren<QLineEdit*>()) {
                if (!field->isVisible() || field->width() < 20) continue;
                if (field->text().isEmpty()) field->setText(QStringLiteral("888"));
                const QImage image = field->grab().toImage();
                const QColor background = image.pixelColor(image.width() - 4, image.height() / 2);
                if (background.lightness() < 150) continue; // an input field: dark
                ++grayFields;
                int darkText = 0;
                for (int y = 4; y < image.height() - 4; ++y) // inside the frame
                    for (int x = 4; x < image.width() - 4; ++x)
                        darkText += image.pixelColor(x, y).lightness() < 80;
                QVERIFY2(darkText > 5, qPrintable(field->objectName()));
            }
        }
        QApplication::setPalette(saved);
        QVERIFY(grayFields >= 5);
    }
};

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
    void trigger(const char* name) { Trigger(*window, name); }
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
        const std::tuple<int, int, const char*, bool, int, QList<double>> cases[] = {
            {1, 0, "A1", false, 1, {3, 4, 23, 15}}, // no log: no curve unless on the hysteresis tab
            {0, 0, "A1T25", true, 1, {3, 4, 23, 15}}, {1, 2, "A1", true, 1, {8, 4, 20, 14}},
            {1, 33, "A1", true, 1, {8, 4, 20, 14}}, // counter at 32: one page
            {1, 34, "A1", true, 2, {8, 4, 20, 14}}, // counter past 32: a second page, still empty
            {1, 3, "", false, 1, {8, 4, 20, 14}},   // no curve picked: points without curve line
        };
        for (const auto& [tab, count, curve, curveLine, pageCount, expectedFrame] : cases) {
            const QString tag = u"tab %1, %2 readings"_s.arg(tab).arg(count);
            material::MatTab* form = openMaterialTab(tab);
            form->findChild<QLabel*>(u"GR1"_s)->setText(QLatin1String(curve));
            readings(count);
            QFile::remove(printing->file);
            press("cmdPrint");
            QVERIFY2(messages->messages.empty(), qPrintable(tag + shownMessages().join(u'|')));
            const QStringList pages = test::PdfPages(printing->file);
            QCOMPARE(pages.size(), pageCount);
            const QString& first = pages.first();
            QVERIFY2(first.contains(u"Tolvik V4.0 - Material data"_s), qPrintable(tag));
            const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
            QVERIFY2(first.contains(date), qPrintable(tag));
            QCOMPARE(first.contains(u"Selected curve: "_s + QLatin1String(curve)), curveLine);
            QCOMPARE(first.contains(u"Selected point(s):"_s), count > 0);
            for (int i = 1; i <= count; ++i) {
                const QString line = u"\\bx%1\\s+y%1\\b"_s.arg(i);
                const int page = i <= 34 ? 0 : 1;
                QVERIFY2(pages[page].contains(QRegularExpression(line)),
                         qPrintable(tag + u" reading "_s + line));
                if (page == 1) QVERIFY2(!first.contains(QRegularExpression(line)), qPrintable(tag));
            }
            QCOMPARE(frame(form, tab), expectedFrame);
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
    }

    void printCoreGraphThroughMenu() {
        window->OpenCoreFormTab(2);
        trigger("mnuPrint");
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
        const std::tuple<int, const char*, QString, bool> cases[] = {
            {1, nullptr, u"1000\t2000\t3000\t0\t"_s, true},
            {3, "T25", u"2000\t3000\t2500\t0\t"_s, true},
            {3, "T100", u"4000\t5000\t0\t0\t"_s, true},
            {4, "Optmu_", u"2000\t2000\t1000\t100\t0\t1\t"_s, true},
            {4, "Optmu__", u"0\t10\t1000\t400\t0\t1\t"_s, true},
            {4, "Optmu_p", u"before"_s, true}, // column A1 not in the table: skipped silently
            {0, nullptr, QString(), false},
            {2, nullptr, QString(), false},
        };
        auto* copy = window->findChild<QPushButton*>(u"CmdCopy"_s);
        for (const auto& [tab, option, expected, enabled] : cases) {
            material::MatTab* form = openMaterialTab(tab);
            if (option) form->findChild<QRadioButton*>(QLatin1String(option))->setChecked(true);
            clipboard->text_ = u"before"_s;
            copy->setEnabled(true);
            copy->click();
            QCOMPARE(clipboard->text(), expected);
            QCOMPARE(copy->isEnabled(), enabled);
        }

        window->OpenMaterialTab(1);
        window->matTab()->findChild<QComboBox*>(u"Material"_s)->setCurrentIndex(-1);
        clipboard->text_ = u"before"_s;
        copy->click();
        QCOMPARE(shownMessages(), QStringList{u"No material selected"_s}); // the only one since the loop
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
        const std::tuple<const char*, const char*, bool, QString, QString> cases[] = {
            {"", "viewer %f", true, {}, noProgram},                                 // no program for PDF
            {"application/pdf=missing.desktop;", "viewer %f", true, {}, noProgram}, // its entry is missing
            {viewer, "viewer --page 1", true, {}, noProgram},                       // no file code
            {"application/pdf=missing.desktop;viewer.desktop", "\"my viewer\" %i %U", true, {}, {}},
            {viewer, "viewer %f", false, {}, failed},                // cannot be started
            {viewer, "viewer %f", true, u"/nonexistent"_s, missing}, // no manual
            {"", "viewer %f", true, u"/nonexistent"_s, missing},     // the missing manual is named first
        };
        for (const auto& [defaults, exec, starts, folder, message] : cases) {
            QVERIFY(test::WriteFile(xdg.path() + u"/XDG_CONFIG_HOME/mimeapps.list"_s,
                                    QByteArray("[Default Applications]\n") + defaults + "\n"));
            QVERIFY(test::WriteFile(xdg.path() + u"/share/applications/viewer.desktop"_s,
                                    QByteArray("[Desktop Entry]\nType=Application\nName=Viewer\nExec=") +
                                        exec + "\n"));
            launcher->result = starts;
            launcher->calls.clear();
            app->appFolder = folder.isEmpty() ? std::string(TOLVIK_TEST_PROGRAM_DIR) : folder.toStdString();
            trigger("mnuDocumentation");
            QCOMPARE(shownMessages(), message.isEmpty() ? QStringList() : QStringList{message});
            if (message == noProgram || message == missing) QVERIFY(launcher->calls.isEmpty());
            if (message.isEmpty()) QCOMPARE(launcher->calls, (QList<QStringList>{{u"my viewer"_s, manual}}));
        }
        QVERIFY(QFile::exists(manual)); // the build made the manual
        trigger("mnuSearch");           // the program folder is still one without a help file
        QCOMPARE(messages->messages.size(), size_t(1));
        QVERIFY(messages->messages[0].text.contains(u"/nonexistent/help/tolvik.qhc"_s));
        QVERIFY(!top<ondemand::HelpWindow>("HelpWindow"));
    }

    void aboutEmailAndLicenceWindows() {
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

        trigger("mnuLicence");
        trigger("mnuLicence");
        auto* licence = top<shell::Haftung>("Haftung");
        QVERIFY(licence);
        QCOMPARE(licence->windowTitle(), u"Licence"_s);
        const auto tops = QApplication::topLevelWidgets(); // one licence window, however often asked
        QCOMPARE(std::ranges::count(tops, u"Haftung"_s, &QObject::objectName), 1);
        const QString text = licence->findChild<QPlainTextEdit*>(u"Text2"_s)->toPlainText();
        QVERIFY(text.contains(u"GNU GENERAL PUBLIC LICENSE"_s) && text.contains(u"Disclaimer of Warranty"_s));
        licence->findChild<QPushButton*>(u"Command1"_s)->click();
        QVERIFY(!licence->isVisible());
        QVERIFY(messages->messages.empty());
    }

    void helpContentsIndexAndSearch() {
        trigger("mnuContents");
        auto* help = top<ondemand::HelpWindow>("HelpWindow");
        QVERIFY(help);
        QVERIFY(messages->messages.empty());
        QCOMPARE(help->sideTabs()->currentIndex(), 0);
        QHelpContentModel* contents = help->engine()->contentModel();
        // The contents hold every top-level page of the reading order.
        QTRY_VERIFY(contents->rowCount() > 0 && contents->rowCount(contents->index(0, 0)) == 9);
        QTRY_VERIFY(help->browser()->toPlainText().contains(u"Tolvik"_s));

        window->findChild<QPushButton*>(u"CmdHelp"_s)->click(); // the same window, at its index
        QCOMPARE(top<ondemand::HelpWindow>("HelpWindow"), help);
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
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN does
    MainWindowTest main;
    GraphCommandsTest commands; // last: it points the desktop's folders at its own
    return QTest::qExec(&main, argc, argv) | QTest::qExec(&commands, argc, argv);
}

#include "main_window_test.moc"
