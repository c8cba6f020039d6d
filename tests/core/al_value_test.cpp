// Calculations of the Al value tab. Expected values are hand calculations with the program's
// constants µ0 = 1.256E-6 and π = 3.14:
//   µe(Al) = (le/1000 · Al/1E9) / (µ0 · Ae/1E6)
//   s(Al)  = le · (µi − µe) / ((µi − 1) · µe)                      [mm]
//   Al(s)  = µe · µ0 · (Ae/1E6) / (le/1000) · 1E9, 1/µe = 1/µi + (1 − 1/µi)·s/le  [nH]
//   µe(s)  = 1 / ((1 − s/le)/µi + s/le)
//   L      = N² · Al / 1E6 [mH];  Al = L / N² · 1E6 [nH];  µe(Al) = 10·Al·le / (4·3.14·Ae)
//   fringe flux: s = (Al/K1)^(1/K2), Al = K1 · s^K2
// Core A: Ae = 97 mm², le = 57.5 mm, µi = 2200. Core B: Ae = 52.5 mm², le = 67 mm, µi = 2000.
// K-factors of core A: K1 = 190, K2 = -0.69. The texts the tab reads and shows: the last tests.

#include "tolvik/core/al_value_display.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace tolvik::core;
using enum AlField;
using Change = AlFieldResult::Change;
using enum NoteColour;
using tolvik::Value;

struct Core {
    double ae, le, mui;
};
const Core kCoreA{97, 57.5, 2200};
const Core kCoreB{52.5, 67, 2000};
constexpr double kK1 = 190;
constexpr double kK2 = -0.69;

const AlMessage kOutOfRange{AlMessage::Kind::OutOfRange, "", ""};
const AlMessage kNoCoreKFactors{AlMessage::Kind::Information, "No k-factors available for this core!",
                                "Tolvik"};
const AlMessage kMaterialRefused{AlMessage::Kind::Information,
                                 "k-factor calculation only valid for R41, R52 or R63!", "Tolvik"};
const AlMessage kNoKFactorsGap{AlMessage::Kind::Information,
                               "No K-factors available for this core\nSelect E-core first",
                               "Air gap with fringe flux - E-cores"};

std::vector<AlMessage> OutOfRange(int count) {
    return std::vector<AlMessage>(static_cast<std::size_t>(count), kOutOfRange);
}

/// What a field is expected to undergo; a computed value within 1E-6 of the hand calculation.
const AlFieldResult kNone{Change::None, 0}, kCleared{Change::Cleared, 0};
const auto Computed = [](double x) { return AlFieldResult{Change::Computed, x}; };
const auto Replaced = [](double x) { return AlFieldResult{Change::Replaced, x}; };
constexpr double kMueA250 = 117.990347, kMueA100 = 47.1961389; // µe of core A at Al 250, 100 nH
void ExpectField(const AlValueResult& r, AlField f, AlFieldResult e, const std::string& what) {
    EXPECT_EQ(r[f].change, e.change) << what << ", field " << static_cast<int>(f);
    EXPECT_NEAR(r[f].value, e.value, std::fabs(e.value) * 1e-6) << what << ", field " << static_cast<int>(f);
}

class AlValueTest : public ::testing::Test {
protected:
    /// Input for a core with the K-factor fit of core A answered by the lookups.
    static AlValueRequest Input(const Core& core, const std::string& material = "R41") {
        AlValueRequest in;
        in.coreType = "E 42/21/15";
        in.material = material;
        in.ae_mm2 = core.ae;
        in.le_mm = core.le;
        in.mui = core.mui;
        in.k1 = kK1;
        in.k2 = kK2;
        in.typeKFactors = {kK1, kK2};
        return in;
    }
};

