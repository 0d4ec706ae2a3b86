#include "emulator/firmware/headset_firmware.h"

#include <algorithm>

namespace morva::emulator {

HeadsetFirmware::HeadsetFirmware(const FirmwareConfig& config) : MousePadFirmware(config) {
    for (uint8_t target : kTargets) {
        channels_[target] = {};
    }
}

HeadsetFirmware::Rgb HeadsetFirmware::ledColour(uint8_t target, size_t led) const {
    const auto found = channels_.find(target);
    if (found == channels_.end() || led >= kLedCount) {
        return {};
    }
    return {found->second[0][led], found->second[1][led], found->second[2][led]};
}

// Register blocks 0xAA/0xAB/0xAC carry red/green/blue of LEDs 0-6, 0xAD/0xAE/0xAF of LEDs 7-12.
FirmwareResponse HeadsetFirmware::handleOtherReport(std::span<const uint8_t> report) {
    constexpr uint8_t kFirstBlock = 0xAA;
    constexpr uint8_t kLastBlock = 0xAF;
    constexpr size_t kValues = 4;
    constexpr size_t kLowLeds = 7;
    if (report.size() != kLightingReportSize || report[0] != kLightingReportId ||
        report[2] < kFirstBlock || report[2] > kLastBlock || !channels_.contains(report[1])) {
        ++rejectedReports_;
        return {};
    }
    const size_t block = report[2] - kFirstBlock;
    const size_t channel = block % 3;
    const bool highLeds = block >= 3;
    const size_t firstLed = highLeds ? kLowLeds : 0;
    const size_t count = highLeds ? kLedCount - kLowLeds : kLowLeds;
    auto& values = channels_[report[1]][channel];
    std::copy_n(report.begin() + kValues, count, values.begin() + static_cast<long>(firstLed));
    addresses_.push_back({report[1], report[2]});
    ++lightingReports_;
    return {};
}

} // namespace morva::emulator
