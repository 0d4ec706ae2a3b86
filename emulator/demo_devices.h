#pragma once

#include "emulator/emulated_hid_bus.h"
#include "emulator/firmware_device.h"
#include "hid/device_model_catalog.h"

#include <memory>
#include <string>
#include <vector>

namespace morva::emulator {

// One emulated device of the demo, with the tab name of its model.
struct DemoDevice {
    std::string tabName;
    std::shared_ptr<FirmwareHidDevice> device;
};

// What --demo attaches, in the GUI and in morvactl alike: one emulated device for each model,
// in device-bar order, each with its type's firmware. Devices that share identifiers take their
// slots in the order they arrive, so each lands on its own model's page and every slot of the
// supported-interface table is filled. Returns them in that order.
std::vector<DemoDevice>
plugDemoDevices(EmulatedHidBus& bus,
                const hid::DeviceModelCatalog& models = hid::installedDeviceModels());

} // namespace morva::emulator
