#include "cli/demo_devices.h"

#include "emulator/emulated_models.h"

namespace morva::cli {

void plugDemoDevices(emulator::EmulatedHidBus& bus) {
    emulator::plugFirmwareDevice(bus, emulator::makeEmulatedKeyboard());
    emulator::plugFirmwareDevice(bus, emulator::makeEmulatedMouse());
    emulator::plugFirmwareDevice(bus, emulator::makeEmulatedMousePad());
    emulator::plugFirmwareDevice(bus, emulator::makeEmulatedHeadset());
}

} // namespace morva::cli
