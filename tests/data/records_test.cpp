// Material, core and curve lookups on the fixture database. The expected values are
// worked out by hand from the fixture rows (fixture_db.cpp); each case shows how.

#include "fixture_db.h"
#include "tolvik/data/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace tolvik::data {
namespace {

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override { db_ = Database::open(test::FixturePath()); }
    Database& db() { return *db_; }
    std::unique_ptr<Database> db_;
};

using test::ErrorText;

/// A lookup's answer: a double (compared to 1E-9 relative), the integer 0, or empty.
const auto Num = [](double v) { return Value(v); };
const Value kIntZero = Value::integer(0);
const Value kEmpty;

void ExpectValue(const Value& v, const Value& expected, const std::string& what) {
    ASSERT_EQ(v.kind(), expected.kind()) << what << " gave " << v.toText();
    if (v.isDouble())
        EXPECT_NEAR(v.toDouble(), expected.toDouble(), 1e-9 * std::max(1.0, std::fabs(expected.toDouble())))
            << what;
    else
        EXPECT_EQ(v, expected) << what;
}

using Lookup = Value (*)(Database&, std::string_view, double);

// MuiT: T = -40, 20, 100; R41 = 1400, 2000, 4000; "K'2" = 10, 20, 30; "3X 90" = 500, 600, 700.
// MuaH: H = 5, 5, 10; R41T25 = 100, 200, 300. MuaB: B = 10, 100; R41T25 = 2000, 3000.
// Mu_mu__f: f = 10, 110; mu_R41 = 300, 600; mu__R41 = 400, 800.
TEST_F(RecordsTest, CurveLookupsInterpolateInsideAndGiveZeroOutside) {
    const std::tuple<const char*, Lookup, const char*, double, Value> cases[] = {
        {"exactly the first x gives the first y", MuiAtT, "R41", -40, Num(1400)},
        {"first interval: 1400 + 30·600/60", MuiAtT, "R41", -10, Num(1700)},
        {"inner row", MuiAtT, "R41", 20, Num(2000)},
        {"second interval: 2000 + 40·2000/80", MuiAtT, "R41", 60, Num(3000)},
        {"exactly the last x gives the last y", MuiAtT, "R41", 100, Num(4000)},
        {"just below the first x", MuiAtT, "R41", -40.001, kIntZero},
        {"just above the last x", MuiAtT, "R41", 100.001, kIntZero},
        {"field name in another case", MuiAtT, "r41", 60, Num(3000)},
        {"name with apostrophe: 20 + 40·10/80", MuiAtT, "K'2", 60, Num(25)},
        {"name with blank and leading digit: 600 + 40·100/80", MuiAtT, "3X 90", 60, Num(650)},
        {"empty column name", MuiAtT, "", 60, kEmpty},
        {"equal abscissas around x give 0", MuaAtH, "R41T25", 5, Num(0)},
        {"200 + 2.5·100/5", MuaAtH, "R41T25", 7.5, Num(250)},
        {"last x", MuaAtH, "R41T25", 10, Num(300)},
        {"2000 + 45·1000/90", MuaAtB, "R41T25", 55, Num(2500)},
        {"below the table", MuaAtB, "R41T25", 5, kIntZero},
        {"µ': 300 + 50·300/100", MuRealAtF, "R41", 60, Num(450)},
        {"µ'': 400 + 50·400/100", MuImagAtF, "R41", 60, Num(600)},
    };
    for (const auto& [what, lookup, column, x, expected] : cases)
        ExpectValue(lookup(db(), column, x), expected, what);

    const std::tuple<Lookup, const char*, double, const char*> missing[] = {
        {MuaAtB, "R41T100", 50, "The data file has no field 'R41T100' in table 'MuaB'."},
        {MuRealAtF, "Q9", 50, "The data file has no field 'mu_Q9' in table 'Mu_mu__f'."},
        // A missing column is found even when x lies outside the table.
        {MuiAtT, "Q9", 1000, "The data file has no field 'Q9' in table 'MuiT'."},
    };
    for (const auto& [lookup, column, x, message] : missing)
        EXPECT_EQ(ErrorText([&] { lookup(db(), column, x); }), message);
}

