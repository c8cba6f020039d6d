// Reading the data file once into plain numbers, with the rules of the core window's
// lookups: a core variant's values come from its last record, a material's from its
// first; names are matched without regard to case.

#include "tolvik/advisor/advisor.h"

#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <unordered_map>

namespace tolvik::advisor {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

/// A field's value as the lookups give it (0 when the file has no such field).
double Field(const data::Recordset& rs, const char* name) {
    return rs.hasField(name) ? rs.field(name).toDouble() : 0.0;
}

/// The fields of a table that the file may lack, looked up once for all its rows.
class Fields {
public:
    Fields(const data::Recordset& rs, std::initializer_list<const char*> names) {
        for (const char* n : names)
            present_.emplace_back(n, rs.hasField(n));
    }
    double operator()(const data::Recordset& rs, const char* name) const {
        for (const auto& [n, present] : present_) {
            if (std::strcmp(n, name) == 0) return present ? rs.field(name).toDouble() : 0.0;
        }
        return 0.0;
    }

private:
    std::vector<std::pair<const char*, bool>> present_;
};

/// A curve column as InterpolateColumn reads it (empty cells read 0).
std::vector<double> Column(data::Recordset& rs, const std::string& name) {
    std::vector<double> v;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        v.push_back(rs.number(name).toDouble());
    return v;
}

/// A value as a field shows it and the tab reads it back.
double Shown(double v, const char* pattern) {
    return std::isfinite(v) ? text::ReadNumber(text::FormatPattern(v, pattern)) : 0.0;
}

/// A curve column; none when it is missing or holds a text that is no number.
std::optional<std::vector<double>> CurveColumn(data::Recordset& rs, const std::string& name) {
    if (!rs.hasField(name)) return std::nullopt;
    try {
        return Column(rs, name);
    } catch (const data::DataError&) {
        return std::nullopt;
    }
}

/// The rows of table Kernform with only the fields a design reads, in stored order: a
/// file of many cores is read without the fields no design needs.
std::unique_ptr<data::Recordset> CoreRows(data::Database& db) {
    if (!db.hasTable("Kernform")) return db.openTable("Kernform"); // the file's own complaint
    const auto fields = db.openQuery({"SELECT * FROM Kernform WHERE 0", {}})->fieldNames();
    std::string sql;
    for (const char* wanted : {"Kerntyp", "LP", "Loch", "Ae", "le", "Ve", "AN", "LN", "Rth", "hWickel"}) {
        const auto it = std::find_if(fields.begin(), fields.end(),
                                     [wanted](const std::string& f) { return Lower(f) == Lower(wanted); });
        if (it != fields.end()) sql += (sql.empty() ? "SELECT " : ", ") + data::QuoteIdentifier(*it);
    }
    if (sql.empty()) return db.openTable("Kernform");
    return db.openQuery({sql + " FROM Kernform", {}});
}

} // namespace

std::string CoreVariant::name() const {
    return kerntyp + (lowProfile ? " LP" : "") + (hole ? " hole" : "");
}

double InterpolateMua(const std::vector<double>& b_mT, const std::vector<double>& mua, double b) {
    for (std::size_t k = 1; k < b_mT.size(); ++k) {
        if (b_mT[k - 1] <= b && b <= b_mT[k])
            return num::LinearInterpolate(b_mT[k - 1], mua[k - 1], b_mT[k], mua[k], b);
    }
    return 0.0;
}

Catalogue LoadCatalogue(data::Database& db) {
    Catalogue cat;

    // Core variants in the order of their first record; the last record's values win.
    std::unordered_map<std::string, std::size_t> variantIndex;
    auto cores = CoreRows(db);
    const Fields coreField(*cores, {"LP", "Loch", "Ae", "le", "Ve", "AN", "LN", "Rth", "hWickel"});
    cat.cores.reserve(static_cast<std::size_t>(cores->recordCount()));
    for (cores->moveFirst(); !cores->eof(); cores->moveNext()) {
        const double lp = coreField(*cores, "LP"), hole = coreField(*cores, "Loch");
        // The core query asks for LP and Loch = -1 or 0: another value is no variant.
        if ((lp != 0 && lp != -1) || (hole != 0 && hole != -1)) continue;
        CoreVariant c;
        c.kerntyp = cores->field("Kerntyp").toText();
        c.lowProfile = lp != 0;
        c.hole = hole != 0;
        c.ae_mm2 = coreField(*cores, "Ae");
        c.le_mm = coreField(*cores, "le");
        c.ve_mm3 = coreField(*cores, "Ve");
        c.an_mm2 = coreField(*cores, "AN");
        c.ln_mm = coreField(*cores, "LN");
        c.rth_KW = coreField(*cores, "Rth");
        c.hWickel_mm = coreField(*cores, "hWickel");
        c.shown = {Shown(c.ae_mm2, "#.##"), Shown(c.ve_mm3, "#.##"), Shown(c.an_mm2, "#.##"),
                   Shown(c.ln_mm, "#.##"), Shown(c.rth_KW, "#.##")};
        const std::string key = Lower(c.kerntyp) + (c.lowProfile ? "|1" : "|0") + (c.hole ? "|1" : "|0");
        const auto [it, added] = variantIndex.emplace(key, cat.cores.size());
        if (added)
            cat.cores.push_back(std::move(c));
        else
            cat.cores[it->second] = std::move(c);
    }
    cores->close();

    std::unique_ptr<data::Recordset> mua;
    if (db.hasTable("MuaB")) {
        mua = db.openTable("MuaB");
        cat.muaB_mT = Column(*mua, "B");
    }
    std::unique_ptr<data::Recordset> loss;
    if (db.hasTable("PVEXPO")) loss = db.openTable("PVEXPO");

    std::unordered_map<std::string, bool> seen;
    auto materials = db.openTable("Material");
    for (materials->moveFirst(); !materials->eof(); materials->moveNext()) {
        MaterialData m;
        m.name = materials->field("Name").toText();
        if (m.name.empty() || !seen.emplace(Lower(m.name), true).second) continue;
        m.bs25_mT = Field(*materials, "Bs25");
        m.bs100_mT = Field(*materials, "Bs100");
        m.density_kg_m3 = Field(*materials, "Dichte");
        m.pv = Shown(Field(*materials, "Pv"), "#.##");
        m.f_kHz = Shown(Field(*materials, "f"), "#");
        m.b_mT = Shown(Field(*materials, "B"), "#");
        m.amplitude = Field(*materials, "mua") != 0;
        m.power = Field(*materials, "Leistung") != 0;
        if (mua) {
            m.mua25 = CurveColumn(*mua, m.name + "T25");
            m.mua100 = CurveColumn(*mua, m.name + "T100");
        }
        if (loss && loss->hasField(m.name + "X") && loss->hasField(m.name + "C")) {
            try {
                for (loss->moveFirst(); !loss->eof(); loss->moveNext()) {
                    const LossLaw row{loss->number("F").toDouble(), loss->number("T").toDouble(),
                                      loss->number(m.name + "X").toDouble(),
                                      loss->number(m.name + "C").toDouble()};
                    if (row.x > 0 && row.f_kHz > 0) m.loss.push_back(row);
                }
            } catch (const data::DataError&) {
                m.loss.clear(); // a damaged loss table: no loss data
            }
        }
        cat.materials.push_back(std::move(m));
    }
    materials->close();

    if (db.hasTable("Draht")) cat.wires = data::ReadWires(db);
    return cat;
}

} // namespace tolvik::advisor
