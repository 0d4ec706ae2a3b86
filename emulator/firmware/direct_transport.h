#pragma once

#include "device/report_transport.h"
#include "emulator/firmware/command_firmware.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace morva::emulator {

// A transport that hands each written report straight to a firmware object and delivers its
// replies, for tests and benchmarks that need no HID bus. Time is simulated: latency and
// time-outs advance a counter instead of the wall clock, so a silent device costs nothing,
// unless real waits are asked for (then a read with nothing to deliver really waits, and
// cancel() ends it).
class DirectFirmwareTransport final : public device::ReportTransport {
public:
    enum class Outcome { Done, Failed, TimedOut, Cancelled };
    struct Transfer {
        bool isWrite = false;
        uint32_t timeoutMs = 0;
        Outcome outcome = Outcome::Done;
    };

    explicit DirectFirmwareTransport(CommandFirmware& firmware) : firmware_(firmware) {}

    bool writeReport(std::span<const uint8_t, device::kPacketSize> report,
                     uint32_t timeoutMs) override;
    bool readReport(std::span<uint8_t, device::kPacketSize> report, uint32_t timeoutMs) override;
    // Fails the pending and every later transfer until reopen().
    void cancel() override;
    void reopen();

    void setRealWaits(bool real);
    // Waits (really) until some thread is blocked in a read; false if none came in time.
    bool waitForPendingRead(std::chrono::milliseconds limit);

    std::vector<Transfer> transfers() const;
    void clearTransfers();
    void setRecordTransfers(bool record);
    size_t writes() const;
    size_t reads() const;
    // Simulated milliseconds spent waiting for replies and time-outs.
    uint64_t simulatedMs() const;
    // Replies that arrived but were never read.
    size_t unreadReplies() const;

private:
    struct Pending {
        uint64_t availableAt;
        device::CommandPacket report;
    };
    bool finish(bool isWrite, uint32_t timeoutMs, Outcome outcome);

    CommandFirmware& firmware_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Pending> inbox_;
    std::vector<Transfer> transfers_;
    bool recordTransfers_ = true;
    size_t writes_ = 0;
    size_t reads_ = 0;
    size_t pendingReads_ = 0;
    bool cancelled_ = false;
    bool realWaits_ = false;
    uint64_t nowMs_ = 0;
};

} // namespace morva::emulator
