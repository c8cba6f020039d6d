// The desktop: the File menu's graph export on every graph of both working windows, and
// the gray result fields under a dark colour scheme (sample data file).

#include "../ui_common/test_support.h"
#include "tolvik/chart/curve_csv.h"
#include "tolvik/chart/graph.h"
#include "tolvik/chart/graph_export.h"
#include "tolvik/shell/main_window.h"
#include "tolvik/shell/startup.h"
#include "tolvik/ui_common/app_context.h"
#include "tolvik/ui_common/services.h"
#include "tolvik/ui_common/tab_page.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tolvik;

namespace {

/// A control of the working window the main window shows in front.
template <class T> T* InChild(shell::MainWindow& window, const char* name) {
    return window.mdiArea()->currentSubWindow()->findChild<T*>(QLatin1String(name));
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
    ui::RecordingMessageService* recorder = nullptr;
    AppContext app;

private slots:
    void init() {
        recorder = &ui::InstallRecordingMessages();
        app = AppContext();
        QVERIFY(shell::StartUp(app, QFileInfo(QStringLiteral(TOLVIK_SAMPLE_DATABASE)).path()));
    }
    void cleanup() { ui::SetMessageService(nullptr); }

    void everyGraphOfBothWindowsExports() {
        shell::MainWindow window(app);
        window.show();
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
        const QStringList noGraph = test::TakeMessages(*recorder);
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
            QCOMPARE(test::TakeMessages(*recorder), QStringList());
            const std::string expected = chart::CurvesCsv(graph->model());
            QVERIFY2(std::count(expected.begin(), expected.end(), '\n') > 2, item); // curves with points
            QCOMPARE(test::ReadFile(dir.filePath(QLatin1String(item) + QStringLiteral(".csv"))).toStdString(),
                     expected);
            QVERIFY(QFileInfo(dir.filePath(file)).size() > 1000);
        }
        ui::SetFileDialogService(nullptr);
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
        shell::MainWindow window(app);
        window.show();
        int grayFields = 0;
        for (const int tab : {1, 2, 4}) { // Al value, µe vs. T, DC bias; then the material window
            window.OpenCoreFormTab(tab);
            for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
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

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
