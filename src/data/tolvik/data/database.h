#pragma once
/// Read-only access to the material database (an SQLite file named db1.mdb in the
/// program folder). Nothing is ever written.
///
/// Conventions the lookups rely on, all guaranteed here:
/// - a table opened by name is walked in its stored (rowid) order;
/// - field names are found without regard to case;
/// - text comparisons composed by the sql:: builders ignore case;
/// - values and identifiers that come from data are bound or quoted, never pasted;
/// - flags are stored as the numbers -1 (true) and 0 (false).

#include "tolvik/numerics/value.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvik::data {

/// A fault of the data file: it cannot be opened, or a table or field named by the
/// program is missing. what() is the orderly message shown to the user, naming it.
class DataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The rows of a lookup by name: those of `table` whose `field` equals `value` without
/// regard to ASCII case, as "field = ? COLLATE NOCASE" compares.
struct RowKey {
    std::string table;
    std::string field;
    std::string value;
};

/// An SQL text with "?" placeholders and the values bound to them, in order.
struct Query {
    std::string sql;
    std::vector<Value> params;
    /// Set on a plain SELECT from key->table whose WHERE clause requires the key's match
    /// (joined by AND). The database finds the rows of that name once and keeps them (for
    /// the last names looked up), and the query then reads only those rows instead of
    /// every row of the table; the result is the same.
    std::optional<RowKey> key = std::nullopt;
};

/// A cursor over the rows of a table or query, read completely when opened.
/// Walk: moveFirst, then test eof(), read fields, moveNext.
class Recordset {
public:
    Recordset(std::string source, std::vector<std::string> fieldNames, std::vector<std::vector<Value>> rows);

    /// Number of rows (0: no rows).
    long recordCount() const;
    /// Past the last row (also true for an empty result).
    bool eof() const;
    /// Before the first row.
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    /// Value of a field of the current row, found without regard to case.
    /// Throws DataError naming the field and the table or query when it does not exist,
    /// and when there is no current row.
    Value field(std::string_view name) const;
    bool hasField(std::string_view name) const;
    /// A field where the program needs a number: empty, or the number (a text such as
    /// "0,4" is read with either decimal separator). Throws DataError naming the table,
    /// the field and the record when the value is a text that is not a number ("abc").
    Value number(std::string_view name) const;
    const std::vector<std::string>& fieldNames() const;
    /// The table name or SQL text the cursor was opened on.
    const std::string& source() const;
    void close();

private:
    long columnIndex(std::string_view name) const;
    std::string source_;
    std::vector<std::string> names_;
    std::vector<std::vector<Value>> rows_;
    long pos_ = 0;
};

/// The tables without which the program has nothing to show: a file that lacks one is
/// no data file of the program.
inline constexpr const char* kProgramTables[] = {"Material", "Kernform"};

class Database {
public:
    /// Opens the file read-only. Throws DataError ("The data file ... cannot be opened")
    /// when it is missing, unreadable or not a database.
    static std::unique_ptr<Database> open(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// Throws DataError ("... is no data file of the program ...") when a table that every
    /// window needs (kProgramTables) is missing, as in an empty file; start-up refuses it.
    void checkDataFile() const;

    /// The whole table in its stored order. Throws DataError naming a missing table.
    std::unique_ptr<Recordset> openTable(std::string_view table);
    /// A composed query. Throws DataError naming a missing table or field.
    std::unique_ptr<Recordset> openQuery(const Query& query);

    /// How many cursors have been opened on a table so far (by name or by a query that
    /// reads it); lets tests check that a step does not read a table again.
    long readCount(std::string_view table) const;

    /// Starts reading the names of a column on a worker with its own connection, for
    /// lookups by name soon to come (the cores' names as the core window opens): the first
    /// such lookup then waits only for what is left of the reading. Lookups find the same
    /// rows with or without it.
    void readNamesAhead(std::string_view table, std::string_view field);

    bool hasTable(std::string_view table) const;
    /// The names of all tables of the file, in the order they were created.
    std::vector<std::string> tableNames() const;
    bool hasField(std::string_view table, std::string_view field) const;
    const std::string& path() const;

private:
    struct Impl;
    explicit Database(std::unique_ptr<Impl> impl);
    /// The field names of a table or view, nullopt when the file has none of that name.
    const std::optional<std::vector<std::string>>& fieldsOf(std::string_view table) const;
    std::unique_ptr<Impl> impl_;
};

/// An identifier (table or column name) quoted for SQL: "name" with inner quotes doubled.
std::string QuoteIdentifier(std::string_view name);
/// Equality of two names without regard to (ASCII) case, as fields, tables and
/// material names are matched.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/// The SQL texts the program composes. Each keeps the program's text; values are bound
/// as parameters and identifiers quoted, so a name with an apostrophe, a blank or a
/// leading digit works and can never alter the query.
namespace sql {
/// SELECT field FROM table (copy of a table column)
Query SelectColumn(std::string_view field, std::string_view table);
/// SELECT K1,K2 FROM Kernform WHERE Kerntyp = V
Query KFactors(std::string_view kerntyp);
/// SELECT * FROM Kernform WHERE Kerntyp = V AND LP = -1|0 AND Loch = -1|0
Query CoreRecord(std::string_view kerntyp, bool lowProfile, bool hole);
/// SELECT * FROM PvT WHERE T = t AND F = f AND B = b AND material > 0
Query PvRow(double t, double f, double b, std::string_view material);
/// SELECT * FROM PvT WHERE field1 = v1 [AND field2 = v2] AND material > 0, in stored order
/// (a curve or a list of one material; no field2 when it is empty).
Query PvCurve(std::string_view material, std::string_view field1, double v1, std::string_view field2 = {},
              double v2 = 0);
/// SELECT F,T,materialX,materialC FROM PVEXPO WHERE T = t [AND F = f]
Query PvExpo(std::string_view material, double t, std::optional<double> f = std::nullopt);
/// SELECT * FROM Material WHERE Name = V
Query MaterialByName(std::string_view name);
/// SELECT mui,Name FROM Material WHERE Name = V
Query MaterialMuiByName(std::string_view name);
/// SELECT Kerntyp,Lp,Loch,Anzeige FROM Kernform WHERE Kerntyp = V
Query CoreVariants(std::string_view kerntyp);
/// SELECT DISTINCT field FROM table order by field
Query DistinctColumn(std::string_view table, std::string_view field);
/// SELECT DISTINCTROW field1, field2 FROM table order by field1
Query DistinctRowTwoColumns(std::string_view table, std::string_view field1, std::string_view field2);
/// SELECT entry, flag FROM table (the two fields a selection list is filled from)
Query ListEntries(std::string_view table, std::string_view flagField, std::string_view entryField);
/// SELECT * FROM Draht order by GROESSE
Query WiresBySize();
} // namespace sql

} // namespace tolvik::data
