#include "tolvik/core/p_trans.h"

#include "tolvik/numerics/numerics.h"

#include <cmath>

namespace tolvik::core {

namespace {

constexpr double kCopperResistivity_Ohm_m = 2.1e-8; ///< copper at operating temperature

} // namespace

double ConverterFactor(ConverterType type) {
    switch (type) {
    case ConverterType::SingleEnded:
        return 0.71;
    case ConverterType::Flyback:
        return 0.62;
    case ConverterType::PushPull:
        break;
    }
    return 1.0;
}

PTransResult CalculateTransmissiblePower(const PTransInput& in) {
    PTransResult r;
    for (double v : {in.dTFe_K, in.dTCu_K, in.rth_KW, in.pl, in.f_kHz, in.x, in.y, in.b_mT, in.fw_kHz,
                     in.ae_mm2, in.ve_mm3, in.fCu, in.r, in.an_mm2, in.ln_mm, in.fr}) {
        if (v == 0.0) return r;
    }
    const double k = ConverterFactor(in.converter);
    const double ferriteLimit =
        std::pow(in.f_kHz / in.fw_kHz, in.y) * in.dTFe_K / (in.rth_KW * in.pl * in.ve_mm3 / 1E6 * in.r);
    const double dBFerrite = 2.0 * in.b_mT * std::pow(ferriteLimit, 1.0 / in.x);
    const double dB = num::MinOf(in.bs25_mT, dBFerrite);
    const double j =
        std::sqrt(in.dTCu_K * 10.0 / (in.fCu * kCopperResistivity_Ohm_m * in.an_mm2 * in.ln_mm * in.rth_KW)) /
        100.0;
    const double p = k / 1E6 * dB * in.fw_kHz * in.ae_mm2 * in.an_mm2 * in.fCu * j / std::sqrt(in.fr);
    // An overflow or a power of a negative base has no value: nothing is shown but the message.
    if (!std::isfinite(dBFerrite) || !std::isfinite(dB) || !std::isfinite(j) || !std::isfinite(p)) {
        r.status = PTransStatus::NotValid;
        r.message = kValuesNotValidText;
        return r;
    }
    r.status = PTransStatus::Ok;
    r.dB_mT = dB;
    r.dBFerrite_mT = dBFerrite;
    r.j_A_mm2 = j;
    r.p_W = p;
    return r;
}

PTransLosses TransformerLosses(const PTransInput& in, const PTransResult& r, double p_W) {
    PTransLosses l;
    if (r.status != PTransStatus::Ok || r.p_W <= 0 || r.dBFerrite_mT <= 0) return l;
    l.core_W = in.dTFe_K / (in.rth_KW * in.r) * std::pow(r.dB_mT / r.dBFerrite_mT, in.x);
    const double share = p_W / r.p_W;
    l.copper_W = in.dTCu_K / in.rth_KW * share * share;
    l.dT_K = in.rth_KW * l.copper_W + in.rth_KW * in.r * l.core_W;
    return l;
}

std::optional<double> RacRdcRatio(double rdc_Ohm, double rac_Ohm) {
    if (rdc_Ohm == 0.0 || rac_Ohm == 0.0) return std::nullopt;
    const double ratio = rac_Ohm / rdc_Ohm;
    if (!std::isfinite(ratio)) return std::nullopt;
    return ratio;
}

} // namespace tolvik::core
