#pragma once

#include "device/key_position_tables.h"

#include <cstddef>
#include <span>

// The key tables the emulated devices leave the factory with: device key k holds the factory
// code of on-screen position k, so a fresh device maps every position to the key of the same
// number.
namespace morva::emulator {

inline constexpr size_t kKeyboardFactoryKeys = device::kKeyPositionCount;
inline constexpr size_t kMouseFactoryButtons = device::kMouseButtonCount;

// Device key k gets factory code k; keys beyond the factory table stay empty.
void loadKeyboardFactoryKeys(std::span<uint8_t> keyTable);
void loadMouseFactoryKeys(std::span<uint8_t> keyTable);

} // namespace morva::emulator