TEST(InterpolateColumnTest, ShortTablesAndFieldNames) {
    Recordset none("C", {"x", "y"}, {});
    Recordset one("C", {"x", "y"}, {{Value(5.0), Value(7.0)}});
    Recordset two("C", {"x", "y"}, {{Value(0.0), Value(10.0)}, {Value(4.0), Value(20.0)}});
    ExpectValue(InterpolateColumn(none, "x", "y", 5), kIntZero, "no rows");
    ExpectValue(InterpolateColumn(one, "x", "y", 5), kIntZero, "one row, even at its x");
    ExpectValue(InterpolateColumn(two, "x", "y", 1), Num(12.5), "10 + 1·10/4");
    ExpectValue(InterpolateColumn(two, "X", "Y", 4), Num(20), "field names in another case");
    ExpectValue(InterpolateColumn(two, "", "y", 1), kEmpty, "no x field");
    ExpectValue(InterpolateColumn(two, "x", "", 1), kEmpty, "no y field");
    ExpectValue(InterpolateColumn(two, "x", "y", std::nan("")), kIntZero, "x that is not a number");
    EXPECT_THROW(InterpolateColumn(none, "x", "z", 1), DataError);
}

// Material row R41 in selector order 1..17 (mui is stored in a field "MUI", Hc25 in "HC25");
// Kernform row E 25 (no LP, no hole) in selector order 1..12 (LN is stored in a field "Ln").
TEST_F(RecordsTest, MaterialAndCoreValuesPerSelector) {
    const double r41[] = {2200, 490, 390, 21, 13, 210, 1.4, 25, 100, 500, 40, 100, 200, 100, 375, 4850, -1};
    for (int selector = 1; selector <= 17; ++selector)
        ExpectValue(GetMaterialValue(db(), selector, "R41"), Num(r41[selector - 1]),
                    "R41 selector " + std::to_string(selector));
    const double e25[] = {52, 58, 3020, 51, 40, 87, 49, 46, 100, -0.5, 0.6, 6.2};
    for (int selector = 1; selector <= 12; ++selector)
        ExpectValue(GetCoreValue(db(), {"E 25", false, false}, selector), Num(e25[selector - 1]),
                    "E 25 selector " + std::to_string(selector));
}

TEST_F(RecordsTest, MaterialAndCoreValuesMatchAndMiss) {
    const std::tuple<const char*, int, const char*, Value> materials[] = {
        {"the first of two rows of a name wins", 1, "Dup", Num(1000)},
        {"name in another case", 1, "r41", Num(2200)},
        {"apostrophe", 1, "K'2", Num(3000)},
        {"blank and leading digit", 1, "3X 90", Num(2300)},
        {"stored 0 is a number", 1, "Zero", Num(0)},
        {"NULL cell is empty", 4, "Zero", kEmpty},
        {"unknown material", 1, "Nope", kEmpty},
        {"selector 0", 0, "R41", kEmpty},
        {"selector 18", 18, "R41", kEmpty},
    };
    for (const auto& [what, selector, name, value] : materials)
        ExpectValue(GetMaterialValue(db(), selector, name), value, what);
    ExpectValue(MaterialValues::Read(db(), "Dup").value(MaterialField::mui), Num(9999), "the last row");

    const std::tuple<const char*, CoreSelection, int, Value> cores[] = {
        {"low-profile variant", {"E 25", true, false}, 1, Num(60)},
        {"the last of two matching rows wins (Ae)", {"PQ 9", false, true}, 1, Num(11)},
        {"the last of two matching rows wins (Ve)", {"PQ 9", false, true}, 3, Num(231)},
        {"core type in another case", {"e 25", false, false}, 2, Num(58)},
        {"unknown core", {"Nope", false, false}, 1, kIntZero},
        {"no such variant", {"E 25", true, true}, 1, kIntZero},
        {"selector 0", {"E 25", false, false}, 0, kIntZero},
        {"selector 13", {"E 25", false, false}, 13, kIntZero},
    };
    for (const auto& [what, core, selector, value] : cores)
        ExpectValue(GetCoreValue(db(), core, selector), value, what);
}

