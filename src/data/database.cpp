#include "tolvik/data/database.h"

#include "tolvik/data/messages.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <future>
#include <limits>
#include <map>
#include <optional>
#include <system_error>
#include <tuple>
#include <utility>

namespace tolvik::data {

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string ToUpper(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), Upper);
    return r;
}

/// One piece of an SQL text as far as this module needs to understand it: words,
/// quoted pieces (string literals and quoted identifiers), commas and the rest.
struct Token {
    enum class Kind { Word, Quoted, Comma, Other } kind;
    std::size_t pos;
    std::size_t len;
    std::string upper; ///< the word in upper case (words only)
};

std::vector<Token> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            std::size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == close) {
                    // A doubled quote inside a quoted piece stands for the quote itself.
                    if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const std::size_t end = std::min(j + 1, sql.size());
            tokens.push_back({Token::Kind::Quoted, i, end - i, {}});
            i = end;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            std::size_t j = i;
            while (j < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[j])) || sql[j] == '_'))
                ++j;
            tokens.push_back({Token::Kind::Word, i, j - i, ToUpper(sql.substr(i, j - i))});
            i = j;
        } else {
            tokens.push_back({c == ',' ? Token::Kind::Comma : Token::Kind::Other, i, 1, {}});
            ++i;
        }
    }
    return tokens;
}

/// The name inside a quoted identifier, with doubled quotes made single.
std::string Unquote(std::string_view q) {
    if (q.size() < 2) return std::string(q);
    const char open = q.front();
    const char close = open == '[' ? ']' : open;
    std::string r;
    for (std::size_t i = 1; i + 1 < q.size(); ++i) {
        r.push_back(q[i]);
        if (q[i] == close && close != ']' && i + 2 < q.size() && q[i + 1] == close) ++i;
    }
    return r;
}

/// The first table after FROM in an SQL text, "" when there is none.
std::string TableOfSql(std::string_view sql) {
    const auto tokens = Tokenize(sql);
    for (std::size_t k = 0; k + 1 < tokens.size(); ++k) {
        if (tokens[k].kind == Token::Kind::Word && tokens[k].upper == "FROM") {
            const Token& t = tokens[k + 1];
            if (t.kind == Token::Kind::Word) return std::string(sql.substr(t.pos, t.len));
            if (t.kind == Token::Kind::Quoted) return Unquote(sql.substr(t.pos, t.len));
            return {};
        }
    }
    return {};
}

/// A cursor's source is a table name or an SQL text; this is the table it reads.
std::string TableOfSource(std::string_view source) {
    const auto tokens = Tokenize(source);
    if (!tokens.empty() && tokens.front().kind == Token::Kind::Word && tokens.front().upper == "SELECT") {
        const std::string t = TableOfSql(source);
        return t.empty() ? std::string(source) : t;
    }
    return std::string(source);
}

/// "SELECT DISTINCTROW ..." on one table returns every row, as a plain SELECT does.
std::string WithoutDistinctRow(std::string_view sql) {
    std::string out;
    std::size_t copied = 0;
    for (const Token& t : Tokenize(sql)) {
        if (t.kind == Token::Kind::Word && t.upper == "DISTINCTROW") {
            out.append(sql.substr(copied, t.pos - copied));
            copied = t.pos + t.len;
        }
    }
    out.append(sql.substr(copied));
    return out;
}

