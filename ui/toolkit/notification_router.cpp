#include "ui/toolkit/notification_router.h"

#include "base/text.h"

#include <charconv>

namespace morva::ui {

void NotificationRouter::on(std::string_view type, std::string_view controlName,
                            NotifyHandler handler) {
    routes_.push_back(Route{std::string(type), toLowerAscii(controlName), false,
                            [handler = std::move(handler)](const Notification& n, int) {
                                handler(n);
                            }});
}

void NotificationRouter::onFamily(std::string_view type, std::string_view prefix,
                                  std::function<void(const Notification&, int)> handler) {
    routes_.push_back(Route{std::string(type), toLowerAscii(prefix), true, std::move(handler)});
}

void NotificationRouter::onMessage(uint32_t id, MessageHandler handler) {
    messageRoutes_.push_back(MessageRoute{id, std::move(handler)});
}

bool NotificationRouter::dispatch(const Notification& notification) const {
    bool handled = false;
    // A handler may add routes; walk by index over the routes that existed at the start.
    const size_t count = routes_.size();
    for (size_t i = 0; i < count; ++i) {
        const Route& route = routes_[i];
        if (route.type != notification.type) {
            continue;
        }
        if (route.family) {
            if (const auto number = numberAfterPrefix(notification.senderName, route.name)) {
                route.handler(notification, *number);
                handled = true;
            }
        } else if (route.name.empty() || equalsIgnoreCase(route.name, notification.senderName)) {
            route.handler(notification, 0);
            handled = true;
        }
    }
    return handled;
}

std::optional<int64_t> NotificationRouter::dispatch(const WindowMessage& message) const {
    const size_t count = messageRoutes_.size();
    for (size_t i = 0; i < count; ++i) {
        if (messageRoutes_[i].id == message.id) {
            if (auto answer = messageRoutes_[i].handler(message)) {
                return answer;
            }
        }
    }
    return std::nullopt;
}

void NotificationRouter::attachTo(Window& window) {
    window.setNotifyHandler([this](const Notification& n) { dispatch(n); });
    window.setMessageHandler([this](const WindowMessage& m) { return dispatch(m); });
}

std::optional<int> numberAfterPrefix(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !equalsIgnoreCase(name.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0) {
        return std::nullopt;
    }
    return number;
}

} // namespace morva::ui
