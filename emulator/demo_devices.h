#pragma once

#include "emulator/emulated_hid_bus.h"
#include "hid/device_model_catalog.h"

namespace morva::emulator {

// What --demo attaches, in the GUI and in morvactl alike: one emulated device for each model,
// in device-bar order, each with its type's firmware. Devices that share identifiers take their
// slots in the order they arrive, so each lands on its own model's page and every slot of the
// supported-interface table is filled.
void plugDemoDevices(EmulatedHidBus& bus,
                     const hid::DeviceModelCatalog& models = hid::installedDeviceModels());

} // namespace morva::emulator
