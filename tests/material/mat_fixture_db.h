#pragma once
// A small material database for the material window tests, written into a temporary
// folder; the script (mat_fixture_db.cpp) tells what each material is for.

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
