#include "tolvik/ui_common/reading_log.h"

namespace tolvik {

namespace {

/// An appended line is joined to its part by a carriage return, also when the part is
/// empty (a reading of another data set with the same legend, the first overflow line):
/// the printed log then shows a blank line there, which marks the restart.
void AppendLine(std::string& part, const std::string& line) {
    part.push_back('\r');
    part += line;
}

/// Appended lines the main part takes after its first line (counter 0 to 32).
constexpr std::int16_t kMaxCountBeforeOverflow = 32;

} // namespace

void ReadingLog::clear() {
    readingLog.clear();
    readingLogOverflow.clear();
    readingLogLines = 0;
}

void ReadingLog::append(const std::string& xText, const std::string& yText, bool newCurve) {
    const std::string line = formatLine(xText, yText);
    if (newCurve) {
        readingLog = line;
        readingLogOverflow.clear();
        readingLogLines = 0;
    } else if (readingLogLines > kMaxCountBeforeOverflow) {
        AppendLine(readingLogOverflow, line);
    } else {
        AppendLine(readingLog, line);
        ++readingLogLines;
    }
}

std::string ReadingLog::formatLine(const std::string& xText, const std::string& yText) {
    return std::string(17, ' ') + xText + std::string(3, ' ') + yText;
}

} // namespace tolvik
