#include "base/write_protection.h"

#include "base/program_location.h"

#include <algorithm>
#include <mutex>
#include <system_error>
#include <vector>

namespace morva {
namespace {

namespace fs = std::filesystem;

struct ProtectedFolders {
    // The running program's own folder and the one of what it ships: protected from the start,
    // before anyone asks where the program's data lives.
    ProtectedFolders() {
        if (fs::path own = executableFolder(); !own.empty()) {
            folders.push_back(std::move(own));
        }
        if (fs::path shipped = shippedFilesFolder(); !shipped.empty()) {
            folders.push_back(std::move(shipped));
        }
    }
    std::mutex lock;
    std::vector<fs::path> folders;
};

ProtectedFolders& protectedFolders() {
    static ProtectedFolders instance;
    return instance;
}

fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path result = fs::weakly_canonical(path, error);
    if (error) {
        result = fs::absolute(path, error).lexically_normal();
    }
    return result;
}

} // namespace

bool isSameOrInside(const fs::path& path, const fs::path& folder) {
    if (path.empty() || folder.empty()) {
        return false;
    }
    const fs::path target = resolved(path);
    fs::path base = resolved(folder);
    if (!base.has_filename()) {
        base = base.parent_path(); // "dir/" compares as "dir"
    }
    return std::mismatch(base.begin(), base.end(), target.begin(), target.end()).first ==
           base.end();
}

void protectFolderFromWrites(const fs::path& folder) {
    if (folder.empty()) {
        return;
    }
    ProtectedFolders& state = protectedFolders();
    const std::lock_guard guard(state.lock);
    if (std::find(state.folders.begin(), state.folders.end(), folder) == state.folders.end()) {
        state.folders.push_back(folder);
    }
}

bool isWriteProtected(const fs::path& path) {
    ProtectedFolders& state = protectedFolders();
    const std::lock_guard guard(state.lock);
    return std::any_of(state.folders.begin(), state.folders.end(),
                       [&](const fs::path& folder) { return isSameOrInside(path, folder); });
}

} // namespace morva
