#include "tolvik/material/amplitude.h"

#include "tolvik/numerics/numerics.h"

namespace tolvik::material {

MatCurve AmplitudeCurve(const std::string& column, const std::optional<data::CurveRows>& rows,
                        int numPoints) {
    MatCurve curve = CurveFromRows(column, rows);
    if (!curve.valid) return curve;
    const CurvePoint last = curve.points.empty() ? CurvePoint{} : curve.points.back();
    // The set is as long as the longest curve of the graph: this curve ends in its last point.
    const int end = static_cast<int>(num::MaxOf(numPoints, curve.rowCount));
    for (int i = static_cast<int>(curve.points.size()) + 1; i <= end; ++i)
        curve.points.push_back({i, last.x, last.y});
    return curve;
}

MatValue AmplitudeAt(std::optional<double> mua) {
    if (!mua) return {false, kNoDataText, 0};
    return Finite(*mua);
}

MatValue ConvertBH(MuaAxis axis, double muaShown, double input) {
    const double k = muaShown * kMu0_mT_per_A_m;
    if (axis == MuaAxis::B) {
        if (!(k > 0)) return {false, kNoValidValueText, 0};
        return Finite(input / k);
    }
    return Finite(k * input);
}

} // namespace tolvik::material
