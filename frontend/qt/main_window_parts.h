#pragma once

#include "app/language_config.h"
#include "app/light_control.h"
#include "app/main_window_chrome.h"
#include "app/notification_router.h"
#include "base/event_loop.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <memory>
#include <vector>

namespace morva::qt {

// What the main window's parts (device manager, routing core, panels) are built with. The
// window exists (created, its router attached) but its skin is not loaded yet.
struct MainWindowContext {
    ui::Toolkit& toolkit;
    EventLoop& loop;
    ui::Window& window;
    app::NotificationRouter& router;
    // Fill in chrome.hooks(): light output, preview activity, device tabs visible.
    app::MainWindowChrome& chrome;
    LightControl& lightControl;
    // The current language; the window applies the stored one once its skin is loaded.
    LanguageSelector& languages;
    bool demo = false;
    // Asked for every skin tag the toolkit does not know while "XML_MAIN" is built.
    ui::CreateControlFn createControl;
};

// Something the main window keeps for its life; parts are destroyed in reverse order, before
// the window.
using MainWindowPart = std::shared_ptr<void>;

// Builds the parts of the main window; called once, before its skin is loaded.
std::vector<MainWindowPart> createMainWindowParts(MainWindowContext& context);

} // namespace morva::qt
