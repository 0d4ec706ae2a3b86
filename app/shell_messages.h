#pragma once

#include "app/light_control.h"
#include "platform/ipc_message.h"

#include <functional>

namespace morva::app {

// Hands each message from another process to the part of the main window it is meant for.
// Runs on the interface thread (the message server posts there).
class ShellMessageRouter {
public:
    using InstanceHandler = std::function<void(uint32_t wParam, int32_t lParam)>;
    using ForwardTarget = std::function<void(const platform::Message&)>;

    ShellMessageRouter(InstanceHandler onInstance, LightControl& lightControl)
        : onInstance_(std::move(onInstance)), lightControl_(lightControl) {}

    // The settings window, while it is open, receives the forward message unchanged.
    void setForwardTarget(ForwardTarget target) { forwardTarget_ = std::move(target); }
    void clearForwardTarget() { forwardTarget_ = nullptr; }

    void route(const platform::Message& message);

private:
    InstanceHandler onInstance_;
    LightControl& lightControl_;
    ForwardTarget forwardTarget_;
};

} // namespace morva::app
