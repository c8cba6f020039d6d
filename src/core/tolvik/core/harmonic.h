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
#include "tolvik/data/database.h"

#include <functional>
#include <string>
#include <vector>

namespace tolvik::core {

inline constexpr const char* kFillInAllText = "Please fill in all input fields !";
inline constexpr const char* kFcuOutOfRangeText = "fCu out of range (0.25 - 0.75). Please check your design!";
inline constexpr const char* kNoBobbinText = "No bobbin parameters defined for this core shape !";
inline constexpr const char* kNoCdfText = "No core distortion factor defined for this core shape !";

/// True when every text is non-empty and reads as a number other than 0.
bool AllInputsGiven(const std::vector<std::string>& texts);

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
    std::string turnRatioN1, turnRatioN2, l1_mH, r1_Ohm, r2_Ohm, fCu;
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
    /// AWG number of the thinnest wire at least d thick ("" when there is none).
    std::function<std::string(double d_mm)> awgOf;
};
struct N1N2DesignResult {
    DesignStatus status = DesignStatus::Ok;
    std::vector<CoreMessage> messages;
    std::string n1, n2, al_nH;
    std::string wire1, wire2; ///< "d (AWG)" entries of the wire lists
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
/// k3c from values already looked up (hand calculations, tests).
K3cResult K3cFromValues(const K3cInput& in);

/// k3c with the material's µi(T), µi(25) and hb(T) looked up (in that order, after the
/// CDF check): t_C is the core temperature; a material without hb data gives the loader's
/// message "No material data available" (title "Error") and no result.
K3cResult CalculateK3c(data::Database& db, const std::string& material, double t_C, K3cInput in);

/// AWG of the first wire of table Draht (by size) at least d thick; "" past the last.
std::string GetAWGFromGroesse(data::Database& db, double d_mm);

} // namespace tolvik::core
