#pragma once

#include "cli/cli_context.h"
#include "profiles/basic_profiledata.h"
#include "profiles/list/profile_list.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The device models the profile and light commands work on: named by their tab name, each with
// the profile list of its data folder.
namespace morva::cli {

struct ProfileDevice {
    std::string folderName; // the tab name, which names the data folder
    uint16_t deviceType = 0;
    int ledCount = 0;
    std::string lightFolder; // names the light configuration file (+ ".config")

    std::filesystem::path dataFolder() const;
    std::filesystem::path defaultProfilePath() const;
};

// The model whose tab name is `name`, ignoring case.
std::optional<ProfileDevice> findProfileDevice(std::string_view name);
// "mouse, keyboard, ...": every tab name, for messages.
std::string deviceNames();
// The same device found, or nothing after saying on err which devices there are.
std::optional<ProfileDevice> findProfileDeviceOrSay(CliContext& context, std::string_view name);

// The device's profile list, loaded (made on a first start); null after saying why on err. A
// note about a repair is printed on err too.
std::unique_ptr<profiles::ProfileList> loadProfileList(CliContext& context,
                                                       const ProfileDevice& device);

// The selected profile of a device, read.
struct SelectedProfile {
    std::string name;
    std::filesystem::path path;
    // The profile object of the device's type (a keyboard's reads its system settings too).
    std::unique_ptr<profiles::CBasicProfiledata> data;
};
// The device's selected profile, its device entry loaded (repaired from the default profile
// when damaged); null after saying why on err.
std::unique_ptr<SelectedProfile> loadSelectedProfile(CliContext& context,
                                                     const ProfileDevice& device);

} // namespace morva::cli
