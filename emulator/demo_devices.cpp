#include "emulator/demo_devices.h"

#include "base/trace.h"
#include "emulator/emulated_models.h"

#include <algorithm>
#include <array>

namespace morva::emulator {
namespace {

// A phone charging on the pad at 76 %: battery, charging state, unused, wireless flag (the host
// sets it), the pad's own byte, phone kind.
constexpr std::array<uint8_t, 6> kDemoPowerStatus{76, 1, 0, 0, 0, 1};

void seedDemoStatus(const hid::DeviceModel& model, CommandFirmware& firmware) {
    std::span<uint8_t> status = firmware.status();
    if (model.page.powerDisplay != 0 && status.size() >= kDemoPowerStatus.size()) {
        std::copy(kDemoPowerStatus.begin(), kDemoPowerStatus.end(), status.begin());
    }
}

} // namespace

std::vector<DemoDevice> plugDemoDevices(EmulatedHidBus& bus,
                                        const hid::DeviceModelCatalog& models) {
    std::vector<DemoDevice> plugged;
    for (const hid::DeviceModel& model : models.models()) {
        if (auto device = makeEmulatedModel(model)) {
            seedDemoStatus(model, device->firmware());
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
