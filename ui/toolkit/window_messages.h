#pragma once

#include <cstdint>

// Numbers of the window messages that the toolkit and the front-end deliver to window handlers.
// They keep the values the program's logic was written against, so its tables read the same.
namespace morva::ui {

// The front-end reports these (wParam, lParam as noted).
inline constexpr uint32_t kMsgDestroy = 0x0002;
inline constexpr uint32_t kMsgActivate = 0x0006;      // wParam 0 inactive, 1 active
inline constexpr uint32_t kMsgClose = 0x0010;         // the user asked to close the window
inline constexpr uint32_t kMsgDisplayChange = 0x007E; // the screen resolution changed
inline constexpr uint32_t kMsgPowerBroadcast =
    0x0218; // wParam: kPowerSuspend or kPowerResumeAutomatic
inline constexpr uint32_t kMsgMouseHover = 0x02A1;
inline constexpr uint32_t kMsgMouseLeave = 0x02A3;
inline constexpr uint32_t kMsgDpiChanged = 0x02E0; // wParam: the new DPI

inline constexpr int64_t kPowerSuspend = 0x0004;
inline constexpr int64_t kPowerResumeAutomatic = 0x0012;

// The toolkit sends these.
inline constexpr uint32_t kMsgTimer = 0x0113;      // a window timer fired; wParam: its identifier
inline constexpr uint32_t kMsgMenuChosen = 0x0479; // payload: MenuItemRecord

} // namespace morva::ui
