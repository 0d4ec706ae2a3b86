#include "device/keyboard/keyboard_device.h"

namespace morva::device {

CKestraneKeyboardDevice::CKestraneKeyboardDevice() : ProfiledDevice(hid::kDeviceKeyboard) {}

CKestraneKeyboardDevice::~CKestraneKeyboardDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

} // namespace morva::device
