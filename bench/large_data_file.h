#pragma once
// The sample data file with 100,000 more core rows, for the advisor's benchmarks: every
// sample core again under a new name, its lengths scaled by a factor between 0.5 and 2.
// With TOLVIK_KEEP_BENCH_FILE set the file stays in the temporary folder and is used again.

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tolvik::bench {

inline std::string LargeDataFile(const std::string& sample) {
    const auto file = std::filesystem::temp_directory_path() / "tolvik_advisor_bench_db1.mdb";
    if (std::getenv("TOLVIK_KEEP_BENCH_FILE") && std::filesystem::exists(file)) return file.string();
    std::filesystem::copy_file(sample, file, std::filesystem::copy_options::overwrite_existing);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(
        db,
        "CREATE TEMP TABLE src AS SELECT *, row_number() OVER () AS k FROM Kernform;"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
        "INSERT INTO Kernform (Kerntyp, LP, Loch, Anzeige, RthAnzeige, Ae, le, Ve, Amin, AN, LN, Rth, "
        "Ar, K1, K2, CDF, hWickel) "
        "SELECT 'X ' || i, s.LP, s.Loch, 0, 0, s.Ae * f * f, s.le * f, s.Ve * f * f * f, s.Amin * f * f, "
        "s.AN * f * f, s.LN * f, s.Rth / f, s.Ar, s.K1, s.K2, s.CDF, s.hWickel * f "
        "FROM (SELECT i, 0.5 + (i % 151) / 100.0 AS f, 1 + i % (SELECT COUNT(*) FROM src) AS k FROM n) "
        "JOIN src s USING (k);",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return file.string();
}

/// Removes the file unless it is to be kept.
inline void RemoveLargeDataFile(const std::string& file) {
    if (!std::getenv("TOLVIK_KEEP_BENCH_FILE")) std::filesystem::remove(file);
}

} // namespace tolvik::bench
