#include "profiles/list/profile_activation_debounce.h"

#include <utility>

namespace morva::profiles {

ProfileActivationDebounce::ProfileActivationDebounce(EventLoop& loop, TickMs delayMs)
    : loop_(loop), delayMs_(delayMs) {}

ProfileActivationDebounce::~ProfileActivationDebounce() {
    cancel();
}

void ProfileActivationDebounce::choose(Activation activation) {
    cancel();
    pending_ = std::move(activation);
    timer_ = loop_.startTimer(delayMs_, [this] { fire(); });
}

void ProfileActivationDebounce::cancel() {
    if (timer_ != 0) {
        loop_.stopTimer(timer_);
        timer_ = 0;
    }
    pending_ = nullptr;
}

void ProfileActivationDebounce::fire() {
    // A one-shot: stop before running, so an activation that makes a new choice re-arms cleanly.
    Activation activation = std::move(pending_);
    cancel();
    if (activation) {
        activation();
    }
}

} // namespace morva::profiles
