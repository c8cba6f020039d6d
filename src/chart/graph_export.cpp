#include "tolvik/chart/graph_export.h"

#include "tolvik/chart/curve_csv.h"
#include "tolvik/chart/graph.h"
#include "tolvik/ui_common/graph_helpers.h"
#include "tolvik/ui_common/on_demand.h"
#include "tolvik/ui_common/services.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <array>
#include <cmath>
#include <memory>

namespace tolvik::chart {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kMetresPerInch = 0.0254;
const QSize kUnshownSize(800, 560);

const QString kNoGraph = QString::fromLatin1(ui::kNoGraphText);

struct PictureFormat {
    QString filter;
    QString suffix;
    int dotsPerInch; ///< PNG only
};

const std::array<PictureFormat, 6> kPictureFormats = {{
    {QStringLiteral("PNG image, 96 dpi (*.png)"), QStringLiteral("png"), 96},
    {QStringLiteral("PNG image, 150 dpi (*.png)"), QStringLiteral("png"), 150},
    {QStringLiteral("PNG image, 300 dpi (*.png)"), QStringLiteral("png"), 300},
    {QStringLiteral("PNG image, 600 dpi (*.png)"), QStringLiteral("png"), 600},
    {QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("svg"), 0},
    {QStringLiteral("PDF document (*.pdf)"), QStringLiteral("pdf"), 0},
}};
const QString kCsvFilter = QStringLiteral("CSV table (*.csv)");

/// What the dialogs suggest next time: the folder and picture format last used.
struct LastChoice {
    QString folder = QDir::homePath();
    QString pictureFilter = kPictureFormats[2].filter;
};
LastChoice& lastChoice() {
    static LastChoice c;
    return c;
}

/// A file name from the graph title ("graph" when it has none).
QString SuggestedName(const Graph& graph) {
    QString name = QString::fromStdString(graph.model().graphTitle()).simplified();
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
            c == u'>' || c == u'|' || c.category() == QChar::Other_Control)
            c = u'_';
    }
    return name.isEmpty() ? QStringLiteral("graph") : name;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 could not be written: %2").arg(QDir::toNativeSeparators(path), reason);
}

/// Opens the target through a temporary file; "" when that worked.
QString Open(QSaveFile& file) {
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    return {};
}

/// Puts the complete temporary file in place of the target; "" when that worked.
QString Commit(QSaveFile& file) {
    if (!file.commit()) return file.errorString();
    return {};
}

void RenderInto(Graph& graph, QPaintDevice& device, const QRectF& target) {
    QPainter painter(&device);
    graph.render(painter, target);
}

} // namespace

QSize GraphPictureSize(const Graph& graph) {
    const QSize shown = graph.size();
    const QSize least = graph.minimumSize();
    if (shown.width() < least.width() || shown.height() < least.height()) return kUnshownSize;
    return shown;
}

