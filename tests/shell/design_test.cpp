// The main window on the sample data file: design files (a comparison of materials and a DC-bias
// design saved and opened in a fresh main window equal; damaged files refused with nothing
// changed; a failed save keeps the old file; the design sheet printed to PDF); the File menu's
// graph export on every graph of both working windows; gray result fields under a dark scheme.

#include "../ui_common/window_test_base.h"
#include "tolvik/chart/curve_csv.h"
#include "tolvik/chart/graph.h"
#include "tolvik/core/core_form.h"
#include "tolvik/material/mat_tab.h"
#include "tolvik/shell/design_files.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/numtext.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/tab_page.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace tolvik;

namespace {

struct Session {
    AppContext app;
    std::unique_ptr<shell::MainWindow> window;
    Session() {
        app.appFolder = TOLVIK_TEST_PROGRAM_DIR;
        app.databasePath = TOLVIK_SAMPLE_DATABASE;
        app.database = data::Database::open(app.databasePath);
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

class DesignTest : public test::WindowTestBase {
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

QTEST_MAIN(DesignTest)
#include "design_test.moc"
