// The curve data behind every graph, and its curves as CSV.

#include "chart_helpers.h"
#include "tolvik/chart/curve_csv.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using namespace tolvik::chart;
using namespace tolvik::chart::test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

/// Runs with a decimal-comma C locale, when the system has one, and restores "C".
struct CommaLocale {
    CommaLocale() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST(ChartModelSets, ResetClearsTheDataOnlyAndTheSelectedPointReadsBack) {
    ChartModel m;
    addCurve(m, "old", {{1, 2}, {3, 4}, {5, 6}});
    m.setGraphTitle("power loss");
    m.setAxisScale(15);
    m.setXMax(200);
    resetGraph(m);
    EXPECT_EQ(std::make_pair(m.numSets(), m.numPoints()), std::make_pair(1, 2));
    EXPECT_TRUE(m.writtenPoints(1).empty());
    EXPECT_EQ(m.legendOf(1), "");
    EXPECT_EQ(m.thisSet(), 1);
    // Titles, scaling and limits are not data.
    EXPECT_EQ(m.graphTitle(), "power loss");
    EXPECT_EQ(m.axisScaleCode(), 15);
    EXPECT_EQ(m.xMax(), 200);

    addCurve(m, "a", {{1, 1}, {2, 4}, {3, 9}, {4, 16}});
    addCurve(m, "b", {{1, 2}, {2, 3}});
    EXPECT_EQ(m.numSets(), 3);
    EXPECT_EQ(m.numPoints(), 4); // the longest curve decides
    EXPECT_EQ(m.writtenPoints(2), (Points{{1, 2}, {2, 3}}));
    EXPECT_TRUE(m.writtenPoints(3).empty());
    m.setThisSet(2); // what the point reader shows
    m.setThisPoint(2);
    EXPECT_EQ(m.legendText(), "b");
    EXPECT_EQ(std::make_pair(m.xValue(), m.yValue()), std::make_pair(2.0, 3.0));
    m.setThisPoint(4);
    EXPECT_EQ(m.xValue(), 0); // an unwritten point reads as 0
    // A point with only one coordinate written is not drawn.
    m.setThisSet(3);
    m.setThisPoint(1);
    m.setXValue(7);
    EXPECT_TRUE(m.writtenPoints(3).empty());
    m.setYValue(8);
    EXPECT_EQ(m.writtenPoints(3), (Points{{7, 8}}));
}

TEST(ChartModelSets, SelectingBeyondTheCountsRaisesThemLoweringDropsPoints) {
    ChartModel m;
    m.setThisSet(4);
    m.setThisPoint(10);
    EXPECT_EQ(std::make_pair(m.numSets(), m.numPoints()), std::make_pair(4, 10));
    m.setThisSet(0); // ignored
    EXPECT_EQ(m.thisSet(), 4);
    EXPECT_FALSE(m.point(9, 1).written());
    EXPECT_FALSE(m.point(1, 99).written());
    m.setNumSets(0);
    EXPECT_EQ(m.numSets(), 1);

    addCurve(m, "", {{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}});
    m.setNumPoints(3);
    m.setNumPoints(5); // points that were dropped come back unwritten
    EXPECT_EQ(m.writtenPoints(1).size(), 3u);
    m.setNumPoints(0);
    EXPECT_TRUE(m.writtenPoints(1).empty());
    EXPECT_EQ(m.numPoints(), 0);
}

TEST(ChartModelValues, NonFiniteValuesAreRefused) {
    ChartModel m;
    for (const auto& [i, x, y] : {std::tuple{1, 1.0, kNaN}, {2, kInf, 2.0}, {3, 3.0, -kInf}}) {
        m.setThisPoint(i);
        m.setXValue(x);
        m.setYValue(y);
    }
    EXPECT_TRUE(m.writtenPoints(1).empty());
    EXPECT_EQ(m.yValue(), 0);
    EXPECT_FALSE(m.dataExtent(true, false).has_value());
    // Overwriting a good value with NaN unwrites the point.
    m.setYValue(5);
    EXPECT_EQ(m.writtenPoints(1), (Points{{3, 5}}));
    m.setXValue(kNaN);
    EXPECT_TRUE(m.writtenPoints(1).empty());
    m.setXMax(100);
    m.setXMax(kNaN);
    EXPECT_EQ(m.xMax(), 100);
    m.setPrintInfo(2, kInf);
    EXPECT_EQ(m.printInfo(2), 0);
}

TEST(ChartModelCodes, AxisScalingCodes) {
    const std::tuple<int, bool, bool, bool> cases[] = {
        {0, false, false, false}, {15, true, true, false}, {7, false, true, false},
        {16, true, false, false}, {6, false, false, true}, {3, false, false, false}}; // 3: unknown
    for (const auto& [code, xLog, yLog, fixed] : cases) {
        ChartModel m;
        m.setAxisScale(code);
        EXPECT_EQ(std::tuple(m.xLogarithmic(), m.yLogarithmic(), m.fixedLimits()),
                  std::tuple(xLog, yLog, fixed))
            << code;
    }
}

TEST(ChartModelCodes, DrawCommandsAndResetNotifyTheView) {
    ChartModel m;
    std::string calls;
    m.onRedraw = [&] { calls += "redraw "; };
    m.onDataReset = [&] { calls += "reset "; };
    m.onPrint = [&] { calls += "print "; };
    for (int mode : {2, 3, 1, 5})
        m.setDrawMode(mode);
    m.setDataReset(9);
    EXPECT_EQ(calls, "redraw redraw print reset redraw ");
}

TEST(ChartModelCodes, PrintFrameStaysOnThePage) {
    ChartModel m;
    const auto frame = [&m] {
        const auto f = m.printFrame();
        return f ? std::vector<double>{f->left, f->top, f->width, f->height} : std::vector<double>{};
    };
    EXPECT_TRUE(frame().empty());
    // Entries 2 to 5: left, top, width, height (cm); 6 and 7: the printable page.
    for (const auto& [entry, value] : {std::pair{2, 3.0}, {3, 4.0}, {4, 23.0}, {5, 15.0}})
        m.setPrintInfo(entry, value);
    EXPECT_EQ(frame(), (std::vector<double>{3, 4, 23, 15}));
    m.setPrintInfo(6, 24);
    m.setPrintInfo(7, 18);
    EXPECT_EQ(frame(), (std::vector<double>{3, 4, 21, 14})); // the frame stays on the page
    m.setPrintInfo(2, 30);
    EXPECT_TRUE(frame().empty());
}

TEST(ChartModelPick, NearestWrittenPointWithinDistance) {
    ChartModel m;
    resetGraph(m);
    addCurve(m, "a", {{0, 0}, {10, 10}, {20, 20}});
    addCurve(m, "b", {{0, 5}, {10, 15}});
    const auto identity = [](double x, double y) { return std::make_pair(x, y); };
    EXPECT_EQ(m.pickPoint(9, 11, identity, 8), std::make_pair(1, 2));
    EXPECT_EQ(m.pickPoint(9, 14, identity, 8), std::make_pair(2, 2));
    EXPECT_EQ(m.pickPoint(0, 3.5, identity, 8), std::make_pair(2, 1));
    EXPECT_FALSE(m.pickPoint(40, 40, identity, 8).has_value());
    EXPECT_FALSE(m.pickPoint(26, 20, identity, 5.9).has_value());
    EXPECT_EQ(m.pickPoint(26, 20, identity, 6), std::make_pair(1, 3));
    // Display units are what count: stretch y by 10.
    const auto stretched = [](double x, double y) { return std::make_pair(x, 10 * y); };
    EXPECT_EQ(m.pickPoint(10, 150, stretched, 8), std::make_pair(2, 2));
    EXPECT_FALSE(m.pickPoint(10, 125, stretched, 8).has_value());

    // Unwritten and undrawable points are not picked.
    m.setThisSet(3);
    m.setThisPoint(1);
    m.setXValue(-20); // only x: not written
    EXPECT_FALSE(m.pickPoint(-20, 0, identity, 0.5).has_value());
    addCurve(m, "c", {{-1, 5}, {4, 5}});
    EXPECT_EQ(m.pickPoint(-1, 5, identity, 0.5), std::make_pair(3, 1));
    m.setAxisScale(16); // log x: x <= 0 is not drawn
    EXPECT_FALSE(m.pickPoint(-1, 5, identity, 0.5).has_value());
    const auto noDisplay = [](double, double) { return std::make_pair(std::nan(""), 0.0); };
    EXPECT_FALSE(m.pickPoint(4, 5, noDisplay, 100).has_value());
}

TEST(ChartModelAxes, DataExtentAndTicks) {
    ChartModel m;
    resetGraph(m);
    addCurve(m, "a", {{-5, 0.02}, {50, 3}, {1000, 0}});
    EXPECT_EQ(m.dataExtent(true, false), std::make_pair(-5.0, 1000.0));
    EXPECT_EQ(m.dataExtent(true, true), std::make_pair(50.0, 1000.0));
    EXPECT_EQ(m.dataExtent(false, true), std::make_pair(0.02, 3.0));

    // within (fixed limits stay), lo, hi, n, min, max, step, decimals
    const std::tuple<bool, double, double, int, double, double, double, int> ticks[] = {
        {false, 0.3, 9.7, 6, 0, 10, 2, 0},
        {false, -41, 139, 8, -50, 150, 25, 0},
        {false, 1.02, 1.9, 6, 1, 2, 0.2, 1},
        {false, 0, 0.9, 4, 0, 1, 0.25, 2},
        {true, -62, 62, 6, -62, 62, 25, 0}};
    for (const auto& [within, lo, hi, n, min, max, step, decimals] : ticks) {
        const LinearTicks t = within ? linearTicksWithin(lo, hi, n) : niceLinearTicks(lo, hi, n);
        EXPECT_DOUBLE_EQ(t.min, min) << lo << " " << hi;
        EXPECT_DOUBLE_EQ(t.max, max) << lo << " " << hi;
        EXPECT_DOUBLE_EQ(t.step, step) << lo << " " << hi;
        EXPECT_EQ(t.decimals, decimals) << lo << " " << hi;
    }
    const LinearTicks flat = niceLinearTicks(5, 5, 6); // a flat curve still gets a range
    EXPECT_TRUE(flat.min < 5 && flat.max > 5);
    // Spans beyond the largest double (max − min overflows) still give a finite range.
    const std::pair<double, double> huge[] = {
        {-1e308, 1e308}, {-1.7e308, 1.7e308}, {1.7e308, 1.7e308}, {-std::numeric_limits<double>::max(), 0}};
    for (const auto& [lo, hi] : huge) {
        for (const LinearTicks& h : {niceLinearTicks(lo, hi, 6), linearTicksWithin(lo, hi, 6)}) {
            EXPECT_TRUE(std::isfinite(h.min) && std::isfinite(h.max) && h.min < h.max && h.step > 0 &&
                        std::isfinite(h.step))
                << lo << " " << hi;
        }
    }

    EXPECT_EQ(logDecades(25, 1000), std::make_pair(10.0, 1000.0));
    EXPECT_EQ(logDecades(0.1, 1638.4), std::make_pair(0.1, 10000.0));
    EXPECT_EQ(logDecades(5, 5), std::make_pair(1.0, 10.0));
    EXPECT_EQ(logDecades(-1, 5), std::make_pair(1.0, 10.0));
}

TEST(CurveCsv, NumbersAreShortestExactAndLocaleFree) {
    CommaLocale comma;
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"}, {1e-7, "1e-07"}, {2e21, "2e+21"}, {0.0, "0"}, {1.0 / 3, "0.3333333333333333"},
        {kNaN, ""},   {-kInf, ""}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(CsvNumber(value), text) << text;
}

TEST(CurveCsv, OnePairOfColumnsPerShownCurve) {
    CommaLocale comma;
    const std::pair<int, std::string> cases[] = {
        // Linear axes: the unwritten point and the NaN point are left out, the empty set too.
        {0, "\"N87 \"\"A\"\", 25 °C, f[kHz]\",\"N87 \"\"A\"\", 25 °C, Pv[kW/m³]\","
            "\"Curve 2, f[kHz]\",\"Curve 2, Pv[kW/m³]\"\n"
            "0.5,2.25,-1,7\n"
            "10,300,,\n"
            "100,4000,,\n"},
        // Log-log: values <= 0 are not shown and not exported.
        {15, "\"N87 \"\"A\"\", 25 °C, f[kHz]\",\"N87 \"\"A\"\", 25 °C, Pv[kW/m³]\"\n"
             "0.5,2.25\n"
             "10,300\n"
             "100,4000\n"},
    };
    for (const auto& [axisCode, expected] : cases) {
        ChartModel m;
        resetGraph(m);
        m.setBottomTitle("f[kHz]");
        m.setLeftTitle("Pv[kW/m³]");
        m.setAxisScale(axisCode);
        addCurve(m, "N87 \"A\", 25 °C", {{0.5, 2.25}, {10, 300}, {100, 4000}});
        addCurve(m, "", {{-1, 7}, {3, kNaN}}); // and an empty third set
        m.setNumPoints(5);                     // points 4 and 5 of both sets stay unwritten
        EXPECT_EQ(CurvesCsv(m), expected) << axisCode;
    }
}

TEST(CurveCsv, EachCurveKeepsTheQuantityItWasDrawnAs) {
    // µ' drawn, then µ'' into the same graph: the first curve stays µ'.
    ChartModel m;
    resetGraph(m);
    m.setBottomTitle("f[kHz]");
    m.setLeftTitle("µs'");
    addCurve(m, "N30", {{1, 4300}});
    m.setLeftTitle("µs''");
    addCurve(m, "N30", {{1, 12}});
    EXPECT_EQ(CurvesCsv(m), "\"N30, f[kHz]\",\"N30, µs'\",\"N30, f[kHz]\",\"N30, µs''\"\n1,4300,1,12\n");
}
