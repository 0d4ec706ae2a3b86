#include "ui/toolkit/tray_icon.h"

#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

namespace morva::ui {

void TrayIcon::create(Window& owner, int iconResource, std::string toolTip,
                      uint32_t callbackMessage) {
    owner_ = &owner;
    icon_ = iconResource;
    toolTip_ = std::move(toolTip);
    callbackMessage_ = callbackMessage;
    visible_ = true;
    announce();
}

void TrayIcon::remove() {
    if (owner_ == nullptr) {
        return;
    }
    owner_ = nullptr;
    visible_ = false;
    announce();
}

void TrayIcon::setVisible(bool visible) {
    if (owner_ != nullptr && visible_ != visible) {
        visible_ = visible;
        announce();
    }
}

void TrayIcon::setToolTip(std::string toolTip) {
    if (toolTip_ != toolTip) {
        toolTip_ = std::move(toolTip);
        announce();
    }
}

bool TrayIcon::userAction(int64_t mouseMessage) {
    if (owner_ == nullptr) {
        return false;
    }
    owner_->postMessage(callbackMessage_, icon_, mouseMessage);
    return true;
}

void TrayIcon::announce() {
    for (UiObserver* o : toolkit_.observers()) {
        o->trayChanged(*this);
    }
}

} // namespace morva::ui
