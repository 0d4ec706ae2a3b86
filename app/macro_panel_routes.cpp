#include "app/macro_panel_routes.h"

#include "base/text.h"
#include "device/key_assignments.h"
#include "device/usb_device.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/macro_event_row.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/toolkit.h"

#include <array>
#include <utility>

namespace morva::app {
namespace {

using macros::CMacroControlUI;
using macros::EventMove;

constexpr std::string_view kMacroFileFilter = "Macro Files(*.mac)";
constexpr std::string_view kEventMenu = "XML\\Menus\\macro_action_menu.xml";
constexpr std::string_view kConfirmDelete = "message_text_4";
constexpr std::string_view kConfirmDeleteAssigned = "message_text_2";
constexpr std::string_view kNameTaken = "message_text_5";
constexpr std::string_view kNotAMacro = "macro_import_not_macro_text";

constexpr std::array<std::pair<std::string_view, EventMove>, 4> kMoveButtons = {{
    {"macro_btn_up", EventMove::Up},
    {"macro_btn_down", EventMove::Down},
    {"macro_btn_uptop", EventMove::Top},
    {"macro_btn_downbottom", EventMove::Bottom},
}};

ui::FileDialogRequest macroFileDialog(bool save) {
    return {.save = save,
            .title = {},
            .filter = std::string(kMacroFileFilter),
            .defaultName = {},
            .folder = {}};
}

} // namespace

int MacroPanelRoutes::ask(std::string_view textKey, ui::MessageBoxButtons buttons) const {
    return hooks_.showMessage ? hooks_.showMessage(textKey, buttons) : 0;
}

void MacroPanelRoutes::macrosChanged(const MacroTarget& target) {
    target.device->LoadPanelLists();
}

void MacroPanelRoutes::AddMacro() {
    const MacroTarget target = current();
    if (!target) {
        return;
    }
    const std::string name = target.panel->AddMacro();
    if (name.empty()) {
        return;
    }
    if (target.keyPanel != nullptr) {
        target.keyPanel->AddMacroName(name);
    }
    macrosChanged(target);
}

void MacroPanelRoutes::DeleteMacro() {
    // Nothing chosen, nothing to ask about.
    const MacroTarget chosen = current();
    if (!chosen || chosen.panel->SelectedMacro() < 0 ||
        ask(kConfirmDelete, ui::MessageBoxButtons::OkCancel) != 1) {
        return;
    }
    // The boxes run modally: the target is taken anew after each.
    MacroTarget target = current();
    const int number = target ? target.panel->SelectedMacro() : -1;
    if (number < 0 || target.panel->MacroCount() == 0) {
        return;
    }
    device::KeyAssignments* keys = target.device->keyAssignments();
    if (keys != nullptr && keys->usesMacro(number)) {
        if (ask(kConfirmDeleteAssigned, ui::MessageBoxButtons::OkCancel) != 1) {
            return;
        }
        target = current();
        if (!target || target.panel->SelectedMacro() != number) {
            return;
        }
    }
    // The macro goes first: keys are only repaired for a macro that is really gone.
    if (!target.panel->DeleteSelectedMacro()) {
        return;
    }
    const bool keysChanged = keys != nullptr && keys->removeMacro(number);
    if (target.keyPanel != nullptr) {
        target.keyPanel->RemoveMacroName(number);
    }
    macrosChanged(target);
    if (keysChanged) {
        target.device->RefreshPage();
        // The device's macros move up by one: its keys must follow them at once, and the profile
        // too, or keys would play the macro after the one they were given.
        if (hooks_.writeKeysAndMacros) {
            hooks_.writeKeysAndMacros();
        }
    }
}

void MacroPanelRoutes::RenameMacro() {
    const MacroTarget target = current();
    if (!target) {
        return;
    }
    const macros::RenameResult renamed = target.panel->RenameMacro();
    switch (renamed.outcome) {
    case macros::RenameOutcome::NameTaken:
        ask(kNameTaken, ui::MessageBoxButtons::Ok);
        return;
    case macros::RenameOutcome::Renamed:
        if (target.keyPanel != nullptr) {
            target.keyPanel->RenameMacroName(renamed.number, renamed.name);
        }
        macrosChanged(target);
        target.device->RefreshPage();
        return;
    case macros::RenameOutcome::NothingToDo:
    case macros::RenameOutcome::NotWritten:
        return;
    }
}

void MacroPanelRoutes::ImportMacro() {
    if (!current()) {
        return;
    }
    const std::optional<std::string> path =
        toolkit_.host().fileDialog(&window_, macroFileDialog(false));
    const MacroTarget target = current();
    if (!path || path->empty() || !target) {
        return;
    }
    const macros::ImportResult imported = target.panel->ImportMacro(*path);
    if (imported.notAMacro) {
        ask(kNotAMacro, ui::MessageBoxButtons::Ok);
        return;
    }
    if (imported.name.empty()) {
        return;
    }
    if (target.keyPanel != nullptr) {
        target.keyPanel->AddMacroName(imported.name);
    }
    macrosChanged(target);
}

void MacroPanelRoutes::ExportMacro() {
    MacroTarget target = current();
    if (!target || target.panel->SelectedMacro() < 0) {
        return;
    }
    const std::optional<std::string> path =
        toolkit_.host().fileDialog(&window_, macroFileDialog(true));
    target = current();
    if (path && !path->empty() && target) {
        target.panel->ExportSelectedMacro(*path);
    }
}

void MacroPanelRoutes::ShowEventMenu() {
    toolkit_.closeMenu();
    toolkit_.showMenu(window_, kEventMenu, toolkit_.host().cursorPos());
}

void MacroPanelRoutes::InsertMouseEvent(std::string_view item) {
    const MacroTarget target = current();
    const macros::MouseInsertItem* insert = macros::findMouseInsertItem(item);
    if (target && insert != nullptr) {
        target.panel->InsertMouseEvent(*insert);
        target.panel->Save();
    }
}

void MacroPanelRoutes::registerOn(ui::NotificationRouter& router) {
    using namespace ui::notify;
    const auto withPanel = [this](auto action) {
        return [this, action](const ui::Notification&) {
            if (const MacroTarget target = current()) {
                action(*target.panel);
            }
        };
    };
    router.on(kItemSelect, "macro_name_list",
              withPanel([](CMacroControlUI& panel) { panel.LoadSelectedMacro(); }));
    router.on(kClick, "macro_btn_name_add", [this](const ui::Notification&) { AddMacro(); });
    router.on(kClick, "macro_btn_name_sub", [this](const ui::Notification&) { DeleteMacro(); });
    router.on(kClick, "macro_btn_name_edit", [this](const ui::Notification&) { RenameMacro(); });
    router.on(kClick, "macro_btn_import", [this](const ui::Notification&) { ImportMacro(); });
    router.on(kClick, "macro_btn_export", [this](const ui::Notification&) { ExportMacro(); });
    router.on(kClick, "macro_btn_save", withPanel([](CMacroControlUI& panel) { panel.Save(); }));
    router.on(kKillFocus, macros::kDelayFieldName,
              withPanel([](CMacroControlUI& panel) { panel.Save(); }));
    router.on(kClick, "macro_btn_cancel",
              withPanel([](CMacroControlUI& panel) { panel.LoadSelectedMacro(); }));
    for (const auto& [button, move] : kMoveButtons) {
        router.on(kClick, button, withPanel([move = move](CMacroControlUI& panel) {
                      panel.MoveEvent(move);
                      panel.Save();
                  }));
    }
    router.on(kClick, "macro_btn_delete", withPanel([](CMacroControlUI& panel) {
                  panel.DeleteEvent();
                  panel.Save();
              }));
    router.on(kClick, "macro_btn_deleteall", withPanel([](CMacroControlUI& panel) {
                  panel.DeleteAllEvents();
                  panel.Save();
              }));
    for (const macros::MouseInsertItem& item : macros::mouseInsertItems()) {
        if (!item.distanceField.empty()) {
            router.on(kClick, item.name, [this, name = item.name](const ui::Notification&) {
                InsertMouseEvent(name);
            });
        }
    }
    router.on(kMenu, macros::kEventRowName, [this](const ui::Notification&) {
        if (current()) {
            ShowEventMenu();
        }
    });
    router.onMessage(kMsgMenuChosen, [this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (const auto* item = std::any_cast<ui::MenuItemRecord>(&m.payload)) {
            InsertMouseEvent(item->name);
        }
        return std::nullopt; // other items belong to other parts
    });
}

} // namespace morva::app
