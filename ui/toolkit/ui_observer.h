#pragma once

#include "ui/toolkit/property.h"

namespace morva::ui {

class Control;
class Menu;
class TrayIcon;
class Window;

enum class WindowChange {
    Created, // create() gave it its class, title and size
    Shown,
    Hidden,
    Title,
    Geometry, // position or size
    Dpi,
    Closed, // close(code); the code is window.closeCode()
};

// What a renderer (or a test) watches to keep its picture in step with the model. Registered on
// the toolkit it sees every window; registered on one window, only that window. All calls come on
// the interface thread, right after the change.
class UiObserver {
public:
    virtual ~UiObserver() = default;

    virtual void windowAdded(Window& /*window*/) {}
    virtual void windowRemoved(Window& /*window*/) {}
    virtual void windowChanged(Window& /*window*/, WindowChange /*change*/) {}
    // The window's root was set, or a subtree joined the tree: create widgets for it.
    virtual void controlAdded(Window& /*window*/, Control& /*control*/) {}
    // A subtree is about to leave the tree: drop its widgets.
    virtual void controlRemoving(Window& /*window*/, Control& /*control*/) {}
    virtual void controlChanged(Window& /*window*/, Control& /*control*/, Property /*p*/) {}
    virtual void menuShown(Menu& /*menu*/) {}
    virtual void menuClosed(Menu& /*menu*/) {}
    // Its texts changed language.
    virtual void menuChanged(Menu& /*menu*/) {}
    virtual void trayChanged(TrayIcon& /*tray*/) {}
};

} // namespace morva::ui
