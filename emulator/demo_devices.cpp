#include "emulator/demo_devices.h"

#include "base/trace.h"
#include "emulator/emulated_models.h"
#include "hid/hid_model_tables.h"

namespace morva::emulator {
namespace {

std::shared_ptr<FirmwareHidDevice> makeDeviceOfRow(const DeviceTabRow& row) {
    switch (row.deviceType) {
    case kDeviceKeyboard:
        return makeEmulatedKeyboard(row.vendorId, row.productId);
    case kDeviceMouse:
        return makeEmulatedMouse();
    case kDeviceWirelessMouse:
        return makeEmulatedWirelessMouse();
    case kDeviceMousePad:
        return makeEmulatedMousePad();
    case kDeviceHeadset:
        return makeEmulatedHeadset();
    default:
        return nullptr;
    }
}

} // namespace

void plugDemoDevices(EmulatedHidBus& bus) {
    for (const DeviceTabRow& row : DeviceTabTable()) {
        if (auto device = makeDeviceOfRow(row)) {
            plugFirmwareDevice(bus, std::move(device));
        } else {
            trace("demo: no emulated model for the device type %u of \"%.*s\"\n",
                  unsigned{row.deviceType}, static_cast<int>(row.tabName.size()),
                  row.tabName.data());
        }
    }
}

} // namespace morva::emulator
