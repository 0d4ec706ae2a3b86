#include "device/keyboard/keyboard_device.h"

namespace morva::device {

CKestraneKeyboardDevice::CKestraneKeyboardDevice() : KeyAssignedDevice(hid::kDeviceKeyboard) {}

CKestraneKeyboardDevice::~CKestraneKeyboardDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneKeyboardDevice::ShowFunctionPanels(int kind) {
    KeyAssignedDevice::ShowFunctionPanels(kind);
    if (ui::Control* fn = keyButton(kFnKeyPosition); fn != nullptr && (kind == 1 || kind == 2)) {
        fn->setEnabled(kind == 1);
    }
}

} // namespace morva::device
