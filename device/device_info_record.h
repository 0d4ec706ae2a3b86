#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace morva::device {

// The 34-byte record a device returns for command 0x03. Only a few bytes are interpreted; the
// others are carried as they came.
struct DeviceInfoRecord {
    static constexpr size_t kSize = 34;
    static constexpr size_t kKeyCount = 5;
    static constexpr size_t kMacroUnits = 6;
    static constexpr size_t kDpiPerStep = 11;
    static constexpr size_t kDpiSteps = 12;  // 16-bit little-endian
    static constexpr size_t kLowestDpi = 14; // 16-bit little-endian
    static constexpr size_t kMacroUnitBytes = 128;

    std::array<uint8_t, kSize> bytes{};

    static DeviceInfoRecord fromBytes(std::span<const uint8_t, kSize> raw) {
        DeviceInfoRecord record;
        std::copy(raw.begin(), raw.end(), record.bytes.begin());
        return record;
    }

    // N: the key table is N × 3 bytes, the LED-index table N bytes.
    uint8_t keyCount() const { return bytes[kKeyCount]; }
    uint8_t macroMemoryUnits() const { return bytes[kMacroUnits]; }
    size_t macroMemoryBytes() const { return size_t{macroMemoryUnits()} * kMacroUnitBytes; }
    size_t keyTableBytes() const { return size_t{keyCount()} * 3; }
    uint8_t dpiPerStep() const { return bytes[kDpiPerStep]; }
    uint16_t dpiSteps() const { return word(kDpiSteps); }
    uint32_t highestDpi() const { return uint32_t{dpiPerStep()} * dpiSteps(); }
    uint16_t lowestDpi() const { return word(kLowestDpi); }

    void setKeyCount(uint8_t n) { bytes[kKeyCount] = n; }
    void setMacroMemoryUnits(uint8_t units) { bytes[kMacroUnits] = units; }
    void setDpiPerStep(uint8_t dpi) { bytes[kDpiPerStep] = dpi; }
    void setDpiSteps(uint16_t steps) { setWord(kDpiSteps, steps); }
    void setLowestDpi(uint16_t dpi) { setWord(kLowestDpi, dpi); }

    bool operator==(const DeviceInfoRecord&) const = default;

private:
    uint16_t word(size_t at) const { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }
    void setWord(size_t at, uint16_t value) {
        bytes[at] = static_cast<uint8_t>(value & 0xFF);
        bytes[at + 1] = static_cast<uint8_t>(value >> 8);
    }
};

} // namespace morva::device
