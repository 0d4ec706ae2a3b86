#pragma once

#include "profiles/list/profile_list_result.h"

#include <filesystem>
#include <string>

namespace morva {

// What a device page asks of its profile panel: load the model's profiles, say which one is
// selected, and show a function tab. The device knows the panel only through this.
class ProfilePanelBinding {
public:
    virtual ~ProfilePanelBinding() = default;

    // Loads the profiles of the device data folder (making "profile1" from the default profile on
    // a first start) and shows them, with the tabs of the device type.
    virtual ProfileResult BindProfiles(const std::filesystem::path& deviceFolder,
                                       const std::filesystem::path& defaultProfilePath,
                                       int deviceType) = 0;
    // The identifier of the selected profile; empty when none.
    virtual std::string GetSelectedIdentifier() const = 0;
    // Selects function tab 1 to 8 without notifying.
    virtual void ShowTab(int number) = 0;
};

} // namespace morva
