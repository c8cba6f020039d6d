#pragma once
/// A tagged value as the lookups and numerical routines return it: no value (empty),
/// a 16-bit integer, a double, or a text. Empty reads as 0 in arithmetic and as "" in a
/// text field; callers that must tell "no value" from "the integer 0" ask the kind.

#include <cstdint>
#include <string>
#include <variant>

namespace tolvik {

class Value {
public:
    enum class Kind { Empty, Int, Double, Text };

    Value() = default;
    Value(double d) : v_(d) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}
    static Value integer(std::int16_t i) {
        Value v;
        v.v_ = i;
        return v;
    }
    static Value empty() { return Value(); }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isInt() const { return kind() == Kind::Int; }
    bool isDouble() const { return kind() == Kind::Double; }
    bool isText() const { return kind() == Kind::Text; }
    /// A number of either kind (integer or double).
    bool isNumber() const { return isInt() || isDouble(); }

    /// Numeric value: empty gives 0; a text is read with the lenient number reader.
    double toDouble() const;
    /// Text value: empty gives ""; numbers in their plain text form (no format pattern,
    /// "." as separator, up to 15 significant digits, no trailing zeros).
    std::string toText() const;
    /// Flag value: true when the number is not 0 (the data file stores true as -1).
    bool toBool() const { return toDouble() != 0.0; }

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::int16_t, double, std::string> v_;
};

/// Plain text form of a double: up to 15 significant digits, no exponent for ordinary
/// magnitudes, no trailing zeros, "." as separator ("25", "0.5", "-1.25", "1E-07").
std::string PlainNumberText(double x);

/// Lenient number reader for texts that are already in "." form: blanks, tabs and line
/// feeds anywhere are ignored; an optional sign, digits with at most one ".", an optional
/// exponent; reading stops at the first character that does not fit; no number gives 0.
double ReadLeadingNumber(const std::string& text);

/// True when the whole text is one number as the data file may hold it: blanks ignored,
/// an optional sign, digits with at most one decimal point or comma, an optional
/// exponent ("0,4", " 12 ", "-1.5E3"). "", "abc", "12abc" and "1.2.3" are not.
bool IsNumberText(const std::string& text);

} // namespace tolvik
