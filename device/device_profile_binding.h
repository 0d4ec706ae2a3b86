#pragma once

#include "profiles/basic_profiledata.h"
#include "profiles/list/profile_list_result.h"
#include "profiles/panel/profile_panel_binding.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morva::device {

// A device's hold on its model's profiles: the folders its tab name names, the active profile and
// what loading them found. The active profile is the one applied to the device and whose file the
// profile object reads and writes. Only the profile panel sets it (the answer to bind, then each
// activation), so it trails the panel's shown choice during the activation delay alone.
class DeviceProfileBinding {
public:
    // The tab name of the model: it names the data folder and the default profile.
    void setDeviceName(std::string name) { deviceName_ = std::move(name); }
    const std::string& deviceName() const { return deviceName_; }
    // Names the light configuration file (+ ".config").
    void setLightFolderName(std::string name) { lightFolderName_ = std::move(name); }
    const std::string& lightFolderName() const { return lightFolderName_; }
    void setProfileIdentifier(std::string id) { profileId_ = std::move(id); }
    const std::string& profileId() const { return profileId_; }

    std::filesystem::path defaultDataFolder() const;
    std::filesystem::path defaultProfilePath() const;
    // The per-user folder of the model, created when missing.
    std::filesystem::path userDataFolder() const;

    // Loads the model's profiles into the panel; the profile the list has selected becomes the
    // active one. Nothing without a device name.
    void bindPanel(profiles::ProfilePanelBinding& panel, uint16_t deviceType);
    // Points the profile object at the default profile, the active profile's file and the light
    // configuration file, and loads the active profile's device entry.
    void loadActiveProfile(profiles::CBasicProfiledata& profile);
    // The profile file (user data folder + identifier + ".Json") and the light configuration
    // file (user data folder + light folder name + ".config").
    void resolvePathsOf(profiles::CBasicProfiledata& profile) const;
    // What the user should be told about loading (a list made anew, a damaged profile repaired),
    // once.
    std::vector<profiles::ProfileNotice> takeStartNotices();

private:
    std::string deviceName_;
    std::string lightFolderName_;
    std::string profileId_;
    std::vector<profiles::ProfileNotice> startNotices_;
};

} // namespace morva::device
