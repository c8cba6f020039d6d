#include "tolvik/datatool/check.h"

#include "tolvik/data/records.h"
#include "tolvik/datatool/csv.h"
#include "tolvik/datatool/schema.h"
#include "tolvik/numerics/numerics.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace tolvik::datatool {

namespace {

using data::EqualsIgnoringCase;

std::string Upper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

/// A table as read from the file; numbers of text cells already converted.
struct Table {
    std::string name;
    bool present = false;
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> cells;

    int col(std::string_view n) const {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (EqualsIgnoringCase(columns[i], n)) return static_cast<int>(i);
        return -1;
    }
    bool has(std::string_view n) const { return col(n) >= 0; }
    std::size_t size() const { return cells.size(); }
    const Value& cell(std::size_t r, int c) const { return cells[r][static_cast<std::size_t>(c)]; }
    double num(std::size_t r, int c) const { return cell(r, c).isText() ? 0.0 : cell(r, c).toDouble(); }
    double num(std::size_t r, std::string_view n) const { return has(n) ? num(r, col(n)) : 0.0; }
};

struct Material {
    std::string name;
    long row = 0;
    double tc = 0;
    double mui = 0;
    double bs25 = 0; ///< mT
    bool leistung = false, mua = false;
};

/// A value for a message: whole from 100 up, else 3 significant digits; never in the
/// locale's form.
std::string Short(double v) {
    std::array<char, 32> buf{};
    const auto r = std::fabs(v) >= 100
                       ? std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 0)
                       : std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, 3);
    return std::string(buf.data(), r.ptr);
}

// Physical plausibility of a data file: the rules a real ferrite and a real core obey,
// so that a file whose numbers the program reads without fault still gives sound
// designs. Each rule is stated here once; the checker below only applies them.
namespace physics {

/// Core distortion factor of the geometry, (le / Ae²) · (LN / AN)^1.5 in mm^-4.5: the
/// third harmonic of a Rayleigh core grows with the flux density per volt (le/Ae²) and
/// with the winding's loss figure. A stored CDF this far from it (a factor) is suspect.
double CdfOfGeometry(double le_mm, double ae_mm2, double ln_mm, double an_mm2) {
    return le_mm / (ae_mm2 * ae_mm2) * std::pow(ln_mm / an_mm2, 1.5);
}
constexpr double kCdfFactor = 1.5;

/// Thermal resistance in free air against the core's volume: a least-squares fit to
/// published values of E and EFD cores (natural convection), Rth = 57 · (Ve/cm³)^-0.46
/// K/W. Cores of other families lie within the factor below of it.
double RthOfVolume(double ve_mm3) {
    return 57.0 * std::pow(ve_mm3 / 1000.0, -0.46);
}
constexpr double kRthFactor = 1.5;

/// Snoek's limit: a ferrite's permeability cannot hold up beyond (µi − 1) · fr =
/// γ · Js / (3π), with the gyromagnetic ratio γ/2π = 28 GHz/T, i.e. 2/3 · 28 GHz per
/// tesla of the saturation polarisation (taken as Bs at 25 °C). fr is read off the
/// curve as the frequency at which µ' has fallen to half its low-frequency value.
/// Allowance: 10 % for the difference of Bs and Js and for reading fr off the table.
double SnoekLimit_kHz(double bs25_mT) {
    return 2.0 / 3.0 * 28e6 * bs25_mT / 1000.0;
}
constexpr double kSnoekAllowance = 1.1;

/// At the Curie temperature µi(T) has fallen through its Hopkinson peak to about 1:
/// the last point of a curve stays below this share of the curve's highest value.
constexpr double kCurieFall = 0.1;

/// Air gaps of the K-factor law (its stated range, mm).
constexpr std::array<double, 6> kKFactorGaps{0.1, 0.2, 0.5, 1.0, 2.0, 3.5};
/// The materials the K-factor air-gap calculation accepts.
constexpr std::array<const char*, 3> kKFactorMaterials{"R41", "R52", "R63"};

} // namespace physics

