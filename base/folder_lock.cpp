#include "base/folder_lock.h"

#include "base/trace.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace morva {
namespace {

constexpr std::chrono::milliseconds kRetryInterval(10);

} // namespace

FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds patience) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        trace("cannot open %s to lock it: %s\n", folder.string().c_str(), std::strerror(errno));
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            fd_ = std::move(fd);
            return;
        }
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            busy_ = error == EWOULDBLOCK;
            trace("cannot lock %s: %s\n", folder.string().c_str(),
                  error == EWOULDBLOCK ? "another program keeps it locked" : std::strerror(error));
            return;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

} // namespace morva
