#include "app/macro_recording_routes.h"

#include "app/hook_messages.h"
#include "base/text.h"
#include "base/window_messages.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/scan_code_table.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/window.h"

#include <array>
#include <optional>

namespace morva::app {
namespace {

using macros::Placement;
using macros::RecordTimeMode;
namespace msg = macros::input_message;

// What the event menu's recording items start: the placement's hook mode and how the pauses are
// timed (none: as the record button does, by "macro_check_time").
struct RecordingItem {
    std::string_view name;
    int hookMode;
    std::optional<RecordTimeMode> mode;
};

constexpr std::array<RecordingItem, 7> kRecordingItems = {{
    {"redio_previous_record_time", hook_mode::kInsertBefore, std::nullopt},
    {"redio_previous_constant_time", hook_mode::kInsertBefore, RecordTimeMode::ConstantTime},
    {"redio_previous_ignore_time", hook_mode::kInsertBefore, RecordTimeMode::IgnoreTime},
    {"redio_later_record_time", hook_mode::kInsertAfter, std::nullopt},
    {"redio_later_constant_time", hook_mode::kInsertAfter, RecordTimeMode::ConstantTime},
    {"redio_later_ignore_time", hook_mode::kInsertAfter, RecordTimeMode::IgnoreTime},
    {"macro_action_edit", hook_mode::kReplace, RecordTimeMode::IgnoreTime},
}};

constexpr std::array<int, 4> kRecordingModes = {hook_mode::kAppend, hook_mode::kInsertBefore,
                                                hook_mode::kInsertAfter, hook_mode::kReplace};

Placement placementOf(int hookMode) {
    switch (hookMode) {
    case hook_mode::kInsertBefore:
        return Placement::InsertBefore;
    case hook_mode::kInsertAfter:
        return Placement::InsertAfter;
    default:
        return Placement::Append;
    }
}

macros::ScreenRect onScreen(const ui::Rect& inWindow, ui::Point windowAt) {
    return {windowAt.x + inWindow.left, windowAt.y + inWindow.top, windowAt.x + inWindow.right,
            windowAt.y + inWindow.bottom};
}

} // namespace

MacroRecordingRoutes::Handlers& MacroRecordingRoutes::handlersOf(int hookMode) {
    for (size_t i = 0; i < kRecordingModes.size(); ++i) {
        if (kRecordingModes[i] == hookMode) {
            return handlers_[i];
        }
    }
    return handlers_[0];
}

RecordTimeMode MacroRecordingRoutes::timeModeOfOption() const {
    const MacroTarget target = current();
    const auto* option =
        target ? target.panel->findDescendantAs<ui::Option>("macro_check_time") : nullptr;
    return option != nullptr && option->selected() ? RecordTimeMode::ConstantTime
                                                   : RecordTimeMode::RecordTime;
}

void MacroRecordingRoutes::Start(RecordTimeMode mode, int hookMode) {
    const MacroTarget target = current();
    if (!target) {
        return;
    }
    target.panel->StartRecording(mode);
    // Without the keyboard the panel still records nothing and waits for its stop button.
    hook_.Start(hookMode, window_);
    if (hooks_.setRecordingLock) {
        hooks_.setRecordingLock(false);
    }
}

void MacroRecordingRoutes::Stop() {
    const MacroTarget target = current();
    if (target) {
        target.panel->StopRecording();
    }
    hook_.Stop();
    if (hooks_.setRecordingLock) {
        hooks_.setRecordingLock(true);
    }
    if (target) {
        target.panel->Save();
    }
}

void MacroRecordingRoutes::EndRecording() {
    const MacroTarget target = current();
    if (target && target.panel->recording()) {
        Stop();
    } else {
        hook_.Stop();
    }
}

void MacroRecordingRoutes::take(int hookMode, const MacroTarget& target,
                                const macros::RecordedInput& input) {
    if (hookMode == hook_mode::kReplace) {
        target.panel->ReplaceSelectedInput(input);
    } else {
        target.panel->PlaceRecordedInput(placementOf(hookMode), input);
    }
}

void MacroRecordingRoutes::onKeyboard(int hookMode, const ui::WindowMessage& message) {
    const MacroTarget target = current();
    const auto* record = std::any_cast<macros::KeyboardHookRecord>(&message.payload);
    if (!target || record == nullptr) {
        return;
    }
    // Replacing needs a selected event before anything is remembered.
    if (hookMode == hook_mode::kReplace && target.panel->SelectedEvent() < 0) {
        return;
    }
    if (const auto input = macros::keyboardInput(static_cast<uint32_t>(message.wParam), *record,
                                                 handlersOf(hookMode).keys)) {
        take(hookMode, target, *input);
    }
}

void MacroRecordingRoutes::onMouse(int hookMode, const ui::WindowMessage& message) {
    const MacroTarget target = current();
    const auto* record = std::any_cast<macros::MouseHookRecord>(&message.payload);
    if (!target || record == nullptr) {
        return;
    }
    if (hookMode == hook_mode::kReplace && target.panel->SelectedEvent() < 0) {
        return;
    }
    const macros::ScreenRect stopButton =
        onScreen(target.panel->StopButtonRect(), window_.position());
    if (const auto input = macros::mouseInput(static_cast<uint32_t>(message.wParam), *record,
                                              handlersOf(hookMode).buttons, stopButton)) {
        take(hookMode, target, *input);
    }
}

void MacroRecordingRoutes::onCaptureKey(const ui::WindowMessage& message) {
    const auto* record = std::any_cast<macros::KeyboardHookRecord>(&message.payload);
    const bool press = message.wParam == msg::kKeyDown || message.wParam == msg::kSystemKeyDown;
    if (record == nullptr || !press || !hooks_.capturedKey) {
        return;
    }
    if (const auto entry = macros::findScanCodeRow(record->scanCode, record->extended())) {
        hooks_.capturedKey(*entry);
    }
}

void MacroRecordingRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    router.on(kClick, "macro_btn_starredio",
              [this](const ui::Notification&) { Start(timeModeOfOption(), hook_mode::kAppend); });
    router.on(kClick, "macro_btn_stopredio", [this](const ui::Notification&) { Stop(); });
    router.onMessage(kMsgMenuChosen, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        const auto* chosen = std::any_cast<ui::MenuItemRecord>(&m.payload);
        for (const RecordingItem& item : kRecordingItems) {
            if (chosen != nullptr && equalsIgnoreCase(chosen->name, item.name)) {
                Start(item.mode.value_or(timeModeOfOption()), item.hookMode);
            }
        }
        return std::nullopt; // other items belong to other parts
    });
    for (const int mode : kRecordingModes) {
        router.onMessage(*HookMessages::keyboard(mode), [this, mode](const ui::WindowMessage& m) {
            onKeyboard(mode, m);
            return std::optional<int64_t>(0);
        });
        router.onMessage(*HookMessages::mouse(mode), [this, mode](const ui::WindowMessage& m) {
            onMouse(mode, m);
            return std::optional<int64_t>(0);
        });
    }
    router.onMessage(*HookMessages::keyboard(hook_mode::kKeyCapture),
                     [this](const ui::WindowMessage& m) {
                         onCaptureKey(m);
                         return std::optional<int64_t>(0);
                     });
    router.onMessage(kMsgRecordingHooks, [this](const ui::WindowMessage& m) {
        if (m.wParam == 1) {
            hook_.Start(hook_mode::kKeyCapture, window_);
        } else if (hook_.hookMode() == hook_mode::kKeyCapture) {
            // The key field losing the focus never ends a recording that started meanwhile.
            hook_.Stop();
        }
        return std::optional<int64_t>(1);
    });
}

} // namespace morva::app
