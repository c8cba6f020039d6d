#include "tolvik/material/complex_mu.h"

#include "tolvik/ui_common/numtext.h"

#include <cmath>

namespace tolvik::material {

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

Value ComplexQuantityAt(const data::ComplexMuRow& row, ComplexQuantity q, double mui) {
    switch (q) {
    case ComplexQuantity::MuS1:
        return row.real;
    case ComplexQuantity::MuS2:
        return row.imag;
    case ComplexQuantity::MuP1:
        return row.parallelReal;
    case ComplexQuantity::MuP2:
        return row.parallelImag;
    case ComplexQuantity::Gp:
        return row.gp;
    case ComplexQuantity::Zn:
        return row.zn;
    case ComplexQuantity::TanDelta: {
        if (!(row.real > 0) || mui == 0) return 0.0;
        const double t = row.imag / row.real / mui * 1000000;
        return std::isfinite(t) ? Value(t) : Value();
    }
    }
    return {};
}

MatCurve ComplexCurve(const std::string& material, ComplexQuantity q, const Value& muiField,
                      const std::optional<data::ComplexMuCurve>& rows) {
    MatCurve curve;
    const double mui = muiField.toDouble();
    if (mui == 0 || !std::isfinite(mui)) return curve;
    if (!rows) {
        curve.message = kNoDataText;
        return curve;
    }
    curve.rowCount = rows->rowCount;
    curve.legend = material + LegendSuffix(q);
    int i = 1;
    for (const data::ComplexMuRow& row : rows->rows) {
        // A row without a value is plotted as 0 (left out on the logarithmic axis).
        const double y = ComplexQuantityAt(row, q, mui).toDouble();
        curve.points.push_back({i++, row.f, std::isfinite(y) ? y : 0.0});
    }
    curve.valid = true;
    return curve;
}

ComplexReading ComplexAt(ComplexQuantity q, double f, const data::ComplexMuLookup& at,
                         const Value& muiField) {
    ComplexReading r;
    if (f == 0 || !std::isfinite(f)) return r;
    if (!at.hasColumns) {
        r.value.message = kNoDataText;
        return r;
    }
    if (!at.at) return r;
    double mui = 0;
    if (q == ComplexQuantity::TanDelta) {
        // The µi field of the µi tab holds the material's µi the loss factor is divided by.
        r.muiText = muiField.toText();
        mui = text::ReadNumber(r.muiText);
        if (mui == 0 || !std::isfinite(mui)) return r;
    }
    const Value v = ComplexQuantityAt(*at.at, q, mui);
    if (!v.isEmpty()) r.value = Finite(v.toDouble());
    return r;
}

} // namespace tolvik::material
