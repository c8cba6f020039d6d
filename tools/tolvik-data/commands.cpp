#include "tolvik/datatool/commands.h"

#include "tolvik/data/data_location.h"
#include "tolvik/datatool/csv.h"
#include "tolvik/datatool/schema.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

namespace tolvik::datatool {

namespace fs = std::filesystem;

namespace {

const char* const kReadmeHead =
    "Tolvik data file as CSV files\n"
    "=============================\n"
    "\n"
    "One file per table: the first line holds the field names, every further line one row,\n"
    "in the order the program reads them. Row 1 is the first line below the header.\n"
    "\n"
    "- Numbers are written with a point as decimal separator (0.4, not 0,4); an empty cell\n"
    "  means no value.\n"
    "- Flags are -1 (yes) or 0 (no).\n"
    "- Texts with a comma, a quote or a leading blank are enclosed in double quotes.\n"
    "- Curve tables have one column per material, named after the material as described\n"
    "  below; a curve is the column down to its first 0 or empty cell (its end mark).\n"
    "- The x column of a curve table (T, B, H, f) must be ascending.\n"
    "\n"
    "To add a material: add its row to Material.csv, its columns to the curve tables,\n"
    "then build and check a data file and install it for yourself:\n"
    "\n"
    "    tolvik-data build FOLDER my.mdb\n"
    "    tolvik-data check my.mdb\n"
    "    tolvik-data install my.mdb\n"
    "\n"
    "Units and meanings of the tables:\n";

/// A paragraph broken into lines of at most about 88 characters, each indented by 4.
std::string Wrapped(std::string_view text) {
    std::string out, line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(start, end - start);
        if (!line.empty() && line.size() + 1 + word.size() > 84) {
            out += "    " + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(word);
        start = end + 1;
    }
    if (!line.empty()) out += "    " + line + "\n";
    return out;
}

std::string CellText(const Value& v) {
    if (v.isEmpty()) return {};
    if (v.isText()) return CsvField(v.toText());
    return NumberText(v.toDouble());
}

bool ReadFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

/// A table ready to be written: column names, declared types and the rows.
struct Prepared {
    std::string name;
    std::vector<std::string> columns;
    std::vector<FieldType> types;
    std::vector<std::vector<Value>> rows;
};

class Builder {
public:
    explicit Builder(std::vector<Finding>& findings) : out_(findings) {}

