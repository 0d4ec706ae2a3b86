#pragma once

#include "device/command_packet.h"

#include <cstdint>
#include <span>

namespace morva::device {

// What the command channel needs from an open vendor interface: whole 64-byte reports moved
// with a time-out, and a way for another thread to end a pending transfer at once.
class ReportTransport {
public:
    virtual ~ReportTransport() = default;

    // True when the whole report was written within the time-out.
    virtual bool writeReport(std::span<const uint8_t, kPacketSize> report, uint32_t timeoutMs) = 0;
    // True when one input report arrived within the time-out; false on time-out, cancellation
    // or a lost device.
    virtual bool readReport(std::span<uint8_t, kPacketSize> report, uint32_t timeoutMs) = 0;
    // Ends a pending read or write with failure; called from another thread on close.
    virtual void cancel() = 0;
};

} // namespace morva::device
