// Calculations of the Al value tab. Expected values are hand calculations with the program's
// constants µ0 = 1.256E-6 and π = 3.14:
//   µe(Al) = (le/1000 · Al/1E9) / (µ0 · Ae/1E6)
//   s(Al)  = le · (µi − µe) / ((µi − 1) · µe)                      [mm]
//   Al(s)  = µe · µ0 · (Ae/1E6) / (le/1000) · 1E9, 1/µe = 1/µi + (1 − 1/µi)·s/le  [nH]
//   µe(s)  = 1 / ((1 − s/le)/µi + s/le)
//   L      = N² · Al / 1E6 [mH];  Al = L / N² · 1E6 [nH];  µe(Al) = 10·Al·le / (4·3.14·Ae)
//   fringe flux: s = (Al/K1)^(1/K2), Al = K1 · s^K2
// Core A: Ae = 97 mm², le = 57.5 mm, µi = 2200. Core B: Ae = 52.5 mm², le = 67 mm, µi = 2000.
// K-factors of core A: K1 = 190, K2 = -0.69.

#include "tolvik/core/al_value.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using tolvik::Value;
using tolvik::core::AlMessage;
using tolvik::core::AlTabFields;
using tolvik::core::AlTabOptions;
using tolvik::core::NoteColour;
using tolvik::core::ReadField;

/// The fields' texts with the rest of a request, read, calculated and shown as the tab does.
struct AlTabInput : tolvik::core::AlValueRequest {
    AlTabFields fields;
};
struct AlTabResult {
    AlTabFields fields;
    std::vector<AlMessage> messages;
    NoteColour notes;
    bool calculated, fringeFluxAccepted;
};
AlTabResult CalculateAlTab(AlTabInput in) {
    ReadAlInputs(in.fields, in);
    const tolvik::core::AlValueResult r = CalculateAlValue(in);
    return {ShowAlResult(in.fields, r), r.messages, r.notes, r.calculated, r.fringeFluxAccepted};
}

struct Core {
    const char *ae, *le;
    double mui;
};
const Core kCoreA{"97", "57.5", 2200};
const Core kCoreB{"52.5", "67", 2000};
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

class AlValueTest : public ::testing::Test {
protected:
    void SetUp() override { tolvik::text::SetDecimalSeparator('.'); }

    /// Input for a core with the K-factor fit of core A answered by the lookups.
    static AlTabInput Input(const Core& core, const std::string& material = "R41") {
        AlTabInput in;
        in.coreType = "E 42/21/15";
        in.material = material;
        in.ae_mm2 = ReadField(core.ae);
        in.le_mm = ReadField(core.le);
        in.mui = core.mui;
        in.k1 = kK1;
        in.k2 = kK2;
        in.kFactorAl = [](double s) { return s == 0 ? Value::empty() : Value(kK1 * std::pow(s, kK2)); };
        in.kFactorGap = [](double al) {
            return tolvik::data::KFactorGapResult{Value(std::pow(al / kK1, 1 / kK2)), false};
        };
        return in;
    }
};

// Gaps are shown with three significant digits: half a unit of the third digit at most.
void ExpectNear(const std::string& text, double expected, const std::string& what) {
    EXPECT_NEAR(ReadField(text), expected, std::fabs(expected) * 5e-3 + 1e-12)
        << what << ": \"" << text << "\"";
}

