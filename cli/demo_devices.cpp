#include "cli/demo_devices.h"

#include "emulator/emulated_models.h"

namespace morva::cli {

void plugDemoDevices(emulator::EmulatedHidBus& bus) {
    bus.plug(emulator::makeEmulatedKeyboard());
    bus.plug(emulator::makeEmulatedMouse());
    bus.plug(emulator::makeEmulatedMousePad());
    bus.plug(emulator::makeEmulatedHeadset());
}

} // namespace morva::cli
