#pragma once

#include "device/report_transport.h"
#include "hid/hid_device.h"

namespace morva::device {

// The command channel's reports over an open HID interface: each 64-byte packet (report ID 0x04
// first, as CHidDevice buffers start with the report ID) is one output report, each reply one
// input report. Input reports with another report ID (the events that share a headset's single
// collection) are not replies and are skipped.
class HidReportTransport final : public ReportTransport {
public:
    // The HID device must outlive the transport.
    explicit HidReportTransport(hid::CHidDevice& device) : device_(device) {}

    bool writeReport(std::span<const uint8_t, kPacketSize> report, uint32_t timeoutMs) override;
    bool readReport(std::span<uint8_t, kPacketSize> report, uint32_t timeoutMs) override;
    void cancel() override { device_.Cancel(); }

private:
    hid::CHidDevice& device_;
};

} // namespace morva::device
