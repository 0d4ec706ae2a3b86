#include "emulator/firmware/device_firmwares.h"

#include "emulator/firmware/factory_tables.h"

#include <algorithm>

namespace morva::emu {
namespace {

constexpr size_t kLiveFrameBytes = 512;
constexpr size_t kStatusBytes = 6;

// Device key k gets factory code k; keys beyond the factory table stay empty.
template <size_t Count>
void loadFactoryKeys(std::span<uint8_t> table, const std::array<KeyCode, Count>& codes) {
    for (size_t k = 0; k < codes.size() && k * 3 + 3 <= table.size(); ++k) {
        std::copy(codes[k].begin(), codes[k].end(), table.begin() + static_cast<long>(k * 3));
    }
}

} // namespace

FirmwareConfig KeyboardFirmware::defaultConfig() {
    return {.keyCount = static_cast<uint8_t>(kKeyboardFactoryKeys), .macroUnits = 32};
}

MemoryLayout KeyboardFirmware::memoryLayout() {
    return {.settings = {kSettingsBlock, kSettingsStride, kSettingsBlock, kSettingsStride},
            .ledIndexTable = true,
            .lightPageSize = kLightPageSize,
            .lightPageCount = kLightPages,
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

KeyboardFirmware::KeyboardFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {
    loadFactoryKeys(keyTable(), keyboardFactoryKeyTable());
}

FirmwareConfig MouseFirmware::defaultConfig() {
    return {.keyCount = static_cast<uint8_t>(kMouseFactoryButtons),
            .macroUnits = 16,
            .dpiPerStep = 50,
            .dpiSteps = 320,
            .lowestDpi = 100};
}

MemoryLayout MouseFirmware::memoryLayout() {
    return {.settings = {kSettingsReadBlock, kSettingsStride, kSettingsWriteBlock, kSettingsStride},
            .gunKeyBytes = kGunKeyBytes,
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

MouseFirmware::MouseFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {
    loadFactoryKeys(keyTable(), mouseFactoryKeyTable());
}

WirelessMouseFirmware::WirelessMouseFirmware(const FirmwareConfig& config)
    : MouseFirmware(config) {}

bool WirelessMouseFirmware::answers(uint8_t command) const {
    return linked_ || command == command::kLinkCheck;
}

uint8_t WirelessMouseFirmware::execute(std::span<const uint8_t, kPacketSize> request,
                                       CommandPacket& reply) {
    if (packetCommand(request) == command::kLinkCheck) {
        reply[packet_byte::kData] = linked_ ? kLinkUp : 0x00;
        return kStatusOk;
    }
    return MouseFirmware::execute(request, reply);
}

FirmwareConfig MousePadFirmware::defaultConfig() {
    return {};
}

MemoryLayout MousePadFirmware::memoryLayout() {
    return {.settings = {kSettingsReadBlock, kSettingsReadStride, kSettingsWriteBlock,
                         kSettingsWriteStride},
            .liveFrameBytes = kLiveFrameBytes,
            .statusBytes = kStatusBytes};
}

MousePadFirmware::MousePadFirmware(const FirmwareConfig& config)
    : CommandFirmware(config, memoryLayout()) {}

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
    ++lightingReports_;
    return {};
}

} // namespace morva::emu
