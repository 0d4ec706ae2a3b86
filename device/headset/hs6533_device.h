#pragma once

#include "device/usb_device.h"
#include "profiles/hs6533_profiledata.h"

namespace morva::device {

// The device object of an HS6533-kind headset (its HID side; the audio side comes with the audio
// library). Its protocol operations come with its protocol; until then the base ones apply.
class CKestraneHS6533Device : public CKestraneUSBDevice {
public:
    static constexpr std::string_view kClassName = "KestraneHS6533Device";
    static constexpr std::string_view kFactoryName = "CKestraneHS6533Device";

    CKestraneHS6533Device();
    ~CKestraneHS6533Device() override;

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

    profiles::CHs6533Profiledata& profile() { return profile_; }

private:
    profiles::CHs6533Profiledata profile_;
};

} // namespace morva::device
