#pragma once
/// The texts of the data-file faults (DataError::what()), kept in one place so the
/// wording is the same wherever a fault is found.

#include <string>
#include <string_view>

namespace tolvik::data::msg {

/// "The data file <path> cannot be opened."
inline std::string CannotOpen(std::string_view path) {
    return "The data file " + std::string(path) + " cannot be opened.";
}
/// A file that opens but lacks the program's tables (an empty file, another database).
inline std::string NotADataFile(std::string_view path, std::string_view table) {
    return "The file " + std::string(path) + " is no data file of the program: it has no table '" +
           std::string(table) + "'.";
}
/// A value that is not a number in a field where the program needs one.
inline std::string NotANumber(std::string_view field, std::string_view table, std::string_view record) {
    return "The data file has a value that is not a number in field '" + std::string(field) + "' of table '" +
           std::string(table) + "', record " + std::string(record) + ".";
}
/// "The data file has no table '<table>'."
inline std::string NoTable(std::string_view table) {
    return "The data file has no table '" + std::string(table) + "'.";
}
/// "The data file has no field '<field>' in table '<table>'."
inline std::string NoField(std::string_view field, std::string_view table) {
    return "The data file has no field '" + std::string(field) + "' in table '" + std::string(table) + "'.";
}
/// A field asked for while the cursor is before the first or after the last row.
inline std::string NoCurrentRecord(std::string_view table) {
    return "There is no current record in '" + std::string(table) + "'.";
}
/// Any other failure of the database engine on a query.
inline std::string QueryFailed(std::string_view sql, std::string_view reason) {
    return "The data file cannot answer the query \"" + std::string(sql) + "\": " + std::string(reason) + ".";
}

} // namespace tolvik::data::msg
