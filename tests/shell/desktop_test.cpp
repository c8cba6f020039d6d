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
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tolvik;

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
        auto& messages = *recorder;
        shell::MainWindow window(app);
        window.show();
        QTemporaryDir dir;
        QString path;
        ui::SetFileDialogService(std::make_unique<ui::ScriptedFileDialogService>(
            [&path](const QString&, const QString&, const QStringList& filters, const QString&) {
                return std::make_pair(path, filters.last());
            }));
        auto trigger = [&window](const char* name) {
            window.findChild<QAction*>(QLatin1String(name))->trigger();
        };

        // No working window: no graph.
        trigger("mnuSaveGraphAs");
        const QStringList noGraph = test::TakeMessages(messages);
        QVERIFY(noGraph.size() == 1 && noGraph[0].startsWith(QStringLiteral("No graph loaded")));

        const struct {
            const char* menuItem;
            const char* file;
        } graphs[] = {
            {"mnuHysteresis", "m0"}, {"mnumi", "m1"},    {"mnuLosses", "m2"}, {"mnumuavsB", "m3"},
            {"mnummvsF", "m4"},      {"mnumevsT", "c2"}, {"mnuDCBias", "c4"}, {"mnuwirecalculation", "c6"},
        };
        for (const auto& g : graphs) {
            if (QLatin1String(g.file).startsWith(u'c')) trigger("mnuDataOverview"); // pick core and material
            trigger(g.menuItem);
            for (const char* name : {"Material", "Kern"}) { // the user picks the first entry
                auto* list = window.mdiArea()->currentSubWindow()->findChild<QComboBox*>(QLatin1String(name));
                if (list && list->count() > 0 && list->currentText().isEmpty()) {
                    list->setCurrentIndex(0);
                    emit list->activated(0);
                }
            }
            trigger(g.menuItem);
            for (const char* name : {"List1", "List2"}) { // the power loss curves are picked from lists
                auto* list = window.findChild<QListWidget*>(QLatin1String(name));
                if (list && list->isVisible() && list->count() > 0) list->setCurrentRow(0);
            }
            const auto* working =
                dynamic_cast<const ui::GraphWindow*>(window.mdiArea()->currentSubWindow()->widget());
            chart::Graph* graph = working ? working->currentGraph() : nullptr;
            QVERIFY2(graph, g.menuItem);
            if (auto* turns =
                    window.mdiArea()->currentSubWindow()->findChild<QLineEdit*>(QStringLiteral("t2N"));
                turns && turns->isVisible())
                turns->setText(QStringLiteral("40")); // the wire tab needs a number of turns
            if (auto* calculate = window.mdiArea()->currentSubWindow()->findChild<QPushButton*>(
                    QStringLiteral("cmdCalculate"));
                calculate && calculate->isVisible())
                calculate->click();
            path = dir.filePath(QLatin1String(g.file) + QStringLiteral(".csv"));
            trigger("mnuExportCurveData");
            path = dir.filePath(QLatin1String(g.file) + QStringLiteral(".pdf")); // the last filter: PDF
            trigger("mnuSaveGraphAs");
            QCOMPARE(test::TakeMessages(messages), QStringList());
            QFile csv(dir.filePath(QLatin1String(g.file) + QStringLiteral(".csv")));
            QVERIFY2(csv.open(QIODevice::ReadOnly), g.menuItem);
            const std::string expected = chart::CurvesCsv(graph->model());
            QVERIFY2(std::count(expected.begin(), expected.end(), '\n') > 2,
                     g.menuItem); // curves with points
            QCOMPARE(csv.readAll().toStdString(), expected);
            QVERIFY(QFileInfo(path).size() > 1000);
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
