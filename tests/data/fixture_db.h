#pragma once
/// A small material database written by the tests themselves into a fresh temporary
/// folder, with the tables the lookups read. The values are chosen so that the expected
/// results can be worked out by hand; each test states its calculation.

#include "tolvik/numerics/value.h"

#include <filesystem>
#include <ostream>
#include <string>

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
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Runs an SQL script on a new database file at path. Throws std::runtime_error on failure.
void WriteDatabase(const std::filesystem::path& path, const std::string& script);

/// Writes the fixture database (db1.mdb) into folder and returns its path.
std::string WriteFixtureDatabase(const std::filesystem::path& folder);

} // namespace tolvik::data::test
