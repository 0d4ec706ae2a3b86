#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

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

// Device key k gets factory code k; keys beyond the factory table stay empty.
void loadKeyboardFactoryKeys(std::span<uint8_t> keyTable);
void loadMouseFactoryKeys(std::span<uint8_t> keyTable);

} // namespace morva::emu
