#pragma once
/// Initial permeability µi against temperature: the curve of a material's column of
/// table MuiT and its value at one temperature (linear interpolation over "T").

#include "tolvik/data/curves.h"
#include "tolvik/material/mat_curve.h"

#include <optional>

namespace tolvik::material {

/// Set number of a new µi curve: one after the last set, except that a freshly reset
/// graph (one set of two points) takes its first curve into set 1.
int NextCurveSet(int numSets, int numPoints);

/// The rows of column `material` before its first 0 (data::ReadMuiTCurve; none: no such
/// column); legend the material.
MatCurve InitialPermeabilityCurve(const std::string& material, const std::optional<data::CurveRows>& rows);
/// µi at a temperature as data::MuiAt gives it (0 outside the table; none: no column).
MatValue InitialPermeabilityAt(std::optional<double> mui);

} // namespace tolvik::material
