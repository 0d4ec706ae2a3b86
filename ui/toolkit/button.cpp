#include "ui/toolkit/button.h"

#include "ui/toolkit/notification.h"

namespace morva::ui {

bool Button::activate() {
    if (!enabledInTree()) {
        return false;
    }
    sendNotify(notify::kClick);
    return true;
}

void Button::handleEvent(const UiEvent& e) {
    if (e.type == EventType::Click) {
        activate();
        return;
    }
    Label::handleEvent(e);
}

} // namespace morva::ui
