#include "tolvik/core/dc_bias.h"

#include "tolvik/core/dc_bias_display.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace tolvik::core {

namespace {

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

/// t = (1 − d − R(x)) / (d·µi·R(x)): the gap term 1/µe − 1/µi at which the reversible
/// permeability has dropped by d.
double GapTerm(double r, double df, double mui) {
    return (1.0 - df - r) / (df * mui * r);
}

} // namespace

namespace {

/// The scan's grid as the scan forms it (x accumulated in steps of 0.001, so the points
/// are those sums, not 0.1 + k·0.001), with L(x) and R(x) at each point: they depend on
/// x alone, so they are formed once for every design.
struct ScanGrid {
    std::vector<double> x, l, r;
    std::vector<double> u; ///< 1/R(x)
    /// Of each step: 1/(u[k+1] − u[k]); the rounding of a slope over the step relative to the
    /// slope; and ∞ where the step is lost in rounding (nothing is known of the slope there).
    std::vector<double> perU, slopeRounding, unknown;
};

const ScanGrid& Grid() {
    static const ScanGrid grid = [] {
        ScanGrid g;
        for (double x = kScanStart; x <= kScanEnd; x += kScanStep) {
            g.x.push_back(x);
            g.l.push_back(num::Langevin(x).toDouble());
            g.r.push_back(num::LangevinSlope(x).toDouble());
            g.u.push_back(1.0 / g.r.back());
        }
        for (size_t k = 0; k + 1 < g.u.size(); ++k) {
            const double du = g.u[k + 1] - g.u[k];
            const bool known = du > 1E-9 * (g.u[k] + g.u[k + 1]) && std::isfinite(du);
            g.perU.push_back(known ? 1.0 / du : 0.0);
            g.slopeRounding.push_back(known ? 2E-12 * (g.u[k] + g.u[k + 1]) / du + 1E-9 : 0.0);
            g.unknown.push_back(known ? 0.0 : std::numeric_limits<double>::infinity());
        }
        return g;
    }();
    return grid;
}

/// The energy balance of the operating point: P = ((t + 1/µa0)·L(x)·Bs/µ0)², the energy
/// the material can take, against Q = (t + 1/(R(x)·µi))·Idc²·(1 − d)·L/(V·µ0), the energy
/// the choke must store.
struct Balance {
    double bt = 0, df = 0, v = 0, lH = 0, mui = kDcBiasMui, mua0 = 0, idc = 0;
    explicit Balance(const OperatingPointInput& in)
        : bt(in.bs_mT / 1000.0), df(in.dmurev_pct * 0.01), v(in.ve_mm3 * 1E-9), lH(in.l_mH * 1E-3),
          mua0(in.mua0), idc(in.idc_A) {}
    struct Terms {
        double t = 0; ///< gap term
        double h = 0; ///< t + 1/µa0
        double p = 0, q = 0, f = 0;
    };
    Terms at(double l, double r) const {
        Terms s;
        s.t = GapTerm(r, df, mui);
        s.h = s.t + 1.0 / mua0;
        s.p = std::pow(s.h * l * bt / num::kMu0, 2);
        s.q = (s.t + 1.0 / (r * mui)) * idc * idc * (1.0 - df) * lH / (v * num::kMu0);
        s.f = s.p - s.q;
        return s;
    }
    /// c of Q = c·(1/R(x) − 1), which is what Q is in exact numbers.
    double energyFactor() const { return idc * idc * (1.0 - df) * lH / (v * num::kMu0) / (df * mui); }
};

/// The bound on the rounding of a computed balance, relative to the size of its parts.
constexpr double kRounding = 1E-12;

bool Finite(const Balance::Terms& s) {
    return AllFinite({s.t, s.h, s.p, s.q, s.f});
}

/// The scan: the first point whose |P − Q| is smallest (after a point where the balance
/// is exactly 0, the next point is taken); the grid point's index.
std::optional<size_t> FullScan(const Balance& b) {
    const ScanGrid& g = Grid();
    size_t best = 0;
    double bestF = 0;
    double previousF = 0; // counts as 0 before the first step
    for (size_t k = 0; k < g.x.size(); ++k) {
        const Balance::Terms s = b.at(g.l[k], g.r[k]);
        if (!Finite(s)) return std::nullopt;
        if (previousF == 0.0 || std::fabs(s.f) < std::fabs(bestF)) {
            best = k;
            bestF = s.f;
        }
        previousF = s.f;
    }
    return best;
}

/// Branch and bound over the grid for the smallest |f| (the first of equal ones).
/// Over an interval of the grid L(x) > 0 rises, t + 1/µa0 and Q are monotonic (each is
/// a constant plus a constant times 1/R(x), and R falls), so P − Q lies between bounds
/// formed from the interval's ends; an interval whose bound cannot beat the best point
/// found is skipped. The bounds are widened far beyond rounding.
class Search {
public:
    /// With a material's preparation, the stretches of the grid where the balance surely
    /// falls or rises are known too: there an interval's ends bound it.
    Search(const Balance& b, const OperatingPointMaterial* m) : b_(b), g_(Grid()) {
        if (!m) return;
        const double c = b.energyFactor();
        const OperatingPointMaterial::Stretches known = m->stretches(c);
        fallsTo_ = known.fallsTo;
        risesFrom_ = known.risesFrom;
        rounding_ = kRounding * (m->pParts + c * (g_.u.back() + 1));
    }

