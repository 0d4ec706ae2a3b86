#include "app/macro_target.h"

#include "device/key_assignments.h"
#include "device/usb_device.h"

namespace morva::app {

MacroTarget currentMacroTarget(const CurrentDeviceSource& currentDevice) {
    MacroTarget target;
    device::CKestraneUSBDevice* device = currentDevice ? currentDevice() : nullptr;
    // Only keyboards and mice, wired or not, have a macro panel.
    target.panel = device != nullptr ? device->macroPanel() : nullptr;
    if (target.panel == nullptr) {
        return target;
    }
    target.device = device;
    if (device::KeyAssignments* keys = device->keyAssignments()) {
        target.keyPanel = keys->panel();
    }
    return target;
}

} // namespace morva::app
