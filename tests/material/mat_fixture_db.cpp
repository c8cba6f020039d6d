// The script lives in a source file of its own: its quoted names would confuse the
// meta-object compiler, which reads the headers a test includes. Values are chosen for hand
// calculation. Materials (Aktuell / Leistung / mua):
//   A1     yes / yes / yes  every curve
//   B2     yes / no  / yes  µi, µa and complex curves; µ' = 0 at 1000 kHz; no loop at 100 °C
//   N3     yes / yes / yes  no column in any curve table
//   P4     no  / yes / no   only in the power list; density 0
//   O'K 5  yes / yes / no   a name with an apostrophe and a blank: loss data
//   Z6     yes / no  / no   no µi: the complex tab draws nothing
// Hysterese: A1T25 closed after 5 points; A1T100 runs to the end of the table without the
// closing row; B2T25 starts with the closing row.

#include "mat_fixture_db.h"

namespace tolvik::material::test {

const char* const kMatFixtureScript = R"SQL(
CREATE TABLE Material (Name TEXT, mui REAL, Bs25 REAL, Bs100 REAL, Hc25 REAL, Hc100 REAL, Tc REAL,
  hb REAL, fmin REAL, ftyp REAL, fmax REAL, dT REAL, f INTEGER, B INTEGER, T INTEGER, Pv REAL,
  Dichte REAL, tandmuei REAL, af REAL, dcresist REAL, Leistung INTEGER, mua INTEGER, Aktuell INTEGER);
INSERT INTO Material (Name, mui, Dichte, Leistung, mua, Aktuell) VALUES
  ('A1', 2000, 4800, -1, -1, -1), ('B2', 5000, 4900, 0, -1, -1), ('N3', 3000, 4800, -1, -1, -1),
  ('P4', 2000, 0, -1, 0, 0), ('O''K 5', 2000, 5000, -1, 0, -1), ('Z6', 0, 4800, 0, 0, -1);
CREATE TABLE Kernform (Kerntyp TEXT, LP INTEGER, Loch INTEGER, Anzeige INTEGER, RthAnzeige INTEGER,
  Ae REAL, le REAL, Ve REAL);
INSERT INTO Kernform VALUES ('E 20', 0, 0, -1, -1, 40, 50, 2000);
CREATE TABLE MuiT (T INTEGER, A1 REAL, B2 REAL);
INSERT INTO MuiT VALUES (-40, 1000, 4000), (25, 2000, 5000), (100, 3000, 0), (200, 0, 0);
CREATE TABLE MuaB (B INTEGER, A1T25 REAL, A1T100 REAL, B2T25 REAL);
INSERT INTO MuaB VALUES (0, 2000, 4000, 5000), (100, 3000, 5000, 6000), (200, 2500, 0, 1000),
  (300, 0, 0, 500);
CREATE TABLE MuaH (H INTEGER, A1T25 REAL, A1T100 REAL, B2T25 REAL);
INSERT INTO MuaH VALUES (0, 2000, 4000, 5000), (50, 3000, 5000, 6000), (100, 120, 0, 1000),
  (200, 0, 0, 500);
CREATE TABLE Mu_mu__f (f REAL, mu_A1 REAL, mu__A1 REAL, mu_B2 REAL, mu__B2 REAL, mu_Z6 REAL, mu__Z6 REAL);
INSERT INTO Mu_mu__f VALUES (1, 2000, 0, 5000, 50, 100, 1), (10, 2000, 10, 5000, 100, 100, 1),
  (100, 1000, 1000, 2000, 2000, 100, 1), (1000, 100, 400, 0, 1000, 100, 1),
  (0, 0, 0, 0, 0, 0, 0), (5000, 1, 1, 1, 1, 1, 1); -- the mark 0 ends the curves
CREATE TABLE Hysterese (HA1T25 REAL, BA1T25 REAL, HA1T100 REAL, BA1T100 REAL, HB2T25 REAL, BB2T25 REAL);
INSERT INTO Hysterese VALUES (-125, -400, -50, -300, 0, 0), (0, -150, 0, -100, 5, 5),
  (125, 400, 50, 300, 0, 0), (0, 150, 0, 100, 0, 0), (-125, -400, -50, -290, 0, 0), (0, 0, 10, 20, 0, 0);
CREATE TABLE PvT (T INTEGER, F INTEGER, B INTEGER, A1 REAL, "O'K 5" REAL, P4 REAL);
INSERT INTO PvT VALUES (25, 100, 100, 100, 50, 90), (30, 100, 100, 80, 40, 0), (100, 100, 100, 60, 30, 0),
  (25, 100, 200, 480, 240, 0), (30, 100, 200, 400, 200, 0), (100, 100, 200, 300, 150, 0),
  (25, 200, 100, 200, 100, 0), (100, 200, 100, 150, 75, 0);
CREATE TABLE PVEXPO (F INTEGER, T INTEGER, A1X REAL, A1C REAL);
INSERT INTO PVEXPO VALUES (100, 25, 2.5, 2), (200, 25, 0, 0), (300, 25, 0.001, 2), (100, 100, 2.5, 2);
)SQL";

} // namespace tolvik::material::test