/// A plain query on one table without an order of its own returns its rows in stored
/// order; the engine only promises that when it is asked to, so the order is added.
/// Returns "" when the text is not such a query.
std::string WithStoredOrder(std::string_view sql) {
    const auto tokens = Tokenize(sql);
    if (tokens.empty() || tokens.front().kind != Token::Kind::Word || tokens.front().upper != "SELECT")
        return {};
    bool afterFrom = false, inWhere = false, hasFrom = false;
    for (const Token& t : tokens) {
        if (t.kind == Token::Kind::Word) {
            static const char* const kOrdered[] = {"ORDER",    "GROUP",     "UNION",  "JOIN",   "LIMIT",
                                                   "DISTINCT", "INTERSECT", "EXCEPT", "HAVING", "SELECT"};
            if (&t != &tokens.front())
                for (const char* w : kOrdered)
                    if (t.upper == w) return {};
            if (t.upper == "FROM") afterFrom = hasFrom = true;
            if (t.upper == "WHERE") inWhere = true;
        } else if (t.kind == Token::Kind::Comma && afterFrom && !inWhere) {
            return {}; // more than one table
        } else if (t.kind == Token::Kind::Other && sql[t.pos] == ';' && &t != &tokens.back()) {
            return {}; // more than one statement
        }
    }
    if (!hasFrom) return {};
    std::string s(sql);
    while (!s.empty() && (std::isspace(static_cast<unsigned char>(s.back())) || s.back() == ';'))
        s.pop_back();
    return s + " ORDER BY rowid";
}

/// The orderly message for an engine error on a query.
DataError ErrorOf(const std::string& reason, const std::string& sql) {
    static const std::string kNoTable = "no such table: ";
    static const std::string kNoColumn = "no such column: ";
    auto strip = [](std::string name) {
        if (name.rfind("main.", 0) == 0) name.erase(0, 5);
        return name;
    };
    if (reason.rfind(kNoTable, 0) == 0) return DataError(msg::NoTable(strip(reason.substr(kNoTable.size()))));
    if (reason.rfind(kNoColumn, 0) == 0) {
        std::string table = TableOfSql(sql);
        std::string field = reason.substr(kNoColumn.size());
        if (!table.empty() && field.size() > table.size() + 1 &&
            EqualsIgnoringCase(field.substr(0, table.size()), table) && field[table.size()] == '.')
            field.erase(0, table.size() + 1);
        return DataError(msg::NoField(field, table.empty() ? sql : table));
    }
    return DataError(msg::QueryFailed(sql, reason));
}

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
    /// Compiles the text; false on an engine error or a text without a statement.
    bool prepare(sqlite3* db, const std::string& text) {
        return sqlite3_prepare_v2(db, text.c_str(), static_cast<int>(text.size()), &stmt, nullptr) ==
                   SQLITE_OK &&
               stmt != nullptr;
    }
};

/// The row ids of the rows whose field equals a name as "field = ? COLLATE NOCASE"
/// compares (the very condition of the keyed query), in stored order; nullopt when the
/// table has no row ids.
std::optional<std::vector<sqlite3_int64>> RowsOfName(sqlite3* db, const RowKey& key) {
    const std::string text = "SELECT rowid FROM " + QuoteIdentifier(key.table) + " WHERE " +
                             QuoteIdentifier(key.field) + " = ? COLLATE NOCASE ORDER BY rowid";
    Statement st;
    if (!st.prepare(db, text)) return std::nullopt;
    sqlite3_bind_text(st.stmt, 1, key.value.data(), static_cast<int>(key.value.size()), SQLITE_TRANSIENT);
    std::vector<sqlite3_int64> rows;
    int rc;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW)
        rows.push_back(sqlite3_column_int64(st.stmt, 0));
    if (rc != SQLITE_DONE) return std::nullopt;
    return rows;
}

/// A name as "field = ? COLLATE NOCASE" tells names apart, hashed: its length and its bytes
/// up to the first zero byte (the comparison ends there), A to Z taken as a to z. Names the
/// comparison takes as equal have the same hash.
std::uint64_t NameHash(std::string_view name) {
    std::uint64_t h = 0xCBF29CE484222325ULL ^ name.size();
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        h = (h ^ b) * 0x100000001B3ULL;
        if (b == 0) break;
    }
    return h;
}
/// Row ids by the hash of their name: the rows of each hash chained in stored order.
class NameIndex {
public:
    /// Room for `rows` rows at once: grown a row at a time, the index takes each larger block
    /// anew from the system, twice its final size in all.
    void reserve(std::size_t rows) { rows_.reserve(rows); }

