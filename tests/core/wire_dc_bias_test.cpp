// Wire and DC-bias calculations against hand calculations.
//
// Skin depth: δ = 1000·√(1.77935e-8 / (f·3.94384e-6·1000)) mm, f in kHz.
// Dowell: Fr = F + (m² − 1)·G/3, F = Δ(e^2Δ − e^−2Δ + 2 sin 2Δ)/(e^2Δ + e^−2Δ − 2 cos 2Δ),
//         G = 2Δ(e^Δ − e^−Δ − 2 sin Δ)/(e^Δ + e^−Δ + 2 cos Δ); for large Δ: F → Δ, G → 2Δ.
// DC bias: Langevin model, µi = 2000, µ0 = 1.256e-6.

#include "tolvik/core/dc_bias_display.h"
#include "tolvik/core/wire_display.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tolvik::core {
namespace {

constexpr double kSkin100kHz_mm = 0.212408087; // √(1.77935e-8 / 0.394384) · 1000

WireRecord Wire(double d, const char* awg, double perMm2, double fCu) {
    return {d, PlainNumberText(d), awg, perMm2, fCu};
}

/// Three wires stored thinnest-first; outer diameters d/√fCu = 0.1118, 0.2169, 0.3162 mm.
const std::vector<WireRecord> kThinFirst = {Wire(0.1, "38", 60, 0.8), Wire(0.2, "32", 18, 0.85),
                                            Wire(0.3, "29", 8, 0.9)};

std::vector<WireRecord> Reversed(std::vector<WireRecord> w) {
    std::reverse(w.begin(), w.end());
    return w;
}

TEST(Wire, SkinDepth) {
    const struct {
        double f_kHz;
        bool valid;
        double expected_mm;
        const char* message;
    } cases[] = {
        {100, true, 0.212408, ""},          // √(1.77935e-8/(1e5·3.94384e-6)) = 0.2124 mm
        {0, false, 0, kDivisionByZeroText}, // δ at f = 0 divides by zero
        {-5, false, 0, kInvalidArgumentText},
    };
    for (const auto& c : cases) {
        const WireValue v = GetSkin(c.f_kHz);
        EXPECT_EQ(v.valid, c.valid) << c.f_kHz;
        EXPECT_EQ(v.message, c.message) << c.f_kHz;
        EXPECT_NEAR(v.value, c.expected_mm, 1e-6) << c.f_kHz;
    }
}

TEST(Wire, DowellRatio) {
    const struct {
        double delta; // h = Δ·δ(100 kHz)
        long m;
        double expected;
        const char* source;
    } cases[] = {
        {0, 1, 1.0, "no skin effect at Δ = 0"},
        {0.5, 1, 1.005542, "F(0.5) from the exponential form"},
        {0.5, 2, 1.026323, "F(0.5) + 3·G(0.5)/3"},
        {1.2, 1, 1.170898, "F(1.2)"},
        {1.2, 2, 1.808636, "F(1.2) + G(1.2), about 1.81"},
        {3, 2, 9.538301, "F(3) + G(3)"},
        {380, 1, 380, "between 355 and 400 e^2Δ leaves the double range: F = Δ"},
        {1000, 1, 1000, "far above 400: F = Δ, not 0"},
        {1000, 2, 3000, "Δ + 3·2Δ/3"},
        {1000, 181, 1000 + 32760 * 2000 / 3.0, "m² − 1 = 32760 still a 16-bit integer"},
    };
    for (const auto& c : cases) {
        const WireValue v = GetFr(c.delta * kSkin100kHz_mm, 100, c.m);
        EXPECT_TRUE(v.valid) << c.source;
        EXPECT_NEAR(v.value, c.expected, c.expected * 1e-6) << c.source;
    }
    EXPECT_EQ(GetFr(1, 100, 182).message, kOverflowText); // m² − 1 = 33123 overflows 16 bits
    EXPECT_EQ(GetFr(1, 0, 1).message, kDivisionByZeroText);
}

TEST(Wire, LayersRoundHalfToEven) {
    const double in[] = {1.4, 2.5, 3.5, -0.6};
    const long out[] = {1, 2, 4, -1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(RoundLayers(in[i]), out[i]) << in[i];
}

TEST(Wire, CurveRisesWithFrequencyAndLayers) {
    const double h = 0.5;
    const WireCurve one = RacRdcCurve(h, 1), two = RacRdcCurve(h, 2), four = RacRdcCurve(h, 4);
    ASSERT_TRUE(one.valid && two.valid && four.valid);
    ASSERT_EQ(one.points.size(), 15u);
    EXPECT_DOUBLE_EQ(one.points.front().f_kHz, 0.1);
    EXPECT_DOUBLE_EQ(one.points.back().f_kHz, 1638.4); // 0.1·2^14
    for (size_t i = 1; i < 15; ++i) {
        EXPECT_GT(one.points[i].ratio, one.points[i - 1].ratio) << i;
        EXPECT_GT(two.points[i].ratio, one.points[i].ratio) << i;
        EXPECT_GT(four.points[i].ratio, two.points[i].ratio) << i;
    }
    const WireCurve bad = RacRdcCurve(h, 200);
    EXPECT_FALSE(bad.valid);
    EXPECT_EQ(bad.message, kOverflowText);
    EXPECT_TRUE(bad.points.empty());
}

TEST(Wire, AcResistance) {
    const AcResistance r = CalculateAcResistance(100, 2, 1.2 * kSkin100kHz_mm, 0.5);
    ASSERT_TRUE(r.valid);
    EXPECT_NEAR(r.rac_Ohm, 0.5 * 1.808636, 1e-6);                  // Rdc · Fr(Δ = 1.2, m = 2)
    EXPECT_EQ(CalculateAcResistance(100, 2, 0.3, 0).rac_Ohm, 0.0); // no Rdc: Rac = 0
    EXPECT_EQ(CalculateAcResistance(0, 1, 0.3, 1).message, kDivisionByZeroText);
}

TEST(Wire, WindingSearchTakesTheThickestWireInEitherOrder) {
    const struct {
        double turns, layers, an;
        bool show, ok;
        double d, fw; // 0: no wire, -1: no fill factor
        std::vector<std::string> messages;
        const char* source;
    } cases[] = {
        {40, 1, 30, true, true, 0.2, 4.92549, {}, "pitch 10/40 = 0.25 > 0.2169; fw = 502.4/102"},
        {20, 1, 30, true, true, 0.3, 5.23333, {}, "pitch 0.5; fw = 100·20·3.14·0.09/108"},
        {40, 2, 30, true, true, 0.3, 10.4667, {}, "two layers: pitch 0.5; fw = 1130.4/108"},
        {200, 1, 30, true, true, 0, -1, {}, "pitch 0.05: nothing fits, no output"},
        {0, 1, 30, true, false, 0, -1, {kInsertNText}, "no turns"},
        {0, 1, 30, false, false, 0, -1, {}, "no turns, messages off"},
        {40, 1, 1, true, true, 0.2, 147.7647, {kFillFactorText}, "AN 1: fw = 502.4/3.4 %"},
        {40, 1, 0, true, true, 0.2, -1, {}, "no winding area: no fill factor"},
    };
    for (const auto& order : {kThinFirst, Reversed(kThinFirst)}) {
        for (const auto& c : cases) {
            const WindingWireResult r =
                SuchDrahtHarmDistortion({true, c.an, 10, c.turns, c.layers, c.show, order});
            EXPECT_EQ(r.ok, c.ok) << c.source;
            EXPECT_EQ(r.wire ? r.wire->d_mm : 0, c.d) << c.source;
            EXPECT_NEAR(r.fillFactor_pct.value_or(-1), c.fw, 1e-4) << c.source;
            EXPECT_EQ(r.messages, c.messages) << c.source;
        }
    }
    EXPECT_TRUE(SuchDrahtHarmDistortion({false, 30, 10, 0, 1, true, kThinFirst}).ok); // no core: nothing
    text::SetDecimalSeparator(','); // the diameter follows the system's separator
    EXPECT_EQ(WireText(kThinFirst[1]), "0,2 (AWG 32)");
    text::SetDecimalSeparator('.');
}

TEST(Wire, AreaSearchTakesTheThickestWireInEitherOrder) {
    const struct {
        double turns, an;
        const char *wire, *source;
    } cases[] = {
        {81, 8, "0.2 (AWG 32)", "81/18 = 4.5 < 8, 81/8 = 10.1 > 8"},
        {81, 11, "0.3 (AWG 29)", "81/8 = 10.1 < 11"},
        {600, 8, "", "600/60 = 10 > 8: none fits"},
    };
    for (const auto& order : {kThinFirst, Reversed(kThinFirst)}) {
        for (const auto& c : cases) {
            const auto w = SuchDraht(c.turns, c.an, order);
            EXPECT_EQ(w ? WireText(*w) : std::string(), c.wire) << c.source;
        }
    }
}

// --- DC bias -------------------------------------------------------------------------

/// The choke of the window tests: Bs 500 mT, µa(0) 2000, L 1 mH, Idc 1 A, d 10 %, on a core
/// with Ae 40.25 mm², le 50 mm, Ve 2000.4 mm³, AN 30.125 mm².
const OperatingPointInput kChoke{500, 2000, 1, 2000.4, 1, 10};

TEST(DcBias, OperatingPointScan) {
    const std::optional<double> x = OperatingPoint(kChoke);
    ASSERT_TRUE(x);
    EXPECT_NEAR(*x, 2.485, 5e-4); // a scan of P − Q over 0.1 … 10 in steps of 0.001

    // Run-time faults: d = 0 divides by zero, µa(0) = 0 and Ve = 0 as well.
    const struct {
        double OperatingPointInput::*field;
        const char* source;
    } faults[] = {{&OperatingPointInput::dmurev_pct, "t = (1 − R)/0"},
                  {&OperatingPointInput::mua0, "1/µa(0) = 1/0"},
                  {&OperatingPointInput::ve_mm3, "Q = …/(0·µ0)"}};
    for (const auto& c : faults) {
        OperatingPointInput bad = kChoke;
        bad.*c.field = 0;
        EXPECT_FALSE(OperatingPoint(bad)) << c.source;
    }
    // Idc = 0: the balance has its root where t = −1/µa(0); the scan stays in [0.1, 10].
    OperatingPointInput noCurrent = kChoke;
    noCurrent.idc_A = 0;
    const auto x0 = OperatingPoint(noCurrent);
    ASSERT_TRUE(x0);
    EXPECT_GE(*x0, 0.1);
    EXPECT_LE(*x0, 10.0);
}

// Where the search is told the balance surely falls or rises, it does: P − Q formed in
// long double at every grid point, for materials and cores far apart.
TEST(DcBias, PreparedStretchesOfTheBalanceAreMonotonic) {
    std::vector<long double> l, u;
    for (double x = kScanStart; x <= kScanEnd; x += kScanStep) {
        l.push_back(num::Langevin(x).toDouble());
        u.push_back(1.0L / num::LangevinSlope(x).toDouble());
    }
    const long n = static_cast<long>(l.size());
    int falling = 0, rising = 0;
    for (const double mua0 : {900.0, 1990.0, 2000.0, 2400.0, 9000.0}) {
        for (const double d_pct : {1.0, 10.0, 60.0}) {
            const OperatingPointMaterial m = PrepareOperatingPoint(450, mua0, d_pct);
            const long double df = d_pct * 0.01L, dm = df * kDcBiasMui;
            for (double c = 1E-9; c < 1E9; c *= 3.7) {
                std::vector<long double> f(l.size());
                for (std::size_t k = 0; k < f.size(); ++k) {
                    const long double h = (1 - df) * u[k] / dm - 1 / dm + 1 / (long double)mua0;
                    const long double root = h * l[k] * 0.45L / (long double)num::kMu0;
                    f[k] = root * root - c * (u[k] - 1);
                }
                const auto [fallsTo, risesFrom] = m.stretches(c);
                for (long k = 0; k < fallsTo; ++k)
                    ASSERT_LT(f[k + 1], f[k]) << mua0 << " " << d_pct << " " << c << " falls at " << k;
                for (long k = std::max(risesFrom, 0L); k + 1 < n; ++k)
                    ASSERT_GT(f[k + 1], f[k]) << mua0 << " " << d_pct << " " << c << " rises at " << k;
                falling += fallsTo > 0;
                rising += risesFrom < n - 1;
            }
        }
    }
    EXPECT_GT(falling, 50);
    EXPECT_GT(rising, 50);
}

TEST(DcBias, DesignOutput) {
    // At x = 2.485: R = 3(1/x² − 1/sinh² x) = 0.40468; t = (0.9 − R)/(0.1·2000·R) = 0.0061202;
    // µe = 1/(1/2000 + t) = 148.97; s = t·le = 0.3106 mm; Al = µ0·µe·Ae/le = 150.62 nH;
    // N = √(1/150.62)·1000 = 81.48, and N²·Al/10⁶ = L.
    const auto d = getDCBiasOutput(2.485, 10, 2000, 40.25, 50, 1);
    ASSERT_TRUE(d);
    EXPECT_NEAR(d->mue, 148.968, 0.01);
    EXPECT_NEAR(d->s_mm, 0.31064, 1e-4);
    EXPECT_NEAR(d->al_nH, 150.619, 0.01);
    EXPECT_NEAR(d->turns, 81.482, 0.01);
    EXPECT_NEAR(d->turns * d->turns * d->al_nH / 1E6, 1.0, 1e-12);
    EXPECT_FALSE(getDCBiasOutput(2.485, 10, 2000, 40.25, 0, 1));   // le = 0
    EXPECT_FALSE(getDCBiasOutput(2.485, 10, 2000, 40.25, 50, -1)); // √ of a negative L
}

class DcBiasCurve : public ::testing::Test {
protected:
    /// µa = 2000 up to 400 mT, none above (the curve ends there).
    DcBiasRequest Choke() const {
        DcBiasRequest in;
        in.bs_mT = 500;
        in.ae_mm2 = 40.25;
        in.le_mm = 50;
        in.ve_mm3 = 2000.4;
        in.an_mm2 = 8;
        in.l_mH = 1;
        in.idc_A = 1;
        in.dmurev_pct = 10;
        in.muaB = data::TableColumns{{0, 400}, {2000, 2000}};
        in.wires = kThinFirst;
        return in;
    }
};

TEST_F(DcBiasCurve, DesignCopiedToThePlotDataAndDrawn) {
    DcBiasRequest in = Choke();
    in.plotAl_nH = 500;
    in.plotTurns = 200; // the previous design's turns: 200/60 = 3.3 < 8 would give the 0.1 mm wire
    in.yAxis = DcBiasYAxis::RollOff;
    const DcBiasOutcome r = DesignDcBias(in);
    ASSERT_TRUE(r.designed);
    EXPECT_FALSE(r.failed);
    ASSERT_TRUE(r.wire);
    EXPECT_EQ(r.wire->d_mm, 0.2); // chosen for the 81 turns beside it: 81/18 = 4.5 < 8
    // The plot data go on with Al and N as shown.
    EXPECT_EQ((std::vector<double>{r.plotAl_nH, r.plotTurns, r.plotL_mH}), (std::vector<double>{151, 81, 1}));
    EXPECT_TRUE(r.messages.empty());
    ASSERT_TRUE(r.drawn);
    EXPECT_EQ(DcBiasLegend("M1", r.plotAl_nH), "µrev M1 Al=151[nH]");
    // B = 500·L(x) passes 400 mT between x = 4.9 (L = 0.7959) and 5.0 (0.8000).
    ASSERT_EQ(r.points.size(), 49u);
    // At low field µrev of the gapped core is µe of the plot data: roll-off ≈ 100 %.
    EXPECT_NEAR(r.points.front().y, 100, 0.1);
    // H = B/(µg·µ0): B(0.1) = 500·0.033311 = 16.656 mT, µg ≈ 149.4 → 88.8 A/m.
    EXPECT_NEAR(r.points.front().x, 88.8, 0.2);
    for (size_t i = 1; i < r.points.size(); ++i) {
        EXPECT_LT(r.points[i].y, r.points[i - 1].y) << i; // µrev falls with the DC field
        EXPECT_GT(r.points[i].x, r.points[i - 1].x) << i;
    }
}

TEST_F(DcBiasCurve, PlotDataAndLegendShowNumbersRead) {
    // Typed texts reach the plot data only as numbers in the field's format "#.####" (a
    // random-input run showed "nan" there).
    const std::pair<const char*, const char*> cases[] = {{"nan", "."}, {"1.23456", "1.2346"}};
    for (const auto& [typed, shown] : cases) {
        DcBiasRequest in = Choke();
        in.l_mH = text::ReadNumber(typed);
        EXPECT_EQ(text::FormatPattern(DesignDcBias(in).plotL_mH, kPlotLPattern), shown) << typed;
    }
    // The legend names the Al value read from the plot data, not their text.
    const std::pair<const char*, const char*> legends[] = {{"151", "µrev M1 Al=151[nH]"},
                                                           {"99.1234", "µrev M1 Al=99.123[nH]"}};
    for (char separator : {'.', ','}) {
        text::SetDecimalSeparator(separator);
        for (const auto& [typed, legend] : legends) {
            DcBiasRequest in = Choke();
            in.copyToPlotData = false;
            in.plotAl_nH = text::ReadNumber(typed);
            in.plotTurns = 81;
            const DcBiasOutcome r = DesignDcBias(in);
            std::string expected = legend;
            if (separator == ',') std::replace(expected.begin(), expected.end(), '.', ',');
            EXPECT_TRUE(r.drawn) << typed;
            EXPECT_EQ(DcBiasLegend("M1", r.plotAl_nH), expected) << typed << " with '" << separator << "'";
        }
    }
    text::SetDecimalSeparator('.');
}

TEST_F(DcBiasCurve, YQuantitiesAtTheFirstPoint) {
    // Lp = 81²·151/10⁶ = 0.990711 mH; Idc(0.1) = le·H/(N·1000) = 50·88.8/81000 = 0.0548 A.
    const struct {
        DcBiasYAxis y;
        DcBiasXAxis x;
        double expectedX, expectedY, tol;
    } cases[] = {
        {DcBiasYAxis::LRev, DcBiasXAxis::Idc, 0.0548, 0.9906, 0.0005},
        {DcBiasYAxis::Energy, DcBiasXAxis::Idc, 0.0548, 0.0548 * 0.0548 * 0.9906 / 2, 2e-5},
    };
    for (const auto& c : cases) {
        DcBiasRequest in = Choke();
        in.xAxis = c.x;
        in.yAxis = c.y;
        const DcBiasOutcome r = DesignDcBias(in);
        ASSERT_FALSE(r.points.empty());
        EXPECT_NEAR(r.points.front().x, c.expectedX, c.expectedX * 0.003);
        EXPECT_NEAR(r.points.front().y, c.expectedY, c.tol);
    }
}

TEST_F(DcBiasCurve, FaultsAndStops) {
    enum Mua { Mua2000, Mua3000, MissingColumn };
    const struct {
        const char *source, *d, *idc;
        const char* t0Al; ///< nullptr: the design is copied to the plot data
        const char* t0N;
        Mua mua;
        bool draw, failed, designed, drawn;
        const char* message;
    } cases[] = {
        {"d = 0 divides by zero", "0", "1", nullptr, "", Mua2000, true, true, false, false,
         kValuesNotValidText},
        {"N = 0 in the plot data divides the current by zero", "10", "1", "100", "0", Mua2000, true, true,
         true, false, kValuesNotValidText},
        {"Al = 0 in the plot data: nothing drawn", "10", "1", "", "10", Mua2000, true, false, true, false,
         ""},
        {"the graph reader: design only", "10", "1", nullptr, "", Mua2000, false, false, true, false, ""},
        {"a missing MuaB column", "10", "1", nullptr, "", MissingColumn, true, true, false, false,
         kValuesNotValidText},
        {"no current, µa(0) 3000: s = −le/3000 < 0 is reported, the design stays, no curve", "10", "0",
         nullptr, "", Mua3000, true, false, true, false, kNegativeGapText},
        {"plot data Al beyond the ungapped core's (µa 3000 > µi): every field negative, no curve", "10", "1",
         "100000", "81", Mua3000, true, false, true, false, ""},
    };
    for (const auto& c : cases) {
        DcBiasRequest in = Choke();
        in.dmurev_pct = text::ReadNumber(c.d);
        in.idc_A = text::ReadNumber(c.idc);
        in.copyToPlotData = !c.t0Al;
        in.plotAl_nH = c.t0Al ? text::ReadNumber(c.t0Al) : 0;
        in.plotTurns = text::ReadNumber(c.t0N);
        in.draw = c.draw;
        if (c.mua == Mua3000) in.muaB = data::TableColumns{{0, 400}, {3000, 3000}};
        if (c.mua == MissingColumn) in.muaB.reset();
        const DcBiasOutcome r = DesignDcBias(in);
        EXPECT_EQ(std::tie(r.failed, r.designed, r.drawn), std::tie(c.failed, c.designed, c.drawn))
            << c.source;
        EXPECT_EQ(r.messages, *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.source;
        for (const DcBiasPoint& p : r.points)
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && p.x >= 0) << c.source;
    }
}

TEST(DcBias, ReaderTexts) {
    const struct {
        double x;
        DcBiasXAxis xAxis;
        DcBiasYAxis yAxis;
        const char *xText, *yText;
    } cases[] = {
        {1234.4, DcBiasXAxis::Hdc, DcBiasYAxis::MuRev, "Hdc=1234[A/m]", "µrev=5"},
        {1.23456, DcBiasXAxis::Idc, DcBiasYAxis::LRev, "Idc=1.23[A]", "Lrev=5[mH]"},
        {12.3456, DcBiasXAxis::Idc, DcBiasYAxis::Energy, "Idc=12.3[A]", "LI²/2=5[mJ]"},
        {88.8, DcBiasXAxis::Hdc, DcBiasYAxis::RollOff, "Hdc=89[A/m]", "µrev/µe=5[%]"},
    };
    for (const auto& c : cases) {
        const DcBiasReading r = DcBiasReaderTexts(c.x, "5", c.xAxis, c.yAxis);
        EXPECT_EQ(r.x, c.xText);
        EXPECT_EQ(r.y, c.yText);
    }
}

} // namespace
} // namespace tolvik::core