QImage GraphImage(Graph& graph, double scale) {
    if (!std::isfinite(scale) || scale <= 0) scale = 1;
    const QSize size = GraphPictureSize(graph);
    const QSize pixels(static_cast<int>(std::lround(size.width() * scale)),
                       static_cast<int>(std::lround(size.height() * scale)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(kScreenDpi * scale / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    RenderInto(graph, image, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

QString WriteGraphPng(Graph& graph, const QString& path, int dotsPerInch) {
    const QImage image = GraphImage(graph, dotsPerInch / kScreenDpi);
    QSaveFile file(path);
    QString error = Open(file);
    if (error.isEmpty() && !image.save(&file, "PNG")) error = file.errorString();
    if (error.isEmpty()) error = Commit(file);
    return error;
}

QString WriteGraphSvg(Graph& graph, const QString& path) {
    QSaveFile file(path);
    if (QString error = Open(file); !error.isEmpty()) return error;
    const QSize size = GraphPictureSize(graph);
    const ondemand::Parts* parts = ui::OnDemand();
    if (!parts) return ui::OnDemandError();
    const std::unique_ptr<QPaintDevice> svg(parts->newSvg(&file, size, static_cast<int>(kScreenDpi),
                                                          QString::fromStdString(graph.model().graphTitle()),
                                                          QStringLiteral("Tolvik graph")));
    RenderInto(graph, *svg, QRectF(QPointF(0, 0), QSizeF(size)));
    return Commit(file);
}

QString WriteGraphPdf(Graph& graph, const QString& path) {
    QSaveFile file(path);
    if (QString error = Open(file); !error.isEmpty()) return error;
    const QSize size = GraphPictureSize(graph);
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Tolvik"));
        pdf.setTitle(QString::fromStdString(graph.model().graphTitle()));
        pdf.setPageSize(QPageSize(QSizeF(size) * (25.4 / kScreenDpi), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        RenderInto(graph, pdf, QRectF(0, 0, pdf.width(), pdf.height()));
    }
    return Commit(file);
}

QString WriteCurveData(const ChartModel& model, const QString& path) {
    const std::string text = CurvesCsv(model);
    QSaveFile file(path);
    QString error = Open(file);
    if (error.isEmpty() && file.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size()))
        error = file.errorString();
    if (error.isEmpty()) error = Commit(file);
    return error;
}

void SaveGraphAs(Graph* graph, QWidget* parent) {
    if (!graph) {
        ui::ShowMessage(kNoGraph, ui::kTitle, parent);
        return;
    }
    QStringList filters;
    for (const PictureFormat& f : kPictureFormats)
        filters << f.filter;
    LastChoice& last = lastChoice();
    QString filter = last.pictureFilter;
    const PictureFormat* chosen = &kPictureFormats[2];
    for (const PictureFormat& f : kPictureFormats)
        if (f.filter == filter) chosen = &f;
    const QString suggested = QDir(last.folder).filePath(SuggestedName(*graph) + u'.' + chosen->suffix);
    QString path =
        ui::FileDialogs().saveFileName(parent, QStringLiteral("Save Graph As"), suggested, filters, &filter);
    if (path.isEmpty()) return;

    for (const PictureFormat& f : kPictureFormats)
        if (f.filter == filter) chosen = &f;
    // A typed extension decides the format; the filter decides the resolution of a PNG.
    const QString suffix = QFileInfo(path).suffix().toLower();
    const PictureFormat* bySuffix = nullptr;
    for (const PictureFormat& f : kPictureFormats)
        if (f.suffix == suffix && !bySuffix) bySuffix = &f;
    if (!bySuffix) {
        path += u'.' + chosen->suffix;
    } else if (bySuffix->suffix != chosen->suffix) {
        chosen = bySuffix;
    }
    last.folder = QFileInfo(path).absolutePath();
    last.pictureFilter = chosen->filter;

    QString error;
    if (chosen->suffix == u"svg")
        error = WriteGraphSvg(*graph, path);
    else if (chosen->suffix == u"pdf")
        error = WriteGraphPdf(*graph, path);
    else
        error = WriteGraphPng(*graph, path, chosen->dotsPerInch);
    if (!error.isEmpty()) ui::ShowMessage(WriteFailure(path, error), ui::kTitle, parent);
}

void ExportCurveData(Graph* graph, QWidget* parent) {
    if (!graph) {
        ui::ShowMessage(kNoGraph, ui::kTitle, parent);
        return;
    }
    if (ExportedCurves(graph->model()).empty()) {
        ui::ShowMessage(QString::fromLatin1(kNoCurveText), ui::kTitle, parent);
        return;
    }
    LastChoice& last = lastChoice();
    QString filter = kCsvFilter;
    const QString suggested = QDir(last.folder).filePath(SuggestedName(*graph) + QStringLiteral(".csv"));
    QString path = ui::FileDialogs().saveFileName(parent, QStringLiteral("Export Curve Data"), suggested,
                                                  {kCsvFilter}, &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    last.folder = QFileInfo(path).absolutePath();
    if (const QString error = WriteCurveData(graph->model(), path); !error.isEmpty())
        ui::ShowMessage(WriteFailure(path, error), ui::kTitle, parent);
}

void CopyGraph(Graph* graph, QWidget* parent) {
    if (!graph) {
        ui::ShowMessage(kNoGraph, ui::kTitle, parent);
        return;
    }
    ui::Clipboard().setImage(GraphImage(*graph, graph->devicePixelRatioF()));
}

void InstallGraphExport() {
    Graph::setCommandHandler([](Graph& graph, Graph::Command command) {
        QWidget* parent = graph.window();
        switch (command) {
        case Graph::Command::SaveAs:
            SaveGraphAs(&graph, parent);
            break;
        case Graph::Command::ExportData:
            ExportCurveData(&graph, parent);
            break;
        case Graph::Command::Copy:
            CopyGraph(&graph, parent);
            break;
        }
    });
}

} // namespace tolvik::chart
