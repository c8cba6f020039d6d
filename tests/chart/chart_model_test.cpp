#include "chart_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tolvik::chart;

using namespace tolvik::chart::test;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

} // namespace

TEST(ChartModelSets, ResetLeavesOneSetOfTwoUnwrittenPointsAndCurvesGoToSetOneThenTwo) {
    ChartModel m;
    addCurve(m, "old", {{1, 2}, {3, 4}, {5, 6}});
    m.setGraphTitle("power loss");
    m.setAxisScale(15);
    m.setXMax(200);
    resetGraph(m);
    EXPECT_EQ(m.numSets(), 1);
    EXPECT_EQ(m.numPoints(), 2);
    EXPECT_TRUE(m.writtenPoints(1).empty());
    EXPECT_FALSE(m.point(1, 1).written());
    EXPECT_EQ(m.legendOf(1), "");
    EXPECT_EQ(m.thisSet(), 1);
    // Titles, scaling and limits are not data.
    EXPECT_EQ(m.graphTitle(), "power loss");
    EXPECT_EQ(m.axisScaleCode(), 15);
    EXPECT_EQ(m.xMax(), 200);

    EXPECT_EQ(addCurve(m, "Q87", {{25, 2200}, {100, 3000}, {150, 1000}}), 1);
    EXPECT_EQ(addCurve(m, "Q97", {{25, 2300}, {100, 3100}}), 2);
    EXPECT_EQ(m.numSets(), 2);
    EXPECT_EQ(m.numPoints(), 3); // the longest curve decides
    EXPECT_EQ(m.writtenPoints(1), (Points{{25, 2200}, {100, 3000}, {150, 1000}}));
    EXPECT_EQ(m.writtenPoints(2), (Points{{25, 2300}, {100, 3100}}));
    m.setThisSet(2);
    EXPECT_EQ(m.legendText(), "Q97");
    m.setThisPoint(2);
    EXPECT_EQ(m.xValue(), 100);
    EXPECT_EQ(m.yValue(), 3100);
}

TEST(ChartModelSets, UnwrittenPointsAndEmptyTrailingSetsAreNotDrawn) {
    ChartModel m;
    resetGraph(m);
    addCurveThenGrow(m, "a", {{1, 1}, {2, 4}, {3, 9}, {4, 16}});
    addCurveThenGrow(m, "b", {{1, 2}, {2, 3}});
    EXPECT_EQ(m.numSets(), 3);
    EXPECT_EQ(m.numPoints(), 4);
    EXPECT_EQ(m.writtenPoints(2), (Points{{1, 2}, {2, 3}}));
    EXPECT_FALSE(m.point(2, 3).written());
    EXPECT_TRUE(m.writtenPoints(3).empty());
    EXPECT_EQ(m.xValue(), 2); // set 2 point 2 still selected
    m.setThisSet(2);
    m.setThisPoint(4);
    EXPECT_EQ(m.xValue(), 0); // an unwritten point reads as 0
    // A point with only one coordinate written is not drawn either.
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
    EXPECT_EQ(m.numSets(), 4);
    m.setThisPoint(10);
    EXPECT_EQ(m.numPoints(), 10);
    m.setThisSet(0); // ignored
    EXPECT_EQ(m.thisSet(), 4);
    EXPECT_FALSE(m.point(9, 1).written());
    EXPECT_FALSE(m.point(1, 99).written());
    m.setNumSets(0);
    EXPECT_EQ(m.numSets(), 1);

    addCurve(m, "", {{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 50}});
    m.setNumPoints(3);
    EXPECT_EQ(m.writtenPoints(2).size(), 3u);
    m.setNumPoints(5); // points that were dropped come back unwritten
    EXPECT_EQ(m.writtenPoints(2).size(), 3u);
    m.setNumPoints(0);
    EXPECT_TRUE(m.writtenPoints(2).empty());
    EXPECT_EQ(m.numPoints(), 0);
}

