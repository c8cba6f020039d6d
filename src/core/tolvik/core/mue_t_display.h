#pragma once
/// The texts the µe vs. T tab shows with a curve. No Qt.

#include "tolvik/core/mue_t.h"

#include <string>

namespace tolvik::core {

/// Graph title of the curve.
std::string MueTGraphTitle(MueTCurveKind kind);
/// Legend of a curve: "µe " or "dmue[%] ", core type and material, " s=", the gap in its
/// plain text form (0 when empty), "[mm]".
std::string MueTLegend(const MueTInput& in, MueTCurveKind kind);

} // namespace tolvik::core
