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
/// Any code not listed here reads as Linear. On a logarithmic axis points with a value
/// <= 0 are left out (they are neither drawn nor pickable). With the Hysteresis code the
/// limits set through setXMin/setXMax/setYMin/setYMax are used exactly; an axis whose
/// limits are not ordered (min >= max, e.g. all 0) falls back to automatic limits.
/// Automatic linear limits are widened to round tick steps; automatic logarithmic limits
/// to whole decades.
enum class AxisScale : int {
    Linear = 0,     ///< both axes linear, automatic limits (default)
    Hysteresis = 6, ///< both axes linear, fixed limits from the axis-limit roles
    LinXLogY = 7,   ///< x linear, y logarithmic (loss against temperature)
    LogXLogY = 15,  ///< both logarithmic (loss against frequency or flux density)
    LogXLinY = 16,  ///< x logarithmic, y linear (performance factor against frequency)
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
    void setNumSets(int n); ///< adds or drops sets; new sets start empty
    int numPoints() const;
    void setNumPoints(int n); ///< points per set; new points start unwritten, lowering drops points
    int thisSet() const;
    void setThisSet(int set); ///< selects the current set (raises numSets if needed)
    int thisPoint() const;
    void setThisPoint(int point); ///< selects the current point (raises numPoints if needed)
    double xValue() const;        ///< of the current point
    void setXValue(double x);
    double yValue() const;
    void setYValue(double y);
    std::string legendText() const; ///< of the current set
    void setLegendText(const std::string& text);
    std::string legendOf(int set) const; ///< legend text of any set ("" when there is none)
    /// The axis titles in force when the set was last drawn with new data: the quantities
    /// its x and y values stand for. A set not drawn since it was written reads the titles
    /// in force now.
    std::string xQuantityOf(int set) const;
    std::string yQuantityOf(int set) const;
    const Point& point(int set, int point) const;

    // --- titles ---
    void setGraphTitle(const std::string& t);
    void setBottomTitle(const std::string& t); ///< x-axis title
    void setLeftTitle(const std::string& t);   ///< y-axis title
    const std::string& graphTitle() const;
    const std::string& bottomTitle() const;
    const std::string& leftTitle() const;

    // --- codes ---
    /// Any code empties the data (one set, two unwritten points, set 1 and point 1
    /// selected). Titles, axis code, axis limits and style codes stay.
    void setDataReset(int code);
    int dataReset() const;
    void setGraphStyle(int code);
    int graphStyle() const;
    void setRandomData(int code);
    int randomData() const;
    /// Draw command: 2 or 3 redraws (onRedraw), 5 prints (onPrint); other modes are kept only.
    void setDrawMode(int mode);
    int drawMode() const;
    void setAxisScale(int code);
    AxisScale axisScale() const; ///< the code as read (unknown codes read as Linear)
    int axisScaleCode() const;   ///< the code as written
    bool xLogarithmic() const;
    bool yLogarithmic() const;
    /// True when the axis-limit roles decide the ranges (Hysteresis code).
    bool fixedLimits() const;
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
    const std::map<std::string, int>& styles() const { return styles_; }
    /// Page-layout entries for printing. Entries 2..5 are the graph frame on the page in
    /// cm: 2 left, 3 top, 4 width, 5 height. Entries 6 and 7, when positive, are the
    /// printable page width and height in cm; the frame is kept inside them. Entry 1 and
    /// entries 8, 9 are kept but not interpreted here.
    void setPrintInfo(int index, double value);
    double printInfo(int index) const;
    struct Frame {
        double left = 0, top = 0, width = 0, height = 0;
    };
    /// The print frame from entries 2..7; empty when it has no area.
    std::optional<Frame> printFrame() const;

    /// The written points of a set, in point order, for drawing.
    std::vector<std::pair<double, double>> writtenPoints(int set) const;

    /// Nearest written point to (x, y) in display units given by the mapping; returns
    /// (set, point) when one lies within maxDistance.
    std::optional<std::pair<int, int>>
    pickPoint(double x, double y, const std::function<std::pair<double, double>(double, double)>& toDisplay,
              double maxDistance) const;

    /// Smallest and largest value of the written points along one axis (x when xAxis),
    /// only values > 0 when positiveOnly; empty when there is none.
    std::optional<std::pair<double, double>> dataExtent(bool xAxis, bool positiveOnly) const;

    /// Called after every draw command (and reset), for the view to redraw.
    std::function<void()> onRedraw;
    /// Called on a data reset, before onRedraw.
    std::function<void()> onDataReset;
    /// Called on the print command (draw mode 5).
    std::function<void()> onPrint;

private:
    struct Set {
        std::string legend;
        std::vector<Point> points;
        std::string xQuantity, yQuantity; ///< titles in force at its last draw
        bool drawn = false;               ///< drawn since its data last changed
    };
    Set& currentSet();
    void recordQuantities();
    std::vector<Set> sets_;
    int numPoints_ = 2;
    int thisSet_ = 1;
    int thisPoint_ = 1;
    std::string graphTitle_, bottomTitle_, leftTitle_;
    int drawMode_ = 3;
    int dataReset_ = 0;
    int graphStyle_ = 0;
    int randomData_ = 0;
    int axisScale_ = 0;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0;
    std::map<std::string, int> styles_;
    std::map<int, double> printInfo_;
};

/// Limits and tick step of a linear axis: the range widened to whole multiples of a
/// round step (1, 2, 2.5 or 5 times a power of ten) giving about `ticks` intervals.
struct LinearTicks {
    double min = 0, max = 1, step = 0.2;
    int decimals = 1; ///< decimals a tick label needs to show the step
};
LinearTicks niceLinearTicks(double min, double max, int ticks = 6);
/// The step alone, for fixed limits that must not move.
LinearTicks linearTicksWithin(double min, double max, int ticks = 6);
/// Whole decades enclosing [min, max] (both > 0); at least one decade.
std::pair<double, double> logDecades(double min, double max);

} // namespace tolvik::chart
