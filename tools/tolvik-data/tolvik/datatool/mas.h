#pragma once
/// MAS (Magnetic Agnostic Structure) documents and the tables of a CSV folder: what a
/// material or core described in MAS becomes in the data file, and back. MAS gives every
/// quantity in SI units (T, A/m, Hz, W/m³, m, m², °C); the data file keeps mT, kHz, kW/m³,
/// mm and mm².

#include "tolvik/data/json.h"
#include "tolvik/datatool/csv.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tolvik::datatool {

using data::Json;
using data::KindName;
using data::ParseJson;

/// The tables of a CSV folder by table name (as `export` writes them).
using CsvTables = std::map<std::string, CsvText>;

/// One x-y point of a curve, in the units of the data file.
struct CurvePoint {
    double x = 0;
    double y = 0;
};

/// A material as MAS describes it, converted to the units of the data file.
struct MasMaterial {
    std::string name;
    std::string place;                               ///< where the document starts, for messages
    double mui = 0;                                  ///< at 25 °C
    double bs25 = 0, bs100 = 0, hc25 = 0, hc100 = 0; ///< mT, A/m; 0: not given
    double tc = 0, density = 0, resistivity = 0;     ///< °C, kg/m³, Ω·m; 0: not given
    double fmin = 0, fmax = 0;                       ///< kHz; 0: not given
    bool current = true;
    std::vector<CurvePoint> muiT;                 ///< T [°C], µi
    std::map<int, std::vector<CurvePoint>> muaB;  ///< 25 / 100 °C: B [mT], µa
    std::vector<CurvePoint> muReal, muImag;       ///< f [kHz], µ' and µ''
    std::map<int, std::vector<CurvePoint>> loops; ///< 25 / 100 °C: H [A/m], B [mT], in loop order
    struct Loss {
        double t = 0, f = 0, b = 0, pv = 0; ///< °C, kHz, mT, kW/m³
    };
    std::vector<Loss> losses;
    struct Law {
        double fmin = 0, fmax = 0;         ///< Hz; 0: no bound
        double k = 0, alpha = 0, beta = 0; ///< P [W/m³] = k f^alpha B^beta, f in Hz, B in T
        double ct0 = 1, ct1 = 0, ct2 = 0;  ///< times ct0 - ct1 T + ct2 T²
    };
    std::vector<Law> laws;
};

/// A core shape (a MAS core with its effective parameters), in the units of the data file.
struct MasCore {
    std::string name; ///< the core type (Kerntyp)
    std::string place;
    bool lowProfile = false, hole = false;
    double ae = 0, le = 0, ve = 0, amin = 0, an = 0, rth = 0; ///< mm², mm, mm³, mm², mm², °C/W
};

/// Everything read from one input: the documents, and per document the refusals (one line
/// each: place, field path, what to do) and the notes for the report.
struct MasDocuments {
    std::vector<MasMaterial> materials;
    std::vector<MasCore> cores;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
};

/// Reads a MAS text: one document, a list of documents, or NDJSON (one document per line).
/// source names the input in messages.
MasDocuments ReadMas(std::string_view text, const std::string& source);

/// Merges the documents into the tables: a row of Material and the curve columns per material,
/// a row of Kernform per core. A name that the tables hold already is refused (an error)
/// unless replace is set, then the old row and columns go. Curves go onto the table's x grid
/// (interpolated) or, in an empty table, onto the union of the imported x values.
void MergeMas(const MasDocuments& docs, CsvTables& tables, bool replace, std::vector<std::string>& errors,
              std::vector<std::string>& notes);

/// The loss law Pv = e^C * B^X (kW/m³, mT) fitted by least squares in the logarithms;
/// false when fewer than two distinct flux densities are given or the fit is not finite.
bool FitLossLaw(const std::vector<CurvePoint>& bPv, double& x, double& c);

struct MasImportResult {
    bool written = false;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
};

/// tolvik-data import-mas: reads the input, merges it into the CSV folder (created when
/// missing, every table the program reads present) and writes the folder anew with an
/// import-report.txt; nothing is written unless the whole import succeeds.
MasImportResult ImportMas(const std::string& input, const std::string& folder, bool replace);

struct MasExportResult {
    bool written = false;
    std::string error;
    std::vector<std::string> notes;
    int materials = 0, cores = 0;
};

/// Which materials and core shapes to export: all, or only those named (names without regard
/// to case; a core type names all its variants).
struct MasSelection {
    bool all = true;
    std::vector<std::string> materials, shapes;
};

/// The tables as MAS documents: the selected materials and core shapes; notes name what MAS
/// has no field for.
std::vector<Json> TablesToMas(const CsvTables& tables, const MasSelection& selection,
                              std::vector<std::string>& notes);

/// tolvik-data export-mas: the data file's materials and core shapes as NDJSON.
MasExportResult ExportMas(const std::string& dataFile, const std::string& output,
                          const MasSelection& selection);

/// The suffixes that name a core's variant in MAS: "E 20/10/6 (low profile)".
inline constexpr std::string_view kLowProfileSuffix = " (low profile)";
inline constexpr std::string_view kHoleSuffix = " (with hole)";

} // namespace tolvik::datatool
