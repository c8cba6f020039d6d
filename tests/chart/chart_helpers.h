#pragma once
// Curve writing as the windows do it, shared by the chart tests.

#include "tolvik/chart/chart_model.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tolvik::chart::test {

using Points = std::vector<std::pair<double, double>>;

/// The graph reset every window gives before new curves.
inline void resetGraph(ChartModel& m) {
    m.setDataReset(9);
    m.setDrawMode(3);
}

/// Writes legend and points into the last set (y before x, like the windows), draws, and adds
/// an empty set for the next curve.
inline void addCurve(ChartModel& m, const std::string& legend, const Points& pts) {
    const int k = m.numSets();
    m.setThisSet(k);
    m.setNumPoints(std::max(m.numPoints(), static_cast<int>(pts.size())));
    m.setLegendText(legend);
    for (size_t i = 0; i < pts.size(); ++i) {
        m.setThisPoint(static_cast<int>(i) + 1);
        m.setYValue(pts[i].second);
        m.setXValue(pts[i].first);
    }
    m.setDrawMode(3);
    m.setNumSets(k + 1);
}

} // namespace tolvik::chart::test
