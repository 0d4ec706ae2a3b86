#pragma once

#include "base/clock.h"
#include "ui/toolkit/notification_router.h"

#include <string>
#include <string_view>

namespace morva::device {
class CKestraneUSBDevice;
}
namespace morva::ui {
class Window;
}

namespace morva::app {

// The quiet notice in the status bar, shown for a few seconds without interrupting the user: that
// a setting did not reach a device (the device's name and what was lost), or that an operation
// was done.
class WriteFailureNotice {
public:
    static constexpr std::string_view kLabelName = "device_write_notice";
    static constexpr int kTimerHide = 1061;
    static constexpr TickMs kShownMs = 6000;

    explicit WriteFailureNotice(ui::Window& window) : window_(window) {}

    void Show(const device::CKestraneUSBDevice& device, std::string_view whatKey);
    // Any other short notice in the same place ("Profile copied as …").
    void ShowText(const std::string& text);
    void registerOn(ui::NotificationRouter& router);

private:
    ui::Window& window_;
};

} // namespace morva::app
