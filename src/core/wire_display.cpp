#include "tolvik/core/wire_display.h"

#include "tolvik/ui_common/numtext.h"

namespace tolvik::core {

std::string WireText(const WireRecord& wire) {
    return text::WithDecimalSeparator(wire.dText) + " (AWG " + wire.awgText + ")";
}

} // namespace tolvik::core
