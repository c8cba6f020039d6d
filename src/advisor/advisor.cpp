// The candidates: each is the core window's own calculation on the catalogue's numbers,
// followed by what the part really does (losses, temperature rise, current density).
//
// Choke losses: copper Rdc = ρ·N·LN / A (A the bare copper cross-section) carries Idc² and,
// with a triangular ripple ΔI (rms ΔI/√12), the ripple's share times Rac/Rdc at f
// (Dowell); the core loss follows the material's loss law Pv = e^C·B̂^X at the ripple's
// flux amplitude B̂ = L·ΔI/(2·N·Ae). Temperature rise = total loss × Rth.

#include "tolvik/advisor/advisor.h"

#include "tolvik/core/dc_bias.h"
#include "tolvik/numerics/numerics.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <thread>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tolvik::advisor {

namespace {

std::string Plain(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Turns(double n) {
    return Fixed(n, 0);
}

bool Finite(double v) {
    return std::isfinite(v);
}

/// The loss law at f and T: the row at f, or between the two rows around f on a power
/// law in f; none outside the rows at T. The rows and the share of the way from one to
/// the other depend on the material and the request alone: found once per run.
enum class LossStatus { Ok, NoTemperature, NoFrequency };
struct ChokeLossLaw {
    LossStatus status = LossStatus::NoTemperature;
    const LossLaw* below = nullptr;
    const LossLaw* above = nullptr;
    double expBelow = 0, expAbove = 0; ///< e^C of the two rows
    double share = 0;

    ChokeLossLaw() = default;
    ChokeLossLaw(const MaterialData& m, double t_C, double f_kHz) {
        bool anyAtT = false;
        for (const LossLaw& row : m.loss) {
            if (row.t_C != t_C) continue;
            anyAtT = true;
            if (row.f_kHz <= f_kHz && (!below || row.f_kHz > below->f_kHz)) below = &row;
            if (row.f_kHz >= f_kHz && (!above || row.f_kHz < above->f_kHz)) above = &row;
        }
        if (!anyAtT) return;
        status = LossStatus::NoFrequency;
        if (!below || !above) return;
        status = LossStatus::Ok;
        expBelow = std::exp(below->c);
        expAbove = std::exp(above->c);
        if (below->f_kHz != above->f_kHz)
            share = std::log(f_kHz / below->f_kHz) / std::log(above->f_kHz / below->f_kHz);
    }
    /// Pv at the flux amplitude (status Ok only).
    double at(double b_mT) const {
        const double pvBelow = expBelow * std::pow(b_mT, below->x);
        if (below->f_kHz == above->f_kHz) return pvBelow;
        return pvBelow * std::pow(expAbove * std::pow(b_mT, above->x) / pvBelow, share);
    }
};

/// The wires of the table, thickest first (equal ones in stored order), and Rac/Rdc of
/// each at the ripple's frequency in the request's layers (NaN where it cannot be formed;
/// none without a ripple): they depend on the wires and the request alone, formed once per run.
struct ChokeWires {
    std::vector<int> thickestFirst; ///< none when a diameter is not a number: then in stored order
    std::vector<double> fr;

    ChokeWires(const Catalogue& cat, const ChokeRequest& req) {
        const std::vector<core::WireRecord>& w = cat.wires;
        if (std::none_of(w.begin(), w.end(), [](const core::WireRecord& r) { return std::isnan(r.d_mm); })) {
            thickestFirst.resize(w.size());
            std::iota(thickestFirst.begin(), thickestFirst.end(), 0);
            std::stable_sort(thickestFirst.begin(), thickestFirst.end(), [&w](int a, int b) {
                return w[static_cast<std::size_t>(a)].d_mm > w[static_cast<std::size_t>(b)].d_mm;
            });
        }
        if (req.ripple_A <= 0) return;
        for (const core::WireRecord& r : w) {
            const core::WireValue v = core::GetFr(r.d_mm, req.f_kHz, core::RoundLayers(req.layers));
            fr.push_back(v.valid ? v.value : kNaN);
        }
    }

    /// The thickest wire that takes less than the winding area and passes the test (the
    /// first of equal ones), as an index; -1 for none.
    template <class Fits> int thickest(const Catalogue& cat, double turns, double an_mm2, Fits fits) const {
        auto fitsArea = [&](const core::WireRecord& w) { return turns / w.turnsPerMm2 < an_mm2 && fits(w); };
        if (!thickestFirst.empty()) {
            for (int k : thickestFirst) {
                if (fitsArea(cat.wires[static_cast<std::size_t>(k)])) return k;
            }
            return -1;
        }
        int best = -1;
        for (std::size_t k = 0; k < cat.wires.size(); ++k) {
            const core::WireRecord& w = cat.wires[k];
            if (!fitsArea(w)) continue;
            if (best < 0 || w.d_mm > cat.wires[static_cast<std::size_t>(best)].d_mm)
                best = static_cast<int>(k);
        }
        return best;
    }
};

/// A material at the request's temperature, as every choke design of a run reads it: its
/// µa column, Bs, µa at B = 0, µa at the flux density of each point of the tab's curve and
/// the loss law at f (which depend on the material and the request alone), formed once per run.
struct ChokeMaterial {
    const std::vector<double>* mua = nullptr; ///< none: no data at this temperature
    double bs_mT = 0, mua0 = 0;
    core::OperatingPointMaterial operatingPoint; ///< what the operating-point search learns once
    std::array<double, core::kDcBiasPoints + 1> muaAtPoint{};
    ChokeLossLaw loss;
};

/// From this many core variants on, a run prepares the operating-point search per material.
constexpr std::size_t kManyCores = 500;

ChokeMaterial PrepareChokeMaterial(const Catalogue& cat, const MaterialData& m, const ChokeRequest& req) {
    ChokeMaterial cm;
    cm.loss = ChokeLossLaw(m, req.temp_C, req.f_kHz);
    const bool t25 = req.temp_C != 100;
    const std::optional<std::vector<double>>& mua = t25 ? m.mua25 : m.mua100;
    if (!mua) return cm;
    cm.mua = &*mua;
    cm.bs_mT = t25 ? m.bs25_mT : m.bs100_mT;
    cm.mua0 = num::InterpolateRows(cat.muaB_mT, *mua, 0.0);
    for (int i = 1; i <= core::kDcBiasPoints; ++i)
        cm.muaAtPoint[static_cast<std::size_t>(i)] =
            num::InterpolateRows(cat.muaB_mT, *mua, core::DcBiasCurveFlux(i, cm.bs_mT));
    return cm;
}

/// L [mH] at Idc on the tab's curve of the plot data (Al and N of the design): the curve's
/// inductance µgr/µe·Lp between the two points around Idc (Lp at no current).
double InductanceAt(const CoreVariant& c, const ChokeMaterial& cm, double al_nH, double turns, double idc_A) {
    const double mue = num::MueFromAl(al_nH, c.le_mm, c.ae_mm2);
    if (mue == 0.0 || turns == 0.0) return kNaN;
    const double lp_mH = turns * turns * al_nH * 1E-6;
    const core::GappedCore gapped{cm.bs_mT, c.ae_mm2, c.le_mm, al_nH, turns};
    // µgr only at the two points around Idc.
    auto inductance = [&](int i) { return i == 0 ? lp_mH : core::DcBiasCurveMugr(gapped, i) / mue * lp_mH; };
    double i0 = 0, h = 0;
    for (int i = 1; i <= core::kDcBiasPoints; ++i) {
        const core::DcBiasCurveStep p =
            core::DcBiasCurveCurrent(gapped, i, cm.muaAtPoint[static_cast<std::size_t>(i)], h);
        if (p.end) break;
        h = p.h_A_m;
        if (p.idc_A >= idc_A)
            return num::LinearInterpolate(i0, inductance(i - 1), p.idc_A, inductance(i), idc_A);
        i0 = p.idc_A;
    }
    return kNaN;
}

/// n designs in memory of large pages where the system gives them on request: a large run
/// then takes a fraction of the page faults to fill, and its ranking, which reads the
/// designs in no order, misses the processor's page table cache far less often.
std::vector<Design> Designs(std::size_t n) {
    std::vector<Design> v;
    v.reserve(n);
#ifdef __linux__
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto from = (reinterpret_cast<std::uintptr_t>(v.data()) + kLargePage - 1) & ~(kLargePage - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(v.data() + n) & ~(kLargePage - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
    v.resize(n);
    return v;
}

template <class Make> std::vector<Design> RunAll(std::size_t count, const RunControl& run, Make make) {
    std::vector<Design> out = Designs(count);
    std::atomic<std::size_t> next{0};
    constexpr std::size_t kChunk = 256;
    auto work = [&] {
        for (;;) {
            if (run.cancel && run.cancel->load(std::memory_order_relaxed)) return;
            const std::size_t from = next.fetch_add(kChunk);
            if (from >= count) return;
            const std::size_t to = std::min(count, from + kChunk);
            for (std::size_t i = from; i < to; ++i)
                out[i] = make(i);
            if (run.done) run.done->fetch_add(to - from);
        }
    };
    unsigned threads = run.threads ? run.threads : std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, count / kChunk + 1));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    if (run.cancel && run.cancel->load()) out.clear();
    return out;
}

} // namespace

std::string Fixed(double v, int decimals) {
    if (!Finite(v)) return {};
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string s(buf, r.ptr);
    if (s == "-0" || s.find_first_not_of("-0.") == std::string::npos) s.erase(0, s[0] == '-' ? 1 : 0);
    return s;
}

std::string Reason::text() const {
    switch (code) {
    case Code::None:
        break;
    case Code::NoAmplitudeData:
        return "no amplitude permeability data at " + Turns(a) + " °C";
    case Code::NoValidDesign:
        return "no valid design for these core data";
    case Code::NegativeGap:
        return "air gap would be negative";
    case Code::NoWireInArea:
        return "no wire fits " + Turns(a) + " turns in the winding area";
    case Code::NoWireInLayers:
        return "no wire fits " + Turns(a) + " turns in " + Plain(b) + (b == 1 ? " layer" : " layers");
    case Code::NoLossData:
        return "no loss data at " + Turns(a) + " °C";
    case Code::NoLossDataAtF:
        return "no loss data at " + Turns(a) + " °C and " + Plain(b) + " kHz";
    case Code::NoRth:
        return "no Rth for this core";
    case Code::TooHot:
        return "too hot: ΔT " + Fixed(a, 0) + " K > " + Plain(b) + " K";
    case Code::CurrentDensity:
        return "current density " + Fixed(a, 1) + " A/mm² > " + Plain(b);
    case Code::WindowFull:
        return "window full: fill factor " + Fixed(a, 0) + " % > 100 %";
    case Code::NoValidLosses:
        return "no valid losses";
    case Code::NoLossFigure:
        return "no loss figure for this material";
    case Code::CoreDataMissing:
        return "core data missing";
    case Code::NoValidResult:
        return "no valid result";
    case Code::Carries:
        return "carries " + Fixed(a, 0) + " W < " + Plain(b) + " W";
    }
    return {};
}

/// A candidate of one core variant and one material: what it is, its volume and its mass.
Design NewCandidate(Kind kind, const Catalogue& cat, std::size_t coreIndex, std::size_t materialIndex) {
    Design d;
    d.kind = kind;
    d.core = coreIndex;
    d.material = materialIndex;
    d.ve_mm3 = cat.cores[coreIndex].ve_mm3;
    d.mass_g = d.ve_mm3 * cat.materials[materialIndex].density_kg_m3 * 1E-6;
    return d;
}

namespace {

Design DesignChokeWith(const Catalogue& cat, std::size_t coreIndex, std::size_t materialIndex,
                       const ChokeMaterial& cm, const ChokeWires& wires, const ChokeRequest& req) {
    const CoreVariant& c = cat.cores[coreIndex];
    Design d = NewCandidate(Kind::Choke, cat, coreIndex, materialIndex);
    auto reject = [&d](Reason::Code code, double a = 0, double b = 0) {
        if (d.reason.empty()) d.reason = {code, a, b};
    };

    if (!cm.mua) {
        reject(Reason::Code::NoAmplitudeData, req.temp_C);
        return d;
    }
    const std::optional<core::DcBiasDesignAt> found =
        core::DesignAtOperatingPoint({cm.bs_mT, cm.mua0, req.l_mH, c.ve_mm3, req.idc_A, req.drop_pct},
                                     c.ae_mm2, c.le_mm, &cm.operatingPoint);
    if (!found) {
        reject(Reason::Code::NoValidDesign);
        return d;
    }
    const core::DcBiasDesign& design = found->design;
    d.x = found->x;
    d.mue = design.mue;
    d.s_mm = design.s_mm;
    d.al_nH = design.al_nH;
    d.turnsExact = design.turns;
    // The tab goes on with N and Al as its fields show them, whole numbers.
    d.turns = std::round(design.turns);
    const double al = std::round(design.al_nH);
    if (d.s_mm < 0) reject(Reason::Code::NegativeGap);

    d.designWire = wires.thickest(cat, d.turns, c.an_mm2, [](const core::WireRecord&) { return true; });
    // The tab's wire is looked up by its diameter: one that is not a number is not found.
    if (d.designWire >= 0 && std::isnan(cat.wires[static_cast<std::size_t>(d.designWire)].d_mm))
        d.designWire = -1;
    if (d.designWire < 0) {
        reject(Reason::Code::NoWireInArea, d.turns);
    } else if (core::FitsLayers(cat.wires[static_cast<std::size_t>(d.designWire)], d.turns, req.layers,
                                c.hWickel_mm)) {
        d.wire = d.designWire;
    } else {
        d.wire = wires.thickest(cat, d.turns, c.an_mm2, [&](const core::WireRecord& w) {
            return core::FitsLayers(w, d.turns, req.layers, c.hWickel_mm);
        });
        if (d.wire < 0) reject(Reason::Code::NoWireInLayers, d.turns, req.layers);
    }

    d.lAtIdc_mH = InductanceAt(c, cm, al, d.turns, req.idc_A);

    if (d.wire >= 0) {
        const core::WireRecord& wire = cat.wires[static_cast<std::size_t>(d.wire)];
        d.fill_pct = core::FillFactor(d.turns, wire, c.an_mm2);
        d.rdc_Ohm = core::CopperResistance(d.turns, c.ln_mm, wire);
        const double ripple2 = req.ripple_A * req.ripple_A / 12.0; // rms² of the triangular ripple
        d.fr = 1.0;
        if (req.ripple_A > 0) d.fr = wires.fr[static_cast<std::size_t>(d.wire)];
        d.pcu_W = d.rdc_Ohm * (req.idc_A * req.idc_A + d.fr * ripple2);
        d.j_A_mm2 = std::sqrt(req.idc_A * req.idc_A + ripple2) / core::WireArea(wire);
    }

    d.pcore_W = 0;
    if (req.ripple_A > 0) {
        d.bPeak_mT = req.l_mH * 1E-3 * req.ripple_A / (2.0 * d.turns * c.ae_mm2 * 1E-6) * 1000.0;
        switch (cm.loss.status) {
        case LossStatus::Ok:
            d.pcore_W = cm.loss.at(d.bPeak_mT) * c.ve_mm3 * 1E-6; // kW/m³ · mm³
            break;
        case LossStatus::NoTemperature:
            d.pcore_W = kNaN;
            reject(Reason::Code::NoLossData, req.temp_C);
            break;
        case LossStatus::NoFrequency:
            d.pcore_W = kNaN;
            reject(Reason::Code::NoLossDataAtF, req.temp_C, req.f_kHz);
            break;
        }
    }
    d.ptotal_W = d.pcu_W + d.pcore_W;
    if (c.rth_KW == 0.0)
        reject(Reason::Code::NoRth);
    else
        d.dT_K = d.ptotal_W * c.rth_KW;

    if (Finite(d.dT_K) && d.dT_K > req.dTmax_K) reject(Reason::Code::TooHot, d.dT_K, req.dTmax_K);
    if (Finite(d.j_A_mm2) && d.j_A_mm2 > req.jmax_A_mm2)
        reject(Reason::Code::CurrentDensity, d.j_A_mm2, req.jmax_A_mm2);
    if (Finite(d.fill_pct) && d.fill_pct > 100.0) reject(Reason::Code::WindowFull, d.fill_pct);
    if (!Finite(d.ptotal_W)) reject(Reason::Code::NoValidLosses);
    d.feasible = d.reason.empty();
    return d;
}

} // namespace

Design DesignChoke(const Catalogue& cat, std::size_t coreIndex, std::size_t materialIndex,
                   const ChokeRequest& req) {
    return DesignChokeWith(cat, coreIndex, materialIndex,
                           PrepareChokeMaterial(cat, cat.materials[materialIndex], req), ChokeWires(cat, req),
                           req);
}

core::PTransInput TransformerInput(const CoreVariant& c, const MaterialData& m,
                                   const TransformerRequest& req) {
    core::PTransInput in;
    in.dTFe_K = req.dTmax_K / 2.0;
    in.dTCu_K = req.dTmax_K / 2.0;
    in.rth_KW = c.shown.rth;
    in.pl = m.pv;
    in.f_kHz = m.f_kHz;
    in.x = req.x;
    in.y = req.y;
    in.b_mT = m.b_mT;
    in.fw_kHz = req.f_kHz;
    in.ae_mm2 = c.shown.ae;
    in.ve_mm3 = c.shown.ve;
    in.fCu = req.fCu;
    in.r = req.r;
    in.an_mm2 = c.shown.an;
    in.ln_mm = c.shown.ln;
    in.fr = req.fr;
    in.converter = req.converter;
    in.bs25_mT = m.bs25_mT;
    return in;
}

Design DesignTransformer(const Catalogue& cat, std::size_t coreIndex, std::size_t materialIndex,
                         const TransformerRequest& req) {
    const CoreVariant& c = cat.cores[coreIndex];
    const MaterialData& m = cat.materials[materialIndex];
    Design d = NewCandidate(Kind::Transformer, cat, coreIndex, materialIndex);
    if (c.shown.rth == 0.0) {
        d.reason = {Reason::Code::NoRth};
        return d;
    }
    if (m.pv == 0.0 || m.f_kHz == 0.0 || m.b_mT == 0.0) {
        d.reason = {Reason::Code::NoLossFigure};
        return d;
    }
    const core::PTransInput in = TransformerInput(c, m, req);
    const core::PTransResult r = core::CalculateTransmissiblePower(in);
    if (r.status != core::PTransStatus::Ok) {
        d.reason = {r.status == core::PTransStatus::MissingInput ? Reason::Code::CoreDataMissing
                                                                 : Reason::Code::NoValidResult};
        return d;
    }
    d.ptrans_W = r.p_W;
    d.dB_mT = r.dB_mT;
    d.j_A_mm2 = r.j_A_mm2;
    d.margin = r.p_W / req.p_W;
    const core::PTransLosses losses = core::TransformerLosses(in, r, std::min(req.p_W, r.p_W));
    d.pcu_W = losses.copper_W;
    d.pcore_W = losses.core_W;
    d.ptotal_W = losses.copper_W + losses.core_W;
    d.dT_K = losses.dT_K;
    if (r.p_W < req.p_W) d.reason = {Reason::Code::Carries, r.p_W, req.p_W};
    d.feasible = d.reason.empty();
    return d;
}

std::vector<Design> AdviseChoke(const Catalogue& cat, const ChokeRequest& req, const RunControl& run) {
    const std::size_t first = std::min(run.firstCore, cat.cores.size());
    const std::size_t cores = std::min(run.coreCount, cat.cores.size() - first);
    std::vector<std::size_t> materials;
    std::vector<ChokeMaterial> prepared;
    for (std::size_t k = 0; k < cat.materials.size(); ++k) {
        if (!cat.materials[k].amplitude) continue;
        materials.push_back(k);
        prepared.push_back(PrepareChokeMaterial(cat, cat.materials[k], req));
        // What the operating-point search learns of a material costs about as much as a
        // hundred searches: worth it for many cores only.
        if (cores >= kManyCores && prepared.back().mua) {
            ChokeMaterial& cm = prepared.back();
            cm.operatingPoint = core::PrepareOperatingPoint(cm.bs_mT, cm.mua0, req.drop_pct);
        }
    }
    const ChokeWires wires(cat, req);
    const std::size_t per = materials.size();
    return RunAll(cores * per, run, [&](std::size_t i) {
        return DesignChokeWith(cat, first + i / per, materials[i % per], prepared[i % per], wires, req);
    });
}

std::vector<Design> AdviseTransformer(const Catalogue& cat, const TransformerRequest& req,
                                      const RunControl& run) {
    std::vector<std::size_t> materials;
    for (std::size_t k = 0; k < cat.materials.size(); ++k) {
        if (cat.materials[k].power) materials.push_back(k);
    }
    const std::size_t per = materials.size();
    const std::size_t first = std::min(run.firstCore, cat.cores.size());
    const std::size_t cores = std::min(run.coreCount, cat.cores.size() - first);
    return RunAll(cores * per, run, [&](std::size_t i) {
        return DesignTransformer(cat, first + i / per, materials[i % per], req);
    });
}

namespace {

/// Positions of the entries in name order (ties by index), so that a sort compares two
/// numbers instead of two names.
template <class Entry, class Name>
std::vector<std::uint32_t> Ordinals(const std::vector<Entry>& entries, Name name) {
    std::vector<std::uint32_t> byName(entries.size());
    std::iota(byName.begin(), byName.end(), 0U);
    std::sort(byName.begin(), byName.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int c = name(entries[a]).compare(name(entries[b]));
        return c != 0 ? c < 0 : a < b;
    });
    std::vector<std::uint32_t> ordinal(byName.size());
    for (std::uint32_t k = 0; k < byName.size(); ++k)
        ordinal[byName[k]] = k;
    return ordinal;
}

/// What the ranking compares of one design, packed so that a large run sorts in cache.
struct RankKey {
    double value;        ///< the sort key's figure (feasible designs only)
    std::uint64_t names; ///< core ordinal · 2³² + material ordinal
    std::uint32_t at;    ///< position before the ranking
};

/// Sorts the entries stably by a whole number below `count` (a counting sort).
template <class T, class Of> void CountingSort(std::vector<T>& entries, std::size_t count, Of of) {
    std::vector<std::size_t> start(count + 1, 0);
    for (const T& e : entries)
        ++start[of(e) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<T> sorted(entries.size());
    for (const T& e : entries)
        sorted[start[of(e)]++] = e;
    entries.swap(sorted);
}

} // namespace

void Rank(std::vector<Design>& designs, const Catalogue& cat, SortKey key) {
    auto value = [key](const Design& d) {
        switch (key) {
        case SortKey::Loss:
            return d.ptotal_W;
        case SortKey::TempRise:
            return d.dT_K;
        case SortKey::Mass:
            return d.mass_g;
        case SortKey::Volume:
            break;
        }
        return d.ve_mm3;
    };
    const std::vector<std::uint32_t> coreOrdinal =
        Ordinals(cat.cores, [](const auto& c) -> const std::string& { return c.kerntyp; });
    const std::vector<std::uint32_t> materialOrdinal =
        Ordinals(cat.materials, [](const auto& m) -> const std::string& { return m.name; });
    std::vector<RankKey> keys, rejected;
    keys.reserve(designs.size());
    rejected.reserve(designs.size());
    for (std::size_t k = 0; k < designs.size(); ++k) {
        Design& d = designs[k];
        d.rank = 0;
        d.pareto = false;
        (d.feasible ? keys : rejected)
            .push_back({d.feasible ? value(d) : 0.0,
                        (std::uint64_t{coreOrdinal[d.core]} << 32) | materialOrdinal[d.material],
                        static_cast<std::uint32_t>(k)});
    }
    const std::size_t feasibleCount = keys.size();
    // Feasible ones by the key, then by core name, core and material name.
    std::sort(keys.begin(), keys.end(), [](const RankKey& a, const RankKey& b) {
        if (a.value != b.value) return a.value < b.value;
        if (a.names != b.names) return a.names < b.names;
        return a.at < b.at;
    });
    // The rest by core and material name: already in the order of their positions, so two
    // stable passes by place in name order do it, first the material's, then the core's.
    CountingSort(rejected, cat.materials.size(), [](const RankKey& k) { return k.names & 0xFFFFFFFFU; });
    CountingSort(rejected, cat.cores.size(), [](const RankKey& k) { return k.names >> 32; });
    std::vector<std::size_t> order(designs.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k < feasibleCount ? keys[k].at : rejected[k - feasibleCount].at;
    keys = {};
    rejected = {};
    // Apply the order in place, one cycle at a time (no second copy of a large run). The
    // designs are read in no order: those a few steps ahead in the cycle are asked for early,
    // so that the memory serves several at once.
    constexpr int kAhead = 8;
    auto prefetch = [&designs](std::size_t at) {
        const char* p = reinterpret_cast<const char*>(&designs[at]);
        for (std::size_t line = 0; line < sizeof(Design); line += 64)
            __builtin_prefetch(p + line);
    };
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] == k) continue;
        Design held = std::move(designs[k]);
        std::size_t at = k;
        std::size_t ahead = order[k];
        for (int step = 0; step < kAhead && ahead != k; ++step, ahead = order[ahead])
            prefetch(ahead);
        while (order[at] != k) {
            const std::size_t from = order[at];
            if (ahead != k) {
                prefetch(ahead);
                ahead = order[ahead];
            }
            designs[at] = std::move(designs[from]);
            order[at] = at;
            at = from;
        }
        designs[at] = std::move(held);
        order[at] = at;
    }
    // The feasible ones now lead: number them, and mark the Pareto front of volume and
    // total loss (sweep by volume, keep what lowers the loss).
    struct Point {
        double ve, loss;
        std::size_t at;
    };
    std::vector<Point> feasible(feasibleCount);
    for (std::size_t k = 0; k < feasibleCount; ++k) {
        Design& d = designs[k];
        d.rank = static_cast<int>(k) + 1;
        feasible[k] = {d.ve_mm3, d.ptotal_W, k};
    }
    std::sort(feasible.begin(), feasible.end(), [](const Point& a, const Point& b) {
        if (a.ve != b.ve) return a.ve < b.ve;
        return a.loss < b.loss;
    });
    double bestLoss = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < feasible.size();) {
        // Designs of equal volume: only those with the group's lowest loss can be on the front.
        std::size_t end = k;
        while (end < feasible.size() && feasible[end].ve == feasible[k].ve)
            ++end;
        const double groupLoss = feasible[k].loss;
        if (groupLoss < bestLoss) {
            for (std::size_t i = k; i < end && feasible[i].loss == groupLoss; ++i)
                designs[feasible[i].at].pareto = true;
            bestLoss = groupLoss;
        }
        k = end;
    }
}

