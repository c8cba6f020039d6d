#include "tolvik/core/mue_t_display.h"

#include "tolvik/numerics/value.h"

namespace tolvik::core {

std::string MueTGraphTitle(MueTCurveKind kind) {
    return kind == MueTCurveKind::Relative ? "(µe-µe(T1))/µe vs. T" : "effective permeability µe ";
}

std::string MueTLegend(const MueTInput& in, MueTCurveKind kind) {
    return std::string(kind == MueTCurveKind::Relative ? "dmue[%] " : "µe ") + in.coreType + in.material +
           " s=" + PlainNumberText(in.s_mm.value_or(0.0)) + "[mm]";
}

} // namespace tolvik::core
