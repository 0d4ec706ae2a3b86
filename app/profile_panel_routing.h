#pragma once

#include "profiles/panel/profile_panel_routes.h"
#include "ui/toolkit/notification_router.h"

#include <memory>

namespace morva::app {

// Registers the profile panel's events on the main window's router. The returned object handles
// them; the routes keep it alive, and the caller may keep it too, to cancel a waiting activation.
inline std::shared_ptr<profiles::ProfilePanelRoutes>
registerProfilePanelRoutes(ui::NotificationRouter& router,
                           profiles::ProfilePanelRoutes::PanelSource currentPanel,
                           profiles::ProfilePanelRoutes::DeviceSource currentDevice, ui::Host& host,
                           EventLoop& loop, profiles::PanelMessageBox messageBox = {}) {
    auto routes = std::make_shared<profiles::ProfilePanelRoutes>(
        std::move(currentPanel), std::move(currentDevice), host, loop, std::move(messageBox));
    for (const profiles::ProfilePanelRoutes::Route& route :
         profiles::ProfilePanelRoutes::routes()) {
        router.on(route.type, route.controlName,
                  [routes, handler = route.handler](const ui::Notification& notification) {
                      ((*routes).*handler)(notification);
                  });
    }
    return routes;
}

} // namespace morva::app
