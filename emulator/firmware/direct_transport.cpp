#include "emulator/firmware/direct_transport.h"

#include <algorithm>

namespace morva::emulator {

bool DirectFirmwareTransport::finish(bool isWrite, uint32_t timeoutMs, Outcome outcome) {
    if (recordTransfers_) {
        transfers_.push_back({isWrite, timeoutMs, outcome});
    }
    return outcome == Outcome::Done;
}

bool DirectFirmwareTransport::writeReport(std::span<const uint8_t, device::kPacketSize> report,
                                          uint32_t timeoutMs) {
    std::lock_guard lock(mutex_);
    ++writes_;
    if (cancelled_) {
        return finish(true, timeoutMs, Outcome::Cancelled);
    }
    const FirmwareResponse response = firmware_.handleRequest(report);
    if (!response.accepted) {
        if (!firmware_.isPlugged()) {
            inbox_.clear();
        }
        return finish(true, timeoutMs, Outcome::Failed);
    }
    const uint64_t availableAt = nowMs_ + firmware_.latencyMs() + response.extraDelayMs;
    for (const device::CommandPacket& reply : response.replyList()) {
        inbox_.push_back({availableAt, reply});
    }
    changed_.notify_all();
    return finish(true, timeoutMs, Outcome::Done);
}

bool DirectFirmwareTransport::readReport(std::span<uint8_t, device::kPacketSize> report,
                                         uint32_t timeoutMs) {
    std::unique_lock lock(mutex_);
    ++reads_;
    if (cancelled_) {
        return finish(false, timeoutMs, Outcome::Cancelled);
    }
    if (!firmware_.isPlugged()) {
        return finish(false, timeoutMs, Outcome::Failed);
    }
    if (!inbox_.empty() && inbox_.front().availableAt <= nowMs_ + timeoutMs) {
        nowMs_ = std::max(nowMs_, inbox_.front().availableAt);
        std::copy(inbox_.front().report.begin(), inbox_.front().report.end(), report.begin());
        inbox_.pop_front();
        return finish(false, timeoutMs, Outcome::Done);
    }
    if (realWaits_) {
        ++pendingReads_;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return cancelled_; });
        --pendingReads_;
        if (cancelled_) {
            return finish(false, timeoutMs, Outcome::Cancelled);
        }
    }
    nowMs_ += timeoutMs;
    return finish(false, timeoutMs, Outcome::TimedOut);
}

void DirectFirmwareTransport::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
}

void DirectFirmwareTransport::reopen() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
    inbox_.clear();
}

void DirectFirmwareTransport::setRealWaits(bool real) {
    std::lock_guard lock(mutex_);
    realWaits_ = real;
}

bool DirectFirmwareTransport::waitForPendingRead(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return pendingReads_ > 0; });
}

std::vector<DirectFirmwareTransport::Transfer> DirectFirmwareTransport::transfers() const {
    std::lock_guard lock(mutex_);
    return transfers_;
}

void DirectFirmwareTransport::clearTransfers() {
    std::lock_guard lock(mutex_);
    transfers_.clear();
    writes_ = 0;
    reads_ = 0;
}

void DirectFirmwareTransport::setRecordTransfers(bool record) {
    std::lock_guard lock(mutex_);
    recordTransfers_ = record;
}

size_t DirectFirmwareTransport::writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

size_t DirectFirmwareTransport::reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

uint64_t DirectFirmwareTransport::simulatedMs() const {
    std::lock_guard lock(mutex_);
    return nowMs_;
}

size_t DirectFirmwareTransport::unreadReplies() const {
    std::lock_guard lock(mutex_);
    return inbox_.size();
}

} // namespace morva::emulator
