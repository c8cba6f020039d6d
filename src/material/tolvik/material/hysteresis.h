#pragma once
/// The B–H loop of a material at 25 °C or 100 °C from table Hysterese (columns
/// "H" + material + tag and "B" + material + tag, in drawing order, ended by a row with
/// H = B = 0) and the zoom steps of its H axis.

#include "tolvik/material/mat_curve.h"

#include <cstdint>
#include <optional>

namespace tolvik::material {

/// At most this many points per loop.
inline constexpr int kLoopPoints = 300;

/// Nearest 16-bit integer, halves to the even neighbour, clamped to the 16-bit range.
std::int16_t RoundHalfEven(double x);

struct HysteresisLoop {
    bool valid = false;
    std::string message; ///< kNoDataText for a missing column
    std::vector<CurvePoint> points;
    std::int16_t hMax = 0, bMax = 0, hMin = 0, bMin = 0; ///< extremes, as nearest integers
};
/// The loop of the points data::ReadHysteresisLoop gave (up to its closing row, or to the
/// end of the table when that row is missing), at most kLoopPoints of them; none: the
/// material has no such columns.
HysteresisLoop LoopFromRows(const std::optional<std::vector<data::CurveXY>>& rows);

struct ZoomStep {
    bool changed = false; ///< false: the limit was reached, nothing changes
    double xMax = 0, xMin = 0;
};
/// Halves the H range (rounded to integers, halves to even); stops below a maximum of 40.
ZoomStep ZoomIn(double xMax, double xMin);
/// Doubles the H range; stops above a maximum of 2000.
ZoomStep ZoomOut(double xMax, double xMin);

} // namespace tolvik::material
