// MAS documents to materials and cores in the units of the data file. Each refusal names
// the document, the field path and what to write instead; what has no place in the data
// file is noted for the report.

#include "tolvik/datatool/mas.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace tolvik::datatool {

namespace {

/// A converted value rounded to 12 significant digits, so that 0.2 T reads as 200 mT.
double Rounded(double v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 12);
    double out = v;
    std::from_chars(buffer, r.ptr, out);
    return out;
}

/// The plausible range of a quantity in its SI unit, and what to write when a value is off.
struct Quantity {
    const char* unit;
    double low, high; ///< open bounds of a plausible value
    const char* hint;
};
constexpr Quantity kFlux{"T", -5, 5, "MAS gives flux densities in tesla (0.49, not 490)"};
constexpr Quantity kField{"A/m", -1e7, 1e7, "MAS gives field strengths in A/m"};
constexpr Quantity kTemp{"Celsius", -273.15, 1000, "MAS gives temperatures in °C"};
constexpr Quantity kFreq{"Hz", 0, 1e12, "MAS gives frequencies in Hz, above 0"};
constexpr Quantity kLoss{"W/m3", 0, 1e12, "MAS gives volumetric losses in W/m³, above 0"};
constexpr Quantity kPerm{"", 0, 1e8, "a relative permeability is above 0"};
constexpr Quantity kImag{"", -1e8, 1e8, "a relative permeability is a plain number"};
constexpr Quantity kDensity{"kg/m3", 100, 50000, "MAS gives the density in kg/m³ (4800, not 4.8)"};
constexpr Quantity kResist{"Ohm*m", 0, 1e15, "MAS gives the resistivity in Ω·m, above 0"};
constexpr Quantity kLength{"m", 0, 10, "MAS gives lengths in metres (0.0463, not 46.3)"};
constexpr Quantity kArea{"m2", 0, 1, "MAS gives areas in m² (3.69e-05, not 36.9)"};
constexpr Quantity kVolume{"m3", 0, 1, "MAS gives volumes in m³ (1.709e-06, not 1709)"};
constexpr Quantity kThermal{"K/W", 0, 1e6, "MAS gives the thermal resistance in K/W, above 0"};
constexpr Quantity kCoefficient{"", -1e300, 1e300, "write a number"};

class DocReader {
public:
    DocReader(MasDocuments& out, std::string place) : out_(out), place_(std::move(place)) {}

    void read(const Json& doc) {
        if (!doc.isObject()) {
            error(doc, "",
                  std::string("the document is ") + KindName(doc.kind()) +
                      ", not a MAS object: write one material, shape or core as {...}");
            return;
        }
        if (doc.find("functionalDescription"))
            core(doc);
        else if (doc.find("permeability"))
            material(doc);
        else if (doc.find("family") && (doc.find("dimensions") || doc.find("magneticCircuit")))
            error(doc, "dimensions",
                  "a bare MAS shape has no effective parameters, which the core tabs need: give it as a "
                  "MAS core with processedDescription.effectiveParameters");
        else
            error(doc, "",
                  "not a MAS material (with permeability) or core (with functionalDescription): "
                  "import only core materials and cores");
    }

private:
    // --- messages ---------------------------------------------------------------------------
    void error(const Json& at, const std::string& path, const std::string& what) {
        failed_ = true;
        std::string line = place_;
        if (at.line() > 1 || place_.find(" line ") == std::string::npos)
            line = base() + " line " + std::to_string(at.line());
        out_.errors.push_back(line + subject() + (path.empty() ? "" : ": " + path) + ": " + what);
    }
    void note(const std::string& path, const std::string& what) {
        out_.notes.push_back(place_ + subject() + (path.empty() ? "" : ": " + path) + ": " + what);
    }
    std::string base() const {
        const auto p = place_.find(" line ");
        return p == std::string::npos ? place_ : place_.substr(0, p);
    }
    std::string subject() const { return name_.empty() ? "" : " (" + kind_ + " '" + name_ + "')"; }

