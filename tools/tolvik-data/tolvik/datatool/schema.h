#pragma once
/// The tables and fields of the data file that the program reads, with their types:
/// what `tolvik-data build` writes and `tolvik-data check` expects.

#include <string>
#include <string_view>
#include <vector>

namespace tolvik::datatool {

enum class FieldType { Text, Number, Flag };

struct FieldDef {
    const char* name;
    FieldType type;
};

/// How a table is laid out.
enum class TableKind {
    Record, ///< fixed fields only (Material, Kernform, Draht)
    Curve,  ///< fixed fields (the x column, the loss keys) and one or more columns per material
};

struct TableDef {
    const char* name;
    TableKind kind;
    std::vector<FieldDef> fields; ///< the fixed fields, in their usual order
    const char* about;            ///< one paragraph for the README of an exported folder
};

/// Every table the program reads, in the order of the sample file.
const std::vector<TableDef>& ProgramTables();
/// The table of that name (without regard to case), nullptr when the program reads none.
const TableDef* FindTable(std::string_view name);
/// The fixed field of that name (without regard to case), nullptr when there is none.
const FieldDef* FindField(const TableDef& table, std::string_view name);

} // namespace tolvik::datatool
