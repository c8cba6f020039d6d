#include "tolvik/core/harmonic_display.h"

#include "tolvik/ui_common/numtext.h"

namespace tolvik::core {

namespace {

/// Resistances and the space factor: above1 when above 1, "#.####" up to it.
std::string Small(double x, const char* above1) {
    return text::FormatPattern(x, x > 1 ? above1 : "#.####");
}

std::string WireEntry(double d_mm, const std::string& awg) {
    return text::FormatPattern(d_mm, "#.##") + " (" + awg + ")";
}

} // namespace

AlDesignTexts ShowAlDesign(const AlDesignResult& r) {
    const std::string ratio = text::FormatPattern(r.turnRatio, "#.##");
    return {r.n1IsOne ? "1" : ratio,
            r.n1IsOne ? ratio : "1",
            text::FormatPattern(r.l1_mH, r.l1_mH <= 1 ? "#.####" : "#.#"),
            Small(r.r1_Ohm, "#.#"),
            Small(r.r2_Ohm, "#.#"),
            Small(r.fCu, "#.##")};
}

N1N2DesignTexts ShowN1N2Design(const N1N2DesignResult& r, const std::string& awg1, const std::string& awg2) {
    return {text::FormatPattern(r.n1, "#"), text::FormatPattern(r.n2, "#"), text::FormatPattern(r.al_nH, "#"),
            WireEntry(r.d1_mm, awg1), WireEntry(r.d2_mm, awg2)};
}

} // namespace tolvik::core
