#include "emulator/demo_devices.h"

#include "base/trace.h"
#include "emulator/emulated_models.h"

namespace morva::emulator {

std::vector<DemoDevice> plugDemoDevices(EmulatedHidBus& bus,
                                        const hid::DeviceModelCatalog& models) {
    std::vector<DemoDevice> plugged;
    for (const hid::DeviceModel& model : models.models()) {
        if (auto device = makeEmulatedModel(model)) {
            plugFirmwareDevice(bus, device);
            plugged.push_back({model.tabName, std::move(device)});
        } else {
            trace("demo: no emulated model for the device type %u of \"%s\"\n",
                  unsigned{model.deviceType}, model.tabName.c_str());
        }
    }
    return plugged;
}

} // namespace morva::emulator
