#pragma once
/// Effective permeability of a gapped core against temperature: the curve µe(T), the
/// curve of the relative change (µe(T) − µe(T1)) / µe(T) in %, and the point readers for
/// a single temperature. µi(T) comes from table MuiT (one column per material, read by the
/// tab through data::ReadMuiTRecords and data::MuiAt), µe from the gapped-core relation 1/µe = (1 − s/le)/µi
/// + s/le (tolvik::num::MueFromGap).
///
/// Input struct in, result struct out; a result that could not be computed says so in
/// its valid flag and never carries NaN or infinity.

#include "tolvik/data/curves.h"
#include "tolvik/numerics/value.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvik::core {

/// What the µe vs. T tab takes from its fields. An empty field is std::nullopt.
struct MueTInput {
    std::string material;        ///< material list text at its current index ("" = none)
    std::string coreType;        ///< core list text at its current index ("" = none)
    std::optional<double> s_mm;  ///< air gap s [mm]
    std::optional<double> le_mm; ///< effective magnetic path length le [mm]
    double t1_C = 0;             ///< reference temperature T1 of the relative curve [°C]
};

enum class MueTCurveKind {
    Absolute, ///< µe(T)
    Relative, ///< (µe(T) − µe(T1)) / µe(T) · 100 [%]
};

struct MueTPoint {
    int index = 0;  ///< 1-based point number in the data set
    double t_C = 0; ///< x: temperature [°C]
    double y = 0;   ///< µe, or the relative change in %
};

/// One curve for the tab's chart.
struct MueTCurve {
    bool valid = false;            ///< false: nothing is drawn
    std::string message;           ///< why not, when the user must be told ("" otherwise)
    int rowCount = 0;              ///< n: one more than the usable MuiT records; the set gets >= n points
    std::vector<MueTPoint> points; ///< points 1 .. n−2 in record order
};

/// A single value of a point reader.
struct MueTReading {
    bool valid = false; ///< false: a field it needs is empty (the tab leaves its output alone)
    double value = 0;
};

/// A relative change below this limit [%] is shown as 0.
inline constexpr double kRelativeLowerLimit = -1000.0;

/// Message shown when the material has no column in MuiT.
std::string NoMuiDataMessage(const std::string& material);

/// The path length le of the core record from its stored value (data::GetCoreValue of le);
/// empty when there is no core record (the integer 0).
Value CorePathLength(const Value& stored);

/// True when a typed air gap lies outside the limits of the Al value tab (0 .. kGapMax_mm);
/// the tab then shows ShowValueOutOfRange and writes kGapReplacement.
bool GapOutOfRange(std::optional<double> s_mm);

/// (µe(T) − µe(T1)) / µe(T) · 100; 0 when µe(T) is 0, when the result is not finite and
/// when it lies below kRelativeLowerLimit.
double RelativeChangePercent(double mueT, double mueT1);

/// True when a point reader at t has every input it needs: t, the material, s and le (the
/// tab reads µi only then).
bool ReaderInputsComplete(const MueTInput& in, std::optional<double> t_C);

/// The curve of µe or of its relative change over the temperatures of table MuiT, from the
/// material's records (data::ReadMuiTRecords; none: no column) and, for the relative curve,
/// µi(T1) (data::MuiAt). Not valid (nothing drawn) when s is out of range, when a gap meets
/// a core without path length and, for the relative curve, when µe(T1) does not exist.
MueTCurve MueTCurvePoints(const MueTInput& in, MueTCurveKind kind,
                          const std::optional<data::CurveRows>& records, std::optional<double> muiT1);

/// Point reader µe(T) from µi(t) (data::MuiAt; none: no column): needs t, the material, s
/// and le.
MueTReading MueAtTemperature(const MueTInput& in, std::optional<double> t_C, std::optional<double> muiT);
/// Point reader of the relative change [%] at t from µi(T1) and µi(t): needs t, the
/// material, s and le; not valid when µe(T1) or µe(t) does not exist.
MueTReading RelativeChangeAt(const MueTInput& in, std::optional<double> t_C, std::optional<double> muiT1,
                             std::optional<double> muiT);

} // namespace tolvik::core
