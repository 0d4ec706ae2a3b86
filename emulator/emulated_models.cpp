#include "emulator/emulated_models.h"

#include "emulator/emulated_descriptors.h"

namespace morva::emulator {

std::shared_ptr<EmulatedHidDevice> makeEmulatedKeyboard() {
    return std::make_shared<EmulatedHidDevice>(
        kKeyboardVendorId, kKeyboardProductId, kEmulatedVersion,
        std::vector<EmulatedHidDevice::Interface>{{0, bootKeyboardDescriptor()},
                                                  {1, controlInterfaceDescriptor()}});
}

std::shared_ptr<EmulatedHidDevice> makeEmulatedMouse() {
    return std::make_shared<EmulatedHidDevice>(
        0, 0, kEmulatedVersion,
        std::vector<EmulatedHidDevice::Interface>{{0, bootMouseDescriptor()},
                                                  {1, controlInterfaceDescriptor()}});
}

std::shared_ptr<EmulatedHidDevice> makeEmulatedWirelessMouse() {
    // A receiver: the same interfaces as the wired mouse, reached through the dongle.
    return makeEmulatedMouse();
}

std::shared_ptr<EmulatedHidDevice> makeEmulatedMousePad() {
    return std::make_shared<EmulatedHidDevice>(
        0, 0, kEmulatedVersion,
        std::vector<EmulatedHidDevice::Interface>{{1, controlInterfaceDescriptor()}});
}

std::shared_ptr<EmulatedHidDevice> makeEmulatedHeadset() {
    return std::make_shared<EmulatedHidDevice>(
        0, 0, kEmulatedVersion,
        std::vector<EmulatedHidDevice::Interface>{{3, headsetDescriptor()}});
}

} // namespace morva::emulator
