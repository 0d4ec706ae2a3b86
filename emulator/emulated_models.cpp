#include "emulator/emulated_models.h"

#include "emulator/emulated_descriptors.h"

namespace morva::emulator {
namespace {

using Interfaces = std::vector<EmulatedHidDevice::Interface>;

// Keyboards, mice and mouse pads: commands and events both on the control interface, in
// collections of their own.
constexpr FirmwareHidDevice::Wiring kControlWiring{kControlInterface, kControlInterface,
                                                   kEventReportLength};
constexpr FirmwareHidDevice::Wiring kHeadsetWiring{kHeadsetInterface, kHeadsetInterface,
                                                   kEventReportLength};

Interfaces mouseInterfaces() {
    return {{0, bootMouseDescriptor()}, {kControlInterface, controlInterfaceDescriptor()}};
}

} // namespace

std::shared_ptr<FirmwareHidDevice> makeEmulatedKeyboard(const emulator::FirmwareConfig& config) {
    return makeEmulatedKeyboard(kKeyboardVendorId, kKeyboardProductId, config);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedKeyboard(uint16_t vendorId, uint16_t productId,
                                                        const emulator::FirmwareConfig& config) {
    return std::make_shared<FirmwareHidDevice>(
        vendorId, productId, kEmulatedVersion,
        Interfaces{{0, bootKeyboardDescriptor()},
                   {kControlInterface, controlInterfaceDescriptor()}},
        std::make_unique<emulator::KeyboardFirmware>(config), kControlWiring);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedMouse(const emulator::FirmwareConfig& config,
                                                     EmulatedIds ids) {
    return std::make_shared<FirmwareHidDevice>(
        ids.vendorId, ids.productId, kEmulatedVersion, mouseInterfaces(),
        std::make_unique<emulator::MouseFirmware>(config), kControlWiring);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedWirelessMouse(const emulator::FirmwareConfig& config,
                                                             EmulatedIds ids) {
    // A receiver: the same interfaces as the wired mouse, reached through the dongle.
    return std::make_shared<FirmwareHidDevice>(
        ids.vendorId, ids.productId, kEmulatedVersion, mouseInterfaces(),
        std::make_unique<emulator::WirelessMouseFirmware>(config), kControlWiring);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedMousePad(const emulator::FirmwareConfig& config,
                                                        EmulatedIds ids) {
    return std::make_shared<FirmwareHidDevice>(
        ids.vendorId, ids.productId, kEmulatedVersion,
        Interfaces{{kControlInterface, controlInterfaceDescriptor()}},
        std::make_unique<emulator::MousePadFirmware>(config), kControlWiring);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedHeadset(const emulator::FirmwareConfig& config,
                                                       EmulatedIds ids) {
    return std::make_shared<FirmwareHidDevice>(ids.vendorId, ids.productId, kEmulatedVersion,
                                               Interfaces{{kHeadsetInterface, headsetDescriptor()}},
                                               std::make_unique<emulator::HeadsetFirmware>(config),
                                               kHeadsetWiring);
}

std::shared_ptr<FirmwareHidDevice> makeEmulatedModel(const hid::DeviceModel& model) {
    const EmulatedIds ids{model.vendorId, model.productId};
    switch (model.deviceType) {
    case hid::kDeviceKeyboard:
        return makeEmulatedKeyboard(ids.vendorId, ids.productId);
    case hid::kDeviceMouse:
        return makeEmulatedMouse(emulator::MouseFirmware::defaultConfig(), ids);
    case hid::kDeviceWirelessMouse:
        return makeEmulatedWirelessMouse(emulator::WirelessMouseFirmware::defaultConfig(), ids);
    case hid::kDeviceMousePad:
        return makeEmulatedMousePad(emulator::MousePadFirmware::defaultConfig(), ids);
    case hid::kDeviceHeadset:
        return makeEmulatedHeadset(emulator::HeadsetFirmware::defaultConfig(), ids);
    default:
        return nullptr;
    }
}

} // namespace morva::emulator
