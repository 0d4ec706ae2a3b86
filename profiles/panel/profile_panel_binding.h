#pragma once

#include "profiles/list/profile_list_result.h"

#include <filesystem>
#include <string>

namespace morva::profiles {

// What binding a panel to a model's profiles gave: how loading went and the profile the list
// has selected, which becomes the device's profile.
struct BoundProfiles {
    ProfileResult outcome;
    std::string selectedIdentifier; // empty when the list has none
};

// What a device page asks of its profile panel: load the model's profiles and show a function
// tab. The device knows the panel only through this. The selection flows one way, from the panel
// to the device: as the answer to BindProfiles, then with every activation of a chosen profile.
class ProfilePanelBinding {
public:
    virtual ~ProfilePanelBinding() = default;

    // Loads the profiles of the device data folder (making "profile1" from the default profile on
    // a first start) and shows them, with the tabs of the device type.
    virtual BoundProfiles BindProfiles(const std::filesystem::path& deviceFolder,
                                       const std::filesystem::path& defaultProfilePath,
                                       int deviceType) = 0;
    // Selects function tab 1 to 8 without notifying.
    virtual void ShowTab(int number) = 0;
};

} // namespace morva::profiles
