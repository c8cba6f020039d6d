// µe vs. T calculations against hand calculations on the fixture database
// (core_fixture_db.h). µe = 1 / ((1 − s/le)/µi + s/le).

#include "core_fixture_db.h"

#include "tolvik/core/mue_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace tolvik::core {
namespace {

class MueTTest : public ::testing::Test {
protected:
    void SetUp() override { db = data::Database::open(folder.databasePath()); }

    static MueTInput Input(const std::string& material, const std::string& core, std::optional<double> s,
                           std::optional<double> le, double t1 = 25) {
        MueTInput in;
        in.material = material;
        in.coreType = core;
        in.s_mm = s;
        in.le_mm = le;
        in.t1_C = t1;
        return in;
    }

    test::FixtureFolder folder;
    std::unique_ptr<data::Database> db;
};

TEST(RelativeChangePercent, Cases) {
    struct Case {
        double mueT, mueT1, expected;
        const char* source;
    };
    const Case cases[] = {
        {2500, 2000, 20.0, "(2500-2000)/2500*100"},
        {1500, 2000, -33.333333333, "(1500-2000)/1500*100"},
        {2000, 2000, 0.0, "equal values"},
        {100, 2000, 0.0, "-1900 % is below -1000 %: shown as 0"},
        {182, 2000, -998.9010989, "-998.9 % is kept"},
        {0, 2000, 0.0, "µe(T) = 0 has no relative change"},
        {1e-320, 2000, 0.0, "a result that overflows is not finite: 0"},
    };
    for (const Case& c : cases) {
        const double r = RelativeChangePercent(c.mueT, c.mueT1);
        EXPECT_TRUE(std::isfinite(r)) << c.source;
        EXPECT_NEAR(r, c.expected, 1e-6) << c.source;
    }
}

TEST_F(MueTTest, PathLengthOfTheChosenVariant) {
    EXPECT_EQ(PathLengthText(*db, {"E 20", false, false}), "50");
    EXPECT_EQ(PathLengthText(*db, {"P 14", false, true}), "20");
    EXPECT_EQ(PathLengthText(*db, {"P 14", false, false}), "21");
    EXPECT_EQ(PathLengthText(*db, {"X 99", false, false}), "0"); // no record: the integer 0
}

TEST_F(MueTTest, CurveLeavesTheLastUsableRecordOut) {
    const MueTCurve c = MueTCurvePoints(*db, Input("M1", "E 20", 0.5, 50), MueTCurveKind::Absolute);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.graphTitle, "effective permeability µe ");
    EXPECT_EQ(c.legend, "µe E 20M1 s=0.5[mm]");
    EXPECT_EQ(c.rowCount, 6); // five usable records before the 0 at 150 °C
    // s/le = 0.01: µe = 1 / (0.99/µi + 0.01); the record at 100 °C is not plotted.
    struct Expected {
        double t, mue;
    };
    const Expected expected[] = {
        {-40, 1 / 0.01099}, {0, 1 / 0.01066}, {25, 1 / 0.010495}, {50, 1 / 0.010396}};
    ASSERT_EQ(c.points.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(c.points[i].index, static_cast<int>(i) + 1);
        EXPECT_DOUBLE_EQ(c.points[i].t_C, expected[i].t);
        EXPECT_NEAR(c.points[i].y, expected[i].mue, expected[i].mue * 1e-12);
    }
}

TEST_F(MueTTest, CurveWithoutGapIsTheMaterialsMui) {
    for (std::optional<double> s : {std::optional<double>(0.0), std::optional<double>()}) {
        const MueTCurve c = MueTCurvePoints(*db, Input("M2", "E 20", s, 50), MueTCurveKind::Absolute);
        ASSERT_EQ(c.points.size(), 3u);
        EXPECT_EQ(c.legend, "µe E 20M2 s=0[mm]");
        EXPECT_DOUBLE_EQ(c.points[0].y, 4000);
        EXPECT_DOUBLE_EQ(c.points[2].y, 5000);
    }
    // An empty le also leaves µi unchanged.
    const MueTCurve c = MueTCurvePoints(*db, Input("M2", "E 20", 0.5, std::nullopt), MueTCurveKind::Absolute);
    ASSERT_EQ(c.points.size(), 3u);
    EXPECT_DOUBLE_EQ(c.points[1].y, 4500);
}

TEST_F(MueTTest, ColumnStartingWithZeroGivesNoPoints) {
    const MueTCurve c = MueTCurvePoints(*db, Input("M6", "E 20", 0.5, 50), MueTCurveKind::Absolute);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.rowCount, 1);
    EXPECT_TRUE(c.points.empty());
}

