#include "device/hid_report_transport.h"

#include <algorithm>
#include <chrono>

namespace morva::device {
namespace {

using SteadyClock = std::chrono::steady_clock;

uint32_t remainingMs(uint32_t timeoutMs, SteadyClock::time_point begin) {
    if (timeoutMs == hid::kHidInfinite) {
        return timeoutMs;
    }
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin).count();
    return spent >= timeoutMs ? 0 : timeoutMs - static_cast<uint32_t>(spent);
}

} // namespace

bool HidReportTransport::writeReport(std::span<const uint8_t, kPacketSize> report,
                                     uint32_t timeoutMs) {
    uint32_t written = 0;
    return device_.Write(kPacketSize, written, report.data(), timeoutMs) && written == kPacketSize;
}

bool HidReportTransport::readReport(std::span<uint8_t, kPacketSize> report, uint32_t timeoutMs) {
    const auto begin = SteadyClock::now();
    for (;;) {
        uint32_t got = 0;
        if (!device_.Read(kPacketSize, got, report.data(), remainingMs(timeoutMs, begin))) {
            return false;
        }
        if (report[packet_byte::kReportId] == kCommandReportId) {
            // A shorter report leaves no stale bytes of an earlier one behind.
            std::fill(report.begin() + got, report.end(), uint8_t{0});
            return true;
        }
    }
}

} // namespace morva::device
