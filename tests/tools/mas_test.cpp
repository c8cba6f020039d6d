// tolvik-data import-mas / export-mas: the sample through MAS and back, a material written
// by hand checked against hand-converted values, and faulty documents refused at their place
// with the folder untouched.

#include "fixture_db.h"
#include "tolvik/datatool/commands.h"
#include "tolvik/datatool/mas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace tolvik::datatool {
namespace {

namespace fs = std::filesystem;
using data::test::TempFolder;
const auto Slurp = data::test::ReadFile;

const std::string kSample = TOLVIK_SAMPLE_DB_PATH;

void Write(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

/// One CSV file of a folder.
CsvText ReadCsv(const fs::path& p) {
    CsvText t;
    std::string error;
    EXPECT_TRUE(ParseCsv(Slurp(p), t, error)) << p << ": " << error;
    return t;
}

/// Every table of a data file, through the CSV export.
CsvTables Tables(const std::string& dataFile, const fs::path& scratch) {
    EXPECT_EQ(ExportDataFile(dataFile, scratch.string()), "");
    CsvTables out;
    for (const auto& e : fs::directory_iterator(scratch))
        if (e.path().extension() == ".csv") out[e.path().stem().string()] = ReadCsv(e.path());
    return out;
}

int Col(const CsvText& t, const std::string& name) {
    for (std::size_t i = 0; i < t.header.size(); ++i)
        if (t.header[i] == name) return static_cast<int>(i);
    return -1;
}

double Num(const CsvText& t, std::size_t row, const std::string& column) {
    double v = 0;
    const int c = Col(t, column);
    return c >= 0 && ReadNumber(t.rows[row][static_cast<std::size_t>(c)], v) ? v : 0;
}

/// The row whose key columns hold the key values; -1 when none.
long Find(const CsvText& t, const std::vector<std::pair<std::string, std::string>>& key) {
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        bool all = true;
        for (const auto& [column, value] : key) {
            const int c = Col(t, column);
            double a = 0, b = 0;
            const std::string& cell = c >= 0 ? t.rows[r][static_cast<std::size_t>(c)] : value + "?";
            all = all && (cell == value || (ReadNumber(cell, a) && ReadNumber(value, b) && a == b));
        }
        if (all) return static_cast<long>(r);
    }
    return -1;
}

/// A curve column down to its end mark, as (x, y).
std::vector<std::pair<double, double>> Curve(const CsvText& t, const std::string& x,
                                             const std::string& column) {
    std::vector<std::pair<double, double>> out;
    if (Col(t, column) < 0) return out;
    for (std::size_t r = 0; r < t.rows.size() && Num(t, r, column) != 0; ++r)
        out.emplace_back(Num(t, r, x), Num(t, r, column));
    return out;
}

double At(const std::vector<std::pair<double, double>>& c, double x) {
    for (std::size_t i = 0; i < c.size(); ++i)
        if (c[i].first >= x) {
            if (i == 0 || c[i].first == x) return c[i].second;
            return c[i - 1].second +
                   (c[i].second - c[i - 1].second) * (x - c[i - 1].first) / (c[i].first - c[i - 1].first);
        }
    return std::nan("");
}

::testing::AssertionResult Near(double expected, double actual, double rel = 1e-9) {
    if (std::fabs(actual - expected) <= rel * std::max(1.0, std::fabs(expected)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " instead of " << expected;
}

TEST(Mas, SampleThroughMasAndBackGivesTheSameMaterialsAndShapes) {
    TempFolder dir;
    const fs::path ndjson = dir.path() / "sample.ndjson", folder = dir.path() / "imported";
    ASSERT_TRUE(ExportMas(kSample, ndjson.string(), {}).written);
    const auto imported = ImportMas(ndjson.string(), folder.string(), false);
    ASSERT_TRUE(imported.written) << (imported.errors.empty() ? "" : imported.errors.front());
    const auto built = BuildDataFile(folder.string(), (dir.path() / "back.mdb").string(), {}, false);
    ASSERT_TRUE(built.written); // written only when check finds no error
    const auto before = CheckDataFile(kSample);
    for (const char* table : {"PVEXPO", "PvT", "Hysterese", "MuiT", "MuaB", "Mu_mu__f"}) {
        auto count = [&](const std::vector<Finding>& fs) {
            return std::count_if(fs.begin(), fs.end(), [&](const Finding& f) { return f.table == table; });
        };
        EXPECT_LE(count(built.findings), count(before)) << table;
    }
    auto a = Tables(kSample, dir.path() / "a"),
         b = Tables((dir.path() / "back.mdb").string(), dir.path() / "b");
    const CsvText &ma = a["Material"], &mb = b["Material"];
    ASSERT_EQ(ma.rows.size(), mb.rows.size());
    for (std::size_t r = 0; r < ma.rows.size(); ++r) {
        const std::string name = ma.rows[r][static_cast<std::size_t>(Col(ma, "Name"))];
        const long s = Find(mb, {{"Name", name}});
        ASSERT_GE(s, 0) << name;
        // MAS carries µi against T; mui is its value at 25 °C.
        const auto muiT = Curve(a["MuiT"], "T", name);
        EXPECT_TRUE(Near(muiT.size() >= 2 ? At(muiT, 25) : Num(ma, r, "mui"),
                         Num(mb, static_cast<std::size_t>(s), "mui")))
            << name;
        for (const char* f : {"Bs25", "Bs100", "Hc25", "Hc100", "Tc", "Dichte", "dcresist", "fmin", "fmax",
                              "Leistung", "mua", "Aktuell"})
            EXPECT_TRUE(Near(Num(ma, r, f), Num(mb, static_cast<std::size_t>(s), f))) << name << "." << f;
        // Every curve point of the sample lies on the imported curve, the loop's rows too.
        std::vector<std::tuple<std::string, std::string, std::string>> curves = {
            {"MuiT", "T", name}, {"Mu_mu__f", "f", "mu_" + name}, {"Mu_mu__f", "f", "mu__" + name}};
        for (const char* t : {"T25", "T100"}) {
            curves.emplace_back("MuaB", "B", name + t);
            for (const char* hb : {"H", "B"})
                curves.emplace_back("Hysterese", "", std::string(hb) + name + t);
        }
        for (const auto& [table, x, column] : curves) {
            const auto ca = Curve(a[table], x, column), cb = Curve(b[table], x, column);
            for (std::size_t k = 0; k < ca.size(); ++k)
                EXPECT_TRUE(Near(ca[k].second, !x.empty()      ? At(cb, ca[k].first)
                                               : k < cb.size() ? cb[k].second
                                                               : NAN))
                    << table << "." << column << " point " << k;
        }
        const CsvText &pa = a["PvT"], &pb = b["PvT"];
        for (std::size_t k = 0; Col(pa, name) >= 0 && k < pa.rows.size(); ++k) {
            if (Num(pa, k, name) <= 0) continue;
            const long q = Find(pb, {{"T", pa.rows[k][0]}, {"F", pa.rows[k][1]}, {"B", pa.rows[k][2]}});
            ASSERT_GE(q, 0) << name << " PvT row " << k + 1;
            EXPECT_TRUE(Near(Num(pa, k, name), Num(pb, static_cast<std::size_t>(q), name)));
        }
    }
    const CsvText &ka = a["Kernform"], &kb = b["Kernform"];
    ASSERT_EQ(ka.rows.size(), kb.rows.size());
    for (std::size_t r = 0; r < ka.rows.size(); ++r) {
        const long s = Find(kb, {{"Kerntyp", ka.rows[r][static_cast<std::size_t>(Col(ka, "Kerntyp"))]},
                                 {"LP", NumberText(Num(ka, r, "LP"))},
                                 {"Loch", NumberText(Num(ka, r, "Loch"))}});
        ASSERT_GE(s, 0) << "Kernform row " << r + 1;
        for (const char* f : {"Ae", "le", "Ve", "Amin", "AN", "Rth"})
            EXPECT_TRUE(Near(Num(ka, r, f), Num(kb, static_cast<std::size_t>(s), f)))
                << "row " << r + 1 << " " << f;
    }
}

// A material and a core as one would write them from a data sheet, in SI units.
const char* const kHandMaterial = R"j({
  "name": "Hand 3C", "type": "custom", "material": "ferrite", "manufacturerInfo": {"name": "me"},
  "curieTemperature": 220, "density": 4800, "resistivity": [{"value": 5}],
  "saturation": [{"magneticFluxDensity": 0.48, "magneticField": 1200, "temperature": 25},
                 {"magneticFluxDensity": 0.38, "magneticField": 1200, "temperature": 100}],
  "coerciveForce": [{"magneticFluxDensity": 0, "magneticField": 15, "temperature": 25},
                    {"magneticFluxDensity": 0, "magneticField": 10, "temperature": 100}],
  "remanence": [{"magneticFluxDensity": 0.1, "magneticField": 0, "temperature": 25}],
  "recommendations": {"minimumFrequency": 25000, "maximumFrequency": 300000},
  "permeability": {
    "initial": [{"value": 1500, "temperature": -40}, {"value": 3000, "temperature": 100},
                {"value": 2000, "temperature": 25}, {"value": 1000, "temperature": 200}],
    "amplitude": [{"value": 2500, "magneticFluxDensityPeak": 0.1, "temperature": 25},
                  {"value": 4000, "magneticFluxDensityPeak": 0.3, "temperature": 25},
                  {"value": 3500, "magneticFluxDensityPeak": 0.1, "temperature": 100}],
    "complex": {"real": [{"value": 2000, "frequency": 1e3}, {"value": 1500, "frequency": 1e6}],
                "imaginary": [{"value": 10, "frequency": 1e3}, {"value": 800, "frequency": 1e6}]}},
  "bhCycle": [{"magneticField": 200, "magneticFluxDensity": 0.3, "temperature": 25},
              {"magneticField": 0, "magneticFluxDensity": 0.1, "temperature": 25},
              {"magneticField": -200, "magneticFluxDensity": -0.3, "temperature": 25},
              {"magneticField": -1, "magneticFluxDensity": -0.1, "temperature": 25}],
  "volumetricLosses": {"default": [
    {"method": "steinmetz", "ranges": [{"minimumFrequency": 150000, "maximumFrequency": 500000,
                                         "k": 3.7, "alpha": 1.3, "beta": 2.5}]},
    [{"magneticFluxDensity": {"frequency": 100000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.05, "offset": 0}}}, "temperature": 25, "value": 10000, "origin": "datasheet"},
     {"magneticFluxDensity": {"frequency": 100000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.1, "offset": 0}}}, "temperature": 25, "value": 60000, "origin": "datasheet"},
     {"magneticFluxDensity": {"frequency": 100000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.2, "offset": 0}}}, "temperature": 25, "value": 380000, "origin": "datasheet"},
     {"magneticFluxDensity": {"frequency": 100000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.1, "offset": 0}}}, "temperature": 100, "value": 40000, "origin": "datasheet"},
     {"magneticFluxDensity": {"frequency": 100000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.2, "offset": 0}}}, "temperature": 100, "value": 250000, "origin": "datasheet"},
     {"magneticFluxDensity": {"frequency": 200000, "magneticFluxDensity": {"processed": {"label": "sinusoidal", "peak": 0.1, "offset": 0}}}, "temperature": 100, "value": 90000, "origin": "datasheet"}]]}
})j";