    // --- typed access -----------------------------------------------------------------------
    const Json* member(const Json& obj, const std::string& path, const char* key, Json::Kind kind,
                       bool required) {
        const Json* v = obj.find(key);
        const std::string p = path.empty() ? key : path + "." + key;
        if (v == nullptr || v->kind() == Json::Kind::Null) {
            if (required) error(obj, p, std::string("missing: write ") + KindName(kind) + " here");
            return nullptr;
        }
        if (v->kind() != kind) {
            error(*v, p,
                  std::string("is ") + KindName(v->kind()) + ", not " + KindName(kind) + ": write " +
                      KindName(kind));
            return nullptr;
        }
        return v;
    }

    /// A number (or a dimension {nominal, minimum, maximum, unit}) in the plausible range.
    std::optional<double> number(const Json& obj, const std::string& path, const char* key, const Quantity& q,
                                 bool required) {
        const Json* v = obj.find(key);
        const std::string p = path.empty() ? key : path + "." + key;
        if (v == nullptr || v->kind() == Json::Kind::Null) {
            if (required)
                error(obj, p, std::string("missing: write a number") + (*q.unit ? " in " : "") + q.unit);
            return std::nullopt;
        }
        double value = 0;
        if (v->isNumber()) {
            value = v->num();
        } else if (v->isObject()) {
            if (const Json* unit = v->find("unit"); unit && unit->isString() && unit->text() != q.unit) {
                error(*unit, p + ".unit",
                      "'" + unit->text() + "' is not the unit MAS uses here: convert to " + q.unit);
                return std::nullopt;
            }
            const Json* n = v->find("nominal");
            const Json* lo = v->find("minimum");
            const Json* hi = v->find("maximum");
            if (n && n->isNumber())
                value = n->num();
            else if (lo && lo->isNumber() && hi && hi->isNumber())
                value = 0.5 * (lo->num() + hi->num());
            else if (lo && lo->isNumber())
                value = lo->num();
            else if (hi && hi->isNumber())
                value = hi->num();
            else {
                error(*v, p, "a dimension needs a number in nominal, minimum or maximum");
                return std::nullopt;
            }
        } else {
            error(*v, p,
                  std::string("is ") + KindName(v->kind()) + ", not a number: write a number" +
                      (*q.unit ? " in " : "") + q.unit);
            return std::nullopt;
        }
        if (!(value > q.low && value < q.high)) {
            char buffer[64];
            const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
            error(*v, p, std::string(buffer, r.ptr) + " is out of range: " + q.hint);
            return std::nullopt;
        }
        return value;
    }

    /// A list of objects (a single object counts as a list of one); nullptr and an error
    /// when it is empty or of another kind.
    std::vector<const Json*> list(const Json& obj, const std::string& path, const char* key, bool required) {
        std::vector<const Json*> out;
        const Json* v = obj.find(key);
        const std::string p = path.empty() ? key : path + "." + key;
        if (v == nullptr || v->kind() == Json::Kind::Null) {
            if (required) error(obj, p, "missing: write a list of points");
            return out;
        }
        if (v->isObject()) return {v};
        if (!v->isArray()) {
            error(*v, p,
                  std::string("is ") + KindName(v->kind()) + ", not a list of points: write [ {...}, ... ]");
            return out;
        }
        if (v->items().empty())
            error(*v, p, "the curve has no points: give at least one, or leave the field out");
        for (std::size_t i = 0; i < v->items().size(); ++i) {
            const Json& item = v->items()[i];
            if (!item.isObject()) {
                error(item, p + "[" + std::to_string(i) + "]",
                      std::string("is ") + KindName(item.kind()) + ", not a point: write {...}");
                continue;
            }
            out.push_back(&item);
        }
        return out;
    }

    static std::string at(const std::string& path, std::size_t i) {
        return path + "[" + std::to_string(i) + "]";
    }

