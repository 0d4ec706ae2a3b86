#pragma once

#include "app/skin_choice.h"
#include "ui/toolkit/window.h"

#include <functional>
#include <memory>

namespace morva::app {

// What the main window does with a skin choice: "root" shows the colour or the image.
void applySkinToRoot(ui::Window& mainWindow, const SkinChangedParam& param);

// The skin window (class "UISkinFrame", skin "XML_SKIN"): preset images, colours, reset and a
// custom image. It hangs below its anchor, right edges aligned, and closes when it loses focus.
class CSkinFrame {
public:
    CSkinFrame(ui::Toolkit& toolkit, SkinChooser& chooser);

    // Builds and shows the window below the anchor control of the owner; false when its skin
    // cannot be built.
    bool open(ui::Window& owner, const ui::Control* anchor);
    ui::Window& window() { return *window_; }
    bool isOpen() const { return window_->visible(); }
    // Called once it has closed (the owner may then drop it).
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

private:
    void onNotify(const ui::Notification& n);
    void closeSelf();

    ui::Toolkit& toolkit_;
    SkinChooser& chooser_;
    std::unique_ptr<ui::Window> window_;
    std::function<void()> onClosed_;
};

} // namespace morva::app
