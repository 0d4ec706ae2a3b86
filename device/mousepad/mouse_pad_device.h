#pragma once

#include "device/usb_device.h"
#include "profiles/basic_profiledata.h"

namespace morva::device {

// The device object of a lit mouse pad.
// Its protocol operations come with its protocol; until then the base ones apply.
class CKestraneMousePadDevice : public CKestraneUSBDevice {
public:
    static constexpr std::string_view kClassName = "KestraneMousePadDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMousePadDevice";

    CKestraneMousePadDevice();
    ~CKestraneMousePadDevice() override;

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
    void LightingRefresh() override { SendLiveFrame(); }

    profiles::CBasicProfiledata& profile() { return profile_; }

private:
    profiles::CBasicProfiledata profile_;
};

} // namespace morva::device