    /// False when the index holds as many rows as it can chain.
    bool add(std::uint64_t hash, sqlite3_int64 row) {
        if (rows_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
        rows_.push_back({hash, row, -1});
        return true;
    }

    /// Chains the rows added, after the last of them.
    void chain() {
        std::size_t buckets = 16;
        while (buckets < 2 * rows_.size())
            buckets *= 2;
        mask_ = buckets - 1;
        first_.assign(buckets, -1);
        // From the last row up, each put in front of its chain: the chains run in stored order.
        for (std::size_t i = rows_.size(); i-- > 0;) {
            std::int32_t& head = first_[rows_[i].hash & mask_];
            rows_[i].next = head;
            head = static_cast<std::int32_t>(i);
        }
    }

    std::vector<sqlite3_int64> rowsOf(std::uint64_t hash) const {
        std::vector<sqlite3_int64> found;
        for (std::int32_t i = first_[hash & mask_]; i >= 0; i = rows_[static_cast<std::size_t>(i)].next)
            if (rows_[static_cast<std::size_t>(i)].hash == hash)
                found.push_back(rows_[static_cast<std::size_t>(i)].row);
        return found;
    }

private:
    struct Row {
        std::uint64_t hash;
        sqlite3_int64 row;
        std::int32_t next;
    };
    std::vector<Row> rows_;
    std::vector<std::int32_t> first_;
    std::uint64_t mask_ = 0;
};

/// The most rows an index of names makes room for before it reads them (a table whose row
/// ids run far beyond its rows grows its index as it reads).
constexpr sqlite3_int64 kMostRowsReserved = sqlite3_int64{1} << 20;

/// The row ids of every name of a column, by the hash of the name, read in one walk over the
/// table; nullopt when the table has no row ids or the column turns a name into a number
/// before it compares (a column of numbers).
std::optional<NameIndex> IndexOfNames(sqlite3* db, const RowKey& key) {
    const std::string text = "SELECT rowid, " + QuoteIdentifier(key.field) + " FROM " +
                             QuoteIdentifier(key.table) + " ORDER BY rowid";
    Statement st;
    if (!st.prepare(db, text)) return std::nullopt;
    // The column's affinity, by the engine's rules for its declared type: a text column or
    // one without affinity compares a name as a text.
    const char* declared = sqlite3_column_decltype(st.stmt, 1);
    if (!declared) return std::nullopt;
    const std::string type = ToUpper(declared);
    const auto has = [&type](const char* part) { return type.find(part) != std::string::npos; };
    const bool asText =
        !has("INT") && (has("CHAR") || has("CLOB") || has("TEXT") || has("BLOB") || type.empty());
    if (!asText) return std::nullopt;
    NameIndex index;
    // As many rows as the last row id, as a rule: found in the table's tree at once.
    Statement last;
    if (last.prepare(db, "SELECT max(rowid) FROM " + QuoteIdentifier(key.table)) &&
        sqlite3_step(last.stmt) == SQLITE_ROW)
        index.reserve(static_cast<std::size_t>(
            std::clamp<sqlite3_int64>(sqlite3_column_int64(last.stmt, 0), 0, kMostRowsReserved)));
    int rc;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
        // A number or a blob is taken as its text: its row is one more to compare (the
        // query tells it apart), and the rows of a name are all there.
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st.stmt, 1));
        if (!t) continue; // nothing: equal to no name
        const auto n = static_cast<std::size_t>(sqlite3_column_bytes(st.stmt, 1));
        if (!index.add(NameHash(std::string_view(t, n)), sqlite3_column_int64(st.stmt, 0)))
            return std::nullopt;
    }
    if (rc != SQLITE_DONE) return std::nullopt;
    index.chain();
    return index;
}

