#include "tolvik/data/records.h"

#include "tolvik/numerics/numerics.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace tolvik::data {

namespace {

/// A computed number as a value; a result that is not finite has no value.
Value FiniteOrEmpty(double x) {
    return std::isfinite(x) ? Value(x) : Value();
}

/// The material fields by MaterialField; GetMaterialValue reads the first 17.
constexpr const char* kMaterialFields[] = {"mui",  "Bs25",   "Bs100",    "Hc25",     "Hc100", "Tc",      "hb",
                                           "fmin", "ftyp",   "fmax",     "dT",       "f",     "B",       "T",
                                           "Pv",   "Dichte", "Leistung", "tandmuei", "af",    "dcresist"};
constexpr int kMaterialSelectors = 17;

/// The core fields by CoreField.
constexpr const char* kCoreFields[] = {"Ae", "le", "Ve", "Amin", "Rth", "AN",
                                       "LN", "Ar", "K1", "K2",   "CDF", "hWickel"};

/// The field read for a material selector 1..17, "" outside.
const char* MaterialFieldName(int selector) {
    return selector >= 1 && selector <= kMaterialSelectors ? kMaterialFields[selector - 1] : "";
}

/// The field read for a core selector 1..12, "" outside.
const char* CoreFieldName(int selector) {
    return selector >= 1 && selector <= static_cast<int>(std::size(kCoreFields)) ? kCoreFields[selector - 1]
                                                                                 : "";
}

/// Opens a curve table by name and interpolates one of its columns.
Value InterpolateTable(Database& db, std::string_view table, std::string_view xField, std::string_view yField,
                       double x) {
    auto rs = db.openTable(table);
    Value v = InterpolateColumn(*rs, xField, yField, x);
    rs->close();
    return v;
}

/// The named fields of the last row of a query; nullopt when it has none.
std::optional<std::vector<Value>> LastRowFields(Database& db, const Query& query,
                                                std::initializer_list<std::string_view> fields) {
    std::optional<std::vector<Value>> out;
    auto rs = db.openQuery(query);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        out.emplace();
        for (std::string_view name : fields)
            out->push_back(rs->field(name));
    }
    rs->close();
    return out;
}

/// Turns the first decimal comma of a text into a point.
std::string FirstCommaToPoint(std::string s) {
    const auto comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    return s;
}

} // namespace

CoreVariants ReadCoreVariants(Database& db, std::string_view coreType) {
    CoreVariants v;
    auto rs = db.openQuery(sql::CoreVariants(coreType));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const bool shown = rs->field("Anzeige").toBool();
        if (rs->field("Lp").toBool()) {
            v.lowProfile = true;
            v.lowProfileShown = v.lowProfileShown || shown;
        }
        if (rs->field("Loch").toBool()) {
            v.hole = true;
            v.holeShown = v.holeShown || shown;
        }
    }
    rs->close();
    return v;
}

Query BuildCoreQuery(const CoreSelection& core) {
    return sql::CoreRecord(core.kerntyp, core.lowProfile, core.hole);
}

Value GetCoreValue(Database& db, const CoreSelection& core, int selector) {
    const CoreGeometry g = CoreGeometry::Read(db, core);
    return *CoreFieldName(selector) ? g.value(CoreField(selector)) : Value::integer(0);
}

std::optional<std::vector<Value>> CoreRecordFields(Database& db, const CoreSelection& core,
                                                   std::initializer_list<std::string_view> fields) {
    return LastRowFields(db, BuildCoreQuery(core), fields);
}

std::optional<std::vector<Value>> MaterialRecordFields(Database& db, std::string_view name,
                                                       std::initializer_list<std::string_view> fields) {
    return LastRowFields(db, sql::MaterialByName(name), fields);
}

void RecordValues::read(Database& db, const Query& query, const char* const* names, std::size_t count,
                        const Value& none) {
    fields_.assign(count, Field{{none, {}}, {none, {}}, {Value(), {}}});
    rows_ = 0;
    auto rs = db.openQuery(query);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext(), ++rows_) {
        for (std::size_t k = 0; k < count; ++k) {
            Field& f = fields_[k];
            try {
                f.stored.value = rs->field(names[k]);
            } catch (const DataError& e) {
                if (!f.stored.fault) f.stored.fault = e.what();
            }
            if (f.last.fault) continue; // reading it alone stops at its first fault
            try {
                f.last.value = rs->number(names[k]);
                if (rows_ == 0) f.first.value = f.last.value;
            } catch (const DataError& e) {
                f.last.fault = e.what();
                if (rows_ == 0) f.first.fault = e.what();
            }
        }
    }
    rs->close();
}

