#include "tolvik/numerics/numerics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

using namespace tolvik;
using namespace tolvik::num;

namespace {

void ExpectInt1(const Value& v) {
    EXPECT_TRUE(v.isInt());
    EXPECT_EQ(v.toDouble(), 1.0);
}

} // namespace

// ---- comparisons, guarded division, interpolation --------------------------------------

TEST(MinMax, EqualValuesGiveTheSecond) {
    EXPECT_EQ(MaxOf(7, 2), 7);
    EXPECT_EQ(MinOf(7, 2), 2);
    // 0 and -0 compare equal: the second argument is returned, sign included.
    EXPECT_TRUE(std::signbit(MaxOf(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(MinOf(-0.0, 0.0)));
}

TEST(SafeDivide, QuotientOrEmptyWithFlag) {
    std::int16_t ok = 0;
    const Value q = SafeDivide(6, 3, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(q, Value(2.0));
    for (double a : {1.0, 0.0}) {
        ok = 1;
        EXPECT_TRUE(SafeDivide(a, 0, ok).isEmpty());
        EXPECT_EQ(ok, 0);
    }
}

TEST(LinearInterpolate, PointsOnTheLineAndEqualAbscissas) {
    // Hand calculation: y1 + (x - x1)(y2 - y1)/(x2 - x1); equal abscissas give 0.
    const std::tuple<double, double, double, double, double, double> cases[] = {
        {0, 0, 10, 100, 2.5, 25},          {0, 0, 10, 100, 20, 200}, {10, 5, 20, 1, 15, 3},
        {-20, 2000, 100, 4000, -20, 2000}, {5, 10, 5, 20, 5, 0},     {5, 10, 5, 20, 7, 0},
    };
    for (const auto& [x1, y1, x2, y2, x, expected] : cases)
        EXPECT_DOUBLE_EQ(LinearInterpolate(x1, y1, x2, y2, x), expected) << x;
}

TEST(Log10, NonPositiveGivesZeroNotNaN) {
    EXPECT_NEAR(Log10(1000), 3.0, 1e-12);
    EXPECT_NEAR(Log10(0.01), -2.0, 1e-12);
    EXPECT_EQ(Log10(0), 0.0);
    EXPECT_EQ(Log10(-5), 0.0);
}

// ---- gapped core relations -----------------------------------------------------------

TEST(MueFromAl, HandCalculationAndZeros) {
    // 10 · 2000 · 50 / (4 · 3.14 · 100) = 1E6 / 1256
    EXPECT_DOUBLE_EQ(MueFromAl(2000, 50, 100), 1e6 / 1256.0);
    EXPECT_EQ(MueFromAl(0, 50, 100), 0.0);
    EXPECT_EQ(MueFromAl(2000, 0, 100), 0.0);
    EXPECT_EQ(MueFromAl(2000, 50, 0), 0.0);
}

TEST(MueFromGap, Cases) {
    const std::tuple<double, double, double, double> cases[] = {
        {2000, 0, 50, 2000},             // no gap: µi
        {2000, 1, 0, 2000},              // no path length: µi
        {0, 1, 50, 0},                   // µi 0
        {2000, 0.5, 50, 1.0 / 0.010495}, // r = 0.01: 1/(0.01 + 0.99/2000)
        {1, 0.5, 50, 1.0},               // µi 1 stays 1 for any gap
        {0.5, 100, 50, 0},               // r = 2: 2 + (1 - 2)/0.5 = 0
    };
    for (const auto& [mui, s, le, expected] : cases)
        EXPECT_NEAR(MueFromGap(mui, s, le), expected, 1e-9) << mui << " " << s;
}

// Ae'/le' · 1.256E-6 · 1E9 = 1E-4/0.05 · 1256 = 2.512 nH per unit of µe on le 50, Ae 100.
TEST(AlFromGap, HandCalculationAndZeros) {
    EXPECT_NEAR(AlFromGap(50, 100, 0, 2000), 5024.0, 1e-9);             // µe = µi
    EXPECT_NEAR(AlFromGap(50, 100, 0.5, 2000), 2.512 / 0.010495, 1e-9); // z = 0.010495
    EXPECT_EQ(AlFromGap(50, 100, 0.5, 0), 0.0);
    EXPECT_EQ(AlFromGap(0, 100, 0.5, 2000), 0.0);
    EXPECT_EQ(AlFromGap(50, 0, 0.5, 2000), 0.0);
    EXPECT_EQ(AlFromGap(50, 100, 100, 0.5), 0.0); // z = (1 - 2) · 2 + 2 = 0
}

TEST(GapFromAl, HandCalculationZerosAndRoundTrip) {
    // Al 2512 nH: µe = 0.05 · 2.512E-6 / (1.256E-6 · 1E-4) = 1000;
    // s = (2000 - 1000) / (1999 · 1000) · 0.05 m = 50/1999 mm.
    EXPECT_NEAR(GapFromAl(50, 100, 2512, 2000), 50.0 / 1999.0, 1e-12);
    EXPECT_NEAR(GapFromAl(50, 100, 5024, 2000), 0.0, 1e-12); // µe = µi: no gap
    EXPECT_EQ(GapFromAl(50, 0, 2512, 2000), 0.0);            // Ae 0: µe cannot be formed
    EXPECT_EQ(GapFromAl(50, 100, 0, 2000), 0.0);             // µe 0
    EXPECT_EQ(GapFromAl(0, 100, 2512, 2000), 0.0);           // le 0: µe 0
    EXPECT_EQ(GapFromAl(50, 100, 2512, 1), 0.0);             // µi 1
    EXPECT_EQ(GapFromAl(50, 100, 2512, 0), 0.0);             // µi 0, guarded like its siblings (was s = le)
    // The Try forms keep "cannot be calculated" apart from a result of 0.
    EXPECT_FALSE(tolvik::num::TryGapFromAl(50, 100, 2512, 0).has_value());
    EXPECT_FALSE(tolvik::num::TryGapFromAl(0, 100, 2512, 2000).has_value());
    EXPECT_NEAR(*tolvik::num::TryGapFromAl(50, 100, 5024, 2000), 0.0, 1e-12);
    EXPECT_FALSE(tolvik::num::TryAlFromGap(50, 0, 0.5, 2000).has_value());
    EXPECT_FALSE(tolvik::num::TryMueFromGap(2000, 0.5, 0).has_value()); // a gap without le: not µi
    EXPECT_FALSE(tolvik::num::TryMueFromGap(0, 0.5, 50).has_value());
    EXPECT_EQ(*tolvik::num::TryMueFromGap(2000, 0, 0), 2000.0);
    for (double s : {0.05, 0.5, 2.5})
        EXPECT_NEAR(GapFromAl(42, 178, AlFromGap(42, 178, s, 2300), 2300), s, 1e-9) << s;
}

TEST(GappedPermeability, Cases) {
    // 1E6 · 100 · 1.256E-6 / (50 · 2512) = 0.001; 1/2000 - 1/2000 = 0 → µg = 1000.
    EXPECT_NEAR(GappedPermeability(2000, 100, 50, 2000, 2512), 1000.0, 1e-9);
    // 0.001 + 1/1000 - 1/2000 = 0.0015
    EXPECT_NEAR(GappedPermeability(1000, 100, 50, 2000, 2512), 1.0 / 0.0015, 1e-9);
    EXPECT_EQ(GappedPermeability(2000, 100, 0, 1800, 2512), 1800.0); // le 0: µi
    EXPECT_EQ(GappedPermeability(2000, 100, 50, 0, 2512), 0.0);      // µi 0
    EXPECT_EQ(GappedPermeability(2000, 100, 50, 2000, 0), 0.0);      // Al 0
    EXPECT_EQ(GappedPermeability(0, 100, 50, 2000, 2512), 0.0);      // µ 0
    EXPECT_EQ(GappedPermeability(1000, 0, 50, 1000, 2512), 0.0);     // 0 + 1/1000 - 1/1000 = 0
    EXPECT_DOUBLE_EQ(InductanceFromAl(250, 10), 0.025);              // 100 · 250 / 1E6 mH
}

// ---- Langevin model ------------------------------------------------------------------

TEST(Langevin, LimitsAndValues) {
    ExpectInt1(Langevin(-1));
    ExpectInt1(Langevin(0));
    for (double x : {400.0, 305.0, std::nan("")})
        EXPECT_TRUE(Langevin(x).isEmpty()) << x;
    // coth x - 1/x
    EXPECT_NEAR(Langevin(1).toDouble(), 0.31303528549933146, 1e-14);
    EXPECT_NEAR(Langevin(0.2).toDouble(), 0.06648956343947265, 1e-14);
    EXPECT_NEAR(Langevin(304).toDouble(), 1.0 - 1.0 / 304.0, 1e-14);
    EXPECT_TRUE(Langevin(304).isDouble());
    EXPECT_NEAR(LangevinScaled(1, 2).toDouble(), 2 * 0.31303528549933146, 1e-14);
    ExpectInt1(LangevinScaled(-1, 5));
    EXPECT_TRUE(LangevinScaled(400, 5).isEmpty());
}

TEST(Langevin, SmallArgumentsFollowTheSeries) {
    for (double x : {1e-12, 1e-8, 1e-5, 1e-3}) {
        const Value l = Langevin(x);
        ASSERT_TRUE(l.isDouble()) << x;
        EXPECT_NEAR(l.toDouble(), x / 3 - x * x * x / 45 + 2 * std::pow(x, 5) / 945, 1e-13 * x) << x;
    }
    // Where 1/tanh x - 1/x still holds enough digits to serve as the reference.
    for (double x : {0.01, 0.04})
        EXPECT_NEAR(Langevin(x).toDouble(), 1 / std::tanh(x) - 1 / x, 1e-12) << x;
    // Either side of the change between series and closed form.
    EXPECT_NEAR(Langevin(0.0500001).toDouble() - Langevin(0.0499999).toDouble(), 2e-7 / 3, 1e-10);
}

TEST(LangevinSlope, LimitsAndValues) {
    ExpectInt1(LangevinSlope(41));
    EXPECT_TRUE(LangevinSlope(0).isEmpty());
    // 3 (1/x² - 1/sinh² x), symmetric in x
    EXPECT_NEAR(LangevinSlope(1).toDouble(), 0.8278150171010681, 1e-13);
    EXPECT_NEAR(LangevinSlope(-1).toDouble(), 0.8278150171010681, 1e-13);
    EXPECT_NEAR(LangevinSlope(0.2).toDouble(), 0.9920505106767159, 1e-13);
    EXPECT_NEAR(LangevinSlope(40).toDouble(), 0.001875, 1e-15);
    EXPECT_TRUE(LangevinSlope(40).isDouble());
    for (double x : {1e-12, 1e-8, 1e-5, 1e-3}) {
        const Value r = LangevinSlope(x);
        ASSERT_TRUE(r.isDouble()) << x;
        EXPECT_NEAR(r.toDouble(), 1 - x * x / 5 + 2 * std::pow(x, 4) / 63, 1e-12) << x;
    }
    for (double x : {0.01, 0.04})
        EXPECT_NEAR(LangevinSlope(x).toDouble(), 3 * (1 / (x * x) - 1 / std::pow(std::sinh(x), 2)), 1e-9)
            << x;
    EXPECT_NEAR(LangevinSlopeScaled(1, 3).toDouble(), 3 * 0.8278150171010681, 1e-13);
    ExpectInt1(LangevinSlopeScaled(41, 3));
    EXPECT_TRUE(LangevinSlopeScaled(0, 3).isEmpty());
}