/// A plain SELECT with a WHERE clause, restricted to the given rows:
/// "... WHERE (conditions) AND rowid IN (r1, ...)"; "" when the text is not of that shape.
/// The row ids are the engine's own integers, so they are written into the text.
std::string RestrictedToRows(std::string_view sql, const std::vector<sqlite3_int64>& rows) {
    if (WithStoredOrder(sql).empty()) return {};
    const auto tokens = Tokenize(sql);
    const Token* where = nullptr;
    for (const Token& t : tokens)
        if (t.kind == Token::Kind::Word && t.upper == "WHERE") {
            if (where) return {};
            where = &t;
        }
    if (!where) return {};
    std::string_view conditions = sql.substr(where->pos + where->len);
    while (!conditions.empty() &&
           (std::isspace(static_cast<unsigned char>(conditions.back())) || conditions.back() == ';'))
        conditions.remove_suffix(1);
    std::string out(sql.substr(0, where->pos + where->len));
    out += " (";
    out += conditions;
    out += ") AND rowid IN (";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, rows[i]);
        if (i) out += ", ";
        out.append(buf, r.ptr);
    }
    return out + ")";
}

void Bind(sqlite3_stmt* stmt, int index, const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Empty:
        sqlite3_bind_null(stmt, index);
        break;
    case Value::Kind::Int:
    case Value::Kind::Double:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    case Value::Kind::Text: {
        const std::string t = v.toText();
        sqlite3_bind_text(stmt, index, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

Value ColumnValue(sqlite3_stmt* stmt, int col) {
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
        return Value(sqlite3_column_double(stmt, col));
    case SQLITE_FLOAT: {
        // The engine can hold an infinite number; it is no usable value, like an empty cell.
        const double d = sqlite3_column_double(stmt, col);
        return std::isfinite(d) ? Value(d) : Value();
    }
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        return Value(std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, col))));
    }
    default:
        return Value(); // NULL (and blobs, which the file does not hold)
    }
}

/// The file URI of a path for opening it read-only and immutable; characters with a
/// meaning in a URI are escaped.
std::string ImmutableUri(const std::string& path) {
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path, ec).generic_string();
    if (ec) absolute = path;
    std::string uri = "file:";
    if (absolute.empty() || absolute.front() != '/') uri += '/';
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : absolute) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~' || c == ':') {
            uri.push_back(static_cast<char>(c));
        } else {
            uri.push_back('%');
            uri.push_back(kHex[c >> 4]);
            uri.push_back(kHex[c & 15]);
        }
    }
    return uri + "?mode=ro&immutable=1";
}

} // namespace

std::string QuoteIdentifier(std::string_view name) {
    std::string r = "\"";
    for (char c : name) {
        r.push_back(c);
        if (c == '"') r.push_back('"');
    }
    r.push_back('"');
    return r;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

// ---------------------------------------------------------------------------------------
// Recordset

Recordset::Recordset(std::string source, std::vector<std::string> fieldNames,
                     std::vector<std::vector<Value>> rows)
    : source_(std::move(source)), names_(std::move(fieldNames)), rows_(std::move(rows)) {}

long Recordset::recordCount() const {
    return static_cast<long>(rows_.size());
}
bool Recordset::eof() const {
    return rows_.empty() || pos_ >= recordCount();
}
bool Recordset::bof() const {
    return rows_.empty() || pos_ < 0;
}
void Recordset::moveFirst() {
    pos_ = 0;
}
void Recordset::moveNext() {
    if (pos_ < recordCount()) ++pos_;
}
void Recordset::movePrevious() {
    if (pos_ >= 0) --pos_;
}
void Recordset::moveLast() {
    pos_ = recordCount() - 1;
}

long Recordset::columnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (EqualsIgnoringCase(names_[i], name)) return static_cast<long>(i);
    return -1;
}