    /// 25 or 100 for a temperature within half a kelvin of them, else 0.
    static int TableTemperature(double t) {
        if (std::fabs(t - 25) <= 0.5) return 25;
        if (std::fabs(t - 100) <= 0.5) return 100;
        return 0;
    }

    // --- material ---------------------------------------------------------------------------
    void material(const Json& doc) {
        kind_ = "material";
        MasMaterial m;
        m.place = place_;
        if (const Json* n = member(doc, "", "name", Json::Kind::String, true)) {
            m.name = n->text();
            if (m.name.find_first_not_of(" \t") == std::string::npos)
                error(*n, "name", "the name is empty: write one");
        }
        name_ = m.name;
        if (const Json* type = doc.find("material"); type && type->isString() && type->text() != "ferrite")
            note("material", "'" + type->text() + "': the program's calculations are made for ferrites");

        if (auto v = number(doc, "", "curieTemperature", kTemp, false))
            m.tc = Rounded(*v);
        else
            note("curieTemperature", "not given: Tc stays empty (the µi tab marks no Curie point)");
        if (auto v = number(doc, "", "density", kDensity, false))
            m.density = Rounded(*v);
        else
            note("density", "not given: Dichte stays empty (no core weight)");
        {
            const auto points = list(doc, "", "resistivity", false);
            for (std::size_t i = 0; i < points.size(); ++i)
                if (auto v = number(*points[i], at("resistivity", i), "value", kResist, true); v && i == 0)
                    m.resistivity = Rounded(*v);
            if (points.size() > 1) note("resistivity", "only the first value is kept (dcresist)");
            if (points.empty()) note("resistivity", "not given: dcresist stays empty");
        }
        bhPoints(doc, "saturation", m.bs25, m.bs100, true);
        bhPoints(doc, "coerciveForce", m.hc25, m.hc100, false);
        if (doc.find("remanence")) note("remanence", "the data file has no field for it: left out");
        if (const Json* rec = member(doc, "", "recommendations", Json::Kind::Object, false)) {
            if (auto v = number(*rec, "recommendations", "minimumFrequency", kFreq, false))
                m.fmin = Rounded(*v / 1000);
            if (auto v = number(*rec, "recommendations", "maximumFrequency", kFreq, false))
                m.fmax = Rounded(*v / 1000);
        }
        if (m.fmin == 0 || m.fmax == 0)
            note("recommendations", "no minimum and maximum frequency: fmin, fmax stay empty");
        note("", "the typical frequency ftyp, the allowed temperature rise dT, tan δ/µi, the temperature "
                 "factor and the hysteresis constant (hb, hbT) have no MAS field: they stay empty");
        if (const Json* info = member(doc, "", "manufacturerInfo", Json::Kind::Object, false))
            if (const Json* status = member(*info, "manufacturerInfo", "status", Json::Kind::String, false))
                m.current = status->text() != "obsolete";

        if (const Json* perm = member(doc, "", "permeability", Json::Kind::Object, true)) {
            initial(*perm, m);
            amplitude(*perm, m);
            if (const Json* cx = member(*perm, "permeability", "complex", Json::Kind::Object, false)) {
                frequencyCurve(*cx, "permeability.complex", "real", kPerm, m.muReal);
                frequencyCurve(*cx, "permeability.complex", "imaginary", kImag, m.muImag);
            } else {
                note("permeability.complex", "not given: no complex permeability curve");
            }
            for (const char* k : {"incremental", "reversible"})
                if (perm->find(k))
                    note(std::string("permeability.") + k, "the data file has no curve for it: left out");
        }
        loops(doc, m);
        losses(doc, m);
        if (!failed_) out_.materials.push_back(std::move(m));
    }

