#include "fixture_db.h"

namespace tolvik::data::test {

namespace {

// Some fields are declared in a case other than the one the program uses (MUI, HC25,
// Lp, Ln) so that every lookup through them shows that case does not matter.
const char* const kScript = R"sql(
CREATE TABLE Material (Name TEXT, MUI REAL, Bs25 REAL, Bs100 REAL, HC25 REAL, Hc100 REAL, Tc REAL, hb REAL,
  fmin REAL, ftyp REAL, fmax REAL, dT REAL, f REAL, B REAL, T REAL, Pv REAL, Dichte REAL, tandmuei REAL,
  af REAL, dcresist REAL, Leistung INTEGER, mua INTEGER, Aktuell INTEGER);
INSERT INTO Material VALUES
 ('R41',   2200, 490, 390, 21, 13, 210, 1.4, 25, 100, 500, 40, 100, 200, 100, 375, 4850, 5, 1.5, 10, -1, -1, -1),
 ('Dup',   1000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, -1),
 ('Dup',   9999, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, -1, -1, -1),
 ('K''2',  3000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, -1),
 ('3X 90', 2300, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -1, 0, -1),
 ('Zero',  0, 1, 1, NULL, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0);

CREATE TABLE Kernform (Kerntyp TEXT, Lp INTEGER, Loch INTEGER, Anzeige INTEGER, RthAnzeige INTEGER,
  Ae REAL, le REAL, Ve REAL, Amin REAL, AN REAL, Ln REAL, Rth REAL, Ar REAL, K1 REAL, K2 REAL, CDF REAL,
  hWickel REAL);
INSERT INTO Kernform VALUES
 ('E 25', 0,  0,  -1, -1, 52, 58, 3020, 51, 87, 49, 40, 46, 100, -0.5, 0.6, 6.2),
 ('E 25', -1, 0,  -1, 0,  60, 50, 3000, 58, 40, 45, 0,  50, 999, -1,   0.7, 3.1),
 ('PQ 9', 0,  -1, -1, 0,  10, 20, 200,  9,  12, 19, 0,  80, 0,   0,    0.9, 2.0),
 ('PQ 9', 0,  -1, 0,  0,  11, 21, 231,  9,  12, 19, 0,  80, 0,   0,    0.9, 2.0),
 ('E 16', 0,  0,  -1, 0,  20, 37, 750,  19, 30, 33, 0,  60, -50, 0.3,  0.8, 4.0);

CREATE TABLE MuiT (T REAL, R41 REAL, "K'2" REAL, "3X 90" REAL);
INSERT INTO MuiT VALUES (-40, 1400, 10, 500), (20, 2000, 20, 600), (100, 4000, 30, 700);

CREATE TABLE MuaB (B REAL, R41T25 REAL);
INSERT INTO MuaB VALUES (10, 2000), (100, 3000);

CREATE TABLE MuaH (H REAL, R41T25 REAL);
INSERT INTO MuaH VALUES (5, 100), (5, 200), (10, 300);

CREATE TABLE Mu_mu__f (f REAL, mu_R41 REAL, mu__R41 REAL, mu_Q7 REAL, mu__Q7 REAL);
INSERT INTO Mu_mu__f VALUES (10, 300, 400, 0, 0), (110, 600, 800, 5, 0), (1000, 0, 50, 6, 0);

CREATE TABLE hbT (T REAL, R41 REAL);
INSERT INTO hbT VALUES (25, 1.0), (100, 2.5);

CREATE TABLE PvT (T REAL, F REAL, B REAL, R41 REAL, "3X 90" REAL);
INSERT INTO PvT VALUES (100, 100, 200, 375, 0), (25, 100, 200, 500, 420);

CREATE TABLE Draht (Groesse REAL, AWG REAL, N_pro_mm2 REAL, fCu REAL);
CREATE INDEX DrahtGroesse ON Draht (Groesse);
INSERT INTO Draht (rowid, Groesse, AWG, N_pro_mm2, fCu) VALUES (3, 0.3, 29, 8, 0.7);
INSERT INTO Draht (rowid, Groesse, AWG, N_pro_mm2, fCu) VALUES (1, 0.5, 24, 3, 0.75);
INSERT INTO Draht (rowid, Groesse, AWG, N_pro_mm2, fCu) VALUES (2, 0.1, 38, 50, 0.5);

CREATE TABLE Leer (x REAL);

CREATE TABLE Odd (x REAL);
INSERT INTO Odd VALUES (1e999), (-1e999), (NULL), (7);
)sql";

const FixtureDatabase& Shared() {
    static const FixtureDatabase db(kScript);
    return db;
}

} // namespace

const std::filesystem::path& FixtureFolder() {
    return Shared().path();
}

const std::string& FixturePath() {
    static const std::string path = Shared().databasePath();
    return path;
}

} // namespace tolvik::data::test
