#pragma once
/// Texts of the " Harm. distortion" tab made from the two designs.

#include "tolvik/core/harmonic.h"

#include <string>

namespace tolvik::core {

/// The design from Al as the N1:N2 group shows it: the ratio's smaller side "1", the other
/// "#.##"; R1, R2 and fCu "#.####" up to 1, above it "#.#" (fCu "#.##"); L1 "#.####" up to
/// 1 mH, above it "#.#".
struct AlDesignTexts {
    std::string turnRatioN1, turnRatioN2, l1_mH, r1_Ohm, r2_Ohm, fCu;
};
AlDesignTexts ShowAlDesign(const AlDesignResult& r);

/// The design from N1:N2 as the Al group shows it: N1, N2 and Al "#"; each wire as the entry
/// of its list, the diameter "#.##" followed by " (" and its AWG (awg1, awg2) and ")".
struct N1N2DesignTexts {
    std::string n1, n2, al_nH, wire1, wire2;
};
N1N2DesignTexts ShowN1N2Design(const N1N2DesignResult& r, const std::string& awg1, const std::string& awg2);

} // namespace tolvik::core
