// The main window on the sample data file: start-up, caption, closing and routing; design files
// (a comparison of materials and a DC-bias design saved and opened in a fresh main window equal;
// damaged files refused with nothing changed; a failed save keeps the old file; the design sheet
// printed to PDF); the File menu's graph export on every graph of both working windows; gray
// result fields under a dark scheme; placement arithmetic (twips: 15 per pixel).

#include "../ui_common/window_test_base.h"
#include "tolvik/chart/curve_csv.h"
#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/design_files.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/placement.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/tab_page.h"

#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace tolvik;
using tolvik::shell::MainWindow;

namespace {

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

    void startUpOpensTheDataFileAndShowsTheCaption() {
        Session s;
        QCOMPARE(QFileInfo(QString::fromStdString(s.app.databasePath)), QFileInfo(TOLVIK_SAMPLE_DATABASE));
        QVERIFY(s.app.database != nullptr);
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
            QVERIFY2(!licence.isVisible(), name); // the licence window goes too, others stay
            QVERIFY2(other.isVisible(), name);
            QVERIFY2(QApplication::overrideCursor() == nullptr, name);
        }
        window->show();
        for (int i : {0, 2, 3, 4, 5}) { // picture buttons without an action keep the window
            window->findChild<QToolButton*>(u"Picture3(%1)"_s.arg(i))->click();
            QVERIFY(window->isVisible());
        }
    }

    // --- routing to Core calculation ---

    void coreMenuItemsOpenOneCoreFormOnTheirTab() {
        Session s;
        MainWindow* w = s.window.get();
        w->findChild<QAction*>(u"mnuDCBias"_s)->trigger();
        QPointer<core::CoreForm> first = w->coreForm();
        QVERIFY(first);
        QCOMPARE(first->tabControl()->currentIndex(), 4);
        w->findChild<QAction*>(u"mnumevsT"_s)->trigger();
        QCOMPARE(w->coreForm(), first.data());
        QCOMPARE(first->tabControl()->currentIndex(), 2);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QVERIFY(messages->messages.empty());
    }

    void coreCalculationButtonHidesActiveChild() {
        Session s;
        MainWindow* w = s.window.get();
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
        QVERIFY(messages->messages.empty());
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

    // --- design files ---

    void savedDesignOpensAsSaved() {
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
        }
        const auto curves = [](const design::Design& d, const char* window, int graph) {
            for (const auto& w : d.windows)
                if (w.name == window)
                    for (const auto& g : w.graphs)
                        if (g.name == "Graph1(" + std::to_string(graph) + ")") return g.curves;
            return std::vector<design::CurveState>{};
        };
        // The comparison is in the file: three µi(T) curves and two DC-bias curves.
        const auto drawn = [](const std::vector<design::CurveState>& c) {
            return std::count_if(c.begin(), c.end(), [](const auto& curve) { return !curve.points.empty(); });
        };
        QCOMPARE(drawn(curves(saved, "MatTab", 1)), 3);
        QVERIFY(drawn(curves(saved, "CoreForm", 4)) >= 2);

        Session fresh;
        QVERIFY(fresh.window->designs().open(path));
        QCOMPARE(shownMessages(), QStringList());
        QVERIFY(fresh.window->designs().Current().windows == saved.windows);
        QVERIFY(!fresh.window->designs().modified());
    }

    void damagedFilesChangeNothing() {
        Session s;
        drawDesign(s);
        answer = dir.filePath(u"good.tolvik"_s);
        QVERIFY(s.window->designs().saveAs());
        const QByteArray good = test::ReadFile(answer);
        const design::Design before = s.window->designs().Current();
        const auto with = [&good](const char* from, const char* to) {
            QByteArray b = good;
            return b.replace(from, to);
        };
        const struct {
            const char* what;
            QByteArray bytes;
            const char* reason;
        } cases[] = {
            {"truncated", good.left(good.size() / 2), "not JSON"},
            {"newer version", with("\"version\":1", "\"version\":9"), "newer Tolvik"},
            {"junk", QByteArray(100 << 20, 'x'), "too large"},
        };
        for (const auto& c : cases) {
            const QString path = dir.filePath(QLatin1String(c.what) + u".tolvik"_s);
            QVERIFY(test::WriteFile(path, c.bytes));
            QVERIFY2(!s.window->designs().open(path), c.what);
            const QStringList m = shownMessages();
            QCOMPARE(m.size(), 1);
            QVERIFY2(m[0].contains(path) && m[0].contains(QLatin1String(c.reason)), qPrintable(m[0]));
            QVERIFY2(s.window->designs().Current() == before, c.what);
        }
        // A core the data file lacks: opened, with a warning naming it.
        const QString missing = dir.filePath(u"missing.tolvik"_s);
        QVERIFY(test::WriteFile(missing, with("\"Kern\":\"E 20/10/6\"", "\"Kern\":\"E 99/99/99\"")));
        QVERIFY(s.window->designs().open(missing));
        const QStringList m = shownMessages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].contains(u"E 99/99/99"_s), qPrintable(m[0]));
    }

    void failedSaveKeepsTheOldFile() {
        Session s;
        drawDesign(s);
        const QString path = dir.filePath(u"kept.tolvik"_s);
        QVERIFY(test::WriteFile(path, "old"));
        answer = path;
        {
            const test::DiskFull full(16);
            QVERIFY(!s.window->designs().saveAs());
        }
        QCOMPARE(test::ReadFile(path), QByteArray("old"));
        const QStringList m = shownMessages();
        QCOMPARE(m.size(), 1);
        QVERIFY(m[0].startsWith(u"The file "_s) && m[0].contains(u"could not be written"_s));
        QCOMPARE(QDir(dir.path()).entryList({u"kept.tolvik*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"kept.tolvik"_s});
    }

    void unsavedChangesAreAskedAbout() {
        Session s;
        QVERIFY(s.window->designs().confirmClose()); // nothing open: nothing asked
        drawDesign(s);
        const struct {
            ui::SaveChoice choice;
            bool closes;
        } cases[] = {
            {ui::SaveChoice::Cancel, false}, {ui::SaveChoice::Discard, true}, {ui::SaveChoice::Save, true}};
        answer = dir.filePath(u"asked.tolvik"_s);
        for (const auto& c : cases) {
            messages->questions.clear();
            messages->saveChoice = c.choice;
            QCOMPARE(s.window->designs().confirmClose(), c.closes);
            QCOMPARE(messages->questions.size(), 1);
        }
        QVERIFY(QFile::exists(answer));
        QVERIFY(s.window->designs().confirmClose()); // saved: nothing more to ask
    }

    void designSheetInPdf() {
        Session s;
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
        auto trigger = [&window](const char* name) {
            window.findChild<QAction*>(QLatin1String(name))->trigger();
        };

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

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
