#pragma once

#include "profiles/panel/profile_panel_routes.h"
#include "ui/toolkit/notification_router.h"

#include <memory>

namespace morva {

// Registers the profile panel's events on the main window's router. The returned object handles
// them; the routes keep it alive, and the caller may keep it too, to cancel a waiting activation.
inline std::shared_ptr<ProfilePanelRoutes>
registerProfilePanelRoutes(ui::NotificationRouter& router,
                           ProfilePanelRoutes::PanelSource currentPanel,
                           ProfilePanelRoutes::DeviceSource currentDevice, ui::Host& host,
                           EventLoop& loop, PanelMessageBox messageBox = {}) {
    auto routes = std::make_shared<ProfilePanelRoutes>(
        std::move(currentPanel), std::move(currentDevice), host, loop, std::move(messageBox));
    for (const ProfilePanelRoutes::Route& route : ProfilePanelRoutes::routes()) {
        router.on(route.type, route.controlName,
                  [routes, handler = route.handler](const ui::Notification& notification) {
                      ((*routes).*handler)(notification);
                  });
    }
    return routes;
}

} // namespace morva
