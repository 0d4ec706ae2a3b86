#include "platform/wake_fd.h"

#include <cstdint>
#include <sys/eventfd.h>

namespace morva::platform {

WakeFd::WakeFd() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeFd::signal() const {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_.get(), &one, sizeof one);
}

bool WakeFd::consume() const {
    uint64_t count = 0;
    // Two waiters may both see the signal; only the one whose read succeeds takes it.
    return ::read(fd_.get(), &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

} // namespace morva::platform