TEST(CoreGeometryTest, EveryFieldAsReadAloneAndAFaultOnlyWhereAsked) {
    test::FixtureDatabase file(
        "CREATE TABLE Kernform (Kerntyp TEXT, Lp INTEGER, Loch INTEGER, Ae, le, Ve, Amin, "
        "Rth, AN, LN, Ar, K1, K2, CDF, hWickel);"
        "INSERT INTO Kernform VALUES ('E 1', 0, 0, 1, 'twelve', 3, 4, 5, 6, 7, 8, 9, 10, 11, 12);");
    const auto db = Database::open(file.databasePath());
    const CoreGeometry g = CoreGeometry::Read(*db, {"E 1", false, false});
    for (int f = 1; f <= 12; ++f) {
        if (f == 2)
            EXPECT_THROW(g.value(CoreField::le), DataError);
        else
            EXPECT_EQ(g.number(CoreField(f)), f);
    }
    EXPECT_EQ(g.stored(CoreField::le), Value("twelve")); // as stored, no fault
}

// E 25: K1 = 100, K2 = -0.5 in its first row. E 16: K1 = -50, K2 = 0.3. PQ 9: K1 = K2 = 0.
TEST_F(RecordsTest, KFactorsFromTheFirstRowOfTheType) {
    const std::tuple<const char*, double, double> cases[] = {
        {"E 25", 100, -0.5}, {"E 16", -50, 0.3}, {"PQ 9", 0, 0}, {"Nope", 0, 0}};
    for (const auto& [core, k1, k2] : cases) {
        const KFactorPair k = ReadKFactors(db(), core);
        EXPECT_EQ(std::pair(k.k1, k.k2), std::pair(k1, k2)) << core;
    }
}

// hbT: T = 25, 100; R41 = 1.0, 2.5.
// PvT rows: (T 100, F 100, B 200: R41 375, "3X 90" 0), (T 25, F 100, B 200: R41 500, "3X 90" 420).
TEST_F(RecordsTest, HbAtTAndPvAt) {
    const std::tuple<const char*, const char*, double, double, bool> hb[] = {
        {"1.0 + 25·1.5/75", "R41", 50, 1.5, false},
        {"first row", "R41", 25, 1.0, false},
        {"outside the table reads 0, no failure", "R41", 300, 0, false},
        {"missing column", "Q9", 50, 0, true},
        {"no column name", "", 50, 0, true},
    };
    for (const auto& [what, column, t, value, failed] : hb) {
        const HbResult r = HbAtT(db(), column, t);
        EXPECT_DOUBLE_EQ(r.value, value) << what;
        EXPECT_EQ(r.failed, failed) << what;
    }

    const std::tuple<const char*, const char*, double, double, double, Value> pv[] = {
        {"row at 100 °C", "R41", 100, 200, 100, Num(375)},
        {"row at 25 °C", "R41", 100, 200, 25, Num(500)},
        {"material value 0 gives no row", "3X 90", 100, 200, 100, kIntZero},
        {"name with blank and leading digit", "3X 90", 100, 200, 25, Num(420)},
        {"no row at this temperature", "R41", 100, 200, 50, kIntZero},
        {"b = 0", "R41", 100, 0, 100, kIntZero},
        {"f = 0", "R41", 0, 200, 100, kIntZero},
        {"no material", "", 100, 200, 100, kIntZero},
    };
    for (const auto& [what, material, f, b, t, expected] : pv)
        ExpectValue(PvAt(db(), material, f, b, t), expected, what);
    EXPECT_EQ(ErrorText([&] { PvAt(db(), "Q9", 100, 200, 100); }),
              "The data file has no field 'Q9' in table 'PvT'.");
}

