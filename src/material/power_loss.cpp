#include "tolvik/material/power_loss.h"

#include "tolvik/data/records.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::material {

namespace {

constexpr const char* kPvT = "PvT";
constexpr const char* kPvExpo = "PVEXPO";

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

bool HasExpoColumns(data::Database& db, const std::string& material) {
    return HasColumn(db, kPvExpo, material + "X") && HasColumn(db, kPvExpo, material + "C");
}

/// A number as the program writes it into a list: a blank before a non-negative value.
std::string SignedNumberText(double x) {
    return (x >= 0 ? " " : "") + PlainNumberText(x);
}

double Density(data::Database& db, const std::string& material) {
    return data::GetMaterialValue(db, static_cast<int>(data::MaterialField::Dichte), material).toDouble();
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

ListFill FirstListEntries(data::Database& db, const std::string& material, PvX x, PvY y) {
    ListFill fill;
    auto rs = db.openQuery(data::sql::MaterialByName(material));
    const bool found = rs->recordCount() != 0;
    rs->close();
    if (!found) return fill;
    if (y == PvY::PerformanceFactor)
        fill.entries = LossLevels();
    else if (x == PvX::F)
        fill.entries = FluxDensities();
    else
        fill.entries = Frequencies();
    return fill;
}

ListFill SecondListEntries(data::Database& db, const std::string& material, PvX x, PvY y, double v) {
    ListFill fill;
    if (material.empty()) return fill;
    if (y == PvY::PerformanceFactor) {
        fill.entries = Temperatures();
        return fill;
    }
    if (!HasColumn(db, kPvT, material)) {
        fill.message = kNoDataText;
        return fill;
    }
    std::unique_ptr<data::Recordset> rs;
    switch (x) {
    case PvX::T:
        rs = db.openQuery(data::sql::PvCurve(material, "F", v, "T", kListTemperature_C));
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            fill.entries.push_back(text::CommaToPoint(SignedNumberText(rs->field("B").toDouble())));
        break;
    case PvX::F:
        rs = db.openQuery(data::sql::PvCurve(material, "B", v));
        if (rs->recordCount() != 0) fill.entries = Temperatures();
        break;
    case PvX::B:
        rs = db.openQuery(data::sql::PvCurve(material, "f", v));
        if (rs->recordCount() != 0) fill.entries = Temperatures();
        break;
    }
    rs->close();
    return fill;
}

PowerLossCurve PowerLossCurvePoints(data::Database& db, const std::string& material, PvX x, PvY y, double a,
                                    double b) {
    PowerLossCurve r;
    if (material.empty()) return r;
    const std::string as = PlainNumberText(a), bs = PlainNumberText(b);
    data::Query query;
    const char* xColumn = "F";
    if (y == PvY::PerformanceFactor) {
        r.curve.legend = material + "Pl" + as + "T" + bs;
        r.pt = bs;
        r.pb = as;
        if (!HasExpoColumns(db, material)) {
            r.curve.message = kNoDataText;
            return r;
        }
        query = data::sql::PvExpo(material, b);
    } else {
        switch (x) {
        case PvX::T:
            query = data::sql::PvCurve(material, "F", a, "B", b);
            xColumn = "T";
            r.pf = as;
            r.pb = bs;
            r.curve.legend = material + "F" + as + "B" + bs;
            break;
        case PvX::F:
            query = data::sql::PvCurve(material, "T", b, "B", a);
            xColumn = "F";
            r.pb = as;
            r.pt = bs;
            r.curve.legend = material + "B" + as + "T" + bs;
            break;
        case PvX::B:
            query = data::sql::PvCurve(material, "T", b, "F", a);
            xColumn = "B";
            r.pt = bs;
            r.pf = as;
            r.curve.legend = material + "F" + as + "T" + bs;
            break;
        }
        if (!HasColumn(db, kPvT, material)) {
            r.curve.message = kNoDataText;
            return r;
        }
    }
    const double scale = y == PvY::Mass ? MassScale(Density(db, material)) : 1.0;
    auto rs = db.openQuery(query);
    if (rs->recordCount() == 0) return r;
    int i = 1;
    for (rs->moveFirst(); !rs->eof() && i <= kLossCurvePoints; rs->moveNext()) {
        const double xv = rs->field(xColumn).toDouble();
        MatValue v;
        if (y == PvY::PerformanceFactor)
            v = PerformanceFactor(a, rs->field(material + "C").toDouble(),
                                  rs->field(material + "X").toDouble(), xv);
        else
            v = Finite(rs->field(material).toDouble() * scale);
        if (v.valid && v.value > 0) r.curve.points.push_back({i++, xv, v.value});
    }
    rs->close();
    r.curve.rowCount = kLossCurvePoints;
    r.curve.valid = true;
    return r;
}

PowerLossValue PowerLossAt(data::Database& db, const PowerLossInput& in) {
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
        if (!HasExpoColumns(db, in.material)) return {{false, kNoDataText, 0}, false};
        auto rs = db.openQuery(data::sql::PvExpo(in.material, in.t_C, in.f_kHz));
        rs->moveFirst();
        if (rs->eof()) return {{false, kNoValidValuesText, 0}, false};
        const double f = rs->field("F").toDouble();
        const double x = rs->field(in.material + "X").toDouble();
        const double c = rs->field(in.material + "C").toDouble();
        rs->close();
        if (!(x > 0)) return outcome(0);
        return outcome(f * std::pow(in.b / std::exp(c), 1 / x));
    }
    if (!HasColumn(db, kPvT, in.material)) return {{false, kNoDataText, 0}, false};
    double v = data::PvAt(db, in.material, in.f_kHz, in.b, in.t_C).toDouble();
    if (in.y == PvY::Mass) {
        const double dichte = Density(db, in.material);
        if (dichte == 0) return {{false, kNoValidValuesText, 0}, false};
        v *= MassScale(dichte);
    }
    return outcome(v);
}

} // namespace tolvik::material
