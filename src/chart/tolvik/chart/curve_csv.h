#pragma once
/// The curves of a chart as comma-separated text (RFC 4180), independent of any locale:
/// one pair of x/y columns per drawn curve, headed by the curve's legend and the axis
/// titles, numbers with a point as decimal separator in their shortest exact form.

#include "tolvik/chart/chart_model.h"

#include <string>
#include <utility>
#include <vector>

namespace tolvik::chart {

/// One exported curve: its column headings and its points.
struct CsvCurve {
    std::string xHeading, yHeading;
    std::vector<std::pair<double, double>> points;
};

/// The curves as the chart shows them: sets without a shown point are left out; a point
/// is kept only when the curve wrote both its values, both are finite and it can be shown
/// on the axes (values <= 0 are not shown on a logarithmic axis). A set without legend text
/// is named "Curve <n>", as the chart's legend names it.
std::vector<CsvCurve> ExportedCurves(const ChartModel& model);

/// A number in the C locale: shortest text that reads back to the same double.
/// Not finite numbers give "" (they are never exported).
std::string CsvNumber(double value);

/// The CSV text: one heading row, then one row per point index; a curve with fewer points
/// leaves its cells empty. Lines end with "\n"; texts are quoted, quotes doubled.
std::string CurvesCsv(const ChartModel& model);

} // namespace tolvik::chart
