#include "tolvik/material/complex_mu.h"

#include "tolvik/data/records.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::material {

namespace {
constexpr const char* kTable = "Mu_mu__f";

bool HasColumns(data::Database& db, const std::string& material) {
    return HasColumn(db, kTable, "mu_" + material) && HasColumn(db, kTable, "mu__" + material);
}
} // namespace

const char* LegendSuffix(ComplexQuantity q) {
    switch (q) {
    case ComplexQuantity::MuS1:
        return " µ'";
    case ComplexQuantity::MuS2:
        return " µ''";
    case ComplexQuantity::MuP1:
        return " µp'";
    case ComplexQuantity::MuP2:
        return " µp''";
    case ComplexQuantity::TanDelta:
        return " tan d/µi";
    case ComplexQuantity::Gp:
        return " gp";
    case ComplexQuantity::Zn:
        return " Z_N";
    }
    return "";
}

const char* AxisTitle(ComplexQuantity q) {
    switch (q) {
    case ComplexQuantity::MuS1:
        return "µ'";
    case ComplexQuantity::MuS2:
        return "µ''";
    case ComplexQuantity::MuP1:
        return "µp'";
    case ComplexQuantity::MuP2:
        return "µp''";
    case ComplexQuantity::TanDelta:
        return "tan d /µi*10^6";
    case ComplexQuantity::Gp:
        return "gp[ps]";
    case ComplexQuantity::Zn:
        return "Z_N[Ohm/mm]";
    }
    return "";
}

Value ComplexQuantityAt(data::Recordset& cursor, const std::string& material, ComplexQuantity q, double f,
                        double mui, int rowMode) {
    switch (q) {
    case ComplexQuantity::MuS1:
        return data::ComplexMuAt(cursor, material, f, rowMode).real;
    case ComplexQuantity::MuS2:
        return data::ComplexMuAt(cursor, material, f, rowMode).imag;
    case ComplexQuantity::MuP1:
        return data::ComplexMuParallelReal(cursor, material, f, rowMode);
    case ComplexQuantity::MuP2:
        return data::ComplexMuParallelImag(cursor, material, f, rowMode);
    case ComplexQuantity::Gp:
        return data::ComplexMuGp(cursor, material, f, rowMode);
    case ComplexQuantity::Zn:
        return data::ComplexMuZn(cursor, material, f, rowMode);
    case ComplexQuantity::TanDelta: {
        const data::ComplexMu mu = data::ComplexMuAt(cursor, material, f, rowMode);
        if (!(mu.real > 0) || mui == 0) return 0.0;
        const double t = mu.imag / mu.real / mui * 1000000;
        return std::isfinite(t) ? Value(t) : Value();
    }
    }
    return {};
}

MatCurve ComplexCurve(data::Database& db, const std::string& material, ComplexQuantity q) {
    MatCurve curve;
    if (material.empty()) return curve;
    const double mui = data::GetMaterialValue(db, 1, material).toDouble();
    if (mui == 0 || !std::isfinite(mui)) return curve;
    if (!HasColumns(db, material)) {
        curve.message = kNoDataText;
        return curve;
    }
    auto rs = db.openTable(kTable);
    const int n = static_cast<int>(data::CountCurveRows(*rs, "F").toDouble()) - 1;
    curve.rowCount = n + 1;
    curve.legend = material + LegendSuffix(q);
    rs->moveFirst();
    for (int i = 1; i <= n && !rs->eof(); ++i, rs->moveNext()) {
        const double f = rs->field("F").toDouble();
        // A row without a value is plotted as 0 (left out on the logarithmic axis).
        const double y = ComplexQuantityAt(*rs, material, q, f, mui, 0).toDouble();
        curve.points.push_back({i, f, std::isfinite(y) ? y : 0.0});
    }
    rs->close();
    curve.valid = true;
    return curve;
}

ComplexReading ComplexAt(data::Database& db, const std::string& material, ComplexQuantity q, double f) {
    ComplexReading r;
    if (f == 0 || !std::isfinite(f) || material.empty()) return r;
    if (!HasColumns(db, material)) {
        r.value.message = kNoDataText;
        return r;
    }
    auto rs = db.openTable(kTable);
    if (rs->recordCount() == 0) return r;
    double mui = 0;
    if (q == ComplexQuantity::TanDelta) {
        // The µi field of the µi tab holds the material's µi the loss factor is divided by.
        r.muiText = data::GetMaterialValue(db, 1, material).toText();
        mui = text::ReadNumber(r.muiText);
        if (mui == 0 || !std::isfinite(mui)) return r;
    }
    const Value v = ComplexQuantityAt(*rs, material, q, f, mui, -1);
    rs->close();
    if (!v.isEmpty()) r.value = Finite(v.toDouble());
    return r;
}

} // namespace tolvik::material
