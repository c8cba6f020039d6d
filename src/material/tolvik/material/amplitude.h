#pragma once
/// Amplitude permeability µa against flux density B (table MuaB) or field strength H
/// (table MuaH), per material and temperature (columns such as R41T25), and the
/// conversion between B and H through the displayed µa: B [mT] = µa · µ0 · H [A/m] with
/// µ0 = 1.256e-6 H/m scaled to mT and A/m (0.001256).

#include "tolvik/material/mat_curve.h"

namespace tolvik::material {

enum class MuaAxis { B, H };

/// µ0 for B in mT and H in A/m.
inline constexpr double kMu0_mT_per_A_m = 0.001256;
inline constexpr const char* kNoValidValueText = "No valid value";

/// "T25" or "T100".
std::string TemperatureTag(bool t25);
/// The curve of column material + tag; legend the column name. The points past the last
/// row up to numPoints repeat the last row, so that the curve ends in one point.
MatCurve AmplitudeCurve(data::Database& db, const std::string& material, MuaAxis axis, bool t25,
                        int numPoints);
/// µa at x (B in mT or H in A/m).
MatValue AmplitudeAt(data::Database& db, const std::string& material, MuaAxis axis, bool t25, double x);

/// The other quantity from the shown µa and the typed value: axis B gives H = B/(µa·µ0)
/// ("No valid value" when µa·µ0 <= 0), axis H gives B = µa·µ0·H.
MatValue ConvertBH(MuaAxis axis, double muaShown, double input);

} // namespace tolvik::material