// K1 = 100, K2 = -0.5: Al = 100 / √s and s = (Al / 100)^-2. K1 = -50, K2 = 0.3.
TEST(KFactorFit, AlAndGap) {
    constexpr std::array<double, 2> e25{100, -0.5}, e16{-50, 0.3}, none{};
    const auto al = [](auto k, double s) { return tolvik::num::KFactorAl(k[0], k[1], s); };
    const auto gap = [](auto k, double al) { return tolvik::num::KFactorGap(k[0], k[1], al); };
    const std::tuple<const char*, Value, Value> cases[] = {
        {"100 · 0.25^-0.5", al(e25, 0.25), Value(200.0)},
        {"-50 · 0.25^0.3", al(e16, 0.25), Value(-50 * std::exp(0.3 * std::log(0.25)))},
        {"no air gap", al(e25, 0), Value()},
        {"no fit", al(none, 0.25), Value()},
        {"negative gap, fractional exponent", al(e16, -1), Value()},
        {"(200/100)^(1/-0.5)", gap(e25, 200), Value(0.25)},
        {"(200/-50)^(1/0.3) has no real value", gap(e16, 200), Value::integer(0)},
        {"0^(1/-0.5) is infinite", gap(e25, 0), Value::integer(0)},
        {"no fit", gap(none, 200), Value::integer(0)},
    };
    for (const auto& [what, v, expected] : cases) {
        ASSERT_EQ(v.kind(), expected.kind()) << what;
        EXPECT_NEAR(v.toDouble(), expected.toDouble(), 1e-9 * std::fabs(expected.toDouble())) << what;
    }
}