    /// Reads and type-checks one CSV file; false when it has errors.
    bool prepare(const TableDef& def, const fs::path& file, Prepared& table) {
        table.name = def.name;
        const std::size_t before = errors();
        std::string text, reason;
        CsvText csv;
        if (!ReadFile(file, text)) {
            error(def.name, 0, "", "cannot read " + file.string());
            return false;
        }
        if (!ParseCsv(text, csv, reason)) {
            error(def.name, 0, "",
                  file.filename().string() + ", " + reason + ": close it with a double quote");
            return false;
        }
        if (csv.header.empty()) {
            error(def.name, 0, "", file.filename().string() + " has no header row: write the field names");
            return false;
        }
        if (csv.header.size() == 1 && csv.header.front().find(';') != std::string::npos)
            error(def.name, 0, "",
                  file.filename().string() +
                      " is separated by semicolons: save it with commas as separators");
        std::vector<int> keep; // CSV column index of each written column
        std::map<std::string, std::string> seen;
        for (std::size_t i = 0; i < csv.header.size(); ++i) {
            const std::string name = Trimmed(csv.header[i]);
            if (name.empty()) {
                error(def.name, 0, "",
                      "column " + std::to_string(i + 1) + " has no name: write its field name");
                continue;
            }
            std::string upper = name;
            std::transform(upper.begin(), upper.end(), upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            const auto [it, fresh] = seen.emplace(upper, name);
            if (!fresh) {
                error(def.name, 0, name,
                      "the column appears twice (names are compared without regard to case): remove one");
                continue;
            }
            const FieldDef* field = FindField(def, name);
            if (field == nullptr && def.kind == TableKind::Record) {
                warning(def.name, 0, name, "the program does not read this field: it is left out");
                continue;
            }
            keep.push_back(static_cast<int>(i));
            table.columns.push_back(field ? field->name : name);
            table.types.push_back(field ? field->type : FieldType::Number);
        }
        for (const FieldDef& f : def.fields)
            if (!seen.count([&] {
                    std::string u = f.name;
                    std::transform(u.begin(), u.end(), u.begin(),
                                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                    return u;
                }()))
                error(def.name, 0, f.name, "the column is missing: add it (see README.txt)");
        for (std::size_t r = 0; r < csv.rows.size(); ++r) {
            const auto& cells = csv.rows[r];
            const long row = static_cast<long>(r) + 1;
            if (cells.size() != csv.header.size()) {
                error(def.name, row, "",
                      "the row has " + std::to_string(cells.size()) + " cells, the header " +
                          std::to_string(csv.header.size()) +
                          ": add or remove cells (a comma in a name needs "
                          "double quotes)");
                continue;
            }
            std::vector<Value> values;
            for (std::size_t k = 0; k < keep.size(); ++k)
                values.push_back(cell(def.name, row, table.columns[k], table.types[k],
                                      cells[static_cast<std::size_t>(keep[k])]));
            table.rows.push_back(std::move(values));
        }
        return errors() == before;
    }

private:
    Value cell(const std::string& table, long row, const std::string& column, FieldType type,
               const std::string& text) {
        if (type == FieldType::Text) return Value(text);
        const std::string t = Trimmed(text);
        double v = 0;
        if (type == FieldType::Flag) {
            if (ReadNumber(t, v) && (v == -1.0 || v == 0.0)) return Value(v);
            error(table, row, column, "a flag is -1 (yes) or 0 (no), not '" + text + "'");
            return Value();
        }
        if (t.empty()) return Value();
        if (ReadNumber(t, v)) return Value(v);
        std::string point = t;
        std::replace(point.begin(), point.end(), ',', '.');
        if (ReadNumber(point, v))
            error(table, row, column, "'" + text + "' has a decimal comma: write " + point);
        else
            error(table, row, column,
                  "'" + text +
                      "' is not a number: write a number with a point as decimal "
                      "separator, or leave the cell empty");
        return Value();
    }

    void error(const std::string& t, long row, const std::string& c, std::string text) {
        out_.push_back({Severity::Error, t, row, c, std::move(text)});
    }
    void warning(const std::string& t, long row, const std::string& c, std::string text) {
        out_.push_back({Severity::Warning, t, row, c, std::move(text)});
    }
    std::size_t errors() const {
        return static_cast<std::size_t>(std::count_if(
            out_.begin(), out_.end(), [](const Finding& f) { return f.severity == Severity::Error; }));
    }

    std::vector<Finding>& out_;
};

const char* TypeName(FieldType type) {
    switch (type) {
    case FieldType::Text:
        return "TEXT";
    case FieldType::Flag:
        return "INTEGER";
    case FieldType::Number:
        break;
    }
    return "REAL";
}

/// Writes the tables into a new database file; "" or the engine's reason.
std::string WriteDatabase(const fs::path& path, const std::vector<Prepared>& tables) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string reason = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return reason;
    }
    std::string reason;
    auto exec = [&](const std::string& sql) {
        if (!reason.empty()) return;
        char* message = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
            reason = message ? message : "error";
        sqlite3_free(message);
    };
    exec("BEGIN");
    for (const Prepared& t : tables) {
        std::string create = "CREATE TABLE " + data::QuoteIdentifier(t.name) + " (";
        std::string insert = "INSERT INTO " + data::QuoteIdentifier(t.name) + " VALUES (";
        for (std::size_t i = 0; i < t.columns.size(); ++i) {
            create += (i ? ", " : "") + data::QuoteIdentifier(t.columns[i]) + " " + TypeName(t.types[i]);
            insert += i ? ", ?" : "?";
        }
        exec(create + ")");
        if (!reason.empty()) break;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &st, nullptr) != SQLITE_OK) {
            reason = sqlite3_errmsg(db);
            break;
        }
        for (const auto& row : t.rows) {
            sqlite3_reset(st);
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int index = static_cast<int>(i) + 1;
                const Value& v = row[i];
                if (v.isEmpty()) {
                    sqlite3_bind_null(st, index);
                } else if (v.isText()) {
                    const std::string s = v.toText();
                    sqlite3_bind_text(st, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
                } else if (t.types[i] == FieldType::Flag) {
                    sqlite3_bind_int(st, index, static_cast<int>(v.toDouble()));
                } else {
                    sqlite3_bind_double(st, index, v.toDouble());
                }
            }
            if (sqlite3_step(st) != SQLITE_DONE) {
                reason = sqlite3_errmsg(db);
                break;
            }
        }
        sqlite3_finalize(st);
    }
    exec("COMMIT");
    if (sqlite3_close(db) != SQLITE_OK && reason.empty()) reason = "the file cannot be closed";
    return reason;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

} // namespace

