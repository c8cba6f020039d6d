#pragma once
// Small material databases for the window tests, written with the sqlite3 C API.
// Flags are stored as -1 (true) and 0 (false), like in the program's data file.

#include <sqlite3.h>

#include <QString>
#include <QTemporaryDir>

#include <stdexcept>
#include <string>

namespace tolvik::testing {

struct MaterialRow {
    const char* name;
    int aktuell;
    int leistung;
    int mua;
};

struct CoreRow {
    const char* kerntyp;
    int anzeige;
    int rthAnzeige;
    int lp;
    int loch;
};

inline void Exec(sqlite3* db, const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "sqlite error";
        sqlite3_free(err);
        throw std::runtime_error(msg + " in: " + sql);
    }
}

inline std::string Quote(const char* text) {
    std::string out = "'";
    for (const char* p = text; *p; ++p) {
        out += *p;
        if (*p == '\'') out += '\'';
    }
    return out + "'";
}

/// Writes a database with the tables Material and Kernform to path.
template <size_t M, size_t C>
void WriteFixture(const QString& path, const MaterialRow (&materials)[M], const CoreRow (&cores)[C]) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create fixture database");
    }
    Exec(db, "CREATE TABLE Material (Name TEXT, Aktuell INTEGER, Leistung INTEGER, mua INTEGER)");
    Exec(db, "CREATE TABLE Kernform (Kerntyp TEXT, Anzeige INTEGER, RthAnzeige INTEGER, LP INTEGER, "
             "Loch INTEGER)");
    for (const MaterialRow& m : materials)
        Exec(db, "INSERT INTO Material VALUES (" + Quote(m.name) + "," + std::to_string(m.aktuell) + "," +
                     std::to_string(m.leistung) + "," + std::to_string(m.mua) + ")");
    for (const CoreRow& c : cores)
        Exec(db, "INSERT INTO Kernform VALUES (" + Quote(c.kerntyp) + "," + std::to_string(c.anzeige) + "," +
                     std::to_string(c.rthAnzeige) + "," + std::to_string(c.lp) + "," +
                     std::to_string(c.loch) + ")");
    sqlite3_close(db);
}

/// The usual fixture: a few materials and core types with mixed flags.
inline void WriteStandardFixture(const QString& path) {
    const MaterialRow materials[] = {
        {"Q27", -1, -1, 0},
        {"R41", -1, 0, -1},
        {"Q38", 0, 0, -1},
        {"Q87", -1, -1, -1},
    };
    const CoreRow cores[] = {
        {"E 20/10/6", -1, -1, 0, 0},
        {"RM 8", -1, 0, 0, 0},
        {"RM 8", -1, 0, -1, 0},
        {"P 14x8", 0, -1, 0, -1},
    };
    WriteFixture(path, materials, cores);
}

} // namespace tolvik::testing
