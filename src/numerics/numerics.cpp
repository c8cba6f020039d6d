#include "tolvik/numerics/numerics.h"

#include <cmath>

namespace tolvik::num {

namespace {

/// A finite result, or the routine's fallback.
double FiniteOr(double v, double fallback) {
    return std::isfinite(v) ? v : fallback;
}

/// Below this magnitude the closed forms of L(x) and R(x) lose their digits to
/// cancellation (1/x against coth x, 1/x² against 1/sinh² x); their power series are
/// exact to double precision there.
constexpr double kSeriesLimit = 0.05;

double LangevinSeries(double x) {
    const double x2 = x * x;
    // x/3 − x³/45 + 2x⁵/945 − x⁷/4725 + 2x⁹/93555
    return x *
           (1.0 / 3.0 + x2 * (-1.0 / 45.0 + x2 * (2.0 / 945.0 + x2 * (-1.0 / 4725.0 + x2 * 2.0 / 93555.0))));
}

double LangevinSlopeSeries(double x) {
    const double x2 = x * x;
    // 1 − x²/5 + 2x⁴/63 − x⁶/225 + 2x⁸/3465
    return 1.0 + x2 * (-1.0 / 5.0 + x2 * (2.0 / 63.0 + x2 * (-1.0 / 225.0 + x2 * 2.0 / 3465.0)));
}

/// L(x) for 0 < x <= 304; empty when the value cannot be formed.
Value LangevinCore(double x, double k) {
    if (std::isnan(x)) return Value::empty();
    if (x <= 0.0) return Value::integer(1);
    if (std::fabs(x) > 304.0) return Value::empty();
    double l;
    if (x < kSeriesLimit) {
        l = LangevinSeries(x);
    } else {
        const double e = std::exp(x);
        l = (1.0 / e + e) / (e - 1.0 / e) - 1.0 / x;
    }
    const double r = k * l;
    return std::isfinite(r) ? Value(r) : Value::empty();
}

/// R(x); integer 1 for x > 40, empty for x = 0.
Value LangevinSlopeCore(double x, double k) {
    if (std::isnan(x)) return Value::empty();
    if (x > 40.0) return Value::integer(1);
    if (x == 0.0) return Value::empty();
    double r;
    if (std::fabs(x) < kSeriesLimit) {
        r = LangevinSlopeSeries(x);
    } else {
        const double sh = (std::exp(x) - std::exp(-x)) / 2.0;
        r = 3.0 * (1.0 / (x * x) - 1.0 / (sh * sh));
    }
    const double v = k * r;
    return std::isfinite(v) ? Value(v) : Value::empty();
}

} // namespace

void Increment(std::int16_t& v) {
    v = static_cast<std::int16_t>(v + 1);
}

void Decrement(std::int16_t& v) {
    v = static_cast<std::int16_t>(v - 1);
}

double MaxOf(double a, double b) {
    return a > b ? a : b;
}

double MinOf(double a, double b) {
    return a < b ? a : b;
}

Value SafeDivide(double a, double b, std::int16_t& ok) {
    if (b != 0.0) {
        const double q = a / b;
        if (std::isfinite(q)) {
            ok = 1;
            return Value(q);
        }
    }
    ok = 0;
    return Value::empty();
}

double LinearInterpolate(double x1, double y1, double x2, double y2, double x) {
    if (x1 == x2) return 0.0;
    return FiniteOr(y1 + (x - x1) * (y2 - y1) / (x2 - x1), 0.0);
}

double InterpolateRows(const std::vector<double>& xs, const std::vector<double>& ys, double x) {
    for (std::size_t k = 1; k < xs.size() && k < ys.size(); ++k) {
        if (xs[k - 1] <= x && x <= xs[k]) return LinearInterpolate(xs[k - 1], ys[k - 1], xs[k], ys[k], x);
    }
    return 0.0;
}

Value KFactorAl(double k1, double k2, double s_mm) {
    if (k1 == 0 || k2 == 0 || s_mm == 0) return Value();
    const double al = k1 * std::pow(s_mm, k2);
    return std::isfinite(al) ? Value(al) : Value();
}

Value KFactorGap(double k1, double k2, double al_nH) {
    if (k1 == 0 || k2 == 0) return Value::integer(0);
    const double s = std::pow(al_nH / k1, 1.0 / k2);
    return std::isfinite(s) ? Value(s) : Value::integer(0);
}

double Log10(double x) {
    if (!(x > 0.0)) return 0.0;
    return FiniteOr(std::log(x) / std::log(10.0), 0.0);
}

double MueFromAl(double al_nH, double le_mm, double ae_mm2) {
    if (al_nH == 0.0 || le_mm == 0.0 || ae_mm2 == 0.0) return 0.0;
    return FiniteOr(10.0 * al_nH * le_mm / (4.0 * kPi * ae_mm2), 0.0);
}

std::optional<double> TryMueFromGap(double mui, double s_mm, double le_mm) {
    if (mui == 0.0 || !std::isfinite(mui)) return std::nullopt;
    if (s_mm == 0.0) return mui;
    if (le_mm == 0.0) return std::nullopt; // a gap in a core without a path length
    const double r = s_mm / le_mm;
    const double denom = r + (1.0 - r) / mui;
    if (denom == 0.0) return std::nullopt;
    const double mue = 1.0 / denom;
    return std::isfinite(mue) ? std::optional<double>(mue) : std::nullopt;
}

double MueFromGap(double mui, double s_mm, double le_mm) {
    if (le_mm == 0.0 || s_mm == 0.0) return mui;
    return TryMueFromGap(mui, s_mm, le_mm).value_or(0.0);
}

std::optional<double> TryAlFromGap(double le_mm, double ae_mm2, double s_mm, double mui) {
    const double le = le_mm / 1000.0;
    const double ae = ae_mm2 / 1E6;
    const double s = s_mm / 1000.0;
    if (mui == 0.0 || le == 0.0 || ae == 0.0) return std::nullopt;
    const double x = 1.0 / mui;
    const double z = (1.0 - x) * s / le + x;
    std::int16_t ok = 0;
    const Value mue = SafeDivide(1.0, z, ok);
    if (!ok) return std::nullopt;
    const double al = mue.toDouble() * kMu0 * ae / le * 1E9;
    return std::isfinite(al) ? std::optional<double>(al) : std::nullopt;
}

double AlFromGap(double le_mm, double ae_mm2, double s_mm, double mui) {
    return TryAlFromGap(le_mm, ae_mm2, s_mm, mui).value_or(0.0);
}

std::optional<double> TryGapFromAl(double le_mm, double ae_mm2, double al_nH, double mui) {
    // Without µi there is no gap to find, as in AlFromGap and MueFromGap.
    if (mui == 0.0) return std::nullopt;
    const double le = le_mm / 1000.0;
    const double ae = ae_mm2 / 1E6;
    const double al = al_nH / 1E9;
    std::int16_t ok = 0;
    const Value mueValue = SafeDivide(le * al, kMu0 * ae, ok);
    if (!ok) return std::nullopt;
    const double mue = mueValue.toDouble();
    const Value q = SafeDivide(mui - mue, (mui - 1.0) * mue, ok);
    if (!ok) return std::nullopt;
    const double s = q.toDouble() * le * 1000.0;
    return std::isfinite(s) ? std::optional<double>(s) : std::nullopt;
}

double GapFromAl(double le_mm, double ae_mm2, double al_nH, double mui) {
    return TryGapFromAl(le_mm, ae_mm2, al_nH, mui).value_or(0.0);
}

double GappedPermeability(double mu, double ae, double le, double mui, double al) {
    if (le == 0.0) return mui;
    if (mui == 0.0) return 0.0;
    if (al == 0.0 || mu == 0.0) return 0.0;
    const double inv = 1E6 * ae * kMu0 / (le * al) + 1.0 / mu - 1.0 / mui;
    if (inv == 0.0) return 0.0;
    return FiniteOr(1.0 / inv, 0.0);
}

double InductanceFromAl(double al_nH, double n) {
    return FiniteOr(n * n * al_nH / 1E6, 0.0);
}

Value Langevin(double x) {
    return LangevinCore(x, 1.0);
}

Value LangevinScaled(double x, double k) {
    return LangevinCore(x, k);
}

Value LangevinSlope(double x) {
    return LangevinSlopeCore(x, 1.0);
}

Value LangevinSlopeScaled(double x, double k) {
    return LangevinSlopeCore(x, k);
}

} // namespace tolvik::num
