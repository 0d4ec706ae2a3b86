#pragma once

#include "emulator/firmware/headset_firmware.h"
#include "emulator/firmware/keyboard_firmware.h"
#include "emulator/firmware/mouse_firmware.h"
#include "emulator/firmware/mouse_pad_firmware.h"
#include "emulator/firmware_device.h"
#include "hid/device_model_catalog.h"

#include <memory>

// The emulated models: each exposes the collections that the supported-interface table expects
// for its kind (vendor collection 4 and consumer collection 3 on interface 1; the headset's
// single consumer collection on interface 3) and answers commands with its kind's firmware.
namespace morva::emulator {

inline constexpr uint16_t kKeyboardVendorId = 0x0C45;
inline constexpr uint16_t kKeyboardProductId = 0x8501;
inline constexpr uint16_t kEmulatedVersion = 0x0102;
inline constexpr int kControlInterface = 1;
inline constexpr int kHeadsetInterface = 3;

// The USB identifiers an emulated device reports; 0:0 unless a model says otherwise.
struct EmulatedIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// 0x0C45:0x8501.
std::shared_ptr<FirmwareHidDevice> makeEmulatedKeyboard(
    const emulator::FirmwareConfig& config = emulator::KeyboardFirmware::defaultConfig());
// A keyboard of another model: the same interfaces and firmware under other identifiers.
std::shared_ptr<FirmwareHidDevice> makeEmulatedKeyboard(
    uint16_t vendorId, uint16_t productId,
    const emulator::FirmwareConfig& config = emulator::KeyboardFirmware::defaultConfig());
std::shared_ptr<FirmwareHidDevice>
makeEmulatedMouse(const emulator::FirmwareConfig& config = emulator::MouseFirmware::defaultConfig(),
                  EmulatedIds ids = {});
// Its firmware is an emulator::WirelessMouseFirmware (link state of the receiver).
std::shared_ptr<FirmwareHidDevice> makeEmulatedWirelessMouse(
    const emulator::FirmwareConfig& config = emulator::WirelessMouseFirmware::defaultConfig(),
    EmulatedIds ids = {});
std::shared_ptr<FirmwareHidDevice> makeEmulatedMousePad(
    const emulator::FirmwareConfig& config = emulator::MousePadFirmware::defaultConfig(),
    EmulatedIds ids = {});
std::shared_ptr<FirmwareHidDevice> makeEmulatedHeadset(
    const emulator::FirmwareConfig& config = emulator::HeadsetFirmware::defaultConfig(),
    EmulatedIds ids = {});

// A device of a model of the models file: its identifiers, its type's interfaces and firmware
// with factory settings. Null for a type the emulator has no firmware for.
std::shared_ptr<FirmwareHidDevice> makeEmulatedModel(const hid::DeviceModel& model);

} // namespace morva::emulator