    /// false: the search cannot decide, the full scan must.
    bool run() {
        const long n = static_cast<long>(g_.x.size());
        Balance::Terms first, last;
        if (!visit(0, first) || !visit(n - 1, last)) return false;
        // Seed: where the balance changes sign (bisection, as if it were monotonic), so
        // that most of the grid is ruled out at once.
        if ((first.f < 0) != (last.f < 0)) {
            long lo = 0, hi = n - 1;
            while (hi - lo > 1) {
                const long mid = lo + (hi - lo) / 2;
                Balance::Terms m;
                if (!visit(mid, m)) return false;
                ((m.f < 0) == (first.f < 0) ? lo : hi) = mid;
            }
        }
        return range(0, n - 1, first, last);
    }
    size_t best() const { return static_cast<size_t>(bestK_); }

private:
    static constexpr long kLeaf = 8;
    static constexpr double kWiden = 1E-9;

    bool visit(long k, Balance::Terms& s) {
        s = terms(k);
        if (!Finite(s) || s.f == 0.0) return false;
        const double a = std::fabs(s.f);
        if (bestK_ < 0 || a < bestAbs_ || (a == bestAbs_ && k < bestK_)) {
            bestK_ = k;
            bestAbs_ = a;
        }
        return true;
    }
    Balance::Terms terms(long k) const {
        return b_.at(g_.l[static_cast<size_t>(k)], g_.r[static_cast<size_t>(k)]);
    }

    /// The grid points lo … hi, whose ends' terms are a and z.
    bool range(long lo, long hi, const Balance::Terms& a, const Balance::Terms& z) {
        if (hi - lo <= kLeaf) {
            Balance::Terms s;
            for (long k = lo + 1; k < hi; ++k) {
                if (!visit(k, s)) return false;
            }
            return true;
        }
        if (lowestPossible(lo, hi, a, z) > bestAbs_) return true; // nothing here beats the best
        const long mid = lo + (hi - lo) / 2;
        Balance::Terms m;
        if (!visit(mid, m)) return false;
        return range(lo, mid, a, m) && range(mid, hi, m, z);
    }

    /// A lower bound of |f| between the ends (-1 when it cannot be formed).
    double lowestPossible(long lo, long hi, const Balance::Terms& a, const Balance::Terms& z) const {
        double monotonic = -1;
        if (hi <= fallsTo_ || lo >= risesFrom_) {
            // Monotonic here: f lies between its ends, each computed within the rounding.
            if ((a.f < 0) != (z.f < 0)) return 0.0;
            monotonic = std::min(std::fabs(a.f), std::fabs(z.f)) - 2 * rounding_;
            if (monotonic > bestAbs_) return monotonic;
        }
        const size_t i = static_cast<size_t>(lo), j = static_cast<size_t>(hi);
        // t + 1/µa0 between its ends, widened by the size of its parts.
        const double hWiden =
            kWiden * (std::fabs(a.t) + std::fabs(z.t) + invMua0_ + std::fabs(1.0 / (dfMui_ * g_.r[j])) +
                      std::fabs(1.0 / (dfMui_ * g_.r[i])));
        const double hLo = std::min(a.h, z.h) - hWiden, hHi = std::max(a.h, z.h) + hWiden;
        const double lLo = g_.l[i] * (1 - kWiden), lHi = g_.l[j] * (1 + kWiden);
        const double c0 = hLo * lLo * scale_, c1 = hLo * lHi * scale_, c2 = hHi * lLo * scale_,
                     c3 = hHi * lHi * scale_;
        const double gLo = std::min(std::min(c0, c1), std::min(c2, c3));
        const double gHi = std::max(std::max(c0, c1), std::max(c2, c3));
        const double pHi = std::max(gLo * gLo, gHi * gHi) * (1 + kWiden);
        const double pLo = (gLo <= 0 && gHi >= 0) ? 0.0 : std::min(gLo * gLo, gHi * gHi) * (1 - kWiden);
        const double qWiden = kWiden * (std::fabs(a.q) + std::fabs(z.q));
        const double qLo = std::min(a.q, z.q) - qWiden, qHi = std::max(a.q, z.q) + qWiden;
        const double margin = kWiden * (pHi + std::fabs(qLo) + std::fabs(qHi));
        const double fLo = pLo - qHi - margin, fHi = pHi - qLo + margin;
        if (!AllFinite({fLo, fHi})) return monotonic;
        return std::max(monotonic, (fLo <= 0 && fHi >= 0) ? 0.0 : std::min(std::fabs(fLo), std::fabs(fHi)));
    }

