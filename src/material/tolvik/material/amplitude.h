#pragma once
/// Amplitude permeability µa against flux density B (table MuaB) or field strength H
/// (table MuaH), per material and temperature (columns such as R41T25), and the
/// conversion between B and H through the displayed µa: B [mT] = µa · µ0 · H [A/m] with
/// µ0 = 1.256e-6 H/m scaled to mT and A/m (0.001256).

#include "tolvik/data/curves.h"
#include "tolvik/material/mat_curve.h"

#include <optional>

namespace tolvik::material {

enum class MuaAxis { B, H };

/// µ0 for B in mT and H in A/m.
inline constexpr double kMu0_mT_per_A_m = 0.001256;
inline constexpr const char* kNoValidValueText = "No valid value";

/// The curve of a µa column (data::ReadMuaCurve; none: the material has no such column);
/// legend the column name. The points past the last row up to numPoints repeat the last
/// row, so that the curve ends in one point.
MatCurve AmplitudeCurve(const std::string& column, const std::optional<data::CurveRows>& rows, int numPoints);
/// µa at a point as data::MuaAt gives it (none: no such column).
MatValue AmplitudeAt(std::optional<double> mua);

/// The other quantity from the shown µa and the typed value: axis B gives H = B/(µa·µ0)
/// ("No valid value" when µa·µ0 <= 0), axis H gives B = µa·µ0·H.
MatValue ConvertBH(MuaAxis axis, double muaShown, double input);

} // namespace tolvik::material
