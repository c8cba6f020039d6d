#include "tolvik/chart/curve_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tolvik::chart {

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string Heading(const std::string& legend, const std::string& axisTitle, const char* fallback) {
    return legend + ", " + (axisTitle.empty() ? std::string(fallback) : axisTitle);
}

} // namespace

std::string CsvNumber(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc()) return {};
    return std::string(buffer, result.ptr);
}

std::vector<CsvCurve> ExportedCurves(const ChartModel& model) {
    const bool xLog = model.xLogarithmic(), yLog = model.yLogarithmic();
    std::vector<CsvCurve> curves;
    for (int s = 1; s <= model.numSets(); ++s) {
        CsvCurve curve;
        for (const auto& [x, y] : model.writtenPoints(s)) {
            if (!std::isfinite(x) || !std::isfinite(y)) continue;
            if ((xLog && x <= 0) || (yLog && y <= 0)) continue;
            curve.points.emplace_back(x, y);
        }
        if (curve.points.empty()) continue;
        std::string legend = model.legendOf(s);
        if (legend.empty()) {
            char digits[12];
            const auto r = std::to_chars(digits, digits + sizeof digits, s);
            legend = "Curve " + std::string(digits, r.ptr);
        }
        // Each curve under the quantities it was drawn as: a graph may hold curves of
        // several quantities (µ' and µ'' in one complex-permeability graph).
        curve.xHeading = Heading(legend, model.xQuantityOf(s), "x");
        curve.yHeading = Heading(legend, model.yQuantityOf(s), "y");
        curves.push_back(std::move(curve));
    }
    return curves;
}

std::string CurvesCsv(const ChartModel& model) {
    const std::vector<CsvCurve> curves = ExportedCurves(model);
    std::string out;
    size_t rows = 0;
    for (size_t c = 0; c < curves.size(); ++c) {
        if (c > 0) out += ',';
        out += Quoted(curves[c].xHeading) + ',' + Quoted(curves[c].yHeading);
        rows = std::max(rows, curves[c].points.size());
    }
    out += '\n';
    for (size_t r = 0; r < rows; ++r) {
        for (size_t c = 0; c < curves.size(); ++c) {
            if (c > 0) out += ',';
            if (r < curves[c].points.size())
                out += CsvNumber(curves[c].points[r].first) + ',' + CsvNumber(curves[c].points[r].second);
            else
                out += ',';
        }
        out += '\n';
    }
    return out;
}

} // namespace tolvik::chart
