// Opening the data file, its faults, cursors and the composed SQL texts.

#include "fixture_db.h"
#include "tolvik/data/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

namespace tolvik::data {
namespace {

using test::ErrorText;
using Values = std::vector<Value>;

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { db_ = Database::open(test::FixturePath()); }

    /// The values of one field over all rows of a cursor, in walking order.
    static Values Column(std::unique_ptr<Recordset> rs, std::string_view field) {
        Values values;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            values.push_back(rs->field(field));
        return values;
    }
    Values Column(const Query& q, std::string_view field) { return Column(db_->openQuery(q), field); }

    std::unique_ptr<Database> db_;
};

TEST_F(DatabaseTest, FilesThatCannotBeOpenedAreNamed) {
    const auto dir = test::FixtureFolder();
    std::ofstream(dir / "text.mdb") << "this is a text file, not a database\n";
    std::filesystem::create_directories(dir / "folder.mdb");
    for (const std::string& path : {(dir / "missing" / "db1.mdb").string(), (dir / "text.mdb").string(),
                                    (dir / "folder.mdb").string(), std::string()})
        EXPECT_EQ(ErrorText([&] { Database::open(path); }), "The data file " + path + " cannot be opened.");
}

TEST_F(DatabaseTest, NothingIsCreatedBesideTheFileWhateverItsJournalMode) {
    const auto dir = test::FixtureFolder() / "wal";
    std::filesystem::create_directories(dir);
    const auto path = (dir / "db1.mdb").string();
    std::filesystem::copy_file(test::FixturePath(), path, std::filesystem::copy_options::overwrite_existing);
    test::WriteDatabase(path, "PRAGMA journal_mode=WAL");
    auto filesBeside = [&] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        return names;
    };
    ASSERT_EQ(filesBeside(), std::vector<std::string>{"db1.mdb"});
    {
        auto db = Database::open(path);
        EXPECT_EQ(db->openTable("Draht")->recordCount(), 3);
        EXPECT_EQ(filesBeside(), std::vector<std::string>{"db1.mdb"}); // also while open
    }
    EXPECT_EQ(filesBeside(), std::vector<std::string>{"db1.mdb"});
}

TEST_F(DatabaseTest, AFileWithoutTheProgramsTablesIsNoDataFile) {
    const auto path = (test::FixtureFolder() / "empty.mdb").string();
    std::ofstream(path).close(); // 0 bytes
    auto empty = Database::open(path);
    EXPECT_EQ(ErrorText([&] { empty->checkDataFile(); }),
              "The file " + path + " is no data file of the program: it has no table 'Material'.");
}

TEST_F(DatabaseTest, ATextWhereANumberIsNeededIsNamedOnce) {
    const auto path = (test::FixtureFolder() / "numbers.mdb").string();
    test::WriteDatabase(
        path, "CREATE TABLE Numbers (Name TEXT, v);"
              "INSERT INTO Numbers VALUES ('a', 'abc'), ('b', '0,4'), ('c', ' 12 '), (NULL, 'x1');");
    auto db = Database::open(path);
    auto rs = db->openTable("Numbers");
    rs->moveFirst();
    EXPECT_EQ(ErrorText([&] { rs->number("v"); }),
              "The data file has a value that is not a number in field 'v' of table 'Numbers', record 'a'.");
    rs->moveNext();
    EXPECT_EQ(rs->number("v"), Value(0.4));
    rs->moveNext();
    EXPECT_EQ(rs->number("v"), Value(12.0));
    rs->moveNext();
    EXPECT_EQ(ErrorText([&] { rs->number("v"); }),
              "The data file has a value that is not a number in field 'v' of table 'Numbers', record 4.");
}

