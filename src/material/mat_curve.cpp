#include "tolvik/material/mat_curve.h"

#include <cmath>

namespace tolvik::material {

MatCurve CurveFromRows(const std::string& legend, const std::optional<data::CurveRows>& rows) {
    MatCurve curve;
    if (!rows) {
        curve.message = kNoDataText;
        return curve;
    }
    curve.rowCount = rows->rowCount;
    curve.legend = legend;
    int i = 1;
    for (const data::CurveXY& p : rows->points)
        curve.points.push_back({i++, p.x, p.y});
    curve.valid = true;
    return curve;
}

MatValue Finite(double x) {
    MatValue v;
    if (std::isfinite(x)) {
        v.valid = true;
        v.value = x;
    }
    return v;
}

} // namespace tolvik::material
