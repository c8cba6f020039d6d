// The tables of a CSV folder as MAS documents, in SI units: one material document per row
// of Material with its curves as points, one core document per row of Kernform.

#include "tolvik/datatool/mas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace tolvik::datatool {

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

/// Read access to one table by column name (without regard to case).
class View {
public:
    explicit View(const CsvText* t) : t_(t) {}
    bool has(const std::string& column) const { return col(column) >= 0; }
    std::size_t size() const { return t_ ? t_->rows.size() : 0; }
    std::string text(std::size_t r, const std::string& column) const {
        const int c = col(column);
        if (c < 0 || static_cast<std::size_t>(c) >= t_->rows[r].size()) return {};
        return t_->rows[r][static_cast<std::size_t>(c)];
    }
    /// The number in the cell, 0 when empty or not a number.
    double num(std::size_t r, const std::string& column) const {
        double v = 0;
        return ReadNumber(text(r, column), v) ? v : 0;
    }
    /// The curve of a column against the x column, down to its first 0 or empty cell.
    std::vector<CurvePoint> curve(const std::string& x, const std::string& column) const {
        std::vector<CurvePoint> out;
        if (!has(column) || !has(x)) return out;
        for (std::size_t r = 0; r < size(); ++r) {
            const double y = num(r, column);
            if (y == 0) break;
            out.push_back({num(r, x), y});
        }
        return out;
    }

private:
    int col(const std::string& name) const {
        if (!t_) return -1;
        const std::string u = Upper(name);
        for (std::size_t i = 0; i < t_->header.size(); ++i)
            if (Upper(t_->header[i]) == u) return static_cast<int>(i);
        return -1;
    }
    const CsvText* t_;
};

View Table(const CsvTables& tables, const char* name) {
    for (const auto& [key, t] : tables)
        if (Upper(key) == Upper(name)) return View(&t);
    return View(nullptr);
}

Json Num(double v) {
    return Json::number(v);
}

Json Point(std::initializer_list<std::pair<const char*, double>> fields) {
    Json p = Json::object();
    for (const auto& [k, v] : fields)
        p.set(k, Num(v));
    return p;
}

bool Wanted(bool all, const std::vector<std::string>& names, const std::vector<std::string>& candidates) {
    if (all) return true;
    for (const std::string& n : names)
        for (const std::string& c : candidates)
            if (Upper(n) == Upper(c)) return true;
    return false;
}

const std::set<std::string> kFamilies = {"u",   "ur", "e",  "etd",  "p",   "rm",  "ep", "epx", "lp",
                                         "pm",  "el", "er", "pq",   "efd", "elp", "ec", "eq",  "ui",
                                         "pqi", "ut", "t",  "drum", "rod", "ei",  "h",  "c"};

