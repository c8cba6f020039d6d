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

// ---- counters, comparisons, guarded division, interpolation --------------------------

TEST(Counters, IncrementAndDecrementByOne) {
    std::int16_t v = 5;
    Increment(v);
    EXPECT_EQ(v, 6);
    Decrement(v);
    Decrement(v);
    EXPECT_EQ(v, 4);
}

TEST(MinMax, LargerAndSmaller) {
    EXPECT_EQ(MaxOf(2, 7), 7);
    EXPECT_EQ(MaxOf(7, 2), 7);
    EXPECT_EQ(MinOf(2, 7), 2);
    EXPECT_EQ(MinOf(7, 2), 2);
}

TEST(MinMax, EqualValuesGiveTheSecond) {
    EXPECT_EQ(MaxOf(3, 3), 3);
    EXPECT_EQ(MinOf(3, 3), 3);
    // 0 and -0 compare equal: the second argument is returned, sign included.
    EXPECT_TRUE(std::signbit(MaxOf(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(MinOf(-0.0, 0.0)));
}

TEST(SafeDivide, QuotientAndFlag) {
    std::int16_t ok = 0;
    const Value q = SafeDivide(6, 3, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(q.isDouble());
    EXPECT_DOUBLE_EQ(q.toDouble(), 2.0);
}

TEST(SafeDivide, ByZeroIsEmptyWithFlagCleared) {
    std::int16_t ok = 1;
    const Value q = SafeDivide(1, 0, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_TRUE(q.isEmpty());
    ok = 1;
    EXPECT_TRUE(SafeDivide(0, 0, ok).isEmpty());
    EXPECT_EQ(ok, 0);
}

TEST(LinearInterpolate, PointsOnTheLine) {
    struct Case {
        double x1, y1, x2, y2, x, expected;
    };
    // Hand calculation: y1 + (x - x1)(y2 - y1)/(x2 - x1).
    const Case cases[] = {
        {0, 0, 10, 100, 2.5, 25}, // inside
        {0, 0, 10, 100, 20, 200}, // beyond x2
        {10, 5, 20, 1, 15, 3},    // falling line
        {-20, 2000, 100, 4000, -20, 2000},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LinearInterpolate(c.x1, c.y1, c.x2, c.y2, c.x), c.expected) << c.x;
}

TEST(LinearInterpolate, EqualAbscissasGiveZero) {
    EXPECT_EQ(LinearInterpolate(5, 10, 5, 20, 5), 0.0);
    EXPECT_EQ(LinearInterpolate(5, 10, 5, 20, 7), 0.0);
}

TEST(Log10, DecimalLogarithm) {
    EXPECT_NEAR(Log10(1000), 3.0, 1e-12);
    EXPECT_NEAR(Log10(0.01), -2.0, 1e-12);
    EXPECT_EQ(Log10(1), 0.0);
}

TEST(Log10, NonPositiveGivesZeroNotNaN) {
    EXPECT_EQ(Log10(0), 0.0);
    EXPECT_EQ(Log10(-5), 0.0);
}

// ---- gapped core relations -----------------------------------------------------------

TEST(MueFromAl, HandCalculation) {
    // 10 · 2000 · 50 / (4 · 3.14 · 100) = 1E6 / 1256
    EXPECT_DOUBLE_EQ(MueFromAl(2000, 50, 100), 1e6 / 1256.0);
}

TEST(MueFromAl, AnyZeroGivesZero) {
    EXPECT_EQ(MueFromAl(0, 50, 100), 0.0);
    EXPECT_EQ(MueFromAl(2000, 0, 100), 0.0);
    EXPECT_EQ(MueFromAl(2000, 50, 0), 0.0);
}

TEST(MueFromGap, Cases) {
    struct Case {
        double mui, s, le, expected;
    };
    const Case cases[] = {
        {2000, 0, 50, 2000},             // no gap: µi
        {2000, 1, 0, 2000},              // no path length: µi
        {0, 1, 50, 0},                   // µi 0
        {2000, 0.5, 50, 1.0 / 0.010495}, // r = 0.01: 1/(0.01 + 0.99/2000)
        {1, 0.5, 50, 1.0},               // µi 1 stays 1 for any gap
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MueFromGap(c.mui, c.s, c.le), c.expected, 1e-9) << c.mui << " " << c.s;
}

TEST(MueFromGap, VanishingDenominatorGivesZero) {
    // r = 100/50 = 2, µi = 0.5: r + (1 - r)/µi = 2 - 2 = 0.
    EXPECT_EQ(MueFromGap(0.5, 100, 50), 0.0);
}

TEST(AlFromGap, HandCalculation) {
    // Ae'/le' · 1.256E-6 · 1E9 = 1E-4/0.05 · 1256 = 2.512 nH per unit of µe.
    EXPECT_NEAR(AlFromGap(50, 100, 0, 2000), 5024.0, 1e-9);             // µe = µi
    EXPECT_NEAR(AlFromGap(50, 100, 0.5, 2000), 2.512 / 0.010495, 1e-9); // z = 0.010495
}

TEST(AlFromGap, ZeroMuiLengthOrAreaGivesZero) {
    EXPECT_EQ(AlFromGap(50, 100, 0.5, 0), 0.0);
    EXPECT_EQ(AlFromGap(0, 100, 0.5, 2000), 0.0);
    EXPECT_EQ(AlFromGap(50, 0, 0.5, 2000), 0.0);
}

TEST(AlFromGap, VanishingDenominatorGivesZero) {
    // µi = 0.5, s = 2 le: z = (1 - 2) · 2 + 2 = 0.
    EXPECT_EQ(AlFromGap(50, 100, 100, 0.5), 0.0);
}

TEST(GapFromAl, HandCalculation) {
    // Al 2512 nH on le 50 mm, Ae 100 mm²: µe = 0.05 · 2.512E-6 / (1.256E-6 · 1E-4) = 1000;
    // s = (2000 - 1000) / (1999 · 1000) · 0.05 m = 50/1999 mm.
    EXPECT_NEAR(GapFromAl(50, 100, 2512, 2000), 50.0 / 1999.0, 1e-12);
}

TEST(GapFromAl, MueEqualToMuiGivesNoGap) {
    // Al 5024 nH is µe = 2000 on this core.
    EXPECT_NEAR(GapFromAl(50, 100, 5024, 2000), 0.0, 1e-12);
}

TEST(GapFromAl, FailedDivisionsGiveZero) {
    EXPECT_EQ(GapFromAl(50, 0, 2512, 2000), 0.0);  // Ae 0: µe cannot be formed
    EXPECT_EQ(GapFromAl(50, 100, 0, 2000), 0.0);   // µe 0
    EXPECT_EQ(GapFromAl(0, 100, 2512, 2000), 0.0); // le 0: µe 0
    EXPECT_EQ(GapFromAl(50, 100, 2512, 1), 0.0);   // µi 1
}

TEST(GapFromAl, RoundTripWithAlFromGap) {
    const double gaps[] = {0.05, 0.2, 0.5, 1.0, 2.5};
    for (double s : gaps) {
        const double al = AlFromGap(42, 178, s, 2300);
        EXPECT_NEAR(GapFromAl(42, 178, al, 2300), s, 1e-9) << s;
    }
}

TEST(GappedPermeability, Cases) {
    // 1E6 · 100 · 1.256E-6 / (50 · 2512) = 0.001; 1/2000 - 1/2000 = 0 → µg = 1000.
    EXPECT_NEAR(GappedPermeability(2000, 100, 50, 2000, 2512), 1000.0, 1e-9);
    // 0.001 + 1/1000 - 1/2000 = 0.0015
    EXPECT_NEAR(GappedPermeability(1000, 100, 50, 2000, 2512), 1.0 / 0.0015, 1e-9);
    EXPECT_EQ(GappedPermeability(2000, 100, 0, 1800, 2512), 1800.0); // le 0: µi
    EXPECT_EQ(GappedPermeability(2000, 100, 50, 0, 2512), 0.0);      // µi 0
}

TEST(GappedPermeability, DivisionsByZeroGiveZero) {
    EXPECT_EQ(GappedPermeability(2000, 100, 50, 2000, 0), 0.0); // Al 0
    EXPECT_EQ(GappedPermeability(0, 100, 50, 2000, 2512), 0.0); // µ 0
    // 0 + 1/1000 - 1/1000 = 0
    EXPECT_EQ(GappedPermeability(1000, 0, 50, 1000, 2512), 0.0);
}

TEST(InductanceFromAl, SquareOfTurns) {
    EXPECT_DOUBLE_EQ(InductanceFromAl(250, 10), 0.025); // 100 · 250 / 1E6 mH
    EXPECT_EQ(InductanceFromAl(250, 0), 0.0);
}

// ---- Langevin model ------------------------------------------------------------------

TEST(Langevin, SpecialCases) {
    ExpectInt1(Langevin(-1));
    ExpectInt1(Langevin(0));
    EXPECT_TRUE(Langevin(400).isEmpty());
    EXPECT_TRUE(Langevin(305).isEmpty());
    EXPECT_TRUE(Langevin(std::nan("")).isEmpty());
}

TEST(Langevin, Values) {
    // coth x - 1/x
    EXPECT_NEAR(Langevin(1).toDouble(), 0.31303528549933146, 1e-14);
    EXPECT_NEAR(Langevin(0.2).toDouble(), 0.06648956343947265, 1e-14);
    EXPECT_NEAR(Langevin(304).toDouble(), 1.0 - 1.0 / 304.0, 1e-14);
    EXPECT_TRUE(Langevin(304).isDouble());
}

TEST(Langevin, SmallArgumentsFollowXOverThree) {
    const double xs[] = {1e-12, 1e-8, 1e-5, 1e-3};
    for (double x : xs) {
        const double series = x / 3 - x * x * x / 45 + 2 * std::pow(x, 5) / 945;
        const Value l = Langevin(x);
        ASSERT_TRUE(l.isDouble()) << x;
        EXPECT_NEAR(l.toDouble(), series, 1e-13 * x) << x;
    }
    // Where 1/tanh x - 1/x still holds enough digits to serve as the reference.
    for (double x : {0.01, 0.04})
        EXPECT_NEAR(Langevin(x).toDouble(), 1 / std::tanh(x) - 1 / x, 1e-12) << x;
    // Either side of the change between series and closed form.
    const double below = Langevin(0.0499999).toDouble(), above = Langevin(0.0500001).toDouble();
    EXPECT_NEAR(above - below, 2e-7 / 3, 1e-10);
}

TEST(Langevin, ScaledMultipliesOnlyRealValues) {
    EXPECT_NEAR(LangevinScaled(1, 2).toDouble(), 2 * 0.31303528549933146, 1e-14);
    ExpectInt1(LangevinScaled(-1, 5));
    EXPECT_TRUE(LangevinScaled(400, 5).isEmpty());
}

TEST(LangevinSlope, SpecialCases) {
    ExpectInt1(LangevinSlope(41));
    EXPECT_TRUE(LangevinSlope(40).isDouble());
    EXPECT_TRUE(LangevinSlope(0).isEmpty());
}

TEST(LangevinSlope, Values) {
    // 3 (1/x² - 1/sinh² x)
    EXPECT_NEAR(LangevinSlope(1).toDouble(), 0.8278150171010681, 1e-13);
    EXPECT_NEAR(LangevinSlope(0.2).toDouble(), 0.9920505106767159, 1e-13);
    EXPECT_NEAR(LangevinSlope(40).toDouble(), 0.001875, 1e-15);
}

TEST(LangevinSlope, TendsToOneForSmallArguments) {
    const double xs[] = {1e-12, 1e-8, 1e-5, 1e-3};
    for (double x : xs) {
        const double series = 1 - x * x / 5 + 2 * std::pow(x, 4) / 63;
        const Value r = LangevinSlope(x);
        ASSERT_TRUE(r.isDouble()) << x;
        EXPECT_NEAR(r.toDouble(), series, 1e-12) << x;
    }
    for (double x : {0.01, 0.04}) {
        const double sh = std::sinh(x);
        EXPECT_NEAR(LangevinSlope(x).toDouble(), 3 * (1 / (x * x) - 1 / (sh * sh)), 1e-9) << x;
    }
    // Symmetric in x for negative arguments.
    EXPECT_NEAR(LangevinSlope(-1).toDouble(), 0.8278150171010681, 1e-13);
}

TEST(LangevinSlope, ScaledMultipliesOnlyRealValues) {
    EXPECT_NEAR(LangevinSlopeScaled(1, 3).toDouble(), 3 * 0.8278150171010681, 1e-13);
    ExpectInt1(LangevinSlopeScaled(41, 3));
    EXPECT_TRUE(LangevinSlopeScaled(0, 3).isEmpty());
}
