#pragma once

#include "base/unique_fd.h"

#include <chrono>
#include <filesystem>

namespace morva {

// An advisory lock on a folder (flock on the folder itself), held from construction until
// destruction. Every process that changes a device's profiles takes it, so a list operation in one
// program never interleaves with another's. Waits a bounded time for another holder.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder,
                        std::chrono::milliseconds patience = std::chrono::seconds(5));
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when the folder could not be opened or another process held it all the while.
    bool locked() const { return fd_.valid(); }
    // Not locked because another process held the lock longer than the patience.
    bool busy() const { return busy_; }

private:
    UniqueFd fd_; // closing it releases the lock
    bool busy_ = false;
};

} // namespace morva
