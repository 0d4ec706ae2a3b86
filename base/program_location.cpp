#include "base/program_location.h"

#include <system_error>

namespace morva {
namespace {

namespace fs = std::filesystem;

bool holdsShippedFiles(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kShippedFilesMarker, error);
}

} // namespace

fs::path executableFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

fs::path shippedFilesFolderFor(const fs::path& executableFolder) {
    if (holdsShippedFiles(executableFolder)) {
        return executableFolder;
    }
    const fs::path installed = (executableFolder / ".." / "share" / "morva").lexically_normal();
    return holdsShippedFiles(installed) ? installed : executableFolder;
}

fs::path shippedFilesFolder() {
    static const fs::path folder = [] {
        const fs::path own = executableFolder();
        if (own.empty()) {
            std::error_code error;
            return fs::current_path(error);
        }
        return shippedFilesFolderFor(own);
    }();
    return folder;
}

} // namespace morva
