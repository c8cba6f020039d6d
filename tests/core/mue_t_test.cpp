// µe vs. T calculations against hand calculations on the fixture database
// (core_fixture_db.h). µe = 1 / ((1 − s/le)/µi + s/le).

#include "core_fixture_db.h"

#include "tolvik/core/mue_t_display.h"
#include "tolvik/data/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace tolvik::core {
namespace {

using std::nullopt;
using Kind = MueTCurveKind;

MueTInput Input(const std::string& material, std::optional<double> s, std::optional<double> le = 50,
                double t1 = 25, const std::string& core = "E 20") {
    return MueTInput{material, core, s, le, t1};
}

class MueTTest : public ::testing::Test {
protected:
    test::FixtureFolder folder;
    std::unique_ptr<data::Database> db = data::Database::open(folder.databasePath());
    MueTCurve Curve(const MueTInput& in, Kind kind) {
        const auto muiT1 = data::MuiAt(*db, in.material, in.t1_C);
        return MueTCurvePoints(in, kind, data::ReadMuiTRecords(*db, in.material), muiT1);
    }
};

TEST(RelativeChangePercent, Cases) {
    const struct {
        double mueT, mueT1, expected;
        const char* source;
    } cases[] = {
        // The ordinary values: the relative curve below.
        {100, 2000, 0.0, "-1900 % is below -1000 %: shown as 0"},
        {182, 2000, -998.9010989, "-998.9 % is kept"},
        {0, 2000, 0.0, "µe(T) = 0 has no relative change"},
        {1e-320, 2000, 0.0, "a result that overflows is not finite: 0"},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(RelativeChangePercent(c.mueT, c.mueT1), c.expected, 1e-6) << c.source;
}

TEST_F(MueTTest, PathLengthOfTheChosenVariant) {
    // E 20 and P 14 with hole: the window shows them; X 99 has no record: no path length, not 0.
    EXPECT_EQ(CorePathLength(data::GetCoreValue(*db, {"P 14", false, false}, 2)).toText(), "21");
    EXPECT_TRUE(CorePathLength(data::GetCoreValue(*db, {"X 99", false, false}, 2)).isEmpty());
}

TEST_F(MueTTest, Curves) {
    const double temps[] = {-40, 0, 25, 50, 100, 150};
    const struct {
        MueTInput in;
        Kind kind;
        const char* legend;
        int rowCount;
        std::vector<double> y;
        const char* source;
    } cases[] = {
        {Input("M1", 0.5),
         Kind::Absolute,
         "µe E 20M1 s=0.5[mm]",
         6,
         {1 / 0.01099, 1 / 0.01066, 1 / 0.010495, 1 / 0.010396},
         "s/le = 0.01: µe = 1/(0.99/µi + 0.01); the last usable record (100 °C) is left out"},
        {Input("M2", 0.0), Kind::Absolute, "µe E 20M2 s=0[mm]", 5, {4000, 4500, 5000}, "s = 0: µe = µi"},
        {Input("M2", nullopt), Kind::Absolute, "µe E 20M2 s=0[mm]", 5, {4000, 4500, 5000}, "empty s: µi"},
        {Input("M6", 0.5), Kind::Absolute, "µe E 20M6 s=0.5[mm]", 1, {}, "column starting with 0: no points"},
        {Input("M4", 0.0),
         Kind::Relative,
         "dmue[%] E 20M4 s=0[mm]",
         7,
         {0.0, -100.0 / 3, 0.0, 20.0, 100.0 / 3},
         "through 0 at T1 = 25; -1900 % at -40 °C shown as 0"},
    };
    for (const auto& c : cases) {
        const MueTCurve curve = Curve(c.in, c.kind);
        ASSERT_TRUE(curve.valid) << c.source;
        EXPECT_EQ(MueTLegend(c.in, c.kind), c.legend) << c.source;
        EXPECT_EQ(curve.rowCount, c.rowCount) << c.source;
        ASSERT_EQ(curve.points.size(), c.y.size()) << c.source;
        for (size_t i = 0; i < c.y.size(); ++i) {
            EXPECT_EQ(curve.points[i].index, static_cast<int>(i) + 1) << c.source;
            EXPECT_DOUBLE_EQ(curve.points[i].t_C, temps[i]) << c.source;
            EXPECT_NEAR(curve.points[i].y, c.y[i], 1e-9) << c.source << ", point " << i + 1;
        }
    }
}

TEST_F(MueTTest, NoCurveWithoutSelectionOrData) {
    const MueTCurve noCore = Curve(Input("M1", 0.5, 50, 25, ""), Kind::Absolute);
    EXPECT_TRUE(!noCore.valid && noCore.message.empty());
    EXPECT_FALSE(Curve(Input("", 0.5), Kind::Relative).valid);

    const MueTCurve noColumn = Curve(Input("M3", 0.5), Kind::Absolute);
    EXPECT_TRUE(!noColumn.valid && noColumn.points.empty() && noColumn.message == NoMuiDataMessage("M3"));

    // A calculation that cannot be made draws nothing, never µi in place of µe.
    const struct {
        MueTInput in;
        Kind kind;
        const char* source;
    } refused[] = {
        {Input("M2", 0.5, nullopt), Kind::Absolute, "a gap in a core without le"},
        {Input("M2", 0.5, 0.0), Kind::Absolute, "a gap in a core with le 0"},
        {Input("M4", 0.0, 50, 300), Kind::Relative, "µe(T1) does not exist: T1 outside the table"},
        {Input("M1", -1.0), Kind::Absolute, "negative gap"},
        {Input("M1", 100.5), Kind::Absolute, "gap above 100 mm"},
    };
    for (const auto& c : refused)
        EXPECT_FALSE(Curve(c.in, c.kind).valid) << c.source;
}

TEST_F(MueTTest, PointReaders) {
    enum Reader { At, Relative };
    const double gapped = (1 / 0.010396 - 1 / 0.010495) * 0.010396 * 100;
    const struct {
        Reader reader;
        MueTInput in;
        std::optional<double> t;
        bool valid;
        double expected;
        const char* source;
    } cases[] = {
        {At, Input("M1", 0.1, 20, 25, "P 14"), 25, true, 1 / 0.0054975, "µi 2000, s/le 0.005"},
        {At, Input("M1", 0.5), 200, false, 0, "outside the table: no µi, no µe"},
        {At, Input("M1", 0.5, 0.0), 25, false, 0, "le 0 with a gap: no µe (not µi)"},
        {At, Input("M1", -1.0), 25, false, 0, "negative gap"},
        {At, Input("M1", -0.0201), 25, false, 0, "negative gap near -s/(µi-1)"},
        {At, Input("M1", 0.0, 0.0), 25, true, 2000, "no gap: µe = µi whatever le"},
        {Relative, Input("M4", 0.0), 25, true, 0.0, "at T1 itself"},
        {Relative, Input("M4", 0.0), 200, false, 0, "no µe(T) outside the table"},
        {Relative, Input("M4", 0.0, 50, 300), 25, false, 0, "no µe(T1) outside the table"},
        {Relative, Input("M1", 0.5), 50, true, gapped, "gapped"},
        {At, Input("M1", 0.5), nullopt, false, 0, "no T"},
        {At, Input("M1", nullopt), 25, false, 0, "no s"},
        {At, Input("M1", 0.5, nullopt), 25, false, 0, "no le"},
        {At, Input("", 0.5), 25, false, 0, "no material"},
        {At, Input("M3", 0.5), 25, false, 0, "no MuiT column"},
        {Relative, Input("M1", 0.5), nullopt, false, 0, "no T"},
    };
    for (const auto& c : cases) { // µi is read at t also where t is missing: the reader still refuses
        const auto muiT = data::MuiAt(*db, c.in.material, c.t.value_or(25));
        const MueTReading r =
            c.reader == At ? MueAtTemperature(c.in, c.t, muiT)
                           : RelativeChangeAt(c.in, c.t, data::MuiAt(*db, c.in.material, c.in.t1_C), muiT);
        ASSERT_EQ(r.valid, c.valid) << c.source;
        if (c.valid) {
            EXPECT_NEAR(r.value, c.expected, 1e-9) << c.source;
        }
    }
}

} // namespace
} // namespace tolvik::core
