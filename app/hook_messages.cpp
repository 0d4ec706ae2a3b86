#include "app/hook_messages.h"

#include "base/registered_messages.h"

#include <array>
#include <string_view>

namespace morva::app {
namespace {

struct ModeNames {
    int mode;
    std::string_view keyboard;
    std::string_view mouse; // empty: none
};

constexpr std::array<ModeNames, 5> kNames = {{
    {hook_mode::kKeyCapture, "WM_HOOK_KEY_SINGLEKEY_MSG", ""},
    {hook_mode::kAppend, "WM_HOOK_KEY_KBMACRO_MSG", "WM_HOOK_KEY_MSMACRO_MSG"},
    {hook_mode::kInsertBefore, "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
     "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"},
    {hook_mode::kInsertAfter, "WM_HOOK_KEY_KBMACROLATER_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG"},
    {hook_mode::kReplace, "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_MSMACROSINGLE_MSG"},
}};

const ModeNames* namesOf(int mode) {
    for (const ModeNames& names : kNames) {
        if (names.mode == mode) {
            return &names;
        }
    }
    return nullptr;
}

} // namespace

std::optional<uint32_t> HookMessages::keyboard(int mode) {
    const ModeNames* names = namesOf(mode);
    return names != nullptr ? std::optional(registerWindowMessage(names->keyboard)) : std::nullopt;
}

std::optional<uint32_t> HookMessages::mouse(int mode) {
    const ModeNames* names = namesOf(mode);
    if (names == nullptr || names->mouse.empty()) {
        return std::nullopt;
    }
    return registerWindowMessage(names->mouse);
}

} // namespace morva::app
