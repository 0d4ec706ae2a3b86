#pragma once

#include "emulator/emulated_hid_bus.h"

namespace morva::emulator {

// What --demo attaches, in the GUI and in morvactl alike: one emulated device for each row of the
// device-tab table, in row order, each with its kind's firmware. Devices that share identifiers
// take their slots in the order they arrive, so each lands on its own row's page and every slot
// of the supported-interface table is filled.
void plugDemoDevices(EmulatedHidBus& bus);

} // namespace morva::emulator
