#pragma once
// A small material database for the material window tests, written into a temporary
// folder. Values are chosen for hand calculation:
//
// Materials (Aktuell / Leistung / mua, µi, Dichte):
//   A1     yes / yes / yes  2000  4800   every curve
//   B2     yes / no  / yes  5000  4900   µi, µa and complex curves; µ' = 0 at 1000 kHz
//   N3     yes / yes / yes  3000  4800   no column in any curve table
//   P4     no  / yes / no   2000  0      only in the power list; density 0
//   O'K 5  yes / yes / no   2000  5000   a name with an apostrophe and a blank: loss data
//   Z6     yes / no  / no   0     4800   no µi: the complex tab draws nothing
// MuiT (T -40, 25, 100, 200): A1 1000 2000 3000 0 (N 3); B2 4000 5000 0 0 (N 2)
// MuaB (B 0, 100, 200, 300): A1T25 2000 3000 2500 0; A1T100 4000 5000 0 0; B2T25 5000 6000 1000 500
// MuaH (H 0, 50, 100, 200):  A1T25 2000 3000 120 0; A1T100 4000 5000 0 0; B2T25 5000 6000 1000 500
// Mu_mu__f (f 1, 10, 100, 1000): A1 µ' 2000 2000 1000 100, µ'' 0 10 1000 400;
//   B2 µ' 5000 5000 2000 0, µ'' 50 100 2000 1000; Z6 µ' 100 ..., µ'' 1 ...
// Hysterese: A1T25 a closed loop of 5 points (H ±125, B ±400); A1T100 6 points without the
//   closing row (H ±50, B -300..300); B2T25 starts with the closing row; B2 has no T100.
// PvT (T, F, B): A1 at f 100: B 100 → 100 (25 °C), 80 (30 °C), 60 (100 °C); B 200 → 480
//   (25 °C), 400 (30 °C), 300 (100 °C); f 200, B 100 → 200 (25 °C), 150 (100 °C).
//   O'K 5 half of A1's values; P4 at (25, 100, 100) 90.
// PVEXPO (F, T): A1 at (100, 25) X 2.5, C 2; (200, 25) X 0; (300, 25) X 0.001, C 2;
//   (100, 100) X 2.5, C 2.

#include "../data/fixture_db.h"

#include <string>

namespace tolvik::material::test {

/// The script that writes the tables (mat_fixture_db.cpp).
extern const char* const kMatFixtureScript;

/// The fixture database written from the script above into a temporary folder.
class MatFixture : public data::test::FixtureDatabase {
public:
    MatFixture() : FixtureDatabase(kMatFixtureScript) {}
};

} // namespace tolvik::material::test