const char* const kHandCore =
    R"j({"name": "EQ 30 (low profile)", "functionalDescription": {"type": "twoPieceSet", "material": "", "gapping": [],)j"
    R"j( "shape": {"type": "custom", "family": "eq", "name": "EQ 30 (low profile)"}}, "processedDescription":)j"
    R"j( {"effectiveParameters": {"effectiveArea": 1.08e-4, "effectiveLength": 0.046, "effectiveVolume": 4.968e-6,)j"
    R"j( "minimumArea": 1.0e-4}, "windingWindows": [{"area": 3.0e-5}], "thermalResistance": 20}})j";

TEST(Mas, HandWrittenMaterialAndCoreImportIntoHandConvertedValues) {
    TempFolder dir;
    const fs::path in = dir.path() / "hand.json", folder = dir.path() / "own";
    Write(in, std::string("[") + kHandMaterial + ",\n" + kHandCore + "]");
    const auto result = ImportMas(in.string(), folder.string(), false);
    ASSERT_TRUE(result.written) << (result.errors.empty() ? "" : result.errors.front());
    CsvTables t;
    for (const char* name : {"Material", "MuiT", "MuaB", "MuaH", "Mu_mu__f", "Hysterese", "PvT", "Kernform"})
        t[name] = ReadCsv(folder / (std::string(name) + ".csv"));
    const std::string m = "Hand 3C";
    using Key = std::vector<std::pair<std::string, std::string>>;
    const Key mat{{"Name", m}}, core{{"Kerntyp", "EQ 30"}, {"LP", "-1"}, {"Loch", "0"}};
    // By hand: mui is the 25 °C point, Bs in mT, f in kHz, Pv nearest 100 °C, 200 mT, 100 kHz
    // (250000 W/m³), H = B / (µ0 µa); the core in mm², mm, mm³, the low profile variant, shown.
    const auto check = [&](const char* table, const Key& key, const std::string& column, double value) {
        const long r = Find(t[table], key);
        ASSERT_GE(r, 0) << table << " " << column;
        EXPECT_TRUE(Near(value, Num(t[table], static_cast<std::size_t>(r), column), 1e-6))
            << table << " " << column;
    };
    const std::pair<const char*, double> materialFields[] = {
        {"mui", 2000},    {"Bs25", 480},   {"Bs100", 380}, {"Hc25", 15},  {"Tc", 220},
        {"Dichte", 4800}, {"dcresist", 5}, {"fmin", 25},   {"fmax", 300}, {"Leistung", -1},
        {"mua", -1},      {"Pv", 250},     {"B", 200}};
    for (const auto& [column, value] : materialFields)
        check("Material", mat, column, value);
    const std::pair<const char*, double> coreFields[] = {
        {"Ae", 108}, {"le", 46}, {"Ve", 4968}, {"Amin", 100}, {"AN", 30}, {"Rth", 20}, {"Anzeige", -1}};
    for (const auto& [column, value] : coreFields)
        check("Kernform", core, column, value);
    check("MuiT", {{"T", "-40"}}, m, 1500);
    check("MuiT", {{"T", "200"}}, m, 1000);
    check("MuiT", {{"T", "220"}}, m, 0); // the end mark at the Curie point
    check("MuaB", {{"B", "300"}}, m + "T25", 4000);
    check("MuaB", {{"B", "100"}}, m + "T100", 3500);
    check("MuaH", {{"H", NumberText(100 / (0.001256 * 2500))}}, m + "T25", 2500);
    check("Mu_mu__f", {{"f", "1000"}}, "mu__" + m, 800); // 1 MHz
    check("Mu_mu__f", {{"f", "1"}}, "mu_" + m, 2000);
    check("PvT", {{"T", "25"}, {"F", "100"}, {"B", "50"}}, m, 10);
    check("PvT", {{"T", "100"}, {"F", "200"}, {"B", "100"}}, m, 90);
    // The loop: closed, a 0 written as 0.001, ended by H = 0 and B = 0.
    const CsvText& h = t["Hysterese"];
    const std::vector<std::pair<double, double>> loop = {{200, 300}, {0.001, 100}, {-200, -300},
                                                         {-1, -100}, {200, 300},   {0, 0}};
    for (std::size_t r = 0; r < loop.size(); ++r) {
        EXPECT_EQ(Num(h, r, "H" + m + "T25"), loop[r].first) << r;
        EXPECT_EQ(Num(h, r, "B" + m + "T25"), loop[r].second) << r;
    }

    // The loss law: fitted within 5 % of the points; from the given coefficients where one B only.
    const CsvText ex = ReadCsv(folder / "PVEXPO.csv");
    const std::tuple<double, double, double, double> points[] = {
        {100, 25, 50, 10},    {100, 25, 100, 60},
        {100, 25, 200, 380},  {100, 100, 100, 40},
        {100, 100, 200, 250}, {200, 100, 100, 3.7 * std::pow(2e5, 1.3) * std::pow(0.1, 2.5) / 1000}};
    for (const auto& [f, celsius, b, pv] : points) {
        const long r = Find(ex, {{"F", NumberText(f)}, {"T", NumberText(celsius)}});
        ASSERT_GE(r, 0);
        const auto k = static_cast<std::size_t>(r);
        EXPECT_TRUE(Near(pv, std::exp(Num(ex, k, m + "C")) * std::pow(b, Num(ex, k, m + "X")), 0.05))
            << f << " kHz " << celsius << " °C " << b << " mT";
    }
    const auto built = BuildDataFile(folder.string(), (dir.path() / "own.mdb").string(), {}, false);
    EXPECT_TRUE(built.written);
    EXPECT_NE(Slurp(folder / "import-report.txt").find("remanence"), std::string::npos);
}

