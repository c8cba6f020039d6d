#include "tolvik/material/power_loss.h"

#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::material {

namespace {

const std::vector<std::string>& Frequencies() {
    static const std::vector<std::string> v{"25", "50", "100", "200", "300", "500", "700", "1000"};
    return v;
}
const std::vector<std::string>& FluxDensities() {
    static const std::vector<std::string> v{"13", "25", "50", "100", "200", "300"};
    return v;
}
const std::vector<std::string>& Temperatures() {
    static const std::vector<std::string> v{"25", "30", "40",  "50",  "60", "70",
                                            "80", "90", "100", "110", "120"};
    return v;
}
const std::vector<std::string>& LossLevels() {
    static const std::vector<std::string> v{"50",  "100", "150", "200", "250", "300",
                                            "350", "400", "450", "500", "550"};
    return v;
}

/// A number as the program writes it into a list: a blank before a non-negative value.
std::string SignedNumberText(double x) {
    return (x >= 0 ? " " : "") + PlainNumberText(x);
}

} // namespace

PowerLossAxes PowerLossAxesFor(PvX x, PvY y) {
    PowerLossAxes a;
    switch (x) {
    case PvX::T:
        a = {"f[kHz]", "B", 7, "T[°C]", "", "Power loss vs. T", "", ""};
        break;
    case PvX::F:
        a = {"B", "T", 15, "f[kHz]", "", "Power loss vs. f", "", ""};
        break;
    case PvX::B:
        a = {"f[kHz]", "T[°C]", 15, "B[mT]", "", "Power loss vs. B", "", ""};
        break;
    }
    switch (y) {
    case PvY::Volume:
        a.yTitle = "Pl[kW/m³]";
        a.pvLabel = "Plm[kW/m³]";
        a.bLabel = "B[mT]";
        break;
    case PvY::Mass:
        a.yTitle = "Pl [mW/g]";
        a.pvLabel = "Plm[mW/g]";
        a.bLabel = "B[mT]";
        break;
    case PvY::PerformanceFactor:
        a.graphTitle = "Perform. fact. vs. f";
        a.yTitle = "f*Bmax[kHz*mT]";
        a.pvLabel = "f*B[kHz*mT]";
        a.pvLab1 = "Pl[kW/m³]";
        a.bLabel = "Pl[kW/m³]";
        a.axisCode = 16;
        break;
    }
    return a;
}

double MassScale(double dichte_kg_m3) {
    return 1000 / dichte_kg_m3;
}

MatValue PerformanceFactor(double p_kW_m3, double c, double x, double f_kHz) {
    if (!(x > 0)) return {};
    const double bMax = std::pow(p_kW_m3 / std::exp(c), 1 / x);
    const MatValue v = Finite(f_kHz * bMax);
    return v.valid && v.value > 0 ? v : MatValue{};
}

ListFill FirstListEntries(bool materialFound, PvX x, PvY y) {
    ListFill fill;
    if (!materialFound) return fill;
    if (y == PvY::PerformanceFactor)
        fill.entries = LossLevels();
    else if (x == PvX::F)
        fill.entries = FluxDensities();
    else
        fill.entries = Frequencies();
    return fill;
}

data::PvFilter SecondListRows(PvX x, double v) {
    switch (x) {
    case PvX::T:
        return {"F", v, "T", kListTemperature_C, "B"};
    case PvX::F:
        return {"B", v, "", 0, "B"};
    case PvX::B:
        break;
    }
    return {"f", v, "", 0, "f"};
}

ListFill SecondListEntries(PvX x, PvY y, const std::optional<std::vector<data::CurveXY>>& rows) {
    ListFill fill;
    if (y == PvY::PerformanceFactor) {
        fill.entries = Temperatures();
        return fill;
    }
    if (!rows) {
        fill.message = kNoDataText;
        return fill;
    }
    if (x == PvX::T) {
        for (const data::CurveXY& row : *rows)
            fill.entries.push_back(text::CommaToPoint(SignedNumberText(row.x)));
    } else if (!rows->empty()) {
        fill.entries = Temperatures();
    }
    return fill;
}

data::PvFilter LossCurveRows(PvX x, double a, double b) {
    switch (x) {
    case PvX::T:
        return {"F", a, "B", b, "T"};
    case PvX::F:
        return {"T", b, "B", a, "F"};
    case PvX::B:
        break;
    }
    return {"T", b, "F", a, "B"};
}

PowerLossCurve PowerLossCurvePoints(const std::string& material, PvX x, PvY y, double a, double b,
                                    const PowerLossRows& rows) {
    PowerLossCurve r;
    const std::string as = PlainNumberText(a), bs = PlainNumberText(b);
    const bool perf = y == PvY::PerformanceFactor;
    if (perf) {
        r.curve.legend = material + "Pl" + as + "T" + bs;
        r.pt = bs;
        r.pb = as;
    } else {
        switch (x) {
        case PvX::T:
            r.pf = as;
            r.pb = bs;
            r.curve.legend = material + "F" + as + "B" + bs;
            break;
        case PvX::F:
            r.pb = as;
            r.pt = bs;
            r.curve.legend = material + "B" + as + "T" + bs;
            break;
        case PvX::B:
            r.pt = bs;
            r.pf = as;
            r.curve.legend = material + "F" + as + "T" + bs;
            break;
        }
    }
    if (perf ? !rows.expo : !rows.loss) {
        r.curve.message = kNoDataText;
        return r;
    }
    if (perf ? rows.expo->empty() : rows.loss->empty()) return r;
    const double scale = y == PvY::Mass ? MassScale(rows.density) : 1.0;
    auto add = [&r](double xv, const MatValue& v) {
        const int i = static_cast<int>(r.curve.points.size()) + 1;
        if (i <= kLossCurvePoints && v.valid && v.value > 0) r.curve.points.push_back({i, xv, v.value});
    };
    if (perf) {
        for (const data::PvExpoRow& row : *rows.expo)
            add(row.f, PerformanceFactor(a, row.c, row.x, row.f));
    } else {
        for (const data::CurveXY& row : *rows.loss)
            add(row.x, Finite(row.y * scale));
    }
    r.curve.rowCount = kLossCurvePoints;
    r.curve.valid = true;
    return r;
}

PowerLossValue PowerLossAt(const PowerLossInput& in) {
    PowerLossValue r;
    if (in.material.empty()) return r;
    auto outcome = [&r](double v) {
        if (std::isnan(v))
            r.value.message = kNoValidValuesText;
        else if (std::isinf(v))
            r.outOfRange = true;
        else
            r.value = Finite(v);
        return r;
    };
    if (in.y == PvY::PerformanceFactor) {
        if (!in.expo) return {{false, kNoDataText, 0}, false};
        if (in.expo->empty()) return {{false, kNoValidValuesText, 0}, false};
        const data::PvExpoRow& row = in.expo->front();
        if (!(row.x > 0)) return outcome(0);
        return outcome(row.f * std::pow(in.b / std::exp(row.c), 1 / row.x));
    }
    if (!in.pv) return {{false, kNoDataText, 0}, false};
    double v = *in.pv;
    if (in.y == PvY::Mass) {
        if (in.density == 0) return {{false, kNoValidValuesText, 0}, false};
        v *= MassScale(in.density);
    }
    return outcome(v);
}

} // namespace tolvik::material
