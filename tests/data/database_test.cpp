// Opening the data file, its faults, cursors and the composed SQL texts.

#include "fixture_db.h"
#include "tolvik/data/database.h"
#include "tolvik/data/messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace tolvik::data {
namespace {

class DatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new test::TempFolder;
        path_ = test::WriteFixtureDatabase(folder_->path());
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    void SetUp() override { db_ = Database::open(path_); }

    /// The values of one field over all rows of a cursor, in walking order.
    static std::vector<Value> Column(Recordset& rs, std::string_view field) {
        std::vector<Value> values;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            values.push_back(rs.field(field));
        return values;
    }
    static std::string ErrorText(const std::function<void()>& action) {
        try {
            action();
        } catch (const DataError& e) {
            return e.what();
        }
        return "(no DataError)";
    }

    static inline test::TempFolder* folder_ = nullptr;
    static inline std::string path_;
    std::unique_ptr<Database> db_;
};

TEST_F(DatabaseTest, FileThatIsNoDatabaseCannotBeOpened) {
    const auto dir = folder_->path();
    std::ofstream(dir / "text.mdb") << "this is a text file, not a database\n";
    std::filesystem::create_directory(dir / "folder.mdb");
    std::ofstream(dir / "empty.mdb").flush();
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing file", (dir / "missing" / "db1.mdb").string()},
        {"a text file", (dir / "text.mdb").string()},
        {"a folder", (dir / "folder.mdb").string()},
        {"no path", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText([&] { Database::open(c.path); }),
                  "The data file " + c.path + " cannot be opened.")
            << c.what;
}

TEST_F(DatabaseTest, OpensTheFixtureAndKeepsItsPath) {
    EXPECT_EQ(db_->path(), path_);
    EXPECT_TRUE(db_->hasTable("MuiT"));
    EXPECT_TRUE(db_->hasTable("muit")); // table names without regard to case
    EXPECT_TRUE(db_->hasTable("MU_MU__F"));
    EXPECT_FALSE(db_->hasTable("Hysterese"));
    EXPECT_TRUE(db_->hasField("Material", "hc25"));
    EXPECT_TRUE(db_->hasField("mUAb", "r41t25"));
    EXPECT_FALSE(db_->hasField("MuaB", "R41T100"));
    EXPECT_FALSE(db_->hasField("Hysterese", "B"));
}

