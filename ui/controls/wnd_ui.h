#pragma once

#include "ui/toolkit/control.h"

#include <memory>

namespace morva::ui {

// A window of the platform that a CWndUI shows in its place.
class HostedWindow {
public:
    virtual ~HostedWindow() = default;
    // Whether the window is a child of the window the control is painted in; if not, it is
    // placed in screen coordinates.
    virtual bool childOfPaintWindow() const = 0;
    virtual void place(const Rect& rect, bool visible) = 0;
};

// Hosts a native window: the window takes the control's place and shows only while the
// control does.
class CWndUI : public Control {
public:
    static constexpr std::string_view kClassName = "WndUI";
    static constexpr std::string_view kFactoryName = "CWndUI";
    std::string_view className() const override { return kClassName; }

    void attach(std::shared_ptr<HostedWindow> hosted);
    const std::shared_ptr<HostedWindow>& hosted() const { return hosted_; }

    // The renderer calls this whenever the control moved, was resized, shown or hidden;
    // paintWindowOrigin is where the window it is painted in lies on the screen.
    void positionChanged(Point paintWindowOrigin);

private:
    std::shared_ptr<HostedWindow> hosted_;
};

} // namespace morva::ui