Value RecordValues::Cell::get() const {
    if (fault) throw DataError(*fault);
    return value;
}

Value RecordValues::last(std::size_t k) const {
    return k < fields_.size() ? fields_[k].last.get() : Value::integer(0);
}
Value RecordValues::first(std::size_t k) const {
    return k < fields_.size() ? fields_[k].first.get() : Value();
}
Value RecordValues::stored(std::size_t k) const {
    return k < fields_.size() ? fields_[k].stored.get() : Value();
}

CoreGeometry CoreGeometry::Read(Database& db, const CoreSelection& core) {
    CoreGeometry g;
    g.read(db, BuildCoreQuery(core), kCoreFields, std::size(kCoreFields), Value::integer(0));
    return g;
}

MaterialValues MaterialValues::Read(Database& db, std::string_view name) {
    MaterialValues m;
    m.read(db, sql::MaterialByName(name), kMaterialFields, std::size(kMaterialFields), Value());
    return m;
}

Value GetMaterialValue(Database& db, int selector, std::string_view name) {
    // The rows of that name in stored order, not a walk over the whole table.
    const MaterialValues m = MaterialValues::Read(db, name);
    return *MaterialFieldName(selector) ? m.first(MaterialField(selector)) : Value();
}

Value GetMaterialMui(Database& db, std::string_view name) {
    return GetMaterialValue(db, 1, name);
}

KFactorPair ReadKFactors(Database& db, std::string_view coreType) {
    auto rs = db.openQuery(sql::KFactors(coreType));
    KFactorPair k;
    rs->moveFirst();
    if (!rs->eof()) {
        k.k1 = rs->number("K1").toDouble();
        k.k2 = rs->number("K2").toDouble();
    }
    rs->close();
    return k;
}

Value InterpolateColumn(Recordset& cursor, std::string_view xField, std::string_view yField, double x) {
    if (xField.empty() || yField.empty()) return Value();
    // Both fields must exist even when the table is too short to read them.
    if (!cursor.hasField(xField)) (void)cursor.field(xField);
    if (!cursor.hasField(yField)) (void)cursor.field(yField);
    cursor.moveFirst();
    cursor.moveNext();
    bool found = false;
    double x1 = 0, x2 = 0;
    while (!cursor.eof() && !found) {
        cursor.movePrevious();
        x1 = cursor.number(xField).toDouble();
        cursor.moveNext();
        x2 = cursor.number(xField).toDouble();
        if (x1 <= x && x <= x2) found = true;
        cursor.moveNext();
    }
    if (!found) return Value::integer(0);
    cursor.movePrevious();
    const double y2 = cursor.number(yField).toDouble();
    cursor.movePrevious();
    const double y1 = cursor.number(yField).toDouble();
    const double y = num::LinearInterpolate(x1, y1, x2, y2, x);
    return std::isfinite(y) ? Value(y) : Value::integer(0);
}

Value MuiAtT(Database& db, std::string_view column, double t) {
    return InterpolateTable(db, "MuiT", "T", column, t);
}
Value MuaAtB(Database& db, std::string_view column, double b) {
    return InterpolateTable(db, "MuaB", "B", column, b);
}
Value MuaAtH(Database& db, std::string_view column, double h) {
    return InterpolateTable(db, "MuaH", "H", column, h);
}

Value MuRealAtF(Database& db, std::string_view material, double f) {
    return InterpolateTable(db, "Mu_mu__f", "f", "mu_" + std::string(material), f);
}

Value MuImagAtF(Database& db, std::string_view material, double f) {
    return InterpolateTable(db, "Mu_mu__f", "f", "mu__" + std::string(material), f);
}

HbResult HbAtT(Database& db, std::string_view column, double t) {
    HbResult r;
    try {
        const std::string text = InterpolateTable(db, "hbT", "T", column, t).toText();
        if (!text.empty()) {
            r.value = ReadLeadingNumber(FirstCommaToPoint(text));
            return r;
        }
    } catch (const DataError&) {
        // A missing table or column is the same for the caller as a column without data.
    }
    r.value = 0;
    r.failed = true;
    return r;
}