TEST_F(AlValueTest, AirGapAndAlEitherWay) {
    const struct {
        const char* source;
        Core core;
        bool alToGap;
        double input; // Al or s, as the option says
        AlFieldResult inputAfter;
        double result, mue; // s or Al
        int outOfRange;
    } cases[] = {
        {"A, 250 nH: µe = 117.990, s = 57.5·2082.01/(2199·117.990)", kCoreA, true, 250, kNone, 0.461401364,
         kMueA250, 0},
        {"B, 250 nH: µe = 254.019", kCoreB, true, 250, kNone, 0.230375188, 254.018805, 0},
        {"A, upper bound 30000 accepted: µe > µi, negative gap", kCoreA, true, 30000, kNone, -0.0220853358,
         14158.8417, 0},
        {"A, lower bound 0.001 accepted", kCoreA, true, 0.001, kNone, 121887.377, 0.000471961389, 0},
        {"A, 30000.5 replaced by 100", kCoreA, true, 30000.5, Replaced(100), 1.19272578, kMueA100, 1},
        {"A, 0.0009 replaced by 100", kCoreA, true, 0.0009, Replaced(100), 1.19272578, kMueA100, 1},
        {"A, 0 replaced by 100", kCoreA, true, 0, Replaced(100), 1.19272578, kMueA100, 1},
        {"A, s = 0: µe = µi, Al = 1.256E-6·2200·97/57.5·1E6", kCoreA, false, 0, kNone, 4661.39826, 2200, 0},
        {"A, s = 0.5", kCoreA, false, 0.5, kNone, 231.65981, 109.334486, 0},
        {"B, s = 1", kCoreB, false, 1, kNone, 63.8334947, 64.8596321, 0},
        {"A, upper bound 100 accepted", kCoreA, false, 100, kNone, 1.2185554, 0.575111101, 0},
        {"A, 100.5 replaced by 1", kCoreA, false, 100.5, Replaced(1), 118.781476, 56.0602703, 1},
        {"A, negative gap replaced by 1", kCoreA, false, -1, Replaced(1), 118.781476, 56.0602703, 1},
    };
    for (const auto& c : cases) {
        AlValueRequest in = Input(c.core);
        in.options.alToGap = c.alToGap;
        (c.alToGap ? in.al1_nH : in.s1_mm) = c.input;
        const AlValueResult r = CalculateAlValue(in);
        EXPECT_TRUE(r.calculated) << c.source;
        ExpectField(r, c.alToGap ? Al1 : S1, c.inputAfter, c.source);
        ExpectField(r, c.alToGap ? S1 : Al1, Computed(c.result), c.source);
        ExpectField(r, Mue1, Computed(c.mue), c.source);
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, NoInputClearsTheResultsAndCalculatesNothing) {
    // Every panel without its input: its result is cleared, µe left alone; panel 2 ends before
    // the turns. The values of the other side are not read.
    for (const bool forward : {true, false}) {
        AlValueRequest in = Input(kCoreA);
        in.options = AlTabOptions{forward, forward, forward};
        (forward ? in.s1_mm : in.al1_nH) = 9;
        (forward ? in.l_mH : in.al3_nH) = 9;
        (forward ? in.sFringe_mm : in.alFringe_nH) = 9;
        const AlValueResult r = CalculateAlValue(in);
        for (const AlField f : {Al1, S1, Mue1, Al3, L3, N3, Mue3, AlFringe, SFringe, MueFringe}) {
            const bool cleared =
                forward ? (f == S1 || f == L3 || f == SFringe) : (f == Al1 || f == Al3 || f == AlFringe);
            ExpectField(r, f, cleared ? kCleared : kNone, forward ? "forward" : "backward");
        }
        EXPECT_TRUE(r.messages.empty());
        EXPECT_EQ(r.notes, Unchanged);
    }
}

TEST_F(AlValueTest, InductanceAndAl) {
    const struct {
        const char* source;
        Core core;
        bool alToL;
        double input; // Al or L, as the option says
        std::optional<double> n;
        AlFieldResult inputAfter, nAfter;
        double result, mue; // L or Al
        int outOfRange;
    } cases[] = {
        {"A, L = 1 mH, N = 100: Al = 1/1E4·1E6 = 100", kCoreA, false, 1, 100, kNone, kNone, 100, kMueA100, 0},
        {"A, N empty is filled with 100", kCoreA, false, 1, std::nullopt, kNone, Replaced(100), 100, kMueA100,
         0},
        {"A, L = 1E-6 accepted, N = 1: Al = 1", kCoreA, false, 1E-6, 1, kNone, kNone, 1, 0.471961389, 0},
        {"A, L = 100000 accepted, N = 100: Al = 1E7", kCoreA, false, 100000, 100, kNone, kNone, 1E7,
         4719613.89, 0},
        {"A, L = 100001 replaced by 1", kCoreA, false, 100001, 100, Replaced(1), kNone, 100, kMueA100, 1},
        {"A, L = 0.0000009 replaced by 1", kCoreA, false, 9E-7, 100, Replaced(1), kNone, 100, kMueA100, 1},
        {"A, L = 1, N = 11: Al = 8264.46, µe from the Al as shown (8264): 3900.289, not 3900.507", kCoreA,
         false, 1, 11, kNone, kNone, 8264.46281, 3900.28892, 0},
        {"A, Al = 250, N = 100: L = 2.5", kCoreA, true, 250, 100, kNone, kNone, 2.5, kMueA250, 0},
        {"B, Al = 250, N = 20: L = 400·250/1E6 = 0.1", kCoreB, true, 250, 20, kNone, kNone, 0.1, 254.018805,
         0},
        {"A, N = 10000 accepted: L = 1E8·250/1E6", kCoreA, true, 250, 10000, kNone, kNone, 25000, kMueA250,
         0},
        {"A, N = 0.5 accepted: L = 0.25·250/1E6", kCoreA, true, 250, 0.5, kNone, kNone, 6.25E-5, kMueA250, 0},
        {"A, N = 10001 replaced by 100", kCoreA, true, 250, 10001, kNone, Replaced(100), 2.5, kMueA250, 1},
        {"A, N = 0.4 replaced by 100", kCoreA, true, 250, 0.4, kNone, Replaced(100), 2.5, kMueA250, 1},
        {"A, Al = 30000.5 and N = 0 both replaced: L = 1E4·100/1E6", kCoreA, true, 30000.5, 0, Replaced(100),
         Replaced(100), 1, kMueA100, 2},
    };
    for (const auto& c : cases) {
        AlValueRequest in = Input(c.core);
        in.options.alToL = c.alToL;
        (c.alToL ? in.al3_nH : in.l_mH) = c.input;
        in.turns = c.n;
        const AlValueResult r = CalculateAlValue(in);
        ExpectField(r, c.alToL ? Al3 : L3, c.inputAfter, c.source);
        ExpectField(r, c.alToL ? L3 : Al3, Computed(c.result), c.source);
        ExpectField(r, N3, c.nAfter, c.source);
        ExpectField(r, Mue3, Computed(c.mue), c.source);
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, FringeFlux) {
    const struct {
        const char* source;
        bool alToGap;
        double input;
        AlFieldResult s, al;
        double mue;
        NoteColour notes;
        int outOfRange;
    } cases[] = {
        {"Al = 250: s = (250/190)^(1/-0.69)", true, 250, Computed(0.671840338), kNone, kMueA250, LightGray,
         0},
        {"Al = 30: s = 14.514 > 3.5: message, red, the computed s shown again", true, 30,
         Computed(14.5139629), kNone, 14.1588417, Red, 1},
        {"Al = 1000: s = 0.0901 < 0.1: message, red", true, 1000, Computed(0.0900980442), kNone, 471.961389,
         Red, 1},
        {"s = 0.5: Al = 190·0.5^-0.69", false, 0.5, kNone, Computed(306.523869), 144.667431, LightGray, 0},
        {"s = 3.5 accepted", false, 3.5, kNone, Computed(80.0472931), 37.7792317, LightGray, 0},
        {"s = 0.1 accepted", false, 0.1, kNone, Computed(930.579757), 439.197715, LightGray, 0},
        {"s = 5 replaced by 1: Al = 190", false, 5, Replaced(1), Computed(190), 89.672664, LightGray, 1},
        {"s = 0.05 replaced by 1", false, 0.05, Replaced(1), Computed(190), 89.672664, LightGray, 1},
    };
    for (const auto& c : cases) {
        AlValueRequest in = Input(kCoreA);
        in.options.alToGapFringe = c.alToGap;
        (c.alToGap ? in.alFringe_nH : in.sFringe_mm) = c.input;
        const AlValueResult r = CalculateAlValue(in);
        EXPECT_TRUE(r.fringeFluxAccepted) << c.source;
        ExpectField(r, SFringe, c.s, c.source);
        ExpectField(r, AlFringe, c.al, c.source);
        ExpectField(r, MueFringe, Computed(c.mue), c.source);
        EXPECT_EQ(r.notes, c.notes) << c.source;
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, FringeFluxRefusedWhileTheOtherPanelsCalculate) {
    const struct {
        const char *source, *material;
        double k1, k2;
        AlMessage message;
    } cases[] = {
        {"material not in the list", "R42", kK1, kK2, kMaterialRefused},
        {"the name is compared exactly", "r41", kK1, kK2, kMaterialRefused},
        {"the name is compared exactly", "R41 ", kK1, kK2, kMaterialRefused},
        {"K1 = 0", "R41", 0, kK2, kNoCoreKFactors},
        {"K2 = 0", "R63", kK1, 0, kNoCoreKFactors},
        {"no K-factors wins over the material", "R42", 0, 0, kNoCoreKFactors},
    };
    for (const auto& c : cases) {
        for (bool alToGap : {true, false}) {
            AlValueRequest in = Input(kCoreA, c.material);
            in.k1 = c.k1;
            in.k2 = c.k2;
            in.options.alToGapFringe = alToGap;
            in.al1_nH = 30000.5; // panel 1: out of range first
            in.alFringe_nH = 250;
            in.sFringe_mm = 1;
            in.al3_nH = 250;
            in.turns = 0; // panel 2: out of range last
            const AlValueResult r = CalculateAlValue(in);
            EXPECT_FALSE(r.fringeFluxAccepted) << c.source;
            EXPECT_EQ(r.notes, Red) << c.source;
            for (const AlField f : {AlFringe, SFringe, MueFringe})
                ExpectField(r, f, kNone, c.source);
            EXPECT_EQ(r.messages, (std::vector<AlMessage>{kOutOfRange, c.message, kOutOfRange})) << c.source;
            ExpectField(r, Al1, Replaced(100), c.source);
            ExpectField(r, Mue1, Computed(kMueA100), c.source);
            ExpectField(r, L3, Computed(2.5), c.source);
        }
    }
}

TEST_F(AlValueTest, KFactorsMissingForTheCoreTypeClearTheFringeFluxFields) {
    // The core record has K-factors but the first record of the core type has none: the
    // gap routine reports it and the fields are cleared; the gap then reads 0, outside the
    // fit's range, and the second calculation finds no Al to start from.
    AlValueRequest in = Input(kCoreA);
    in.typeKFactors = {};
    in.alFringe_nH = 250;
    const AlValueResult r = CalculateAlValue(in);
    EXPECT_EQ(r.messages, (std::vector<AlMessage>{kNoKFactorsGap, kOutOfRange}));
    ExpectField(r, AlFringe, kCleared, "Al");
    ExpectField(r, MueFringe, kCleared, "µe");
    ExpectField(r, SFringe, Replaced(100), "s");
    EXPECT_EQ(r.notes, Red);
}

TEST_F(AlValueTest, NothingWithoutCoreTypeOrMaterial) {
    for (const auto& [core, material] : {std::pair{"", "R41"}, std::pair{"E 42/21/15", ""}}) {
        AlValueRequest in = Input(kCoreA);
        in.coreType = core;
        in.material = material;
        in.al1_nH = 30000.5;
        in.al3_nH = 250;
        const AlValueResult r = CalculateAlValue(in);
        EXPECT_FALSE(r.calculated);
        EXPECT_EQ(r.fields, AlValueResult{}.fields);
        EXPECT_TRUE(r.messages.empty());
    }
}

TEST_F(AlValueTest, DegenerateDataGiveNoNumberAndNeverMuiAsMue) {
    // Zero and huge dimensions make every guarded division trip. No core data or no µi: no
    // air gap, and never µi shown as µe (panel 1, both ways).
    const Core cores[] = {{0, 0, 2200}, {97, 57.5, 0}, {1e308, 1e308, 2200}, {1e-320, 1e-320, 2200}};
    for (const Core& core : cores) {
        for (bool option : {true, false}) {
            AlValueRequest in = Input(core);
            in.options = AlTabOptions{option, option, option};
            in.al1_nH = in.al3_nH = in.alFringe_nH = 250;
            in.s1_mm = in.sFringe_mm = 0.5;
            in.l_mH = 1;
            in.turns = 1e300;
            const AlValueResult r = CalculateAlValue(in);
            for (const AlFieldResult& f : r.fields)
                EXPECT_TRUE(std::isfinite(f.value)) << core.ae << " " << option;
            if (core.ae != 0 && core.mui != 0) continue;
            ExpectField(r, option ? S1 : Al1, kCleared, "no core data or no µi");
            ExpectField(r, Mue1, kCleared, "no core data or no µi");
        }
    }
}

TEST(AlValueTexts, TheInputsAsTyped) {
    // "", "." and "0." are no input, "," only for the fringe-flux Al; only empty turns are
    // no input ("." reads 0, out of range).
    struct {
        const char* text;
        bool comma, empty;
    } const cases[] = {{"", false, true},     {".", false, true},   {"0.", false, true},
                       {",", true, true},     {",", false, false},  {"0", false, false},
                       {"0.0", false, false}, {"0,", false, false}, {" ", false, false}};
    for (const auto& c : cases)
        EXPECT_EQ(!ReadAlInput(c.text, c.comma), c.empty) << '"' << c.text << '"' << c.comma;
    AlValueRequest in;
    ReadAlInputs(AlFieldTexts{{",", "250,5", "9", ".", "0.", ".", "9", ",", "", "9"}}, in);
    EXPECT_EQ(std::tuple(in.al1_nH, in.s1_mm, in.al3_nH, in.l_mH, in.turns, in.alFringe_nH, in.sFringe_mm),
              std::tuple(0.0, 250.5, std::nullopt, std::nullopt, 0.0, std::nullopt, std::nullopt));
    ReadAlInputs(AlFieldTexts{{"1", "2", "", "3", "4", "", "", "5", "6", ""}}, in);
    EXPECT_EQ(std::tuple(in.al1_nH, in.s1_mm, in.al3_nH, in.l_mH, in.turns, in.alFringe_nH, in.sFringe_mm),
              std::tuple(1.0, 2.0, 3.0, 4.0, std::nullopt, 5.0, 6.0));
}

TEST(AlValueTexts, TheFieldsAsShown) {
    tolvik::text::SetDecimalSeparator('.');
    const struct {
        AlField field;
        AlFieldResult r;
        const char* shown;
    } cases[] = {
        {S1, Computed(0.461401364), ".461"}, // gaps: three significant digits
        {SFringe, Computed(14.5139629), "14.5"},
        {Al1, Computed(4661.39826), "4661.4"},
        {AlFringe, Computed(80.0472931), "80."},
        {Mue1, Computed(kMueA250), "118"},
        {MueFringe, Computed(0.000471961389), ""},
        {Mue3, Computed(4719613.89), "4719614"},
        {Al3, Computed(8264.46281), "8264"},
        {L3, Computed(25000), "25000."},
        {L3, Computed(0.1234), ".123"},
        {L3, Computed(6.25E-5), "."},
        {L3, Replaced(1), "1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowAlField(c.field, c.r), c.shown) << c.shown;
    EXPECT_EQ(AlFieldAsShown(S1, Computed(0.461401364)), 0.461); // a later step reads the gap as shown
    AlValueResult r;
    r.fields = {kNone, Computed(0.461401364), kCleared};
    const AlFieldTexts typed{{"250,0", "9", "9", "x", "", "", "", "", "", ""}};
    EXPECT_EQ(ShowAlResult(typed, r), (AlFieldTexts{{"250,0", ".461", "", "x", "", "", "", "", "", ""}}));
}

} // namespace
