#pragma once
/// Complex permeability µ = µ' − jµ'' against frequency (table Mu_mu__f, columns
/// "mu_" + material and "mu__" + material over "F") and the quantities derived from it:
/// series µs', µs''; parallel µp' = |µ|²/µ', µp'' = |µ|²/µ''; the loss factor
/// tan δ/µi = (µ''/µ')/µi; gp = 10⁹·µ''/(f·|µ|²) [ps]; Z_N = f·2π·µ0·|µ| [Ω/mm]
/// (2π = 6.28, µ0 = 1.256e-6 as the program writes them).

#include "tolvik/material/mat_curve.h"
#include "tolvik/numerics/value.h"

#include <optional>

namespace tolvik::material {

enum class ComplexQuantity { MuS1, MuS2, MuP1, MuP2, TanDelta, Gp, Zn };

/// Legend suffix (" µ'", " gp", ...) and y-axis title of a quantity.
const char* LegendSuffix(ComplexQuantity q);
const char* AxisTitle(ComplexQuantity q);

/// The quantity of one row of Mu_mu__f (data::ComplexMuRowAt). Empty when it has no value
/// (a zero divisor); tan δ/µi is 0 when µ' <= 0 or µi is 0.
Value ComplexQuantityAt(const data::ComplexMuRow& row, ComplexQuantity q, double mui);

/// The curve of the quantity over the rows of Mu_mu__f (data::ReadComplexMuCurve; none: no
/// columns for the material); invalid without a µi of the material (mui, the material's
/// field). A row without a value is plotted as 0.
MatCurve ComplexCurve(const std::string& material, ComplexQuantity q, const Value& mui,
                      const std::optional<data::ComplexMuCurve>& rows);

struct ComplexReading {
    MatValue value;
    std::string muiText; ///< for tan δ/µi: the material's µi as written into the µi field
};
/// The quantity at frequency f [kHz] from the interpolated row (data::ComplexMuAtF); no
/// value when f is 0. mui: the material's µi field, read for tan δ/µi only.
ComplexReading ComplexAt(ComplexQuantity q, double f, const data::ComplexMuLookup& at, const Value& mui);

} // namespace tolvik::material
