#include "emulator/emulated_hid_channel.h"

#include "emulator/emulated_hid_device.h"

#include <algorithm>
#include <chrono>

namespace morva::emulator {
namespace {

// Like the kernel's per-reader buffer: a reader that never reads does not grow memory forever.
constexpr size_t kMaxQueuedReports = 1024;

} // namespace

using platform::HidIoResult;

EmulatedHidChannel::EmulatedHidChannel(std::shared_ptr<EmulatedHidDevice> device,
                                       int interfaceNumber)
    : device_(std::move(device)), interfaceNumber_(interfaceNumber),
      simulatedTime_(device_->simulatedTime()),
      ownNowMs_(simulatedTime_ ? simulatedTime_->nowMs() : 0) {}

EmulatedHidChannel::~EmulatedHidChannel() {
    device_->detachChannel(this);
}

bool EmulatedHidChannel::takeCancel() {
    if (pendingCancels_ == 0) {
        return false;
    }
    --pendingCancels_;
    return true;
}

bool EmulatedHidChannel::dueWithin(int timeoutMs) const {
    return !reports_.empty() &&
           reports_.front().dueMs <= ownNowMs_ + static_cast<uint64_t>(timeoutMs);
}

HidIoResult EmulatedHidChannel::read(std::span<uint8_t> buffer, int timeoutMs, size_t& bytesRead) {
    bytesRead = 0;
    if (buffer.empty()) {
        return HidIoResult::kFailed;
    }
    std::unique_lock lock(mutex_);
    const auto ready = [&] {
        return pendingCancels_ > 0 || disconnected_ || !reports_.empty();
    };
    if (timeoutMs < 0) {
        changed_.wait(lock, ready);
    } else if (simulatedTime_) {
        if (pendingCancels_ == 0 && !disconnected_ && !dueWithin(timeoutMs)) {
            // Only a wait for a reply that is on its way moves the clock: an idle reader of
            // another interface timing out must not bring a late reply forward.
            if (!reports_.empty()) {
                ownNowMs_ += static_cast<uint64_t>(timeoutMs);
                simulatedTime_->advanceTo(ownNowMs_);
            }
            return HidIoResult::kTimedOut;
        }
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return HidIoResult::kTimedOut;
    }
    if (takeCancel()) {
        return HidIoResult::kCancelled;
    }
    if (disconnected_) {
        return HidIoResult::kDisconnected;
    }
    const Queued queued = std::move(reports_.front());
    reports_.pop_front();
    if (simulatedTime_) {
        ownNowMs_ = std::max(ownNowMs_, queued.dueMs);
        simulatedTime_->advanceTo(ownNowMs_);
    }
    const std::vector<uint8_t>& report = queued.bytes;
    bytesRead = std::min(report.size(), buffer.size()); // a short buffer truncates, as hidraw
    std::copy_n(report.begin(), bytesRead, buffer.begin());
    return HidIoResult::kOk;
}

HidIoResult EmulatedHidChannel::write(std::span<const uint8_t> report, int /*timeoutMs*/,
                                      size_t& bytesWritten) {
    bytesWritten = 0;
    {
        std::lock_guard lock(mutex_);
        if (takeCancel()) {
            return HidIoResult::kCancelled;
        }
        if (disconnected_) {
            return HidIoResult::kDisconnected;
        }
    }
    if (report.empty()) {
        return HidIoResult::kFailed;
    }
    if (!device_->receiveOutputReport(interfaceNumber_, report)) {
        std::lock_guard lock(mutex_);
        return disconnected_ ? HidIoResult::kDisconnected : HidIoResult::kFailed;
    }
    bytesWritten = report.size();
    return HidIoResult::kOk;
}

bool EmulatedHidChannel::setOutputReport(std::span<const uint8_t> report) {
    size_t written = 0;
    return write(report, 0, written) == HidIoResult::kOk;
}

void EmulatedHidChannel::cancel() {
    {
        std::lock_guard lock(mutex_);
        ++pendingCancels_;
    }
    changed_.notify_all();
}

void EmulatedHidChannel::deliver(std::span<const uint8_t> report, uint32_t delayMs) {
    {
        std::lock_guard lock(mutex_);
        const uint64_t due = simulatedTime_ ? ownNowMs_ + delayMs : 0;
        if (disconnected_) {
            return;
        }
        if (reports_.size() >= kMaxQueuedReports) {
            reports_.pop_front();
        }
        reports_.push_back({due, std::vector<uint8_t>(report.begin(), report.end())});
    }
    changed_.notify_all();
}

void EmulatedHidChannel::disconnect() {
    {
        std::lock_guard lock(mutex_);
        disconnected_ = true;
        reports_.clear();
    }
    changed_.notify_all();
}

} // namespace morva::emulator