std::string CsvHeader() {
    return "rank,core,lp,ml,material,feasible,reason,N,s_mm,Al_nH,wire_mm,fill_pct,J_A_mm2,L_at_Idc_mH,Rdc_"
           "ohm,"
           "Pcu_W,Pcore_W,Ptotal_W,dT_K,Ve_mm3,mass_g,P_trans_W,pareto";
}

namespace {
std::string Quoted(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char ch : s) {
        if (ch == '"') q += '"';
        q += ch;
    }
    return q + "\"";
}
} // namespace

std::string CsvLine(const Design& d, const Catalogue& cat) {
    const CoreVariant& c = cat.cores[d.core];
    const bool choke = d.kind == Kind::Choke;
    std::string s;
    s += (d.rank > 0 ? std::to_string(d.rank) : std::string()) + ",";
    s += Quoted(c.kerntyp) + "," + (c.lowProfile ? "1" : "0") + "," + (c.hole ? "1" : "0") + ",";
    s += Quoted(cat.materials[d.material].name) + "," + (d.feasible ? "1" : "0") + "," +
         Quoted(d.reason.text()) + ",";
    s += (choke ? Fixed(d.turns, 0) : "") + "," + (choke ? Fixed(d.s_mm, 3) : "") + ",";
    s += (choke ? Fixed(d.al_nH, 0) : "") + "," +
         (d.wire >= 0 ? cat.wires[static_cast<std::size_t>(d.wire)].dText : "") + ",";
    s += Fixed(d.fill_pct, 1) + "," + Fixed(d.j_A_mm2, 2) + "," + Fixed(d.lAtIdc_mH, 4) + "," +
         Fixed(d.rdc_Ohm, 4) + ",";
    s += Fixed(d.pcu_W, 4) + "," + Fixed(d.pcore_W, 4) + "," + Fixed(d.ptotal_W, 4) + "," + Fixed(d.dT_K, 1) +
         ",";
    s += Fixed(d.ve_mm3, 1) + "," + Fixed(d.mass_g, 2) + "," + Fixed(d.ptrans_W, 1) + ",";
    s += d.feasible ? (d.pareto ? "1" : "0") : "";
    return s;
}

} // namespace tolvik::advisor
