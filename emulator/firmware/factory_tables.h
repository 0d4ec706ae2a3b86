#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The key tables the emulated devices leave the factory with: one three-byte assignment code
// (kind, first parameter, second parameter) per device key.
namespace morva::emu {

using KeyCode = std::array<uint8_t, 3>;

inline constexpr size_t kKeyboardFactoryKeys = 126;
inline constexpr size_t kMouseFactoryButtons = 10;

// Device key k of the keyboard holds the code of on-screen key position k.
const std::array<KeyCode, kKeyboardFactoryKeys>& keyboardFactoryKeyTable();
// Device key k of the mouse holds the code of button position k.
const std::array<KeyCode, kMouseFactoryButtons>& mouseFactoryKeyTable();

} // namespace morva::emu
