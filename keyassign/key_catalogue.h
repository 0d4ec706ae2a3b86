#pragma once

#include "profiles/assignment_code.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace morva::keyassign {

// One key a user can assign or record: its caption (a language key), the short English name of
// the text form ("A", "Enter", "Num 1"), the desktop's virtual-key code (0x101 and 0x103..0x105
// are numbers of our own for keys the desktop has no code for) and the code that stands for it.
struct KeyCatalogueEntry {
    std::string_view captionKey;
    std::string_view name;
    uint16_t virtualKey = 0;
    profiles::AssignmentCode code;
};

inline constexpr size_t kKeyCatalogueSize = 141;
// Entries 0..7 are the eight modifier keys (left Ctrl, Shift, Alt, Windows, then the right
// ones), 8..33 the letters, 34..43 the digits 1..9 and 0.
inline constexpr size_t kFirstNonModifierEntry = 8;

// The catalogue in its fixed order, which the macro documents share.
std::span<const KeyCatalogueEntry> keyCatalogue();

// The first entry, from `from` on, of kind 0x20 without modifier bits whose HID usage is
// `usage`.
std::optional<size_t> findKeyByUsage(uint8_t usage, size_t from = 0);
// The modifier entry (0..7) whose single modifier bit is `bit`.
std::optional<size_t> findModifierByBit(uint8_t bit);
// The first entry whose name is `name`, compared without regard to case.
std::optional<size_t> findKeyByName(std::string_view name);

} // namespace morva::keyassign
