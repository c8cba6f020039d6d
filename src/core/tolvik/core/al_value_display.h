#pragma once
/// The Al value tab's fields as texts: which typed texts the tab reads as no input, and how
/// a field the calculation changed is shown. No Qt: the tab page reads its fields' texts
/// into the request with these and writes the result back with them.

#include "tolvik/core/al_value.h"

#include <array>
#include <optional>
#include <string>

namespace tolvik::core {

/// The texts of the tab's ten number fields, by AlField.
struct AlFieldTexts {
    std::array<std::string, kAlFieldCount> texts;

    std::string& operator[](AlField f) { return texts[static_cast<std::size_t>(f)]; }
    const std::string& operator[](AlField f) const { return texts[static_cast<std::size_t>(f)]; }
    bool operator==(const AlFieldTexts&) const = default;
};

/// A panel's input as typed: none when the text counts as empty ("", "." or "0.", and ","
/// where commaIsEmpty), else the number it reads as.
std::optional<double> ReadAlInput(const std::string& typed, bool commaIsEmpty = false);
/// The panels' inputs as typed, into a request that carries the rest.
void ReadAlInputs(const AlFieldTexts& typed, AlValueRequest& in);

/// A field the calculation changed: air gaps with three significant digits, Al of panels 1
/// and 3 "#.#", L "#.###", the other fields "#"; a replaced input as the whole number it is.
std::string ShowAlField(AlField field, const AlFieldResult& r);
/// The number a field reads as once it shows r: a later step of the calculation goes on
/// with the field's rounded text, so with the value rounded as it is shown.
double AlFieldAsShown(AlField field, const AlFieldResult& r);
/// The fields after a calculation: each typed text, cleared, replaced or computed.
AlFieldTexts ShowAlResult(const AlFieldTexts& typed, const AlValueResult& r);

} // namespace tolvik::core
