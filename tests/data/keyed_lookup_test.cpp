// Lookups by name read only the rows of that name, and give what a walk over the table gives.

#include "fixture_db.h"
#include "tolvik/data/messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvik::data {
namespace {

using Rows = std::vector<std::vector<Value>>;

Rows ReadAll(Database& db, const Query& q) {
    auto rs = db.openQuery(q);
    Rows rows{{}};
    for (const auto& name : rs->fieldNames())
        rows.front().push_back(Value(name));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        rows.emplace_back();
        for (const auto& name : rs->fieldNames())
            rows.back().push_back(rs->field(name));
    }
    return rows;
}

TEST(KeyedLookupTest, SameRowsInTheSameOrderAsAWalkOverTheTable) {
    const auto path = (test::FixtureFolder() / "keyed.mdb").string();
    test::WriteDatabase(path, R"(
        CREATE TABLE Kernform (Kerntyp TEXT, LP INTEGER, Loch INTEGER, Anzeige INTEGER, K1 REAL, K2 REAL);
        CREATE TABLE Loose (Kerntyp NUMERIC, LP INTEGER);
        CREATE TABLE Keyed (Kerntyp TEXT PRIMARY KEY, LP INTEGER) WITHOUT ROWID;
        CREATE TABLE Plain (Kerntyp BLOB, LP INTEGER);
        CREATE TABLE Sparse (Kerntyp TEXT, LP INTEGER);
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)
          INSERT INTO Kernform SELECT 'C ' || i, i % 2 - 1, 0, -1, i, 0.5 FROM n;
        INSERT INTO Kernform VALUES ('E 25', 0, 0, -1, 1, 2), ('e 25', -1, 0, 0, 3, 4), ('E 25 ', 0, 0, -1, 5, 6),
          ('Ä 1', 0, 0, -1, 7, 8), ('ä 1', 0, 0, -1, 9, 10), ('N' || char(0) || 'a', 0, 0, -1, 11, 12),
          (NULL, 0, 0, -1, 13, 14), ('', 0, 0, 0, 15, 16), ('E 25', 0, -1, -1, 17, 18), ('c 7', 0, 0, 0, 19, 20);
        INSERT INTO Loose VALUES (42, 0), ('42', -1), (4.5, 0), ('x', 0), ('X', -1);
        INSERT INTO Keyed VALUES ('b', 0), ('A', -1), ('a', 0);
        INSERT INTO Plain VALUES ('x', 0), (X'78', 0), (42, 0), ('42', -1), ('X', 0);
        INSERT INTO Sparse (rowid, Kerntyp, LP) VALUES (3, 'a', 0), (9223372036854775807, 'A', -1);
    )");
    auto keyed = [](std::string table, std::string value, std::string tail = "") {
        return Query{"SELECT * FROM " + table + " WHERE Kerntyp = ? COLLATE NOCASE" + tail,
                     {Value(value)},
                     RowKey{table, "Kerntyp", value}};
    };
    const std::pair<Query, std::size_t> cases[] = {
        {keyed("Kernform", "e 25"), 3},
        {keyed("Kernform", "E 25", " AND LP = 0 AND Loch = 0"), 1},
        {keyed("kernform", "C 7"), 2},
        {keyed("Kernform", "c 2999", ";"), 1},
        {keyed("Kernform", "ä 1"), 1}, // only A-Z are matched without regard to case
        {keyed("Kernform", std::string("N\0a", 3)), 1},
        {keyed("Kernform", std::string("n\0z", 3)), 1}, // compared up to the zero byte
        {keyed("Kernform", ""), 1},
        {keyed("Kernform", "none"), 0},
        {sql::CoreRecord("E 25", false, true), 1},
        {sql::CoreVariants("c 10"), 1},
        {sql::KFactors("E 25"), 3},
        {keyed("Loose", "42"), 2}, // a number column takes the name as a number
        {keyed("Loose", "x"), 2},
        {keyed("Keyed", "a"), 2}, // no row ids: the walk
        {keyed("Plain", "x"), 2}, // a column without affinity: texts only, no blob
        {keyed("Plain", "42"), 1},
        {keyed("Sparse", "a"), 2}, // row ids far beyond the rows
    };
    // The names read at the first lookup, or read ahead on a worker while the lookups begin.
    for (const bool ahead : {false, true}) {
        auto db = Database::open(path);
        if (ahead)
            for (const char* table : {"KERNFORM", "Loose", "Keyed", "Plain", "Sparse", "Nowhere"})
                db->readNamesAhead(table, "kerntyp");
        for (const auto& [q, count] : cases) {
            Query walk = q;
            walk.key.reset();
            const Rows expected = ReadAll(*db, walk);
            EXPECT_EQ(ReadAll(*db, q), expected)
                << q.sql << " with " << q.params[0].toText() << ", " << ahead;
            EXPECT_EQ(expected.size(), count + 1) << q.sql << " with " << q.params[0].toText();
        }
        const Query missing = keyed("Nowhere", "x");
        EXPECT_EQ(test::ErrorText([&] { db->openQuery(missing); }), msg::NoTable("Nowhere"));
    }
    auto unread = Database::open(path); // a worker still reading as its Database goes
    unread->readNamesAhead("Kernform", "Kerntyp");
}

} // namespace
} // namespace tolvik::data
