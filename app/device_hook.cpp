#include "app/device_hook.h"

#include "app/hook_messages.h"
#include "keyassign/key_catalogue.h"
#include "macros/input_records.h"
#include "macros/scan_code_table.h"
#include "platform/linux_key_codes.h"
#include "ui/toolkit/window.h"

namespace morva::app {
namespace {

namespace msg = macros::input_message;

constexpr uint32_t kVirtualCapsLock = 0x14;
constexpr uint32_t kVirtualNumLock = 0x90;
constexpr uint32_t kVirtualScrollLock = 0x91;

macros::KeyboardHookRecord keyboardRecord(const NativeKeyEvent& event) {
    macros::KeyboardHookRecord record;
    const auto code = platform::setOneScanCodeOfLinuxKey(event.keyCode);
    if (!code) {
        return record;
    }
    record.scanCode = code->makeCode;
    record.flags = code->extended ? macros::KeyboardHookRecord::kExtendedFlag : 0;
    if (const auto row = macros::findScanCodeRow(code->makeCode, code->extended)) {
        record.virtualKey = keyassign::keyCatalogue()[*row].virtualKey;
    }
    return record;
}

bool isLockKey(uint32_t virtualKey) {
    return virtualKey == kVirtualCapsLock || virtualKey == kVirtualNumLock ||
           virtualKey == kVirtualScrollLock;
}

// The mouse message of a button, and which X button it is (0 for the others).
std::pair<uint32_t, uint32_t> mouseMessage(PointerButton button, bool press) {
    switch (button) {
    case PointerButton::Left:
        return {press ? msg::kLeftButtonDown : msg::kLeftButtonUp, 0};
    case PointerButton::Right:
        return {press ? msg::kRightButtonDown : msg::kRightButtonUp, 0};
    case PointerButton::Middle:
        return {press ? msg::kMiddleButtonDown : msg::kMiddleButtonUp, 0};
    case PointerButton::Back:
        return {press ? msg::kXButtonDown : msg::kXButtonUp, 1};
    case PointerButton::Forward:
        return {press ? msg::kXButtonDown : msg::kXButtonUp, 2};
    }
    return {0, 0};
}

} // namespace

bool CDeviceHook::Start(int hookMode, ui::Window& window) {
    Stop();
    if (capture_ == nullptr || !capture_->start(*this)) {
        return false;
    }
    window_ = &window;
    mode_ = hookMode;
    installed_ = true;
    return true;
}

void CDeviceHook::Stop() {
    if (installed_) {
        capture_->stop();
        installed_ = false;
    }
}

bool CDeviceHook::keyEvent(const NativeKeyEvent& event) {
    const macros::KeyboardHookRecord record = keyboardRecord(event);
    const auto message = HookMessages::keyboard(mode_);
    if (installed_ && message) {
        window_->sendMessage(
            ui::WindowMessage{*message, event.press ? msg::kKeyDown : msg::kKeyUp, 0, record});
    }
    return !isLockKey(record.virtualKey);
}

void CDeviceHook::buttonEvent(const NativeButtonEvent& event) {
    const auto message = HookMessages::mouse(mode_);
    if (!installed_ || !message) {
        return;
    }
    const auto [mouseMessageId, xButton] = mouseMessage(event.button, event.press);
    macros::MouseHookRecord record;
    record.x = event.screen.x;
    record.y = event.screen.y;
    record.mouseData = macros::MouseHookRecord::xButtonData(xButton);
    window_->sendMessage(ui::WindowMessage{*message, mouseMessageId, 0, record});
}

} // namespace morva::app
