#pragma once
/// DC bias of a gapped ferrite core: the design of a choke for an inductance L at a DC
/// current Idc with an allowed drop d of the reversible permeability (µe, air gap, Al,
/// turns and wire), and the curves of the reversible permeability, the inductance, the
/// stored energy or the roll-off of a gapped core over the DC field or current.
///
/// Model: the ferrite follows the Langevin description B = Bs·L(x), L(x) = coth x − 1/x,
/// with the normalised reversible permeability R(x) = 3·(1/x² − 1/sinh² x) and µi = 2000;
/// the gapped core adds the air gap's reluctance (1/µg = 1/µ − 1/µi + µ0·Ae/(le·Al)).
/// No Qt: the tab reads its fields into numbers, hands them in with its options and the
/// looked-up values (DesignDcBias), and shows the numbers that come back (dc_bias_display.h);
/// a run-time fault (division by zero, overflow, a missing column) comes back as
/// "Values not valid !".

#include "tolvik/core/core_messages.h"
#include "tolvik/core/wire.h"
#include "tolvik/data/curves.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tolvik::core {

inline constexpr double kDcBiasMui = 2000; ///< µi of the model, for every material and temperature
inline constexpr int kDcBiasPoints = 100;  ///< curve points at x = 0.1, 0.2 … 10
inline constexpr double kScanStart = 0.1;  ///< operating-point scan over x
inline constexpr double kScanEnd = 10.0;
inline constexpr double kScanStep = 0.001;

inline constexpr const char* kNegativeGapText = "Value s negativ, make another selection!";

enum class DcBiasXAxis { Hdc, Idc };                     ///< Optx1, Optx2
enum class DcBiasYAxis { MuRev, LRev, Energy, RollOff }; ///< mu1opt … mu4opt

struct OperatingPointInput {
    double bs_mT = 0;      ///< saturation flux density
    double mua0 = 0;       ///< amplitude permeability at B = 0
    double l_mH = 0;       ///< required inductance
    double ve_mm3 = 0;     ///< core volume
    double idc_A = 0;      ///< DC current
    double dmurev_pct = 0; ///< allowed drop of the reversible permeability
};
/// The field parameter x in [0.1, 10] (steps of 0.001) where the energy balance
/// P − Q of the Langevin model comes nearest to 0; none on a run-time fault. Scans the
/// whole grid, as the tab does.
std::optional<double> OperatingPoint(const OperatingPointInput& in);
/// The same grid point as OperatingPoint, found by a branch-and-bound search: the balance
/// is made of parts that are monotonic in x, so most of the grid is ruled out from the
/// ends of an interval. Falls back to the full scan where the bounds cannot decide
/// (a non-finite value, an exact zero of the balance).
/// What the search learns once for one material and drop, before many cores: where along the
/// grid the balance surely falls or rises for a given c = Idc²·(1 − d)·L/(V·µ0·d·µi) (Q is
/// c·(1/R(x) − 1)), so that an interval there is bounded by its ends.
struct OperatingPointMaterial {
    double bs_mT = 0, mua0 = 0, dmurev_pct = 0;
    /// Slope bounds of each step, ordered: falling up to k+1 below c, rising from k above it.
    std::vector<double> fallsBelow, risesAbove; ///< none: nothing known
    double pParts = 0;                          ///< the size of P's parts, for its rounding
    /// In exact numbers the balance falls from grid point to grid point on [0, fallsTo] and
    /// rises on [risesFrom, end] (fallsTo −1 and risesFrom the grid's size: nothing known).
    struct Stretches {
        long fallsTo, risesFrom;
    };
    Stretches stretches(double c) const;
};
OperatingPointMaterial PrepareOperatingPoint(double bs_mT, double mua0, double dmurev_pct);
/// Given the material's preparation, used only where its Bs, µa0 and d are the input's.
std::optional<double> OperatingPointSearch(const OperatingPointInput& in,
                                           const OperatingPointMaterial* material = nullptr);

/// The choke designed at the operating point x.
struct DcBiasDesign {
    double mue = 0;   ///< effective permeability
    double s_mm = 0;  ///< air gap
    double al_nH = 0; ///< Al value
    double turns = 0; ///< N = √(L/|Al|)·1000
};
/// µe = 1/(1/µi + t) with t = (1 − d − R(x))/(d·µi·R(x)), s = (1/µe − 1/µi)·le,
/// Al = µ0·µe·Ae/le; none on a run-time fault.
std::optional<DcBiasDesign> getDCBiasOutput(double x, double dmurev_pct, double mui, double ae_mm2,
                                            double le_mm, double l_mH);