Value Recordset::field(std::string_view name) const {
    const long col = columnIndex(name);
    if (col < 0) throw DataError(msg::NoField(name, TableOfSource(source_)));
    if (eof() || bof()) throw DataError(msg::NoCurrentRecord(TableOfSource(source_)));
    const auto& row = rows_[static_cast<std::size_t>(pos_)];
    return static_cast<std::size_t>(col) < row.size() ? row[static_cast<std::size_t>(col)] : Value();
}

Value Recordset::number(std::string_view name) const {
    const Value v = field(name);
    if (!v.isText()) return v;
    std::string text = v.toText();
    if (IsNumberText(text)) {
        if (const auto comma = text.find(','); comma != std::string::npos) text[comma] = '.';
        return Value(ReadLeadingNumber(text));
    }
    // The record by the name the user knows it by, else by its place in the cursor.
    std::string record = std::to_string(pos_ + 1);
    for (const char* key : {"Name", "Kerntyp"}) {
        if (const long col = columnIndex(key); col >= 0 && !EqualsIgnoringCase(key, name)) {
            const auto& row = rows_[static_cast<std::size_t>(pos_)];
            if (static_cast<std::size_t>(col) < row.size() && !row[static_cast<std::size_t>(col)].isEmpty()) {
                record = "'" + row[static_cast<std::size_t>(col)].toText() + "'";
                break;
            }
        }
    }
    throw DataError(msg::NotANumber(name, TableOfSource(source_), record));
}

bool Recordset::hasField(std::string_view name) const {
    return columnIndex(name) >= 0;
}
const std::vector<std::string>& Recordset::fieldNames() const {
    return names_;
}
const std::string& Recordset::source() const {
    return source_;
}

void Recordset::close() {
    rows_.clear();
    pos_ = 0;
}

// ---------------------------------------------------------------------------------------
// Database

struct Database::Impl {
    sqlite3* db = nullptr;
    std::string path;
    std::map<std::string, long> reads; ///< cursors opened per table (upper-case name)
    /// The rows of the names looked up last, by upper-case table and field and the name:
    /// the lookups of one chosen core (its variants, its record, its K-factors, each field
    /// a tab reads) walk the table once.
    std::map<std::tuple<std::string, std::string, std::string>, std::vector<sqlite3_int64>> rowsOfName;
    /// Every name of a column, by upper-case table and field, read at its first lookup: a
    /// core chosen for the first time on a file of a large catalogue is then found at once
    /// (nullopt: the column is looked up a name at a time).
    std::map<std::pair<std::string, std::string>, std::optional<NameIndex>> namesOf;
    /// Indexes of names being read ahead on a worker, by upper-case table and field: taken
    /// into namesOf at the first lookup (which waits for what is left of the reading). A
    /// worker still reading when the Database goes is waited for.
    struct NamesRead {
        bool read = false; ///< false: the worker could not read (no connection, no memory)
        std::optional<NameIndex> index;
    };
    std::map<std::pair<std::string, std::string>, std::future<NamesRead>> namesAhead;
    /// The field names of each table or view asked for, by upper-case name (nullopt: the
    /// file has none of that name). The file is only read, so its layout is read once.
    std::map<std::string, std::optional<std::vector<std::string>>> fieldsOf;
    ~Impl() { sqlite3_close_v2(db); }

    /// The row ids of the key's name from the index of its column (with those of any other
    /// name of the same hash: the query itself still compares the names), nullopt when the
    /// column has no index.
    std::optional<std::vector<sqlite3_int64>> indexedRows(const RowKey& key) {
        auto [it, added] = namesOf.try_emplace({ToUpper(key.table), ToUpper(key.field)});
        if (added) {
            NamesRead ahead;
            if (auto worker = namesAhead.find(it->first); worker != namesAhead.end()) {
                ahead = worker->second.get();
                namesAhead.erase(worker);
            }
            it->second = ahead.read ? std::move(ahead.index) : IndexOfNames(db, key);
        }
        if (!it->second) return std::nullopt;
        return it->second->rowsOf(NameHash(key.value));
    }

