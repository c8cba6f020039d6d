#pragma once
/// Reading numbers that users type (either decimal separator) and writing numbers
/// through the program's display patterns. No Qt: the system decimal separator is set
/// once at start-up by the window layer (SetDecimalSeparator) and pinned by tests.

#include <cstdint>
#include <string>

namespace tolvik::text {

/// The system decimal separator used for display ("." or ","); default ".".
char DecimalSeparator();
void SetDecimalSeparator(char sep);

/// A number written with "." (a data value as text) shown with the system separator.
std::string WithDecimalSeparator(std::string pointText);
/// The text with its first "," replaced by "." (only the first).
std::string CommaToPoint(const std::string& text);
/// Input conversion: CommaToPoint, then the lenient reader ("" → 0, "12abc" → 12,
/// "1 2" → 12, "1,5,5" → 1.5).
double ReadNumber(const std::string& text);
/// Decimal digits of n ≥ 0 without a sign position; "" for 0.
std::string IntToText(long n);
/// IntToText of x rounded to a whole number; "" when x is not finite or lies beyond the
/// range of a long (a huge data value is no whole number to show).
std::string RoundedIntText(double x);
/// Display patterns "#", "0", "0.", "0.#", "#.##", ...: "#" a digit shown only when
/// significant (the integer part of a value below 1 is left out), "0" a digit always
/// shown, "." the system separator (written even with no decimals after it); rounding
/// half away from zero. Examples: (0,"#") → "", (12,"#.##") → "12.", (0.456,"#.##") → ".46".
std::string FormatPattern(double x, const std::string& pattern);
/// Significant-digit formatting: (1.2345, 3, 999) → "1.23", (12, 3, 999) → "12.".
std::string FormatSignificant(double x, double digits, double decimals);
/// The value that FormatPattern(x, pattern) shows, as a number: what a later step of a
/// calculation reads back from a field holding a rounded result ((2.5, "#") → 3,
/// (0.4, "#") → 0, a value that is not finite → 0, as an empty field reads).
double RoundedAsShown(double x, const std::string& pattern);
/// The same for FormatSignificant.
double RoundedSignificant(double x, double digits, double decimals);

/// Hints of the key filter when the key is not the system's decimal separator.
inline constexpr const char* kDecimalCommaText = "Decimal separator is comma ',' ";
inline constexpr const char* kDecimalPointText = "Decimal separator is period '.'";

/// Result of the key filter of number fields.
struct KeyFilterResult {
    int key = 0;         ///< the key code to pass on; 0 = discard
    std::string message; ///< decimal-separator hint to show ("" = none)
};
/// Digits, Backspace and Enter pass; "." and "," pass with a hint when they are not the
/// system separator; every other key is discarded.
KeyFilterResult NumericKeyFilter(int key);

} // namespace tolvik::text
