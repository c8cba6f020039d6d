#include "tolvik/data/curves.h"

#include "tolvik/data/catalogue_rows.h"

#include "tolvik/data/database.h"
#include "tolvik/data/records.h"

namespace tolvik::data {

namespace {

constexpr const char* kMuiT = "MuiT";
constexpr const char* kHysterese = "Hysterese";
constexpr const char* kComplexMu = "Mu_mu__f";
constexpr const char* kPvT = "PvT";
constexpr const char* kPvExpo = "PVEXPO";

const char* MuaTable(bool overB) {
    return overB ? "MuaB" : "MuaH";
}

int CurveRowCount(Recordset& rs, std::string_view column) {
    return static_cast<int>(CountCurveRows(rs, column).toDouble());
}

/// Rows 1 .. N of column y over column x, N + 1 being the row of the mark 0.
CurveRows ReadCurveRows(Database& db, std::string_view table, std::string_view xField,
                        std::string_view yField) {
    auto rs = db.openTable(table);
    CurveRows curve;
    curve.rowCount = CurveRowCount(*rs, yField);
    rs->moveFirst();
    for (int i = 1; i < curve.rowCount && !rs->eof(); ++i, rs->moveNext()) {
        const double y = rs->field(yField).toDouble();
        curve.points.push_back({rs->field(xField).toDouble(), y});
    }
    rs->close();
    return curve;
}

bool HasComplexColumns(Database& db, std::string_view material) {
    const std::string m(material);
    return HasColumn(db, kComplexMu, "mu_" + m) && HasColumn(db, kComplexMu, "mu__" + m);
}

} // namespace

bool HasColumn(Database& db, std::string_view table, std::string_view column) {
    return !column.empty() && db.hasTable(table) && db.hasField(table, column);
}

std::string TemperatureColumn(std::string_view name, bool t25) {
    return std::string(name) + (t25 ? "T25" : "T100");
}

std::optional<TableColumns> ReadTableColumns(Database& db, std::string_view table, std::string_view xField,
                                             std::string_view yField) {
    if (!db.hasTable(table)) (void)db.openTable(table); // the file's own complaint
    CurveColumns columns(db, table);
    std::optional<std::vector<double>> x = columns.column(xField), y = columns.column(yField);
    if (!x || !y) return std::nullopt;
    return TableColumns{std::move(*x), std::move(*y)};
}

std::optional<CurveRows> ReadMuiTCurve(Database& db, std::string_view material) {
    if (!HasColumn(db, kMuiT, material)) return std::nullopt;
    return ReadCurveRows(db, kMuiT, "T", material);
}

std::optional<CurveRows> ReadMuiTRecords(Database& db, std::string_view material) {
    if (!HasColumn(db, kMuiT, material)) return std::nullopt;
    auto rs = db.openTable(kMuiT);
    CurveRows curve;
    curve.rowCount = CurveRowCount(*rs, material);
    // Points 1 .. n−2: the walk ends when the point index reaches n − 1, so the last usable
    // record is not taken. With no usable record (n = 1) nothing is taken.
    rs->moveFirst();
    for (int i = 1; !rs->eof() && i < curve.rowCount - 1; ++i) {
        const double mui = rs->number(material).toDouble();
        curve.points.push_back({rs->number("T").toDouble(), mui});
        rs->moveNext();
    }
    rs->close();
    return curve;
}

std::optional<double> MuiAt(Database& db, std::string_view material, double t) {
    if (!HasColumn(db, kMuiT, material)) return std::nullopt;
    return MuiAtT(db, material, t).toDouble();
}

std::optional<CurveRows> ReadMuaCurve(Database& db, bool overB, std::string_view column) {
    if (!HasColumn(db, MuaTable(overB), column)) return std::nullopt;
    return ReadCurveRows(db, MuaTable(overB), overB ? "B" : "H", column);
}

std::optional<double> MuaAt(Database& db, bool overB, std::string_view column, double x) {
    if (!HasColumn(db, MuaTable(overB), column)) return std::nullopt;
    return (overB ? MuaAtB(db, column, x) : MuaAtH(db, column, x)).toDouble();
}

std::optional<std::vector<CurveXY>> ReadHysteresisLoop(Database& db, std::string_view material, bool t25) {
    const std::string cH = TemperatureColumn("H" + std::string(material), t25);
    const std::string cB = TemperatureColumn("B" + std::string(material), t25);
    if (!HasColumn(db, kHysterese, cH) || !HasColumn(db, kHysterese, cB)) return std::nullopt;
    std::vector<CurveXY> loop;
    auto rs = db.openTable(kHysterese);
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const double h = rs->field(cH).toDouble();
        const double b = rs->field(cB).toDouble();
        if (h == 0 && b == 0) break;
        loop.push_back({h, b});
    }
    rs->close();
    return loop;
}

