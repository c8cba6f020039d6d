// tolvik-advise: which cores and materials can do this, and which is smallest, coolest,
// cheapest in losses? The design advisor of Tolvik for scripts.
//
// Exit status: 0 designs found, 1 none feasible (or the data file cannot be read),
// 2 wrong command line.

#include "tolvik/advisor/advisor.h"
#include "tolvik/data/data_location.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace tolvik::advisor;

const char* const kUsage =
    "usage: tolvik-advise choke --L MH --I A [--drop PCT] [--T 25|100] [--ripple A --f KHZ]\n"
    "                     [--dT K] [--J A_MM2] [--layers M] [options]\n"
    "       tolvik-advise transformer --P W --f KHZ --converter push-pull|forward|flyback\n"
    "                     [--dT K] [--fr RAC_RDC] [options]\n"
    "options: [--sort volume|loss|dT|mass] [--top N] [--rejected] [--csv] [--data FILE]\n"
    "\n"
    "choke        every core variant with every material that has amplitude-permeability data,\n"
    "             designed as on the DC-bias tab (L in mH at the DC current I in A, allowed drop\n"
    "             of the reversible permeability 10 %, at 25 or 100 °C), with the ripple's\n"
    "             losses, the temperature rise (default limit 40 K) and the current density\n"
    "             (default limit 5 A/mm²)\n"
    "transformer  every core variant with every power material, as on the P trans tab: it\n"
    "             carries P when its transmissible power reaches P\n"
    "--rejected   also lists the parts that cannot work, with the reason\n"
    "--csv        writes CSV instead of a table\n"
    "--data FILE  reads FILE instead of the user's or the bundled data file\n";

struct UsageError {
    std::string message;
};

std::string ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

double Number(const std::string& option, const std::string& text) {
    double v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || !std::isfinite(v))
        throw UsageError{option + ": not a number: '" + text + "'"};
    return v;
}

double Positive(const std::string& option, const std::string& text) {
    const double v = Number(option, text);
    if (!(v > 0)) throw UsageError{option + ": must be greater than 0: '" + text + "'"};
    return v;
}

/// The text of a table cell: the value, or "-" for none.
std::string Cell(const std::string& s) {
    return s.empty() ? "-" : s;
}

