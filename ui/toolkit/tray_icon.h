#pragma once

#include "base/window_messages.h"

#include <cstdint>
#include <string>

namespace morva::ui {

class Toolkit;
class Window;

// The program's tray icon: which window gets its callback message, its icon and tool tip, and
// whether it shows. The front-end shows it (UiObserver::trayChanged) and reports the user's
// mouse actions with userAction().
class TrayIcon {
public:
    explicit TrayIcon(Toolkit& toolkit) : toolkit_(toolkit) {}

    // Creates (and shows) the icon for the owner; the callback message carries the mouse message
    // in lParam.
    void create(Window& owner, int iconResource, std::string toolTip, uint32_t callbackMessage);
    // Removes the icon; nothing is reported any more.
    void remove();

    bool exists() const { return owner_ != nullptr; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip);
    int iconResource() const { return icon_; }
    uint32_t callbackMessage() const { return callbackMessage_; }
    Window* owner() const { return owner_; }

    // Posts the callback message to the owner; false when there is no icon.
    bool userAction(int64_t mouseMessage);

private:
    void announce();

    Toolkit& toolkit_;
    Window* owner_ = nullptr;
    int icon_ = 0;
    std::string toolTip_;
    uint32_t callbackMessage_ = 0;
    bool visible_ = false;
};

} // namespace morva::ui
