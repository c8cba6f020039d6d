// libFuzzer target: the number reader on any text. It never fails and never returns a
// non-finite number; CommaToPoint changes at most the first comma.

#include "tolvik/numerics/value.h"
#include "tolvik/ui_common/numtext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string point = tolvik::text::CommaToPoint(text);
    if (point.size() != text.size()) std::abort();
    std::size_t changed = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (point[i] != text[i]) {
            if (changed++ != 0 || text[i] != ',' || point[i] != '.' || text.find(',') != i) std::abort();
        }
    if (!std::isfinite(tolvik::text::ReadNumber(text))) std::abort();
    if (!std::isfinite(tolvik::ReadLeadingNumber(text))) std::abort();
    (void)tolvik::IsNumberText(text);
    return 0;
}
