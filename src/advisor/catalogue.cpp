// Reading the data file once into plain numbers, with the rules of the core window's
// lookups: a core variant's values come from its last record, a material's from its
// first; names are matched without regard to case.

#include "tolvik/advisor/advisor.h"

#include "tolvik/data/catalogue_rows.h"
#include "tolvik/numerics/numerics.h"
#include "tolvik/ui_common/numtext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <thread>
#include <unordered_map>

namespace tolvik::advisor {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

/// A value as a field shows it and the tab reads it back.
double Shown(double v, const char* pattern) {
    return std::isfinite(v) ? text::RoundedAsShown(v, pattern) : 0.0;
}

/// The geometry of every variant as the P trans tab shows it; a file of many cores on two
/// threads (the texts formed and read back take most of the reading of such a file).
void FormShown(std::vector<CoreVariant>& cores) {
    auto form = [&cores](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            CoreVariant& c = cores[k];
            c.shown = {Shown(c.ae_mm2, "#.##"), Shown(c.ve_mm3, "#.##"), Shown(c.an_mm2, "#.##"),
                       Shown(c.ln_mm, "#.##"), Shown(c.rth_KW, "#.##")};
        }
    };
    const std::size_t half = cores.size() / 2;
    if (cores.size() < 10000 || std::thread::hardware_concurrency() < 2) {
        form(0, cores.size());
        return;
    }
    std::thread other(form, 0, half);
    form(half, cores.size());
    other.join();
}

} // namespace

std::string CoreVariant::name() const {
    return kerntyp + (lowProfile ? " LP" : "") + (hole ? " hole" : "");
}

Catalogue LoadCatalogue(data::Database& db) {
    Catalogue cat;

    // Core variants in the order of their first record; the last record's values win.
    std::unordered_map<std::string, std::size_t> variantIndex;
    std::vector<data::CoreRow> cores = data::ReadCoreRows(db);
    variantIndex.reserve(cores.size());
    cat.cores.reserve(cores.size());
    for (data::CoreRow& row : cores) {
        // The core query asks for LP and Loch = -1 or 0: another value is no variant.
        if ((row.lp != 0 && row.lp != -1) || (row.loch != 0 && row.loch != -1)) continue;
        CoreVariant c;
        c.kerntyp = std::move(row.kerntyp);
        c.lowProfile = row.lp != 0;
        c.hole = row.loch != 0;
        c.ae_mm2 = row.ae;
        c.le_mm = row.le;
        c.ve_mm3 = row.ve;
        c.an_mm2 = row.an;
        c.ln_mm = row.ln;
        c.rth_KW = row.rth;
        c.hWickel_mm = row.hWickel;
        const std::string key = Lower(c.kerntyp) + (c.lowProfile ? "|1" : "|0") + (c.hole ? "|1" : "|0");
        const auto [it, added] = variantIndex.emplace(key, cat.cores.size());
        if (added)
            cat.cores.push_back(std::move(c));
        else
            cat.cores[it->second] = std::move(c);
    }
    cores = {};
    FormShown(cat.cores);

    data::CurveColumns mua(db, "MuaB");
    if (mua.exists()) cat.muaB_mT = mua.numbers("B");
    data::CurveColumns loss(db, "PVEXPO");
    const auto lossF = loss.column("F"), lossT = loss.column("T");

    std::unordered_map<std::string, bool> seen;
    for (const data::MaterialRow& row : data::ReadMaterialRows(db)) {
        if (row.name.empty() || !seen.emplace(Lower(row.name), true).second) continue;
        MaterialData m;
        m.name = row.name;
        m.bs25_mT = row.bs25;
        m.bs100_mT = row.bs100;
        m.density_kg_m3 = row.dichte;
        m.pv = Shown(row.pv, "#.##");
        m.f_kHz = Shown(row.f, "#");
        m.b_mT = Shown(row.b, "#");
        m.amplitude = row.mua != 0;
        m.power = row.leistung != 0;
        m.mua25 = mua.column(m.name + "T25");
        m.mua100 = mua.column(m.name + "T100");
        // A damaged loss table: no loss data.
        const auto x = loss.column(m.name + "X"), c = loss.column(m.name + "C");
        if (lossF && lossT && x && c) {
            for (std::size_t k = 0; k < x->size(); ++k) {
                const LossLaw law{(*lossF)[k], (*lossT)[k], (*x)[k], (*c)[k]};
                if (law.x > 0 && law.f_kHz > 0) m.loss.push_back(law);
            }
        }
        cat.materials.push_back(std::move(m));
    }

    if (db.hasTable("Draht")) cat.wires = data::ReadWires(db);
    return cat;
}

} // namespace tolvik::advisor
