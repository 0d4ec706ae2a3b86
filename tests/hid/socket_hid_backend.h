#pragma once

#include "platform/hid_backend.h"
#include "platform/hid_fd_channel.h"

#include <mutex>
#include <sys/socket.h>
#include <unistd.h>

namespace morva::test {

// A HID node played by a SOCK_SEQPACKET socket pair: the channel gets one end, the test holds
// the other and plays the device (hidraw's one-report-per-read semantics).
class SocketHidBackend final : public platform::HidBackend {
public:
    explicit SocketHidBackend(platform::HidNodeInfo node) : node_(std::move(node)) {}
    ~SocketHidBackend() override { unplug(); }

    // The device side of the channel opened last; -1 before the first open or after unplug.
    int deviceEnd() const {
        std::lock_guard lock(mutex_);
        return peer_;
    }
    // Closing the device side is what a vanished device looks like on the host side.
    void unplug() {
        std::lock_guard lock(mutex_);
        present_ = false;
        if (peer_ >= 0) {
            ::close(peer_);
            peer_ = -1;
        }
    }
    bool sendInput(const std::vector<uint8_t>& report) const {
        return ::send(deviceEnd(), report.data(), report.size(), 0) ==
               static_cast<ssize_t>(report.size());
    }

    bool enumerate(std::vector<platform::HidNodeInfo>& nodes) override {
        std::lock_guard lock(mutex_);
        nodes.clear();
        if (present_) {
            nodes.push_back(node_);
        }
        return true;
    }
    bool describe(const std::string& node, const std::string&,
                  platform::HidNodeInfo& info) override {
        std::lock_guard lock(mutex_);
        info = node_;
        return present_ && node == node_.node;
    }
    platform::HidOpenResult open(const std::string& node, const std::string&,
                                 const platform::HidOpenRequest&,
                                 std::unique_ptr<platform::HidChannel>& channel) override {
        std::lock_guard lock(mutex_);
        if (!present_ || node != node_.node) {
            return platform::HidOpenResult::kNotFound;
        }
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0) {
            return platform::HidOpenResult::kFailed;
        }
        if (peer_ >= 0) {
            ::close(peer_);
        }
        peer_ = fds[1];
        channel = std::make_unique<platform::FdHidChannel>(fds[0]);
        return platform::HidOpenResult::kOk;
    }
    bool isPresent(const std::string& node, const std::string&) override {
        std::lock_guard lock(mutex_);
        return present_ && node == node_.node;
    }

private:
    mutable std::mutex mutex_;
    platform::HidNodeInfo node_;
    int peer_ = -1;
    bool present_ = true;
};

} // namespace morva::test