void PrintTable(const std::vector<Design>& designs, const Catalogue& cat, Kind kind) {
    auto pad = [](std::string s, std::size_t w) {
        // Width in characters of UTF-8 text.
        std::size_t chars = 0;
        for (unsigned char ch : s)
            chars += (ch & 0xC0) != 0x80;
        if (chars < w) s.append(w - chars, ' ');
        return s;
    };
    if (kind == Kind::Choke)
        std::cout << pad("rank", 5) << pad("core", 18) << pad("material", 9) << pad("N", 5) << pad("s[mm]", 7)
                  << pad("Al[nH]", 7) << pad("wire[mm]", 10) << pad("fill[%]", 8) << pad("J[A/mm²]", 9)
                  << pad("L@Idc[mH]", 10) << pad("Pcu[W]", 8) << pad("Pfe[W]", 8) << pad("P[W]", 8)
                  << pad("ΔT[K]", 6) << pad("Ve[mm³]", 9) << pad("m[g]", 7) << "\n";
    else
        std::cout << pad("rank", 5) << pad("core", 18) << pad("material", 9) << pad("Ptrans[W]", 10)
                  << pad("margin", 7) << pad("dB[mT]", 7) << pad("J[A/mm²]", 9) << pad("Pcu[W]", 8)
                  << pad("Pfe[W]", 8) << pad("P[W]", 8) << pad("ΔT[K]", 6) << pad("Ve[mm³]", 9)
                  << pad("m[g]", 7) << "\n";
    for (const Design& d : designs) {
        const std::string rank = d.rank > 0 ? std::to_string(d.rank) + (d.pareto ? "*" : "") : "-";
        std::cout << pad(rank, 5) << pad(cat.cores[d.core].name(), 18)
                  << pad(cat.materials[d.material].name, 9);
        if (kind == Kind::Choke)
            std::cout << pad(Cell(Fixed(d.turns, 0)), 5) << pad(Cell(Fixed(d.s_mm, 2)), 7)
                      << pad(Cell(Fixed(d.al_nH, 0)), 7)
                      << pad(Cell(d.wire >= 0 ? cat.wires[static_cast<std::size_t>(d.wire)].dText : ""), 10)
                      << pad(Cell(Fixed(d.fill_pct, 0)), 8) << pad(Cell(Fixed(d.j_A_mm2, 2)), 9)
                      << pad(Cell(Fixed(d.lAtIdc_mH, 3)), 10);
        else
            std::cout << pad(Cell(Fixed(d.ptrans_W, 1)), 10) << pad(Cell(Fixed(d.margin, 2)), 7)
                      << pad(Cell(Fixed(d.dB_mT, 0)), 7) << pad(Cell(Fixed(d.j_A_mm2, 2)), 9);
        std::cout << pad(Cell(Fixed(d.pcu_W, 3)), 8) << pad(Cell(Fixed(d.pcore_W, 3)), 8)
                  << pad(Cell(Fixed(d.ptotal_W, 3)), 8) << pad(Cell(Fixed(d.dT_K, 1)), 6)
                  << pad(Cell(Fixed(d.ve_mm3, 0)), 9) << pad(Cell(Fixed(d.mass_g, 1)), 7);
        if (!d.feasible) std::cout << d.reason.text();
        std::cout << "\n";
    }
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError{"missing command: choke or transformer"};
    const std::string command = args[0];
    if (command != "choke" && command != "transformer")
        throw UsageError{"unknown command '" + command + "': choke or transformer"};
    const Kind kind = command == "choke" ? Kind::Choke : Kind::Transformer;

    // Options with a value, and flags.
    const std::map<std::string, bool> choke = {{"--L", true},  {"--I", true},      {"--drop", true},
                                               {"--T", true},  {"--ripple", true}, {"--f", true},
                                               {"--dT", true}, {"--J", true},      {"--layers", true}};
    const std::map<std::string, bool> transformer = {
        {"--P", true}, {"--f", true}, {"--converter", true}, {"--dT", true}, {"--fr", true}};
    const std::map<std::string, bool> common = {
        {"--sort", true}, {"--top", true}, {"--data", true}, {"--rejected", false}, {"--csv", false}};
    std::map<std::string, std::string> given;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        const auto& own = kind == Kind::Choke ? choke : transformer;
        auto it = own.find(a);
        if (it == own.end()) it = common.find(a);
        if (it == common.end()) throw UsageError{"unknown option '" + a + "' for " + command};
        if (given.count(a)) throw UsageError{a + ": given twice"};
        if (it->second) {
            if (k + 1 >= args.size()) throw UsageError{a + ": missing value"};
            given[a] = args[++k];
        } else {
            given[a] = "";
        }
    }
    auto has = [&given](const char* o) { return given.count(o) > 0; };

    SortKey sort = SortKey::Volume;
    if (has("--sort")) {
        const std::string& s = given["--sort"];
        if (s == "volume")
            sort = SortKey::Volume;
        else if (s == "loss")
            sort = SortKey::Loss;
        else if (s == "dT")
            sort = SortKey::TempRise;
        else if (s == "mass")
            sort = SortKey::Mass;
        else
            throw UsageError{"--sort: volume, loss, dT or mass, not '" + s + "'"};
    }
    long top = -1;
    if (has("--top")) {
        const double t = Positive("--top", given["--top"]);
        if (t != std::floor(t)) throw UsageError{"--top: a whole number: '" + given["--top"] + "'"};
        top = static_cast<long>(t);
    }

    ChokeRequest cr;
    TransformerRequest tr;
    if (kind == Kind::Choke) {
        if (!has("--L")) throw UsageError{"--L: the inductance in mH is needed"};
        if (!has("--I")) throw UsageError{"--I: the DC current in A is needed"};
        cr.l_mH = Positive("--L", given["--L"]);
        cr.idc_A = Positive("--I", given["--I"]);
        if (has("--drop")) {
            cr.drop_pct = Positive("--drop", given["--drop"]);
            if (cr.drop_pct >= 100) throw UsageError{"--drop: below 100 %: '" + given["--drop"] + "'"};
        }
        if (has("--T")) {
            const double t = Number("--T", given["--T"]);
            if (t != 25 && t != 100) throw UsageError{"--T: 25 or 100, not '" + given["--T"] + "'"};
            cr.temp_C = static_cast<int>(t);
        }
        if (has("--ripple") != has("--f"))
            throw UsageError{has("--ripple")
                                 ? "--f: the ripple's frequency in kHz is needed with --ripple"
                                 : "--ripple: --f is the ripple's frequency; give the ripple too"};
        if (has("--ripple")) {
            cr.ripple_A = Positive("--ripple", given["--ripple"]);
            cr.f_kHz = Positive("--f", given["--f"]);
        }
        if (has("--dT")) cr.dTmax_K = Positive("--dT", given["--dT"]);
        if (has("--J")) cr.jmax_A_mm2 = Positive("--J", given["--J"]);
        if (has("--layers")) {
            cr.layers = Positive("--layers", given["--layers"]);
            if (cr.layers != std::floor(cr.layers) || cr.layers > 181)
                throw UsageError{"--layers: a whole number from 1 to 181: '" + given["--layers"] + "'"};
        }
    } else {
        if (!has("--P")) throw UsageError{"--P: the power in W is needed"};
        if (!has("--f")) throw UsageError{"--f: the converter frequency in kHz is needed"};
        if (!has("--converter")) throw UsageError{"--converter: push-pull, forward or flyback is needed"};
        tr.p_W = Positive("--P", given["--P"]);
        tr.f_kHz = Positive("--f", given["--f"]);
        const std::string& c = given["--converter"];
        if (c == "push-pull")
            tr.converter = tolvik::core::ConverterType::PushPull;
        else if (c == "forward")
            tr.converter = tolvik::core::ConverterType::SingleEnded;
        else if (c == "flyback")
            tr.converter = tolvik::core::ConverterType::Flyback;
        else
            throw UsageError{"--converter: push-pull, forward or flyback, not '" + c + "'"};
        if (has("--dT")) tr.dTmax_K = Positive("--dT", given["--dT"]);
        if (has("--fr")) tr.fr = Positive("--fr", given["--fr"]);
    }

    const std::string path = has("--data") ? given["--data"] : tolvik::data::FindDataFile(ProgramFolder());
    Catalogue cat;
    try {
        auto db = tolvik::data::Database::open(path);
        db->checkDataFile();
        cat = LoadCatalogue(*db);
    } catch (const tolvik::data::DataError& e) {
        std::cerr << "tolvik-advise: " << e.what() << "\n";
        return 1;
    }

    std::vector<Design> designs = kind == Kind::Choke ? AdviseChoke(cat, cr) : AdviseTransformer(cat, tr);
    Rank(designs, cat, sort);
    const auto feasible =
        std::count_if(designs.begin(), designs.end(), [](const Design& d) { return d.feasible; });
    std::vector<Design> shown;
    for (const Design& d : designs) {
        if (!d.feasible && !has("--rejected")) continue;
        if (d.feasible && top >= 0 && d.rank > top) continue;
        shown.push_back(d);
    }
    if (has("--csv")) {
        std::cout << CsvHeader() << "\n";
        for (const Design& d : shown)
            std::cout << CsvLine(d, cat) << "\n";
    } else {
        PrintTable(shown, cat, kind);
        std::cout << feasible << " of " << designs.size() << " candidates feasible"
                  << " (* on the Pareto front of volume and loss)\n";
    }
    if (feasible == 0) std::cerr << "tolvik-advise: no candidate is feasible\n";
    return feasible > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::cout << kUsage;
        return 0;
    }
    try {
        return Run(args);
    } catch (const UsageError& e) {
        std::cerr << "tolvik-advise: " << e.message << " (tolvik-advise --help lists the options)\n";
        return 2;
    }
}
