// Export of a graph: pictures read back by other readers, failed writes, the context menu.

#include "../ui_common/test_support.h"
#include "chart_helpers.h"
#include "tolvik/chart/graph.h"
#include "tolvik/chart/graph_export.h"
#include "tolvik/ui_common/services.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace tolvik;
using namespace Qt::StringLiterals;
using namespace tolvik::chart;
using namespace tolvik::chart::test;

namespace {

const QColor kFirstCurve(0x1f, 0x4e, 0xb4); // the chart's first curve colour
const QStringList kTexts = {QStringLiteral("Pv vs. f"), QStringLiteral("f[kHz]"), QStringLiteral("Pv[kW/m³]"),
                            QStringLiteral("N87 25 °C"), QStringLiteral("N97 100 °C")};

/// Pixels close to the colour (antialiased lines give mixed shades).
int PixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                40)
                ++n;
        }
    return n;
}

struct ImageClipboard : ui::RecordingClipboardService {
    void setImage(const QImage& i) override { image = i; }
    QImage image;
};

} // namespace

class GraphExportTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        messages_ = &ui::InstallRecordingMessages();
        graph_ = std::make_unique<Graph>(2);
        graph_->resize(600, 420);
        graph_->show();
        ChartModel& m = graph_->model();
        resetGraph(m);
        m.setGraphTitle("Pv vs. f");
        m.setBottomTitle("f[kHz]");
        m.setLeftTitle("Pv[kW/m³]");
        m.setAxisScale(15);
        addCurve(m, "N87 25 °C", {{10, 5.5}, {25, 20.125}, {100, 180}, {300, 1234.5678}});
        addCurve(m, "N97 100 °C", {{10, 3}, {50, 41}, {200, 510}});
    }
    void cleanup() {
        graph_.reset();
        ui::SetMessageService(nullptr);
        ui::SetFileDialogService(nullptr);
        ui::SetClipboardService(nullptr);
    }

    /// Every picture format through "Save Graph As", checked by a reader of its own.
    void picturesHoldCurvesAndTexts() {
        // The filter, the name given in the dialog, the file written, PNG pixels per screen pixel.
        const std::tuple<const char*, const char*, const char*, double> cases[] = {
            {"PNG image, 96 dpi (*.png)", "g96.png", "g96.png", 1},
            {"PNG image, 300 dpi (*.png)", "g300", "g300.png", 300 / 96.0}, // suffix added from the filter
            {"SVG drawing (*.svg)", "g.svg", "g.svg", 0},
            {"PDF document (*.pdf)", "g.pdf", "g.pdf", 1}, // its page rendered at 96 dpi
        };
        for (const auto& [filter, name, written, scale] : cases) {
            answer(dir_.filePath(QLatin1String(name)), QLatin1String(filter));
            SaveGraphAs(graph_.get(), nullptr);
            QVERIFY2(messages_->messages.empty(), written);
            const QString file = dir_.filePath(QLatin1String(written));
            QImage picture(file);
            QString texts; // what a reader finds written in the file
            if (file.endsWith(u".svg")) {
                texts = QString::fromUtf8(tolvik::test::ReadFile(file));
                // The writer puts the pen on the group around the shapes.
                QVERIFY(texts.contains(QRegularExpression(
                    u"<g [^>]*stroke=\"%1\"[^>]*>\\s*<(path|polyline) "_s.arg(kFirstCurve.name()))));
                // A background of its own, filled over the whole picture (not see-through).
                QVERIFY(texts.contains(QRegularExpression(
                    u"<g fill=\"(?!none)[^\"]+\"[^>]*>\\s*<rect x=\"0\" y=\"0\" width=\"600\" height=\"420\"/>"_s)));
            } else if (file.endsWith(u".pdf")) {
                if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
                    QSKIP("pdftotext (poppler-utils) is not installed");
                texts = tolvik::test::PdfPages(file).join(u'\f');
                QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"),
                                           {QStringLiteral("-png"), QStringLiteral("-r"),
                                            QStringLiteral("96"), QStringLiteral("-singlefile"), file, file}),
                         0);
                picture.load(file + QStringLiteral(".png"));
            } else {
                QCOMPARE(picture.size(), QSize(qRound(600 * scale), qRound(420 * scale)));
                QCOMPARE(qRound(picture.dotsPerMeterX() * 0.0254), qRound(96 * scale));
            }
            if (!file.endsWith(u".svg")) QVERIFY2(PixelsOf(picture, kFirstCurve) > 100 * scale, written);
            for (const QString& t : kTexts)
                QVERIFY2(file.endsWith(u".png") || texts.contains(t), qPrintable(t + u" in "_s + file));
        }
    }

    /// The file name offered is the graph's title, without the signs a file name cannot hold
    /// (then the suffix of the format chosen last).
    void suggestedNameIsTheTitleMadeSafe() {
        const std::pair<const char*, const char*> cases[] = {
            {"Pv vs. f", "Pv vs. f"},
            {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
            {"  ", "graph"},
        };
        for (const auto& [title, name] : cases) {
            graph_->model().setGraphTitle(title);
            QString offered;
            ui::SetFileDialogService(std::make_unique<ui::ScriptedFileDialogService>(
                [&offered](const QString&, const QString& suggested, const QStringList&, const QString&) {
                    offered = suggested;
                    return std::make_pair(QString(), QString());
                }));
            SaveGraphAs(graph_.get(), nullptr);
            QCOMPARE(QFileInfo(offered).completeBaseName(), QString::fromUtf8(name));
        }
    }

    /// A write that fails leaves the old file as it was, no temporary file, and a message.
    void failedWriteLeavesNoHalfFile() {
        QTemporaryDir dir;
        // The full disk is met by a PDF: the PNG writer's error path leaks inside Qt (sanitizers).
        const QString old = dir.filePath(QStringLiteral("old.pdf"));
        for (const QString& path : {dir.filePath(QStringLiteral("plain")), old})
            QVERIFY(tolvik::test::WriteFile(path, "old content"));
        // The path, whether the file system refuses to grow the file after 2 kB, the filter.
        const std::tuple<QString, bool, QString> cases[] = {
            {dir.filePath(QStringLiteral("plain/g.png")), false,
             QStringLiteral("PNG image, 300 dpi (*.png)")},
            {old, true, QStringLiteral("PDF document (*.pdf)")}};
        for (const auto& [path, diskFull, filter] : cases) {
            messages_->messages.clear();
            answer(path, filter);
            {
                std::optional<tolvik::test::DiskFull> full;
                if (diskFull) full.emplace(2048);
                SaveGraphAs(graph_.get(), nullptr);
            }
            QCOMPARE(messages_->messages.size(), size_t(1));
            QVERIFY2(messages_->messages[0].text.startsWith(QStringLiteral("The file ") +
                                                            QDir::toNativeSeparators(path) +
                                                            QStringLiteral(" could not be written: ")),
                     qPrintable(messages_->messages[0].text));
            QCOMPARE(messages_->messages[0].title, QStringLiteral("Tolvik"));
        }
        QCOMPARE(tolvik::test::ReadFile(old), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("old.pdf"), QStringLiteral("plain")}));
    }

    /// Copy puts the picture on the clipboard; without a graph or curves the commands say so.
    void contextMenuAndMessages() {
        InstallGraphExport();
        const ImageClipboard* board = tolvik::test::Install<ImageClipboard>(ui::SetClipboardService);
        graph_->commandAction(Graph::Command::Copy)->trigger();
        QCOMPARE(board->image.size(), QSize(600, 420) * graph_->devicePixelRatioF());
        QVERIFY(PixelsOf(board->image, kFirstCurve) > 100);

        resetGraph(graph_->model());
        answer(dir_.filePath(QStringLiteral("none.csv")), QStringLiteral("CSV table (*.csv)"));
        graph_->commandAction(Graph::Command::ExportData)->trigger();
        SaveGraphAs(nullptr, nullptr);
        QCOMPARE(messages_->messages.size(), size_t(2));
        QCOMPARE(messages_->messages[0].text, QStringLiteral("The graph holds no curve to export."));
        QVERIFY(messages_->messages[1].text.startsWith(QStringLiteral("No graph loaded")));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("none.csv"))));
        Graph::setCommandHandler(nullptr);
    }

private:
    void answer(const QString& path, const QString& filter) {
        ui::SetFileDialogService(std::make_unique<ui::ScriptedFileDialogService>(
            [path, filter](const QString&, const QString&, const QStringList& filters, const QString&) {
                return std::make_pair(path, filters.contains(filter) ? filter : QString());
            }));
    }

    QTemporaryDir dir_;
    std::unique_ptr<Graph> graph_;
    ui::RecordingMessageService* messages_ = nullptr;
};

QTEST_MAIN(GraphExportTest)
#include "graph_export_test.moc"
