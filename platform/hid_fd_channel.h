#pragma once

#include "platform/hid_backend.h"

#include <optional>

namespace morva::platform {

// Report I/O on a file descriptor with hidraw's semantics: one report per read() and write().
// Waits use poll() on the descriptor and on an eventfd that cancel() signals. Works on any
// descriptor that keeps message boundaries (a SOCK_SEQPACKET socket in tests).
class FdHidChannel final : public HidChannel {
public:
    // Takes ownership of fd (opened non-blocking or not; waits never block in read/write).
    explicit FdHidChannel(int fd);
    ~FdHidChannel() override;
    FdHidChannel(const FdHidChannel&) = delete;
    FdHidChannel& operator=(const FdHidChannel&) = delete;

    // False when the channel could not create its cancel signal; it then fails every transfer.
    bool valid() const { return fd_ >= 0 && cancelFd_ >= 0; }

    HidIoResult read(std::span<uint8_t> buffer, int timeoutMs, size_t& bytesRead) override;
    HidIoResult write(std::span<const uint8_t> report, int timeoutMs,
                      size_t& bytesWritten) override;
    bool setOutputReport(std::span<const uint8_t> report) override;
    void cancel() override;

private:
    enum class Wait { kReady, kTimedOut, kCancelled, kHangUp, kFailed };
    Wait waitFor(short events, int timeoutMs);
    static std::optional<HidIoResult> failedWait(Wait wait);
    bool consumeCancel();

    int fd_;
    int cancelFd_;
};

} // namespace morva::platform
