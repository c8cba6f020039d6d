#pragma once
/// A design file (".tolvik"): what the working windows showed when the user saved, so that
/// opening it brings back every tab, selection, input and curve as drawn. JSON with a format
/// name and a version; this file reads and writes it without Qt and checks every value's
/// type before anything is handed on, so that a damaged file is refused whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvik::design {

inline constexpr const char* kFormatName = "tolvik-design";
inline constexpr int kFormatVersion = 1;
/// Larger files are refused unread: no design comes near it.
inline constexpr std::size_t kMaxDesignBytes = 32u << 20;

/// A point of a curve; a coordinate the curve never wrote stays empty.
struct CurvePoint {
    std::optional<double> x, y;
    bool operator==(const CurvePoint&) const = default;
};

struct CurveState {
    std::string legend;
    std::vector<CurvePoint> points;
    bool operator==(const CurveState&) const = default;
};

/// One graph as drawn: titles, axis settings and curves.
struct GraphState {
    std::string name; ///< objectName of the graph, e.g. "Graph1(2)"
    std::string title, xTitle, yTitle;
    int axisScale = 0;
    int graphStyle = 0;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    int pointsPerCurve = 2;
    std::vector<std::pair<std::string, int>> styles; ///< further style codes by name
    std::vector<CurveState> curves;
    bool operator==(const GraphState&) const = default;
};

/// One working window: its tab, its selection as shown, and its controls by objectName.
struct WindowState {
    std::string name; ///< "CoreForm" or "MatTab"
    int tab = 0;
    std::string core;        ///< the selected core type as shown ("" when none)
    std::string material;    ///< the selected material ("" when none)
    std::string temperature; ///< the selected temperature, as shown ("" when the window has none)
    std::vector<std::pair<std::string, std::string>> texts; ///< input field → text
    std::vector<std::pair<std::string, bool>> options;      ///< option button or check box → checked
    std::vector<std::pair<std::string, std::string>> lists; ///< selection list → entry shown
    std::vector<GraphState> graphs;
    bool operator==(const WindowState&) const = default;
};

struct Design {
    std::string dataFile; ///< the data file the design was made with
    std::vector<WindowState> windows;
    bool operator==(const Design&) const = default;
};

/// The file's text (UTF-8 JSON).
std::string WriteDesign(const Design& design);

/// A design, or what is wrong with the text in words ("not JSON: line 3, column 5: …",
/// "windows[0].tab: a whole number is expected, not a text").
struct DesignRead {
    std::optional<Design> design;
    std::string error;
};
DesignRead ReadDesign(std::string_view text);

} // namespace tolvik::design
