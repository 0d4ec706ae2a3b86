#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace morva::macros {

// Recording identifies a key by the make code of scan code set 1 and whether it comes with the
// E0 prefix, as the desktop's keyboard hook reports it; the virtual-key code is left aside because
// it changes with the layout and the lock keys. Row i stands for key catalogue entry i, so the
// rows cover the modifiers and the keyboard keys of the catalogue (entries 0..112); media,
// browser and power keys have no row and are not recorded.
struct ScanCodeRow {
    uint8_t scanCode = 0;
    bool extended = false;
};

inline constexpr size_t kScanCodeRowCount = 113;

std::span<const ScanCodeRow> scanCodeTable();

// The first row of that scan code and prefix: the catalogue entry of the key.
std::optional<size_t> findScanCodeRow(uint32_t scanCode, bool extended);

} // namespace morva::macros
