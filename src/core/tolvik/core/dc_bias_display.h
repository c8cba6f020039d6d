#pragma once
/// What the DC-bias tab shows of its numbers: the display patterns of its fields, the graph
/// and axis titles, the legend of a curve and the texts of the data point reader. No Qt.

#include "tolvik/core/dc_bias.h"

#include <string>

namespace tolvik::core {

/// Display patterns of the fields.
inline constexpr const char* kMuePattern = "#";        ///< µe
inline constexpr const char* kGapPattern = "#.##";     ///< air gap
inline constexpr const char* kAlPattern = "#";         ///< Al of the design and of the plot data
inline constexpr const char* kTurnsPattern = "#";      ///< N of the design and of the plot data
inline constexpr const char* kPlotLPattern = "#.####"; ///< inductance of the plot data

/// Graph title and y-axis title of a y quantity.
struct DcBiasTitles {
    const char* graph;
    const char* axis;
};
DcBiasTitles YAxisTitles(DcBiasYAxis y);
/// "Hdc[A/m]" or "Idc[A]".
const char* XAxisTitle(DcBiasXAxis x);

/// Legend of a curve: the material and the plot data Al as read ("µrev R41 Al=151[nH]").
std::string DcBiasLegend(const std::string& material, double al_nH);

/// The reader texts of a picked point: x ("Hdc=…[A/m]", "Idc=…[A]" with three
/// significant digits) and y, as the window's reader shows it, with the quantity's name.
struct DcBiasReading {
    std::string x;
    std::string y;
};
DcBiasReading DcBiasReaderTexts(double x, const std::string& readerYText, DcBiasXAxis xAxis,
                                DcBiasYAxis yAxis);

} // namespace tolvik::core
