#pragma once
/// Messages of the core calculation tabs that more than one calculation reports.

#include <string>

namespace tolvik::core {

/// A calculation's result could not be computed (a division by zero, an overflow, a
/// power of a negative base): the tab shows this and no result.
inline constexpr const char* kValuesNotValidText = "Values not valid !";

/// A message box to show: its text and its title.
struct CoreMessage {
    std::string text;
    std::string title = "Tolvik";

    bool operator==(const CoreMessage&) const = default;
};

} // namespace tolvik::core