    /// B–H points of saturation or coercive force at 25 and 100 °C.
    void bhPoints(const Json& doc, const char* key, double& at25, double& at100, bool flux) {
        const auto points = list(doc, "", key, false);
        if (points.empty()) {
            note(key, std::string("not given: ") + (flux ? "Bs25, Bs100" : "Hc25, Hc100") + " stay empty");
            return;
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string p = at(key, i);
            const auto b = number(*points[i], p, "magneticFluxDensity", kFlux, flux);
            const auto h = number(*points[i], p, "magneticField", kField, !flux);
            const auto t = number(*points[i], p, "temperature", kTemp, true);
            if (!t) continue;
            const int table = TableTemperature(*t);
            const double v = flux ? (b ? Rounded(*b * 1000) : 0) : (h ? std::fabs(*h) : 0);
            if (table == 25)
                at25 = v;
            else if (table == 100)
                at100 = v;
            else
                note(p, "the data file keeps values at 25 and 100 °C only: left out");
        }
    }

    void initial(const Json& perm, MasMaterial& m) {
        const auto points = list(perm, "permeability", "initial", true);
        std::vector<CurvePoint> curve;
        std::optional<double> untimed;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string p = at("permeability.initial", i);
            const auto v = number(*points[i], p, "value", kPerm, true);
            const auto t = number(*points[i], p, "temperature", kTemp, false);
            if (!v) continue;
            if (t)
                curve.push_back({Rounded(*t), *v});
            else if (!untimed)
                untimed = *v;
        }
        if (!Sorted(curve, perm, "permeability.initial")) return;
        if (curve.size() >= 2) {
            m.muiT = curve;
            m.mui = Rounded(Interpolate(curve, 25));
        } else if (curve.size() == 1) {
            m.mui = curve.front().y;
            note("permeability.initial", "one point only: no curve against temperature (MuiT)");
        } else if (untimed) {
            m.mui = *untimed;
            note("permeability.initial", "no temperatures: no curve against temperature (MuiT)");
        }
    }

    void amplitude(const Json& perm, MasMaterial& m) {
        const auto points = list(perm, "permeability", "amplitude", false);
        if (points.empty()) {
            note("permeability.amplitude", "not given: no amplitude permeability (mua = 0)");
            return;
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string p = at("permeability.amplitude", i);
            const auto v = number(*points[i], p, "value", kPerm, true);
            const auto b = number(*points[i], p, "magneticFluxDensityPeak", kFlux, true);
            const auto t = number(*points[i], p, "temperature", kTemp, true);
            if (!v || !b || !t) continue;
            const int table = TableTemperature(*t);
            if (table == 0) {
                note(p, "MuaB and MuaH hold 25 and 100 °C only: left out");
                continue;
            }
            m.muaB[table].push_back({Rounded(*b * 1000), *v});
        }
        for (auto& [t, curve] : m.muaB)
            Sorted(curve, perm, "permeability.amplitude at " + std::to_string(t) + " °C");
        if (!m.muaB.count(100) && !m.muaB.empty())
            note("permeability.amplitude", "no points at 100 °C: the 100 °C columns stay empty");
    }

    void frequencyCurve(const Json& cx, const std::string& path, const char* key, const Quantity& q,
                        std::vector<CurvePoint>& out) {
        const auto points = list(cx, path, key, true);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string p = at(path + "." + key, i);
            const auto v = number(*points[i], p, "value", q, true);
            const auto f = number(*points[i], p, "frequency", kFreq, true);
            if (v && f) out.push_back({Rounded(*f / 1000), *v});
        }
        Sorted(out, cx, path + "." + key);
    }

    void loops(const Json& doc, MasMaterial& m) {
        const auto points = list(doc, "", "bhCycle", false);
        if (points.empty()) {
            note("bhCycle", "not given: no hysteresis loop");
            return;
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string p = at("bhCycle", i);
            const auto b = number(*points[i], p, "magneticFluxDensity", kFlux, true);
            const auto h = number(*points[i], p, "magneticField", kField, true);
            const auto t = number(*points[i], p, "temperature", kTemp, true);
            if (!b || !h || !t) continue;
            const int table = TableTemperature(*t);
            if (table == 0) {
                note(p, "Hysterese holds loops at 25 and 100 °C only: left out");
                continue;
            }
            m.loops[table].push_back({Rounded(*h), Rounded(*b * 1000)});
        }
    }

    void losses(const Json& doc, MasMaterial& m) {
        const Json* vl = member(doc, "", "volumetricLosses", Json::Kind::Object, false);
        if (vl == nullptr || vl->items().empty()) {
            note("volumetricLosses", "not given: no loss data (Leistung = 0)");
            return;
        }
        std::size_t use = 0;
        for (std::size_t i = 0; i < vl->keys().size(); ++i)
            if (vl->keys()[i] == "default") use = i;
        for (std::size_t i = 0; i < vl->keys().size(); ++i)
            if (i != use)
                note("volumetricLosses." + vl->keys()[i],
                     "only one set of losses is kept, '" + vl->keys()[use] + "': left out");
        const std::string path = "volumetricLosses." + vl->keys()[use];
        const Json& methods = vl->items()[use];
        if (!methods.isArray()) {
            error(methods, path, std::string("is ") + KindName(methods.kind()) + ", not a list of methods");
            return;
        }
        for (std::size_t i = 0; i < methods.items().size(); ++i) {
            const Json& method = methods.items()[i];
            const std::string p = at(path, i);
            if (method.isArray()) {
                if (method.items().empty())
                    error(method, p, "the list of loss points is empty: give points or leave it out");
                for (std::size_t k = 0; k < method.items().size(); ++k)
                    lossPoint(method.items()[k], at(p, k), m);
            } else if (method.isObject()) {
                const Json* name = member(method, p, "method", Json::Kind::String, true);
                if (name && name->text() == "steinmetz")
                    steinmetz(method, p, m);
                else if (name)
                    note(p, "the loss method '" + name->text() + "' has no place in the data file: left out");
            } else {
                error(method, p,
                      std::string("is ") + KindName(method.kind()) +
                          ", not a loss method or a list of points");
            }
        }
        std::sort(m.losses.begin(), m.losses.end(), [](const auto& a, const auto& b) {
            return std::tie(a.t, a.f, a.b) < std::tie(b.t, b.f, b.b);
        });
        for (std::size_t i = 1; i < m.losses.size(); ++i)
            if (m.losses[i].t == m.losses[i - 1].t && m.losses[i].f == m.losses[i - 1].f &&
                m.losses[i].b == m.losses[i - 1].b)
                error(doc, path,
                      "two loss points at the same temperature, frequency and flux density: remove one");
    }

    void lossPoint(const Json& point, const std::string& p, MasMaterial& m) {
        if (!point.isObject()) {
            error(point, p, std::string("is ") + KindName(point.kind()) + ", not a loss point {...}");
            return;
        }
        const auto v = number(point, p, "value", kLoss, true);
        const auto t = number(point, p, "temperature", kTemp, true);
        const Json* ex = member(point, p, "magneticFluxDensity", Json::Kind::Object, true);
        if (ex == nullptr) return;
        const std::string pe = p + ".magneticFluxDensity";
        const auto f = number(*ex, pe, "frequency", kFreq, true);
        std::optional<double> b;
        if (const Json* signal = member(*ex, pe, "magneticFluxDensity", Json::Kind::Object, true))
            if (const Json* processed =
                    member(*signal, pe + ".magneticFluxDensity", "processed", Json::Kind::Object, true))
                b = number(*processed, pe + ".magneticFluxDensity.processed", "peak", kFlux, true);
        if (b && *b <= 0) {
            error(*ex, pe + ".magneticFluxDensity.processed.peak", "the peak flux density must be above 0");
            return;
        }
        if (v && t && f && b)
            m.losses.push_back({Rounded(*t), Rounded(*f / 1000), Rounded(*b * 1000), Rounded(*v / 1000)});
    }

    void steinmetz(const Json& method, const std::string& p, MasMaterial& m) {
        const auto ranges = list(method, p, "ranges", true);
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            const std::string pr = at(p + ".ranges", i);
            MasMaterial::Law law;
            const auto k = number(*ranges[i], pr, "k", kLoss, true);
            const auto a = number(*ranges[i], pr, "alpha", kCoefficient, true);
            const auto b = number(*ranges[i], pr, "beta", kCoefficient, true);
            if (!k || !a || !b) continue;
            law.k = *k;
            law.alpha = *a;
            law.beta = *b;
            if (auto v = number(*ranges[i], pr, "minimumFrequency", kFreq, false)) law.fmin = *v;
            if (auto v = number(*ranges[i], pr, "maximumFrequency", kFreq, false)) law.fmax = *v;
            if (auto v = number(*ranges[i], pr, "ct0", kCoefficient, false)) law.ct0 = *v;
            if (auto v = number(*ranges[i], pr, "ct1", kCoefficient, false)) law.ct1 = *v;
            if (auto v = number(*ranges[i], pr, "ct2", kCoefficient, false)) law.ct2 = *v;
            m.laws.push_back(law);
        }
    }

    /// Sorts a curve by x; false and an error when an x repeats.
    bool Sorted(std::vector<CurvePoint>& curve, const Json& owner, const std::string& path) {
        std::stable_sort(curve.begin(), curve.end(),
                         [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; });
        for (std::size_t i = 1; i < curve.size(); ++i)
            if (curve[i].x == curve[i - 1].x) {
                error(owner, path, "two points at the same abscissa: remove one");
                return false;
            }
        return true;
    }

    static double Interpolate(const std::vector<CurvePoint>& c, double x) {
        if (x <= c.front().x) return c.front().y;
        for (std::size_t i = 1; i < c.size(); ++i)
            if (x <= c[i].x)
                return c[i - 1].y + (c[i].y - c[i - 1].y) * (x - c[i - 1].x) / (c[i].x - c[i - 1].x);
        return c.back().y;
    }

    // --- core -------------------------------------------------------------------------------
    void core(const Json& doc) {
        kind_ = "core";
        MasCore c;
        c.place = place_;
        const Json* fd = member(doc, "", "functionalDescription", Json::Kind::Object, true);
        std::string name;
        if (const Json* n = doc.find("name"); n && n->isString()) name = n->text();
        if (fd) {
            if (const Json* shape = fd->find("shape")) {
                if (shape->isString())
                    name = shape->text();
                else if (const Json* sn = shape->isObject() ? shape->find("name") : nullptr;
                         sn && sn->isString())
                    name = sn->text();
            }
            if (const Json* material = fd->find("material"); material && material->isObject())
                note("functionalDescription.material", "a core shape in the data file has no material: "
                                                       "import the material as a document of its own");
            if (const Json* gaps = fd->find("gapping"); gaps && gaps->isArray() && !gaps->items().empty())
                note("functionalDescription.gapping",
                     "the data file keeps ungapped shapes: the gaps are left out");
        }
        // The variant is written after the core type, " (low profile)" before " (with hole)".
        for (bool stripped = true; stripped;) {
            stripped = false;
            for (auto [suffix, flag] :
                 {std::pair{kLowProfileSuffix, &c.lowProfile}, std::pair{kHoleSuffix, &c.hole}})
                if (!*flag && name.size() > suffix.size() && name.ends_with(suffix)) {
                    *flag = stripped = true;
                    name.resize(name.size() - suffix.size());
                }
        }
        if (name.find_first_not_of(" \t") == std::string::npos) {
            error(doc, "functionalDescription.shape.name", "the core has no name: write the shape's name");
            return;
        }
        c.name = name;
        name_ = name;
        const Json* pd = member(doc, "", "processedDescription", Json::Kind::Object, true);
        if (pd == nullptr) return;
        const std::string pp = "processedDescription.effectiveParameters";
        if (const Json* ep =
                member(*pd, "processedDescription", "effectiveParameters", Json::Kind::Object, true)) {
            const auto ae = number(*ep, pp, "effectiveArea", kArea, true);
            const auto le = number(*ep, pp, "effectiveLength", kLength, true);
            const auto ve = number(*ep, pp, "effectiveVolume", kVolume, false);
            const auto amin = number(*ep, pp, "minimumArea", kArea, false);
            if (ae) c.ae = Rounded(*ae * 1e6);
            if (le) c.le = Rounded(*le * 1e3);
            c.ve = ve ? Rounded(*ve * 1e9) : Rounded(c.ae * c.le);
            if (!ve) note(pp + ".effectiveVolume", "not given: Ve = Ae * le");
            c.amin = amin ? Rounded(*amin * 1e6) : c.ae;
            if (!amin) note(pp + ".minimumArea", "not given: Amin = Ae");
        }
        if (auto v = number(*pd, "processedDescription", "thermalResistance", kThermal, false))
            c.rth = Rounded(*v);
        else
            note("processedDescription.thermalResistance",
                 "not given: Rth stays empty (not listed in the transmissible power tab)");
        const auto windows = list(*pd, "processedDescription", "windingWindows", false);
        if (!windows.empty()) {
            if (auto a =
                    number(*windows.front(), "processedDescription.windingWindows[0]", "area", kArea, false))
                c.an = Rounded(*a * 1e6);
            else if (auto w = number(*windows.front(), "processedDescription.windingWindows[0]", "width",
                                     kLength, false))
                if (auto h = number(*windows.front(), "processedDescription.windingWindows[0]", "height",
                                    kLength, false))
                    c.an = Rounded(*w * *h * 1e6);
        }
        if (c.an == 0) note("processedDescription.windingWindows", "no winding window area: AN stays empty");
        note("",
             "the mean length of turn LN, Ar, hWickel, the K-factors and the core distortion factor have no "
             "MAS field: they stay empty (the wire tab needs LN, Ar and hWickel)");
        if (!failed_) out_.cores.push_back(std::move(c));
    }

    MasDocuments& out_;
    std::string place_;
    std::string kind_, name_;
    bool failed_ = false;
};

} // namespace

