#pragma once
/// The curve data of one chart, without Qt: data sets of points addressed the way the
/// windows fill them (select a set, select a point, write x and y), legend texts, titles,
/// axis scaling and style codes. Points a curve never wrote are kept apart and never drawn.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tolvik::chart {

/// Axis scaling codes. The numbers themselves are the interface the windows use.
enum class AxisScale : int {
    Linear = 0,        ///< both axes linear, automatic limits (default)
    Hysteresis = 6,    ///< both axes linear, fixed limits from the axis-limit roles
    LinXLogY = 7,      ///< x linear, y logarithmic (loss against temperature)
    LogXLogY = 15,     ///< both logarithmic (loss against frequency or flux density)
    LogXLinY = 16,     ///< x logarithmic, y linear (performance factor against frequency)
};

struct Point {
    double x = 0;
    double y = 0;
    bool xWritten = false;
    bool yWritten = false;
    bool written() const { return xWritten && yWritten; }
};

class ChartModel {
public:
    ChartModel();

    // --- sets and points (1-based) ---
    int numSets() const;
    void setNumSets(int n);          ///< adds or drops sets; new sets start empty
    int numPoints() const;
    void setNumPoints(int n);        ///< points per set; new points start unwritten
    int thisSet() const;
    void setThisSet(int set);        ///< selects the current set (raises numSets if needed)
    int thisPoint() const;
    void setThisPoint(int point);    ///< selects the current point (raises numPoints if needed)
    double xValue() const;           ///< of the current point
    void setXValue(double x);
    double yValue() const;
    void setYValue(double y);
    std::string legendText() const;  ///< of the current set
    void setLegendText(const std::string& text);
    const Point& point(int set, int point) const;

    // --- titles ---
    void setGraphTitle(const std::string& t);
    void setBottomTitle(const std::string& t);  ///< x-axis title
    void setLeftTitle(const std::string& t);    ///< y-axis title
    const std::string& graphTitle() const;
    const std::string& bottomTitle() const;
    const std::string& leftTitle() const;

    // --- codes ---
    void setDataReset(int code);     ///< any code empties the data (one set, two unwritten points)
    void setGraphStyle(int code);
    void setRandomData(int code);
    void setDrawMode(int mode);      ///< draw command: 2 or 3 redraws, 5 prints
    int drawMode() const;
    void setAxisScale(int code);
    AxisScale axisScale() const;
    int axisScaleCode() const;
    /// Axis limits (used with fixed limits, e.g. the hysteresis code).
    void setXMin(double v);
    void setXMax(double v);
    void setYMin(double v);
    void setYMax(double v);
    double xMin() const;
    double xMax() const;
    double yMin() const;
    double yMax() const;
    /// Further style codes, by name, passed through unchanged.
    void setStyle(const std::string& name, int value);
    std::optional<int> style(const std::string& name) const;
    void setPrintInfo(int index, double value);
    double printInfo(int index) const;

    /// The written points of a set, in point order, for drawing.
    std::vector<std::pair<double, double>> writtenPoints(int set) const;

    /// Nearest written point to (x, y) in display units given by the mapping; returns
    /// (set, point) when one lies within maxDistance.
    std::optional<std::pair<int, int>> pickPoint(
        double x, double y, const std::function<std::pair<double, double>(double, double)>& toDisplay,
        double maxDistance) const;

    /// Called after every draw command (and reset), for the view to redraw.
    std::function<void()> onRedraw;

private:
    struct Set {
        std::string legend;
        std::vector<Point> points;
    };
    std::vector<Set> sets_;
    int numPoints_ = 2;
    int thisSet_ = 1;
    int thisPoint_ = 1;
    std::string graphTitle_, bottomTitle_, leftTitle_;
    int drawMode_ = 3;
    int axisScale_ = 0;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0;
    std::map<std::string, int> styles_;
    std::map<int, double> printInfo_;
};

} // namespace tolvik::chart
