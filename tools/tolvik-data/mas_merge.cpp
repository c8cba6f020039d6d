// MAS materials and cores merged into the tables of a CSV folder: a row of Material or
// Kernform each, and the curve columns on the x grid of each curve table.

#include "tolvik/datatool/mas.h"
#include "tolvik/numerics/numerics.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <set>
#include <tuple>

namespace tolvik::datatool {

namespace {

std::string CoreName(const MasCore& c) {
    return c.name + std::string(c.lowProfile ? kLowProfileSuffix : "") +
           std::string(c.hole ? kHoleSuffix : "");
}

/// A number for a note: six significant digits.
std::string Short(double v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
    return std::string(buffer, r.ptr);
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

/// The column of that name (without regard to case), -1 when absent.
int Column(const CsvText& t, const std::string& name) {
    const std::string u = Upper(name);
    for (std::size_t i = 0; i < t.header.size(); ++i)
        if (Upper(t.header[i]) == u) return static_cast<int>(i);
    return -1;
}

int EnsureColumn(CsvText& t, const std::string& name) {
    if (int c = Column(t, name); c >= 0) return c;
    t.header.push_back(name);
    for (auto& row : t.rows)
        row.resize(t.header.size());
    return static_cast<int>(t.header.size()) - 1;
}

void RemoveColumn(CsvText& t, const std::string& name) {
    const int c = Column(t, name);
    if (c < 0) return;
    t.header.erase(t.header.begin() + c);
    for (auto& row : t.rows)
        if (static_cast<int>(row.size()) > c) row.erase(row.begin() + c);
}

/// Every row as wide as the header.
void Square(CsvText& t) {
    for (auto& row : t.rows)
        row.resize(t.header.size());
}

double CellNumber(const CsvText& t, std::size_t row, int column) {
    double v = 0;
    if (column < 0 || row >= t.rows.size() || static_cast<std::size_t>(column) >= t.rows[row].size() ||
        !ReadNumber(t.rows[row][static_cast<std::size_t>(column)], v))
        return std::nan("");
    return v;
}

void Set(CsvText& t, std::size_t row, const std::string& column, const std::string& text) {
    const int c = EnsureColumn(t, column);
    t.rows[row][static_cast<std::size_t>(c)] = text;
}
void SetNumber(CsvText& t, std::size_t row, const std::string& column, double v) {
    Set(t, row, column, NumberText(v));
}

std::size_t AppendRow(CsvText& t) {
    t.rows.emplace_back(t.header.size());
    return t.rows.size() - 1;
}

/// The columns of a material in the curve tables.
std::vector<std::pair<const char*, std::string>> MaterialColumns(const std::string& n) {
    return {{"MuiT", n},
            {"hbT", n},
            {"MuaB", n + "T25"},
            {"MuaB", n + "T100"},
            {"MuaH", n + "T25"},
            {"MuaH", n + "T100"},
            {"Mu_mu__f", "mu_" + n},
            {"Mu_mu__f", "mu__" + n},
            {"Hysterese", "H" + n + "T25"},
            {"Hysterese", "B" + n + "T25"},
            {"Hysterese", "H" + n + "T100"},
            {"Hysterese", "B" + n + "T100"},
            {"PvT", n},
            {"PVEXPO", n + "X"},
            {"PVEXPO", n + "C"}};
}

double Interpolate(const std::vector<CurvePoint>& c, double x) {
    for (std::size_t i = 1; i < c.size(); ++i)
        if (x <= c[i].x) return c[i - 1].y + (c[i].y - c[i - 1].y) * (x - c[i - 1].x) / (c[i].x - c[i - 1].x);
    return c.back().y;
}

struct NamedCurve {
    std::string column;
    std::vector<CurvePoint> points; ///< x ascending, at least one point
    std::string owner;              ///< for notes: "material 'X'"
    double endAt = 0;               ///< where the curve falls to 0 (the Curie point), 0: unknown
};

/// Writes curves onto the x grid of a curve table; an empty table takes the union of their
/// x values. A curve ends with a 0 at the first grid row past its last point; endRow adds
/// such a row where a curve reaches the last row (tables read up to the Curie point).
void PutCurves(CsvText& t, const std::string& table, const std::string& x,
               const std::vector<NamedCurve>& curves, bool endRow, std::vector<std::string>& notes) {
    if (curves.empty()) return;
    const int xc = EnsureColumn(t, x);
    Square(t);
    if (t.rows.empty()) {
        std::set<double> grid;
        for (const NamedCurve& c : curves) {
            for (const CurvePoint& p : c.points)
                grid.insert(p.x);
            if (endRow && c.endAt > c.points.back().x) grid.insert(c.endAt);
        }
        for (double g : grid)
            t.rows[AppendRow(t)][static_cast<std::size_t>(xc)] = NumberText(g);
    }
    for (const NamedCurve& c : curves) {
        // A curve that runs past the table's last row extends the table: the new rows are
        // empty (0, past the end) in every other column.
        double top = -HUGE_VAL;
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            if (const double g = CellNumber(t, r, xc); std::isfinite(g)) top = std::max(top, g);
        std::vector<double> more;
        for (const CurvePoint& p : c.points)
            if (p.x > top) more.push_back(p.x);
        if (!more.empty() && endRow && c.endAt > more.back()) more.push_back(c.endAt);
        for (double g : more)
            t.rows[AppendRow(t)][static_cast<std::size_t>(xc)] = NumberText(g);
        const int col = EnsureColumn(t, c.column);
        const auto& pts = c.points;
        bool below = false, ended = false;
        double lastX = std::nan("");
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            std::string& cell = t.rows[r][static_cast<std::size_t>(col)];
            const double g = CellNumber(t, r, xc);
            if (!std::isfinite(g)) continue;
            lastX = g;
            if (ended) {
                cell.clear();
            } else if (g > pts.back().x) {
                cell = "0";
                ended = true;
            } else if (g < pts.front().x) {
                cell = NumberText(pts.front().y);
                below = true;
            } else {
                cell = NumberText(Interpolate(pts, g));
            }
        }
        if (below)
            notes.push_back(c.owner + ": " + table + "." + c.column +
                            ": the table starts below the curve's first " + x + " = " + Short(pts.front().x) +
                            ": held at its first value there");
        if (std::isfinite(lastX) && pts.back().x > lastX)
            notes.push_back(c.owner + ": " + table + "." + c.column + ": the points above " + x + " = " +
                            Short(lastX) + " lie beyond the table's last row: left out");
        if (!ended && endRow && std::isfinite(lastX)) {
            const double step = t.rows.size() >= 2 ? lastX - CellNumber(t, t.rows.size() - 2, xc) : 10;
            const std::size_t r = AppendRow(t);
            t.rows[r][static_cast<std::size_t>(xc)] =
                NumberText(c.endAt > lastX ? c.endAt : lastX + (step > 0 ? step : 10));
            t.rows[r][static_cast<std::size_t>(col)] = "0";
        }
    }
}

} // namespace

bool FitLossLaw(const std::vector<CurvePoint>& bPv, double& x, double& c) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    std::set<double> distinct;
    for (const CurvePoint& p : bPv) {
        if (!(p.x > 0 && p.y > 0)) continue;
        const double lx = std::log(p.x), ly = std::log(p.y);
        n += 1;
        sx += lx;
        sy += ly;
        sxx += lx * lx;
        sxy += lx * ly;
        distinct.insert(p.x);
    }
    if (distinct.size() < 2) return false;
    const double d = n * sxx - sx * sx;
    if (!(std::fabs(d) > 0)) return false;
    x = (n * sxy - sx * sy) / d;
    c = (sy - x * sx) / n;
    return std::isfinite(x) && std::isfinite(c);
}

