#pragma once
/// Application-wide state from start-up to exit: the open material database, the
/// program folder and data file path, the version text and the graph readers' log.

#include "tolvik/data/database.h"
#include "tolvik/ui_common/reading_log.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tolvik {

struct AppContext {
    std::unique_ptr<data::Database> database;
    std::string databasePath; ///< the user's data file, else appFolder + "/db1.mdb"
    std::string appFolder;    ///< the folder of the executable
    std::string versionText = "4.0";
    ReadingLog log; ///< readingLog, readingLogOverflow, readingLogLines

    data::Database& db() { return *database; }
};

/// Name of the data file in the program folder.
inline constexpr const char* kDataFileName = "db1.mdb";

} // namespace tolvik
