// The Qt-free calculations of the material window: hand calculations and the fixture
// database (mat_fixture_db.h).

#include "mat_fixture_db.h"

#include "tolvik/data/records.h"
#include "tolvik/material/amplitude.h"
#include "tolvik/material/complex_mu.h"
#include "tolvik/material/hysteresis.h"
#include "tolvik/material/mui_t.h"
#include "tolvik/material/power_loss.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

namespace tolvik::material {
namespace {

using Q = ComplexQuantity;

/// One row of Mu_mu__f for material "M" with µ', µ'' at f.
data::Recordset Row(double re, double im) {
    return data::Recordset("Mu_mu__f", {"F", "mu_M", "mu__M"}, {{Value(10.0), Value(re), Value(im)}});
}

TEST(ComplexQuantity, EachQuantityAndTanDeltaWithoutARealPart) {
    // The quantities themselves are the data layer's (records_test); here each one's dispatch.
    const std::tuple<double, double, double, Q, double, const char*> cases[] = {
        {3, 4, 0, Q::MuS1, 3, "µs' = µ'"},
        {3, 4, 0, Q::MuS2, 4, "µs'' = µ''"},
        {3, 4, 0, Q::MuP1, 25.0 / 3, "|µ|² / µ' = 25/3"},
        {3, 4, 0, Q::MuP2, 6.25, "|µ|² / µ'' = 25/4"},
        {3, 4, 0, Q::Gp, 1e9 * 4 / (10 * 25), "1e9·µ''/(f·|µ|²)"},
        {3, 4, 0, Q::Zn, 10 * 6.28 * 1.256e-6 * 5, "f·6.28·1.256e-6·|µ|"},
        {3, 4, 2000, Q::TanDelta, 4.0 / 3 / 2000 * 1e6, "(µ''/µ')/µi·1e6"},
        {0, 4, 2000, Q::TanDelta, 0, "µ' = 0: tan δ/µi is 0"},
        {-1, 4, 2000, Q::TanDelta, 0, "µ' < 0: tan δ/µi is 0"},
    };
    for (const auto& [re, im, mui, q, expected, source] : cases) {
        data::Recordset rs = Row(re, im);
        rs.moveFirst();
        const Value v = ComplexQuantityAt(data::ComplexMuRowAt(rs, "M", 10, 0), q, mui);
        EXPECT_FALSE(v.isEmpty()) << source;
        EXPECT_NEAR(v.toDouble(), expected, 1e-9 * std::fabs(expected) + 1e-12) << source;
    }
}

TEST(ConvertBH, BothDirectionsAndTheInvalidMu) {
    const std::tuple<MuaAxis, double, double, bool, double, const char*> cases[] = {
        {MuaAxis::H, 120, 100, true, 15.072, "B = 120·0.001256·100 mT"},
        {MuaAxis::B, 120, 15.072, true, 100, "H = 15.072/(120·0.001256) A/m"},
        {MuaAxis::B, 0, 50, false, 0, "µa 0: no valid value"},
        {MuaAxis::B, -10, 50, false, 0, "µa < 0: no valid value"},
        {MuaAxis::H, 0, 50, true, 0, "mode H has no check"},
    };
    for (const auto& [axis, mua, input, valid, expected, source] : cases) {
        const MatValue v = ConvertBH(axis, mua, input);
        EXPECT_EQ(v.valid, valid) << source;
        EXPECT_EQ(v.message, valid ? "" : kNoValidValueText) << source;
        EXPECT_NEAR(v.value, expected, 1e-9 * std::fabs(expected)) << source;
    }
}

TEST(PowerLossFormulas, MassScaleAndPerformanceFactor) {
    // Bmax = (200 / e²)^(1/2.5) = 3.7409 mT; f·Bmax at 100 kHz.
    const MatValue pf = PerformanceFactor(200, 2, 2.5, 100);
    ASSERT_TRUE(pf.valid);
    EXPECT_NEAR(pf.value, 374.09, 0.005);
    EXPECT_FALSE(PerformanceFactor(1, 0, 0, 100).valid) << "X = 0: no loss law (not even at the level e^c)";
    EXPECT_FALSE(PerformanceFactor(-200, 2, 2.5, 100).valid) << "a negative loss level has no Bmax";
    EXPECT_FALSE(PerformanceFactor(1e308, -800, 0.1, 100).valid) << "overflow";
}

TEST(PowerLossAxes, CaptionsTitlesAndCodesPerMode) {
    const std::tuple<PvX, PvY, PowerLossAxes> cases[] = {
        {PvX::T,
         PvY::Volume,
         {"f[kHz]", "B", 7, "T[°C]", "Pl[kW/m³]", "Power loss vs. T", "Plm[kW/m³]", "B[mT]"}},
        {PvX::F, PvY::Mass, {"B", "T", 15, "f[kHz]", "Pl [mW/g]", "Power loss vs. f", "Plm[mW/g]", "B[mT]"}},
        {PvX::B,
         PvY::Volume,
         {"f[kHz]", "T[°C]", 15, "B[mT]", "Pl[kW/m³]", "Power loss vs. B", "Plm[kW/m³]", "B[mT]"}},
        {PvX::F,
         PvY::PerformanceFactor,
         {"Pl[kW/m³]", "T", 16, "f[kHz]", "f*Bmax[kHz*mT]", "Perform. fact. vs. f", "f*B[kHz*mT]",
          "Pl[kW/m³]"}},
    };
    for (const auto& [x, y, e] : cases) {
        const PowerLossAxes a = PowerLossAxesFor(x, y);
        EXPECT_EQ(
            std::tie(a.pvLab1, a.pvLab2, a.axisCode, a.xTitle, a.yTitle, a.graphTitle, a.pvLabel, a.bLabel),
            std::tie(e.pvLab1, e.pvLab2, e.axisCode, e.xTitle, e.yTitle, e.graphTitle, e.pvLabel, e.bLabel))
            << static_cast<int>(x) << "/" << static_cast<int>(y);
    }
}

TEST(HysteresisZoom, StepsAndLimits) {
    const std::tuple<bool, double, double, bool, double, double> cases[] = {
        {true, 62, -62, true, 31, -31},          {true, 31, -31, false, 31, -31}, // below 40: stop
        {true, 40, -40, true, 20, -20},          {true, 126.5, -126.5, true, 63, -63},
        {false, 1500, -1500, true, 3000, -3000}, {false, 3000, -3000, false, 3000, -3000}, // above 2000: stop
        {false, 2000, -2000, true, 4000, -4000}, {false, 62, -62.25, true, 124, -125},
    };
    for (const auto& [in, xMax, xMin, changed, newMax, newMin] : cases) {
        const ZoomStep s = in ? ZoomIn(xMax, xMin) : ZoomOut(xMax, xMin);
        EXPECT_EQ(std::tie(s.changed, s.xMax, s.xMin), std::tie(changed, newMax, newMin)) << xMax;
    }
    EXPECT_EQ(RoundHalfEven(63.5), 64);
    EXPECT_EQ(RoundHalfEven(-62.5), -62);
    EXPECT_EQ(RoundHalfEven(1e9), 32767);
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

class MatCalcDb : public ::testing::Test {
protected:
    test::MatFixture fixture;
    std::unique_ptr<data::Database> db = data::Database::open(fixture.databasePath());
    double Density(const std::string& m) { return data::GetMaterialValue(*db, 16, m).toDouble(); }
    ListFill Second(const std::string& m, PvX x, double v) {
        return SecondListEntries(x, PvY::Volume, data::ReadPvRows(*db, m, SecondListRows(x, v)));
    }
    PowerLossCurve Curve(const std::string& m, PvX x, PvY y, double a, double b) {
        const auto loss = data::ReadPvRows(*db, m, LossCurveRows(x, a, b));
        return PowerLossCurvePoints(m, x, y, a, b, {data::ReadPvExpo(*db, m, b), loss, Density(m)});
    }
};

TEST_F(MatCalcDb, HysteresisLoops) {
    // A1's loops are mat_tab_test's; B2's first row closes its loop; N3 has no columns.
    const HysteresisLoop b2 = LoopFromRows(data::ReadHysteresisLoop(*db, "B2", true));
    EXPECT_TRUE(b2.valid && b2.points.empty() && b2.hMax == 0 && b2.bMin == 0 && b2.message.empty());
    EXPECT_EQ(LoopFromRows(data::ReadHysteresisLoop(*db, "N3", true)).message, kNoDataText);
}

TEST_F(MatCalcDb, PowerLossListsPerMode) {
    using V = std::vector<std::string>;
    const V temperatures{"25", "30", "40", "50", "60", "70", "80", "90", "100", "110", "120"};
    EXPECT_EQ(FirstListEntries(true, PvX::F, PvY::Volume).entries,
              (V{"13", "25", "50", "100", "200", "300"}));
    EXPECT_EQ(FirstListEntries(true, PvX::T, PvY::Mass).entries.size(), 8u);
    EXPECT_EQ(FirstListEntries(true, PvX::F, PvY::PerformanceFactor).entries.front(), "50");
    EXPECT_TRUE(FirstListEntries(false, PvX::T, PvY::Volume).entries.empty()) << "not in Material";
    // x = T: the B values measured at 30 °C for f = 100, with the leading blank of the list.
    EXPECT_EQ(Second("A1", PvX::T, 100).entries, (V{" 100", " 200"}));
    EXPECT_EQ(Second("A1", PvX::F, 200).entries, temperatures);
    EXPECT_TRUE(Second("A1", PvX::F, 13).entries.empty()) << "no row at B 13";
    EXPECT_EQ(Second("A1", PvX::B, 200).entries, temperatures);
    EXPECT_EQ(Second("O'K 5", PvX::T, 100).entries, (V{" 100", " 200"}));
    EXPECT_EQ(Second("N3", PvX::T, 100).message, kNoDataText);
}

TEST_F(MatCalcDb, PowerLossCurvesAndValues) {
    const PowerLossCurve mass = Curve("A1", PvX::T, PvY::Mass, 100, 200);
    EXPECT_EQ(mass.curve.legend, "A1F100B200");
    ASSERT_EQ(mass.curve.points.size(), 3u);
    EXPECT_DOUBLE_EQ(mass.curve.points[0].y, 100) << "480 kW/m³ at 4800 kg/m³";
    EXPECT_EQ(std::tie(mass.pf, mass.pb, mass.pt), std::tie("100", "200", ""));
    const PowerLossCurve perf = Curve("A1", PvX::F, PvY::PerformanceFactor, 200, 25);
    EXPECT_EQ(perf.curve.legend, "A1Pl200T25");
    ASSERT_EQ(perf.curve.points.size(), 1u) << "X = 0 at 200 kHz draws no point";
    EXPECT_NEAR(perf.curve.points[0].y, 374.09, 0.005);
    const PowerLossCurve ok = Curve("O'K 5", PvX::F, PvY::Volume, 100, 25); // B 100 at 25 °C: f 100, 200
    EXPECT_EQ(std::make_tuple(ok.curve.legend, ok.curve.points.size()), std::make_tuple("O'K 5B100T25", 2u));

    using Expo = std::vector<data::PvExpoRow>;
    const std::tuple<PowerLossInput, bool, double, std::string, bool> cases[] = {
        {{"M", PvY::Mass, 25, 100, 200, {}, 480, 4800}, true, 100, "", false},
        {{"M", PvY::PerformanceFactor, 25, 100, 200, Expo{{100, 2, 2.5}}}, true, 374.09, "", false},
        {{"M", PvY::PerformanceFactor, 25, 200, 200, Expo{{200, 0, 0}}}, true, 0, "", false}, // X = 0
        {{"M", PvY::PerformanceFactor, 40, 100, 200, Expo{}}, false, 0, kNoValidValuesText, false},
        {{"M", PvY::PerformanceFactor, 25, 300, 200, Expo{{300, 2, 0.001}}}, false, 0, "", true}, // overflow
        {{"M", PvY::Mass, 25, 100, 100, {}, 90, 0}, false, 0, kNoValidValuesText, false},         // density 0
        {{"M", PvY::Volume, 25, 100, 100}, false, 0, kNoDataText, false},
        {{"M", PvY::PerformanceFactor, 25, 100, 100}, false, 0, kNoDataText, false},
    };
    for (const auto& [in, valid, value, message, outOfRange] : cases) {
        const PowerLossValue r = PowerLossAt(in);
        EXPECT_EQ(std::tie(r.value.valid, r.value.message, r.outOfRange),
                  std::tie(valid, message, outOfRange))
            << in.material << in.b;
        EXPECT_NEAR(r.value.value, value, 0.005) << in.material << in.b;
    }
}

TEST_F(MatCalcDb, PermeabilityCurvesAndValues) {
    const MatCurve mui = InitialPermeabilityCurve("A1", data::ReadMuiTCurve(*db, "A1"));
    EXPECT_EQ(mui.rowCount, 4);
    EXPECT_EQ(mui.points.size(), 3u);
    const MatCurve mua = AmplitudeCurve("A1T100", data::ReadMuaCurve(*db, true, "A1T100"), 6);
    EXPECT_EQ(mua.legend, "A1T100");
    ASSERT_EQ(mua.points.size(), 6u) << "two rows, then the last row up to 6 points";
    EXPECT_EQ(std::tie(mua.points[5].x, mua.points[5].y), std::tie(mua.points[1].x, mua.points[1].y));
    EXPECT_NEAR(AmplitudeAt(data::MuaAt(*db, false, "A1T25", 100)).value, 120, 1e-9);
    const auto muiOf = [&](const std::string& m) { return data::GetMaterialMui(*db, m); };
    const auto complex = [&](const char* m, Q q) {
        return ComplexCurve(m, q, muiOf(m), data::ReadComplexMuCurve(*db, m));
    };
    const MatCurve tan = complex("B2", Q::TanDelta);
    ASSERT_EQ(tan.points.size(), 4u);
    EXPECT_EQ(tan.points[3].y, 0) << "µ' = 0 at 1000 kHz";
    EXPECT_EQ(tan.legend, "B2 tan d/µi");
    EXPECT_TRUE(!complex("Z6", Q::MuS1).valid && complex("Z6", Q::MuS1).message.empty()) << "no µi";
    const ComplexReading r = ComplexAt(Q::TanDelta, 10, data::ComplexMuAtF(*db, "B2", 10), muiOf("B2"));
    EXPECT_EQ(r.muiText, "5000");
    EXPECT_NEAR(r.value.value, 100.0 / 5000 / 5000 * 1e6, 1e-9);
    for (const MatCurve& c :
         {InitialPermeabilityCurve("N3", data::ReadMuiTCurve(*db, "N3")),
          AmplitudeCurve("N3T25", data::ReadMuaCurve(*db, false, "N3T25"), 2), complex("N3", Q::Gp)})
        EXPECT_EQ(c.message, kNoDataText);
}

} // namespace
} // namespace tolvik::material
