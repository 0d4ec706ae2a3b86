#include "profiles/list/profile_tabs.h"

namespace morva::profiles {

std::string_view profileTabOption(int number) {
    if (number < 1 || number > static_cast<int>(kProfileTabOptions.size())) {
        return {};
    }
    return kProfileTabOptions[static_cast<size_t>(number - 1)];
}

std::vector<TabVisibility> profileTabVisibility(int deviceType) {
    const TabVisibility hideCursor{"cursor_Op_tab", false};
    const TabVisibility hideMacro{"macro_Op_tab", false};
    const TabVisibility hideSystem{"system_Op_tab", false};
    const TabVisibility hideKey{"key_Op_tab", false};
    switch (deviceType) {
    case 1: // keyboard
        return {hideCursor};
    case 3: // mouse pad
    case 5:
        return {hideCursor, hideMacro, hideSystem, hideKey};
    case 4:
        return {hideCursor, hideMacro, hideKey};
    case 7: // headset
        return {hideCursor,
                hideMacro,
                hideSystem,
                hideKey,
                {"6533_voice_Op_tab", true},
                {"magic_Op_tab", true, "voice_tab_text", "voice_tab_tip"},
                {"Virtual7.1_Op_tab", true}};
    case 2: // mice, wired and wireless, have every tab; the seventh opens their gun keys
    case 6:
        return {{"magic_Op_tab", true, "shoot_tab_text", "shoot_tab_tip"}};
    default:
        return {};
    }
}

} // namespace morva::profiles
