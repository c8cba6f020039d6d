#include "tolvik/core/dc_bias.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>
#include <initializer_list>

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
double GapTerm(double x, double df, double mui) {
    const double r = num::LangevinSlope(x).toDouble();
    return (1.0 - df - r) / (df * mui * r);
}

} // namespace

DcBiasTitles YAxisTitles(DcBiasYAxis y) {
    switch (y) {
    case DcBiasYAxis::LRev:
        return {"reversible Inductance", "Lrev[mH]"};
    case DcBiasYAxis::Energy:
        return {"magnetic energy", "LI²/2[mJ]"};
    case DcBiasYAxis::RollOff:
        return {"permeability roll-off", "µrev/µe[%]"};
    case DcBiasYAxis::MuRev:
        break;
    }
    return {"reversible permeability", "µrev"};
}

const char* XAxisTitle(DcBiasXAxis x) {
    return x == DcBiasXAxis::Hdc ? "Hdc[A/m]" : "Idc[A]";
}

std::string PlotDataInductanceText(const std::string& t0Al, const std::string& t0N) {
    return text::FormatPattern(num::InductanceFromAl(text::ReadNumber(t0Al), text::ReadNumber(t0N)),
                               "#.####");
}

void InitDCBiasInput(std::string& t1L, std::string& t1I, std::string& t1dmurev) {
    if (t1L.empty()) t1L = "1";
    if (t1I.empty()) t1I = "1";
    if (t1dmurev.empty()) t1dmurev = "10";
}

std::optional<double> OperatingPoint(const OperatingPointInput& in) {
    const double bt = in.bs_mT / 1000.0;    // T
    const double df = in.dmurev_pct * 0.01; // fraction
    const double v = in.ve_mm3 * 1E-9;      // m³
    const double lH = in.l_mH * 1E-3;       // H
    const double mui = kDcBiasMui;

    double x = kScanStart;
    double bestX = x;
    double bestF = 0;
    double previousF = 0; // counts as 0 before the first step
    while (x <= kScanEnd) {
        const double r = num::LangevinSlope(x).toDouble();
        const double t = GapTerm(x, df, mui);
        const double p = std::pow((t + 1.0 / in.mua0) * num::Langevin(x).toDouble() * bt / num::kMu0, 2);
        const double q = (t + 1.0 / (r * mui)) * in.idc_A * in.idc_A * (1.0 - df) * lH / (v * num::kMu0);
        const double f = p - q;
        if (!AllFinite({t, p, q, f})) return std::nullopt;
        if (previousF == 0.0 || std::fabs(f) < std::fabs(bestF)) {
            bestX = x;
            bestF = f;
        }
        previousF = f;
        x += kScanStep;
    }
    return bestX;
}

std::optional<DcBiasDesign> getDCBiasOutput(double x, double dmurev_pct, double mui, double ae_mm2,
                                            double le_mm, double l_mH) {
    const double df = dmurev_pct * 0.01;
    const double ae = ae_mm2 * 1E-6;
    const double le = le_mm * 1E-3;
    DcBiasDesign d;
    const double t = GapTerm(x, df, mui);
    d.mue = 1.0 / (1.0 / mui + t);
    d.s_mm = (1.0 / d.mue - 1.0 / mui) * le_mm;
    d.al_nH = ae / le * d.mue * num::kMu0 / 1E-9;
    d.turns = std::sqrt(l_mH / std::fabs(d.al_nH)) * 1000.0;
    if (!AllFinite({t, d.mue, d.s_mm, d.al_nH, d.turns})) return std::nullopt;
    return d;
}

