#pragma once
/// The design advisor: every core variant of the data file with every eligible material,
/// designed and checked as a choke (the DC-bias design) or as a power transformer (the
/// transmissible power), ranked, the Pareto front of volume and loss marked, and every
/// part that cannot work kept with the reason in words.
///
/// The data file is read once into plain numbers (LoadCatalogue); the candidates then run
/// on those numbers in threads through the core window's own calculations.

#include "tolvik/core/p_trans.h"
#include "tolvik/core/wire.h"
#include "tolvik/data/database.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tolvik::advisor {

/// One core variant (core type, low profile, with hole): the values the core window reads
/// for it (the last record of the variant wins).
struct CoreVariant {
    std::string kerntyp;
    bool lowProfile = false;
    bool hole = false;
    double ae_mm2 = 0, le_mm = 0, ve_mm3 = 0, an_mm2 = 0, ln_mm = 0, rth_KW = 0, hWickel_mm = 0;
    /// The geometry as the P trans tab shows it ("#.##") and computes with it.
    struct Shown {
        double ae = 0, ve = 0, an = 0, ln = 0, rth = 0;
    } shown;
    /// "E 20/10/6", "E 20/10/6 LP", "RM 5 hole"
    std::string name() const;
};

/// One row of the material's loss law Pv = e^C·B^X [kW/m³, B in mT] at f and T.
struct LossLaw {
    double f_kHz = 0, t_C = 0, x = 0, c = 0;
};

/// A material as the core window reads it (the first record of the name wins).
struct MaterialData {
    std::string name;
    double bs25_mT = 0, bs100_mT = 0;
    double density_kg_m3 = 0;
    /// The loss figure as the P trans tab shows it: Pv ("#.##") at f ("#") and B ("#").
    double pv = 0, f_kHz = 0, b_mT = 0;
    bool amplitude = false; ///< flag mua: amplitude-permeability data
    bool power = false;     ///< flag Leistung: a power material
    /// µa over the B column of table MuaB at 25 and 100 °C; none without such a column.
    std::optional<std::vector<double>> mua25, mua100;
    std::vector<LossLaw> loss; ///< usable rows (X > 0)
};

struct Catalogue {
    std::vector<CoreVariant> cores;
    std::vector<MaterialData> materials;
    std::vector<double> muaB_mT;         ///< column B of table MuaB
    std::vector<core::WireRecord> wires; ///< table Draht in stored order
};

/// Reads every core variant, material, amplitude-permeability column, loss law and wire
/// once. Throws data::DataError when a table every design needs is missing.
Catalogue LoadCatalogue(data::Database& db);

enum class Kind { Choke, Transformer };
enum class SortKey { Volume, Loss, TempRise, Mass };

struct ChokeRequest {
    double l_mH = 1;
    double idc_A = 1;
    double drop_pct = 10; ///< allowed drop of the reversible permeability
    int temp_C = 25;      ///< 25 or 100
    double ripple_A = 0;  ///< peak-to-peak; 0: none
    double f_kHz = 0;     ///< of the ripple
    double dTmax_K = 40;
    double jmax_A_mm2 = 5;
    double layers = 1;
};

struct TransformerRequest {
    double p_W = 100;
    double f_kHz = 100;
    core::ConverterType converter = core::ConverterType::PushPull;
    double dTmax_K = 40; ///< shared half and half by ferrite and copper, as the tab does
    double fr = 1;       ///< Rac/Rdc
    // The tab's defaults.
    double fCu = 0.4, x = 2.7, y = 1.3, r = 0.8;
};

