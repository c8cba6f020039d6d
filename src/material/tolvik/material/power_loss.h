#pragma once
/// Core loss of a material: measured loss per volume Pv [kW/m³] at (f, B, T) from table
/// PvT, converted to loss per mass [mW/g] with the density (1000/Dichte, Dichte in
/// kg/m³), and the performance factor f·Bmax [kHz·mT] at a given loss level P from the
/// loss law Pv = e^C·B^X of table PVEXPO (per f and T): Bmax = (P/e^C)^(1/X).

#include "tolvik/material/mat_curve.h"

#include <cstdint>
#include <optional>

namespace tolvik::material {

/// x quantity of the loss graph (the window's PvXAxis).
enum class PvX : std::int16_t { T = 1, F = 2, B = 3 };
/// y quantity of the loss graph (the window's PvYAxis).
enum class PvY : std::int16_t { Volume = 2, Mass = 3, PerformanceFactor = 4 };

inline constexpr const char* kNoValidValuesText = "No valid values";
/// At most this many points per loss curve.
inline constexpr int kLossCurvePoints = 12;
/// The second list of x = T offers the B values measured at this temperature.
inline constexpr double kListTemperature_C = 30;

/// Captions, titles and the axis scaling code of one mode.
struct PowerLossAxes {
    std::string pvLab1, pvLab2; ///< captions of List1 and List2
    int axisCode = 0;           ///< 7 x linear / y log, 15 log-log, 16 x log / y linear
    std::string xTitle, yTitle, graphTitle;
    std::string pvLabel, bLabel; ///< captions of Pvg and PB
};
PowerLossAxes PowerLossAxesFor(PvX x, PvY y);

/// 1000 / density [kg/m³]: kW/m³ to mW/g.
double MassScale(double dichte_kg_m3);
/// f·Bmax at the loss level p [kW/m³] with the loss law of one PVEXPO row (c, x at f);
/// no value unless x > 0 and the result is finite and positive.
MatValue PerformanceFactor(double p_kW_m3, double c, double x, double f_kHz);

struct ListFill {
    std::string message; ///< shown when not ""
    std::vector<std::string> entries;
};
/// List1 of the mode; empty when the material is not in table Material.
ListFill FirstListEntries(bool materialFound, PvX x, PvY y);

/// The rows of PvT List2 of mode x lists for the List1 value v (not for the performance
/// factor).
data::PvFilter SecondListRows(PvX x, double v);
/// List2 of the mode from those rows (data::ReadPvRows; none: no PvT column); the
/// performance factor needs none.
ListFill SecondListEntries(PvX x, PvY y, const std::optional<std::vector<data::CurveXY>>& rows);

/// The rows of PvT of a loss curve for the List1 value a and the List2 value b.
data::PvFilter LossCurveRows(PvX x, double a, double b);
/// What a curve is drawn from: for the performance factor the PVEXPO rows at T = b
/// (data::ReadPvExpo), else the PvT rows of LossCurveRows (data::ReadPvRows) and, for the
/// loss per mass, the material's density [kg/m³]. none: the material has no columns.
struct PowerLossRows {
    std::optional<std::vector<data::PvExpoRow>> expo;
    std::optional<std::vector<data::CurveXY>> loss;
    double density = 0;
};
struct PowerLossCurve {
    MatCurve curve; ///< legend set even when there is no row
    /// Texts for PT, PF, PB ("" = leave the field alone).
    std::string pt, pf, pb;
};
/// One loss or performance-factor curve for the List1 value a and the List2 value b.
PowerLossCurve PowerLossCurvePoints(const std::string& material, PvX x, PvY y, double a, double b,
                                    const PowerLossRows& rows);

struct PowerLossInput {
    std::string material;
    PvY y = PvY::Volume;
    double t_C = 0, f_kHz = 0;
    double b = 0; ///< B [mT], or the loss level [kW/m³] for the performance factor
    /// The performance factor: the PVEXPO rows at (T, f) (data::ReadPvExpo); else Pv at
    /// (f, B, T) (data::PvLossAt) and, per mass, the density. none: no columns.
    std::optional<std::vector<data::PvExpoRow>> expo = std::nullopt;
    std::optional<double> pv = std::nullopt;
    double density = 0;
};
struct PowerLossValue {
    MatValue value;
    bool outOfRange = false; ///< the number is too high or too low to give a result
};
/// One value for Pvg; 0 when PvT has no row for (T, f, B).
PowerLossValue PowerLossAt(const PowerLossInput& in);

} // namespace tolvik::material