TEST_F(DatabaseTest, TablesAndFieldsIgnoreCase) {
    EXPECT_EQ(db_->path(), test::FixturePath());
    for (int pass = 0; pass < 2; ++pass) { // the second time from what the first read
        EXPECT_TRUE(db_->hasTable("muit"));
        EXPECT_TRUE(db_->hasTable("MU_MU__F"));
        EXPECT_FALSE(db_->hasTable("Hysterese"));
        EXPECT_TRUE(db_->hasField("Material", "hc25"));
        EXPECT_TRUE(db_->hasField("mUAb", "r41t25"));
        EXPECT_FALSE(db_->hasField("MuaB", "R41T100"));
        EXPECT_FALSE(db_->hasField("Hysterese", "B"));
        EXPECT_FALSE(db_->hasField("muit", "B"));
    }
}

TEST_F(DatabaseTest, MissingTableOrFieldIsNamedInTheMessage) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { db_->openTable("Hysterese"); }, "The data file has no table 'Hysterese'."},
        {[&] { db_->openQuery(sql::SelectColumn("x", "Nope")); }, "The data file has no table 'Nope'."},
        {[&] { db_->openQuery(sql::SelectColumn("Nope", "Draht")); },
         "The data file has no field 'Nope' in table 'Draht'."},
        // A quoted name that matches no column must not be read as a text literal.
        {[&] { db_->openQuery(sql::PvRow(25, 100, 200, "Q9")); },
         "The data file has no field 'Q9' in table 'PvT'."},
        {[&] { db_->openTable("Draht")->field("Nope"); },
         "The data file has no field 'Nope' in table 'Draht'."},
        {[&] { db_->openQuery(sql::WiresBySize())->field("R41T25"); },
         "The data file has no field 'R41T25' in table 'Draht'."},
    };
    for (const auto& [action, message] : cases)
        EXPECT_EQ(ErrorText(action), message);
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
    const Values stored{Value(0.5), Value(0.1), Value(0.3)}, bySize{Value(0.1), Value(0.3), Value(0.5)};
    EXPECT_EQ(Column(db_->openTable("Draht"), "Groesse"), stored);
    EXPECT_EQ(Column(db_->openTable("draht"), "groesse"), stored);
    for (const char* text :
         {"SELECT Groesse FROM Draht", "SELECT * FROM Draht ", "SELECT * FROM Draht WHERE Groesse > 0;"})
        EXPECT_EQ(Column({text, {}}, "Groesse"), stored) << text;
    EXPECT_EQ(Column(sql::SelectColumn("Groesse", "Draht"), "Groesse"), stored);
    EXPECT_EQ(Column(sql::WiresBySize(), "Groesse"), bySize);
    EXPECT_EQ(Column({"SELECT * FROM Draht order by GROESSE", {}}, "Groesse"), bySize);
}

TEST_F(DatabaseTest, DistinctRowIsAPlainSelect) {
    const Values all{Value("E 16"), Value("E 25"), Value("E 25"), Value("PQ 9"), Value("PQ 9")};
    EXPECT_EQ(Column(sql::DistinctRowTwoColumns("Kernform", "Kerntyp", "Lp"), "Kerntyp"), all);
    EXPECT_EQ(Column({"SELECT DISTINCTROW Kerntyp, Lp FROM Kernform order by Kerntyp", {}}, "kerntyp"), all);
    EXPECT_EQ(Column(sql::DistinctColumn("Kernform", "Kerntyp"), "Kerntyp"),
              (Values{Value("E 16"), Value("E 25"), Value("PQ 9")}));
}

