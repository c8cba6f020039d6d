#pragma once
/// Texts of the "P trans" tab made from its numbers.

#include "tolvik/numerics/value.h"

#include <string>

namespace tolvik::core {

/// A value of the data file in a display pattern; "" when its number is not finite.
std::string DataValueText(const Value& v, const char* pattern);

/// dTCu and dTFe start at half of dTmax, written as a plain number ("17.5"; system separator).
std::string HalfTemperatureRiseText(double dTmax_K);

} // namespace tolvik::core
