#pragma once
/// Material, core and curve lookups on the material database. Every routine opens its
/// own query, walks it, takes what it needs and closes it; nothing is cached.
/// Results keep "empty" (no value) apart from the integer 0 where callers rely on it.

#include "tolvik/data/database.h"
#include "tolvik/numerics/value.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvik::data {

/// The core chosen in the core calculation window: core type, "low profile", "with hole".
struct CoreSelection {
    std::string kerntyp;
    bool lowProfile = false;
    bool hole = false;
    bool operator==(const CoreSelection&) const = default;
};

// clang-format off
/// Material field selectors of GetMaterialValue (1..17), and the further fields of
/// MaterialValues.
enum class MaterialField : int {
    mui = 1, Bs25, Bs100, Hc25, Hc100, Tc, hb, fmin, ftyp, fmax, dT, f, B, T, Pv, Dichte, Leistung,
    tandmuei, af, dcresist
};
// clang-format on
/// Core field selectors of GetCoreValue.
enum class CoreField : int { Ae = 1, le, Ve, Amin, Rth, AN, LN, Ar, K1, K2, CDF, hWickel };

/// The variants of a core type in table Kernform: a low-profile row and a row with hole
/// exist, and one of them is the row shown by default (Anzeige).
struct CoreVariants {
    bool lowProfile = false;
    bool lowProfileShown = false;
    bool hole = false;
    bool holeShown = false;
};
CoreVariants ReadCoreVariants(Database& db, std::string_view coreType);

/// The core record query for a selection.
Query BuildCoreQuery(const CoreSelection& core);
/// Selected field of the core record (the last matching row wins); integer 0 when there
/// is no row or the selector is outside 1..12.
Value GetCoreValue(Database& db, const CoreSelection& core, int selector);

/// The fields of a record of the data file, read with one query.
/// Each field is kept three ways: as a number of the last row (as reading it alone walks
/// every row and keeps the last), as a number of the first row, and as stored in the last
/// row. A field the data file lacks, or holds as a text that is no number, throws its
/// DataError when it is asked for, as reading it alone would; the other fields still answer.
class RecordValues {
public:
    /// How many rows the query gave (0: no such record).
    long rows() const { return rows_; }

protected:
    RecordValues() = default;
    /// Walks the rows of the query and keeps the named fields, in their order.
    void read(Database& db, const Query& query, const char* const* names, std::size_t count,
              const Value& none);
    /// The number of the last row, of the first row, as stored in the last row.
    Value last(std::size_t k) const;
    Value first(std::size_t k) const;
    Value stored(std::size_t k) const;

private:
    struct Cell {
        Value value;
        std::optional<std::string> fault;
        Value get() const;
    };
    struct Field {
        Cell last, first, stored;
    };
    std::vector<Field> fields_;
    long rows_ = 0;
};

/// The geometry of a core as numbers, read with one query: the last matching row wins; the
/// integer 0 without a row.
class CoreGeometry : public RecordValues {
public:
    static CoreGeometry Read(Database& db, const CoreSelection& core);
    Value value(CoreField field) const { return last(index(field)); }
    double number(CoreField field) const { return value(field).toDouble(); }
    /// The field as stored in the last matching row (empty without a row).
    Value stored(CoreField field) const { return RecordValues::stored(index(field)); }

private:
    static std::size_t index(CoreField field) { return static_cast<std::size_t>(field) - 1; }
};

/// The values of a material, read with one query of its rows by name: value() as the last
/// row of that name gives it, first() as the first row does, stored() as the last row holds
/// it; empty without a row.
class MaterialValues : public RecordValues {
public:
    static MaterialValues Read(Database& db, std::string_view name);
    Value value(MaterialField field) const { return last(index(field)); }
    Value first(MaterialField field) const { return RecordValues::first(index(field)); }
    Value stored(MaterialField field) const { return RecordValues::stored(index(field)); }

private:
    static std::size_t index(MaterialField field) { return static_cast<std::size_t>(field) - 1; }
};

