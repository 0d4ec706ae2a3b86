#include "app/key_panel_routes.h"

#include "base/trace.h"
#include "device/key_assignments.h"
#include "device/usb_device.h"
#include "keyassign/assignment_text.h"
#include "keyassign/panel/key_set_control_ui.h"

#include <array>

namespace morva::app {
namespace {

// Choices that apply the assignment as soon as they are made.
constexpr std::array<std::string_view, 9> kApplyingLists = {
    "keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
    "keyset_mousedpi_combo", "keyset_media_combo",      "keyset_system_combo",
    "keyset_macro_combo",    "keyset_gunkey_combo",     "keyset_combokey_combo"};

// Number fields that apply the assignment when they lose the focus or take Return.
constexpr std::array<std::string_view, 9> kApplyingFields = {
    "keyset_mouseswing_num_edit",     "keyset_mouseswing_delay_edit",
    "keyset_mouseswing_speed_edit",   "keyset_mousewheel_num_edit",
    "keyset_mousewheel_delay_edit",   "keyset_mousewheel_speed_edit",
    "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit",
    "keyset_macro_cycle_edit"};

constexpr std::string_view kKeyField = "keyset_keyboard_text_edit";
constexpr std::string_view kLastLeftButtonMessage = "message_text_6";
constexpr int kKeyAssignmentFunction = 2;

} // namespace

KeyPanelRoutes::Target KeyPanelRoutes::current() const {
    Target target;
    target.device = hooks_.currentDevice ? hooks_.currentDevice() : nullptr;
    target.keys = target.device != nullptr ? target.device->keyAssignments() : nullptr;
    target.panel = target.keys != nullptr ? target.keys->panel() : nullptr;
    return target;
}

void KeyPanelRoutes::SelectKey(int position) {
    const Target target = current();
    // On the lighting panel a key click paints the key instead; elsewhere it does nothing.
    if (!target || target.device->GetFunctionKind() != kKeyAssignmentFunction) {
        return;
    }
    using Selection = device::KeyAssignments::Selection;
    switch (target.keys->select(position, target.device->GetProfilePath())) {
    case Selection::LastLeftButton:
        if (hooks_.showMessage) {
            hooks_.showMessage(kLastLeftButtonMessage);
        }
        return;
    case Selection::Selected:
        target.device->SetSelectedKey(position);
        target.device->RefreshPage();
        return;
    case Selection::NoProfile:
    case Selection::NoKey:
        return;
    }
}

void KeyPanelRoutes::ApplyKeyAssignment() {
    const Target target = current();
    if (!target) {
        return;
    }
    const profiles::KeyAssignmentRecord record = target.panel->BuildAssignment();
    if (!target.keys->storeSelected(record)) {
        return;
    }
    trace("key %d: %s\n", target.keys->selected(),
          keyassign::describeAssignment(record.assignment.code, target.keys->macroNames()).c_str());
    target.device->RefreshPage();
    target.panel->SetEditButtonsEnabled(true);
}

} // namespace morva::app

namespace morva::app {

void KeyPanelRoutes::WriteToDevice() {
    const Target target = current();
    if (!target) {
        return;
    }
    const int macros = target.device->WriteMacros();
    if (macros == 0) {
        target.device->WriteCurrentKeyTable(0);
    } else if (hooks_.reportMacroWrite) {
        hooks_.reportMacroWrite(macros);
    }
    target.device->SaveProfile();
    if (hooks_.setEditLock) {
        hooks_.setEditLock(true);
    }
}

void KeyPanelRoutes::SetCapture(bool on) {
    capturing_ = on;
    if (hooks_.keyCapture) {
        hooks_.keyCapture(on);
    }
}

void KeyPanelRoutes::OnCapturedKey(size_t catalogueEntry) {
    const Target target = current();
    if (capturing_ && target) {
        target.panel->CaptureKey(catalogueEntry);
    }
}

void KeyPanelRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    const auto withPanel = [this](auto action) {
        return [this, action](const ui::Notification& n) {
            if (const Target target = current()) {
                action(*target.panel, n);
            }
        };
    };
    router.onFamily(kClick, "key_",
                    [this](const ui::Notification&, int position) { SelectKey(position); });
    router.on(kItemSelect, "keyset_function_combo",
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification&) {
                  panel.ShowCategoryPage(panel.SelectedCategory());
                  ApplyKeyAssignment();
              }));
    router.on(kItemSelect, "keyset_macro_over_combo",
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification& n) {
                  panel.ShowPlaybackChoice(static_cast<int>(n.wParam));
                  ApplyKeyAssignment();
              }));
    for (const std::string_view list : kApplyingLists) {
        router.on(kItemSelect, list, [this](const ui::Notification&) { ApplyKeyAssignment(); });
    }
    for (const std::string_view field : kApplyingFields) {
        for (const std::string_view type : {kKillFocus, kReturn}) {
            router.on(type, field, [this](const ui::Notification&) { ApplyKeyAssignment(); });
        }
    }
    router.onFamily(kClick, "key_ComBox_check_", [this](const ui::Notification&, int option) {
        if (const Target target = current()) {
            target.panel->SetModifierCheck(option);
            ApplyKeyAssignment();
        }
    });
    router.on(kClick, "key_butt_keysave", [this](const ui::Notification&) {
        ApplyKeyAssignment();
        if (hooks_.setEditLock) {
            hooks_.setEditLock(false);
        }
    });
    router.on(kClick, "key_butt_keydefalut",
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification&) {
                  panel.ShowDefault();
                  panel.SetEditButtonsEnabled(true);
                  if (hooks_.setEditLock) {
                      hooks_.setEditLock(false);
                  }
              }));
    router.on(kClick, "key_butt_keycancel",
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification&) {
                  panel.ShowCurrent();
                  panel.SetEditButtonsEnabled(false);
                  if (hooks_.setEditLock) {
                      hooks_.setEditLock(true);
                  }
              }));
    router.on(kClick, "key_butt_prosave", [this](const ui::Notification&) { WriteToDevice(); });
    router.on(kSetFocus, kKeyField, [this](const ui::Notification&) { SetCapture(true); });
    router.on(kKillFocus, kKeyField,
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification&) {
                  SetCapture(false);
                  if (panel.TakeTypedKey()) {
                      ApplyKeyAssignment();
                  }
              }));
    // Return takes a typed key name without leaving the field.
    router.on(kReturn, kKeyField,
              withPanel([this](keyassign::CKeySetControlUI& panel, const ui::Notification&) {
                  if (panel.TakeTypedKey()) {
                      ApplyKeyAssignment();
                  }
              }));
}

} // namespace morva::app
