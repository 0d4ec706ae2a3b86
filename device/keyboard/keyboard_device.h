#pragma once

#include "device/profiled_device.h"
#include "profiles/keyboard_profiledata.h"

namespace morva::device {

// The device object of a keyboard.
class CKestraneKeyboardDevice : public ProfiledDevice<profiles::CKeyboardProfiledata> {
public:
    static constexpr std::string_view kClassName = "KestraneKeyboardDevice";
    static constexpr std::string_view kFactoryName = "CKestraneKeyboardDevice";

    CKestraneKeyboardDevice();
    ~CKestraneKeyboardDevice() override;

    std::string_view className() const override { return kClassName; }
};

} // namespace morva::device