std::string ExportDataFile(const std::string& dataFile, const std::string& folder) {
    try {
        auto db = data::Database::open(dataFile);
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fs::is_directory(folder, ec)) return "cannot create the folder " + folder;
        for (const std::string& table : db->tableNames()) {
            auto rs = db->openTable(table);
            std::string text;
            const auto& names = rs->fieldNames();
            for (std::size_t i = 0; i < names.size(); ++i)
                text += (i ? "," : "") + CsvField(names[i]);
            text += "\r\n";
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                for (std::size_t i = 0; i < names.size(); ++i)
                    text += (i ? "," : "") + CellText(rs->field(names[i]));
                text += "\r\n";
            }
            std::ofstream out(fs::path(folder) / (table + ".csv"), std::ios::binary);
            out << text;
            if (!out) return "cannot write " + (fs::path(folder) / (table + ".csv")).string();
        }
        std::string readme = kReadmeHead;
        for (const TableDef& t : ProgramTables())
            readme += std::string("\n") + t.name + ".csv\n" + Wrapped(t.about);
        std::ofstream out(fs::path(folder) / "README.txt", std::ios::binary);
        out << readme;
        if (!out) return "cannot write " + (fs::path(folder) / "README.txt").string();
    } catch (const data::DataError& e) {
        return e.what();
    }
    return {};
}

BuildResult BuildDataFile(const std::string& folder, const std::string& dataFile,
                          const std::vector<std::string>& protectedFiles, bool force) {
    BuildResult result;
    auto fail = [&](std::string text) {
        result.findings.push_back({Severity::Error, dataFile, 0, "", std::move(text)});
        return result;
    };
    for (const std::string& p : protectedFiles)
        if (!force && !p.empty() && SameFile(dataFile, p))
            return fail(
                "this is one of the program's data files: it is not replaced; build into another file and "
                "install that, or add --force");
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return fail("the folder " + folder + " does not exist");
    std::map<const TableDef*, fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path& p = entry.path();
        std::string ext = p.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext != ".csv") continue;
        if (const TableDef* def = FindTable(p.stem().string()))
            files[def] = p;
        else
            result.findings.push_back({Severity::Warning, p.filename().string(), 0, "",
                                       "the program reads no table of this name: the file is left out"});
    }
    Builder builder(result.findings);
    std::vector<Prepared> tables;
    bool ok = true;
    for (const TableDef& def : ProgramTables()) {
        const auto it = files.find(&def);
        if (it == files.end()) {
            result.findings.push_back({Severity::Error, def.name, 0, "",
                                       "the folder has no " + std::string(def.name) +
                                           ".csv: add it (an exported folder holds every table)"});
            ok = false;
            continue;
        }
        Prepared table;
        ok = builder.prepare(def, it->second, table) && ok;
        tables.push_back(std::move(table));
    }
    if (!ok) return result;

    const fs::path target(dataFile);
    const fs::path temp = target.string() + ".part";
    fs::remove(temp, ec);
    const std::string reason = WriteDatabase(temp, tables);
    if (!reason.empty()) {
        fs::remove(temp, ec);
        return fail("cannot write " + temp.string() + ": " + reason);
    }
    auto findings = CheckDataFile(temp.string());
    result.findings.insert(result.findings.end(), findings.begin(), findings.end());
    if (!Usable(findings)) {
        fs::remove(temp, ec);
        return result;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return fail("cannot replace " + dataFile + ": " + ec.message());
    }
    result.written = true;
    return result;
}

InstallResult InstallDataFile(const std::string& dataFile) {
    InstallResult result;
    const std::string user = data::UserDataFile();
    if (user.empty()) {
        result.message = "there is no user data folder: neither XDG_DATA_HOME nor HOME is set";
        return result;
    }
    result.findings = CheckDataFile(dataFile);
    if (!Usable(result.findings)) {
        result.message = dataFile + " is not usable: it is not installed";
        return result;
    }
    if (SameFile(dataFile, user)) {
        result.written = true;
        result.message = dataFile + " is installed already";
        return result;
    }
    std::error_code ec;
    fs::create_directories(data::UserDataFolder(), ec);
    const fs::path temp = user + ".part";
    fs::copy_file(dataFile, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(temp, user, ec);
    if (ec) {
        fs::remove(temp, ec);
        result.message = "cannot copy " + dataFile + " to " + user + ": " + ec.message();
        return result;
    }
    result.written = true;
    result.message = "installed as " + user + ": Tolvik reads it from its next start on";
    return result;
}

bool RemoveInstalledDataFile(std::string& message) {
    const std::string user = data::UserDataFile();
    std::error_code ec;
    if (user.empty() || !fs::exists(user, ec)) {
        message = "no data file of your own is installed: Tolvik reads its bundled data file";
        return true;
    }
    if (!fs::remove(user, ec) || ec) {
        message = "cannot remove " + user + ": " + ec.message();
        return false;
    }
    message = "removed " + user + ": Tolvik reads its bundled data file from its next start on";
    return true;
}

} // namespace tolvik::datatool
