#pragma once
/// The winding wires of the data file (table Draht).

#include "tolvik/data/database.h"

#include <string>
#include <vector>

namespace tolvik::data {

/// One row of table Draht.
struct WireRecord {
    double d_mm = 0;        ///< Groesse: bare copper diameter [mm]
    std::string dText;      ///< Groesse as the data file holds it, shown as it stands
    std::string awgText;    ///< AWG gauge number as the data file holds it
    double turnsPerMm2 = 0; ///< N_pro_mm2: turns per mm² of winding area
    double fCu = 0;         ///< copper share of the wire's cross-section
};

/// The rows of table Draht in their stored order.
std::vector<WireRecord> ReadWires(Database& db);

} // namespace tolvik::data
