// libFuzzer target: the display patterns with any double and any pattern text. Input: 8
// bytes of a double, 1 byte choosing the routine, the rest the pattern. A shown value read
// back equals the value within the pattern's rounding; nothing shown reads as non-finite.

#include "tolvik/ui_common/numtext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tolvik::text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    double x;
    std::memcpy(&x, data, sizeof x);
    const int mode = data[8] % 3;
    std::string pattern(reinterpret_cast<const char*>(data + 9), size - 9);
    if (pattern.size() > 64) pattern.resize(64);
    SetDecimalSeparator((data[8] & 0x80) ? ',' : '.');

    std::string shown;
    double tolerance = 0;
    if (mode == 2) {
        // FormatSignificant with digits and decimals taken from the pattern bytes.
        const double digits = pattern.empty() ? 0 : static_cast<signed char>(pattern[0]);
        const double decimals = pattern.size() < 2 ? 999 : static_cast<signed char>(pattern[1]);
        shown = FormatSignificant(x, digits, decimals);
        tolerance = -1; // its rounding depends on the digits; only read back finite
    } else {
        if (mode == 1) {
            // A well-formed pattern: "#" or "0", a point, 0 to 15 decimal places.
            const std::size_t places = pattern.empty() ? 0 : static_cast<unsigned char>(pattern[0]) % 16;
            pattern = std::string(1, pattern.size() > 1 && (pattern[1] & 1) ? '0' : '#') + '.' +
                      std::string(places, '#');
        }
        shown = FormatPattern(x, pattern);
        const auto afterPoint = pattern.find('.');
        long places = 0;
        if (afterPoint != std::string::npos)
            places = std::count_if(pattern.begin() + static_cast<long>(afterPoint), pattern.end(),
                                   [](char c) { return c == '#' || c == '0'; });
        // Half a unit of the last place shown, plus what 15 significant digits leave out.
        tolerance = 0.5 * std::pow(10.0, -static_cast<double>(places)) + std::fabs(x) * 1e-14;
    }
    if (!std::isfinite(x)) {
        if (!shown.empty()) std::abort();
        return 0;
    }
    const double back = ReadNumber(shown);
    if (!std::isfinite(back)) std::abort();
    // Values a double's 15 digits cannot hold exactly at this place are not compared.
    if (tolerance > 0 && std::fabs(x) < 1e15 && std::fabs(back - x) > tolerance * (1 + 1e-9)) std::abort();
    return 0;
}
