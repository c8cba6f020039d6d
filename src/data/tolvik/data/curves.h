#pragma once
/// The curve tables of a material read as plain numbers: each reader opens its table or
/// query, walks it as the drawing needs it and closes it. A reader gives nullopt when the
/// data file lacks the material's column (or table); a field the walk needs and the file
/// lacks raises its DataError.

#include "tolvik/numerics/value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvik::data {

class Database;
class Recordset;

/// True when the data file has the table and the column (names without regard to case).
bool HasColumn(Database& db, std::string_view table, std::string_view column);
/// The column of a material at 25 °C or 100 °C: name + "T25" or name + "T100".
std::string TemperatureColumn(std::string_view name, bool t25);

struct CurveXY {
    double x = 0;
    double y = 0;
};

/// The rows of one curve: rowCount as CountCurveRows gives it (one more than the rows
/// before the mark 0) and the points of the rows the walk takes, in table order.
struct CurveRows {
    int rowCount = 0;
    std::vector<CurveXY> points;
};

/// Two columns of a table, every row in stored order (an empty cell reads 0).
struct TableColumns {
    std::vector<double> x, y;
};
/// The columns xField and yField of a table; nullopt when the table lacks one of them or a
/// cell of them holds a text that is no number. A missing table raises its DataError.
std::optional<TableColumns> ReadTableColumns(Database& db, std::string_view table, std::string_view xField,
                                             std::string_view yField);

/// Rows 1 .. N of a material's column of MuiT (x "T", y µi).
std::optional<CurveRows> ReadMuiTCurve(Database& db, std::string_view material);
/// The usable records of a material's column of MuiT but the last (x "T", y µi), read as
/// numbers: the points of the µe(T) curve.
std::optional<CurveRows> ReadMuiTRecords(Database& db, std::string_view material);
/// µi of a material at t [°C] (MuiAtT).
std::optional<double> MuiAt(Database& db, std::string_view material, double t);

/// Rows 1 .. N of a µa column (material + temperature tag) of MuaB (x "B") or MuaH (x "H").
std::optional<CurveRows> ReadMuaCurve(Database& db, bool overB, std::string_view column);
/// µa of that column at x (B in mT or H in A/m).
std::optional<double> MuaAt(Database& db, bool overB, std::string_view column, double x);

/// The B–H loop of a material (columns "H"/"B" + material + tag of Hysterese) in drawing
/// order, up to its closing row (H = B = 0, not included) or the end of the table.
std::optional<std::vector<CurveXY>> ReadHysteresisLoop(Database& db, std::string_view material, bool t25);

/// Complex permeability at one frequency and what the lookups derive from it; a quantity
/// without a value is empty.
struct ComplexMuRow {
    double f = 0;
    double real = 0; ///< µ'
    double imag = 0; ///< µ''
    Value parallelReal, parallelImag, gp, zn;
};
/// The row of a cursor on Mu_mu__f at f: rowMode -1 interpolates at f, any other value
/// uses the current row.
ComplexMuRow ComplexMuRowAt(Recordset& cursor, std::string_view material, double f, int rowMode);
struct ComplexMuCurve {
    int rowCount = 0; ///< CountCurveRows over "F"
    std::vector<ComplexMuRow> rows;
};
/// Rows 1 .. N of Mu_mu__f (N before the first F of 0) for the material.
std::optional<ComplexMuCurve> ReadComplexMuCurve(Database& db, std::string_view material);
struct ComplexMuLookup {
    bool hasColumns = false;        ///< the table has "mu_" and "mu__" + material
    std::optional<ComplexMuRow> at; ///< none for a table without rows
};
/// The complex permeability of the material interpolated at f.
ComplexMuLookup ComplexMuAtF(Database& db, std::string_view material, double f);

/// The rows of a material in PvT where field1 = v1 [and field2 = v2] (no field2 when it
/// is empty), and the field read as x.
struct PvFilter {
    std::string field1;
    double v1 = 0;
    std::string field2;
    double v2 = 0;
    std::string xField;
};
/// Those rows as (x field, the material's loss), in stored order.
std::optional<std::vector<CurveXY>> ReadPvRows(Database& db, std::string_view material,
                                               const PvFilter& filter);
/// Pv [kW/m³] at (f, B, T) (PvAt).
std::optional<double> PvLossAt(Database& db, std::string_view material, double f, double b, double t);

/// One row of PVEXPO: the loss law Pv = e^c·B^x of the material at f.
struct PvExpoRow {
    double f = 0, c = 0, x = 0;
};
/// The rows of PVEXPO at t [and f]; nullopt without the material's columns X and C.
std::optional<std::vector<PvExpoRow>> ReadPvExpo(Database& db, std::string_view material, double t,
                                                 std::optional<double> f = std::nullopt);

} // namespace tolvik::data
