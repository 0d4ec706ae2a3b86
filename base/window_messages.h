#pragma once

#include <cstdint>

// Every window-message number of the program: those the front-end and the toolkit deliver to
// window handlers, and the main window's private ones that threads and windows send it. They keep
// the values the program's logic was written against, so its tables read the same.
namespace morva {

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

// Mouse messages a tray icon reports in lParam of its callback message.
inline constexpr int64_t kMsgLButtonUp = 0x0202;
inline constexpr int64_t kMsgLButtonDblClk = 0x0203;
inline constexpr int64_t kMsgRButtonUp = 0x0205;

inline constexpr int64_t kPowerSuspend = 0x0004;
inline constexpr int64_t kPowerResumeAutomatic = 0x0012;

// The toolkit sends these.
inline constexpr uint32_t kMsgTimer = 0x0113;      // a window timer fired; wParam: its identifier
inline constexpr uint32_t kMsgMenuChosen = 0x0479; // payload: MenuItemRecord

// The main window's private messages.
inline constexpr uint32_t kMsgTrayCallback = 0x0401;     // lParam: the mouse message
inline constexpr uint32_t kMsgRecordingHooks = 0x041E;   // wParam 1: install, 0: remove
inline constexpr uint32_t kMsgTraceOnly = 0x04C8;        // only traced
inline constexpr uint32_t kMsgShowProgress = 0x0C00;     // show "setting_progress"
inline constexpr uint32_t kMsgLanguageChanged = 0x0C11;  // wParam: the language identifier
inline constexpr uint32_t WM_DEVICE_ATTACHED = 0x0C12;   // wParam: the slot index
inline constexpr uint32_t WM_DEVICE_DETACHED = 0x0C13;   // wParam: the slot index
inline constexpr uint32_t kMsgOpenSettings = 0x0C15;     // open the settings window centred
inline constexpr uint32_t kMsgClearUpdateBadge = 0x0C16; // clear the foreground image of "setbtn"

// Device objects send these to their owner window.
inline constexpr uint32_t kMsgSettingsRead = 0x0D00; // wParam: the current profile index
inline constexpr uint32_t kMsgStatusPolled = 0x0D01; // wParam: byte 4 of the status report
// The headset's audio start-up met a problem the user is told of; wParam: an AudioStartProblem.
inline constexpr uint32_t kMsgAudioStartProblem = 0x0D02;
enum class AudioStartProblem : int64_t { InitialisationFailed = 1, FeaturesUnreadable = 2 };

} // namespace morva
