#include "tolvik/material/amplitude.h"

#include "tolvik/data/records.h"
#include "tolvik/numerics/numerics.h"

namespace tolvik::material {

namespace {
const char* Table(MuaAxis axis) {
    return axis == MuaAxis::B ? "MuaB" : "MuaH";
}
const char* AxisColumn(MuaAxis axis) {
    return axis == MuaAxis::B ? "B" : "H";
}
} // namespace

std::string TemperatureTag(bool t25) {
    return t25 ? "T25" : "T100";
}

MatCurve AmplitudeCurve(data::Database& db, const std::string& material, MuaAxis axis, bool t25,
                        int numPoints) {
    MatCurve curve;
    if (material.empty()) return curve;
    const std::string column = material + TemperatureTag(t25);
    if (!HasColumn(db, Table(axis), column)) {
        curve.message = kNoDataText;
        return curve;
    }
    auto rs = db.openTable(Table(axis));
    const int n = static_cast<int>(data::CountCurveRows(*rs, column).toDouble()) - 1;
    curve.rowCount = n + 1;
    curve.legend = column;
    double lastX = 0, lastY = 0;
    int i = 1;
    rs->moveFirst();
    for (; i <= n && !rs->eof(); ++i, rs->moveNext()) {
        lastY = rs->field(column).toDouble();
        lastX = rs->field(AxisColumn(axis)).toDouble();
        curve.points.push_back({i, lastX, lastY});
    }
    rs->close();
    // The set is as long as the longest curve of the graph: this curve ends in its last point.
    const int p = static_cast<int>(num::MaxOf(numPoints, n + 1));
    for (; i <= p; ++i)
        curve.points.push_back({i, lastX, lastY});
    curve.valid = true;
    return curve;
}

MatValue AmplitudeAt(data::Database& db, const std::string& material, MuaAxis axis, bool t25, double x) {
    if (material.empty()) return {};
    const std::string column = material + TemperatureTag(t25);
    if (!HasColumn(db, Table(axis), column)) return {false, kNoDataText, 0};
    const Value v = axis == MuaAxis::B ? data::MuaAtB(db, column, x) : data::MuaAtH(db, column, x);
    return Finite(v.toDouble());
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
