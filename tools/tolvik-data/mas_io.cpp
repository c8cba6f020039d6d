// tolvik-data import-mas and export-mas: the file side. An import reads the folder, merges
// the documents and writes the whole folder anew beside it before it takes its place, so a
// refusal or a failure leaves the folder as it was.

#include "tolvik/datatool/commands.h"
#include "tolvik/datatool/mas.h"
#include "tolvik/datatool/schema.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tolvik::datatool {

namespace fs = std::filesystem;

namespace {

bool ReadWhole(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return static_cast<bool>(in) || in.eof();
}

std::string CsvTextOf(const CsvText& t) {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + CsvField(cells[i]);
        out += "\r\n";
    };
    line(t.header);
    for (const auto& row : t.rows)
        line(row);
    return out;
}

bool WriteWhole(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

/// The CSV files of a folder by table (file names without regard to case); errors for files
/// that cannot be read.
bool LoadFolder(const fs::path& folder, CsvTables& tables, std::map<std::string, fs::path>& files,
                std::vector<std::string>& errors) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) return true;
    if (!fs::is_directory(folder, ec)) {
        errors.push_back(folder.string() + " is not a folder: name a folder (it is created when missing)");
        return false;
    }
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const fs::path& p = entry.path();
        std::string ext = p.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const TableDef* def = ext == ".csv" ? FindTable(p.stem().string()) : nullptr;
        if (!def) continue;
        std::string text, reason;
        CsvText csv;
        if (!ReadWhole(p, text) || !ParseCsv(text, csv, reason)) {
            errors.push_back(p.string() + ": cannot be read" + (reason.empty() ? "" : " (" + reason + ")") +
                             ": repair it, or import into another folder");
            continue;
        }
        tables[def->name] = std::move(csv);
        files[def->name] = p.filename();
    }
    return errors.empty();
}

} // namespace

MasImportResult ImportMas(const std::string& input, const std::string& folder, bool replace) {
    MasImportResult result;
    std::string text;
    if (!ReadWhole(input, text)) {
        result.errors.push_back(input + ": cannot be read: name an existing MAS file");
        return result;
    }
    const std::string source = fs::path(input).filename().string();
    MasDocuments docs = ReadMas(text, source);
    result.errors = docs.errors;
    result.notes = docs.notes;
    if (!result.errors.empty()) return result;
    if (docs.materials.empty() && docs.cores.empty()) {
        result.errors.push_back(source + ": holds no material and no core: nothing to import");
        return result;
    }

    fs::path target = fs::absolute(folder).lexically_normal();
    if (!target.has_filename()) target = target.parent_path(); // "mydata/", "."
    CsvTables tables;
    std::map<std::string, fs::path> files;
    if (!LoadFolder(target, tables, files, result.errors)) return result;
    for (const TableDef& def : ProgramTables())
        if (!tables.count(def.name))
            for (const FieldDef& f : def.fields)
                tables[def.name].header.push_back(f.name);
    MergeMas(docs, tables, replace, result.errors, result.notes);
    if (!result.errors.empty()) return result;

    // The whole folder anew beside the old one, then in its place.
    std::error_code ec;
    const fs::path parent = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const fs::path temp = parent / (target.filename().string() + ".mas-part");
    const fs::path old = parent / (target.filename().string() + ".mas-old");
    fs::remove_all(temp, ec);
    fs::remove_all(old, ec);
    auto fail = [&](const std::string& what) {
        fs::remove_all(temp, ec);
        result.errors.push_back(what);
        return result;
    };
    if (!fs::create_directories(temp, ec))
        return fail("cannot create " + temp.string() + ": " + ec.message());
    if (fs::exists(target, ec))
        for (const auto& entry : fs::directory_iterator(target, ec)) {
            fs::copy(entry.path(), temp / entry.path().filename(), fs::copy_options::recursive, ec);
            if (ec) return fail("cannot copy " + entry.path().string() + ": " + ec.message());
        }
    for (const auto& [name, table] : tables) {
        const fs::path file = temp / (files.count(name) ? files[name] : fs::path(name + ".csv"));
        if (!WriteWhole(file, CsvTextOf(table))) return fail("cannot write " + file.string());
    }
    std::string report = "import-mas " + input + " into " + folder + "\n" +
                         std::to_string(docs.materials.size()) + " materials, " +
                         std::to_string(docs.cores.size()) +
                         " cores imported. What has no place in the data file, or is missing for a tab:\n";
    for (const std::string& n : result.notes)
        report += "  " + n + "\n";
    if (!WriteWhole(temp / "import-report.txt", report))
        return fail("cannot write the report in " + temp.string());
    const bool existed = fs::exists(target, ec);
    if (existed) {
        fs::rename(target, old, ec);
        if (ec) return fail("cannot move " + target.string() + " aside: " + ec.message());
    }
    fs::rename(temp, target, ec);
    if (ec) {
        if (existed) fs::rename(old, target, ec);
        return fail("cannot put the new folder in place of " + target.string());
    }
    fs::remove_all(old, ec);
    result.written = true;
    return result;
}

MasExportResult ExportMas(const std::string& dataFile, const std::string& output,
                          const MasSelection& selection) {
    MasExportResult result;
    std::error_code ec;
    const fs::path scratch = fs::path(output).string() + ".csv-part";
    fs::remove_all(scratch, ec);
    result.error = ExportDataFile(dataFile, scratch.string());
    CsvTables tables;
    std::map<std::string, fs::path> files;
    std::vector<std::string> errors;
    if (result.error.empty() && !LoadFolder(scratch, tables, files, errors)) result.error = errors.front();
    fs::remove_all(scratch, ec);
    if (!result.error.empty()) return result;

    const auto docs = TablesToMas(tables, selection, result.notes);
    for (const Json& d : docs)
        (d.find("functionalDescription") ? result.cores : result.materials)++;
    auto missing = [&](const std::vector<std::string>& names, bool core) {
        for (const std::string& n : names) {
            const bool found = std::any_of(docs.begin(), docs.end(), [&](const Json& d) {
                const bool isCore = d.find("functionalDescription") != nullptr;
                const std::string name = d.find("name")->text();
                std::string a = n, b = name;
                for (auto* s : {&a, &b})
                    std::transform(s->begin(), s->end(), s->begin(),
                                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                return isCore == core && (a == b || (core && b.rfind(a + " (", 0) == 0));
            });
            if (!found)
                return (core ? "no core shape named '" : "no material named '") + n + "' in " + dataFile;
        }
        return std::string();
    };
    result.error = missing(selection.materials, false);
    if (result.error.empty()) result.error = missing(selection.shapes, true);
    if (!result.error.empty()) return result;
    std::string text;
    for (const Json& d : docs)
        text += d.dump() + "\n";
    const fs::path temp = output + ".part";
    if (!WriteWhole(temp, text)) {
        fs::remove(temp, ec);
        result.error = "cannot write " + temp.string();
        return result;
    }
    fs::rename(temp, output, ec);
    if (ec) {
        fs::remove(temp, ec);
        result.error = "cannot write " + output + ": " + ec.message();
        return result;
    }
    result.written = true;
    return result;
}

} // namespace tolvik::datatool
