#pragma once
/// The checker of a data file: everything the program would stumble on or show wrongly,
/// each finding with its place (table, row, column) and what to do.

#include "tolvik/data/database.h"

#include <string>
#include <vector>

namespace tolvik::datatool {

enum class Severity {
    Error,   ///< the program fails or shows wrong values: the file is not usable
    Warning, ///< a curve or a value is missing or doubtful: the file is usable
};

struct Finding {
    Severity severity = Severity::Error;
    std::string table;
    long row = 0;       ///< 1-based data row (the CSV line below the header); 0: not one row
    std::string column; ///< "" when the finding is not about one column
    std::string text;   ///< what is wrong and what to do
};

/// One line: "error: MuiT, row 9, column N87: <text>".
std::string FormatFinding(const Finding& finding);

/// True when no finding is an error.
bool Usable(const std::vector<Finding>& findings);

/// Every finding on the open data file, table by table, in row order.
std::vector<Finding> CheckDataFile(data::Database& db);

/// Opens the file and checks it; a file that cannot be opened is one error.
std::vector<Finding> CheckDataFile(const std::string& path);

} // namespace tolvik::datatool
