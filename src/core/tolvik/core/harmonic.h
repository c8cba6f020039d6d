#pragma once
/// A small signal transformer on a ferrite core and the third-harmonic distortion that the
/// core's hysteresis causes in the circuit it is driven in (attenuation k3c in dB).
///
/// Winding: R = LN · 4ρ · N / (π · d²) with ρ = 17.2 (copper, in the units used: LN in mm,
/// d in mm, R in Ω after the factor 10⁻⁶); fCu = π/4 · Σ d²·N / AN; L = N² · Al.
/// Distortion (Rayleigh model of the hysteresis): the third-harmonic source is proportional
/// to the Rayleigh constant hb, the flux, the winding loss figure Q and the core distortion
/// factor CDF; the circuit attenuates it by √(1 + (3ω · L · (1/Rs + n²/RL))²).
/// Constants as the program writes them: π = 3.14, 2π = 6.28, 6π = 18.84, µ0 = 1.256e-6.

#include "tolvik/core/core_messages.h"

#include <vector>

namespace tolvik::core {

inline constexpr const char* kFillInAllText = "Please fill in all input fields !";
inline constexpr const char* kFcuOutOfRangeText = "fCu out of range (0.25 - 0.75). Please check your design!";
inline constexpr const char* kNoBobbinText = "No bobbin parameters defined for this core shape !";
inline constexpr const char* kNoCdfText = "No core distortion factor defined for this core shape !";

enum class DesignStatus {
    Ok,
    Stopped,  ///< a message was shown (no bobbin data); no result
    NotValid, ///< a result is not finite: kValuesNotValidText, outputs cleared
};

/// Design from Al, N1, N2 and the two wire diameters.
struct AlDesignInput {
    double al_nH = 0;
    double n1 = 0;
    double n2 = 0;
    double d1_mm = 0;
    double d2_mm = 0;
    double an_mm2 = 0; ///< winding window area
    double ln_mm = 0;  ///< mean length of turn
};
struct AlDesignResult {
    DesignStatus status = DesignStatus::Ok;
    std::vector<CoreMessage> messages; ///< in order; the fCu warning does not stop the design
    /// The turn ratio N1 : N2 with one side 1: 1 : turnRatio when N1 ≤ N2 (n1IsOne), else
    /// turnRatio : 1.
    bool n1IsOne = true;
    double turnRatio = 0;
    double l1_mH = 0;
    double r1_Ohm = 0, r2_Ohm = 0;
    double fCu = 0;
};
AlDesignResult DesignFromAlN1N2(const AlDesignInput& in);

/// Design from the turn ratio, L1, R1, R2 and fCu.
struct N1N2DesignInput {
    double ratioN1 = 0;
    double ratioN2 = 0;
    double l1_mH = 0;
    double r1_Ohm = 0;
    double r2_Ohm = 0;
    double fCu = 0;
    double an_mm2 = 0;
    double ln_mm = 0;
};
struct N1N2DesignResult {
    DesignStatus status = DesignStatus::Ok;
    std::vector<CoreMessage> messages;
    double n1 = 0; ///< exact; the tab shows it as a whole number
    double n2 = 0; ///< from N1 as shown, times N2/N1 of the ratio
    double al_nH = 0;
    double d1_mm = 0, d2_mm = 0; ///< wire diameters
};
N1N2DesignResult DesignFromN1N2R1R2(const N1N2DesignInput& in);

/// The transformer and its circuit as k3c reads them from the fields, the core's data and
/// the material's values at the core temperature.
struct K3cInput {
    double r1_Ohm = 0, r2_Ohm = 0;
    double rs_Ohm = 0, rl_Ohm = 0;
    double n1 = 0, n2 = 0;
    double f_kHz = 0;
    double fCu = 0;
    double u_V = 0;
    double l1_mH = 0; ///< at 25 °C
    double ae_mm2 = 0, le_mm = 0;
    double cdf = 0;   ///< core distortion factor, as stored
    double muiT = 0;  ///< µi at the core temperature
    double mui25 = 0; ///< µi at 25 °C
    double hb = 0;    ///< hysteresis constant at the core temperature, as stored
};
/// Inductance at the core temperature of the gapped core whose inductance at 25 °C is L1.
double InductanceAtT(const K3cInput& in);

enum class K3cStatus {
    Ok,
    NoCdf,    ///< kNoCdfText
    NoHb,     ///< hb is 0: no result (a missing hb was reported by its loader)
    NotValid, ///< kValuesNotValidText, outputs cleared
};
struct K3cResult {
    K3cStatus status = K3cStatus::NoHb;
    double k3c_dB = 0;
    std::vector<CoreMessage> messages;
};
/// k3c of the transformer in its circuit; a core without CDF needs no material values.
K3cResult K3cFromValues(const K3cInput& in);

} // namespace tolvik::core
