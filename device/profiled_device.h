#pragma once

#include "device/usb_device.h"

#include <string>

namespace morva::device {

// What every device class does with the profile object of its type: the page bound to it, its
// paths, and the event thread on the companion interface. Each class still ends its event thread
// in its own destructor, while the whole object exists.
template <typename Profile> class ProfiledDevice : public CKestraneUSBDevice {
public:
    void BindPage() override { BindDevicePage(profile_); }
    bool OpenEventChannel(const hid::InterfaceSlot& slot) override {
        return StartEventThread(slot);
    }
    void ResolveProfilePaths() override { ResolveProfilePathsOf(profile_); }
    std::string GetProfilePath() const override { return profile_.GetProfilePath().string(); }
    void SaveProfile() override { profile_.Save(); }

    Profile& profile() { return profile_; }

protected:
    explicit ProfiledDevice(uint16_t ownType) : CKestraneUSBDevice(ownType) {}

    Profile profile_;
};

// A device whose lighting the host engine runs from its profile: connecting loads the profile's
// light settings and starts the lighting thread; a class with a protocol does its own work first.
template <typename Profile> class HostLitDevice : public ProfiledDevice<Profile> {
public:
    void Connect() override { this->ConnectLighting(this->profile_); }
    int ApplyProfile() override { return LoadLightSettings(); }
    int LoadLightSettings() override { return this->LoadLightSettingsFrom(this->profile_); }
    void SetLightSettings(const profiles::PackedLightInfo& packed) override {
        this->StoreLightSettingsIn(this->profile_, packed);
    }

protected:
    explicit HostLitDevice(uint16_t ownType) : ProfiledDevice<Profile>(ownType) {}
};

} // namespace morva::device
