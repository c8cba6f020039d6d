#pragma once
/// Helpers around the graphs of the working windows: the graph reset, the arrow
/// pictures that point from inputs to results, the placing of the Calculate button,
/// and the shared out-of-range message.

#include <QString>

class QLabel;
class QWidget;

namespace tolvik {
struct AppContext;
namespace chart {
class Graph;
}
} // namespace tolvik

namespace tolvik::ui {

/// Shown by the graph commands (settings, export) when no working window shows a graph.
inline constexpr const char* kNoGraphText =
    "No graph loaded, please open Material properties or Core calculation form with graph display first";

/// Empties the chart (one set of two unwritten points) and clears the reading log.
/// A null graph is skipped.
void ResetGraph(chart::Graph* graph, AppContext& app);
/// Loads appFolder/bmp/arrow_<colour>[_horz].bmp into the picture, moves it when top > 0,
/// shows it; an "Orange" request ends gray (colour set to "gray"). A missing picture file
/// leaves the picture empty.
void ShowArrow(const AppContext& app, const QString& orientation, QLabel* picture, QString& colour,
               int leftTwips, int topTwips);
/// Shows a window's Calculate button and places it (twips); a null button is skipped.
void PlaceCalculateButton(QWidget* button, int leftTwips, int topTwips, int widthTwips);
inline constexpr const char* kValueOutOfRangeText =
    "The number is either too high or too low. Please enter an other value!";
inline constexpr const char* kValueOutOfRangeTitle = "Value out of range";
/// Shows kValueOutOfRangeText titled kValueOutOfRangeTitle.
void ShowValueOutOfRange(QWidget* parent = nullptr);

/// 15 twips per pixel.
inline constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}

} // namespace tolvik::ui