Json MaterialDoc(const View& mat, std::size_t r, const CsvTables& tables, std::vector<std::string>& notes) {
    const std::string name = mat.text(r, "Name");
    Json doc = Json::object();
    doc.set("name", Json::string(name));
    doc.set("type", Json::string("custom"));
    doc.set("material", Json::string("ferrite"));
    Json info = Json::object();
    info.set("name", Json::string("unspecified"));
    info.set("status", Json::string(mat.num(r, "Aktuell") == -1 ? "production" : "obsolete"));
    doc.set("manufacturerInfo", std::move(info));
    if (mat.num(r, "Tc") > 0) doc.set("curieTemperature", Num(mat.num(r, "Tc")));
    if (mat.num(r, "Dichte") > 0) doc.set("density", Num(mat.num(r, "Dichte")));
    if (mat.num(r, "dcresist") > 0)
        doc.set("resistivity", Json::array()).push(Point({{"value", mat.num(r, "dcresist")}}));

    // Loops first: the saturation points take the field strength of the loop's tip.
    const View hys = Table(tables, "Hysterese");
    Json cycle = Json::array();
    std::map<int, double> tip;
    for (int t : {25, 100}) {
        const std::string h = "H" + name + "T" + std::to_string(t), b = "B" + name + "T" + std::to_string(t);
        if (!hys.has(h) || !hys.has(b)) continue;
        for (std::size_t k = 0; k < hys.size(); ++k) {
            const double hv = hys.num(k, h), bv = hys.num(k, b);
            if (hv == 0 && bv == 0) break;
            tip[t] = std::max(tip[t], hv);
            cycle.push(
                Point({{"magneticFluxDensity", bv / 1000}, {"magneticField", hv}, {"temperature", t}}));
        }
    }
    Json sat = Json::array(), coercive = Json::array();
    for (int t : {25, 100}) {
        const double bs = mat.num(r, "Bs" + std::to_string(t)), hc = mat.num(r, "Hc" + std::to_string(t));
        if (bs > 0) {
            Json p = Json::object();
            p.set("magneticFluxDensity", Num(bs / 1000));
            if (tip.count(t)) p.set("magneticField", Num(tip[t]));
            p.set("temperature", Num(t));
            sat.push(std::move(p));
        }
        if (hc > 0)
            coercive.push(Point({{"magneticFluxDensity", 0}, {"magneticField", hc}, {"temperature", t}}));
    }
    if (!sat.items().empty()) doc.set("saturation", std::move(sat));
    if (!coercive.items().empty()) doc.set("coerciveForce", std::move(coercive));
    if (mat.num(r, "fmin") > 0 || mat.num(r, "fmax") > 0) {
        Json rec = Json::object();
        if (mat.num(r, "fmin") > 0) rec.set("minimumFrequency", Num(mat.num(r, "fmin") * 1000));
        if (mat.num(r, "fmax") > 0) rec.set("maximumFrequency", Num(mat.num(r, "fmax") * 1000));
        doc.set("recommendations", std::move(rec));
    }

    Json perm = Json::object();
    Json initial = Json::array();
    for (const CurvePoint& p : Table(tables, "MuiT").curve("T", name))
        initial.push(Point({{"value", p.y}, {"temperature", p.x}}));
    if (initial.items().size() < 2) {
        initial = Json::array();
        initial.push(Point({{"value", mat.num(r, "mui")}, {"temperature", 25}}));
    }
    perm.set("initial", std::move(initial));
    Json amplitude = Json::array();
    for (int t : {25, 100})
        for (const CurvePoint& p : Table(tables, "MuaB").curve("B", name + "T" + std::to_string(t)))
            amplitude.push(
                Point({{"value", p.y}, {"magneticFluxDensityPeak", p.x / 1000}, {"temperature", t}}));
    if (!amplitude.items().empty()) perm.set("amplitude", std::move(amplitude));
    const View cx = Table(tables, "Mu_mu__f");
    const auto re = cx.curve("f", "mu_" + name), im = cx.curve("f", "mu__" + name);
    if (!re.empty() && !im.empty()) {
        Json complex = Json::object();
        for (const auto& [key, curve] : {std::pair{"real", &re}, std::pair{"imaginary", &im}}) {
            Json& list = complex.set(key, Json::array());
            for (const CurvePoint& p : *curve)
                list.push(Point({{"value", p.y}, {"frequency", p.x * 1000}}));
        }
        perm.set("complex", std::move(complex));
    }
    doc.set("permeability", std::move(perm));
    if (!cycle.items().empty()) doc.set("bhCycle", std::move(cycle));

    const View pv = Table(tables, "PvT");
    Json points = Json::array();
    if (pv.has(name))
        for (std::size_t k = 0; k < pv.size(); ++k) {
            const double v = pv.num(k, name);
            if (!(v > 0)) continue;
            Json processed = Json::object();
            processed.set("label", Json::string("sinusoidal"));
            processed.set("peak", Num(pv.num(k, "B") / 1000));
            processed.set("offset", Num(0));
            Json signal = Json::object();
            signal.set("processed", std::move(processed));
            Json excitation = Json::object();
            excitation.set("frequency", Num(pv.num(k, "F") * 1000));
            excitation.set("magneticFluxDensity", std::move(signal));
            Json p = Json::object();
            p.set("magneticFluxDensity", std::move(excitation));
            p.set("temperature", Num(pv.num(k, "T")));
            p.set("value", Num(v * 1000));
            p.set("origin", Json::string("Tolvik data file"));
            points.push(std::move(p));
        }
    Json losses = Json::object();
    Json& methods = losses.set("default", Json::array());
    if (!points.items().empty()) methods.push(std::move(points));
    doc.set("volumetricLosses", std::move(losses));

    std::vector<std::string> left;
    for (const char* f : {"hb", "ftyp", "dT", "tandmuei", "af"})
        if (mat.num(r, f) != 0) left.push_back(f);
    if (!Table(tables, "hbT").curve("T", name).empty()) left.push_back("hbT (hysteresis constant against T)");
    if (mat.num(r, "Pv") > 0)
        left.push_back("the reference loss f, B, T, Pv (import picks it from the loss points)");
    if (!Table(tables, "PVEXPO").curve("F", name + "X").empty())
        left.push_back("PVEXPO (the loss law per F and T; import fits it to the loss points again)");
    if (!Table(tables, "MuaH").curve("H", name + "T25").empty())
        left.push_back("MuaH (import derives it from µa(B) as H = B / (µ0 µa))");
    for (int t : {25, 100})
        if (mat.num(r, "Bs" + std::to_string(t)) > 0 && !tip.count(t))
            left.push_back("the field strength of the saturation point at " + std::to_string(t) +
                           " °C (no loop)");
    if (!left.empty()) {
        std::string line = "material '" + name + "': MAS has no field for ";
        for (std::size_t i = 0; i < left.size(); ++i)
            line += (i ? ", " : "") + left[i];
        notes.push_back(line + ": left out");
    }
    return doc;
}

