#include "tolvik/core/wire.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tolvik::core {

namespace {

WireValue Fault(const char* message) {
    return {false, 0, message};
}

WireValue Ok(double v) {
    if (!std::isfinite(v)) return Fault(kOverflowText);
    return {true, v, {}};
}

/// Below this Δ the hyperbolic forms are exact and far from overflow; above it the
/// exponential forms divided through by the growing exponential take over.
constexpr double kScaledFormFrom = 20.0;

/// F(Δ) = Δ·(sinh 2Δ + sin 2Δ)/(cosh 2Δ − cos 2Δ); the denominator is written as
/// 2·(sinh² Δ + sin² Δ), which loses no digits for small Δ. F → 1 for Δ → 0.
double DowellF(double delta) {
    if (delta == 0.0) return 1.0;
    if (std::fabs(delta) < kScaledFormFrom) {
        const double sh = std::sinh(delta);
        const double s = std::sin(delta);
        return delta * (std::sinh(2 * delta) + std::sin(2 * delta)) / (2 * (sh * sh + s * s));
    }
    const double e2 = std::exp(-2 * delta);
    const double e4 = e2 * e2;
    return delta * (1 - e4 + 2 * std::sin(2 * delta) * e2) / (1 + e4 - 2 * std::cos(2 * delta) * e2);
}

/// G(Δ) = 2Δ·(sinh Δ − sin Δ)/(cosh Δ + cos Δ); G → 0 for Δ → 0.
double DowellG(double delta) {
    if (std::fabs(delta) < kScaledFormFrom)
        return 2 * delta * (std::sinh(delta) - std::sin(delta)) / (std::cosh(delta) + std::cos(delta));
    const double e1 = std::exp(-delta);
    const double e2 = e1 * e1;
    return 2 * delta * (1 - e2 - 2 * std::sin(delta) * e1) / (1 + e2 + 2 * std::cos(delta) * e1);
}

/// The thickest wire that passes the test; the first of equal ones in stored order.
template <class Fits> std::optional<WireRecord> Thickest(const std::vector<WireRecord>& wires, Fits fits) {
    std::optional<WireRecord> best;
    for (const WireRecord& w : wires) {
        if (fits(w) && (!best || w.d_mm > best->d_mm)) best = w;
    }
    return best;
}

} // namespace

WireValue GetSkin(double f_kHz) {
    if (f_kHz == 0.0) return Fault(kDivisionByZeroText);
    if (!(f_kHz > 0.0)) return Fault(kInvalidArgumentText);
    return Ok(1000.0 * std::sqrt(kCopperResistivity / (f_kHz * kPiMu0 * 1000.0)));
}

long RoundLayers(double layers) {
    constexpr double kLimit = 1E6;
    if (std::isnan(layers)) return 0;
    return static_cast<long>(std::nearbyint(std::fmax(-kLimit, std::fmin(kLimit, layers))));
}

WireValue GetFr(double h_mm, double f_kHz, long m) {
    const WireValue skin = GetSkin(f_kHz);
    if (!skin.valid) return skin;
    const long mSquaredLessOne = m * m - 1; // a 16-bit integer in the layer term
    if (mSquaredLessOne > std::numeric_limits<std::int16_t>::max()) return Fault(kOverflowText);
    const double delta = h_mm / skin.value;
    return Ok(DowellF(delta) + static_cast<double>(mSquaredLessOne) * DowellG(delta) / 3.0);
}

WindingWireResult SuchDrahtHarmDistortion(const WindingWireInput& in) {
    WindingWireResult r;
    if (!in.coreSelected) return r;
    if (in.turns == 0.0) {
        r.ok = false;
        if (in.showMessages) r.messages.push_back(kInsertNText);
        return r;
    }
    r.wire = Thickest(in.wires,
                      [&](const WireRecord& w) { return FitsLayers(w, in.turns, in.layers, in.hWickel_mm); });
    if (!r.wire) return r;
    const double fw = FillFactor(in.turns, *r.wire, in.an_mm2);
    if (std::isfinite(fw)) {
        r.fillFactor_pct = fw;
        if (fw > 100.0) r.messages.push_back(kFillFactorText);
    }
    return r;
}

std::optional<WireRecord> SuchDraht(double turns, double an_mm2, const std::vector<WireRecord>& wires) {
    return Thickest(wires, [&](const WireRecord& w) { return turns / w.turnsPerMm2 < an_mm2; });
}

double FillFactor(double turns, const WireRecord& wire, double an_mm2) {
    const double d = wire.d_mm;
    return d * d * turns * kWirePi / (4.0 * an_mm2 * wire.fCu) * 100.0;
}

bool FitsLayers(const WireRecord& wire, double turns, double layers, double hWickel_mm) {
    const double pitch_mm = hWickel_mm * layers / turns;
    return pitch_mm > wire.d_mm / std::sqrt(wire.fCu);
}

double WireArea(const WireRecord& wire) {
    return kWirePi * wire.d_mm * wire.d_mm / 4.0;
}

double CopperResistance(double turns, double ln_mm, const WireRecord& wire) {
    // ρ [Ω·m] · length [m] / area [m²]
    return kCopperResistivity * turns * ln_mm * 1E-3 / (WireArea(wire) * 1E-6);
}

double WindingDcResistance(double turns, double ar_uOhm) {
    const double r = turns * turns * ar_uOhm / 1E6;
    return std::isfinite(r) ? r : 0.0;
}

WireCurve RacRdcCurve(double h_mm, long m) {
    WireCurve c;
    double f = kWireCurveStart_kHz;
    for (int i = 1; i <= kWireCurvePoints; ++i) {
        f *= 2.0;
        const WireValue fr = GetFr(h_mm, f, m);
        if (!fr.valid) {
            c.message = fr.message;
            c.points.clear();
            return c;
        }
        c.points.push_back({i, f, fr.value});
    }
    c.valid = true;
    return c;
}

AcResistance CalculateAcResistance(double f_kHz, long m, double d_mm, double rdc_Ohm) {
    AcResistance r;
    const WireValue skin = GetSkin(f_kHz);
    const WireValue fr = GetFr(d_mm, f_kHz, m);
    if (!skin.valid || !fr.valid) {
        r.message = skin.valid ? fr.message : skin.message;
        return r;
    }
    const double rac = rdc_Ohm * fr.value;
    if (!std::isfinite(rac)) {
        r.message = kOverflowText;
        return r;
    }
    r.valid = true;
    r.skin_mm = skin.value;
    r.rac_Ohm = rac;
    return r;
}

} // namespace tolvik::core
