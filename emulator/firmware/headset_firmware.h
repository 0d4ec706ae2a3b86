#pragma once

#include "emulator/firmware/mouse_pad_firmware.h"

#include <array>
#include <map>
#include <vector>

namespace morva::emulator {

// The headset's vendor side: a pad's settings and status, and the 17-byte lighting reports
// (report id 0xFF, target, register block, 0, channel values) that set its 13 LEDs.
class HeadsetFirmware : public MousePadFirmware {
public:
    static constexpr size_t kLightingReportSize = 17;
    static constexpr uint8_t kLightingReportId = 0xFF;
    static constexpr size_t kLedCount = 13;
    static constexpr uint8_t kTargets[2] = {0x22, 0x44};
    using Rgb = std::array<uint8_t, 3>;

    explicit HeadsetFirmware(const FirmwareConfig& config = defaultConfig());

    // The colour of an LED as the lighting reports of one target left it.
    Rgb ledColour(uint8_t target, size_t led) const;
    size_t lightingReportsReceived() const { return lightingReports_; }
    size_t rejectedReports() const { return rejectedReports_; }
    // Target and register block of every accepted lighting report, in arrival order.
    struct ReportAddress {
        uint8_t target = 0;
        uint8_t block = 0;
        bool operator==(const ReportAddress&) const = default;
    };
    const std::vector<ReportAddress>& reportAddresses() const { return addresses_; }
    void clearReportAddresses() { addresses_.clear(); }

protected:
    FirmwareResponse handleOtherReport(std::span<const uint8_t> report) override;

private:
    // Channel values per target, indexed [channel][led].
    std::map<uint8_t, std::array<std::array<uint8_t, kLedCount>, 3>> channels_;
    std::vector<ReportAddress> addresses_;
    size_t lightingReports_ = 0;
    size_t rejectedReports_ = 0;
};

} // namespace morva::emulator
