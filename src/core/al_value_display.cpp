#include "tolvik/core/al_value_display.h"

#include "tolvik/ui_common/numtext.h"

namespace tolvik::core {

namespace {

bool IsGap(AlField f) {
    return f == AlField::S1 || f == AlField::SFringe;
}

const char* Pattern(AlField f) {
    switch (f) {
    case AlField::Al1:
    case AlField::AlFringe:
        return "#.#";
    case AlField::L3:
        return "#.###";
    default:
        return "#";
    }
}

} // namespace

std::optional<double> ReadAlInput(const std::string& typed, bool commaIsEmpty) {
    if (typed.empty() || typed == "." || typed == "0." || (commaIsEmpty && typed == ",")) return std::nullopt;
    return text::ReadNumber(typed);
}

void ReadAlInputs(const AlFieldTexts& typed, AlValueRequest& in) {
    in.al1_nH = ReadAlInput(typed[AlField::Al1]);
    in.s1_mm = ReadAlInput(typed[AlField::S1]);
    in.al3_nH = ReadAlInput(typed[AlField::Al3]);
    in.l_mH = ReadAlInput(typed[AlField::L3]);
    // Empty turns are filled in; ".", "0." read as 0 and are out of range.
    const std::string& turns = typed[AlField::N3];
    in.turns = turns.empty() ? std::nullopt : std::optional(text::ReadNumber(turns));
    in.alFringe_nH = ReadAlInput(typed[AlField::AlFringe], true);
    in.sFringe_mm = ReadAlInput(typed[AlField::SFringe]);
}

std::string ShowAlField(AlField field, const AlFieldResult& r) {
    if (r.change == AlFieldResult::Change::Replaced) return text::FormatPattern(r.value, "#");
    if (r.change != AlFieldResult::Change::Computed) return {};
    // Air gaps are shown with three significant digits (".461", "1.23", "12.3"), as the
    // DC-bias reader shows currents; a gap with fifteen digits helps nobody at the bench.
    return IsGap(field) ? text::FormatSignificant(r.value, 3, 999)
                        : text::FormatPattern(r.value, Pattern(field));
}

double AlFieldAsShown(AlField field, const AlFieldResult& r) {
    if (r.change == AlFieldResult::Change::Replaced) return r.value;
    if (r.change != AlFieldResult::Change::Computed) return 0;
    return IsGap(field) ? text::RoundedSignificant(r.value, 3, 999)
                        : text::RoundedAsShown(r.value, Pattern(field));
}

AlFieldTexts ShowAlResult(const AlFieldTexts& typed, const AlValueResult& r) {
    AlFieldTexts out = typed;
    for (std::size_t i = 0; i < r.fields.size(); ++i) {
        if (r.fields[i].change != AlFieldResult::Change::None)
            out.texts[i] = ShowAlField(static_cast<AlField>(i), r.fields[i]);
    }
    return out;
}

} // namespace tolvik::core