MasDocuments ReadMas(std::string_view text, const std::string& source) {
    MasDocuments out;
    Json all;
    std::string error;
    if (ParseJson(text, all, error)) {
        if (all.isArray()) {
            if (all.items().empty()) out.errors.push_back(source + ": the list holds no document: add one");
            for (std::size_t i = 0; i < all.items().size(); ++i)
                DocReader(out, source + ", document " + std::to_string(i + 1)).read(all.items()[i]);
        } else {
            DocReader(out, source).read(all);
        }
        return out;
    }
    // NDJSON: one document per line, when the first line is a whole document.
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    Json first;
    std::string firstError;
    std::size_t firstLine = 0;
    while (firstLine < lines.size() && lines[firstLine].find_first_not_of(" \t\r") == std::string_view::npos)
        ++firstLine;
    if (lines.size() < 2 || firstLine >= lines.size() || !ParseJson(lines[firstLine], first, firstError)) {
        out.errors.push_back(source + ": not JSON (" + error +
                             "): write one MAS document, a list [...] of them, or one document per line");
        return out;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find_first_not_of(" \t\r") == std::string_view::npos) continue;
        const std::string place = source + " line " + std::to_string(i + 1);
        Json doc;
        std::string lineError;
        if (!ParseJson(lines[i], doc, lineError)) {
            out.errors.push_back(place + ": not JSON (" + lineError.substr(lineError.find(',') + 2) +
                                 "): write one whole document on each line");
            continue;
        }
        DocReader(out, place).read(doc);
    }
    return out;
}

} // namespace tolvik::datatool
