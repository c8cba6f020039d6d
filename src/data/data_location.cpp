#include "tolvik/data/data_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tolvik::data {

std::string UserDataFolder() {
    // The convention ignores a relative XDG_DATA_HOME.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/tolvik";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share/tolvik";
    return {};
}

std::string UserDataFile() {
    const std::string folder = UserDataFolder();
    return folder.empty() ? std::string() : folder + "/" + kDataFileName;
}

std::string FindDataFile(const std::string& programFolder) {
    const std::string user = UserDataFile();
    std::error_code ec;
    if (!user.empty() && std::filesystem::is_regular_file(user, ec)) return user;
    return programFolder + "/" + kDataFileName;
}

} // namespace tolvik::data
