#include "app/write_failure_notice.h"

#include "app/device_manager.h"
#include "base/window_messages.h"
#include "device/usb_device.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <string>

namespace morva::app {

void WriteFailureNotice::Show(const device::CKestraneUSBDevice& device, std::string_view whatKey) {
    const ui::LanguageStore& language = window_.toolkit().language();
    const std::string name =
        language.lookup(std::string(DeviceManager::kModelNameKeyPrefix) + device.deviceName())
            .value_or(device.deviceName());
    ShowText(name + ": " + language.lookup("device_write_failed_text").value_or("") + " " +
             language.lookup(whatKey).value_or(std::string(whatKey)));
}

void WriteFailureNotice::ShowText(const std::string& text) {
    ui::Control* label = window_.find(kLabelName);
    if (label == nullptr) {
        return;
    }
    label->setText(text);
    label->setVisible(true);
    window_.setTimer(kTimerHide, kShownMs);
}

void WriteFailureNotice::registerOn(ui::NotificationRouter& router) {
    router.onMessage(kMsgTimer, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.wParam != kTimerHide) {
            return std::nullopt;
        }
        window_.killTimer(kTimerHide);
        if (ui::Control* label = window_.find(kLabelName)) {
            label->setVisible(false);
        }
        return 1;
    });
}

} // namespace morva::app