// Mu_mu__f: mu_R41 = 300, 600, 0; mu__R41 = 400, 800, 50; mu_Q7 = 0, 5, 6.
TEST_F(RecordsTest, CountCurveRowsAndColumnAsText) {
    auto rs = db().openTable("Mu_mu__f");
    const std::pair<const char*, int> cases[] = {
        {"mu_R41", 3},  // end mark in row 3
        {"mu_Q7", 1},   // first value 0: no points
        {"mu__R41", 4}, // no end mark: one past the last row
        {"MU_r41", 3},  // field name in another case
    };
    for (const auto& [column, n] : cases)
        ExpectValue(CountCurveRows(*rs, column), Value::integer(n), column);
    EXPECT_TRUE(CountCurveRows(*rs, "").isEmpty());
    EXPECT_THROW(CountCurveRows(*rs, "mu_Q9"), DataError);
    Recordset empty("Leer", {"x"}, {});
    EXPECT_EQ(CountCurveRows(empty, "x"), Value::integer(1));

    EXPECT_EQ(ColumnAsText(db(), "Draht", "Groesse"), "0.5\t0.1\t0.3\t"); // stored order
    EXPECT_EQ(ColumnAsText(db(), "MuiT", "3X 90"), "500\t600\t700\t");
    EXPECT_EQ(ColumnAsText(db(), "muit", "k'2"), "10\t20\t30\t");
    EXPECT_EQ(ColumnAsText(db(), "Leer", "x"), "");
    EXPECT_THROW(ColumnAsText(db(), "Leer", "y"), DataError);
}

// Row 1 (f = 10): µ' = 300, µ'' = 400, |µ| = 500. The formulas on a row are also
// matcalc_test's. At f = 60 (interpolated): µ' = 450, µ'' = 600, |µ| = 750, |µ|² = 562500.
TEST_F(RecordsTest, ComplexPermeabilityFormulas) {
    using Routine = Value (*)(Recordset&, std::string_view, double, int);
    const std::tuple<const char*, Routine, double, int, Value> cases[] = {
        {"|µ| row", ComplexMuMagnitude, 10, 0, Num(500)},
        {"|µ| interpolated", ComplexMuMagnitude, 60, -1, Num(750)},
        {"µp' interpolated: 562500/450", ComplexMuParallelReal, 60, -1, Num(1250)},
        {"µp'' interpolated: 562500/600", ComplexMuParallelImag, 60, -1, Num(937.5)},
        {"gp interpolated: 1E9·600/(60·562500)", ComplexMuGp, 60, -1, Num(6e11 / 3.375e7)},
        {"Z_N interpolated: 60·6.28·1.256E-6·750", ComplexMuZn, 60, -1, Num(0.3549456)},
        {"gp at f = 0 has no value", ComplexMuGp, 0, 0, kEmpty},
        {"outside the table µ' = µ'' = 0: no µp'", ComplexMuParallelReal, 5000, -1, kEmpty},
        {"outside the table: |µ| = 0", ComplexMuMagnitude, 5000, -1, Num(0)},
    };
    for (const auto& [what, routine, f, rowMode, value] : cases) {
        auto rs = db().openTable("Mu_mu__f");
        ExpectValue(routine(*rs, "R41", f, rowMode), value, what);
    }

    auto rs = db().openTable("Mu_mu__f");
    rs->moveLast(); // f = 1000: mu_R41 = 0, mu__R41 = 50
    ExpectValue(ComplexMuParallelReal(*rs, "R41", 1000, 0), kEmpty, "µ' = 0");
    ExpectValue(ComplexMuParallelImag(*rs, "R41", 1000, 0), Num(50), "µp'' = 2500/50");
    ExpectValue(ComplexMuMagnitude(*rs, "r41", 1000, 0), Num(50), "field name in another case");
    ExpectValue(ComplexMuParallelImag(*rs, "Q7", 1000, 0), kEmpty, "µ'' = 0");
    ExpectValue(ComplexMuGp(*rs, "Q7", 1000, 0), kEmpty, "gp with µ'' = 0");
    const ComplexMu mu = ComplexMuAt(*rs, "Q7", 1000, 0);
    EXPECT_EQ(mu.real, 6);
    EXPECT_EQ(mu.imag, 0);
    rs->moveNext(); // past the end: no current row
    EXPECT_THROW(ComplexMuAt(*rs, "R41", 1000, 0), DataError);
}

} // namespace
} // namespace tolvik::data
