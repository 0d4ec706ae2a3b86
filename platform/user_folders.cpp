#include "platform/user_folders.h"

#include "base/trace.h"
#include "platform/private_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace morva::platform {
namespace {

// The base folder an XDG variable names; relative values are invalid and ignored.
std::filesystem::path xdgBase(const char* variable, const std::filesystem::path& underHome) {
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        return value;
    }
    return userHomeFolder() / underHome;
}

} // namespace

std::filesystem::path userHomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/') {
        return entry->pw_dir;
    }
    return std::filesystem::temp_directory_path();
}

std::filesystem::path userConfigFolder() {
    return xdgBase("XDG_CONFIG_HOME", ".config") / kApplicationTitle;
}

std::filesystem::path userDataFolder() {
    return xdgBase("XDG_DATA_HOME", std::filesystem::path(".local") / "share") / kApplicationTitle;
}

std::optional<std::filesystem::path> userRuntimeFolder(const char* xdgRuntimeDir,
                                                       const std::filesystem::path& fallbackParent,
                                                       uid_t uid) {
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/') {
        const std::string problem = privateFolderProblem(xdgRuntimeDir, uid);
        if (problem.empty()) {
            return std::filesystem::path(xdgRuntimeDir);
        }
        trace("runtime folder: XDG_RUNTIME_DIR %s %s; not used\n", xdgRuntimeDir, problem.c_str());
    }
    const std::filesystem::path fallback = fallbackParent / ("morva-" + std::to_string(uid));
    if (const std::string problem = makePrivateFolder(fallback, uid); !problem.empty()) {
        trace("runtime folder: %s %s; no private folder for the sockets\n", fallback.c_str(),
              problem.c_str());
        return std::nullopt;
    }
    return fallback;
}

std::optional<std::filesystem::path> userRuntimeFolder() {
    return userRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp", ::getuid());
}

} // namespace morva::platform
