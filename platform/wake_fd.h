#pragma once

#include "base/unique_fd.h"

namespace morva::platform {

// A descriptor one thread signals to wake another out of poll(): an eventfd. The signal stays
// set until consumed, so a signal given before the wait is not lost.
class WakeFd {
public:
    WakeFd();

    // False when the system refused the descriptor.
    bool valid() const { return fd_.valid(); }
    int fd() const { return fd_.get(); }
    // Thread-safe and async-signal-safe.
    void signal() const;
    // Takes the signal; true when one was set.
    bool consume() const;

private:
    UniqueFd fd_;
};

} // namespace morva::platform
