#pragma once

#include "macros/event_packing.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The macro memory image of keyboards and mice, and the gun-key image of mice, which has the
// same layout with exactly four records. All 16-bit values are little-endian:
//
//   offset 0        0x55AA (bytes AA 55)
//   offset 2        total length L of the image in bytes
//   offset 4        number of records M
//   offset 6..15    reserved, 0
//   offset 16       M record offsets, 2 bytes each, counted from the start of the image
//   offset 16 + 2M  the M records back to back, each:
//                     event count E (2 bytes), 2 reserved bytes (0), E packed events of 4 bytes
//
//   L = 16 + 6M + 4 × (events of all records)
namespace morva::device {

// The events of each record, in record order.
struct MacroImage {
    std::vector<std::vector<macros::PackedMacroEvent>> records;

    bool operator==(const MacroImage&) const = default;
};

inline constexpr uint16_t kMacroImageMagic = 0x55AA;
inline constexpr size_t kMacroImageHeader = 16;

// 16 + 6 × records + 4 × events.
size_t macroImageLength(const MacroImage& image);
std::vector<uint8_t> encodeMacroImage(const MacroImage& image);
// The records of an image; nothing when the bytes are no image (wrong magic or length, an
// offset or a count that runs past the end).
std::optional<MacroImage> decodeMacroImage(std::span<const uint8_t> bytes);

// How a macro image fits a macro memory of `memoryBytes`: 0 when it fits, otherwise the number
// of events that do not fit, (L − memory) ÷ 4 + 1.
int macroImageExcess(size_t imageLength, size_t memoryBytes);

} // namespace morva::device
