#pragma once

#include "device/key_assigned_device.h"
#include "device/profiled_device.h"
#include "profiles/keyboard_profiledata.h"

namespace morva::device {

// The device object of a keyboard.
class CKestraneKeyboardDevice
    : public KeyAssignedDevice<ProfiledDevice<profiles::CKeyboardProfiledata>> {
public:
    static constexpr std::string_view kClassName = "KestraneKeyboardDevice";
    static constexpr std::string_view kFactoryName = "CKestraneKeyboardDevice";

    CKestraneKeyboardDevice();
    ~CKestraneKeyboardDevice() override;

    std::string_view className() const override { return kClassName; }

    // The Fn key (position 110) can be lit but not given another function: its button is
    // available on the lighting panel and unavailable on the key-assignment panel.
    void ShowFunctionPanels(int kind) override;

    static constexpr size_t kFnKeyPosition = 110;
};

} // namespace morva::device