    const Balance& b_;
    const ScanGrid& g_;
    // Parts of the bound that do not change along the grid.
    const double invMua0_ = std::fabs(1.0 / b_.mua0), dfMui_ = b_.df * b_.mui, scale_ = b_.bt / num::kMu0;
    long fallsTo_ = -1, risesFrom_ = std::numeric_limits<long>::max(); ///< see OperatingPointMaterial
    double rounding_ = 0;
    long bestK_ = -1;
    double bestAbs_ = 0;
};

/// The grid point OperatingPointSearch finds.
std::optional<size_t> FindOperatingPoint(const OperatingPointInput& in,
                                         const OperatingPointMaterial* material) {
    const Balance b(in);
    if (material &&
        (material->bs_mT != in.bs_mT || material->mua0 != in.mua0 || material->dmurev_pct != in.dmurev_pct))
        material = nullptr;
    Search search(b, material);
    if (!search.run()) return FullScan(b);
    return search.best();
}

/// The design at the gap term t.
std::optional<DcBiasDesign> DesignAt(double t, double mui, double ae_mm2, double le_mm, double l_mH) {
    const double ae = ae_mm2 * 1E-6;
    const double le = le_mm * 1E-3;
    DcBiasDesign d;
    d.mue = 1.0 / (1.0 / mui + t);
    d.s_mm = (1.0 / d.mue - 1.0 / mui) * le_mm;
    d.al_nH = ae / le * d.mue * num::kMu0 / 1E-9;
    d.turns = std::sqrt(l_mH / std::fabs(d.al_nH)) * 1000.0;
    if (!AllFinite({t, d.mue, d.s_mm, d.al_nH, d.turns})) return std::nullopt;
    return d;
}

} // namespace

OperatingPointMaterial::Stretches OperatingPointMaterial::stretches(double c) const {
    Stretches known{-1, static_cast<long>(Grid().x.size())};
    if (fallsBelow.empty() || !(c > 0) || !(c * (Grid().u.back() + 1) < 1E300)) return known;
    known.fallsTo =
        std::lower_bound(fallsBelow.begin(), fallsBelow.end(), c * (1 - 1E-12)) - fallsBelow.begin();
    known.risesFrom =
        std::upper_bound(risesAbove.begin(), risesAbove.end(), c * (1 + 1E-12)) - risesAbove.begin();
    return known;
}

