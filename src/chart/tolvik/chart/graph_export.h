#pragma once
/// Export of a graph: the picture as PNG (at a chosen resolution), SVG or PDF, its curves
/// as CSV, and the picture on the clipboard. Files are written through a temporary file
/// that replaces the target only when it is complete, so a failed write leaves no
/// half-written file. Dialogs, messages and the clipboard go through the services.

#include <QImage>
#include <QSize>
#include <QString>

class QWidget;

namespace tolvik::chart {

/// Export of the curve data of a graph without a curve.
inline constexpr const char* kNoCurveText = "The graph holds no curve to export.";

class Graph;
class ChartModel;

/// The size of the graph's picture in device-independent pixels: the graph as it is shown
/// (a graph that has not been laid out yet gets a usual window size).
QSize GraphPictureSize(const Graph& graph);
/// The graph's picture, titles, axes and legend included, on white; `scale` device pixels
/// per device-independent pixel (the image records the matching resolution).
QImage GraphImage(Graph& graph, double scale);

/// Writers: return "" on success, else the reason the file could not be written (the
/// target is then unchanged).
QString WriteGraphPng(Graph& graph, const QString& path, int dotsPerInch);
QString WriteGraphSvg(Graph& graph, const QString& path);
QString WriteGraphPdf(Graph& graph, const QString& path);
QString WriteCurveData(const ChartModel& model, const QString& path);

/// "Save Graph As...": asks for file and format, writes, reports a failure.
void SaveGraphAs(Graph* graph, QWidget* parent);
/// "Export Curve Data...": asks for a CSV file, writes, reports a failure.
void ExportCurveData(Graph* graph, QWidget* parent);
/// "Copy Graph": the picture at the screen's resolution onto the clipboard.
void CopyGraph(Graph* graph, QWidget* parent);

/// Makes the three commands the context menu of every chart.
void InstallGraphExport();

} // namespace tolvik::chart
