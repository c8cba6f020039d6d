#pragma once
/// Initial permeability µi against temperature: the curve of a material's column of
/// table MuiT and its value at one temperature (linear interpolation over "T").

#include "tolvik/material/mat_curve.h"

namespace tolvik::material {

/// Set number of a new µi curve: one after the last set, except that a freshly reset
/// graph (one set of two points) takes its first curve into set 1.
int NextCurveSet(int numSets, int numPoints);

/// The rows of column `material` before its first 0 (x "T", y µi); legend the material.
MatCurve InitialPermeabilityCurve(data::Database& db, const std::string& material);
/// µi at t [°C]; 0 outside the table.
MatValue InitialPermeabilityAt(data::Database& db, const std::string& material, double t_C);

} // namespace tolvik::material