OperatingPointMaterial PrepareOperatingPoint(double bs_mT, double mua0, double dmurev_pct) {
    OperatingPointMaterial m{bs_mT, mua0, dmurev_pct, {}, {}, 0};
    const Balance b({bs_mT, mua0, 0, 1, 0, dmurev_pct});
    if (!(b.df > 0 && b.df < 1) || !std::isfinite(1.0 / mua0)) return m;
    // In exact numbers t + 1/µa0 = α·u + β with u = 1/R(x), so P = (s·(α·u + β)·L(x))² and
    // Q = c·(u − 1): f falls on a step where ΔP/Δu < c and rises where it is above.
    const ScanGrid& g = Grid();
    const size_t n = g.x.size();
    const double s = b.bt / num::kMu0, dm = b.df * b.mui;
    const double alpha = (1 - b.df) / dm, beta = 1.0 / mua0 - 1.0 / dm;
    const double hParts = ((1 - b.df) * g.u.back() + 1) / dm + std::fabs(1.0 / mua0);
    m.pParts = std::pow(hParts * g.l.back() * s, 2);
    if (!(m.pParts < 1E280)) return m; // every slope below is then a finite number
    const double pRounding = 4 * kRounding * m.pParts;
    auto pAt = [&](size_t k) {
        const double root = s * (alpha * g.u[k] + beta) * g.l[k];
        return root * root;
    };
    // Each step's slope ΔP/Δu within its rounding; then the highest bound up to a step and
    // the lowest from it on, so that either list is ordered and a search finds c in it.
    m.fallsBelow.reserve(n - 1);
    m.risesAbove.reserve(n - 1);
    double pBefore = pAt(0);
    for (size_t k = 0; k + 1 < n; ++k) {
        const double pNext = pAt(k + 1);
        const double slope = (pNext - pBefore) * g.perU[k];
        const double band = pRounding * g.perU[k] + std::fabs(slope) * g.slopeRounding[k] + g.unknown[k];
        m.fallsBelow.push_back(slope + band);
        m.risesAbove.push_back(slope - band);
        pBefore = pNext;
    }
    for (size_t k = 1; k + 1 < n; ++k)
        m.fallsBelow[k] = std::max(m.fallsBelow[k], m.fallsBelow[k - 1]);
    for (size_t k = n - 2; k-- > 0;)
        m.risesAbove[k] = std::min(m.risesAbove[k], m.risesAbove[k + 1]);
    return m;
}

std::optional<double> OperatingPoint(const OperatingPointInput& in) {
    const std::optional<size_t> k = FullScan(Balance(in));
    if (!k) return std::nullopt;
    return Grid().x[*k];
}

std::optional<double> OperatingPointSearch(const OperatingPointInput& in,
                                           const OperatingPointMaterial* material) {
    const std::optional<size_t> k = FindOperatingPoint(in, material);
    if (!k) return std::nullopt;
    return Grid().x[*k];
}

std::optional<DcBiasDesignAt> DesignAtOperatingPoint(const OperatingPointInput& in, double ae_mm2,
                                                     double le_mm, const OperatingPointMaterial* material) {
    const std::optional<size_t> k = FindOperatingPoint(in, material);
    if (!k) return std::nullopt;
    // R(x) of the grid point, as getDCBiasOutput forms it from x.
    const std::optional<DcBiasDesign> d =
        DesignAt(GapTerm(Grid().r[*k], in.dmurev_pct * 0.01, kDcBiasMui), kDcBiasMui, ae_mm2, le_mm, in.l_mH);
    if (!d) return std::nullopt;
    return DcBiasDesignAt{Grid().x[*k], *d};
}

std::optional<DcBiasDesign> getDCBiasOutput(double x, double dmurev_pct, double mui, double ae_mm2,
                                            double le_mm, double l_mH) {
    return DesignAt(GapTerm(num::LangevinSlope(x).toDouble(), dmurev_pct * 0.01, mui), mui, ae_mm2, le_mm,
                    l_mH);
}

