#include "device/device_profile_binding.h"

#include "profiles/data_folders.h"

#include <utility>

namespace morva::device {

std::filesystem::path DeviceProfileBinding::defaultDataFolder() const {
    return profiles::folders::defaultDataFolder();
}

std::filesystem::path DeviceProfileBinding::defaultProfilePath() const {
    return profiles::folders::defaultProfilePath(deviceName_);
}

std::filesystem::path DeviceProfileBinding::userDataFolder() const {
    return profiles::folders::deviceDataFolder(deviceName_);
}

void DeviceProfileBinding::bindPanel(profiles::ProfilePanelBinding& panel, uint16_t deviceType) {
    if (deviceName_.empty()) {
        return;
    }
    profiles::BoundProfiles bound =
        panel.BindProfiles(userDataFolder(), defaultProfilePath(), deviceType);
    if (bound.outcome.notice != profiles::ProfileNotice::None) {
        startNotices_.push_back(bound.outcome.notice);
    }
    profileId_ = std::move(bound.selectedIdentifier);
}

void DeviceProfileBinding::loadActiveProfile(profiles::CBasicProfiledata& profile) {
    profile.SetDefaultProfilePath(defaultProfilePath());
    resolvePathsOf(profile);
    if (profile.GetProfilePath().empty()) {
        return;
    }
    profile.LoadDeviceEntry(profile.GetProfilePath());
    if (profile.LastLoadFoundDamage()) {
        startNotices_.push_back(profiles::ProfileNotice::ProfileRepaired);
    }
}

void DeviceProfileBinding::resolvePathsOf(profiles::CBasicProfiledata& profile) const {
    if (deviceName_.empty()) {
        return;
    }
    const std::filesystem::path folder = userDataFolder();
    if (folder.empty()) {
        return;
    }
    if (!profileId_.empty()) {
        profile.SetProfilePath(folder /
                               (profileId_ + std::string(profiles::folders::kProfileExtension)));
    }
    if (!lightFolderName_.empty()) {
        profile.SetLightConfigPath(folder / (lightFolderName_ + ".config"));
    }
}

std::vector<profiles::ProfileNotice> DeviceProfileBinding::takeStartNotices() {
    return std::exchange(startNotices_, {});
}

} // namespace morva::device
