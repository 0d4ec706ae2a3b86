#include "keyassign/assignment_lists.h"

#include "base/text.h"

#include <array>

namespace morva::keyassign {
namespace {

using profiles::AssignmentCode;

constexpr std::array<AssignmentChoice, 5> kMouseButtons = {{
    {"mouse_key_left", "Mouse Left", {0x10, 0x01, 0x00}},
    {"mouse_key_middle", "Mouse Middle", {0x10, 0x04, 0x00}},
    {"mouse_key_right", "Mouse Right", {0x10, 0x02, 0x00}},
    {"mouse_key_forward", "Mouse 5", {0x10, 0x10, 0x00}},
    {"mouse_key_back", "Mouse 4", {0x10, 0x08, 0x00}},
}};

constexpr std::array<AssignmentChoice, 3> kDpiFunctions = {{
    {"mouse_key_DPI_add", "DPI+", {0x13, 0x01, 0x00}},
    {"mouse_key_DPI_sub", "DPI-", {0x13, 0x02, 0x00}},
    {"mouse_key_DPI_loop", "DPI Cycle", {0x13, 0x03, 0x00}},
}};

// Consumer-page usages, low byte first.
constexpr AssignmentCode media(uint16_t usage) {
    return {0x30, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}

constexpr std::array<AssignmentChoice, 18> kMediaKeys = {{
    {"media_text", "Media Select", media(0x0183)},
    {"media_play", "Play/Pause", media(0x00CD)},
    {"media_stop", "Stop", media(0x00B7)},
    {"media_prev", "Previous Track", media(0x00B6)},
    {"media_next", "Next Track", media(0x00B5)},
    {"media_vol_sub", "Volume Down", media(0x00EA)},
    {"media_vol_add", "Volume Up", media(0x00E9)},
    {"media_mute", "Mute", media(0x00E2)},
    {"web_text", "Browser Home", media(0x0223)},
    {"web_refresh", "Browser Refresh", media(0x0227)},
    {"wed_stop", "Browser Stop", media(0x0226)},
    {"wed_back", "Browser Back", media(0x0224)},
    {"wed_forward", "Browser Forward", media(0x0225)},
    {"wed_favorite", "Browser Favourites", media(0x022A)},
    {"web_search", "Browser Search", media(0x0221)},
    {"media_mypc", "My Computer", media(0x0194)},
    {"media_calc", "Calculator", media(0x0192)},
    {"media_mail", "Mail", media(0x018A)},
}};

constexpr std::array<AssignmentChoice, 3> kSystemKeys = {{
    {"system_power", "Power", {0x40, 0x01, 0x00}},
    {"system_sleep", "Sleep", {0x40, 0x02, 0x00}},
    {"system_wake_up", "Wake", {0x40, 0x04, 0x00}},
}};

// Ctrl with a letter or sign; their names are the text form of Ctrl and that key.
constexpr std::array<AssignmentChoice, 11> kShortcuts = {{
    {"custem_open", "Ctrl+O", {0x20, 0x01, 0x12}},
    {"custem_new", "Ctrl+N", {0x20, 0x01, 0x11}},
    {"custem_undo", "Ctrl+Z", {0x20, 0x01, 0x1D}},
    {"custem_save", "Ctrl+S", {0x20, 0x01, 0x16}},
    {"custem_copy", "Ctrl+C", {0x20, 0x01, 0x06}},
    {"custem_cut", "Ctrl+X", {0x20, 0x01, 0x1B}},
    {"custem_paste", "Ctrl+V", {0x20, 0x01, 0x19}},
    {"custem_find", "Ctrl+F", {0x20, 0x01, 0x09}},
    {"custem_select_all", "Ctrl+A", {0x20, 0x01, 0x04}},
    {"custem_zoom_out", "Ctrl+-", {0x20, 0x01, 0x2D}},
    {"custem_zoom_in", "Ctrl+=", {0x20, 0x01, 0x2E}},
}};

} // namespace

std::span<const AssignmentChoice> mouseButtonList() {
    return kMouseButtons;
}
std::span<const AssignmentChoice> dpiFunctionList() {
    return kDpiFunctions;
}
std::span<const AssignmentChoice> mediaKeyList() {
    return kMediaKeys;
}
std::span<const AssignmentChoice> systemKeyList() {
    return kSystemKeys;
}
std::span<const AssignmentChoice> shortcutList() {
    return kShortcuts;
}

std::optional<size_t> findChoice(std::span<const AssignmentChoice> list,
                                 const AssignmentCode& code) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].code == code) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> findChoiceByName(std::span<const AssignmentChoice> list,
                                       std::string_view name) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (equalsIgnoreCase(list[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace morva::keyassign
