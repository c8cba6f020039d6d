#include "tolvik/material/mui_t.h"

#include "tolvik/data/records.h"

namespace tolvik::material {

namespace {
constexpr const char* kTable = "MuiT";
}

int NextCurveSet(int numSets, int numPoints) {
    return numSets == 1 && numPoints == 2 ? 1 : numSets + 1;
}

MatCurve InitialPermeabilityCurve(data::Database& db, const std::string& material) {
    MatCurve curve;
    if (material.empty()) return curve;
    if (!HasColumn(db, kTable, material)) {
        curve.message = kNoDataText;
        return curve;
    }
    auto rs = db.openTable(kTable);
    const int n = static_cast<int>(data::CountCurveRows(*rs, material).toDouble()) - 1;
    curve.rowCount = n + 1;
    curve.legend = material;
    rs->moveFirst();
    for (int i = 1; i <= n && !rs->eof(); ++i, rs->moveNext())
        curve.points.push_back({i, rs->field("T").toDouble(), rs->field(material).toDouble()});
    rs->close();
    curve.valid = true;
    return curve;
}

MatValue InitialPermeabilityAt(data::Database& db, const std::string& material, double t_C) {
    if (material.empty()) return {};
    if (!HasColumn(db, kTable, material)) return {false, kNoDataText, 0};
    return Finite(data::MuiAtT(db, material, t_C).toDouble());
}

} // namespace tolvik::material
