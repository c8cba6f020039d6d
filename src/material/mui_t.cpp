#include "tolvik/material/mui_t.h"

namespace tolvik::material {

int NextCurveSet(int numSets, int numPoints) {
    return numSets == 1 && numPoints == 2 ? 1 : numSets + 1;
}

MatCurve InitialPermeabilityCurve(const std::string& material, const std::optional<data::CurveRows>& rows) {
    return CurveFromRows(material, rows);
}

MatValue InitialPermeabilityAt(std::optional<double> mui) {
    if (!mui) return {false, kNoDataText, 0};
    return Finite(*mui);
}

} // namespace tolvik::material
