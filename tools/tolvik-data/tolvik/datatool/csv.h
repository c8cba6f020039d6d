#pragma once
/// Comma-separated text as spreadsheets write it (RFC 4180): fields separated by commas,
/// a field with a comma, a quote or a line break enclosed in double quotes, inner quotes
/// doubled; lines end in CR LF or LF. Numbers use the point as decimal separator.

#include <string>
#include <string_view>
#include <vector>

namespace tolvik::datatool {

struct CsvText {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows; ///< row 1 is the first line below the header
};

/// Reads a CSV text (a leading byte order mark is skipped, blank lines at the end are
/// ignored). Returns false and the reason when a quoted field is not closed.
bool ParseCsv(std::string_view text, CsvText& out, std::string& error);

/// A field as CSV: quoted when it holds a comma, a quote, a line break or a leading or
/// trailing blank.
std::string CsvField(std::string_view text);

/// A number in its shortest text that reads back as exactly the same double ("25",
/// "0.12361", "1e-06"), independent of the locale.
std::string NumberText(double value);

/// Reads a whole number text (blanks around it allowed) with the point as decimal
/// separator; false for anything else, also for inf and nan.
bool ReadNumber(std::string_view text, double& value);

} // namespace tolvik::datatool
