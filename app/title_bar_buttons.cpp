#include "app/title_bar_buttons.h"

#include "ui/toolkit/window.h"

namespace morva::app {

bool handleSizeButtons(const ui::Notification& n, ui::Window& window, WindowSystem& system) {
    if (!n.is(ui::notify::kClick)) {
        return false;
    }
    if (n.senderNamed("minbtn")) {
        system.minimise(window);
        return true;
    }
    if (!n.senderNamed("maxbtn") && !n.senderNamed("restorebtn")) {
        return false;
    }
    const bool maximise = n.senderNamed("maxbtn");
    if (maximise) {
        system.maximise(window);
    } else {
        system.restore(window);
    }
    if (ui::Control* max = window.find("maxbtn")) {
        max->setVisible(!maximise);
    }
    if (ui::Control* restore = window.find("restorebtn")) {
        restore->setVisible(maximise);
    }
    return true;
}

} // namespace morva::app
