#pragma once

#include "ui/toolkit/notification.h"
#include "ui/toolkit/window.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva::ui {

// A window's single receiver of notifications and window messages. Parts of the program
// (the window's own buttons, the device manager, the panels) register what they handle; dispatch
// finds every route whose notification type and control name match. Names compare without case.
class NotificationRouter {
public:
    using NotifyHandler = std::function<void(const Notification&)>;
    using MessageHandler = std::function<std::optional<int64_t>(const WindowMessage&)>;

    // A route for one control name; an empty name matches every sender.
    void on(std::string_view type, std::string_view controlName, NotifyHandler handler);
    // A route for a numbered family of names ("windowdeviceset_" + n): the handler gets the number.
    void onFamily(std::string_view type, std::string_view prefix,
                  std::function<void(const Notification&, int number)> handler);
    // A route for a window message number. The first handler that returns a value answers it.
    void onMessage(uint32_t id, MessageHandler handler);

    // Runs every matching route in the order they were added; false when none matched.
    bool dispatch(const Notification& notification) const;
    std::optional<int64_t> dispatch(const WindowMessage& message) const;

    // Makes this router the window's notification and message handler.
    void attachTo(Window& window);

private:
    struct Route {
        std::string type;
        std::string name; // lower case; empty for every sender
        bool family = false;
        std::function<void(const Notification&, int)> handler;
    };
    struct MessageRoute {
        uint32_t id;
        MessageHandler handler;
    };
    std::vector<Route> routes_;
    std::vector<MessageRoute> messageRoutes_;
};

// The trailing decimal number of a name after the prefix ("key_12" with "key_" gives 12), compared
// without case; none when the name does not start with the prefix or has no number after it.
std::optional<int> numberAfterPrefix(std::string_view name, std::string_view prefix);

} // namespace morva::ui
