#pragma once

#include "device/usb_device.h"
#include "profiles/keyboard_profiledata.h"

namespace morva::device {

// The device object of a keyboard.
// Its protocol operations come with its protocol; until then the base ones apply.
class CKestraneKeyboardDevice : public CKestraneUSBDevice {
public:
    static constexpr std::string_view kClassName = "KestraneKeyboardDevice";
    static constexpr std::string_view kFactoryName = "CKestraneKeyboardDevice";

    CKestraneKeyboardDevice();
    ~CKestraneKeyboardDevice() override;

    std::string_view className() const override { return kClassName; }

    void BindPage() override;
    bool OpenEventChannel(const hid::InterfaceSlot& slot) override;
    void ResolveProfilePaths() override;
    std::string GetProfilePath() const override;

    profiles::CKeyboardProfiledata& profile() { return profile_; }

private:
    profiles::CKeyboardProfiledata profile_;
};

} // namespace morva::device