std::string GetAWGFromGroesse(Database& db, double d_mm) {
    std::string awg;
    auto rs = db.openQuery(sql::WiresBySize());
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        if (!(d_mm > rs->field("Groesse").toDouble())) {
            awg = rs->field("AWG").toText();
            break;
        }
    }
    rs->close();
    return awg;
}

Value PvAt(Database& db, std::string_view material, double f, double b, double t) {
    Value result = Value::integer(0);
    if (b != 0 && f != 0 && !material.empty()) {
        auto rs = db.openQuery(sql::PvRow(t, f, b, material));
        rs->moveFirst();
        if (!rs->eof()) result = rs->number(material);
        rs->close();
    }
    return result;
}

Value CountCurveRows(Recordset& cursor, std::string_view column) {
    cursor.moveFirst();
    if (column.empty()) return Value();
    if (!cursor.hasField(column)) (void)cursor.field(column);
    long n = 1;
    // An empty (NULL) cell ends the curve as the mark 0 does.
    while (!cursor.eof() && cursor.number(column).toDouble() != 0) {
        ++n;
        cursor.moveNext();
    }
    if (n <= std::numeric_limits<std::int16_t>::max()) return Value::integer(static_cast<std::int16_t>(n));
    return Value(static_cast<double>(n));
}

std::string ColumnAsText(Database& db, std::string_view table, std::string_view field) {
    auto rs = db.openQuery(sql::SelectColumn(field, table));
    std::string text;
    if (rs->recordCount() != 0) {
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            text += rs->field(field).toText();
            text += '\t';
        }
    }
    rs->close();
    return text;
}

ComplexMu ComplexMuAt(Recordset& cursor, std::string_view material, double f, int rowMode) {
    const std::string re = "mu_" + std::string(material);
    const std::string im = "mu__" + std::string(material);
    ComplexMu mu;
    if (rowMode == -1) {
        mu.real = InterpolateColumn(cursor, "f", re, f).toDouble();
        mu.imag = InterpolateColumn(cursor, "f", im, f).toDouble();
    } else {
        mu.real = cursor.number(re).toDouble();
        mu.imag = cursor.number(im).toDouble();
    }
    return mu;
}

namespace {
double MagnitudeSquared(const ComplexMu& mu) {
    return mu.real * mu.real + mu.imag * mu.imag;
}
} // namespace

Value ComplexMuMagnitude(Recordset& cursor, std::string_view material, double f, int rowMode) {
    return FiniteOrEmpty(std::sqrt(MagnitudeSquared(ComplexMuAt(cursor, material, f, rowMode))));
}

Value ComplexMuParallelReal(Recordset& cursor, std::string_view material, double f, int rowMode) {
    const ComplexMu mu = ComplexMuAt(cursor, material, f, rowMode);
    if (mu.real == 0) return Value();
    return FiniteOrEmpty(MagnitudeSquared(mu) / mu.real);
}

Value ComplexMuParallelImag(Recordset& cursor, std::string_view material, double f, int rowMode) {
    const ComplexMu mu = ComplexMuAt(cursor, material, f, rowMode);
    if (mu.imag == 0) return Value();
    return FiniteOrEmpty(MagnitudeSquared(mu) / mu.imag);
}

Value ComplexMuGp(Recordset& cursor, std::string_view material, double f, int rowMode) {
    const ComplexMu mu = ComplexMuAt(cursor, material, f, rowMode);
    // µ'' ≠ 0 makes |µ|² non-zero; a frequency of 0 would still divide by zero.
    const double denominator = f * MagnitudeSquared(mu);
    if (mu.imag == 0 || denominator == 0) return Value();
    return FiniteOrEmpty(1e9 * mu.imag / denominator);
}

Value ComplexMuZn(Recordset& cursor, std::string_view material, double f, int rowMode) {
    const ComplexMu mu = ComplexMuAt(cursor, material, f, rowMode);
    return FiniteOrEmpty(f * num::kTwoPi * num::kMu0 * std::sqrt(MagnitudeSquared(mu)));
}

} // namespace tolvik::data
