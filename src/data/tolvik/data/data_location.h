#pragma once
/// Where the program finds its data file: a user's own file in the user's data folder
/// (freedesktop convention) comes before the file bundled in the program folder.

#include <string>

namespace tolvik::data {

/// Name of the data file, in the program folder and in the user's data folder.
inline constexpr const char* kDataFileName = "db1.mdb";

/// The user's data folder of the program: $XDG_DATA_HOME/tolvik when XDG_DATA_HOME is an
/// absolute path, else $HOME/.local/share/tolvik; "" when neither is set.
std::string UserDataFolder();

/// The user's data file (UserDataFolder() + "/db1.mdb"); "" when there is no user folder.
std::string UserDataFile();

/// The data file the program reads: the user's file when it exists, else
/// programFolder + "/db1.mdb".
std::string FindDataFile(const std::string& programFolder);

} // namespace tolvik::data
