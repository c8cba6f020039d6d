#pragma once
// A small material database for the core window tests, written into a temporary folder,
// with values chosen for hand calculation. What each record is for:
//   M1 current, power and µa material; M2 current only (tandmuei and Pv set anyway);
//   M3 no MuiT column; M4 µi 100 … 3500 over -40 … 150 °C; M5 power material only;
//   MuiT: M1 five usable records, M2 four, M4 six, M6 none (first value 0).
//   E 20 standard only with thermal data (le 50, Ae 40.25, Ve 2000.4); P 14 standard (hidden,
//   le 21) and with hole (shown, le 20); EL 18 low profile only; R 10 no thermal data.

#include "../data/fixture_db.h"

#include <string>

namespace tolvik::core::test {

inline const std::string kFixtureScript = R"SQL(
CREATE TABLE Material (Name TEXT, mui REAL, Bs25 REAL, Bs100 REAL, Hc25 REAL, Hc100 REAL, Tc REAL,
  hb REAL, fmin REAL, ftyp REAL, fmax REAL, dT REAL, f INTEGER, B INTEGER, T INTEGER, Pv REAL,
  Dichte REAL, tandmuei REAL, af REAL, dcresist REAL, Leistung INTEGER, mua INTEGER, Aktuell INTEGER);
INSERT INTO Material VALUES ('M1', 2000, 500, 0, 15.5, 0, 210, 1.6, 25, 100, 200, 40, 100, 200, 100, 398,
  4800, 18.5, 6.6, 5, -1, -1, -1);
INSERT INTO Material VALUES ('M2', 5000, 400, 300, 8, 6, 130, 0, 1, 10, 50, 0, 0, 0, 0, 12,
  4900, 7, 1, 0.5, 0, 0, -1);
INSERT INTO Material VALUES ('M3', 2300, 490, 380, 12, 9, 220, 1, 25, 100, 200, 40, 25, 200, 100, 100,
  4800, 3, 2, 4, -1, 0, -1);
INSERT INTO Material VALUES ('M4', 2000, 480, 370, 12, 9, 215, 1, 25, 100, 200, 40, 25, 200, 100, 90,
  4800, 3, 2, 4, -1, 0, -1);
INSERT INTO Material VALUES ('M5', 2000, 480, 370, 12, 9, 215, 1, 25, 100, 200, 40, 25, 200, 100, 90,
  4800, 3, 2, 4, -1, 0, 0);
CREATE TABLE Kernform (Kerntyp TEXT, LP INTEGER, Loch INTEGER, Anzeige INTEGER, RthAnzeige INTEGER,
  Ae REAL, le REAL, Ve REAL, Amin REAL, AN REAL, LN REAL, Rth REAL, Ar REAL, K1 REAL, K2 REAL, CDF REAL,
  hWickel REAL);
INSERT INTO Kernform VALUES ('E 20', 0, 0, -1, -1, 40.25, 50, 2000.4, 35, 30.125, 40, 30, 20, 50, -0.8, 0.03, 10);
INSERT INTO Kernform VALUES ('P 14', 0, 0, 0, -1, 25, 21, 525, 20, 10, 28, 50, 30, 0, 0, 0.05, 5);
INSERT INTO Kernform VALUES ('P 14', 0, -1, -1, -1, 24, 20, 480, 19, 10, 28, 50, 30, 0, 0, 0.05, 5);
INSERT INTO Kernform VALUES ('EL 18', -1, 0, -1, 0, 40, 24, 960, 38, 20, 45, 0, 20, 0, 0, 0.02, 3);
INSERT INTO Kernform VALUES ('R 10', 0, 0, -1, 0, 8, 24, 192, 8, 30, 20, 0, 40, 0, 0, 0.1, 4);
CREATE TABLE MuiT (T INTEGER, M1 REAL, M2 REAL, M4 REAL, M6 REAL);
INSERT INTO MuiT VALUES (-40, 1000, 4000, 100, 0);
INSERT INTO MuiT VALUES (0, 1500, 4500, 1500, 1000);
INSERT INTO MuiT VALUES (25, 2000, 5000, 2000, 1000);
INSERT INTO MuiT VALUES (50, 2500, 5500, 2500, 1000);
INSERT INTO MuiT VALUES (100, 3000, 0, 3000, 1000);
INSERT INTO MuiT VALUES (150, 0, 0, 3500, 1000);
CREATE TABLE Draht (Groesse REAL, AWG INTEGER, N_pro_mm2 REAL, fCu REAL);
INSERT INTO Draht VALUES (0.1, 38, 60, 0.8);
INSERT INTO Draht VALUES (0.2, 32, 18, 0.85);
)SQL";

/// The fixture database in a temporary folder; extraSql runs after the script above (for
/// further tables, or a damaged data file in a test).
class FixtureFolder : public data::test::FixtureDatabase {
public:
    explicit FixtureFolder(const std::string& extraSql = std::string())
        : FixtureDatabase(kFixtureScript + extraSql) {}
};

} // namespace tolvik::core::test
