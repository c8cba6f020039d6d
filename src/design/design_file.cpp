#include "tolvik/design/design_file.h"

#include "tolvik/data/json.h"

#include <cmath>
#include <limits>

namespace tolvik::design {

using data::Json;

namespace {

// --- writing ---

Json Text(const std::string& s) {
    return Json::string(s);
}

Json Coordinate(const std::optional<double>& v) {
    return v && std::isfinite(*v) ? Json::number(*v) : Json();
}

Json GraphJson(const GraphState& g) {
    Json j = Json::object();
    j.set("name", Text(g.name));
    j.set("title", Text(g.title));
    j.set("xTitle", Text(g.xTitle));
    j.set("yTitle", Text(g.yTitle));
    j.set("axisScale", Json::number(g.axisScale));
    j.set("graphStyle", Json::number(g.graphStyle));
    Json limits = Json::array();
    for (double v : {g.xMin, g.xMax, g.yMin, g.yMax})
        limits.push(Json::number(std::isfinite(v) ? v : 0));
    j.set("limits", std::move(limits));
    j.set("pointsPerCurve", Json::number(g.pointsPerCurve));
    Json styles = Json::object();
    for (const auto& [name, code] : g.styles)
        styles.set(name, Json::number(code));
    j.set("styles", std::move(styles));
    Json curves = Json::array();
    for (const CurveState& c : g.curves) {
        Json curve = Json::object();
        curve.set("legend", Text(c.legend));
        Json points = Json::array();
        for (const CurvePoint& p : c.points) {
            Json point = Json::array();
            point.push(Coordinate(p.x));
            point.push(Coordinate(p.y));
            points.push(std::move(point));
        }
        curve.set("points", std::move(points));
        curves.push(std::move(curve));
    }
    j.set("curves", std::move(curves));
    return j;
}

template <typename T, typename F> Json Members(const std::vector<std::pair<std::string, T>>& items, F value) {
    Json j = Json::object();
    for (const auto& [name, v] : items)
        j.set(name, value(v));
    return j;
}

// --- reading: every value checked before it is taken ---

struct Refusal {
    std::string what;
};

[[noreturn]] void Refuse(const std::string& path, const std::string& expected, const Json& found) {
    throw Refusal{path + ": " + expected + " is expected, not " + data::KindName(found.kind()) + " (line " +
                  std::to_string(found.line()) + ")"};
}

const Json& Member(const Json& object, const std::string& path, const char* key) {
    const Json* j = object.find(key);
    if (!j) throw Refusal{path + ": the entry \"" + key + "\" is missing"};
    return *j;
}

std::string String(const Json& j, const std::string& path) {
    if (!j.isString()) Refuse(path, "a text", j);
    return j.text();
}

double Number(const Json& j, const std::string& path) {
    if (!j.isNumber() || !std::isfinite(j.num())) Refuse(path, "a number", j);
    return j.num();
}

int Whole(const Json& j, const std::string& path, int min, int max) {
    const double v = Number(j, path);
    if (v != std::floor(v) || v < min || v > max)
        throw Refusal{path + ": a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
                      " is expected (line " + std::to_string(j.line()) + ")"};
    return static_cast<int>(v);
}

const Json& Kind(const Json& j, const std::string& path, Json::Kind kind) {
    if (j.kind() != kind) Refuse(path, kind == Json::Kind::Array ? "a list" : "an object", j);
    return j;
}

std::string StringMember(const Json& object, const std::string& path, const char* key) {
    return String(Member(object, path, key), path + "." + key);
}

std::optional<double> ReadCoordinate(const Json& j, const std::string& path) {
    if (j.kind() == Json::Kind::Null) return std::nullopt;
    return Number(j, path);
}

GraphState ReadGraph(const Json& j, const std::string& path) {
    Kind(j, path, Json::Kind::Object);
    GraphState g;
    g.name = StringMember(j, path, "name");
    g.title = StringMember(j, path, "title");
    g.xTitle = StringMember(j, path, "xTitle");
    g.yTitle = StringMember(j, path, "yTitle");
    g.axisScale = Whole(Member(j, path, "axisScale"), path + ".axisScale", -1000000, 1000000);
    g.graphStyle = Whole(Member(j, path, "graphStyle"), path + ".graphStyle", -1000000, 1000000);
    const Json& limits = Kind(Member(j, path, "limits"), path + ".limits", Json::Kind::Array);
    if (limits.items().size() != 4) throw Refusal{path + ".limits: four numbers are expected"};
    double* target[] = {&g.xMin, &g.xMax, &g.yMin, &g.yMax};
    for (std::size_t i = 0; i < 4; ++i)
        *target[i] = Number(limits.items()[i], path + ".limits[" + std::to_string(i) + "]");
    // As many points per curve as a chart can hold.
    g.pointsPerCurve = Whole(Member(j, path, "pointsPerCurve"), path + ".pointsPerCurve", 0, 1000000);
    const Json& styles = Kind(Member(j, path, "styles"), path + ".styles", Json::Kind::Object);
    for (std::size_t i = 0; i < styles.keys().size(); ++i)
        g.styles.emplace_back(styles.keys()[i], Whole(styles.items()[i], path + ".styles." + styles.keys()[i],
                                                      -1000000, 1000000));
    const Json& curves = Kind(Member(j, path, "curves"), path + ".curves", Json::Kind::Array);
    for (std::size_t c = 0; c < curves.items().size(); ++c) {
        const std::string cp = path + ".curves[" + std::to_string(c) + "]";
        const Json& cj = Kind(curves.items()[c], cp, Json::Kind::Object);
        CurveState curve;
        curve.legend = StringMember(cj, cp, "legend");
        const Json& points = Kind(Member(cj, cp, "points"), cp + ".points", Json::Kind::Array);
        if (points.items().size() > static_cast<std::size_t>(g.pointsPerCurve))
            throw Refusal{cp + ".points: more points than pointsPerCurve"};
        for (std::size_t p = 0; p < points.items().size(); ++p) {
            const std::string pp = cp + ".points[" + std::to_string(p) + "]";
            const Json& pj = Kind(points.items()[p], pp, Json::Kind::Array);
            if (pj.items().size() != 2) throw Refusal{pp + ": a pair [x, y] is expected"};
            curve.points.push_back(
                {ReadCoordinate(pj.items()[0], pp + "[0]"), ReadCoordinate(pj.items()[1], pp + "[1]")});
        }
        g.curves.push_back(std::move(curve));
    }
    return g;
}

template <typename T, typename F>
std::vector<std::pair<std::string, T>> ReadMembers(const Json& object, const std::string& path,
                                                   const char* key, F value) {
    const std::string p = path + "." + key;
    const Json& j = Kind(Member(object, path, key), p, Json::Kind::Object);
    std::vector<std::pair<std::string, T>> items;
    for (std::size_t i = 0; i < j.keys().size(); ++i)
        items.emplace_back(j.keys()[i], value(j.items()[i], p + "." + j.keys()[i]));
    return items;
}

WindowState ReadWindow(const Json& j, const std::string& path) {
    Kind(j, path, Json::Kind::Object);
    WindowState w;
    w.name = StringMember(j, path, "name");
    if (w.name != "CoreForm" && w.name != "MatTab")
        throw Refusal{path + ".name: \"" + w.name + "\" is no working window of Tolvik"};
    w.tab = Whole(Member(j, path, "tab"), path + ".tab", 0, w.name == "CoreForm" ? 6 : 4);
    w.core = StringMember(j, path, "core");
    w.material = StringMember(j, path, "material");
    w.temperature = StringMember(j, path, "temperature");
    w.texts = ReadMembers<std::string>(j, path, "texts", String);
    w.options = ReadMembers<bool>(j, path, "options", [](const Json& v, const std::string& p) {
        if (v.kind() != Json::Kind::Bool) Refuse(p, "true or false", v);
        return v.flag();
    });
    w.lists = ReadMembers<std::string>(j, path, "lists", String);
    const Json& graphs = Kind(Member(j, path, "graphs"), path + ".graphs", Json::Kind::Array);
    for (std::size_t i = 0; i < graphs.items().size(); ++i)
        w.graphs.push_back(ReadGraph(graphs.items()[i], path + ".graphs[" + std::to_string(i) + "]"));
    return w;
}

} // namespace

std::string WriteDesign(const Design& design) {
    Json root = Json::object();
    root.set("format", Text(kFormatName));
    root.set("version", Json::number(kFormatVersion));
    root.set("dataFile", Text(design.dataFile));
    Json windows = Json::array();
    for (const WindowState& w : design.windows) {
        Json j = Json::object();
        j.set("name", Text(w.name));
        j.set("tab", Json::number(w.tab));
        j.set("core", Text(w.core));
        j.set("material", Text(w.material));
        j.set("temperature", Text(w.temperature));
        j.set("texts", Members(w.texts, Text));
        j.set("options", Members(w.options, Json::boolean));
        j.set("lists", Members(w.lists, Text));
        Json graphs = Json::array();
        for (const GraphState& g : w.graphs)
            graphs.push(GraphJson(g));
        j.set("graphs", std::move(graphs));
        windows.push(std::move(j));
    }
    root.set("windows", std::move(windows));
    return root.dump() + "\n";
}

DesignRead ReadDesign(std::string_view text) {
    DesignRead r;
    if (text.size() > kMaxDesignBytes) {
        r.error = "the file is too large to be a design (" + std::to_string(text.size() >> 20) + " MB)";
        return r;
    }
    Json root;
    std::string error;
    if (!data::ParseJson(text, root, error)) {
        r.error = "it is not a design file (not JSON: " + error + ")";
        return r;
    }
    try {
        if (!root.isObject()) throw Refusal{"it is not a design file (no JSON object)"};
        const Json* format = root.find("format");
        if (!format || !format->isString() || format->text() != kFormatName)
            throw Refusal{"it is not a Tolvik design (format \"" +
                          (format && format->isString() ? format->text() : "") + "\")"};
        const int version =
            Whole(Member(root, "design", "version"), "version", 1, std::numeric_limits<int>::max());
        if (version > kFormatVersion)
            throw Refusal{"it was saved by a newer Tolvik (design version " + std::to_string(version) +
                          "; this Tolvik reads version " + std::to_string(kFormatVersion) + ")"};
        Design d;
        d.dataFile = StringMember(root, "design", "dataFile");
        const Json& windows = Kind(Member(root, "design", "windows"), "windows", Json::Kind::Array);
        for (std::size_t i = 0; i < windows.items().size(); ++i) {
            WindowState w = ReadWindow(windows.items()[i], "windows[" + std::to_string(i) + "]");
            for (const WindowState& other : d.windows)
                if (other.name == w.name)
                    throw Refusal{"windows[" + std::to_string(i) + "]: " + w.name + " twice"};
            d.windows.push_back(std::move(w));
        }
        r.design = std::move(d);
    } catch (const Refusal& refusal) {
        r.error = refusal.what;
    }
    return r;
}

} // namespace tolvik::design
