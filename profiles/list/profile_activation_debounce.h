#pragma once

#include "base/event_loop.h"

#include <functional>

namespace morva::profiles {

// The main window's timer number for profile activation, and its delay after a profile choice.
inline constexpr int kProfileActivationTimer = 1055;
inline constexpr TickMs kProfileActivationDelayMs = 400;

// Profile activation writes a whole profile to the device, so choices made in quick succession
// are not all sent: each choice restarts the timer, and only the last choice made before it
// runs out is activated. The activation runs on the loop's thread, once.
class ProfileActivationDebounce {
public:
    using Activation = std::function<void()>;

    explicit ProfileActivationDebounce(EventLoop& loop, TickMs delayMs = kProfileActivationDelayMs);
    ~ProfileActivationDebounce();
    ProfileActivationDebounce(const ProfileActivationDebounce&) = delete;
    ProfileActivationDebounce& operator=(const ProfileActivationDebounce&) = delete;

    // A new choice: replaces any activation still waiting and starts the delay again.
    void choose(Activation activation);
    // Drops the waiting activation (the device went away, the page closed).
    void cancel();
    bool isPending() const { return timer_ != 0; }

private:
    void fire();

    EventLoop& loop_;
    TickMs delayMs_;
    TimerId timer_ = 0;
    Activation pending_;
};

} // namespace morva::profiles
