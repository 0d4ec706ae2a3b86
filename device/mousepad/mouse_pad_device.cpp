#include "device/mousepad/mouse_pad_device.h"

namespace morva::device {

CKestraneMousePadDevice::CKestraneMousePadDevice() : MirroredSettingsDevice(hid::kDeviceMousePad) {}

CKestraneMousePadDevice::~CKestraneMousePadDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

} // namespace morva::device
