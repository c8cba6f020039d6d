#pragma once
/// What the tabs show of a wire of table Draht. No Qt.

#include "tolvik/core/wire.h"

#include <string>

namespace tolvik::core {

/// "0.5 (AWG 24)": the diameter and the gauge as the data file holds them, the diameter
/// with the system's decimal separator.
std::string WireText(const WireRecord& wire);

} // namespace tolvik::core