ComplexMuRow ComplexMuRowAt(Recordset& cursor, std::string_view material, double f, int rowMode) {
    ComplexMuRow row;
    row.f = f;
    const ComplexMu mu = ComplexMuAt(cursor, material, f, rowMode);
    row.real = mu.real;
    row.imag = mu.imag;
    row.parallelReal = ComplexMuParallelReal(cursor, material, f, rowMode);
    row.parallelImag = ComplexMuParallelImag(cursor, material, f, rowMode);
    row.gp = ComplexMuGp(cursor, material, f, rowMode);
    row.zn = ComplexMuZn(cursor, material, f, rowMode);
    return row;
}

std::optional<ComplexMuCurve> ReadComplexMuCurve(Database& db, std::string_view material) {
    if (!HasComplexColumns(db, material)) return std::nullopt;
    auto rs = db.openTable(kComplexMu);
    ComplexMuCurve curve;
    curve.rowCount = CurveRowCount(*rs, "F");
    rs->moveFirst();
    for (int i = 1; i < curve.rowCount && !rs->eof(); ++i, rs->moveNext())
        curve.rows.push_back(ComplexMuRowAt(*rs, material, rs->field("F").toDouble(), 0));
    rs->close();
    return curve;
}

ComplexMuLookup ComplexMuAtF(Database& db, std::string_view material, double f) {
    ComplexMuLookup r;
    r.hasColumns = HasComplexColumns(db, material);
    if (!r.hasColumns) return r;
    auto rs = db.openTable(kComplexMu);
    if (rs->recordCount() != 0) r.at = ComplexMuRowAt(*rs, material, f, -1);
    rs->close();
    return r;
}

std::optional<std::vector<CurveXY>> ReadPvRows(Database& db, std::string_view material,
                                               const PvFilter& filter) {
    if (!HasColumn(db, kPvT, material)) return std::nullopt;
    std::vector<CurveXY> rows;
    auto rs = db.openQuery(sql::PvCurve(material, filter.field1, filter.v1, filter.field2, filter.v2));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        rows.push_back({rs->field(filter.xField).toDouble(), rs->field(material).toDouble()});
    rs->close();
    return rows;
}

std::optional<double> PvLossAt(Database& db, std::string_view material, double f, double b, double t) {
    if (!HasColumn(db, kPvT, material)) return std::nullopt;
    return PvAt(db, material, f, b, t).toDouble();
}

std::optional<std::vector<PvExpoRow>> ReadPvExpo(Database& db, std::string_view material, double t,
                                                 std::optional<double> f) {
    const std::string m(material);
    if (!HasColumn(db, kPvExpo, m + "X") || !HasColumn(db, kPvExpo, m + "C")) return std::nullopt;
    std::vector<PvExpoRow> rows;
    auto rs = db.openQuery(sql::PvExpo(material, t, f));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        rows.push_back(
            {rs->field("F").toDouble(), rs->field(m + "C").toDouble(), rs->field(m + "X").toDouble()});
    rs->close();
    return rows;
}

} // namespace tolvik::data
