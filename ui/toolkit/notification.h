#pragma once

#include "base/text.h"
#include "ui/toolkit/control_ref.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace morva::ui {

// Notification types: the texts the skin contract and the window handlers agree on.
namespace notify {
inline constexpr std::string_view kWindowInit = "windowinit";
inline constexpr std::string_view kWindowSize = "windowsize";
inline constexpr std::string_view kClick = "click";
inline constexpr std::string_view kSelectChanged = "selectchanged";
inline constexpr std::string_view kValueChanged = "valuechanged";
inline constexpr std::string_view kMoveValueChanged = "movevaluechanged";
inline constexpr std::string_view kItemSelect = "itemselect";
inline constexpr std::string_view kKillFocus = "killfocus";
inline constexpr std::string_view kSetFocus = "setfocus";
inline constexpr std::string_view kTimer = "timer";
inline constexpr std::string_view kColorChanged = "colorchanged";
inline constexpr std::string_view kMenu = "menu";
inline constexpr std::string_view kItemClick = "itemclick";
inline constexpr std::string_view kDbClick = "dbclick";
inline constexpr std::string_view kClickSelectEnd = "click_select_end";
inline constexpr std::string_view kClickHandDelete = "click_handdelete";
inline constexpr std::string_view kMsEnter = "msenter";
inline constexpr std::string_view kMsLeave = "msleave";
// Sent by edits and list rows; the main window lets them pass.
inline constexpr std::string_view kTextChanged = "textchanged";
inline constexpr std::string_view kReturn = "return";
// Sent by some rows of the skin; the main window receives and ignores them.
inline constexpr std::string_view kClickWpAdd = "click_wpadd";
inline constexpr std::string_view kClickWpRemove = "click_wpremove";
inline constexpr std::string_view kClickWpEdit = "click_wpedit";
inline constexpr std::string_view kClickWpSelect = "click_wpselect";
} // namespace notify

// One notification: what happened, to which control, with two numbers whose meaning depends on
// the type (the new and old index for "itemselect", the timer identifier for "timer").
struct Notification {
    std::string type;
    ControlRef sender;
    // The sender's name when it was sent; stays readable after the sender is gone.
    std::string senderName;
    int64_t wParam = 0;
    int64_t lParam = 0;

    bool is(std::string_view t) const { return type == t; }
    // Routing compares control names without case.
    bool senderNamed(std::string_view name) const { return equalsIgnoreCase(senderName, name); }
};

} // namespace morva::ui