TEST(ChartModelValues, NonFiniteValuesAreRefused) {
    ChartModel m;
    m.setThisPoint(1);
    m.setXValue(1);
    m.setYValue(kNaN);
    m.setThisPoint(2);
    m.setXValue(kInf);
    m.setYValue(2);
    m.setThisPoint(3);
    m.setXValue(3);
    m.setYValue(-kInf);
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
    const struct {
        int code;
        bool xLog, yLog, fixed;
    } cases[] = {{0, false, false, false}, {15, true, true, false}, {7, false, true, false},
                 {16, true, false, false}, {6, false, false, true}, {3, false, false, false}}; // 3: unknown
    for (const auto& c : cases) {
        ChartModel m;
        m.setAxisScale(c.code);
        EXPECT_EQ(m.xLogarithmic(), c.xLog) << c.code;
        EXPECT_EQ(m.yLogarithmic(), c.yLog) << c.code;
        EXPECT_EQ(m.fixedLimits(), c.fixed) << c.code;
        EXPECT_EQ(m.axisScaleCode(), c.code); // kept as written
    }
}

TEST(ChartModelCodes, DrawCommandsAndResetNotifyTheView) {
    ChartModel m;
    int redraws = 0, resets = 0, prints = 0;
    m.onRedraw = [&] { ++redraws; };
    m.onDataReset = [&] { ++resets; };
    m.onPrint = [&] { ++prints; };
    m.setDrawMode(2);
    m.setDrawMode(3);
    EXPECT_EQ(redraws, 2);
    m.setDrawMode(1);
    m.setDrawMode(5);
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(m.drawMode(), 5);
    m.setDataReset(9);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(redraws, 3);
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
    EXPECT_EQ(m.pickPoint(-1, 5, identity, 0.5), std::make_pair(4, 1));
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

    const struct {
        bool within; ///< fixed limits stay
        double lo, hi;
        int n;
        double min, max, step;
        int decimals;
    } ticks[] = {{false, 0.3, 9.7, 6, 0, 10, 2, 0},
                 {false, -41, 139, 8, -50, 150, 25, 0},
                 {false, 1.02, 1.9, 6, 1, 2, 0.2, 1},
                 {false, 0, 0.9, 4, 0, 1, 0.25, 2},
                 {true, -62, 62, 6, -62, 62, 25, 0}};
    for (const auto& c : ticks) {
        const LinearTicks t =
            c.within ? linearTicksWithin(c.lo, c.hi, c.n) : niceLinearTicks(c.lo, c.hi, c.n);
        EXPECT_DOUBLE_EQ(t.min, c.min) << c.lo << " " << c.hi;
        EXPECT_DOUBLE_EQ(t.max, c.max) << c.lo << " " << c.hi;
        EXPECT_DOUBLE_EQ(t.step, c.step) << c.lo << " " << c.hi;
        EXPECT_EQ(t.decimals, c.decimals) << c.lo << " " << c.hi;
    }
    const LinearTicks flat = niceLinearTicks(5, 5, 6); // a flat curve still gets a range
    EXPECT_TRUE(flat.min < 5 && flat.max > 5);
    // Spans beyond the largest double (max − min overflows) still give a finite range.
    const std::pair<double, double> huge[] = {
        {-1e308, 1e308}, {-1.7e308, 1.7e308}, {1.7e308, 1.7e308}, {-std::numeric_limits<double>::max(), 0}};
    for (const auto& [lo, hi] : huge) {
        for (const LinearTicks& h : {niceLinearTicks(lo, hi, 6), linearTicksWithin(lo, hi, 6)}) {
            EXPECT_TRUE(std::isfinite(h.min) && std::isfinite(h.max) && std::isfinite(h.step))
                << lo << " " << hi;
            EXPECT_LT(h.min, h.max) << lo << " " << hi;
            EXPECT_GT(h.step, 0) << lo << " " << hi;
        }
    }

    EXPECT_EQ(logDecades(25, 1000), std::make_pair(10.0, 1000.0));
    EXPECT_EQ(logDecades(0.1, 1638.4), std::make_pair(0.1, 10000.0));
    EXPECT_EQ(logDecades(5, 5), std::make_pair(1.0, 10.0));
    EXPECT_EQ(logDecades(-1, 5), std::make_pair(1.0, 10.0));
}