TEST_F(DatabaseTest, MissingTableOrFieldIsNamedInTheMessage) {
    struct Case {
        const char* what;
        std::function<void()> action;
        std::string message;
    };
    const Case cases[] = {
        {"table by name", [&] { db_->openTable("Hysterese"); }, "The data file has no table 'Hysterese'."},
        {"table in a query", [&] { db_->openQuery(sql::SelectColumn("x", "Nope")); },
         "The data file has no table 'Nope'."},
        {"field in a query", [&] { db_->openQuery(sql::SelectColumn("Nope", "Draht")); },
         "The data file has no field 'Nope' in table 'Draht'."},
        // A quoted name that matches no column must not be read as a text literal.
        {"quoted field in a condition", [&] { db_->openQuery(sql::PvRow(25, 100, 200, "Q9")); },
         "The data file has no field 'Q9' in table 'PvT'."},
        {"field of an open table", [&] { db_->openTable("Draht")->field("Nope"); },
         "The data file has no field 'Nope' in table 'Draht'."},
        {"field of an open query", [&] { db_->openQuery(sql::WiresBySize())->field("R41T25"); },
         "The data file has no field 'R41T25' in table 'Draht'."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText(c.action), c.message) << c.what;
}

TEST_F(DatabaseTest, TheFileIsOnlyRead) {
    EXPECT_THROW(db_->openQuery({"DELETE FROM Draht", {}}), DataError);
    EXPECT_THROW(db_->openQuery({"INSERT INTO Leer VALUES (1)", {}}), DataError);
    EXPECT_EQ(db_->openTable("Draht")->recordCount(), 3);
    EXPECT_EQ(db_->openTable("Leer")->recordCount(), 0);
}

// Draht has an index on Groesse and rows whose row ids are not in Groesse order, so an
// engine left to itself would answer "SELECT Groesse FROM Draht" from the index.
TEST_F(DatabaseTest, TablesAndPlainQueriesAreWalkedInStoredOrder) {
    const std::vector<Value> stored{Value(0.5), Value(0.1), Value(0.3)};
    const std::vector<Value> bySize{Value(0.1), Value(0.3), Value(0.5)};
    EXPECT_EQ(Column(*db_->openTable("Draht"), "Groesse"), stored);
    EXPECT_EQ(Column(*db_->openTable("draht"), "groesse"), stored);
    EXPECT_EQ(Column(*db_->openQuery({"SELECT Groesse FROM Draht", {}}), "Groesse"), stored);
    EXPECT_EQ(Column(*db_->openQuery({"SELECT * FROM Draht ", {}}), "Groesse"), stored);
    EXPECT_EQ(Column(*db_->openQuery({"SELECT * FROM Draht WHERE Groesse > 0;", {}}), "Groesse"), stored);
    EXPECT_EQ(Column(*db_->openQuery(sql::SelectColumn("Groesse", "Draht")), "Groesse"), stored);
    EXPECT_EQ(Column(*db_->openQuery(sql::WiresBySize()), "Groesse"), bySize);
    EXPECT_EQ(Column(*db_->openQuery({"SELECT * FROM Draht order by GROESSE", {}}), "Groesse"), bySize);
}

TEST_F(DatabaseTest, DistinctRowIsAPlainSelect) {
    const std::vector<Value> all{Value("E 16"), Value("E 25"), Value("E 25"), Value("PQ 9"), Value("PQ 9")};
    EXPECT_EQ(Column(*db_->openQuery(sql::DistinctRowTwoColumns("Kernform", "Kerntyp", "Lp")), "Kerntyp"),
              all);
    EXPECT_EQ(Column(*db_->openQuery({"SELECT DISTINCTROW Kerntyp, Lp FROM Kernform order by Kerntyp", {}}),
                     "kerntyp"),
              all);
    const std::vector<Value> distinct{Value("E 16"), Value("E 25"), Value("PQ 9")};
    EXPECT_EQ(Column(*db_->openQuery(sql::DistinctColumn("Kernform", "Kerntyp")), "Kerntyp"), distinct);
}

TEST_F(DatabaseTest, ValuesKeepTheirKind) {
    auto rs = db_->openQuery(sql::MaterialByName("Zero"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field("Name"), Value("Zero")); // text
    EXPECT_EQ(rs->field("Bs25"), Value(1.0));    // an integer cell reads as a double
    EXPECT_TRUE(rs->field("Hc25").isEmpty());    // NULL
    EXPECT_EQ(rs->field("Aktuell"), Value(0.0)); // flag false
    auto r41 = db_->openQuery(sql::MaterialByName("R41"));
    EXPECT_EQ(r41->field("Leistung"), Value(-1.0)); // flag true is stored as -1
    EXPECT_TRUE(r41->field("Leistung").toBool());
    EXPECT_EQ(r41->field("hb"), Value(1.4));
}

TEST_F(DatabaseTest, InfiniteCellsReadAsEmpty) {
    const std::vector<Value> x{Value(), Value(), Value(), Value(7.0)};
    EXPECT_EQ(Column(*db_->openTable("Odd"), "x"), x);
}

TEST_F(DatabaseTest, FlagsInTheCoreQuery) {
    // Rows of the fixture: E 25 (LP 0, Ae 52), E 25 (LP -1, Ae 60), PQ 9 twice with a hole (Ae 10, 11).
    struct Case {
        const char* kerntyp;
        bool lp, hole;
        std::vector<Value> ae;
    };
    const Case cases[] = {
        {"E 25", false, false, {Value(52.0)}},
        {"E 25", true, false, {Value(60.0)}},
        {"E 25", true, true, {}},
        {"PQ 9", false, true, {Value(10.0), Value(11.0)}},
        {"pq 9", false, true, {Value(10.0), Value(11.0)}},
        {"PQ 9", false, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Column(*db_->openQuery(sql::CoreRecord(c.kerntyp, c.lp, c.hole)), "Ae"), c.ae)
            << c.kerntyp << " LP " << c.lp << " hole " << c.hole;
    EXPECT_EQ(sql::CoreRecord("E 25", true, false).sql.find("'"), std::string::npos); // nothing pasted
}

TEST_F(DatabaseTest, NamesIgnoreCaseAndAreNeverPartOfTheQuery) {
    struct Case {
        const char* what;
        Query query;
        long rows;
    };
    const Case cases[] = {
        {"lower-case name", sql::MaterialByName("r41"), 1},
        {"apostrophe", sql::MaterialByName("K'2"), 1},
        {"blank and leading digit", sql::MaterialByName("3X 90"), 1},
        {"quote that would end the text", sql::MaterialByName("x' OR '1'='1"), 0},
        {"two rows of one name", sql::MaterialMuiByName("DUP"), 2},
        {"unknown name", sql::MaterialByName("Nope"), 0},
        {"core variants", sql::CoreVariants("e 25"), 2},
        {"K-factors", sql::KFactors("E 16"), 1},
        {"column with apostrophe", sql::SelectColumn("K'2", "MuiT"), 3},
        {"column with blank", sql::SelectColumn("3x 90", "muit"), 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db_->openQuery(c.query)->recordCount(), c.rows) << c.what;
}

TEST(QuoteIdentifierTest, QuotesAndDoublesInnerQuotes) {
    const std::pair<const char*, const char*> cases[] = {
        {"R41T25", "\"R41T25\""}, {"3X 90", "\"3X 90\""}, {"K'2", "\"K'2\""},
        {"a\"b", "\"a\"\"b\""},   {"", "\"\""},
    };
    for (const auto& [name, quoted] : cases)
        EXPECT_EQ(QuoteIdentifier(name), quoted) << name;
}

TEST(EqualsIgnoringCaseTest, ComparesWithoutCase) {
    EXPECT_TRUE(EqualsIgnoringCase("Hc25", "HC25"));
    EXPECT_TRUE(EqualsIgnoringCase("mu_", "Mu_"));
    EXPECT_FALSE(EqualsIgnoringCase("mu_", "mu__"));
    EXPECT_FALSE(EqualsIgnoringCase("R41", "R42"));
    EXPECT_TRUE(EqualsIgnoringCase("", ""));
}

Recordset ThreeRows() {
    return Recordset("T", {"x", "Y"},
                     {{Value(1.0), Value("a")}, {Value(2.0), Value("b")}, {Value(3.0), Value()}});
}

TEST(RecordsetTest, MovesLikeACursor) {
    Recordset rs = ThreeRows();
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_FALSE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("X"), Value(1.0)); // on the first row when opened
    rs.moveLast();
    EXPECT_EQ(rs.field("x"), Value(3.0));
    EXPECT_TRUE(rs.field("y").isEmpty());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveNext(); // stays past the end
    EXPECT_TRUE(rs.eof());
    rs.movePrevious();
    EXPECT_EQ(rs.field("x"), Value(3.0));
    rs.moveFirst();
    EXPECT_EQ(rs.field("y"), Value("a"));
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    rs.moveNext();
    EXPECT_EQ(rs.field("x"), Value(1.0));
}

TEST(RecordsetTest, FieldsAndCurrentRow) {
    Recordset rs = ThreeRows();
    EXPECT_TRUE(rs.hasField("X"));
    EXPECT_TRUE(rs.hasField("y"));
    EXPECT_FALSE(rs.hasField("z"));
    EXPECT_EQ(rs.fieldNames(), (std::vector<std::string>{"x", "Y"}));
    EXPECT_EQ(rs.source(), "T");
    rs.movePrevious();
    try {
        rs.field("x");
        FAIL() << "no DataError before the first row";
    } catch (const DataError& e) {
        EXPECT_EQ(std::string(e.what()), msg::NoCurrentRecord("T"));
    }
    rs.close();
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.field("x"), DataError);
}

TEST(RecordsetTest, EmptyResultIsAtBothEnds) {
    Recordset rs("Leer", {"x"}, {});
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    rs.moveLast();
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    EXPECT_THROW(rs.field("x"), DataError);
}

TEST_F(DatabaseTest, SeveralCursorsAtOnce) {
    auto a = db_->openTable("MuiT");
    auto b = db_->openQuery(sql::SelectColumn("T", "MuiT"));
    a->moveFirst();
    b->moveLast();
    a->moveNext();
    EXPECT_EQ(a->field("T"), Value(20.0));
    EXPECT_EQ(b->field("T"), Value(100.0));
    b->movePrevious();
    b->movePrevious();
    EXPECT_EQ(b->field("T"), Value(-40.0));
    EXPECT_EQ(a->field("r41"), Value(2000.0));
}

} // namespace
} // namespace tolvik::data