/// OperatingPointSearch and getDCBiasOutput at µi = kDcBiasMui at once: the operating point
/// x and the design there, R(x) taken from the search's grid; none where either gives none.
struct DcBiasDesignAt {
    double x = 0;
    DcBiasDesign design;
};
std::optional<DcBiasDesignAt> DesignAtOperatingPoint(const OperatingPointInput& in, double ae_mm2,
                                                     double le_mm,
                                                     const OperatingPointMaterial* material = nullptr);

/// One point of the DC-bias curve of a gapped core (the plot data Al and N).
struct GappedCore {
    double bs_mT = 0;
    double ae_mm2 = 0;
    double le_mm = 0;
    double al_nH = 0;
    double turns = 0;
};
struct DcBiasCurveStep {
    bool end = false; ///< µa = 0 at this flux density: the curve ends before this point
    double h_A_m = 0; ///< DC field (kept from the previous point where µga has no value)
    double idc_A = 0; ///< DC current
    double mugr = 0;  ///< reversible permeability of the gapped core
};
/// Flux density [mT] of curve point i (x = i/10).
double DcBiasCurveFlux(int i, double bs_mT);
/// Curve point i with µa at its flux density; h is the field of the previous point.
/// The current is not finite when N = 0.
DcBiasCurveStep DcBiasCurvePoint(const GappedCore& core, int i, double mua, double h_A_m);
/// The same point without µgr (left 0), for a walk that needs µgr at few points.
DcBiasCurveStep DcBiasCurveCurrent(const GappedCore& core, int i, double mua, double h_A_m);
/// µgr of curve point i.
double DcBiasCurveMugr(const GappedCore& core, int i);

/// Everything the DC-bias curve routine takes: the input data and plot data as numbers (an
/// empty field reads 0), the options and the looked-up values.
struct DcBiasRequest {
    double bs_mT = 0; ///< Bs25 or Bs100 of the material
    double ae_mm2 = 0;
    double le_mm = 0;
    double ve_mm3 = 0;
    double an_mm2 = 0;          ///< winding cross-section, for the wire
    double l_mH = 0;            ///< input data: required inductance
    double idc_A = 0;           ///< input data: DC current
    double dmurev_pct = 0;      ///< input data: allowed drop of the reversible permeability
    double plotAl_nH = 0;       ///< plot data Al
    double plotTurns = 0;       ///< plot data N
    bool copyToPlotData = true; ///< the design becomes the plot data
    bool draw = true;           ///< false: recompute the design only (graph reader)
    DcBiasXAxis xAxis = DcBiasXAxis::Hdc;
    DcBiasYAxis yAxis = DcBiasYAxis::MuRev;
    /// The material's µa over B [mT] at the chosen temperature (table MuaB); none when the
    /// data file has no such column.
    std::optional<data::TableColumns> muaB;
    std::vector<WireRecord> wires; ///< table Draht
};

struct DcBiasPoint {
    int index = 0; ///< 1-based
    double x = 0;  ///< Hdc [A/m] or Idc [A]
    double y = 0;
};

struct DcBiasOutcome {
    bool designed = false; ///< design (and wire) are set
    DcBiasDesign design;
    std::optional<WireRecord> wire; ///< none: no wire fits (the field keeps its text)
    /// The plot data after the design: the design's Al and N as their fields show them
    /// (whole numbers) when copied, else as given; L from them, or the required L when copied.
    bool plotDataCopied = false;
    double plotAl_nH = 0;
    double plotTurns = 0;
    double plotL_mH = 0;
    std::vector<std::string> messages; ///< in the order they arise
    bool failed = false;               ///< a run-time fault: the tab clears its outputs after writing
    bool drawn = false;                ///< a curve is to be added
    std::vector<DcBiasPoint> points;
};

/// The DC-bias curve routine: plot-data inductance, operating point, design, wire for
/// the designed turns, copy to the plot data, and one curve of the plot data.
DcBiasOutcome DesignDcBias(const DcBiasRequest& in);

} // namespace tolvik::core
