#include "tolvik/core/harmonic.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>
#include <initializer_list>

namespace tolvik::core {

namespace {

constexpr double kPi = 3.14;
constexpr double kTwoPi = 6.28;
constexpr double kSixPi = 18.84;
constexpr double kCopper = 17.2;       ///< resistivity of copper in the units used
constexpr double kFourCopper = 68.8;   ///< 4 · 17.2
constexpr double kMu0Scaled = 1.256E1; ///< 10⁷ · µ0

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

} // namespace

AlDesignResult DesignFromAlN1N2(const AlDesignInput& in) {
    AlDesignResult r;
    if (in.an_mm2 == 0.0 || in.ln_mm == 0.0) {
        r.status = DesignStatus::Stopped;
        r.messages.push_back({kNoBobbinText});
        return r;
    }
    const double r1 = in.ln_mm * kFourCopper * in.n1 / (1E6 * kPi * in.d1_mm * in.d1_mm);
    const double r2 = in.ln_mm * kFourCopper * in.n2 / (1E6 * kPi * in.d2_mm * in.d2_mm);
    const double fCu = (kPi / 4) * (in.d1_mm * in.d1_mm * in.n1 + in.d2_mm * in.d2_mm * in.n2) / in.an_mm2;
    const double l1 = in.n1 * in.n1 * in.al_nH * 1E-6;
    const double ratio = in.n1 <= in.n2 ? in.n2 / in.n1 : in.n1 / in.n2;
    if (!AllFinite({r1, r2, fCu, l1, ratio})) {
        r.status = DesignStatus::NotValid;
        r.messages.push_back({kValuesNotValidText});
        return r;
    }
    if (fCu < 0.25 || fCu > 0.75) r.messages.push_back({kFcuOutOfRangeText});
    r.n1IsOne = in.n1 <= in.n2;
    r.turnRatio = ratio;
    r.r1_Ohm = r1;
    r.r2_Ohm = r2;
    r.fCu = fCu;
    r.l1_mH = l1;
    return r;
}

N1N2DesignResult DesignFromN1N2R1R2(const N1N2DesignInput& in) {
    N1N2DesignResult r;
    if (in.an_mm2 == 0.0 || in.ln_mm == 0.0) {
        r.status = DesignStatus::Stopped;
        r.messages.push_back({kNoBobbinText});
        return r;
    }
    const double n = in.ratioN2 / in.ratioN1;
    const double n1 =
        std::sqrt(1E6 * in.an_mm2 * in.fCu / (kCopper * in.ln_mm) / (n * n / in.r2_Ohm + 1 / in.r1_Ohm));
    // N2 follows the turns as shown (N1 rounded to a whole number); Al and d1 the exact N1.
    const double n2 = text::RoundedAsShown(n1, "#") * n;
    const double al = in.l1_mH / (n1 * n1) * 1E6;
    const double d1 = std::sqrt(n1 * kFourCopper * in.ln_mm / (1E6 * in.r1_Ohm * kPi));
    const double d2 = std::sqrt(n2 * kFourCopper * in.ln_mm / (1E6 * in.r2_Ohm * kPi));
    if (!AllFinite({n, n1, n2, al, d1, d2})) {
        r.status = DesignStatus::NotValid;
        r.messages.push_back({kValuesNotValidText});
        return r;
    }
    r.n1 = n1;
    r.n2 = n2;
    r.al_nH = al;
    r.d1_mm = d1;
    r.d2_mm = d2;
    return r;
}

double InductanceAtT(const K3cInput& in) {
    const double n1Squared = in.n1 * in.n1;
    const double a = kMu0Scaled * in.ae_mm2 * in.muiT;
    const double d =
        1E-7 * n1Squared * a * in.mui25 + in.l1_mH * in.le_mm * in.mui25 - in.l1_mH * in.muiT * in.le_mm;
    const double k = 1E-7 * n1Squared * kMu0Scaled * in.ae_mm2 / in.le_mm;
    return in.l1_mH * in.muiT * in.le_mm * (in.mui25 / d) * k;
}

K3cResult K3cFromValues(const K3cInput& in) {
    K3cResult r;
    if (in.cdf == 0.0) {
        r.status = K3cStatus::NoCdf;
        r.messages.push_back({kNoCdfText});
        return r;
    }
    if (in.hb == 0.0) return r;
    const double lT = InductanceAtT(in);
    const double p = (0.6 / kMu0Scaled) * in.hb * (in.u_V / (in.f_kHz * kTwoPi)) * lT;
    const double n = in.n2 / in.n1;
    const double q = std::pow((n * n / in.r2_Ohm + 1 / in.r1_Ohm) * kCopper / in.fCu, 1.5);
    const double e = q * p * in.cdf * 0.01;
    const double z = 1 / in.rs_Ohm + n * n / in.rl_Ohm;
    const double g = std::pow(in.f_kHz * kSixPi * lT * z, 2);
    const double k3 = e * 1 / std::sqrt(g + 1);
    // A zero resistance, a non-positive k3 for the logarithm or an overflow has no value.
    // (Log10 reads such an argument as 0, so it is judged before.)
    if (!std::isfinite(k3) || !(k3 > 0)) {
        r.status = K3cStatus::NotValid;
        r.messages.push_back({kValuesNotValidText});
        return r;
    }
    r.status = K3cStatus::Ok;
    r.k3c_dB = num::Log10(k3) * 20;
    return r;
}

} // namespace tolvik::core
