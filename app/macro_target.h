#pragma once

#include <functional>

namespace morva::device {
class CKestraneUSBDevice;
}
namespace morva::keyassign {
class CKeySetControlUI;
}
namespace morva::macros {
class CMacroControlUI;
}

namespace morva::app {

// The macro panel of the current device, which must be a keyboard or a mouse, with the device and
// its key-assignment panel (null when the page has none).
struct MacroTarget {
    device::CKestraneUSBDevice* device = nullptr;
    macros::CMacroControlUI* panel = nullptr;
    keyassign::CKeySetControlUI* keyPanel = nullptr;

    explicit operator bool() const { return panel != nullptr; }
};

using CurrentDeviceSource = std::function<device::CKestraneUSBDevice*()>;

MacroTarget currentMacroTarget(const CurrentDeviceSource& currentDevice);

} // namespace morva::app
