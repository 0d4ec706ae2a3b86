#pragma once

#include "app/main_window_chrome.h"
#include "ui/toolkit/notification.h"

namespace morva::app {

// The size buttons of a secondary window's title bar: "minbtn" minimises, "maxbtn" and
// "restorebtn" maximise and restore and swap places. True when the notification was a click
// on one of them.
bool handleSizeButtons(const ui::Notification& n, ui::Window& window, WindowSystem& system);

} // namespace morva::app
