#pragma once
/// A small material database written by the tests themselves into a fresh temporary
/// folder, with the tables the lookups read. The values are chosen so that the expected
/// results can be worked out by hand; each test states its calculation.

#include "tolvik/data/database.h"
#include "tolvik/numerics/value.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tolvik {
/// Shows a value readably in test failures: its kind and its text.
inline void PrintTo(const Value& v, std::ostream* os) {
    static const char* const kKinds[] = {"empty", "integer", "double", "text"};
    *os << kKinds[static_cast<int>(v.kind())] << " \"" << v.toText() << "\"";
}
} // namespace tolvik

namespace tolvik::data::test {

/// A temporary folder that is removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvik-data-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Runs an SQL script on a new database file at path. Throws std::runtime_error on failure.
inline void WriteDatabase(const std::string& path, const std::string& script) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + path);
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    const std::string reason = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("fixture script failed: " + reason);
}

/// A temporary folder holding db1.mdb written from an SQL script: the one way the tests
/// build a data file. Each suite keeps its own script.
class FixtureDatabase : public TempFolder {
public:
    explicit FixtureDatabase(const std::string& script) { WriteDatabase(databasePath(), script); }
    std::string databasePath() const { return (path() / "db1.mdb").string(); }
};

/// The fixture database (db1.mdb), written once per test program into a temporary folder.
const std::string& FixturePath();
/// The folder FixturePath() lies in, for further files a test writes.
const std::filesystem::path& FixtureFolder();

/// The whole content of a file (empty when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/// The message of the DataError that action throws, or "(no DataError)".
inline std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const DataError& e) {
        return e.what();
    }
    return "(no DataError)";
}

} // namespace tolvik::data::test
