#include "app/user_folders.h"

#include <cstdlib>

namespace morva {
namespace {

// The base folder an XDG variable names; relative values are invalid and ignored.
std::filesystem::path xdgBase(const char* variable, const std::filesystem::path& underHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        return value;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / underHome;
    }
    return std::filesystem::temp_directory_path();
}

} // namespace

std::filesystem::path userConfigFolder() {
    return xdgBase("XDG_CONFIG_HOME", ".config") / kApplicationTitle;
}

std::filesystem::path userDataFolder() {
    return xdgBase("XDG_DATA_HOME", std::filesystem::path(".local") / "share") / kApplicationTitle;
}

} // namespace morva