DcBiasResult CalculateDcBias(const DcBiasInput& in) {
    DcBiasResult r;
    if (in.material.empty() || in.coreType.empty()) return r;
    r.ran = true;
    r.t0Al = in.t0Al;
    r.t0N = in.t0N;
    auto fail = [&r] {
        r.failed = true;
        r.drawn = false;
        r.points.clear();
        r.messages.emplace_back(kValuesNotValidText);
        return r;
    };
    try {
        r.t0L = PlotDataInductanceText(in.t0Al, in.t0N);

        const double l_mH = text::ReadNumber(in.t1L);
        const double idc_A = text::ReadNumber(in.t1I);
        const double d_pct = text::ReadNumber(in.t1dmurev);
        const double mua0 = in.muaAtB(0.0);
        const std::optional<double> x = OperatingPoint({in.bs_mT, mua0, l_mH, in.ve_mm3, idc_A, d_pct});
        if (!x) return fail();
        const std::optional<DcBiasDesign> design =
            getDCBiasOutput(*x, d_pct, kDcBiasMui, in.ae_mm2, in.le_mm, l_mH);
        if (!design) return fail();

        r.designed = true;
        r.t1mue = text::FormatPattern(design->mue, "#");
        r.t1s = text::FormatPattern(design->s_mm, "#.##");
        r.t1Al = text::FormatPattern(design->al_nH, "#");
        r.t1N = text::FormatPattern(design->turns, "#");
        // The wire belongs to the turns shown beside it.
        if (const auto wire = SuchDraht(text::ReadNumber(r.t1N), in.an_mm2, in.wires))
            r.t1d = WireText(*wire);
        if (in.copyToPlotData) {
            r.t0Al = r.t1Al;
            r.t0N = r.t1N;
            // The plot data show the inductance that was read, in their own format: the
            // typed text itself may be anything.
            r.t0L = text::FormatPattern(l_mH, "#.####");
        }
        if (design->s_mm < 0) r.messages.emplace_back(kNegativeGapText);

        const double al = text::ReadNumber(r.t0Al);
        const double n = text::ReadNumber(r.t0N);
        const double lp_mH = n * n * al * 1E-6;
        const double mue = num::MueFromAl(al, in.le_mm, in.ae_mm2);
        if (mue == 0.0 || !in.draw) return r;

        double h = 0; // A/m; kept where the gapped permeability has no value
        for (int i = 1; i <= kDcBiasPoints; ++i) {
            const double xi = i / 10.0;
            const double b = num::LangevinScaled(xi, in.bs_mT).toDouble();
            const double mua = in.muaAtB(b);
            if (mua == 0.0) break;
            const double muga = num::GappedPermeability(mua, in.ae_mm2, in.le_mm, kDcBiasMui, al);
            if (muga != 0.0) h = b / (muga * 1000.0 * num::kMu0);
            if (n == 0.0) return fail();
            const double idc = in.le_mm * h / (n * 1000.0);
            const double murev = num::LangevinSlopeScaled(xi, kDcBiasMui).toDouble();
            const double mugr = num::GappedPermeability(murev, in.ae_mm2, in.le_mm, kDcBiasMui, al);
            double y = mugr;
            switch (in.yAxis) {
            case DcBiasYAxis::MuRev:
                break;
            case DcBiasYAxis::LRev:
                y = mugr / mue * lp_mH;
                break;
            case DcBiasYAxis::Energy:
                y = idc * idc * (mugr / mue * lp_mH) / 2.0;
                break;
            case DcBiasYAxis::RollOff:
                y = mugr / mue * 100.0;
                break;
            }
            const double xValue = in.xAxis == DcBiasXAxis::Hdc ? h : idc;
            if (!AllFinite({xValue, y})) return fail();
            r.points.push_back({i, xValue, y});
        }
        // The Al value as read: the typed text itself may be anything.
        std::string alText = text::FormatPattern(al, "#.###");
        if (!alText.empty() && alText.back() == '.') alText.pop_back();
        r.legend = "µrev " + in.material + " Al=" + (alText.empty() ? std::string("0") : alText) + "[nH]";
        r.drawn = true;
    } catch (const data::DataError&) {
        return fail();
    }
    return r;
}

DcBiasReading DcBiasReaderTexts(double x, const std::string& yText, DcBiasXAxis xAxis, DcBiasYAxis yAxis) {
    DcBiasReading r;
    if (xAxis == DcBiasXAxis::Hdc)
        r.x = "Hdc=" + text::FormatPattern(x, "#") + "[A/m]";
    else
        r.x = "Idc=" + text::FormatSignificant(x, 3, 999) + "[A]";
    switch (yAxis) {
    case DcBiasYAxis::MuRev:
        r.y = "µrev=" + yText;
        break;
    case DcBiasYAxis::LRev:
        r.y = "Lrev=" + yText + "[mH]";
        break;
    case DcBiasYAxis::Energy:
        r.y = "LI²/2=" + yText + "[mJ]";
        break;
    case DcBiasYAxis::RollOff:
        r.y = "µrev/µe=" + yText + "[%]";
        break;
    }
    return r;
}

} // namespace tolvik::core