TEST_F(AlValueTest, AirGapFromAl) {
    const struct {
        const char* source;
        Core core;
        const char* al;      // typed Al
        const char* alAfter; // Al after the range check
        double s;            // hand-calculated s [mm]
        const char* mue;
        int outOfRange;
    } cases[] = {
        {"A, 250 nH: µe = 117.990, s = 57.5·2082.01/(2199·117.990)", kCoreA, "250", "250", 0.46140136425648,
         "118", 0},
        {"B, 250 nH with a comma: µe = 254.019", kCoreB, "250,0", "250,0", 0.230375187593797, "254", 0},
        {"A, upper bound 30000 accepted: µe = 14158.8 > µi, negative gap", kCoreA, "30000", "30000",
         -0.0220853357586782, "14159", 0},
        {"A, lower bound 0.001 accepted: µe = 0.00047 shows empty", kCoreA, "0.001", "0.001",
         121887.377216917, "", 0},
        {"A, 30000.5 replaced by 100", kCoreA, "30000.5", "100", 1.19272578444748, "47", 1},
        {"A, 0.0009 replaced by 100", kCoreA, "0.0009", "100", 1.19272578444748, "47", 1},
        {"A, 0 is not empty: replaced by 100", kCoreA, "0", "100", 1.19272578444748, "47", 1},
    };
    for (const auto& c : cases) {
        AlTabInput in = Input(c.core);
        in.fields.t4Al1 = c.al;
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_TRUE(r.calculated) << c.source;
        EXPECT_EQ(r.fields.t4Al1, c.alAfter) << c.source;
        ExpectNear(r.fields.t4s1, c.s, c.source);
        EXPECT_EQ(r.fields.t4mue1, c.mue) << c.source;
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, AlFromAirGap) {
    const struct {
        const char* source;
        Core core;
        const char *s, *sAfter, *al, *mue;
        int outOfRange;
    } cases[] = {
        {"A, s = 0: µe = µi, Al = 1.256E-6·2200·97/57.5·1E6 = 4661.398", kCoreA, "0", "0", "4661.4", "2200",
         0},
        {"A, s = 0.5: µe = 109.334, Al = 231.660", kCoreA, "0.5", "0.5", "231.7", "109", 0},
        {"B, s = 1: µe = 64.860, Al = 63.833", kCoreB, "1", "1", "63.8", "65", 0},
        {"A, upper bound 100 accepted: Al = 1.219, µe = 0.575", kCoreA, "100", "100", "1.2", "1", 0},
        {"A, 100.5 replaced by 1: Al = 118.781, µe = 56.06", kCoreA, "100.5", "1", "118.8", "56", 1},
        {"A, negative gap replaced by 1", kCoreA, "-1", "1", "118.8", "56", 1},
    };
    for (const auto& c : cases) {
        AlTabInput in = Input(c.core);
        in.options.alToGap = false;
        in.fields.t4s1 = c.s;
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_EQ(r.fields.t4s1, c.sAfter) << c.source;
        EXPECT_EQ(r.fields.t4Al1, c.al) << c.source;
        EXPECT_EQ(r.fields.t4mue1, c.mue) << c.source;
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, EmptyInputsClearTheResultsAndCalculateNothing) {
    // Every panel's input is empty: its result is cleared, µe left alone; panel 2 ends before
    // the turns.
    for (const std::string e : {"", ".", "0."}) {
        for (const bool forward : {true, false}) {
            AlTabInput in = Input(kCoreA);
            in.options = AlTabOptions{forward, forward, forward};
            in.fields = forward ? AlTabFields{e, "9", "9", e, "9", "", "9", e, "9", "9"}
                                : AlTabFields{"9", e, "9", "9", e, "", "9", "9", e, "9"};
            const AlTabResult r = CalculateAlTab(in);
            const AlTabFields cleared = forward ? AlTabFields{e, "", "9", e, "", "", "9", e, "", "9"}
                                                : AlTabFields{"", e, "9", "", e, "", "9", "", e, "9"};
            EXPECT_EQ(r.fields, cleared) << '"' << e << '"' << forward;
            EXPECT_TRUE(r.messages.empty()) << e;
            EXPECT_EQ(r.notes, NoteColour::Unchanged) << e;
        }
    }
}

TEST_F(AlValueTest, CommaCountsAsEmptyOnlyForTheFringeFluxAl) {
    AlTabInput in = Input(kCoreA);
    in.fields.tAlFringeFlux = ",";
    in.fields.tsFringeFlux = "9";
    in.fields.t4Al1 = ","; // reads as 0: out of range, replaced
    const AlTabResult r = CalculateAlTab(in);
    EXPECT_EQ(r.fields.tsFringeFlux, "");
    EXPECT_EQ(r.fields.t4Al1, "100");
    EXPECT_EQ(r.messages, std::vector<AlMessage>{kOutOfRange});
}

TEST_F(AlValueTest, InductanceAndAl) {
    const struct {
        const char* source;
        Core core;
        bool alToL;
        const char *al, *l, *n, *alAfter, *lAfter, *nAfter, *mue;
        int outOfRange;
    } cases[] = {
        {"A, L = 1 mH, N = 100: Al = 1/1E4·1E6 = 100, µe = 10·100·57.5/(12.56·97) = 47.196", kCoreA, false,
         "", "1", "100", "100", "1", "100", "47", 0},
        {"A, N empty is filled with 100", kCoreA, false, "", "1", "", "100", "1", "100", "47", 0},
        {"A, L = 1E-6 accepted, N = 1: Al = 1, µe = 0.47 shows empty", kCoreA, false, "", "0.000001", "1",
         "1", "0.000001", "1", "", 0},
        {"A, L = 100000 accepted, N = 100: Al = 1E5/1E4·1E6 = 1E7, µe = 4719613.9", kCoreA, false, "",
         "100000", "100", "10000000", "100000", "100", "4719614", 0},
        {"A, L = 100001 replaced by 1", kCoreA, false, "", "100001", "100", "100", "1", "100", "47", 1},
        {"A, L = 0.0000009 replaced by 1", kCoreA, false, "", "0.0000009", "100", "100", "1", "100", "47", 1},
        {"A, L = 1, N = 11: Al = 8264.46 shown 8264, µe from the shown Al = 3900.29 (not 3900.51)", kCoreA,
         false, "", "1", "11", "8264", "1", "11", "3900", 0},
        {"A, Al = 250, N = 100: L = 2.5, µe = 117.99", kCoreA, true, "250", "", "100", "250", "2.5", "100",
         "118", 0},
        {"B, Al = 250, N = 20: L = 400·250/1E6 = 0.1, µe = 254.02", kCoreB, true, "250", "", "20", "250",
         ".1", "20", "254", 0},
        {"A, N = 10000 accepted: L = 1E8·250/1E6 = 25000", kCoreA, true, "250", "", "10000", "250", "25000.",
         "10000", "118", 0},
        {"A, N = 0.5 accepted: L = 0.25·250/1E6 = 0.0000625 shows .", kCoreA, true, "250", "", "0.5", "250",
         ".", "0.5", "118", 0},
        {"A, N = 10001 replaced by 100", kCoreA, true, "250", "", "10001", "250", "2.5", "100", "118", 1},
        {"A, N = 0.4 replaced by 100", kCoreA, true, "250", "", "0.4", "250", "2.5", "100", "118", 1},
        {"A, Al = 30000.5 and N = 0 both replaced: L = 1E4·100/1E6 = 1", kCoreA, true, "30000.5", "", "0",
         "100", "1.", "100", "47", 2},
    };
    for (const auto& c : cases) {
        AlTabInput in = Input(c.core);
        in.options.alToL = c.alToL;
        in.fields.t4Al3 = c.al;
        in.fields.t4L1 = c.l;
        in.fields.t4N1 = c.n;
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_EQ(r.fields.t4Al3, c.alAfter) << c.source;
        EXPECT_EQ(r.fields.t4L1, c.lAfter) << c.source;
        EXPECT_EQ(r.fields.t4N1, c.nAfter) << c.source;
        EXPECT_EQ(r.fields.t4mue3, c.mue) << c.source;
        EXPECT_EQ(r.messages, OutOfRange(c.outOfRange)) << c.source;
    }
}

TEST_F(AlValueTest, FringeFlux) {
    const struct {
        const char* source;
        bool alToGap;
        const char* input;
        const char* sAfter; // nullptr: compare the number `s`
        double s;
        const char* al; // nullptr: not checked
        const char* mue;
        NoteColour notes;
        int outOfRange;
    } cases[] = {
        {"Al = 250: s = (250/190)^(1/-0.69) = 0.67184, µe = 117.99", true, "250", nullptr, 0.671840337974703,
         "250", "118", NoteColour::LightGray, 0},
        {"Al = 30: s = 14.514 > 3.5: message, red, the computed s shown again", true, "30", nullptr,
         14.5139629137847, "30", "14", NoteColour::Red, 1},
        {"Al = 1000: s = 0.0901 < 0.1: message, red, µe = 471.96", true, "1000", nullptr, 0.0900980442103632,
         "1000", "472", NoteColour::Red, 1},
        {"s = 0.5: Al = 190·0.5^-0.69 = 306.524, µe = 144.67", false, "0.5", "0.5", 0.5, "306.5", "145",
         NoteColour::LightGray, 0},
        {"s = 3.5 accepted: Al = 190·3.5^-0.69 = 80.05, µe = 37.78", false, "3.5", "3.5", 3.5, "80.", "38",
         NoteColour::LightGray, 0},
        {"s = 0.1 accepted: Al = 190·0.1^-0.69 = 930.58, µe = 439.20", false, "0.1", "0.1", 0.1, "930.6",
         "439", NoteColour::LightGray, 0},
        {"s = 5 replaced by 1: Al = 190", false, "5", "1", 1, "190.", "90", NoteColour::LightGray, 1},
        {"s = 0.05 replaced by 1", false, "0.05", "1", 1, "190.", "90", NoteColour::LightGray, 1},
    };
    for (const auto& c : cases) {
        AlTabInput in = Input(kCoreA);
        in.options.alToGapFringe = c.alToGap;
        (c.alToGap ? in.fields.tAlFringeFlux : in.fields.tsFringeFlux) = c.input;
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_TRUE(r.fringeFluxAccepted) << c.source;
        if (c.sAfter)
            EXPECT_EQ(r.fields.tsFringeFlux, c.sAfter) << c.source;
        else
            ExpectNear(r.fields.tsFringeFlux, c.s, c.source);
        EXPECT_EQ(r.fields.tAlFringeFlux, c.al) << c.source;
        EXPECT_EQ(r.fields.tmueFringeFlux, c.mue) << c.source;
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
            AlTabInput in = Input(kCoreA, c.material);
            in.k1 = c.k1;
            in.k2 = c.k2;
            in.options.alToGapFringe = alToGap;
            in.fields.t4Al1 = "30000.5"; // panel 1: out of range first
            in.fields.tAlFringeFlux = "250";
            in.fields.tsFringeFlux = "1";
            in.fields.t4Al3 = "250";
            in.fields.t4N1 = "0"; // panel 2: out of range last
            const AlTabResult r = CalculateAlTab(in);
            EXPECT_FALSE(r.fringeFluxAccepted) << c.source;
            EXPECT_EQ(r.notes, NoteColour::Red) << c.source;
            EXPECT_EQ(r.fields.tAlFringeFlux, "250") << c.source;
            EXPECT_EQ(r.fields.tsFringeFlux, "1") << c.source;
            EXPECT_EQ(r.fields.tmueFringeFlux, "") << c.source;
            EXPECT_EQ(r.messages, (std::vector<AlMessage>{kOutOfRange, c.message, kOutOfRange})) << c.source;
            EXPECT_EQ(r.fields.t4Al1, "100") << c.source;
            EXPECT_EQ(r.fields.t4mue1, "47") << c.source;
            EXPECT_EQ(r.fields.t4L1, "2.5") << c.source;
        }
    }
}

TEST_F(AlValueTest, KFactorsMissingForTheCoreTypeClearTheFringeFluxFields) {
    // The core record has K-factors but the first record of the core type has none: the
    // gap routine reports it and the fields are cleared; the gap then reads 0, outside the
    // fit's range, and the second calculation finds no Al to start from.
    AlTabInput in = Input(kCoreA);
    in.kFactorGap = [](double) { return tolvik::data::KFactorGapResult{Value::integer(0), true}; };
    in.fields.tAlFringeFlux = "250";
    in.fields.tmueFringeFlux = "7";
    const AlTabResult r = CalculateAlTab(in);
    EXPECT_EQ(r.messages, (std::vector<AlMessage>{kNoKFactorsGap, kOutOfRange}));
    EXPECT_EQ(r.fields.tAlFringeFlux, "");
    EXPECT_EQ(r.fields.tmueFringeFlux, "");
    EXPECT_EQ(r.fields.tsFringeFlux, "100");
    EXPECT_EQ(r.notes, NoteColour::Red);
}

TEST_F(AlValueTest, NothingWithoutCoreTypeOrMaterial) {
    for (const auto& [core, material] : {std::pair{"", "R41"}, std::pair{"E 42/21/15", ""}}) {
        AlTabInput in = Input(kCoreA);
        in.coreType = core;
        in.material = material;
        in.fields.t4Al1 = "30000.5";
        in.fields.t4Al3 = "250";
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_FALSE(r.calculated);
        EXPECT_EQ(r.fields, in.fields);
        EXPECT_TRUE(r.messages.empty());
    }
}

TEST_F(AlValueTest, NoNonFiniteNumberReachesAField) {
    // Zero and huge dimensions make every guarded division trip.
    for (const char* dim : {"0", "", "1e308", "1e-320"}) {
        for (bool option : {true, false}) {
            AlTabInput in = Input(kCoreA);
            in.ae_mm2 = ReadField(dim);
            in.le_mm = ReadField(dim);
            in.options = AlTabOptions{option, option, option};
            in.fields = {"250", "0.5", "", "250", "1", "1e300", "", "250", "0.5", ""};
            const AlTabResult r = CalculateAlTab(in);
            for (const std::string& t :
                 {r.fields.t4Al1, r.fields.t4s1, r.fields.t4mue1, r.fields.t4Al3, r.fields.t4L1,
                  r.fields.t4mue3, r.fields.tAlFringeFlux, r.fields.tsFringeFlux, r.fields.tmueFringeFlux}) {
                EXPECT_EQ(t.find("nan"), std::string::npos) << dim << " " << t;
                EXPECT_EQ(t.find("inf"), std::string::npos) << dim << " " << t;
            }
        }
    }
}

TEST_F(AlValueTest, WhatCannotBeCalculatedStaysEmpty) {
    // No µi or no core data: no air gap, and never µi shown as µe (panel 1, both ways).
    const struct {
        Core core;
        bool alToGap;
        const char* source;
    } cases[] = {
        {{"", "", 2200}, true, "core data empty, Al 100"},
        {{"0", "0", 2200}, true, "core data 0, Al 100"},
        {{"97", "57.5", 0}, true, "material without µi (was s = le)"},
        {{"", "", 2200}, false, "core data empty, s 0.5"},
        {{"97", "57.5", 0}, false, "material without µi, s 0.5"},
    };
    for (const auto& c : cases) {
        AlTabInput in = Input(c.core);
        in.options.alToGap = c.alToGap;
        in.fields.t4Al1 = c.alToGap ? "100" : "";
        in.fields.t4s1 = c.alToGap ? "" : "0.5";
        const AlTabResult r = CalculateAlTab(in);
        EXPECT_EQ(c.alToGap ? r.fields.t4s1 : r.fields.t4Al1, "") << c.source;
        EXPECT_EQ(r.fields.t4mue1, "") << c.source;
    }
}

TEST_F(AlValueTest, IsEmptyInput) {
    struct {
        const char* text;
        bool comma, empty;
    } const cases[] = {{"", false, true},     {".", false, true},   {"0.", false, true},
                       {",", true, true},     {",", false, false},  {"0", false, false},
                       {"0.0", false, false}, {"0,", false, false}, {" ", false, false}};
    for (const auto& c : cases)
        EXPECT_EQ(tolvik::core::IsEmptyInput(c.text, c.comma), c.empty) << '"' << c.text << '"' << c.comma;
}

} // namespace