TEST(Mas, FaultyDocumentsAreRefusedAtTheirPlaceAndNothingIsWritten) {
    TempFolder dir;
    const fs::path folder = dir.path() / "own";
    const fs::path first = dir.path() / "first.json";
    Write(first, kHandMaterial);
    ASSERT_TRUE(ImportMas(first.string(), folder.string(), false).written);
    const auto content = [&] {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(folder))
            files[e.path().filename().string()] = Slurp(e.path());
        return files;
    };
    const auto before = content();

    const std::string loss =
        R"j({"magneticFluxDensity": {"frequency": 1e5, "magneticFluxDensity": {"processed": {"peak": 0.1}}}, "temperature": 25, "value": 5e4})j";
    // file, text, words (the place, the field path and the reason)
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"a.json", "{\"name\": \"X\", permeability}", "a.json: not JSON (line 1, column 15"},
        {"b.json", R"j({"name": "S", "family": "e", "dimensions": {"A": 0.02}})j",
         "b.json line 1: dimensions: a bare MAS shape"},
        {"c.json", R"j({"name": "W", "turns": 3})j", "c.json line 1: not a MAS material"},
        {"d.json", R"j({"permeability": {"initial": {"value": 2000}}})j", "d.json line 1: name: missing"},
        {"e.json", "{\"name\": \"E\",\n \"permeability\": {\"initial\": [{\"value\": \"2000\"}]}}",
         "e.json line 2 (material 'E'): permeability.initial[0].value: is a text, not a number"},
        {"f.json",
         R"j({"name": "F", "permeability": {"initial": {"value": 2000}}, "saturation": [{"magneticFluxDensity": 490, "temperature": 25}]})j",
         "(material 'F'): saturation[0].magneticFluxDensity: 490 is out of range: MAS gives flux densities "
         "in tesla"},
        {"g.json", R"j({"name": "G", "permeability": {"initial": {"value": 2000}}, "bhCycle": []})j",
         "(material 'G'): bhCycle: the curve has no points"},
        {"h.ndjson",
         std::string(R"j({"name": "H1", "permeability": {"initial": {"value": 2000}}})j") + "\n" +
             R"j({"name": "H2", "permeability": {"initial": {"value": 2000}}, "volumetricLosses": {"default": [[)j" +
             loss + R"j(, {"temperature": 25, "value": 1}]]}})j",
         "h.ndjson line 2 (material 'H2'): volumetricLosses.default[0][1].magneticFluxDensity: missing"},
        {"i.json",
         R"j({"name": "hand 3c", "curieTemperature": 310, "permeability": {"initial": [{"value": 2000, "temperature": 25}, {"value": 900, "temperature": 300}]}})j",
         "i.json (material 'hand 3c'): name: the folder holds a material 'Hand 3C' already: rename it in the "
         "document, or add --replace"},
        {"j.json",
         R"j([{"name": "J", "permeability": {"initial": {"value": 1}}}, {"name": "j", "permeability": {"initial": {"value": 1}}}])j",
         "j.json, document 2 (material 'j'): name: another document of the input has this name"},
        {"k.json",
         R"j({"name": "K", "functionalDescription": {"shape": "K 1"}, "processedDescription": {"effectiveParameters": {"effectiveLength": 46}}})j",
         "(core 'K 1'): processedDescription.effectiveParameters.effectiveArea: missing"},
    };
    for (const auto& [file, text, words] : cases) {
        const fs::path in = dir.path() / file;
        Write(in, text);
        const auto result = ImportMas(in.string(), folder.string(), false);
        EXPECT_FALSE(result.written) << file;
        std::string all;
        for (const std::string& e : result.errors)
            all += e + "\n";
        EXPECT_NE(all.find(words), std::string::npos) << file << ": " << all;
        EXPECT_TRUE(content() == before) << file << ": the folder changed";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
              1 + std::size(cases) + 1);

    // With --replace the clashing material takes the old one's place; its µi curve runs past
    // the table's last temperature (220 °C) and extends the table, up to the end mark at Tc.
    const fs::path again = dir.path() / "i.json";
    ASSERT_TRUE(ImportMas(again.string(), folder.string(), true).written);
    const CsvText mat = ReadCsv(folder / "Material.csv");
    ASSERT_EQ(mat.rows.size(), 1u);
    EXPECT_EQ(Num(mat, 0, "mui"), 2000);
    EXPECT_EQ(mat.rows[0][static_cast<std::size_t>(Col(mat, "Name"))], "hand 3c");
    const CsvText mui = ReadCsv(folder / "MuiT.csv");
    const std::vector<std::pair<double, double>> expected = {{-40, 2000},
                                                             {25, 2000},
                                                             {100, 2000 - 1100 * 75.0 / 275},
                                                             {300, 900},
                                                             {310, 0}}; // held, interpolated, end
    for (const auto& [x, y] : expected)
        EXPECT_TRUE(Near(y, Num(mui, static_cast<std::size_t>(Find(mui, {{"T", NumberText(x)}})), "hand 3c")))
            << x;
    EXPECT_TRUE(BuildDataFile(folder.string(), (dir.path() / "own.mdb").string(), {}, false).written);
}

} // namespace
} // namespace tolvik::datatool
