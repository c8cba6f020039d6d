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
    for (int code : {1, 9, 5, 3, 1})
        m.setDataReset(code);
    m.setNumSets(1);
    m.setNumPoints(2);
    m.setGraphStyle(5);
    m.setRandomData(0);
    m.setDrawMode(3);
}

/// Writes legend and points into set k (y before x, like the windows) and draws.
inline void fillSet(ChartModel& m, int k, const std::string& legend, const Points& pts) {
    m.setThisSet(k);
    m.setNumPoints(std::max(m.numPoints(), static_cast<int>(pts.size())));
    m.setLegendText(legend);
    for (size_t i = 0; i < pts.size(); ++i) {
        m.setThisPoint(static_cast<int>(i) + 1);
        m.setYValue(pts[i].second);
        m.setXValue(pts[i].first);
    }
    m.setDrawMode(3);
}

/// A fresh graph (1 set, 2 points) gets set 1, else a new set is added. Returns the set.
inline int addCurve(ChartModel& m, const std::string& legend, const Points& pts) {
    const int k = (m.numSets() == 1 && m.numPoints() == 2) ? 1 : m.numSets() + 1;
    m.setNumSets(k);
    fillSet(m, k, legend, pts);
    return k;
}

/// The other way round: fills the last set, then adds an empty one.
inline void addCurveThenGrow(ChartModel& m, const std::string& legend, const Points& pts) {
    const int s = m.numSets();
    fillSet(m, s, legend, pts);
    m.setNumSets(s + 1);
}

} // namespace tolvik::chart::test
