#include "tolvik/core/p_trans_display.h"

#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::core {

std::string DataValueText(const Value& v, const char* pattern) {
    const double x = v.toDouble();
    return std::isfinite(x) ? text::FormatPattern(x, pattern) : std::string();
}

std::string HalfTemperatureRiseText(double dTmax_K) {
    return text::WithDecimalSeparator(PlainNumberText(dTmax_K / 2.0));
}

} // namespace tolvik::core