TEST_F(DatabaseTest, ValuesKeepTheirKindAndInfinitiesReadAsEmpty) {
    auto rs = db_->openQuery(sql::MaterialByName("Zero"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field("Name"), Value("Zero"));
    EXPECT_EQ(rs->field("Bs25"), Value(1.0)); // an integer cell reads as a double
    EXPECT_TRUE(rs->field("Hc25").isEmpty()); // NULL
    EXPECT_EQ(rs->field("Aktuell"), Value(0.0));
    auto r41 = db_->openQuery(sql::MaterialByName("R41"));
    EXPECT_EQ(r41->field("Leistung"), Value(-1.0)); // flag true is stored as -1
    EXPECT_EQ(r41->field("hb"), Value(1.4));
    EXPECT_EQ(Column(db_->openTable("Odd"), "x"), (Values{Value(), Value(), Value(), Value(7.0)}));
}

TEST_F(DatabaseTest, FlagsInTheCoreQuery) {
    // Rows of the fixture: E 25 (LP 0, Ae 52), E 25 (LP -1, Ae 60), PQ 9 twice with a hole (Ae 10, 11).
    const std::tuple<const char*, bool, bool, Values> cases[] = {
        {"E 25", false, false, {Value(52.0)}},
        {"E 25", true, false, {Value(60.0)}},
        {"E 25", true, true, {}},
        {"pq 9", false, true, {Value(10.0), Value(11.0)}},
        {"PQ 9", false, false, {}},
    };
    for (const auto& [kerntyp, lp, hole, ae] : cases)
        EXPECT_EQ(Column(sql::CoreRecord(kerntyp, lp, hole), "Ae"), ae)
            << kerntyp << " LP " << lp << " hole " << hole;
}

TEST_F(DatabaseTest, NamesIgnoreCaseAndAreNeverPartOfTheQuery) {
    const std::pair<Query, long> cases[] = {
        {sql::MaterialByName("x' OR '1'='1"), 0}, // a quote that would end the text
        {sql::MaterialMuiByName("DUP"), 2},       {sql::MaterialByName("Nope"), 0},
        {sql::CoreVariants("e 25"), 2},           {sql::KFactors("E 16"), 1},
        {sql::SelectColumn("K'2", "MuiT"), 3},    {sql::SelectColumn("3x 90", "muit"), 3},
    };
    for (const auto& [query, rows] : cases)
        EXPECT_EQ(db_->openQuery(query)->recordCount(), rows) << query.sql;
}

TEST(NameHelpersTest, QuotingAndComparing) {
    const std::pair<const char*, const char*> cases[] = {
        {"3X 90", "\"3X 90\""}, {"K'2", "\"K'2\""}, {"a\"b", "\"a\"\"b\""}, {"", "\"\""}};
    for (const auto& [name, quoted] : cases)
        EXPECT_EQ(QuoteIdentifier(name), quoted) << name;
    EXPECT_TRUE(EqualsIgnoringCase("Hc25", "HC25"));
    EXPECT_FALSE(EqualsIgnoringCase("mu_", "mu__"));
    EXPECT_FALSE(EqualsIgnoringCase("R41", "R42"));
}

TEST(RecordsetTest, MovesLikeACursor) {
    Recordset rs("T", {"x", "Y"},
                 {{Value(1.0), Value("a")}, {Value(2.0), Value("b")}, {Value(3.0), Value()}});
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.fieldNames(), (std::vector<std::string>{"x", "Y"}));
    EXPECT_FALSE(rs.hasField("z"));
    EXPECT_FALSE(rs.bof() || rs.eof());
    EXPECT_EQ(rs.field("X"), Value(1.0)); // on the first row when opened
    rs.moveLast();
    EXPECT_TRUE(rs.field("y").isEmpty());
    rs.moveNext();
    rs.moveNext(); // stays past the end
    EXPECT_TRUE(rs.eof());
    rs.movePrevious();
    EXPECT_EQ(rs.field("x"), Value(3.0));
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof() && !rs.eof());
    EXPECT_EQ(ErrorText([&] { rs.field("x"); }), msg::NoCurrentRecord("T"));
    rs.moveNext();
    EXPECT_EQ(rs.field("x"), Value(1.0));
    rs.close();
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_THROW(rs.field("x"), DataError);

    Recordset empty("Leer", {"x"}, {});
    empty.moveLast();
    EXPECT_TRUE(empty.eof() && empty.bof());
    EXPECT_THROW(empty.field("x"), DataError);
}

TEST_F(DatabaseTest, SeveralCursorsAtOnce) {
    auto a = db_->openTable("MuiT");
    auto b = db_->openQuery(sql::SelectColumn("T", "MuiT"));
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
