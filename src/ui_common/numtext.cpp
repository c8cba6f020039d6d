#include "tolvik/ui_common/numtext.h"

#include "tolvik/numerics/value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tolvik::text {

namespace {

char g_separator = '.';

/// A non-negative decimal number as digits and the position of the decimal point:
/// value = 0.d1d2d3... × 10^point, i.e. the first `point` digits form the integer part
/// (point may be negative or larger than the number of digits).
struct DecimalDigits {
    std::string digits; ///< no leading zeros; empty for 0
    int point = 0;
};

/// |x| as 15 significant digits, the precision a double holds reliably; rounding is done
/// on these digits so that 1.005 rounds like the number the user sees.
DecimalDigits ToDecimalDigits(double x) {
    DecimalDigits d;
    const double ax = std::fabs(x);
    if (ax == 0.0) return d;
    // to_chars, unlike printf, never consults the C locale's decimal separator.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 14);
    const std::string s(buf, r.ptr);
    const auto e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] >= '0' && s[i] <= '9') d.digits.push_back(s[i]);
    d.point = std::atoi(s.c_str() + e + 1) + 1;
    return d;
}

/// Rounds to `decimals` places after the point, half away from zero (on the magnitude).
void RoundTo(DecimalDigits& d, int decimals) {
    const long cut = static_cast<long>(d.point) + decimals;
    if (cut >= static_cast<long>(d.digits.size())) return;
    if (cut < 0) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(cut)] >= '5';
    d.digits.resize(static_cast<std::size_t>(cut));
    if (up) {
        std::size_t i = d.digits.size();
        bool carry = true;
        while (carry && i > 0) {
            --i;
            if (d.digits[i] == '9') {
                d.digits[i] = '0';
            } else {
                ++d.digits[i];
                carry = false;
            }
        }
        if (carry) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    // Drop trailing zeros; the value stays the same.
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty()) d.point = 0;
}

char DigitAt(const DecimalDigits& d, long pos) {
    if (pos < 0 || pos >= static_cast<long>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(pos)];
}

} // namespace

char DecimalSeparator() {
    return g_separator;
}

void SetDecimalSeparator(char sep) {
    g_separator = sep;
}

std::string WithDecimalSeparator(std::string pointText) {
    std::replace(pointText.begin(), pointText.end(), '.', g_separator);
    return pointText;
}

std::string CommaToPoint(const std::string& text) {
    std::string t = text;
    const auto p = t.find(',');
    if (p != std::string::npos) t[p] = '.';
    return t;
}

double ReadNumber(const std::string& text) {
    return ReadLeadingNumber(CommaToPoint(text));
}

std::string IntToText(long n) {
    if (n == 0) return {};
    char buf[24];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

std::string RoundedIntText(double x) {
    // 2^63 and beyond cannot be converted: llround would return an unspecified value.
    constexpr double kLimit = 9.2e18;
    if (!std::isfinite(x) || std::fabs(x) >= kLimit) return {};
    return IntToText(static_cast<long>(std::llround(x)));
}

std::string FormatPattern(double x, const std::string& pattern) {
    if (!std::isfinite(x)) return {};

    // Split the pattern into the digit places before and after the separator.
    std::string intPlaces, fracPlaces;
    bool hasSeparator = false;
    for (char c : pattern) {
        if (c == '.') {
            if (!hasSeparator) hasSeparator = true;
        } else if (c == '#' || c == '0') {
            (hasSeparator ? fracPlaces : intPlaces).push_back(c);
        }
    }
    const int decimals = static_cast<int>(fracPlaces.size());
    const auto minIntDigits = static_cast<std::size_t>(std::count(intPlaces.begin(), intPlaces.end(), '0'));

    DecimalDigits d = ToDecimalDigits(x);
    RoundTo(d, decimals);

    std::string intPart;
    if (d.point > 0) {
        intPart =
            d.digits.substr(0, std::min<std::size_t>(d.digits.size(), static_cast<std::size_t>(d.point)));
        intPart.append(static_cast<std::size_t>(d.point) - intPart.size(), '0');
    }
    if (intPart.size() < minIntDigits) intPart.insert(0, minIntDigits - intPart.size(), '0');

    std::string fracPart;
    for (int i = 0; i < decimals; ++i)
        fracPart.push_back(DigitAt(d, static_cast<long>(d.point) + i));
    // Optional places ("#") at the end are left out when they would show a zero.
    while (!fracPart.empty() && fracPart.back() == '0' && fracPlaces[fracPart.size() - 1] == '#')
        fracPart.pop_back();

    std::string out;
    if (x < 0.0 && !d.digits.empty()) out.push_back('-');
    out += intPart;
    if (hasSeparator) {
        out.push_back(DecimalSeparator());
        out += fracPart;
    }
    return out;
}

std::string FormatSignificant(double x, double digits, double decimals) {
    if (!std::isfinite(x)) return {};
    if (decimals == 0.0) return FormatPattern(x, "#");

    const std::string raw = FormatPattern(x, "#.#################");
    const std::string t = CommaToPoint(raw);
    const auto dot = t.find('.');
    if (dot == std::string::npos) return t;
    const double p = static_cast<double>(dot) + 1.0; // 1-based position
    const double length = static_cast<double>(t.size());
    if (p == length) return raw;
    // The text is short enough as it is; shown with the system separator like every
    // other result of this routine.
    if (length + 1.0 <= digits) return raw;
    if (digits < p) return FormatPattern(x, "#");

    double k = digits - p + 1.0;
    if (!t.empty() && t.front() == '-') k += 1.0;
    const double places = (decimals <= k || decimals >= 999.0) ? k : decimals;
    // Places beyond what a double holds only add zeros that "#" leaves out anyway.
    const int n = std::isfinite(places) ? static_cast<int>(std::clamp(places, 0.0, 40.0)) : 0;
    return FormatPattern(x, "#." + std::string(static_cast<std::size_t>(n), '#'));
}

double RoundedAsShown(double x, const std::string& pattern) {
    // The shown text holds only digits, a sign and the separator: reading it back is the
    // exact decimal value rounded to the nearest double.
    return ReadNumber(FormatPattern(x, pattern));
}

double RoundedSignificant(double x, double digits, double decimals) {
    return ReadNumber(FormatSignificant(x, digits, decimals));
}

KeyFilterResult NumericKeyFilter(int key) {
    KeyFilterResult r;
    r.key = key;
    if ((key >= '0' && key <= '9') || key == 8 || key == 13) return r;
    if (key == '.') {
        if (FormatPattern(10.0 / 3.0, "0.0").find(',') != std::string::npos) r.message = kDecimalCommaText;
        return r;
    }
    if (key == ',') {
        if (FormatPattern(10.0 / 3.0, "0.0").find('.') != std::string::npos) r.message = kDecimalPointText;
        return r;
    }
    r.key = 0;
    return r;
}

} // namespace tolvik::text