/// A figure that does not apply or could not be formed.
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Why a part cannot work: what, with the figures its words name (a run rejects most of its
/// candidates, so the words are formed only when shown).
struct Reason {
    enum class Code : std::uint8_t {
        None,
        NoAmplitudeData, ///< a: °C
        NoValidDesign,
        NegativeGap,
        NoWireInArea,   ///< a: turns
        NoWireInLayers, ///< a: turns, b: layers
        NoLossData,     ///< a: °C
        NoLossDataAtF,  ///< a: °C, b: kHz
        NoRth,
        TooHot,         ///< a: ΔT, b: its limit
        CurrentDensity, ///< a: J, b: its limit
        WindowFull,     ///< a: fill factor %
        NoValidLosses,
        NoLossFigure,
        CoreDataMissing,
        NoValidResult,
        Carries, ///< a: the power carried, b: the power asked for
    };
    Code code = Code::None;
    double a = 0, b = 0;

    bool empty() const { return code == Code::None; }
    /// The words: "too hot: ΔT 58 K > 40 K", "" for none.
    std::string text() const;
};

/// One candidate part and what it does. A figure that does not apply or could not be
/// formed is NaN (shown as empty).
struct Design {
    Kind kind = Kind::Choke;
    std::size_t core = 0, material = 0; ///< indices into the catalogue
    bool feasible = false;
    Reason reason; ///< why it cannot work (none when feasible)
    int rank = 0;  ///< 1 … among the feasible designs, 0 for a rejected one
    bool pareto = false;

    // Choke: the DC-bias tab's design.
    double x = kNaN, mue = kNaN, s_mm = kNaN, al_nH = kNaN;
    double turnsExact = kNaN; ///< N before rounding
    double turns = kNaN;      ///< N as wound (the tab's rounded N)
    int designWire = -1; ///< the tab's wire for N (winding area): index into the catalogue's wires, -1 none
    int wire = -1;       ///< the wire wound: designWire, or the thickest that also fits the layers
    double fill_pct = kNaN, j_A_mm2 = kNaN, lAtIdc_mH = kNaN, rdc_Ohm = kNaN, fr = kNaN, bPeak_mT = kNaN;
    // Losses and size (both kinds).
    double pcu_W = kNaN, pcore_W = kNaN, ptotal_W = kNaN, dT_K = kNaN, ve_mm3 = kNaN, mass_g = kNaN;
    // Transformer: the P trans tab's result.
    double ptrans_W = kNaN, dB_mT = kNaN, margin = kNaN;
};

/// How a run is carried out: threads (0: one per processor core) and a flag that cancels it.
struct RunControl {
    unsigned threads = 0;
    const std::atomic<bool>* cancel = nullptr;
    std::atomic<std::size_t>* done = nullptr; ///< counts the candidates designed, when set
    /// The core variants to try: coreCount from firstCore on (a window shows a run in parts).
    std::size_t firstCore = 0;
    std::size_t coreCount = std::numeric_limits<std::size_t>::max();
};

/// One design per core variant × material with amplitude-permeability data, unranked, in
/// catalogue order.
std::vector<Design> AdviseChoke(const Catalogue& cat, const ChokeRequest& req, const RunControl& run = {});
/// One design per core variant × power material.
std::vector<Design> AdviseTransformer(const Catalogue& cat, const TransformerRequest& req,
                                      const RunControl& run = {});
/// The single candidates, as the runs above design them.
Design DesignChoke(const Catalogue& cat, std::size_t core, std::size_t material, const ChokeRequest& req);
Design DesignTransformer(const Catalogue& cat, std::size_t core, std::size_t material,
                         const TransformerRequest& req);
/// The tab's input for a transformer candidate (also what the core window is given).
core::PTransInput TransformerInput(const CoreVariant& c, const MaterialData& m,
                                   const TransformerRequest& req);

/// Sorts the feasible designs by the key (ties by core and material name), numbers them,
/// marks the Pareto front of volume and total loss, and puts the rejected ones last.
void Rank(std::vector<Design>& designs, const Catalogue& cat, SortKey key);

/// The CSV header and one line (no line end); numbers with a decimal point.
std::string CsvHeader();
std::string CsvLine(const Design& d, const Catalogue& cat);

/// A number as the CSV and the reasons write it: fixed with the given decimals, "" for NaN.
std::string Fixed(double v, int decimals);

} // namespace tolvik::advisor
