#pragma once
/// What the curve calculations of the material window hand back to its tabs: the points
/// of one curve (1-based point numbers, as the chart addresses them) or one value, each
/// with a valid flag and the message the window shows instead. Nothing here carries NaN
/// or infinity: a value that cannot be computed is no value.

#include "tolvik/data/curves.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvik::material {

/// Shown when a material has no column (or no table) for the chosen curve.
inline constexpr const char* kNoDataText = "No data for this selection!";

struct CurvePoint {
    int index = 0; ///< 1-based point number in the data set
    double x = 0;
    double y = 0;
};

struct MatCurve {
    bool valid = false;  ///< false: nothing is drawn
    std::string message; ///< shown when not "" (then valid is false)
    std::string legend;  ///< legend text of the data set
    int rowCount = 0;    ///< N + 1: one more than the points of the column
    std::vector<CurvePoint> points;
};

struct MatValue {
    bool valid = false;  ///< false: the result field stays empty
    std::string message; ///< shown when not ""
    double value = 0;
};

/// The curve of the rows a data reader gave (none: the material has no such column, the
/// message kNoDataText), points numbered from 1.
MatCurve CurveFromRows(const std::string& legend, const std::optional<data::CurveRows>& rows);

/// A finite number as a valid value, anything else as no value.
MatValue Finite(double x);

} // namespace tolvik::material
