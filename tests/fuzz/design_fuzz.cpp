// libFuzzer target: the design-file reader with any bytes. It refuses in words or gives a
// design, and a design it gives is written and read back equal (nothing is taken half).

#include "tolvik/design/design_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tolvik::design;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DesignRead r = ReadDesign(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!r.design) {
        if (r.error.empty()) std::abort();
        return 0;
    }
    const DesignRead again = ReadDesign(WriteDesign(*r.design));
    if (!again.design || !(*again.design == *r.design)) std::abort();
    return 0;
}
