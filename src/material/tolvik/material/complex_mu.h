#pragma once
/// Complex permeability µ = µ' − jµ'' against frequency (table Mu_mu__f, columns
/// "mu_" + material and "mu__" + material over "F") and the quantities derived from it:
/// series µs', µs''; parallel µp' = |µ|²/µ', µp'' = |µ|²/µ''; the loss factor
/// tan δ/µi = (µ''/µ')/µi; gp = 10⁹·µ''/(f·|µ|²) [ps]; Z_N = f·2π·µ0·|µ| [Ω/mm]
/// (2π = 6.28, µ0 = 1.256e-6 as the program writes them).

#include "tolvik/material/mat_curve.h"
#include "tolvik/numerics/value.h"

namespace tolvik::material {

enum class ComplexQuantity { MuS1, MuS2, MuP1, MuP2, TanDelta, Gp, Zn };

/// Legend suffix (" µ'", " gp", ...) and y-axis title of a quantity.
const char* LegendSuffix(ComplexQuantity q);
const char* AxisTitle(ComplexQuantity q);

/// The quantity from the cursor on Mu_mu__f: rowMode -1 interpolates at f, any other
/// value uses the current row. Empty when it has no value (a zero divisor); tan δ/µi is
/// 0 when µ' <= 0 or µi is 0.
Value ComplexQuantityAt(data::Recordset& cursor, const std::string& material, ComplexQuantity q, double f,
                        double mui, int rowMode);

/// The curve of the quantity over the rows of Mu_mu__f; invalid without a µi of the
/// material. A row without a value is plotted as 0.
MatCurve ComplexCurve(data::Database& db, const std::string& material, ComplexQuantity q);

struct ComplexReading {
    MatValue value;
    std::string muiText; ///< for tan δ/µi: the material's µi as written into the µi field
};
/// The quantity at frequency f [kHz], interpolated; no value when f is 0.
ComplexReading ComplexAt(data::Database& db, const std::string& material, ComplexQuantity q, double f);

} // namespace tolvik::material
