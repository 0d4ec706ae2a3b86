#include "platform/hid_fd_channel.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace morva::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;

// What is left of a time-out that started at begin; -1 stays infinite.
int remainingMs(int timeoutMs, SteadyClock::time_point begin) {
    if (timeoutMs < 0) {
        return -1;
    }
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin).count();
    return spent >= timeoutMs ? 0 : timeoutMs - static_cast<int>(spent);
}

HidIoResult resultOfFailedTransfer(int error) {
    switch (error) {
    case ENODEV:
    case EIO:
    case EPIPE:
    case ECONNRESET:
    case ENXIO:
        return HidIoResult::kDisconnected;
    default:
        return HidIoResult::kFailed;
    }
}

} // namespace

FdHidChannel::FdHidChannel(int fd) : fd_(fd), cancelFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FdHidChannel::~FdHidChannel() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (cancelFd_ >= 0) {
        ::close(cancelFd_);
    }
}

void FdHidChannel::cancel() {
    if (cancelFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(cancelFd_, &one, sizeof one);
    }
}

bool FdHidChannel::consumeCancel() {
    uint64_t count = 0;
    // Two waiters may both see the signal; only the one whose read succeeds takes it.
    return ::read(cancelFd_, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

FdHidChannel::Wait FdHidChannel::waitFor(short events, int timeoutMs) {
    const auto begin = SteadyClock::now();
    for (;;) {
        pollfd fds[2] = {{cancelFd_, POLLIN, 0}, {fd_, events, 0}};
        const int ready = ::poll(fds, 2, remainingMs(timeoutMs, begin));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wait::kFailed;
        }
        if (ready == 0) {
            return Wait::kTimedOut;
        }
        if ((fds[0].revents & POLLIN) != 0 && consumeCancel()) {
            return Wait::kCancelled;
        }
        if ((fds[1].revents & events) != 0) {
            return Wait::kReady;
        }
        if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return Wait::kHangUp;
        }
    }
}

// What a transfer returns when its wait ended without the descriptor becoming ready.
std::optional<HidIoResult> FdHidChannel::failedWait(Wait wait) {
    switch (wait) {
    case Wait::kReady:
        return std::nullopt;
    case Wait::kTimedOut:
        return HidIoResult::kTimedOut;
    case Wait::kCancelled:
        return HidIoResult::kCancelled;
    case Wait::kHangUp:
        return HidIoResult::kDisconnected;
    case Wait::kFailed:
        break;
    }
    return HidIoResult::kFailed;
}

HidIoResult FdHidChannel::read(std::span<uint8_t> buffer, int timeoutMs, size_t& bytesRead) {
    bytesRead = 0;
    if (!valid() || buffer.empty()) {
        return HidIoResult::kFailed;
    }
    const auto begin = SteadyClock::now();
    for (;;) {
        if (const auto ended = failedWait(waitFor(POLLIN, remainingMs(timeoutMs, begin)))) {
            return *ended;
        }
        const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
        if (got > 0) {
            bytesRead = static_cast<size_t>(got);
            return HidIoResult::kOk;
        }
        if (got == 0) {
            return HidIoResult::kDisconnected; // a socket's peer closed
        }
        if (errno != EAGAIN && errno != EINTR) {
            return resultOfFailedTransfer(errno);
        }
    }
}

HidIoResult FdHidChannel::write(std::span<const uint8_t> report, int timeoutMs,
                                size_t& bytesWritten) {
    bytesWritten = 0;
    if (!valid() || report.empty()) {
        return HidIoResult::kFailed;
    }
    const auto begin = SteadyClock::now();
    for (;;) {
        if (const auto ended = failedWait(waitFor(POLLOUT, remainingMs(timeoutMs, begin)))) {
            return *ended;
        }
        const ssize_t sent = ::write(fd_, report.data(), report.size());
        if (sent >= 0) {
            bytesWritten = static_cast<size_t>(sent);
            return HidIoResult::kOk;
        }
        if (errno != EAGAIN && errno != EINTR) {
            return resultOfFailedTransfer(errno);
        }
    }
}

bool FdHidChannel::setOutputReport(std::span<const uint8_t> report) {
    if (!valid() || report.empty()) {
        return false;
    }
    std::vector<uint8_t> copy(report.begin(), report.end()); // the ioctl takes a mutable buffer
    return ::ioctl(fd_, HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0;
}

} // namespace morva::platform
