#pragma once

#include <memory>

namespace morva::ui {

class Control;

// A reference to a control that knows when the control is gone. Work that runs later (posted
// notifications, timers) holds these instead of raw pointers.
class ControlRef {
public:
    ControlRef() = default;
    explicit ControlRef(std::weak_ptr<Control* const> life) : life_(std::move(life)) {}

    // The control, or null once it has been destroyed.
    Control* get() const {
        const auto alive = life_.lock();
        return alive ? *alive : nullptr;
    }
    explicit operator bool() const { return get() != nullptr; }

private:
    std::weak_ptr<Control* const> life_;
};

} // namespace morva::ui