DcBiasOutcome DesignDcBias(const DcBiasRequest& in) {
    DcBiasOutcome r;
    r.plotAl_nH = in.plotAl_nH;
    r.plotTurns = in.plotTurns;
    r.plotL_mH = num::InductanceFromAl(in.plotAl_nH, in.plotTurns);
    auto fail = [&r] {
        r.failed = true;
        r.drawn = false;
        r.points.clear();
        r.messages.emplace_back(kValuesNotValidText);
        return r;
    };
    if (!in.muaB) return fail();
    const auto muaAt = [&mua = *in.muaB](double b_mT) { return num::InterpolateRows(mua.x, mua.y, b_mT); };
    {
        const double mua0 = muaAt(0.0);
        const std::optional<double> x =
            OperatingPoint({in.bs_mT, mua0, in.l_mH, in.ve_mm3, in.idc_A, in.dmurev_pct});
        if (!x) return fail();
        const std::optional<DcBiasDesign> design =
            getDCBiasOutput(*x, in.dmurev_pct, kDcBiasMui, in.ae_mm2, in.le_mm, in.l_mH);
        if (!design) return fail();

        r.designed = true;
        r.design = *design;
        // The wire, the plot data and the curve go on with Al and N as their fields show
        // them: whole numbers, rounded as the display rounds.
        const double shownTurns = text::RoundedAsShown(design->turns, kTurnsPattern);
        r.wire = SuchDraht(shownTurns, in.an_mm2, in.wires);
        if (in.copyToPlotData) {
            r.plotDataCopied = true;
            r.plotAl_nH = text::RoundedAsShown(design->al_nH, kAlPattern);
            r.plotTurns = shownTurns;
            // The plot data show the inductance that was asked for.
            r.plotL_mH = in.l_mH;
        }
        if (design->s_mm < 0) r.messages.emplace_back(kNegativeGapText);

        const double al = r.plotAl_nH;
        const double n = r.plotTurns;
        const double lp_mH = n * n * al * 1E-6;
        const double mue = num::MueFromAl(al, in.le_mm, in.ae_mm2);
        if (mue == 0.0 || !in.draw) return r;

        // A choke whose air gap would be negative cannot be built: its curve is not drawn.
        if (in.copyToPlotData && design->s_mm < 0) return r;
        const GappedCore core{in.bs_mT, in.ae_mm2, in.le_mm, al, n};
        double h = 0; // A/m; kept where the gapped permeability has no value
        for (int i = 1; i <= kDcBiasPoints; ++i) {
            const double mua = muaAt(DcBiasCurveFlux(i, in.bs_mT));
            const DcBiasCurveStep p = DcBiasCurvePoint(core, i, mua, h);
            if (p.end) break;
            h = p.h_A_m;
            if (n == 0.0) return fail();
            double y = p.mugr;
            switch (in.yAxis) {
            case DcBiasYAxis::MuRev:
                break;
            case DcBiasYAxis::LRev:
                y = p.mugr / mue * lp_mH;
                break;
            case DcBiasYAxis::Energy:
                y = p.idc_A * p.idc_A * (p.mugr / mue * lp_mH) / 2.0;
                break;
            case DcBiasYAxis::RollOff:
                y = p.mugr / mue * 100.0;
                break;
            }
            const double xValue = in.xAxis == DcBiasXAxis::Hdc ? p.h_A_m : p.idc_A;
            if (!AllFinite({xValue, y})) return fail();
            // A plot-data Al beyond the ungapped core's gives a negative field: no such point.
            if (p.h_A_m < 0 || p.idc_A < 0) continue;
            r.points.push_back({i, xValue, y});
        }
        r.drawn = !r.points.empty();
    }
    return r;
}

namespace {

/// L(x) and R(x) at the curve's points x = i/10: k·L(x) and k·R(x) are what the scaled
/// Langevin functions give, so the curve forms them once.
struct CurveGrid {
    double l[kDcBiasPoints + 1] = {};
    double r[kDcBiasPoints + 1] = {};
};

const CurveGrid& Curve() {
    static const CurveGrid grid = [] {
        CurveGrid g;
        for (int i = 1; i <= kDcBiasPoints; ++i) {
            g.l[i] = num::Langevin(i / 10.0).toDouble();
            g.r[i] = num::LangevinSlope(i / 10.0).toDouble();
        }
        return g;
    }();
    return grid;
}

} // namespace

double DcBiasCurveFlux(int i, double bs_mT) {
    return bs_mT * Curve().l[i];
}

DcBiasCurveStep DcBiasCurveCurrent(const GappedCore& core, int i, double mua, double h_A_m) {
    DcBiasCurveStep p;
    if (mua == 0.0) {
        p.end = true;
        return p;
    }
    const double b = DcBiasCurveFlux(i, core.bs_mT);
    const double muga = num::GappedPermeability(mua, core.ae_mm2, core.le_mm, kDcBiasMui, core.al_nH);
    p.h_A_m = muga != 0.0 ? b / (muga * 1000.0 * num::kMu0) : h_A_m;
    p.idc_A = core.le_mm * p.h_A_m / (core.turns * 1000.0);
    return p;
}

double DcBiasCurveMugr(const GappedCore& core, int i) {
    const double murev = kDcBiasMui * Curve().r[i];
    return num::GappedPermeability(murev, core.ae_mm2, core.le_mm, kDcBiasMui, core.al_nH);
}

DcBiasCurveStep DcBiasCurvePoint(const GappedCore& core, int i, double mua, double h_A_m) {
    DcBiasCurveStep p = DcBiasCurveCurrent(core, i, mua, h_A_m);
    if (!p.end) p.mugr = DcBiasCurveMugr(core, i);
    return p;
}

} // namespace tolvik::core
