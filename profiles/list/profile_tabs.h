#pragma once

#include <array>
#include <string_view>
#include <vector>

// The function tabs of a device page, chosen from the profile panel, and which of them a device
// type has.
namespace morva::profiles {

// Tab options numbered 1 to 8, in this order.
inline constexpr std::array<std::string_view, 8> kProfileTabOptions = {
    "deng_Op_tab",   "key_Op_tab",        "macro_Op_tab", "system_Op_tab",
    "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

// The tab option with that number; empty for any other number (which selects no tab).
std::string_view profileTabOption(int number);

struct TabVisibility {
    std::string_view option;
    bool visible;
    // Language keys of the caption and tool tip the tab takes on this device type; empty keeps
    // the skin's.
    std::string_view captionKey = {};
    std::string_view toolTipKey = {};

    bool operator==(const TabVisibility&) const = default;
};

// What the device type changes in the page's tabs as the skin lays them out: the tabs it lacks are
// hidden, the headset shows its audio tabs, and a mouse shows its gun keys on tab 7, which is
// named after the page it opens on each.
std::vector<TabVisibility> profileTabVisibility(int deviceType);

} // namespace morva::profiles
