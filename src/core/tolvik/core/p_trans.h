#pragma once
/// Transmissible power of a converter transformer, limited by the temperature rise of the
/// ferrite and of the copper winding.
///
/// Ferrite: the core loss Pl · (B̂/B)^x · (fw/f)^y · Ve/10⁶ (Pl as stored) times the thermal
/// resistance scaled by r must stay below dTFe; solved for the flux density sweep dB = 2·B̂
/// and capped at the saturation flux density Bs(25 °C).
/// Copper: the winding loss J²·ρ·LN·AN·fCu (ρ = 2.1e-8 Ωm at operating temperature) times
/// Rth must stay below dTCu; solved for the current density J.
/// Power: P = k · dB · fw · Ae · AN · fCu · J / 10⁶ / √(Rac/Rdc), k the converter factor.

#include "tolvik/core/core_messages.h"

#include <optional>
#include <string>

namespace tolvik::core {

/// Converter types of the optConv options, in their order.
enum class ConverterType { PushPull = 0, SingleEnded = 1, Flyback = 2 };

/// k of P = k · dB · fw · Ae · AN · fCu · J: 1.0, 0.71, 0.62.
double ConverterFactor(ConverterType type);

/// The tab's sixteen inputs (as read from the fields; an empty field reads 0), the
/// converter type and the material's Bs(25 °C).
struct PTransInput {
    double dTFe_K = 0; ///< allowed temperature rise of the ferrite
    double dTCu_K = 0; ///< allowed temperature rise of the copper
    double rth_KW = 0; ///< thermal resistance of the core [°C/W]
    double pl = 0;     ///< relative core loss at B and f, as stored
    double f_kHz = 0;  ///< frequency of the loss figure
    double x = 0;      ///< exponent of B in the loss law
    double y = 0;      ///< exponent of f in the loss law
    double b_mT = 0;   ///< flux density of the loss figure
    double fw_kHz = 0; ///< converter frequency
    double ae_mm2 = 0; ///< effective cross-section
    double ve_mm3 = 0; ///< effective volume
    double fCu = 0;    ///< copper space factor
    double r = 0;      ///< factor on the thermal resistance for the ferrite loss
    double an_mm2 = 0; ///< winding cross-section
    double ln_mm = 0;  ///< mean length of turn
    double fr = 0;     ///< Rac/Rdc of the winding
    ConverterType converter = ConverterType::PushPull;
    double bs25_mT = 0; ///< caps dB
};

enum class PTransStatus {
    Ok,
    MissingInput, ///< one of the sixteen inputs is 0: no result, no message
    NotValid,     ///< a result is not finite: message kValuesNotValidText, no result
};

struct PTransResult {
    PTransStatus status = PTransStatus::MissingInput;
    double dB_mT = 0;        ///< flux density sweep
    double dBFerrite_mT = 0; ///< the sweep the ferrite allows, before the cap at Bs(25 °C)
    double j_A_mm2 = 0;      ///< current density
    double p_W = 0;          ///< transmissible power
    std::string message;     ///< shown when not "" (title "Tolvik")
};

PTransResult CalculateTransmissiblePower(const PTransInput& in);

/// Losses of the transformer carrying p_W (up to its transmissible power r.p_W): the ferrite
/// runs at the sweep dB, its loss dTFe/(Rth·r) at the ferrite's own limit and falling with
/// (dB/dBFerrite)^x below it; the copper loss dTCu/Rth at full power falls with the square
/// of the current. The temperature rise is the copper's Rth·Pcu plus the ferrite's Rth·r·Pfe.
struct PTransLosses {
    double core_W = 0;
    double copper_W = 0;
    double dT_K = 0;
};
PTransLosses TransformerLosses(const PTransInput& in, const PTransResult& r, double p_W);

/// Rac/Rdc of the winding from the wire tab's resistances; nullopt when either is 0 (an
/// empty field reads 0) or the ratio has no value (the tab then shows kNoWireValuesText).
std::optional<double> RacRdcRatio(double rdc_Ohm, double rac_Ohm);
inline constexpr const char* kNoWireValuesText = "No valid values for Rdc and Rac in Wire calculation";

} // namespace tolvik::core
