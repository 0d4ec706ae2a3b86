#pragma once

#include "emulator/emulated_hid_bus.h"

namespace morva::cli {

// The devices --demo attaches, each with its firmware: a keyboard, a mouse, a mouse pad and a
// headset.
void plugDemoDevices(emulator::EmulatedHidBus& bus);

} // namespace morva::cli
