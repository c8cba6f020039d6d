#pragma once
/// Winding wire calculations: the choice of a copper wire for a winding on the core's
/// bobbin (by winding height and layers, or by winding area), the DC resistance of the
/// winding, the skin depth of copper and the AC-to-DC resistance ratio of a layered
/// winding of round wire. No Qt: the wire table and the core values are handed in.
///
/// References: skin depth δ = √(ρ / (π·f·µ0)); P. L. Dowell, "Effects of eddy currents in
/// transformer windings", Proc. IEE 113 (1966): Rac/Rdc = F(Δ) + (m² − 1)·G(Δ)/3 with
/// Δ = h/δ, F = Δ·(sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ), G = 2Δ·(sinh Δ − sin Δ)/(cosh Δ + cos Δ).

#include "tolvik/data/wires.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvik::core {

inline constexpr double kCopperResistivity = 1.77935e-8; ///< ρ of copper as the program uses it [Ω·m]
inline constexpr double kPiMu0 = 3.94384e-6;             ///< π·µ0 as the program uses it [V·s/(A·m)]
inline constexpr double kWirePi = 3.14;                  ///< π of the fill factor

inline constexpr const char* kInsertNText = "Please insert value in field N !";
inline constexpr const char* kFillFactorText = "Window fill factor surpassed 100% !";
/// Descriptions of the arithmetic faults the ratio can meet.
inline constexpr const char* kDivisionByZeroText = "Division by zero";
inline constexpr const char* kInvalidArgumentText = "Invalid procedure call or argument";
inline constexpr const char* kOverflowText = "Overflow";

/// Frequencies of the Rac/Rdc curve: 0.1 kHz doubled 15 times up to 1638.4 kHz.
inline constexpr int kWireCurvePoints = 15;
inline constexpr double kWireCurveStart_kHz = 0.05; ///< halved first frequency
/// Curves drawn after a graph reset (which leaves one data set) before the graph is full.
inline constexpr int kWireCurveMaxSets = 15;

using data::WireRecord;

/// A number, or the description of the arithmetic fault that prevented it.
struct WireValue {
    bool valid = false;
    double value = 0;
    std::string message; ///< "" when valid
};

/// Skin depth δ [mm] of copper at f [kHz]; a fault for f <= 0.
WireValue GetSkin(double f_kHz);
/// Rac/Rdc of m layers of wire of diameter h [mm] at f [kHz]. Computed in a form that
/// cannot overflow, so the ratio is true at every Δ. A fault for f <= 0 and when
/// m² − 1 leaves the 16-bit integer range (|m| > 181).
WireValue GetFr(double h_mm, double f_kHz, long m);
/// The number of layers as the ratio takes it: rounded to the nearest integer, halves
/// to even; limited to a range far outside the valid one.
long RoundLayers(double layers);

/// The wire search of the wire tab (the wire for N turns in m layers on the bobbin).
struct WindingWireInput {
    bool coreSelected = false;
    double an_mm2 = 0;     ///< winding cross-section AN of the core
    double hWickel_mm = 0; ///< winding height of the bobbin
    double turns = 0;      ///< N of the winding
    double layers = 0;     ///< number of layers m
    bool showMessages = false;
    std::vector<WireRecord> wires; ///< table Draht in stored order
};
struct WindingWireResult {
    bool ok = true;
    std::optional<WireRecord> wire;       ///< none: no core, no turns, or no wire fits
    std::optional<double> fillFactor_pct; ///< of the wire; none without a winding area
    std::vector<std::string> messages;
};
/// The thickest wire whose outer diameter d/√fCu is smaller than the pitch
/// hWickel·m/N, whatever the stored order of the table; its fill factor
/// 100·N·3.14·d² / (4·AN·fCu).
WindingWireResult SuchDrahtHarmDistortion(const WindingWireInput& in);

/// The wire of the DC-bias design: the thickest wire of which N turns take less than
/// the winding area AN (N / N_pro_mm2 < AN), whatever the stored order of the table.
std::optional<WireRecord> SuchDraht(double turns, double an_mm2, const std::vector<WireRecord>& wires);

/// Window fill factor [%] of N turns of the wire on the winding cross-section AN:
/// 100·N·3.14·d² / (4·AN·fCu).
double FillFactor(double turns, const WireRecord& wire, double an_mm2);
/// The wire's outer diameter d/√fCu is smaller than the pitch hWickel·m/N of N turns in
/// m layers on the bobbin.
bool FitsLayers(const WireRecord& wire, double turns, double layers, double hWickel_mm);
/// Bare copper cross-section of the wire [mm²]: 3.14·d²/4.
double WireArea(const WireRecord& wire);
/// Rdc [Ω] of N turns of the wire with the mean length of turn LN [mm]: ρ·N·LN / area.
double CopperResistance(double turns, double ln_mm, const WireRecord& wire);

/// Rdc [Ω] of N turns: N²·Ar / 10⁶ with Ar [µΩ per turn²].
double WindingDcResistance(double turns, double ar_uOhm);

struct WireCurvePoint {
    int index = 0; ///< 1-based
    double f_kHz = 0;
    double ratio = 0; ///< Rac/Rdc
};
struct WireCurve {
    bool valid = false;
    std::string message; ///< the fault that stopped it ("" when valid)
    std::vector<WireCurvePoint> points;
};
/// Rac/Rdc of m layers of wire h [mm] at 0.1, 0.2, 0.4 … 1638.4 kHz.
WireCurve RacRdcCurve(double h_mm, long m);

/// Skin depth and AC resistance at one frequency.
struct AcResistance {
    bool valid = false;
    std::string message;
    double skin_mm = 0;
    double rac_Ohm = 0;
};
AcResistance CalculateAcResistance(double f_kHz, long m, double d_mm, double rdc_Ohm);

} // namespace tolvik::core
