#pragma once

#include "device/usb_device.h"
#include "profiles/mouse_profiledata.h"

namespace morva::device {

// The device object of a mouse, wired or behind a wireless receiver.
// Its protocol operations come with its protocol; until then the base ones apply.
class CKestraneMouseDevice : public CKestraneUSBDevice {
public:
    static constexpr std::string_view kClassName = "KestraneMouseDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMouseDevice";

    CKestraneMouseDevice();
    ~CKestraneMouseDevice() override;

    std::string_view className() const override { return kClassName; }

    void BindPage() override;
    bool OpenEventChannel(const hid::InterfaceSlot& slot) override;
    void ResolveProfilePaths() override;
    std::string GetProfilePath() const override;
    // Until the protocol comes, connect and apply profile run the lighting of the profile.
    void Connect() override { ConnectLighting(profile_); }
    int ApplyProfile() override { return LoadLightSettings(); }
    int LoadLightSettings() override { return LoadLightSettingsFrom(profile_); }
    void SetLightSettings(const profiles::PackedLightInfo& packed) override {
        StoreLightSettingsIn(profile_, packed);
    }
    void SaveProfile() override { profile_.Save(); }
    // The logo segments "light_0_" n show LED n, then the LEDs go to the mouse.
    void LightingRefresh() override;

    profiles::CMouseProfiledata& profile() { return profile_; }

private:
    profiles::CMouseProfiledata profile_;
    std::vector<ui::ControlRef> logoSegments_;
};

} // namespace morva::device
