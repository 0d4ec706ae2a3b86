#pragma once

#include "emulator/firmware/command_firmware.h"

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <utility>

// The firmware of each emulated device type: its memory layout and what it does beyond the
// common commands.
namespace morva::emu {

// Key table and LED-index table, settings blocks of 30 bytes every 26 bytes, macro memory,
// custom light pages of 512 bytes, live frames.
class KeyboardFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsBlock = 30;
    static constexpr size_t kSettingsStride = 26;
    static constexpr size_t kLightPageSize = 512;
    static constexpr size_t kLightPages = 8;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit KeyboardFirmware(const FirmwareConfig& config = defaultConfig());
};

// Key table, settings blocks of 71 bytes every 128 (written as their first 66), macro and
// gun-key memory, DPI data in the device information, live frames.
class MouseFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsReadBlock = 71;
    static constexpr size_t kSettingsWriteBlock = 66;
    static constexpr size_t kSettingsStride = 128;
    static constexpr size_t kGunKeyBytes = 2048;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit MouseFirmware(const FirmwareConfig& config = defaultConfig());
};

// A mouse reached through its wireless receiver. The receiver answers the link check itself;
// while the mouse is not linked every other request goes unanswered.
class WirelessMouseFirmware : public MouseFirmware {
public:
    explicit WirelessMouseFirmware(const FirmwareConfig& config = defaultConfig());

    void setLinked(bool linked) { linked_ = linked; }
    bool isLinked() const { return linked_; }

protected:
    uint8_t execute(std::span<const uint8_t, kPacketSize> request, CommandPacket& reply) override;
    bool answers(uint8_t command) const override;

private:
    bool linked_ = true;
};

// Settings read as 30 bytes every 26 and written as 21 bytes every 64, the 6-byte status,
// live frames. No keys, no macros.
class MousePadFirmware : public CommandFirmware {
public:
    static constexpr size_t kSettingsReadBlock = 30;
    static constexpr size_t kSettingsReadStride = 26;
    static constexpr size_t kSettingsWriteBlock = 21;
    static constexpr size_t kSettingsWriteStride = 64;
    static constexpr size_t kStatusBytes = 6;

    static FirmwareConfig defaultConfig();
    static MemoryLayout memoryLayout();
    explicit MousePadFirmware(const FirmwareConfig& config = defaultConfig());
};

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

protected:
    FirmwareResponse handleOtherReport(std::span<const uint8_t> report) override;

private:
    // Channel values per target, indexed [target][channel][led].
    std::map<uint8_t, std::array<std::array<uint8_t, kLedCount>, 3>> channels_;
    size_t lightingReports_ = 0;
    size_t rejectedReports_ = 0;
};

} // namespace morva::emu