/// The named fields of the core record of a selection, as stored (the last matching row
/// wins); nullopt when there is no row.
std::optional<std::vector<Value>> CoreRecordFields(Database& db, const CoreSelection& core,
                                                   std::initializer_list<std::string_view> fields);
/// The named fields of the material of that name, as stored (the last row of that name
/// wins); nullopt when there is no such material.
std::optional<std::vector<Value>> MaterialRecordFields(Database& db, std::string_view name,
                                                       std::initializer_list<std::string_view> fields);
/// Selected field of the material (the first row of that name wins); empty when there is
/// no such material or the selector is outside 1..17.
Value GetMaterialValue(Database& db, int selector, std::string_view name);
Value GetMaterialMui(Database& db, std::string_view name);

/// K1 and K2 of the core type's fit of Al over the air gap with fringe flux (first row of
/// the type wins); both 0 when there is none.
struct KFactorPair {
    double k1 = 0;
    double k2 = 0;
};
KFactorPair ReadKFactors(Database& db, std::string_view coreType);

inline constexpr const char* kNoKFactorsText = "No K-factors available for this core\nSelect E-core first";
inline constexpr const char* kNoKFactorsTitle = "Air gap with fringe flux - E-cores";

/// Linear interpolation in a curve table whose xField is ascending in stored order.
/// Empty when a field name is ""; 0 outside the table, with fewer than two rows or
/// with equal abscissas around x. Throws DataError when a field does not exist.
Value InterpolateColumn(Recordset& cursor, std::string_view xField, std::string_view yField, double x);
Value MuiAtT(Database& db, std::string_view column, double t);
Value MuaAtB(Database& db, std::string_view column, double b);
Value MuaAtH(Database& db, std::string_view column, double h);
Value MuRealAtF(Database& db, std::string_view material, double f);
Value MuImagAtF(Database& db, std::string_view material, double f);

inline constexpr const char* kNoMaterialDataText = "No material data available";
inline constexpr const char* kNoMaterialDataTitle = "Error";
struct HbResult {
    double value = 0;
    bool failed = false; ///< the caller shows kNoMaterialDataText / kNoMaterialDataTitle
};
HbResult HbAtT(Database& db, std::string_view column, double t);

/// AWG of the first wire of table Draht (by size) at least d thick, as its text; "" past
/// the last.
std::string GetAWGFromGroesse(Database& db, double d_mm);

/// Pv [kW/m³] of the PvT row at (t, f, b) for the material; 0 when there is none.
Value PvAt(Database& db, std::string_view material, double f, double b, double t);
/// 1-based position of the end-of-data row of a column (a curve has n − 1 points);
/// empty when column is "". Leaves the cursor wherever the walk stopped.
Value CountCurveRows(Recordset& cursor, std::string_view column);
/// All values of a field, each followed by a tab; "" for an empty table.
std::string ColumnAsText(Database& db, std::string_view table, std::string_view field);

/// Complex permeability on an open Mu_mu__f cursor: rowMode -1 interpolates at f,
/// any other value uses the current row.
struct ComplexMu {
    double real = 0; ///< µ'
    double imag = 0; ///< µ''
};
ComplexMu ComplexMuAt(Recordset& cursor, std::string_view material, double f, int rowMode);
Value ComplexMuMagnitude(Recordset& cursor, std::string_view material, double f, int rowMode);
Value ComplexMuParallelReal(Recordset& cursor, std::string_view material, double f, int rowMode);
Value ComplexMuParallelImag(Recordset& cursor, std::string_view material, double f, int rowMode);
Value ComplexMuGp(Recordset& cursor, std::string_view material, double f, int rowMode);
Value ComplexMuZn(Recordset& cursor, std::string_view material, double f, int rowMode);

} // namespace tolvik::data
