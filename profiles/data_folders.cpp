#include "profiles/data_folders.h"

#include "base/program_location.h"
#include "base/trace.h"
#include "base/write_protection.h"
#include "platform/user_folders.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>
#include <unistd.h>

namespace morva::profiles::folders {
namespace {

namespace fs = std::filesystem;

struct ProgramFolderOverride {
    std::mutex lock;
    fs::path folder;
};

ProgramFolderOverride& programFolderOverride() {
    static ProgramFolderOverride instance;
    return instance;
}

// A device folder name is one path component: no separators, not "." or "..".
bool isPlainFolderName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

// Creates one folder level; an existing folder is fine and failures are only traced.
void makeFolder(const fs::path& folder) {
    std::error_code error;
    if (!fs::create_directory(folder, error) && error) {
        trace("cannot create folder %s: %s\n", folder.string().c_str(), error.message().c_str());
    }
}

} // namespace

fs::path programFolder() {
    {
        ProgramFolderOverride& state = programFolderOverride();
        const std::lock_guard guard(state.lock);
        if (!state.folder.empty()) {
            return state.folder;
        }
    }
    return shippedFilesFolder();
}

void setProgramFolder(const fs::path& folder) {
    // What a program ships is never written, wherever it is installed.
    protectFolderFromWrites(folder);
    ProgramFolderOverride& state = programFolderOverride();
    const std::lock_guard guard(state.lock);
    state.folder = folder;
}

fs::path defaultDataFolder() {
    return programFolder() / kDefaultDataFolderName;
}

fs::path defaultProfilePath(std::string_view deviceFolderName) {
    if (!isPlainFolderName(deviceFolderName)) {
        return {};
    }
    return defaultDataFolder() / (std::string(deviceFolderName) + std::string(kProfileExtension));
}

bool isInsideDefaultDataFolder(const fs::path& path) {
    return isSameOrInside(path, defaultDataFolder());
}

fs::path applicationFolder() {
    const fs::path folder = platform::userDataFolder();
    // The base folder too, as the desktop would make it when it does not exist yet.
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        trace("cannot create folder %s: %s\n", folder.string().c_str(), error.message().c_str());
    }
    return folder;
}

fs::path deviceDataFolder(std::string_view deviceFolderName) {
    if (!isPlainFolderName(deviceFolderName)) {
        trace("deviceDataFolder: unusable device folder name\n");
        return {};
    }
    const fs::path folder = applicationFolder() / deviceFolderName;
    makeFolder(folder);
    return folder;
}

} // namespace morva::profiles::folders
