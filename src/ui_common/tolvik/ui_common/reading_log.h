#pragma once
/// The graph readers' reading log: one line per point read with the mouse, 17 blanks,
/// the x reading, 3 blanks, the y reading; lines separated by carriage returns.
/// The main part holds the first line and 33 appended lines; later readings of the
/// same curve go to the overflow part.

#include <cstdint>
#include <string>

namespace tolvik {

struct ReadingLog {
    std::string readingLog;         ///< main part
    std::string readingLogOverflow; ///< lines after the main part is full
    std::int16_t readingLogLines = 0;

    /// Empties both parts and the counter.
    void clear();
    /// Appends the reading (x text, y text). newCurve: the picked curve differs from the
    /// one of the previous reading; the log then restarts with this line alone.
    void append(const std::string& xText, const std::string& yText, bool newCurve);
    /// 17 blanks + x + 3 blanks + y.
    static std::string formatLine(const std::string& xText, const std::string& yText);
};

} // namespace tolvik