/// The first row (0-based) of a column whose value is 0 or empty; the size when none.
std::size_t EndMark(const Table& t, int c) {
    std::size_t k = 0;
    while (k < t.size() && t.num(k, c) != 0.0)
        ++k;
    return k;
}

class Checker {
public:
    explicit Checker(data::Database& db) : db_(db) {}

    std::vector<Finding> run() {
        for (const TableDef& def : ProgramTables())
            tables_[def.name] = load(def);
        materials();
        for (const char* name : {"MuiT", "MuaB", "MuaH", "Mu_mu__f", "hbT"})
            curveTable(tables_[name]);
        hysteresis();
        losses();
        cores();
        snoek();
        kFactorFringing();
        wires();
        return std::move(out_);
    }

private:
    void add(Severity s, const std::string& table, long row, const std::string& column, std::string text) {
        out_.push_back({s, table, row, column, std::move(text)});
    }
    void error(const std::string& t, long row, const std::string& c, std::string text) {
        add(Severity::Error, t, row, c, std::move(text));
    }
    void warn(const std::string& t, long row, const std::string& c, std::string text) {
        add(Severity::Warning, t, row, c, std::move(text));
    }
    static long Row(std::size_t index) { return static_cast<long>(index) + 1; }

    Table load(const TableDef& def) {
        Table t;
        t.name = def.name;
        if (!db_.hasTable(def.name)) {
            error(def.name, 0, "",
                  "the table is missing: the program stops with a message where it needs it; add it "
                  "(an exported folder holds it as " +
                      std::string(def.name) + ".csv)");
            return t;
        }
        auto rs = db_.openTable(def.name);
        t.present = true;
        t.columns = rs->fieldNames();
        for (const FieldDef& f : def.fields)
            if (!t.has(f.name))
                error(def.name, 0, f.name,
                      "the field is missing: the program stops with a message where it "
                      "reads it; add the column");
        std::map<std::string, std::string> seen;
        for (const std::string& c : t.columns) {
            const auto [it, fresh] = seen.emplace(Upper(c), c);
            if (!fresh)
                error(def.name, 0, c,
                      "the column has the same name as '" + it->second +
                          "' but for case: the program cannot tell them apart; rename one");
        }
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            std::vector<Value> row;
            for (const std::string& c : t.columns) {
                const FieldDef* f = FindField(def, c);
                const FieldType type = f ? f->type : FieldType::Number;
                Value v = rs->field(c);
                const long r = Row(t.cells.size());
                if (type != FieldType::Text && v.isText()) {
                    try {
                        v = rs->number(c);
                    } catch (const data::DataError&) {
                        error(def.name, r, c,
                              "'" + v.toText() +
                                  "' is not a number: write a number with a point as decimal "
                                  "separator");
                        v = Value();
                    }
                }
                if (type == FieldType::Flag &&
                    !(v.toDouble() == -1.0 || (v.toDouble() == 0.0 && !v.isEmpty())))
                    error(def.name, r, c,
                          "a flag is -1 (yes) or 0 (no), not " +
                              (v.isEmpty() ? "empty" : "'" + v.toText() + "'") +
                              ": the program reads it wrongly");
                else if (type == FieldType::Number && v.isEmpty() && def.kind == TableKind::Record)
                    warn(def.name, r, c, "the cell is empty: write the value, or 0 where there is none");
                row.push_back(std::move(v));
            }
            t.cells.push_back(std::move(row));
        }
        return t;
    }

    /// The material a column of a curve table belongs to: the name between prefix and
    /// suffix; nullptr when no material is named so.
    const Material* owner(std::string_view column, std::string_view prefix, std::string_view suffix) const {
        if (column.size() < prefix.size() + suffix.size()) return nullptr;
        if (!EqualsIgnoringCase(column.substr(0, prefix.size()), prefix) ||
            !EqualsIgnoringCase(column.substr(column.size() - suffix.size()), suffix))
            return nullptr;
        const std::string_view name =
            column.substr(prefix.size(), column.size() - prefix.size() - suffix.size());
        for (const Material& m : materials_)
            if (EqualsIgnoringCase(m.name, name)) return &m;
        return nullptr;
    }

    /// The material a curve column belongs to, by the naming rule of the table.
    const Material* ownerOf(const std::string& table, const std::string& column) const {
        if (table == "MuaB" || table == "MuaH") {
            for (const char* s : {"T25", "T100"})
                if (auto m = owner(column, "", s)) return m;
            return nullptr;
        }
        if (table == "Mu_mu__f") {
            if (auto m = owner(column, "mu__", "")) return m;
            return owner(column, "mu_", "");
        }
        if (table == "PVEXPO") {
            if (auto m = owner(column, "", "X")) return m;
            return owner(column, "", "C");
        }
        if (table == "Hysterese") {
            for (const char* p : {"H", "B"})
                for (const char* s : {"T25", "T100"})
                    if (auto m = owner(column, p, s)) return m;
            return nullptr;
        }
        return owner(column, "", "");
    }

    void materials() {
        const Table& t = tables_["Material"];
        if (!t.present || !t.has("Name")) return;
        const int name = t.col("Name");
        std::map<std::string, long> names;
        for (std::size_t r = 0; r < t.size(); ++r) {
            Material m;
            m.name = t.cell(r, name).toText();
            m.row = Row(r);
            m.tc = t.num(r, "Tc");
            m.mui = t.num(r, "mui");
            m.bs25 = t.num(r, "Bs25");
            m.leistung = t.num(r, "Leistung") == -1.0;
            m.mua = t.num(r, "mua") == -1.0;
            if (m.name.empty()) {
                error("Material", m.row, "Name", "the material has no name: write one");
                continue;
            }
            const auto [it, fresh] = names.emplace(Upper(m.name), m.row);
            if (!fresh) {
                error("Material", m.row, "Name",
                      "'" + m.name + "' is the name of row " + std::to_string(it->second) +
                          " (names are compared without regard to case): the program finds only the first; "
                          "rename one");
                continue;
            }
            if (t.has("mui") && t.num(r, "mui") <= 0)
                error("Material", m.row, "mui", "mui must be above 0: the core calculations divide by it");
            if (m.leistung)
                for (const char* f : {"f", "B", "Pv"})
                    if (t.has(f) && t.num(r, f) <= 0)
                        warn("Material", m.row, f,
                             "a power material (Leistung = -1) needs its reference loss Pv at f, B and T");
            materials_.push_back(m);
        }
        for (const Material& m : materials_) {
            flagColumns(m, m.leistung, "Leistung", "PvT", {m.name});
            flagColumns(m, m.leistung, "Leistung", "PVEXPO", {m.name + "X", m.name + "C"});
            for (const char* table : {"MuaB", "MuaH"})
                flagColumns(m, m.mua, "mua", table, {m.name + "T25", m.name + "T100"});
            curveColumn(m, "MuiT", m.name, "the initial permeability tabs show no curve");
            curveColumn(m, "hbT", m.name, "the harmonic distortion tab has no hysteresis constant");
            curveColumn(m, "Mu_mu__f", "mu_" + m.name, "the complex permeability tab shows no curve");
            curveColumn(m, "Mu_mu__f", "mu__" + m.name, "the complex permeability tab shows no curve");
            curveColumn(m, "Hysterese", "H" + m.name + "T25", "the hysteresis tab shows no loop");
            curveColumn(m, "Hysterese", "B" + m.name + "T25", "the hysteresis tab shows no loop");
        }
    }

    /// A flag promises curve columns: they must exist; columns without the flag are unused.
    void flagColumns(const Material& m, bool flag, const char* flagName, const char* table,
                     const std::vector<std::string>& columns) {
        const Table& t = tables_[table];
        if (!t.present) return;
        for (const std::string& c : columns) {
            if (flag && !t.has(c))
                error(table, 0, c,
                      "the column is missing: material " + m.name + " (Material row " +
                          std::to_string(m.row) + ") has " + flagName +
                          " = -1, which promises it; add the column or set " + flagName + " to 0");
            if (!flag && t.has(c)) {
                warn("Material", m.row, flagName,
                     m.name + " has the column " + c + " in " + table + " but " + flagName +
                         " is 0: the program does not list it there; set " + flagName + " to -1");
                return;
            }
        }
    }

    void curveColumn(const Material& m, const char* table, const std::string& column, const char* effect) {
        const Table& t = tables_[table];
        if (t.present && !t.has(column))
            warn(table, 0, column,
                 std::string("the column is missing: ") + effect + " for " + m.name + "; add it");
    }

    /// Rows after the end mark are never read.
    void afterEndMark(const Table& t, int c, std::size_t end) {
        for (std::size_t r = end + 1; r < t.size(); ++r)
            if (t.num(r, c) != 0.0) {
                error(t.name, Row(r), t.columns[static_cast<std::size_t>(c)],
                      "a value after the end mark in row " + std::to_string(Row(end)) +
                          ": the program stops at the first 0 or empty cell and never reads it; fill the gap "
                          "or clear the rest of the column");
                return;
            }
    }

    void ascending(const Table& t, const std::string& x) {
        if (!t.has(x)) return;
        const int c = t.col(x);
        for (std::size_t r = 0; r < t.size(); ++r) {
            if (t.cell(r, c).isEmpty()) {
                error(t.name, Row(r), x, "the cell is empty: every row needs its " + x);
            } else if (r > 0 && !t.cell(r - 1, c).isEmpty() && t.num(r, c) <= t.num(r - 1, c)) {
                error(t.name, Row(r), x,
                      x + " = " + NumberText(t.num(r, c)) + " is not above " + NumberText(t.num(r - 1, c)) +
                          " in the row before: curves are read wrongly; sort the rows by " + x +
                          ", without repeats");
            }
        }
    }

    void curveTable(const Table& t) {
        if (!t.present) return;
        const TableDef& def = *FindTable(t.name);
        const std::string x = def.fields.front().name;
        ascending(t, x);
        const bool curie = t.name == "MuiT" || t.name == "hbT";
        for (std::size_t ci = 0; ci < t.columns.size(); ++ci) {
            const std::string& column = t.columns[ci];
            if (EqualsIgnoringCase(column, x)) continue;
            const Material* m = ownerOf(t.name, column);
            if (m == nullptr) {
                warn(t.name, 0, column,
                     "no material is named after this column: it is never read; name it as "
                     "the material's curve column");
                continue;
            }
            const int c = static_cast<int>(ci);
            const std::size_t end = EndMark(t, c);
            if (end == 0) {
                warn(t.name, 1, column, "the curve has no points: its first value is 0 or empty");
                continue;
            }
            if (end == t.size() && curie) {
                error(t.name, 0, column,
                      "the curve has no end mark: add a row with 0 after its last point, at or above the "
                      "Curie temperature");
                continue;
            }
            afterEndMark(t, c, end);
            if (t.name == "MuiT" && m->tc > 0 && t.has(x) && end < t.size()) curieFall(t, c, end, *m);
        }
    }

    /// µi(T) goes through its Hopkinson peak down to about 1 at Tc, and stops there.
    void curieFall(const Table& t, int c, std::size_t end, const Material& m) {
        const std::string& column = t.columns[static_cast<std::size_t>(c)];
        const double lastT = t.num(end - 1, "T"), last = t.num(end - 1, c);
        double peak = 0;
        for (std::size_t r = 0; r < end; ++r)
            peak = std::max(peak, t.num(r, c));
        if (t.num(end, "T") < m.tc)
            warn(t.name, Row(end), column,
                 "the end mark lies below the Curie temperature Tc = " + NumberText(m.tc) +
                     ": the curve falls to 0 too early; give points up to Tc");
        else if (lastT > m.tc)
            warn(t.name, Row(end - 1), column,
                 "the curve goes on above the Curie temperature Tc = " + NumberText(m.tc) +
                     " of the material: end it at Tc");
        else if (peak > 0 && last > physics::kCurieFall * peak)
            warn(t.name, Row(end - 1), column,
                 "the curve ends at T = " + NumberText(lastT) + " with mui = " + Short(last) + " (" +
                     Short(100 * last / peak) +
                     " % of its peak): a real curve falls through its peak to about 1 at the Curie "
                     "temperature Tc = " +
                     NumberText(m.tc) + "; give points down to Tc");
    }

    void hysteresis() {
        const Table& t = tables_["Hysterese"];
        if (!t.present) return;
        for (std::size_t ci = 0; ci < t.columns.size(); ++ci) {
            const std::string& h = t.columns[ci];
            if (ownerOf(t.name, h) == nullptr) {
                warn(t.name, 0, h,
                     "no material is named after this column: it is never read; name it "
                     "H<material>T25 (or B, T100)");
                continue;
            }
            if (std::toupper(static_cast<unsigned char>(h.front())) != 'H') continue;
            const std::string b = "B" + h.substr(1);
            if (!t.has(b)) {
                error(t.name, 0, h, "the loop has no column " + b + " for its flux density: add it");
                continue;
            }
            const int hc = static_cast<int>(ci), bc = t.col(b);
            std::size_t end = 0;
            while (end < t.size() && !(t.num(end, hc) == 0.0 && t.num(end, bc) == 0.0))
                ++end;
            if (end == t.size()) {
                error(t.name, 0, h,
                      "the loop has no end row: add a row with H = 0 and B = 0 after its last point");
                continue;
            }
            bool single = false;
            for (std::size_t r = 0; r < end && !single; ++r)
                for (int c : {hc, bc})
                    if (!single && t.num(r, c) == 0.0) {
                        single = true;
                        error(
                            t.name, Row(r), t.columns[static_cast<std::size_t>(c)],
                            "a single 0 inside the loop: the program may take it for the end; write a small "
                            "value such as 0.001 instead");
                    }
            afterEndMark(t, hc, end);
            afterEndMark(t, bc, end);
            if (end > 0 && (t.num(0, hc) != t.num(end - 1, hc) || t.num(0, bc) != t.num(end - 1, bc)))
                warn(t.name, Row(end - 1), h,
                     "the loop is not closed: its last point differs from its first; repeat the first point");
        }
    }

    void losses() {
        const Table& pv = tables_["PvT"];
        const Table& ex = tables_["PVEXPO"];
        std::map<std::pair<double, double>, std::size_t> laws; // (F, T) -> PVEXPO row
        if (ex.present && ex.has("F") && ex.has("T")) {
            for (std::size_t r = 0; r < ex.size(); ++r) {
                const auto [it, fresh] = laws.emplace(std::pair{ex.num(r, "F"), ex.num(r, "T")}, r);
                if (!fresh)
                    warn(ex.name, Row(r), "",
                         "the same F and T as row " + std::to_string(Row(it->second)) +
                             ": the program uses only one of them; remove the repeat");
            }
            for (const std::string& c : ex.columns)
                if (!EqualsIgnoringCase(c, "F") && !EqualsIgnoringCase(c, "T") && !ownerOf(ex.name, c))
                    warn(ex.name, 0, c,
                         "no material is named after this column: it is never read; name it "
                         "<material>X or <material>C");
        }
        if (!pv.present || !pv.has("T") || !pv.has("F") || !pv.has("B")) return;
        std::map<std::tuple<double, double, double>, std::size_t> keys;
        for (std::size_t r = 0; r < pv.size(); ++r) {
            const auto [it, fresh] =
                keys.emplace(std::tuple{pv.num(r, "T"), pv.num(r, "F"), pv.num(r, "B")}, r);
            if (!fresh)
                warn(pv.name, Row(r), "",
                     "the same T, F and B as row " + std::to_string(Row(it->second)) +
                         ": the program uses only the first; remove the repeat");
        }
        for (const std::string& c : pv.columns) {
            if (EqualsIgnoringCase(c, "T") || EqualsIgnoringCase(c, "F") || EqualsIgnoringCase(c, "B"))
                continue;
            const Material* m = ownerOf(pv.name, c);
            if (m == nullptr) {
                warn(pv.name, 0, c,
                     "no material is named after this column: it is never read; name it as the "
                     "material");
                continue;
            }
            const int col = pv.col(c);
            const bool law = ex.present && ex.has(m->name + "X") && ex.has(m->name + "C");
            std::vector<bool> reported(ex.size(), false);
            for (std::size_t r = 0; r < pv.size(); ++r) {
                const double v = pv.num(r, col);
                if (v < 0) error(pv.name, Row(r), c, "a loss is never negative: write 0 where there is none");
                if (v <= 0 || !law) continue;
                const double f = pv.num(r, "F"), temp = pv.num(r, "T"), b = pv.num(r, "B");
                const auto it = laws.find({f, temp});
                if (it == laws.end()) {
                    warn(pv.name, Row(r), c,
                         "PVEXPO has no loss law for F = " + NumberText(f) + ", T = " + NumberText(temp) +
                             ": the loss curves lack it; add a row with F, T and the coefficients " +
                             m->name + "X, " + m->name + "C");
                    continue;
                }
                const std::size_t k = it->second;
                if (reported[k]) continue;
                const double x = ex.num(k, m->name + "X"), cc = ex.num(k, m->name + "C");
                const double model = std::exp(cc) * std::pow(b, x);
                if (!std::isfinite(model) || std::fabs(model / v - 1.0) > 0.25) {
                    reported[k] = true;
                    warn(ex.name, Row(k), m->name + "X",
                         "the loss law e^C * B^X gives " +
                             (std::isfinite(model) ? NumberText(model) : "no value") +
                             " kW/m3 at B = " + NumberText(b) + " mT where PvT row " +
                             std::to_string(Row(r)) + " holds " + NumberText(v) + ": fit " + m->name +
                             "X and " + m->name + "C to the losses of PvT");
                }
            }
        }
    }

    void cores() {
        const Table& t = tables_["Kernform"];
        if (!t.present || !t.has("Kerntyp")) return;
        const int name = t.col("Kerntyp");
        std::map<std::string, std::pair<std::string, long>> spellings; // upper -> first spelling, row
        std::map<std::tuple<std::string, double, double>, long> keys;
        std::map<std::string, std::vector<long>> listed; // upper name -> rows with Anzeige = -1
        for (std::size_t r = 0; r < t.size(); ++r) {
            const long row = Row(r);
            const std::string type = t.cell(r, name).toText();
            const auto v = [&](const char* f) { return t.num(r, f); };
            if (type.empty()) {
                error(t.name, row, "Kerntyp", "the core has no type name: write one");
                continue;
            }
            const auto [sp, freshName] = spellings.emplace(Upper(type), std::pair{type, row});
            if (!freshName && sp->second.first != type)
                error(t.name, row, "Kerntyp",
                      "'" + type + "' differs only in case from '" + sp->second.first + "' in row " +
                          std::to_string(sp->second.second) +
                          ": the program takes them for one core; write "
                          "them alike or rename one");
            const auto [key, freshKey] = keys.emplace(std::tuple{Upper(type), v("LP"), v("Loch")}, row);
            if (!freshKey)
                error(t.name, row, "",
                      "the same core (Kerntyp, LP, Loch) as row " + std::to_string(key->second) +
                          ": the program uses only the last; remove one or set LP or Loch");
            auto& rows = listed[Upper(type)];
            if (v("Anzeige") == -1.0) rows.push_back(row);
            const double ae = v("Ae"), le = v("le"), ve = v("Ve");
            if (ae <= 0) error(t.name, row, "Ae", "Ae must be above 0: the calculations divide by it");
            if (le <= 0) error(t.name, row, "le", "le must be above 0: the calculations divide by it");
            if (ae > 0 && le > 0 && std::fabs(ve - ae * le) > 0.03 * ae * le)
                warn(t.name, row, "Ve",
                     "Ve = " + NumberText(ve) + " mm3 is far from Ae * le = " + NumberText(ae * le) +
                         " mm3: check Ae, le and Ve");
            if (v("Amin") > ae && ae > 0)
                warn(t.name, row, "Amin",
                     "Amin = " + NumberText(v("Amin")) + " is above Ae = " + NumberText(ae) +
                         ": the minimum cross-section cannot exceed the effective one; check both");
            if (v("RthAnzeige") == -1.0 && v("Rth") <= 0)
                error(
                    t.name, row, "Rth",
                    "the core is listed in the transmissible power tab (RthAnzeige = -1) without its thermal "
                    "resistance Rth: write Rth or set RthAnzeige to 0");
            for (const char* f : {"AN", "LN", "Ar", "hWickel"})
                if (t.has(f) && v(f) <= 0)
                    warn(t.name, row, f,
                         std::string(f) +
                             " must be above 0: the wire calculation needs the bobbin data (AN, LN, "
                             "Ar, hWickel)");
            if ((v("K1") != 0) != (v("K2") != 0) || (v("K1") != 0 && v("K2") >= 0))
                warn(t.name, row, "K2",
                     "K1 and K2 go together (Al = K1 * s^K2, K2 below 0): write both, or 0 in both");
            if (v("CDF") < 0)
                warn(t.name, row, "CDF",
                     "the core distortion factor is never negative: write 0 where there is none");
            if (v("CDF") > 0 && ae > 0 && le > 0 && v("AN") > 0 && v("LN") > 0) {
                const double geometry = physics::CdfOfGeometry(le, ae, v("LN"), v("AN"));
                const double ratio = v("CDF") / geometry;
                if (ratio > physics::kCdfFactor || ratio < 1 / physics::kCdfFactor)
                    warn(t.name, row, "CDF",
                         "CDF = " + Short(v("CDF")) + " is far from (le/Ae^2)*(LN/AN)^1.5 = " +
                             Short(geometry) + " mm^-4.5 of the core's geometry: k3c is off by " +
                             Short(20 * std::log10(ratio)) +
                             " dB; write the core distortion factor in mm^-4.5");
            }
            if (v("Rth") > 0 && ve > 0) {
                const double law = physics::RthOfVolume(ve);
                const double ratio = v("Rth") / law;
                if (ratio > physics::kRthFactor || ratio < 1 / physics::kRthFactor)
                    warn(t.name, row, "Rth",
                         "Rth = " + Short(v("Rth")) + " K/W is far from the " + Short(law) +
                             " K/W that cores of Ve = " + Short(ve) +
                             " mm3 have in free air: the transmissible power is off; check Rth");
            }
        }
        for (const auto& [upper, rows] : listed) {
            if (rows.empty())
                warn(t.name, spellings[upper].second, "Anzeige",
                     "no row of core type '" + spellings[upper].first +
                         "' has Anzeige = -1: the core never appears in the core lists; set it in one row");
            else if (rows.size() > 1)
                warn(t.name, rows[1], "Anzeige",
                     "core type '" + spellings[upper].first + "' is listed already in row " +
                         std::to_string(rows[0]) +
                         ": it appears twice in the core lists; set Anzeige to 0 here");
        }
    }

    /// The complex permeability of each material against Snoek's limit.
    void snoek() {
        const Table& t = tables_["Mu_mu__f"];
        if (!t.present || !t.has("f")) return;
        for (const Material& m : materials_) {
            const int c = t.col("mu_" + m.name);
            if (c < 0 || m.bs25 <= 0) continue;
            const std::size_t end = EndMark(t, c);
            if (end < 2) continue;
            const double mu0 = t.num(0, c), half = (mu0 + 1) / 2;
            if (mu0 <= 1) continue;
            // fr: where µ' falls to half, on a logarithmic frequency axis; past the last
            // point when it never does (the limit is then exceeded all the more).
            double fr = t.num(end - 1, "f");
            for (std::size_t r = 1; r < end; ++r) {
                const double a = t.num(r - 1, c), b = t.num(r, c);
                if (b > half) continue;
                const double f1 = t.num(r - 1, "f"), f2 = t.num(r, "f");
                fr = f1 > 0 && f2 > 0 && a != b ? f1 * std::pow(f2 / f1, (a - half) / (a - b)) : f2;
                break;
            }
            const double product = (mu0 - 1) * fr, limit = physics::SnoekLimit_kHz(m.bs25);
            if (product > physics::kSnoekAllowance * limit)
                warn(t.name, 0, "mu_" + m.name,
                     "mu' falls to half at " + Short(fr) + " kHz, so (mui - 1) * fr = " +
                         Short(product / 1e6) + " GHz, above Snoek's limit of about " + Short(limit / 1e6) +
                         " GHz for Bs25 = " + NumberText(m.bs25) +
                         " mT: no ferrite holds its permeability that far; let the "
                         "curve fall earlier");
        }
    }

    /// Fringe flux widens the gap's cross-section, so the K-factor law Al = K1 · s^K2 never
    /// gives less than the gapped-core relation without it, for the µi of the materials the
    /// K-factor calculation accepts (the highest of them: the lowest gap reluctance share).
    void kFactorFringing() {
        const Table& t = tables_["Kernform"];
        if (!t.present || !t.has("Kerntyp")) return;
        const Material* fit = nullptr;
        for (const Material& m : materials_)
            for (const char* name : physics::kKFactorMaterials)
                if (m.name == name && (fit == nullptr || m.mui > fit->mui)) fit = &m;
        if (fit == nullptr || fit->mui <= 0) return;
        std::map<std::string, bool> seen;
        for (std::size_t r = 0; r < t.size(); ++r) {
            const std::string type = t.cell(r, t.col("Kerntyp")).toText();
            // the K-factor query reads the first row of a core type
            if (type.empty() || !seen.emplace(Upper(type), true).second) continue;
            const double k1 = t.num(r, "K1"), k2 = t.num(r, "K2"), ae = t.num(r, "Ae"), le = t.num(r, "le");
            if (k1 == 0 || k2 >= 0 || ae <= 0 || le <= 0) continue;
            for (double s : physics::kKFactorGaps) {
                const double fringed = num::KFactorAl(k1, k2, s).toDouble();
                const double plain = num::AlFromGap(le, ae, s, fit->mui);
                if (fringed < plain * (1 - 1e-3)) {
                    warn(t.name, Row(r), "K1",
                         "K1, K2 give Al = " + Short(fringed) + " nH at s = " + NumberText(s) +
                             " mm, less than the " + Short(plain) +
                             " nH without fringe flux (mui = " + NumberText(fit->mui) + " of " + fit->name +
                             "): fringe flux always raises Al; fit K1 and K2 again");
                    break;
                }
            }
        }
    }

    void wires() {
        const Table& t = tables_["Draht"];
        if (!t.present) return;
        if (t.has("Groesse"))
            for (std::size_t r = 1; r < t.size(); ++r)
                if (t.num(r, "Groesse") <= t.num(r - 1, "Groesse"))
                    warn(t.name, Row(r), "Groesse",
                         "the wire sizes are not ascending: the wire lists show them out of order; sort the "
                         "rows "
                         "by Groesse");
        for (std::size_t r = 0; r < t.size(); ++r) {
            if (t.has("N_pro_mm2") && t.num(r, "N_pro_mm2") <= 0)
                warn(t.name, Row(r), "N_pro_mm2", "the turns per mm2 must be above 0");
            if (t.has("fCu") && (t.num(r, "fCu") <= 0 || t.num(r, "fCu") > 1))
                warn(t.name, Row(r), "fCu", "the copper share lies between 0 and 1");
        }
    }

    data::Database& db_;
    std::vector<Finding> out_;
    std::map<std::string, Table> tables_;
    std::vector<Material> materials_;
};

} // namespace

std::string FormatFinding(const Finding& f) {
    std::string s = f.severity == Severity::Error ? "error: " : "warning: ";
    s += f.table;
    if (f.row > 0) s += ", row " + std::to_string(f.row);
    if (!f.column.empty()) s += ", column " + f.column;
    return s + ": " + f.text;
}

bool Usable(const std::vector<Finding>& findings) {
    return std::none_of(findings.begin(), findings.end(),
                        [](const Finding& f) { return f.severity == Severity::Error; });
}

std::vector<Finding> CheckDataFile(data::Database& db) {
    return Checker(db).run();
}

std::vector<Finding> CheckDataFile(const std::string& path) {
    try {
        auto db = data::Database::open(path);
        return CheckDataFile(*db);
    } catch (const data::DataError& e) {
        return {{Severity::Error, path, 0, "", e.what()}};
    }
}

} // namespace tolvik::datatool