    /// The query restricted to the rows of its key, or "" when it cannot be.
    std::string restrictedText(const Query& query) {
        if (!query.key) return {};
        const RowKey& key = *query.key;
        const auto name = std::make_tuple(ToUpper(key.table), ToUpper(key.field), key.value);
        auto it = rowsOfName.find(name);
        if (it == rowsOfName.end()) {
            auto rows = indexedRows(key);
            if (!rows) rows = RowsOfName(db, key);
            // Beyond a few hundred rows of one name a walk over the table costs no more.
            if (!rows || rows->size() > 500) return {};
            if (rowsOfName.size() >= 64) rowsOfName.clear();
            it = rowsOfName.emplace(name, std::move(*rows)).first;
        }
        const auto* rows = &it->second;
        return RestrictedToRows(query.sql, *rows);
    }

    /// Runs an SQL text and reads all its rows. On an engine error returns nullptr and
    /// the engine's reason.
    std::unique_ptr<Recordset> run(const std::string& sqlText, const std::vector<Value>& params,
                                   const std::string& source, std::string& reason) const {
        Statement st;
        if (!st.prepare(db, sqlText)) {
            reason =
                st.stmt == nullptr && sqlite3_errcode(db) == SQLITE_OK ? "empty query" : sqlite3_errmsg(db);
            return nullptr;
        }
        for (std::size_t i = 0; i < params.size(); ++i)
            Bind(st.stmt, static_cast<int>(i + 1), params[i]);
        const int columns = sqlite3_column_count(st.stmt);
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const char* n = sqlite3_column_name(st.stmt, c);
            names.emplace_back(n ? n : "");
        }
        std::vector<std::vector<Value>> rows;
        int rc;
        while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
            std::vector<Value> row;
            row.reserve(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c)
                row.push_back(ColumnValue(st.stmt, c));
            rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            reason = sqlite3_errmsg(db);
            return nullptr;
        }
        return std::make_unique<Recordset>(source, std::move(names), std::move(rows));
    }
};

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::~Database() = default;

