#pragma once
// Small material databases for the window tests, written by the data tests' script runner.
// Flags are stored as -1 (true) and 0 (false), like in the program's data file.

#include "../data/fixture_db.h"

#include <QString>

#include <string>

namespace tolvik::testing {

/// Writes the tables Material and Kernform with the fields the lists read, then runs rows.
inline void WriteFixture(const QString& path, const std::string& rows) {
    data::test::WriteDatabase(
        path.toStdString(),
        "CREATE TABLE Material (Name TEXT, Aktuell INTEGER, Leistung INTEGER, mua INTEGER);"
        "CREATE TABLE Kernform (Kerntyp TEXT, Anzeige INTEGER, RthAnzeige INTEGER, "
        "LP INTEGER, Loch INTEGER);" +
            rows);
}

/// The usual fixture: a few materials and core types with mixed flags (a flag without a
/// value counts as false, any non-zero number as true).
inline void WriteStandardFixture(const QString& path) {
    WriteFixture(path, R"sql(
INSERT INTO Material VALUES ('Q27', -1, -1, 0), ('R41', -1, 0, -1), ('Q38', 0, 0, -1), ('Q87', -1, -1, -1),
  ('Q10', NULL, 0, 0), ('Q12', 1, 0, 0);
INSERT INTO Kernform VALUES ('E 20/10/6', -1, -1, 0, 0), ('RM 8', -1, 0, 0, 0), ('RM 8', -1, 0, -1, 0),
  ('P 14x8', 0, -1, 0, -1);
)sql");
}

} // namespace tolvik::testing
