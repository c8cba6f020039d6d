#pragma once
/// The commands of tolvik-data: a data file to CSV files and back, and the user's own
/// data file. Findings use the places of check.h: table, row (the CSV line below the
/// header), column.

#include "tolvik/datatool/check.h"

#include <string>
#include <vector>

namespace tolvik::datatool {

/// Writes every table of the data file as <table>.csv (header row with the field names,
/// rows in stored order) and a README.txt on the tables into the folder, which is created
/// when missing. Returns "" or what went wrong.
std::string ExportDataFile(const std::string& dataFile, const std::string& folder);

struct BuildResult {
    bool written = false;          ///< the data file was written
    std::vector<Finding> findings; ///< faults of the CSV files, then the check of the result
};

/// Builds a data file from the CSV files of a folder: the tables and fields the program
/// reads, rows in the CSV's order, each cell checked against its field's type, then the
/// whole file checked. Writes a temporary file beside the data file and renames it only
/// when nothing is wrong, so a failure leaves no file or the old one. Refuses to replace
/// one of the protected files (the program's data files) unless force is set.
BuildResult BuildDataFile(const std::string& folder, const std::string& dataFile,
                          const std::vector<std::string>& protectedFiles, bool force);

/// Checks a data file and, when it is usable, copies it (through a temporary file) to the
/// user's data folder, where the program finds it before its bundled file. Returns the
/// findings; written tells whether the file was installed, message where.
struct InstallResult {
    bool written = false;
    std::string message;
    std::vector<Finding> findings;
};
InstallResult InstallDataFile(const std::string& dataFile);

/// Removes the user's data file, so that the program reads its bundled file again.
/// Returns false and the reason when it cannot.
bool RemoveInstalledDataFile(std::string& message);

} // namespace tolvik::datatool
