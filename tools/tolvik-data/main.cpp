// tolvik-data: the user's own material data for Tolvik.
//
//   tolvik-data export DATAFILE FOLDER      every table as FOLDER/<table>.csv, and a README
//   tolvik-data build FOLDER DATAFILE [--force]
//   tolvik-data check DATAFILE
//   tolvik-data install DATAFILE | --remove
//   tolvik-data import-mas INPUT FOLDER [--replace]
//   tolvik-data export-mas DATAFILE OUTPUT.ndjson [--materials NAMES] [--shapes NAMES]
//
// Exit status: 0 done (the file is usable), 1 not done or not usable, 2 wrong command line.

#include "tolvik/data/data_location.h"
#include "tolvik/datatool/commands.h"
#include "tolvik/datatool/mas.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tolvik::datatool;

const char* const kUsage =
    "usage: tolvik-data export DATAFILE FOLDER\n"
    "       tolvik-data build FOLDER DATAFILE [--force]\n"
    "       tolvik-data check DATAFILE\n"
    "       tolvik-data install DATAFILE\n"
    "       tolvik-data install --remove\n"
    "       tolvik-data import-mas INPUT FOLDER [--replace]\n"
    "       tolvik-data export-mas DATAFILE OUTPUT.ndjson [--materials NAMES] [--shapes NAMES]\n"
    "\n"
    "export   writes every table of a data file as a CSV file, with a README\n"
    "build    builds a data file from such a folder; --force lets it replace\n"
    "         the program's own data file\n"
    "check    names everything the program would stumble on, with its place\n"
    "install  checks a data file and makes it the one Tolvik reads for you\n"
    "         (--remove: back to the bundled data file)\n"
    "import-mas  adds the materials and cores of a MAS document (JSON, a list, or one\n"
    "         document per line) to a CSV folder as export writes it, ready for build;\n"
    "         --replace lets it replace a material or core of the same name\n"
    "export-mas  writes materials and core shapes as MAS documents, one per line;\n"
    "         NAMES: names separated by commas\n";

/// The folder of this executable: the program folder, beside Tolvik.
std::string ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

/// Names separated by commas.
std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        std::string name = text.substr(start, end - start);
        while (!name.empty() && name.front() == ' ')
            name.erase(name.begin());
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (!name.empty()) out.push_back(name);
        start = end + 1;
    }
    return out;
}

int ImportMasCommand(const std::vector<std::string>& args) {
    const auto result = ImportMas(args[1], args[2], args.size() == 4);
    for (const std::string& e : result.errors)
        std::cerr << "error: " << e << "\n";
    if (!result.written) {
        std::cerr << "nothing imported: " << args[2] << " is as it was\n";
        return 1;
    }
    for (const std::string& n : result.notes)
        std::cout << "note: " << n << "\n";
    std::cout << "imported " << args[1] << " into " << args[2]
              << " (see import-report.txt there); next: tolvik-data build " << args[2] << " my.mdb\n";
    return 0;
}

int ExportMasCommand(const std::vector<std::string>& args) {
    MasSelection selection;
    for (std::size_t i = 3; i + 1 < args.size(); i += 2) {
        selection.all = false;
        auto& names = args[i] == "--materials" ? selection.materials : selection.shapes;
        const auto more = SplitNames(args[i + 1]);
        names.insert(names.end(), more.begin(), more.end());
    }
    const auto result = ExportMas(args[1], args[2], selection);
    if (!result.written) {
        std::cerr << "tolvik-data: " << result.error << "\n";
        return 1;
    }
    for (const std::string& n : result.notes)
        std::cout << "note: " << n << "\n";
    std::cout << "exported " << result.materials << " materials and " << result.cores << " core shapes to "
              << args[2] << "\n";
    return 0;
}

/// True for DATAFILE OUTPUT followed by pairs of --materials/--shapes and names.
bool ExportMasArgs(const std::vector<std::string>& args) {
    if (args.size() < 3 || (args.size() - 3) % 2 != 0) return false;
    for (std::size_t i = 3; i < args.size(); i += 2)
        if (args[i] != "--materials" && args[i] != "--shapes") return false;
    return true;
}

/// Prints the findings and a summary line; returns the exit status.
int Report(const std::vector<Finding>& findings, const std::string& what) {
    for (const Finding& f : findings)
        std::cout << FormatFinding(f) << "\n";
    const auto errors = std::count_if(findings.begin(), findings.end(),
                                      [](const Finding& f) { return f.severity == Severity::Error; });
    const auto warnings = static_cast<long>(findings.size()) - errors;
    if (findings.empty())
        std::cout << what << ": no findings\n";
    else
        std::cout << what << ": " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
                  << (warnings == 1 ? " warning" : " warnings") << "\n";
    return errors == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "export" && args.size() == 3) {
        const std::string error = ExportDataFile(args[1], args[2]);
        if (!error.empty()) {
            std::cerr << "tolvik-data: " << error << "\n";
            return 1;
        }
        std::cout << "exported " << args[1] << " to " << args[2] << " (see README.txt there)\n";
        return 0;
    }
    if (command == "build" && (args.size() == 3 || (args.size() == 4 && args[3] == "--force"))) {
        const std::string bundled =
            ProgramFolder().empty() ? "" : ProgramFolder() + "/" + tolvik::data::kDataFileName;
        const auto result =
            BuildDataFile(args[1], args[2], {bundled, tolvik::data::UserDataFile()}, args.size() == 4);
        const int status = Report(result.findings, args[2]);
        std::cout << (result.written ? "built " + args[2] : args[2] + " not written") << "\n";
        return result.written ? status : 1;
    }
    if (command == "check" && args.size() == 2) {
        const int status = Report(CheckDataFile(args[1]), args[1]);
        std::cout << (status == 0 ? "the file is usable\n" : "the file is not usable\n");
        return status;
    }
    if (command == "install" && args.size() == 2 && args[1] == "--remove") {
        std::string message;
        const bool ok = RemoveInstalledDataFile(message);
        (ok ? std::cout : std::cerr) << message << "\n";
        return ok ? 0 : 1;
    }
    if (command == "install" && args.size() == 2) {
        const auto result = InstallDataFile(args[1]);
        Report(result.findings, args[1]);
        (result.written ? std::cout : std::cerr) << result.message << "\n";
        return result.written ? 0 : 1;
    }
    if (command == "import-mas" && (args.size() == 3 || (args.size() == 4 && args[3] == "--replace")))
        return ImportMasCommand(args);
    if (command == "export-mas" && ExportMasArgs(args)) return ExportMasCommand(args);
    std::cerr << kUsage;
    return 2;
}