Json CoreDoc(const View& k, std::size_t r, std::vector<std::string>& notes) {
    const std::string type = k.text(r, "Kerntyp");
    std::string name = type;
    if (k.num(r, "LP") == -1) name += kLowProfileSuffix;
    if (k.num(r, "Loch") == -1) name += kHoleSuffix;
    std::string first = Upper(type.substr(0, type.find(' ')));
    std::transform(first.begin(), first.end(), first.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Json doc = Json::object();
    doc.set("name", Json::string(name));
    Json fd = Json::object();
    fd.set("type", Json::string(first == "t" ? "toroidal" : "twoPieceSet"));
    fd.set("material", Json::string(""));
    if (kFamilies.count(first)) {
        Json shape = Json::object();
        shape.set("type", Json::string("custom"));
        shape.set("family", Json::string(first));
        shape.set("name", Json::string(name));
        fd.set("shape", std::move(shape));
    } else {
        fd.set("shape", Json::string(name));
    }
    fd.set("gapping", Json::array());
    doc.set("functionalDescription", std::move(fd));
    Json pd = Json::object();
    Json ep = Json::object();
    ep.set("effectiveLength", Num(k.num(r, "le") / 1e3));
    ep.set("effectiveArea", Num(k.num(r, "Ae") / 1e6));
    ep.set("minimumArea", Num(k.num(r, "Amin") / 1e6));
    ep.set("effectiveVolume", Num(k.num(r, "Ve") / 1e9));
    pd.set("effectiveParameters", std::move(ep));
    if (k.num(r, "AN") > 0)
        pd.set("windingWindows", Json::array()).push(Point({{"area", k.num(r, "AN") / 1e6}}));
    if (k.num(r, "Rth") > 0) pd.set("thermalResistance", Num(k.num(r, "Rth")));
    doc.set("processedDescription", std::move(pd));
    std::vector<std::string> left;
    for (const char* f : {"LN", "Ar", "hWickel", "CDF"})
        if (k.num(r, f) != 0) left.push_back(f);
    if (k.num(r, "K1") != 0) left.push_back("K1, K2 (the Al value against the gap)");
    if (!left.empty()) {
        std::string line = "core '" + name + "': MAS has no field for ";
        for (std::size_t i = 0; i < left.size(); ++i)
            line += (i ? ", " : "") + left[i];
        notes.push_back(line + ": left out");
    }
    return doc;
}

} // namespace

std::vector<Json> TablesToMas(const CsvTables& tables, const MasSelection& selection,
                              std::vector<std::string>& notes) {
    std::vector<Json> docs;
    const View mat = Table(tables, "Material");
    for (std::size_t r = 0; r < mat.size(); ++r)
        if (!mat.text(r, "Name").empty() && Wanted(selection.all, selection.materials, {mat.text(r, "Name")}))
            docs.push_back(MaterialDoc(mat, r, tables, notes));
    const View cores = Table(tables, "Kernform");
    bool any = false;
    for (std::size_t r = 0; r < cores.size(); ++r) {
        const std::string type = cores.text(r, "Kerntyp");
        std::string variant = type;
        if (cores.num(r, "LP") == -1) variant += kLowProfileSuffix;
        if (cores.num(r, "Loch") == -1) variant += kHoleSuffix;
        if (type.empty() || !Wanted(selection.all, selection.shapes, {type, variant})) continue;
        docs.push_back(CoreDoc(cores, r, notes));
        any = true;
    }
    if (any)
        notes.push_back(
            "cores: MAS's processed description also asks for width, height, depth and the columns, "
            "and a winding window's width and height, which the data file does not hold: left out; the "
            "variant is written into the name (\" (low profile)\", \" (with hole)\"), the flags Anzeige "
            "and RthAnzeige are not written");
    return docs;
}

} // namespace tolvik::datatool
