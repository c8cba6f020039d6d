// tolvik-data on the sample data file: the CSV round trip, builds from CSV folders with
// seeded faults, the checker on data files with seeded faults, the refusal to replace the
// program's data files, and the user's data file that the program reads first.

#include "fixture_db.h"
#include "tolvik/data/data_location.h"
#include "tolvik/data/records.h"
#include "tolvik/datatool/commands.h"
#include "tolvik/datatool/csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <tuple>

namespace tolvik::datatool {
namespace {

namespace fs = std::filesystem;
using data::test::TempFolder;
const auto ReadText = data::test::ReadFile;

const std::string kSample = TOLVIK_SAMPLE_DB_PATH;

/// Rewrites one CSV file of a folder through an edit of its cells.
void EditCsv(const fs::path& folder, const std::string& table, const std::function<void(CsvText&)>& edit) {
    CsvText csv;
    std::string error;
    ASSERT_TRUE(ParseCsv(ReadText(folder / (table + ".csv")), csv, error)) << error;
    edit(csv);
    csv.rows.insert(csv.rows.begin(), csv.header);
    std::string text;
    for (const auto& row : csv.rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            text += (i ? "," : "") + CsvField(row[i]);
        text += "\n";
    }
    std::ofstream(folder / (table + ".csv"), std::ios::binary) << text;
}

std::size_t Col(const CsvText& csv, const std::string& name) {
    for (std::size_t i = 0; i < csv.header.size(); ++i)
        if (csv.header[i] == name) return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

/// A finding at the place, with the words, or a note of all findings.
::testing::AssertionResult HasFinding(const std::vector<Finding>& findings, Severity severity,
                                      const std::string& table, long row, const std::string& column,
                                      const std::string& words) {
    std::string all;
    for (const Finding& f : findings) {
        if (f.severity == severity && f.table == table && f.row == row && f.column == column &&
            f.text.find(words) != std::string::npos)
            return ::testing::AssertionSuccess();
        all += "\n  " + FormatFinding(f);
    }
    return ::testing::AssertionFailure() << "no finding at " << table << " row " << row << " column "
                                         << column << " with '" << words << "'; found:" << all;
}

/// The sample data file exported once; each test edits a copy.
class DataTool : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        exported_ = new TempFolder;
        ASSERT_EQ(ExportDataFile(kSample, (exported_->path() / "csv").string()), "");
    }
    static void TearDownTestSuite() { delete exported_; }
    void SetUp() override {
        fs::copy(exported_->path() / "csv", dir_.path() / "csv");
        // No user file of the machine may take part.
        setenv("HOME", (dir_.path() / "home").c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    fs::path csv() const { return dir_.path() / "csv"; }
    std::string file(const char* name) const { return (dir_.path() / name).string(); }

    static TempFolder* exported_;
    TempFolder dir_;
};
TempFolder* DataTool::exported_ = nullptr;

TEST_F(DataTool, ExportThenBuildGivesTheSameTablesAndRowsAndANameWithApostropheBlankAndComma) {
    const std::string rebuilt = file("rebuilt.mdb");
    ASSERT_TRUE(BuildDataFile(csv().string(), rebuilt, {}, false).written);
    auto a = data::Database::open(kSample);
    auto b = data::Database::open(rebuilt);
    ASSERT_EQ(a->tableNames(), b->tableNames());
    for (const std::string& table : a->tableNames()) {
        auto ra = a->openTable(table), rb = b->openTable(table);
        ASSERT_EQ(ra->fieldNames(), rb->fieldNames()) << table;
        ASSERT_EQ(ra->recordCount(), rb->recordCount()) << table;
        for (ra->moveFirst(), rb->moveFirst(); !ra->eof(); ra->moveNext(), rb->moveNext())
            for (const std::string& f : ra->fieldNames())
                ASSERT_EQ(ra->field(f), rb->field(f)) << table << "." << f; // exact: shortest round-trip text
    }

    // A material of one's own whose name needs quoting in CSV and in SQL.
    const std::string name = "Kay's 3F, hot";
    EditCsv(csv(), "Material", [&](CsvText& t) {
        auto row = t.rows[7]; // H103: neither loss nor amplitude permeability columns needed
        row[Col(t, "Name")] = name;
        row[Col(t, "mui")] = "3100.5";
        t.rows.push_back(row);
    });
    EditCsv(csv(), "MuiT", [&](CsvText& t) {
        t.header.push_back(name);
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            t.rows[r].push_back(r < 10 ? NumberText(3000 + 10.0 * static_cast<double>(r)) : "0");
    });
    const std::string own = file("own.mdb");
    const auto result = BuildDataFile(csv().string(), own, {}, false);
    ASSERT_TRUE(result.written);
    EXPECT_TRUE(HasFinding(result.findings, Severity::Warning, "hbT", 0, name, "column is missing"));
    auto db = data::Database::open(own);
    EXPECT_EQ(data::GetMaterialMui(*db, name).toDouble(), 3100.5);
    // T runs -40, -35, ...: halfway between the first two points
    EXPECT_DOUBLE_EQ(data::MuiAtT(*db, name, -37.5).toDouble(), 3005.0);
}

TEST_F(DataTool, BuildRefusesEachFaultAtItsPlaceAndWritesNothing) {
    using Seed = std::function<void(const fs::path&)>;
    const auto edit = [](const char* table, std::function<void(CsvText&)> change) -> Seed {
        return [=](const fs::path& dir) { EditCsv(dir, table, change); };
    };
    const auto set = [&](const char* table, std::size_t row, const char* column, const char* value) {
        return edit(table, [=](CsvText& t) { t.rows[row - 1][Col(t, column)] = value; });
    };
    // what, seed, then the finding: table, row, column, words
    const std::tuple<const char*, Seed, const char*, long, const char*, const char*> faults[] = {
        {"text in a number field", set("Kernform", 3, "Ae", "abc"), "Kernform", 3, "Ae", "not a number"},
        {"decimal comma", set("Material", 2, "mui", "2300,5"), "Material", 2, "mui", "write 2300.5"},
        {"flag other than -1 or 0", set("Material", 1, "Leistung", "yes"), "Material", 1, "Leistung",
         "-1 (yes) or 0 (no)"},
        {"missing column",
         edit("Kernform",
              [](CsvText& t) {
                  const auto c = static_cast<long>(Col(t, "le"));
                  t.header.erase(t.header.begin() + c);
                  for (auto& r : t.rows)
                      r.erase(r.begin() + c);
              }),
         "Kernform", 0, "le", "missing"},
        {"missing table", [](const fs::path& dir) { fs::remove(dir / "PvT.csv"); }, "PvT", 0, "",
         "no PvT.csv"},
        {"row with a cell too few", edit("Draht", [](CsvText& t) { t.rows[1].pop_back(); }), "Draht", 2, "",
         "3 cells, the header 4"},
        {"unordered abscissas", edit("MuiT", [](CsvText& t) { std::swap(t.rows[2], t.rows[3]); }), "MuiT", 4,
         "T", "not above"},
        {"curve without end mark",
         edit("MuiT",
              [](CsvText& t) {
                  for (auto& r : t.rows)
                      if (r[Col(t, "R41")] == "0") r[Col(t, "R41")] = "5";
              }),
         "MuiT", 0, "R41", "no end mark"},
        {"unclosed quote",
         [](const fs::path& dir) { std::ofstream(dir / "Material.csv", std::ios::app) << "\"R99,1\n"; },
         "Material", 0, "", "not closed"},
    };
    for (const auto& [what, seed, table, row, column, words] : faults) {
        SCOPED_TRACE(what);
        const fs::path dir = dir_.path() / what;
        fs::copy(csv(), dir);
        seed(dir);
        const std::string out = file("out.mdb");
        const auto result = BuildDataFile(dir.string(), out, {}, false);
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(fs::exists(out));
        EXPECT_FALSE(fs::exists(out + ".part"));
        EXPECT_TRUE(HasFinding(result.findings, Severity::Error, table, row, column, words));
    }
}

TEST_F(DataTool, CheckFindsEachSeededFaultAtItsPlace) {
    EXPECT_TRUE(CheckDataFile(kSample).empty());
    const auto E = Severity::Error, W = Severity::Warning;
    // the SQL that seeds the fault into a copy of the sample data file, then the finding
    const std::tuple<const char*, Severity, const char*, long, const char*, const char*> faults[] = {
        {"DROP TABLE hbT", E, "hbT", 0, "", "missing"},
        {"ALTER TABLE Kernform DROP COLUMN CDF", E, "Kernform", 0, "CDF", "missing"},
        {"UPDATE Kernform SET le = 'abc' WHERE rowid = 4", E, "Kernform", 4, "le", "not a number"},
        {"UPDATE MuiT SET T = T + 100 WHERE rowid = 10", E, "MuiT", 11, "T", "not above"},
        {"UPDATE MuiT SET H125 = 5 WHERE H125 = 0", E, "MuiT", 0, "H125", "no end mark"},
        {"UPDATE MuaB SET R41T25 = 3 WHERE rowid = 28", E, "MuaB", 28, "R41T25", "after the end mark"},
        {"UPDATE Hysterese SET HR41T25 = 0 WHERE rowid = 10", E, "Hysterese", 10, "HR41T25", "single 0"},
        {"UPDATE Material SET mua = -1 WHERE Name = 'H103'", E, "MuaB", 0, "H103T25", "mua = -1"},
        {"UPDATE Material SET Leistung = -1 WHERE Name = 'S22'", E, "PvT", 0, "S22", "Leistung = -1"},
        {"ALTER TABLE PVEXPO DROP COLUMN R52C", E, "PVEXPO", 0, "R52C", "Leistung = -1"},
        {"UPDATE Material SET mua = 0 WHERE Name = 'R52'", W, "Material", 3, "mua", "set mua to -1"},
        {"UPDATE PVEXPO SET R63C = R63C + 1 WHERE rowid = 20", W, "PVEXPO", 20, "R63X", "loss law"},
        {"UPDATE Kernform SET Ve = Ve * 1.5 WHERE rowid = 5", W, "Kernform", 5, "Ve", "far from Ae * le"},
        {"UPDATE Kernform SET Amin = Ae * 1.2 WHERE rowid = 7", W, "Kernform", 7, "Amin", "above Ae"},
        {"UPDATE Kernform SET Rth = 0 WHERE rowid = 2", E, "Kernform", 2, "Rth", "thermal resistance"},
        {"UPDATE Kernform SET hWickel = 0 WHERE rowid = 3", W, "Kernform", 3, "hWickel", "bobbin"},
        {"UPDATE Kernform SET Kerntyp = 'etd 29' WHERE Kerntyp = 'ETD 34'", E, "Kernform", 15, "Kerntyp",
         "differs only in case"},
        {"UPDATE Material SET Name = 'r41' WHERE Name = 'H52'", E, "Material", 7, "Name", "name of row 2"},
        {"UPDATE Material SET Aktuell = 1 WHERE Name = 'H52'", E, "Material", 7, "Aktuell", "-1 (yes) or 0"},
        // physical plausibility: RM 4, E 42/21/15 (rows 28, 9); R52 at its Curie point 225 degC (row 54)
        {"UPDATE Kernform SET CDF = CDF * 3 WHERE rowid = 28", W, "Kernform", 28, "CDF",
         "far from (le/Ae^2)"},
        {"UPDATE Kernform SET Rth = Rth / 2 WHERE rowid = 9", W, "Kernform", 9, "Rth", "in free air"},
        {"UPDATE Kernform SET K1 = K1 * 0.8 WHERE rowid = 9", W, "Kernform", 9, "K1",
         "fringe flux always raises"},
        {"UPDATE Mu_mu__f SET mu_R41 = 2300 WHERE f <= 10000", W, "Mu_mu__f", 0, "mu_R41", "Snoek's limit"},
        {"UPDATE MuiT SET R52 = 3450 WHERE T = 225", W, "MuiT", 54, "R52", "falls through its peak"},
    };
    for (const auto& [sql, severity, table, row, column, words] : faults) {
        SCOPED_TRACE(sql);
        const std::string copy = file("seeded.mdb");
        fs::copy_file(kSample, copy, fs::copy_options::overwrite_existing);
        data::test::WriteDatabase(copy, sql);
        const auto findings = CheckDataFile(copy);
        EXPECT_TRUE(HasFinding(findings, severity, table, row, column, words));
        EXPECT_EQ(Usable(findings), severity == W);
    }
}

TEST_F(DataTool, BuildReplacesAProgramDataFileOnlyWhenForcedAndAFailureKeepsTheOldFile) {
    const std::string target = file("db1.mdb");
    fs::copy_file(kSample, target);
    const std::string before = ReadText(target);
    EditCsv(csv(), "Material", [](CsvText& t) { t.rows[0][Col(t, "mui")] = "2001"; });

    auto result = BuildDataFile(csv().string(), target, {target}, false);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(HasFinding(result.findings, Severity::Error, target, 0, "", "--force"));
    EXPECT_EQ(ReadText(target), before);

    EditCsv(csv(), "MuiT", [](CsvText& t) { std::swap(t.rows[2], t.rows[3]); });
    EXPECT_FALSE(BuildDataFile(csv().string(), target, {target}, true).written);
    EXPECT_EQ(ReadText(target), before);
    EXPECT_FALSE(fs::exists(target + ".part"));

    EditCsv(csv(), "MuiT", [](CsvText& t) { std::swap(t.rows[2], t.rows[3]); });
    EXPECT_TRUE(BuildDataFile(csv().string(), target, {target}, true).written);
    auto db = data::Database::open(target);
    EXPECT_EQ(data::GetMaterialMui(*db, "R25").toDouble(), 2001.0);
}

TEST_F(DataTool, TheProgramReadsTheInstalledUserFileFirstUntilItIsRemoved) {
    const std::string program = file("program");
    const std::string home = (dir_.path() / "home").string();
    const std::string user = home + "/.local/share/tolvik/db1.mdb";
    EXPECT_EQ(data::FindDataFile(program), program + "/db1.mdb");
    EXPECT_EQ(data::UserDataFile(), user);

    // a file that is not usable is refused
    const std::string bad = file("bad.mdb");
    fs::copy_file(kSample, bad);
    data::test::WriteDatabase(bad, "DROP TABLE MuiT");
    EXPECT_FALSE(InstallDataFile(bad).written);
    EXPECT_FALSE(fs::exists(user));

    const auto installed = InstallDataFile(kSample);
    ASSERT_TRUE(installed.written) << installed.message;
    EXPECT_EQ(ReadText(user), ReadText(kSample));
    EXPECT_EQ(data::FindDataFile(program), user);

    // XDG_DATA_HOME, when absolute, names the user's data folder; a relative one is ignored
    setenv("XDG_DATA_HOME", "relative/share", 1);
    EXPECT_EQ(data::FindDataFile(program), user);
    setenv("XDG_DATA_HOME", file("xdg").c_str(), 1);
    EXPECT_EQ(data::UserDataFile(), file("xdg") + "/tolvik/db1.mdb");
    EXPECT_EQ(data::FindDataFile(program), program + "/db1.mdb");
    unsetenv("XDG_DATA_HOME");

    std::string message;
    EXPECT_TRUE(RemoveInstalledDataFile(message));
    EXPECT_FALSE(fs::exists(user));
    EXPECT_EQ(data::FindDataFile(program), program + "/db1.mdb");
}

} // namespace
} // namespace tolvik::datatool
