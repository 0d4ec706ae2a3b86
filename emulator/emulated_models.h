#pragma once

#include "emulator/emulated_hid_device.h"

#include <memory>

// The emulated models: each exposes the collections that the supported-interface table expects
// for its kind (vendor collection 4 and consumer collection 3 on interface 1; the headset's
// single consumer collection on interface 3).
namespace morva::emulator {

inline constexpr uint16_t kKeyboardVendorId = 0x0C45;
inline constexpr uint16_t kKeyboardProductId = 0x8501;
inline constexpr uint16_t kEmulatedVersion = 0x0102;

std::shared_ptr<EmulatedHidDevice> makeEmulatedKeyboard(); // 0x0C45:0x8501
// The models whose table rows carry identifiers 0:0.
std::shared_ptr<EmulatedHidDevice> makeEmulatedMouse();
std::shared_ptr<EmulatedHidDevice> makeEmulatedWirelessMouse();
std::shared_ptr<EmulatedHidDevice> makeEmulatedMousePad();
std::shared_ptr<EmulatedHidDevice> makeEmulatedHeadset();

} // namespace morva::emulator
