// The design advisor's reads of a data file. The core table is read with only the fields a
// design needs (a file of many cores would otherwise carry every field of every row).

#include "tolvik/data/catalogue_rows.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tolvik::data {

namespace {

/// The rows of table Kernform with only the fields a design reads, in stored order.
std::unique_ptr<Recordset> CoreRecords(Database& db) {
    if (!db.hasTable("Kernform")) return db.openTable("Kernform"); // the file's own complaint
    const auto fields = db.openQuery({"SELECT * FROM Kernform WHERE 0", {}})->fieldNames();
    std::string sql;
    for (const char* wanted : {"Kerntyp", "LP", "Loch", "Ae", "le", "Ve", "AN", "LN", "Rth", "hWickel"}) {
        const auto it = std::find_if(fields.begin(), fields.end(), [wanted](const std::string& f) {
            return EqualsIgnoringCase(f, wanted);
        });
        if (it != fields.end()) sql += (sql.empty() ? "SELECT " : ", ") + QuoteIdentifier(*it);
    }
    if (sql.empty()) return db.openTable("Kernform");
    return db.openQuery({sql + " FROM Kernform", {}});
}

/// A field's value, 0 when the file has no such field.
double Field(const Recordset& rs, const char* name) {
    return rs.hasField(name) ? rs.field(name).toDouble() : 0.0;
}

} // namespace

std::vector<CoreRow> ReadCoreRows(Database& db) {
    auto rs = CoreRecords(db);
    // The fields of the file, looked up once for all its rows; nullptr for one it lacks.
    const char* const wanted[] = {"LP", "Loch", "Ae", "le", "Ve", "AN", "LN", "Rth", "hWickel"};
    std::array<const char*, std::size(wanted)> present{};
    for (std::size_t k = 0; k < present.size(); ++k)
        present[k] = rs->hasField(wanted[k]) ? wanted[k] : nullptr;
    auto value = [&rs](const char* name) { return name ? rs->field(name).toDouble() : 0.0; };
    std::vector<CoreRow> rows;
    rows.reserve(static_cast<std::size_t>(rs->recordCount()));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        CoreRow& r = rows.emplace_back();
        r.kerntyp = rs->field("Kerntyp").toText();
        r.lp = value(present[0]);
        r.loch = value(present[1]);
        r.ae = value(present[2]);
        r.le = value(present[3]);
        r.ve = value(present[4]);
        r.an = value(present[5]);
        r.ln = value(present[6]);
        r.rth = value(present[7]);
        r.hWickel = value(present[8]);
    }
    return rows;
}

std::vector<MaterialRow> ReadMaterialRows(Database& db) {
    auto rs = db.openTable("Material");
    std::vector<MaterialRow> rows;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        MaterialRow& m = rows.emplace_back();
        m.name = rs->field("Name").toText();
        m.bs25 = Field(*rs, "Bs25");
        m.bs100 = Field(*rs, "Bs100");
        m.dichte = Field(*rs, "Dichte");
        m.pv = Field(*rs, "Pv");
        m.f = Field(*rs, "f");
        m.b = Field(*rs, "B");
        m.mua = Field(*rs, "mua");
        m.leistung = Field(*rs, "Leistung");
    }
    return rows;
}

CurveColumns::CurveColumns(Database& db, std::string_view table) {
    if (db.hasTable(table)) rows_ = db.openTable(table);
}

std::vector<double> CurveColumns::numbers(std::string_view name) {
    std::vector<double> v;
    for (rows_->moveFirst(); !rows_->eof(); rows_->moveNext())
        v.push_back(rows_->number(name).toDouble());
    return v;
}

std::optional<std::vector<double>> CurveColumns::column(std::string_view name) {
    if (!rows_ || !rows_->hasField(name)) return std::nullopt;
    try {
        return numbers(name);
    } catch (const DataError&) {
        return std::nullopt;
    }
}

} // namespace tolvik::data
