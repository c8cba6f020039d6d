// libFuzzer target: the MAS reader of tolvik-data on any bytes. Either the input is refused
// with at least one message, or it is merged into tables whose number cells all hold finite
// numbers (never a NaN or an infinity), and those tables go back to MAS documents.

#include "tolvik/datatool/mas.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvik::datatool;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const MasDocuments docs = ReadMas(text, "fuzz.json");
    if (!docs.errors.empty()) return 0;
    CsvTables tables;
    std::vector<std::string> errors, notes;
    MergeMas(docs, tables, false, errors, notes);
    if (!errors.empty()) return 0;
    for (const auto& [name, table] : tables)
        for (std::size_t c = 0; c < table.header.size(); ++c) {
            if (table.header[c] == "Name" || table.header[c] == "Kerntyp") continue;
            for (const auto& row : table.rows) {
                double v = 0;
                if (c < row.size() && !row[c].empty() && !ReadNumber(row[c], v)) std::abort();
            }
        }
    std::vector<std::string> exportNotes;
    for (const Json& doc : TablesToMas(tables, {}, exportNotes))
        if (doc.dump().empty()) std::abort();
    return 0;
}
