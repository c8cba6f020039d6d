#include "tolvik/ui_common/reading_log.h"

namespace tolvik {

namespace {

/// Lines inside one part are separated by a carriage return; the first line of a part
/// carries none.
void AppendLine(std::string& part, const std::string& line) {
    if (!part.empty()) part.push_back('\r');
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