TEST_F(MueTTest, RelativeCurvePassesZeroAtT1AndCutsBelowMinus1000) {
    const MueTCurve c = MueTCurvePoints(*db, Input("M4", "E 20", 0.0, 50, 25), MueTCurveKind::Relative);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.graphTitle, "(µe-µe(T1))/µe vs. T");
    EXPECT_EQ(c.legend, "dmue[%] E 20M4 s=0[mm]");
    EXPECT_EQ(c.rowCount, 7);
    const double expected[] = {0.0, -100.0 / 3, 0.0, 20.0, 100.0 / 3}; // -1900 % at -40 °C shown as 0
    ASSERT_EQ(c.points.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(c.points[i].y, expected[i], 1e-9) << "point " << i + 1;
}

TEST_F(MueTTest, NoCurveWithoutSelectionOrData) {
    const MueTCurve noCore = MueTCurvePoints(*db, Input("M1", "", 0.5, 50), MueTCurveKind::Absolute);
    EXPECT_FALSE(noCore.valid);
    EXPECT_TRUE(noCore.message.empty());
    EXPECT_EQ(noCore.graphTitle, "effective permeability µe ");
    EXPECT_FALSE(MueTCurvePoints(*db, Input("", "E 20", 0.5, 50), MueTCurveKind::Relative).valid);

    const MueTCurve noColumn = MueTCurvePoints(*db, Input("M3", "E 20", 0.5, 50), MueTCurveKind::Absolute);
    EXPECT_FALSE(noColumn.valid);
    EXPECT_EQ(noColumn.message, NoMuiDataMessage("M3"));
    EXPECT_TRUE(noColumn.points.empty());
}

TEST_F(MueTTest, PointReaderAgainstHandCalculation) {
    struct Case {
        MueTInput in;
        double t, expected;
        const char* source;
    };
    const Case cases[] = {
        {Input("M1", "E 20", 0.5, 50), 25, 1 / 0.010495, "µi 2000, s/le 0.01"},
        {Input("M1", "E 20", 0.5, 50), 37.5, 1 / 0.01044, "µi interpolated 2250"},
        {Input("M1", "P 14", 0.1, 20), 25, 1 / 0.0054975, "µi 2000, s/le 0.005"},
        {Input("M1", "E 20", 0.5, 50), 200, 0.0, "outside the table: µi 0 gives µe 0"},
    };
    for (const Case& c : cases) {
        const MueTReading r = MueAtTemperature(*db, c.in, c.t);
        ASSERT_TRUE(r.valid) << c.source;
        EXPECT_NEAR(r.value, c.expected, 1e-9) << c.source;
    }
    const MueTReading r25 = MueAt25(*db, Input("M1", "P 14", 0.1, 20));
    ASSERT_TRUE(r25.valid);
    EXPECT_NEAR(r25.value, 181.90086, 1e-5);
}

TEST_F(MueTTest, ReadersNeedEveryInput) {
    EXPECT_FALSE(MueAtTemperature(*db, Input("M1", "E 20", 0.5, 50), std::nullopt).valid);
    EXPECT_FALSE(MueAtTemperature(*db, Input("M1", "E 20", std::nullopt, 50), 25).valid);
    EXPECT_FALSE(MueAtTemperature(*db, Input("M1", "E 20", 0.5, std::nullopt), 25).valid);
    EXPECT_FALSE(MueAtTemperature(*db, Input("", "E 20", 0.5, 50), 25).valid);
    EXPECT_FALSE(MueAtTemperature(*db, Input("M3", "E 20", 0.5, 50), 25).valid); // no MuiT column
    EXPECT_FALSE(MueAt25(*db, Input("M1", "E 20", std::nullopt, 50)).valid);
    EXPECT_FALSE(RelativeChangeAt(*db, Input("M1", "E 20", 0.5, 50), std::nullopt).valid);
    EXPECT_FALSE(RelativeChangeAt(*db, Input("M1", "E 20", 0.5, std::nullopt), 25).valid);
}

TEST_F(MueTTest, RelativeReader) {
    struct Case {
        MueTInput in;
        double t, expected;
        const char* source;
    };
    const Case cases[] = {
        {Input("M4", "E 20", 0.0, 50, 25), 25, 0.0, "at T1 itself"},
        {Input("M4", "E 20", 0.0, 50, 25), 75, 750.0 / 27.5, "(2750-2000)/2750*100"},
        {Input("M4", "E 20", 0.0, 50, 25), -40, 0.0, "-1900 % shown as 0"},
        {Input("M4", "E 20", 0.0, 50, 25), 200, 0.0, "µe(T) = 0 outside the table"},
        {Input("M4", "E 20", 0.0, 50, 300), 25, 0.0, "µe(T1) = 0 outside the table"},
        {Input("M1", "E 20", 0.5, 50, 25), 50, (1 / 0.010396 - 1 / 0.010495) * 0.010396 * 100, "gapped"},
    };
    for (const Case& c : cases) {
        const MueTReading r = RelativeChangeAt(*db, c.in, c.t);
        ASSERT_TRUE(r.valid) << c.source;
        EXPECT_NEAR(r.value, c.expected, 1e-9) << c.source;
    }
}

} // namespace
} // namespace tolvik::core
