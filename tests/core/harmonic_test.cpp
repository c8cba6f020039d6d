// Harmonic distortion against hand calculations (π = 3.14, 4ρ = 68.8, ρ = 17.2):
//   Al mode:    R = LN·68.8·N / (10⁶·3.14·d²),  fCu = 0.785·(d1²N1 + d2²N2)/AN,  L1 = N1²·Al/10⁶
//   N1:N2 mode: N1 = √(10⁶·AN·fCu/(17.2·LN) / (n²/R2 + 1/R1)),  N2 = round(N1)·n,
//               Al = L1/N1²·10⁶,  d = √(N·68.8·LN / (10⁶·R·3.14))
//   L_T = L1 / (1 + L1·le·(1/µT − 1/µ25) / (N1²·1.256e-6·Ae))   (the program's form reduces to it)
//   P = 0.6/12.56 · hb · U/(6.28 f) · L_T,  Q = ((n²/R2 + 1/R1)·17.2/fCu)^1.5,  E = Q·P·CDF/100
//   G = (18.84 f · L_T · (1/Rs + n²/RL))²,  k3c = 20·log10(E / √(G+1))
// Transformer T: core AN 30.125 mm², LN 40 mm, Ae 40.25 mm², le 50 mm, CDF 0.03; 1:1,
// L1 10 mH, R1 = R2 = 1 Ω, fCu 0.5; circuit U 1 V, f 1 kHz, Rs = RL = 600 Ω; hb 1.6.

#include "core_fixture_db.h"