void MergeMas(const MasDocuments& docs, CsvTables& tables, bool replace, std::vector<std::string>& errors,
              std::vector<std::string>& notes) {
    for (auto& [name, t] : tables)
        Square(t);
    CsvText& mat = tables["Material"];
    CsvText& cores = tables["Kernform"];
    EnsureColumn(mat, "Name");
    EnsureColumn(cores, "Kerntyp");

    // Clashes: within the input, and with the folder unless replaced.
    std::set<std::string> seen;
    for (const MasMaterial& m : docs.materials) {
        if (!seen.insert(Upper(m.name)).second) {
            errors.push_back(m.place + " (material '" + m.name +
                             "'): name: another document of the input has this "
                             "name (names are compared without regard to case): rename one");
            continue;
        }
        const int nc = Column(mat, "Name");
        for (std::size_t r = 0; r < mat.rows.size(); ++r) {
            if (Upper(mat.rows[r][static_cast<std::size_t>(nc)]) != Upper(m.name)) continue;
            if (!replace) {
                errors.push_back(m.place + " (material '" + m.name +
                                 "'): name: the folder holds a material '" +
                                 mat.rows[r][static_cast<std::size_t>(nc)] +
                                 "' already: rename it in the document, or add --replace to replace it");
                break;
            }
            mat.rows.erase(mat.rows.begin() + static_cast<long>(r));
            for (const auto& [table, column] : MaterialColumns(m.name))
                RemoveColumn(tables[table], column);
            notes.push_back("material '" + m.name + "': replaces the material of that name in the folder");
            break;
        }
    }
    std::set<std::tuple<std::string, bool, bool>> coreKeys;
    for (const MasCore& c : docs.cores) {
        if (!coreKeys.insert({Upper(c.name), c.lowProfile, c.hole}).second) {
            errors.push_back(c.place + " (core '" + CoreName(c) +
                             "'): name: another document of the input describes "
                             "this core: remove one");
            continue;
        }
        const int kc = Column(cores, "Kerntyp"), lp = Column(cores, "LP"), hole = Column(cores, "Loch");
        for (std::size_t r = 0; r < cores.rows.size(); ++r) {
            if (Upper(cores.rows[r][static_cast<std::size_t>(kc)]) != Upper(c.name) ||
                (CellNumber(cores, r, lp) == -1.0) != c.lowProfile ||
                (CellNumber(cores, r, hole) == -1.0) != c.hole)
                continue;
            if (!replace) {
                errors.push_back(c.place + " (core '" + CoreName(c) +
                                 "'): name: the folder holds this core already: "
                                 "rename it in the document, or add --replace to replace it");
                break;
            }
            cores.rows.erase(cores.rows.begin() + static_cast<long>(r));
            notes.push_back("core '" + CoreName(c) + "': replaces the core of that name in the folder");
            break;
        }
    }
    if (!errors.empty()) return;

    // Curves gathered over all materials first: an empty table takes the union of their x values.
    std::map<std::string, std::vector<NamedCurve>> curves;
    for (const MasMaterial& m : docs.materials) {
        const std::string owner = m.place + " (material '" + m.name + "')";
        const std::size_t row = AppendRow(mat);
        Set(mat, row, "Name", m.name);
        SetNumber(mat, row, "mui", m.mui);
        SetNumber(mat, row, "Bs25", m.bs25);
        SetNumber(mat, row, "Bs100", m.bs100);
        SetNumber(mat, row, "Hc25", m.hc25);
        SetNumber(mat, row, "Hc100", m.hc100);
        SetNumber(mat, row, "Tc", m.tc);
        SetNumber(mat, row, "fmin", m.fmin);
        SetNumber(mat, row, "fmax", m.fmax);
        SetNumber(mat, row, "Dichte", m.density);
        SetNumber(mat, row, "dcresist", m.resistivity);
        Set(mat, row, "Aktuell", m.current ? "-1" : "0");
        for (const char* none : {"hb", "ftyp", "dT", "f", "B", "T", "Pv", "tandmuei", "af"})
            Set(mat, row, none, "0");

        if (m.muiT.size() >= 2) curves["MuiT"].push_back({m.name, m.muiT, owner, m.tc});
        if (!m.muReal.empty() && !m.muImag.empty()) {
            // Both parts on one frequency grid: the union of their frequencies.
            std::set<double> fs;
            for (const auto* part : {&m.muReal, &m.muImag})
                for (const CurvePoint& p : *part)
                    fs.insert(p.x);
            std::vector<CurvePoint> re, im;
            for (double f : fs) {
                if (f < std::max(m.muReal.front().x, m.muImag.front().x) ||
                    f > std::min(m.muReal.back().x, m.muImag.back().x))
                    continue;
                re.push_back({f, Interpolate(m.muReal, f)});
                im.push_back({f, Interpolate(m.muImag, f)});
            }
            if (!re.empty()) {
                curves["Mu_mu__f"].push_back({"mu_" + m.name, re, owner});
                curves["Mu_mu__f"].push_back({"mu__" + m.name, im, owner});
            }
        }

        // Amplitude permeability against B, and against H = B / (µ0 µa).
        const bool mua = !m.muaB.empty();
        Set(mat, row, "mua", mua ? "-1" : "0");
        if (mua) {
            std::vector<NamedCurve>& byB = curves["MuaB"];
            std::vector<NamedCurve>& byH = curves["MuaH"];
            for (int temp : {25, 100}) {
                const std::string column = m.name + "T" + std::to_string(temp);
                const auto it = m.muaB.find(temp);
                if (it == m.muaB.end()) {
                    EnsureColumn(tables["MuaB"], column);
                    EnsureColumn(tables["MuaH"], column);
                    continue;
                }
                byB.push_back({column, it->second, owner});
                std::vector<CurvePoint> h;
                for (const CurvePoint& p : it->second) {
                    const double hv = p.x / (num::kMu0 * 1000 * p.y);
                    if (std::isfinite(hv) && (h.empty() || hv > h.back().x)) h.push_back({hv, p.y});
                }
                if (!h.empty()) byH.push_back({column, h, owner});
            }
        }

        // Loops: one point per row, closed, ended by H = 0 and B = 0.
        for (const auto& [temp, loop] : m.loops) {
            CsvText& h = tables["Hysterese"];
            const std::string suffix = m.name + "T" + std::to_string(temp);
            const int hc = EnsureColumn(h, "H" + suffix), bc = EnsureColumn(h, "B" + suffix);
            std::vector<CurvePoint> pts = loop;
            if (pts.front().x != pts.back().x || pts.front().y != pts.back().y) pts.push_back(pts.front());
            bool zero = false;
            for (CurvePoint& p : pts)
                for (double* v : {&p.x, &p.y})
                    if (*v == 0) {
                        *v = 0.001;
                        zero = true;
                    }
            if (zero)
                notes.push_back(
                    owner + ": bhCycle at " + std::to_string(temp) +
                    " °C: a 0 inside the loop is written as 0.001 (a 0 ends a loop in the data file)");
            while (h.rows.size() < pts.size() + 1)
                AppendRow(h);
            for (std::size_t r = 0; r < pts.size(); ++r) {
                h.rows[r][static_cast<std::size_t>(hc)] = NumberText(pts[r].x);
                h.rows[r][static_cast<std::size_t>(bc)] = NumberText(pts[r].y);
            }
            h.rows[pts.size()][static_cast<std::size_t>(hc)] = "0";
            h.rows[pts.size()][static_cast<std::size_t>(bc)] = "0";
        }

        // Losses: PvT on its (T, F, B) rows, the loss law per (F, T) in PVEXPO.
        std::map<std::pair<double, double>, std::vector<CurvePoint>> byFT; // (F, T) -> (B, Pv)
        for (const auto& l : m.losses)
            byFT[{l.f, l.t}].push_back({l.b, l.pv});
        std::map<std::pair<double, double>, std::pair<double, double>> laws; // (F, T) -> (X, C)
        auto given = [&](double f, double temp, double& x, double& c) {
            for (const auto& law : m.laws) {
                if ((law.fmin > 0 && f * 1000 < law.fmin * (1 - 1e-9)) ||
                    (law.fmax > 0 && f * 1000 > law.fmax * (1 + 1e-9)))
                    continue;
                const double ct = law.ct0 - law.ct1 * temp + law.ct2 * temp * temp;
                if (!(ct > 0)) continue;
                x = law.beta;
                c = std::log(law.k) + law.alpha * std::log(f * 1000) - (law.beta + 1) * std::log(1000.0) +
                    std::log(ct);
                return std::isfinite(c);
            }
            return false;
        };
        for (const auto& [ft, points] : byFT) {
            double x = 0, c = 0;
            if (FitLossLaw(points, x, c)) {
                laws[ft] = {x, c};
                double worst = 0;
                for (const CurvePoint& p : points)
                    worst = std::max(worst, std::fabs(std::exp(c) * std::pow(p.x, x) / p.y - 1));
                if (worst > 0.05)
                    notes.push_back(owner + ": loss law at " + NumberText(ft.first) + " kHz, " +
                                    NumberText(ft.second) +
                                    " °C: the fitted e^C * B^X is off a loss point by " +
                                    NumberText(std::round(worst * 1000) / 10) + " %");
            } else if (given(ft.first, ft.second, x, c)) {
                laws[ft] = {x, c};
                notes.push_back(owner + ": loss law at " + NumberText(ft.first) + " kHz, " +
                                NumberText(ft.second) +
                                " °C: one flux density only, the given Steinmetz coefficients are used");
            } else {
                notes.push_back(
                    owner + ": loss law at " + NumberText(ft.first) + " kHz, " + NumberText(ft.second) +
                    " °C: one flux density only and no Steinmetz range for it: PVEXPO has no law there");
            }
        }
        if (m.losses.empty() && !m.laws.empty()) {
            // Coefficients without points: the law on PVEXPO's (F, T) rows, or at the range's ends.
            const CsvText& ex = tables["PVEXPO"];
            std::vector<std::pair<double, double>> ft;
            for (std::size_t r = 0; r < ex.rows.size(); ++r)
                ft.push_back({CellNumber(ex, r, Column(ex, "F")), CellNumber(ex, r, Column(ex, "T"))});
            if (ft.empty())
                for (const auto& law : m.laws)
                    for (double f :
                         {law.fmin > 0 ? law.fmin / 1000 : 100.0, law.fmax > 0 ? law.fmax / 1000 : 100.0})
                        for (double temp : {25.0, 100.0})
                            ft.push_back({f, temp});
            for (const auto& [f, temp] : ft) {
                double x = 0, c = 0;
                if (std::isfinite(f) && std::isfinite(temp) && given(f, temp, x, c)) laws[{f, temp}] = {x, c};
            }
            notes.push_back(owner +
                            ": volumetricLosses: Steinmetz coefficients without loss points: the loss law "
                            "is written to PVEXPO, PvT gets no points");
        }
        const bool power = !laws.empty();
        Set(mat, row, "Leistung", power ? "-1" : "0");
        if (power) {
            CsvText& pv = tables["PvT"];
            const int tc = EnsureColumn(pv, "T"), fc = EnsureColumn(pv, "F"), bc = EnsureColumn(pv, "B");
            const int mc = EnsureColumn(pv, m.name);
            std::map<std::tuple<double, double, double>, std::size_t> keys;
            for (std::size_t r = 0; r < pv.rows.size(); ++r)
                keys.emplace(std::tuple{CellNumber(pv, r, tc), CellNumber(pv, r, fc), CellNumber(pv, r, bc)},
                             r);
            for (const auto& l : m.losses) {
                auto it = keys.find({l.t, l.f, l.b});
                if (it == keys.end()) {
                    const std::size_t r = AppendRow(pv);
                    pv.rows[r][static_cast<std::size_t>(tc)] = NumberText(l.t);
                    pv.rows[r][static_cast<std::size_t>(fc)] = NumberText(l.f);
                    pv.rows[r][static_cast<std::size_t>(bc)] = NumberText(l.b);
                    it = keys.emplace(std::tuple{l.t, l.f, l.b}, r).first;
                }
                pv.rows[it->second][static_cast<std::size_t>(mc)] = NumberText(l.pv);
            }
            std::stable_sort(pv.rows.begin(), pv.rows.end(), [&](const auto& a, const auto& b) {
                auto key = [&](const std::vector<std::string>& row) {
                    double t = 0, f = 0, bb = 0;
                    ReadNumber(row[static_cast<std::size_t>(tc)], t);
                    ReadNumber(row[static_cast<std::size_t>(fc)], f);
                    ReadNumber(row[static_cast<std::size_t>(bc)], bb);
                    return std::tuple{t, f, bb};
                };
                return key(a) < key(b);
            });

            CsvText& ex = tables["PVEXPO"];
            const int ef = EnsureColumn(ex, "F"), et = EnsureColumn(ex, "T");
            const int xc = EnsureColumn(ex, m.name + "X"), cc = EnsureColumn(ex, m.name + "C");
            std::map<std::pair<double, double>, std::size_t> rows;
            for (std::size_t r = 0; r < ex.rows.size(); ++r)
                rows.emplace(std::pair{CellNumber(ex, r, ef), CellNumber(ex, r, et)}, r);
            for (const auto& [ft, law] : laws) {
                auto it = rows.find(ft);
                if (it == rows.end()) {
                    const std::size_t r = AppendRow(ex);
                    ex.rows[r][static_cast<std::size_t>(ef)] = NumberText(ft.first);
                    ex.rows[r][static_cast<std::size_t>(et)] = NumberText(ft.second);
                    it = rows.emplace(ft, r).first;
                }
                ex.rows[it->second][static_cast<std::size_t>(xc)] = NumberText(law.first);
                ex.rows[it->second][static_cast<std::size_t>(cc)] = NumberText(law.second);
            }
            std::stable_sort(ex.rows.begin(), ex.rows.end(), [&](const auto& a, const auto& b) {
                double fa = 0, ta = 0, fb = 0, tb = 0;
                ReadNumber(a[static_cast<std::size_t>(ef)], fa);
                ReadNumber(a[static_cast<std::size_t>(et)], ta);
                ReadNumber(b[static_cast<std::size_t>(ef)], fb);
                ReadNumber(b[static_cast<std::size_t>(et)], tb);
                return std::pair{fa, ta} < std::pair{fb, tb};
            });

            // The reference loss: the point nearest to 100 °C, then 200 mT, then 100 kHz.
            if (!m.losses.empty()) {
                const auto ref =
                    *std::min_element(m.losses.begin(), m.losses.end(), [](const auto& a, const auto& b) {
                        return std::tuple{std::fabs(a.t - 100), std::fabs(a.b - 200), std::fabs(a.f - 100)} <
                               std::tuple{std::fabs(b.t - 100), std::fabs(b.b - 200), std::fabs(b.f - 100)};
                    });
                SetNumber(mat, row, "f", ref.f);
                SetNumber(mat, row, "B", ref.b);
                SetNumber(mat, row, "T", ref.t);
                SetNumber(mat, row, "Pv", ref.pv);
                notes.push_back(owner + ": reference loss Pv = " + NumberText(ref.pv) + " kW/m3 at " +
                                NumberText(ref.f) + " kHz, " + NumberText(ref.b) + " mT, " +
                                NumberText(ref.t) +
                                " °C (the loss point nearest to 100 °C, 200 mT, 100 kHz)");
            }
        }
    }

    for (const auto& [table, x] :
         {std::pair{"MuiT", "T"}, std::pair{"Mu_mu__f", "f"}, std::pair{"MuaB", "B"}, std::pair{"MuaH", "H"}})
        PutCurves(tables[table], table, x, curves[table], std::string(table) == "MuiT", notes);

    for (const MasCore& c : docs.cores) {
        const int kc = Column(cores, "Kerntyp"), shown = EnsureColumn(cores, "Anzeige");
        bool listed = false;
        for (std::size_t r = 0; r < cores.rows.size(); ++r)
            if (Upper(cores.rows[r][static_cast<std::size_t>(kc)]) == Upper(c.name) &&
                CellNumber(cores, r, shown) == -1.0)
                listed = true;
        const std::size_t row = AppendRow(cores);
        Set(cores, row, "Kerntyp", c.name);
        Set(cores, row, "LP", c.lowProfile ? "-1" : "0");
        Set(cores, row, "Loch", c.hole ? "-1" : "0");
        Set(cores, row, "Anzeige", listed ? "0" : "-1");
        Set(cores, row, "RthAnzeige", c.rth > 0 ? "-1" : "0");
        SetNumber(cores, row, "Ae", c.ae);
        SetNumber(cores, row, "le", c.le);
        SetNumber(cores, row, "Ve", c.ve);
        SetNumber(cores, row, "Amin", c.amin);
        SetNumber(cores, row, "AN", c.an);
        SetNumber(cores, row, "Rth", c.rth);
        for (const char* none : {"LN", "Ar", "K1", "K2", "CDF", "hWickel"})
            Set(cores, row, none, "0");
    }

    // The data file cannot hold a table without columns: with no loop at all, Hysterese keeps
    // an empty loop (its end row only) of the first material, which shows no loop.
    CsvText& loops = tables["Hysterese"];
    if (loops.header.empty()) {
        const int nc = Column(mat, "Name");
        const std::string first =
            nc >= 0 && !mat.rows.empty() ? mat.rows[0][static_cast<std::size_t>(nc)] : "";
        loops.header = {"H" + first + "T25", "B" + first + "T25"};
        loops.rows = {{"0", "0"}};
        notes.push_back("Hysterese: no material has a loop; the table keeps an empty loop of '" + first +
                        "' so that it has columns");
    }
}

} // namespace tolvik::datatool
