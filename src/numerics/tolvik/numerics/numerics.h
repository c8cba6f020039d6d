#pragma once
/// Small numerical routines shared by the material and core calculations: guarded
/// division, linear interpolation, the relations between µi, µe, Al and air gap of a
/// gapped core, and the Langevin model of the DC-bias calculation.
///
/// Constants are used exactly as the program defines them (µ0 = 1.256E-6, π = 3.14 in
/// MueFromAl), not as exact physical values, so results match the program's tables.
/// References: gapped-core relation 1/µe = 1/µi + s/le (any ferrite handbook);
/// Al = µ0·µe·Ae/le; Langevin function L(x) = coth x − 1/x.

#include "tolvik/numerics/value.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tolvik::num {

inline constexpr double kMu0 = 1.256E-6; ///< magnetic constant as the program uses it [V·s/(A·m)]
inline constexpr double kPi = 3.14;      ///< π as written in MueFromAl
inline constexpr double kTwoPi = 6.28;   ///< 2π as written in the complex-permeability Z_N

void Increment(std::int16_t& v);
void Decrement(std::int16_t& v);
/// a if a > b, else b (so b on equality).
double MaxOf(double a, double b);
/// a if a < b, else b (so b on equality).
double MinOf(double a, double b);
/// a / b with ok = 1; for b = 0: ok = 0 and empty.
Value SafeDivide(double a, double b, std::int16_t& ok);
/// y at x on the line through (x1, y1), (x2, y2); 0 when x1 = x2.
double LinearInterpolate(double x1, double y1, double x2, double y2, double x);
/// y at x on a table's columns xs, ys (rows in stored order) as a walk down the rows finds
/// it: on the line between the first two neighbouring rows whose x enclose x; 0 when no two
/// do.
double InterpolateRows(const std::vector<double>& xs, const std::vector<double>& ys, double x);
double Log10(double x);
/// Al [nH] = K1·s^K2 of a core type's fit of Al over the air gap with fringe flux; empty
/// when K1, K2 or s is 0 or Al has no value.
Value KFactorAl(double k1, double k2, double s_mm);
/// s [mm] = (Al/K1)^(1/K2) of that fit; the integer 0 without a fit or where s has no value
/// (a negative Al/K1 with a fractional exponent, an Al of 0 with a negative one).
Value KFactorGap(double k1, double k2, double al_nH);
/// µe from Al [nH], le [mm], Ae [mm²]; 0 unless all three are non-zero.
double MueFromAl(double al_nH, double le_mm, double ae_mm2);
/// µe of a core with air gap s [mm] and path length le [mm]; µi when le or s is 0.
double MueFromGap(double mui, double s_mm, double le_mm);
/// Al [nH] for an air gap s [mm]; 0 when µi, le or Ae is 0. The caller looks µi up
/// for the material (GetMaterialMui) and passes it in.
double AlFromGap(double le_mm, double ae_mm2, double s_mm, double mui);
/// Air gap s [mm] for Al [nH]; 0 when µi is 0 or a guarded division fails.
double GapFromAl(double le_mm, double ae_mm2, double al_nH, double mui);
/// The same three relations with a calculation that cannot be made kept apart from a
/// result of 0 (std::nullopt): µi = 0, a guarded division that fails, a path length of 0
/// with an air gap. The windows show no value then, never another quantity in its place.
std::optional<double> TryMueFromGap(double mui, double s_mm, double le_mm);
std::optional<double> TryAlFromGap(double le_mm, double ae_mm2, double s_mm, double mui);
std::optional<double> TryGapFromAl(double le_mm, double ae_mm2, double al_nH, double mui);
/// µg of a gapped core; mui when le = 0; 0 when mui = 0 (and when the sum is 0).
double GappedPermeability(double mu, double ae, double le, double mui, double al);
/// L [mH] from Al [nH] and N turns.
double InductanceFromAl(double al_nH, double n);
/// L(x) = coth x − 1/x; integer 1 for x <= 0; empty for |x| > 304.
Value Langevin(double x);
/// k·L(x), with the same two special cases unscaled.
Value LangevinScaled(double x, double k);
/// R(x) = 3·(1/x² − 1/sinh² x); integer 1 for x > 40. Callers pass x > 0 only;
/// for x = 0 the result is empty (the division has no value).
Value LangevinSlope(double x);
/// k·R(x); 1 (not scaled) for x > 40.
Value LangevinSlopeScaled(double x, double k);

} // namespace tolvik::num
