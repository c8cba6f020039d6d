#pragma once
/// The records the design advisor reads of a data file, as plain numbers: the core table
/// with only the fields a design needs, the materials, and the columns of the curve tables.
/// A field the file lacks reads 0.

#include "tolvik/data/database.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvik::data {

/// One record of table Kernform.
struct CoreRow {
    std::string kerntyp;
    double lp = 0, loch = 0, ae = 0, le = 0, ve = 0, an = 0, ln = 0, rth = 0, hWickel = 0;
};

/// Every record of table Kernform in stored order, read without the fields no design needs.
/// Throws DataError when the table or its field Kerntyp is missing.
std::vector<CoreRow> ReadCoreRows(Database& db);

/// One record of table Material.
struct MaterialRow {
    std::string name;
    double bs25 = 0, bs100 = 0, dichte = 0, pv = 0, f = 0, b = 0, mua = 0, leistung = 0;
};

/// Every record of table Material in stored order. Throws DataError when it is missing.
std::vector<MaterialRow> ReadMaterialRows(Database& db);

/// A table of curve columns (MuaB, PVEXPO), read once; none when the file lacks it.
class CurveColumns {
public:
    CurveColumns(Database& db, std::string_view table);
    bool exists() const { return rows_ != nullptr; }
    /// A column as InterpolateColumn reads it (empty cells read 0). Throws DataError when it
    /// is missing or holds a text that is no number.
    std::vector<double> numbers(std::string_view name);
    /// The same; none when it is missing or holds a text that is no number (or there is no
    /// such table).
    std::optional<std::vector<double>> column(std::string_view name);

private:
    std::unique_ptr<Recordset> rows_;
};

} // namespace tolvik::data