#include "tolvik/core/harmonic_display.h"
#include "tolvik/data/records.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tolvik::core {
namespace {

const CoreMessage kNotValid{"Values not valid !"};
const CoreMessage kNoBobbin{"No bobbin parameters defined for this core shape !"};
const CoreMessage kFcuWarning{"fCu out of range (0.25 - 0.75). Please check your design!"};

class HarmonicTest : public ::testing::Test {
protected:
    void SetUp() override { text::SetDecimalSeparator('.'); }
};

/// Transformer T at 25 °C with the turns of its N1:N2 design (105 : 105).
K3cInput TransformerT() {
    K3cInput in;
    in.r1_Ohm = in.r2_Ohm = 1;
    in.rs_Ohm = in.rl_Ohm = 600;
    in.n1 = in.n2 = 105;
    in.f_kHz = 1;
    in.fCu = 0.5;
    in.u_V = 1;
    in.l1_mH = 10;
    in.ae_mm2 = 40.25;
    in.le_mm = 50;
    in.cdf = 0.03;
    in.muiT = in.mui25 = 2000;
    in.hb = 1.6;
    return in;
}

TEST_F(HarmonicTest, DesignFromAlN1N2) {
    // R = 40·68.8·N/(3.14e6·d²); fCu = 0.785·Σd²N/AN; L1 = N1²·Al/10⁶.
    const struct {
        const char* source;
        AlDesignInput in;
        std::vector<std::string> texts; // ratio N1, ratio N2, R1, R2, fCu, L1
        std::vector<CoreMessage> messages;
    } cases[] = {
        {"T (1 : \"#.##\" of 1): R = 288960/321536 = 0.8987, fCu = 0.5604, L1 = 10.07685",
         {914, 105, 105, 0.32, 0.32, 30.125, 40},
         {"1", "1.", ".8987", ".8987", ".5604", "10.1"},
         {}},
        {"2.5 : 1; R1 = 40·68.8·50/3.14e6 = 0.0438, R2 = 0.0175; L1 = 0.25; fCu = 0.785·70/30.125",
         {100, 50, 20, 1, 1, 30.125, 40},
         {"2.5", "1", ".0438", ".0175", "1.82", ".25"},
         {kFcuWarning}},
        {"1 : 3; R1 = 40·68.8·100/(3.14e6·0.01) = 8.764, R2 = 26.29; fCu = 0.785·4/30.125 = 0.1042",
         {1000, 100, 300, 0.1, 0.1, 30.125, 40},
         {"1", "3.", "8.8", "26.3", ".1042", "10."},
         {kFcuWarning}},
        {"fCu = 0.785·20/62.8 = 0.25 (a hair above in binary): no warning; R = 27520/3.14e6",
         {1000, 10, 10, 1, 1, 62.8, 40},
         {"1", "1.", ".0088", ".0088", ".25", ".1"},
         {}},
    };
    for (const auto& c : cases) {
        const AlDesignResult r = DesignFromAlN1N2(c.in);
        ASSERT_EQ(r.status, DesignStatus::Ok) << c.source;
        const AlDesignTexts t = ShowAlDesign(r);
        EXPECT_EQ(
            (std::vector<std::string>{t.turnRatioN1, t.turnRatioN2, t.r1_Ohm, t.r2_Ohm, t.fCu, t.l1_mH}),
            c.texts)
            << c.source;
        EXPECT_EQ(r.messages, c.messages) << c.source;
    }
}

TEST_F(HarmonicTest, DesignFromN1N2R1R2) {
    // The AWG of each wire from a small table: the first size at least d.
    const auto awg = [](double d) { return d <= 0.32 ? std::string("28") : d <= 0.4 ? "26" : ""; };
    const struct {
        const char* source;
        N1N2DesignInput in;
        std::vector<std::string> texts; // N1, N2, Al, wire 1, wire 2
    } cases[] = {
        {"transformer T: N1 = √(15062500/688/2) = 104.626, N2 = 105·1, Al = 10/104.626²·1e6 = 913.5, "
         "d1 = √(104.626·2752/3.14e6) = 0.3028, d2 = √(105·2752/3.14e6) = 0.3034",
         {1, 1, 10, 1, 1, 0.5, 30.125, 40},
         {"105", "105", "914", ".3 (28)", ".3 (28)"}},
        {"1:2: N1 = √(21892.96/(4/1+1)) = 66.17 shown 66, N2 = 66·2 = 132 (from the rounded N1), "
         "Al = 10/66.17²·1e6 = 2284 (from the exact one), d2 = √(132·2752/3.14e6) = 0.3401",
         {1, 2, 10, 1, 1, 0.5, 30.125, 40},
         {"66", "132", "2284", ".24 (28)", ".34 (26)"}},
        {"a wire thicker than every entry: the AWG part stays empty; 1:1 with R = 0.25 Ω: "
         "N1 = √(21892.96/8) = 52.31, d = √(52.31·2752/(3.14e6·0.25)) = 0.4282",
         {1, 1, 10, 0.25, 0.25, 0.5, 30.125, 40},
         {"52", "52", "3654", ".43 ()", ".43 ()"}},
    };
    for (const auto& c : cases) {
        const N1N2DesignResult r = DesignFromN1N2R1R2(c.in);
        ASSERT_EQ(r.status, DesignStatus::Ok) << c.source;
        const N1N2DesignTexts t = ShowN1N2Design(r, awg(r.d1_mm), awg(r.d2_mm));
        EXPECT_EQ((std::vector<std::string>{t.n1, t.n2, t.al_nH, t.wire1, t.wire2}), c.texts) << c.source;
        EXPECT_TRUE(r.messages.empty()) << c.source;
    }
}

TEST_F(HarmonicTest, DesignsStopWithoutBobbinDataOrOnNonFiniteResults) {
    const struct {
        const char* source;
        AlDesignInput in;
        DesignStatus status;
        CoreMessage message;
    } alMode[] = {
        {"AN = 0", {914, 105, 105, 0.32, 0.32, 0, 40}, DesignStatus::Stopped, kNoBobbin},
        {"LN = 0", {914, 105, 105, 0.32, 0.32, 30, 0}, DesignStatus::Stopped, kNoBobbin},
        {"d1 = 0: R1 divides by zero", {914, 105, 105, 0, 0.32, 30, 40}, DesignStatus::NotValid, kNotValid},
    };
    for (const auto& c : alMode) {
        const AlDesignResult r = DesignFromAlN1N2(c.in);
        EXPECT_EQ(r.status, c.status) << c.source;
        EXPECT_EQ(r.messages, std::vector{c.message}) << c.source;
    }
    const struct {
        const char* source;
        N1N2DesignInput in;
        DesignStatus status;
        CoreMessage message;
    } n1n2Mode[] = {
        {"AN = 0", {1, 1, 10, 1, 1, 0.5, 0, 40}, DesignStatus::Stopped, kNoBobbin},
        {"R1 = -2: square root of a negative number",
         {1, 1, 10, -2, 1, 0.5, 30, 40},
         DesignStatus::NotValid,
         kNotValid},
    };
    for (const auto& c : n1n2Mode) {
        const N1N2DesignResult r = DesignFromN1N2R1R2(c.in);
        EXPECT_EQ(r.status, c.status) << c.source;
        EXPECT_EQ(r.messages, std::vector{c.message}) << c.source;
    }
}

TEST_F(HarmonicTest, InductanceAtTemperature) {
    K3cInput in = TransformerT();
    EXPECT_NEAR(InductanceAtT(in), 10, 1e-9) << "at 25 °C L_T = L1";
    in.n1 = 100;
    in.ae_mm2 = 40;
    in.muiT = 2500;
    // 10 / (1 + 10·50·(1/2500 − 1/2000) / (10⁴·1.256e-6·40)) = 10 / (1 − 0.05/0.5024)
    EXPECT_NEAR(InductanceAtT(in), 11.105217, 1e-6);
}

TEST_F(HarmonicTest, K3c) {
    const struct {
        const char* source;
        void (*change)(K3cInput&);
        double k3c;
    } cases[] = {
        {"T: P = 0.0477707·1.6·0.159236·10 = 0.121709, Q = 68.8^1.5 = 570.667, E = 0.0208366, "
         "G = (18.84·10/300)² = 0.394384, k3 = E/1.180840 = 0.0176455",
         [](K3cInput&) {}, -35.0673},
        {"T designed from Al: R 0.8987, fCu 0.5604, L1 10.1: Q = 564.51, E = 0.0208177, G = 0.402311",
         [](K3cInput& in) {
             in.r1_Ohm = in.r2_Ohm = 0.8987;
             in.fCu = 0.5604;
             in.l1_mH = 10.1;
         },
         -35.0998},
        {"T at 50 °C (µT 2500, hb 2.0): L_T = 10/(1 − 500·1e-4/0.55401) = 10.98550",
         [](K3cInput& in) {
             in.muiT = 2500;
             in.hb = 2.0;
         },
         -32.5596},
        {"Rs, RL very large: G → 0 and k3 = E = 0.0208366",
         [](K3cInput& in) { in.rs_Ohm = in.rl_Ohm = 1e30; }, 20 * std::log10(0.02083655)},
    };
    for (const auto& c : cases) {
        K3cInput in = TransformerT();
        c.change(in);
        const K3cResult r = K3cFromValues(in);
        ASSERT_EQ(r.status, K3cStatus::Ok) << c.source;
        EXPECT_NEAR(r.k3c_dB, c.k3c, 1e-3) << c.source;
    }
}

TEST_F(HarmonicTest, K3cStopsOrIsNotValid) {
    const char* const notValid = "Values not valid !";
    const struct {
        const char* source;
        double K3cInput::*input;
        double value;
        K3cStatus status;
        const char* message; // "": none
    } cases[] = {
        {"core without CDF", &K3cInput::cdf, 0, K3cStatus::NoCdf,
         "No core distortion factor defined for this core shape !"},
        {"hb = 0: no result, no message", &K3cInput::hb, 0, K3cStatus::NoHb, ""},
        {"Rs = 0: 1/Rs overflows, G infinite, k3 = 0 has no logarithm", &K3cInput::rs_Ohm, 0,
         K3cStatus::NotValid, notValid},
        {"R1 = 0: Q infinite", &K3cInput::r1_Ohm, 0, K3cStatus::NotValid, notValid},
        {"fCu < 0: a negative base to the power 1.5", &K3cInput::fCu, -0.5, K3cStatus::NotValid, notValid},
        {"U < 0: k3 < 0 has no logarithm", &K3cInput::u_V, -1, K3cStatus::NotValid, notValid},
    };
    for (const auto& c : cases) {
        K3cInput in = TransformerT();
        in.*c.input = c.value;
        const K3cResult r = K3cFromValues(in);
        EXPECT_EQ(r.status, c.status) << c.source;
        EXPECT_EQ(r.messages, *c.message ? std::vector<CoreMessage>{{c.message}} : std::vector<CoreMessage>{})
            << c.source;
    }
}

TEST_F(HarmonicTest, AwgOfWire) {
    // Draht: sizes 0.1 / AWG 38, 0.2 / AWG 32.
    test::FixtureFolder folder;
    auto db = data::Database::open(folder.databasePath());
    const struct {
        double d;
        const char* awg;
    } wires[] = {{0.05, "38"}, {0.1, "38"}, {0.15, "32"}, {0.2, "32"}, {0.25, ""}};
    for (const auto& w : wires)
        EXPECT_EQ(data::GetAWGFromGroesse(*db, w.d), w.awg) << w.d;
}

} // namespace
} // namespace tolvik::core
