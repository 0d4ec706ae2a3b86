#pragma once

#include <cstdint>
#include <optional>

namespace morva::app {

// What the input hook is started for; each mode has its messages, by which the main window tells
// where recorded keys and buttons go.
namespace hook_mode {
inline constexpr int kKeyCapture = 1;   // the key field of the key-assignment panel
inline constexpr int kAppend = 4;       // "macro_btn_starredio"
inline constexpr int kInsertBefore = 8; // "redio_previous_..."
inline constexpr int kInsertAfter = 16; // "redio_later_..."
inline constexpr int kReplace = 32;     // "macro_action_edit"
} // namespace hook_mode

// The registered numbers of the hook's messages ("WM_HOOK_KEY_KBMACRO_MSG" and its siblings). A
// message carries the keyboard or mouse message as wParam and its record as payload.
struct HookMessages {
    // The keyboard message of a mode; none for a mode that is no hook mode.
    static std::optional<uint32_t> keyboard(int mode);
    // The mouse message of a mode; none for key capture, which takes no buttons.
    static std::optional<uint32_t> mouse(int mode);
};

} // namespace morva::app
