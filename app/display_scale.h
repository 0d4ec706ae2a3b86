#pragma once

namespace morva::app {

inline constexpr int kBaseDpi = 96;
inline constexpr int kLargeMonitorDpi = 144;
// The main window's size at scale 1.
inline constexpr int kMainWindowWidth = 1000;
inline constexpr int kMainWindowHeight = 640;

struct DisplayAdjustment {
    int dpi = kBaseDpi;
    double scale = 1.0;
    int width = kMainWindowWidth; // the window's size on the monitor at that scale
    int height = kMainWindowHeight;

    friend bool operator==(const DisplayAdjustment&, const DisplayAdjustment&) = default;
};

// The DPI for the monitor the window is on: 144 when it is wider than 1500 and taller than 960
// pixels, else 96 — or, on a monitor too small for the window at 96, 72 or 48, the largest at
// which it fits. Sizes are in the desktop's logical pixels, after its own scaling.
int dpiForMonitor(int monitorWidth, int monitorHeight);

// A DPI the interface supports (48, 72, 96, 120, 144, 168, 192) as itself; any other is traced
// as "MAIN_WND DPI SET ERROR" and read as 96.
int supportedDpiOrBase(int dpi);

DisplayAdjustment displayAdjustmentForMonitor(int monitorWidth, int monitorHeight);

} // namespace morva::app
