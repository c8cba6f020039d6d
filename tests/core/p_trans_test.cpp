// Transmissible power against hand calculations:
//   dB = 2·B·[(f/fw)^y · dTFe / (Rth·Pl·Ve/10⁶·r)]^(1/x), capped at Bs25
//   J  = √(dTCu·10 / (fCu·2.1e-8·AN·LN·Rth)) / 100
//   P  = k/10⁶ · dB · fw · Ae · AN · fCu · J / √Fr,  k = 1, 0.71, 0.62
// Base transformer: B 100 mT, f 100 kHz, fw 25 kHz, x 2, y 1.5, dTFe 20 K, Rth 20 °C/W,
// Pl 400, Ve 5000 mm³, r 0.8 → (4^1.5 · 20 / 32)^(1/2) = √5, dB = 200·√5 = 447.2136 mT;
// dTCu 21 K, fCu 0.5, AN 100 mm², LN 50 mm → J = √(210 / 1.05e-3)/100 = √20 = 4.472136;
// Ae 80 mm² → P = 10⁻⁶ · 447.2136 · 25 · 80 · 100 · 0.5 · 4.472136 = 200 W (dB·J = 2000).

#include "core_fixture_db.h"

#include "tolvik/core/p_trans.h"
#include "tolvik/core/p_trans_display.h"
#include "tolvik/data/records.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <memory>

namespace tolvik::core {
namespace {

PTransInput Base() {
    PTransInput in;
    in.dTFe_K = 20;
    in.dTCu_K = 21;
    in.rth_KW = 20;
    in.pl = 400;
    in.f_kHz = 100;
    in.x = 2;
    in.y = 1.5;
    in.b_mT = 100;
    in.fw_kHz = 25;
    in.ae_mm2 = 80;
    in.ve_mm3 = 5000;
    in.fCu = 0.5;
    in.r = 0.8;
    in.an_mm2 = 100;
    in.ln_mm = 50;
    in.fr = 1;
    in.bs25_mT = 500;
    return in;
}

TEST(TransmissiblePower, ConverterFactorsCapAndWindingRatio) {
    const struct {
        const char* source;
        ConverterType converter;
        double bs25, fr, dB, j, p;
    } cases[] = {
        {"push-pull: the base transformer", ConverterType::PushPull, 500, 1, 447.2136, 4.472136, 200},
        {"single-ended: 0.71 · 200", ConverterType::SingleEnded, 500, 1, 447.2136, 4.472136, 142},
        {"flyback: 0.62 · 200", ConverterType::Flyback, 500, 1, 447.2136, 4.472136, 124},
        {"Fr = 4 halves the power: 200 / √4", ConverterType::PushPull, 500, 4, 447.2136, 4.472136, 100},
        {"Bs25 = 400 caps dB: 200 · 400 / 447.2136", ConverterType::PushPull, 400, 1, 400, 4.472136,
         178.8854},
    };
    for (const auto& c : cases) {
        PTransInput in = Base();
        in.converter = c.converter;
        in.bs25_mT = c.bs25;
        in.fr = c.fr;
        const PTransResult r = CalculateTransmissiblePower(in);
        ASSERT_EQ(r.status, PTransStatus::Ok) << c.source;
        EXPECT_NEAR(r.dB_mT, c.dB, c.dB * 1e-6) << c.source;
        EXPECT_NEAR(r.j_A_mm2, c.j, c.j * 1e-6) << c.source;
        EXPECT_NEAR(r.p_W, c.p, c.p * 1e-6) << c.source;
        EXPECT_EQ(r.message, "") << c.source;
    }
}

TEST(TransmissiblePower, AnyZeroInputGivesNoResultAndNoMessage) {
    double PTransInput::*const inputs[] = {
        &PTransInput::dTFe_K, &PTransInput::dTCu_K, &PTransInput::rth_KW, &PTransInput::pl,
        &PTransInput::f_kHz,  &PTransInput::x,      &PTransInput::y,      &PTransInput::b_mT,
        &PTransInput::fw_kHz, &PTransInput::ae_mm2, &PTransInput::ve_mm3, &PTransInput::fCu,
        &PTransInput::r,      &PTransInput::an_mm2, &PTransInput::ln_mm,  &PTransInput::fr};
    for (std::size_t i = 0; i < std::size(inputs); ++i) {
        PTransInput in = Base();
        in.*inputs[i] = 0;
        const PTransResult r = CalculateTransmissiblePower(in);
        EXPECT_EQ(r.status, PTransStatus::MissingInput) << "input " << i;
        EXPECT_EQ(r.message, "") << "input " << i;
    }
}

TEST(TransmissiblePower, NoLossesWithoutPowerOrFluxSwing) {
    // A result with no power or no flux swing of the ferrite gives no losses, never x/0.
    for (double PTransResult::*zero : {&PTransResult::p_W, &PTransResult::dBFerrite_mT}) {
        PTransResult r = CalculateTransmissiblePower(Base());
        r.*zero = 0;
        EXPECT_EQ(TransformerLosses(Base(), r, 100).dT_K, 0);
    }
}

TEST(TransmissiblePower, NonFiniteResultIsNotValid) {
    const struct {
        const char* source;
        double PTransInput::*input;
        double value;
    } cases[] = {
        {"negative dTFe: a negative base to the power 1/2", &PTransInput::dTFe_K, -20},
        {"negative dTCu: square root of a negative number", &PTransInput::dTCu_K, -21},
        {"negative Fr: square root of a negative number", &PTransInput::fr, -4},
        {"x = 0.001: 5^1000 overflows (the cap must not hide it)", &PTransInput::x, 0.001},
    };
    for (const auto& c : cases) {
        PTransInput in = Base();
        in.*c.input = c.value;
        const PTransResult r = CalculateTransmissiblePower(in);
        EXPECT_EQ(r.status, PTransStatus::NotValid) << c.source;
        EXPECT_EQ(r.message, "Values not valid !") << c.source;
    }
}

TEST(TransmissiblePower, RacRdcAndHalfTemperatureRise) {
    const struct {
        double rdc, rac;
        std::optional<double> fr;
    } cases[] = {{2, 3, 1.5}, {0.2, 0.5, 2.5}, {0, 3, std::nullopt}, {2, 0, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(RacRdcRatio(c.rdc, c.rac), c.fr) << c.rdc << " / " << c.rac;
    text::SetDecimalSeparator('.');
    EXPECT_EQ(HalfTemperatureRiseText(35), "17.5");
    EXPECT_EQ(HalfTemperatureRiseText(0), "0");
    text::SetDecimalSeparator(',');
    EXPECT_EQ(HalfTemperatureRiseText(35), "17,5");
    text::SetDecimalSeparator('.');
}

TEST(TransmissiblePower, LoadsTheChosenVariantOrNothing) {
    // E 20 and M1 as loaded: the tab's test shows each field.
    test::FixtureFolder folder;
    auto db = data::Database::open(folder.databasePath());
    const auto p14 = data::CoreGeometry::Read(*db, {"P 14", false, true}); // with hole
    EXPECT_EQ(std::pair(p14.rows(), p14.stored(data::CoreField::Ae)), std::pair(1L, Value(24.0)));
    EXPECT_EQ(data::CoreGeometry::Read(*db, {"X 99", false, false}).rows(), 0);
    EXPECT_EQ(data::MaterialValues::Read(*db, "M9").rows(), 0);
}

} // namespace
} // namespace tolvik::core