std::unique_ptr<Database> Database::open(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) throw DataError(msg::CannotOpen(path));
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    // "immutable": the engine takes the file as a read-only medium, so it neither locks it
    // nor creates a journal, -wal or -shm file beside it, whatever its journal mode and
    // also in a read-only folder.
    // A Database is used by one thread at a time (a worker opens its own), so the engine
    // need not lock the connection at each call.
    if (sqlite3_open_v2(ImmutableUri(path).c_str(), &impl->db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw DataError(msg::CannotOpen(path));
    // A double-quoted name that matches no column must be an error, never a text literal.
    sqlite3_db_config(impl->db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(impl->db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // Opening succeeds on any file; reading the schema shows whether it is a database.
    std::string reason;
    if (!impl->run("SELECT count(*) FROM sqlite_master", {}, "sqlite_master", reason))
        throw DataError(msg::CannotOpen(path));
    return std::unique_ptr<Database>(new Database(std::move(impl)));
}

void Database::checkDataFile() const {
    for (const char* table : kProgramTables)
        if (!hasTable(table)) throw DataError(msg::NotADataFile(impl_->path, table));
}

long Database::readCount(std::string_view table) const {
    const auto it = impl_->reads.find(ToUpper(table));
    return it == impl_->reads.end() ? 0 : it->second;
}

std::unique_ptr<Recordset> Database::openTable(std::string_view table) {
    ++impl_->reads[ToUpper(table)];
    if (!hasTable(table)) throw DataError(msg::NoTable(table));
    const std::string source(table);
    const std::string plain = "SELECT * FROM " + QuoteIdentifier(table);
    std::string reason;
    if (auto rs = impl_->run(plain + " ORDER BY rowid", {}, source, reason)) return rs;
    // A table without row ids keeps the order of its key.
    if (auto rs = impl_->run(plain, {}, source, reason)) return rs;
    throw ErrorOf(reason, plain);
}

std::unique_ptr<Recordset> Database::openQuery(const Query& query) {
    ++impl_->reads[ToUpper(TableOfSql(query.sql))];
    const std::string text = WithoutDistinctRow(query.sql);
    std::string reason;
    if (const std::string restricted = impl_->restrictedText(query); !restricted.empty())
        if (auto rs = impl_->run(WithStoredOrder(restricted), query.params, query.sql, reason)) return rs;
    const std::string ordered = WithStoredOrder(text);
    if (!ordered.empty())
        if (auto rs = impl_->run(ordered, query.params, query.sql, reason)) return rs;
    if (auto rs = impl_->run(text, query.params, query.sql, reason)) return rs;
    throw ErrorOf(reason, query.sql);
}

const std::optional<std::vector<std::string>>& Database::fieldsOf(std::string_view table) const {
    auto [it, added] = impl_->fieldsOf.try_emplace(ToUpper(table));
    if (!added) return it->second;
    std::string reason;
    auto tables = impl_->run(
        "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE",
        {Value(std::string(table))}, "sqlite_master", reason);
    if (!tables || tables->recordCount() == 0) return it->second;
    auto fields = impl_->run("SELECT name FROM pragma_table_info(?)", {Value(std::string(table))},
                             "pragma_table_info", reason);
    it->second.emplace();
    if (fields)
        for (fields->moveFirst(); !fields->eof(); fields->moveNext())
            it->second->push_back(fields->field("name").toText());
    return it->second;
}

void Database::readNamesAhead(std::string_view table, std::string_view field) {
    const std::pair<std::string, std::string> name{ToUpper(table), ToUpper(field)};
    if (impl_->namesOf.count(name) || impl_->namesAhead.count(name)) return;
    const RowKey key{std::string(table), std::string(field), {}};
    try {
        impl_->namesAhead.emplace(
            name, std::async(std::launch::async, [uri = ImmutableUri(impl_->path), key] {
                Impl::NamesRead names;
                sqlite3* own = nullptr;
                if (sqlite3_open_v2(uri.c_str(), &own,
                                    SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                    nullptr) == SQLITE_OK) {
                    // One walk over the table reads each page once: a few pages of cache
                    // serve it, where the engine's default takes 2 MB from the system.
                    sqlite3_exec(own, "PRAGMA cache_size = 16", nullptr, nullptr, nullptr);
                    try {
                        names.index = IndexOfNames(own, key);
                        names.read = true;
                    } catch (const std::exception&) {
                        // (out of memory) read at the lookup, as without a worker
                    }
                }
                sqlite3_close_v2(own);
                return names;
            }));
    } catch (const std::system_error&) {
        // No thread to be had: the names are read at the first lookup.
    }
}

bool Database::hasTable(std::string_view table) const {
    return fieldsOf(table).has_value();
}

std::vector<std::string> Database::tableNames() const {
    std::string reason;
    auto rs = impl_->run("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                         "ESCAPE '\\' ORDER BY rowid",
                         {}, "sqlite_master", reason);
    std::vector<std::string> names;
    if (rs)
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            names.push_back(rs->field("name").toText());
    return names;
}

bool Database::hasField(std::string_view table, std::string_view field) const {
    const auto& fields = fieldsOf(table);
    return fields && std::any_of(fields->begin(), fields->end(),
                                 [&](const std::string& f) { return EqualsIgnoringCase(f, field); });
}

const std::string& Database::path() const {
    return impl_->path;
}

// ---------------------------------------------------------------------------------------
// The program's SQL texts

namespace sql {

namespace {
std::string Flag(bool b) {
    return b ? "-1" : "0";
}
Query Text(std::string sqlText, std::vector<Value> params = {}) {
    return Query{std::move(sqlText), std::move(params)};
}
Value TextParam(std::string_view v) {
    return Value(std::string(v));
}
/// A lookup of the cores of one core type.
Query ByCoreType(std::string sqlText, std::string_view kerntyp) {
    Query q = Text(std::move(sqlText), {TextParam(kerntyp)});
    q.key = RowKey{"Kernform", "Kerntyp", std::string(kerntyp)};
    return q;
}
} // namespace

Query SelectColumn(std::string_view field, std::string_view table) {
    return Text("SELECT " + QuoteIdentifier(field) + " FROM " + QuoteIdentifier(table));
}

Query KFactors(std::string_view kerntyp) {
    return ByCoreType("SELECT K1,K2 FROM Kernform WHERE Kerntyp = ? COLLATE NOCASE", kerntyp);
}

Query CoreRecord(std::string_view kerntyp, bool lowProfile, bool hole) {
    return ByCoreType("SELECT * FROM Kernform WHERE Kerntyp = ? COLLATE NOCASE AND LP = " + Flag(lowProfile) +
                          " AND Loch = " + Flag(hole),
                      kerntyp);
}

Query PvRow(double t, double f, double b, std::string_view material) {
    return Text("SELECT * FROM PvT WHERE T = ? AND F = ? AND B = ? AND " + QuoteIdentifier(material) + " > 0",
                {Value(t), Value(f), Value(b)});
}

Query PvCurve(std::string_view material, std::string_view field1, double v1, std::string_view field2,
              double v2) {
    Query q = Text("SELECT * FROM PvT WHERE " + std::string(field1) + " = ?", {Value(v1)});
    if (!field2.empty()) {
        q.sql += " AND " + std::string(field2) + " = ?";
        q.params.emplace_back(v2);
    }
    q.sql += " AND " + QuoteIdentifier(material) + " > 0";
    return q;
}

Query PvExpo(std::string_view material, double t, std::optional<double> f) {
    const std::string m(material);
    Query q = Text("SELECT F,T," + QuoteIdentifier(m + "X") + "," + QuoteIdentifier(m + "C") +
                       " FROM PVEXPO WHERE T = ?",
                   {Value(t)});
    if (f) {
        q.sql += " AND F = ?";
        q.params.emplace_back(*f);
    }
    return q;
}

Query MaterialByName(std::string_view name) {
    return Text("SELECT * FROM Material WHERE Name = ? COLLATE NOCASE", {TextParam(name)});
}

Query MaterialMuiByName(std::string_view name) {
    return Text("SELECT mui,Name FROM Material WHERE Name = ? COLLATE NOCASE", {TextParam(name)});
}

Query CoreVariants(std::string_view kerntyp) {
    return ByCoreType("SELECT Kerntyp,Lp,Loch,Anzeige FROM Kernform WHERE Kerntyp = ? COLLATE NOCASE",
                      kerntyp);
}

Query DistinctColumn(std::string_view table, std::string_view field) {
    const std::string f = QuoteIdentifier(field);
    return Text("SELECT DISTINCT " + f + " FROM " + QuoteIdentifier(table) + " order by " + f +
                " COLLATE NOCASE");
}

Query DistinctRowTwoColumns(std::string_view table, std::string_view field1, std::string_view field2) {
    const std::string f1 = QuoteIdentifier(field1);
    return Text("SELECT DISTINCTROW " + f1 + ", " + QuoteIdentifier(field2) + " FROM " +
                QuoteIdentifier(table) + " order by " + f1 + " COLLATE NOCASE, rowid");
}

Query ListEntries(std::string_view table, std::string_view flagField, std::string_view entryField) {
    return Text("SELECT " + QuoteIdentifier(entryField) + ", " + QuoteIdentifier(flagField) + " FROM " +
                QuoteIdentifier(table));
}

Query WiresBySize() {
    return Text("SELECT * FROM Draht order by GROESSE, rowid");
}

} // namespace sql

} // namespace tolvik::data
