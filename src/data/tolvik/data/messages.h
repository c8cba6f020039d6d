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
