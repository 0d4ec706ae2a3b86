#include "profiles/panel/profile_panel_routes.h"

#include "base/trace.h"
#include "profiles/panel/profile_messages.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <array>

namespace morva::profiles {
namespace {

using R = ProfilePanelRoutes;

constexpr std::array kRoutes = {
    R::Route{ui::notify::kClick, "device_add_btn", &R::onAdd},
    R::Route{ui::notify::kClick, "device_sub_btn", &R::onDelete},
    R::Route{ui::notify::kClick, "device_copy_btn", &R::onCopy},
    R::Route{ui::notify::kClick, "device_import_btn", &R::onImport},
    R::Route{ui::notify::kClick, "device_export_btn", &R::onExport},
    R::Route{ui::notify::kClick, "device_profile_edit_save_btn", &R::onRename},
    R::Route{ui::notify::kClick, "device_reset_btn", &R::onReset},
    R::Route{ui::notify::kClick, "profile_fun_spread_btn", &R::onMenuToggle},
    R::Route{ui::notify::kItemSelect, "device_profile_combo", &R::onProfileChosen},
};

ui::FileDialogRequest profileFileDialog(bool save) {
    ui::FileDialogRequest request;
    request.save = save;
    request.filter = kProfileFileFilter;
    return request;
}

} // namespace

ProfilePanelRoutes::ProfilePanelRoutes(PanelSource currentPanel, DeviceSource currentDevice,
                                       ui::Host& host, EventLoop& loop, PanelMessageBox messageBox)
    : currentPanel_(std::move(currentPanel)), currentDevice_(std::move(currentDevice)), host_(host),
      messageBox_(std::move(messageBox)), activation_(loop) {}

std::span<const ProfilePanelRoutes::Route> ProfilePanelRoutes::routes() {
    return kRoutes;
}

void ProfilePanelRoutes::onAdd(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr) {
        return;
    }
    const ProfileResult added = panel->AddProfile();
    report(added);
    if (added.ok()) {
        tellDone(kProfileAddedKey, added.name);
        // The new profile is the selection: the device works on it from now on, so the combo,
        // the list file and the device agree.
        activation_.cancel();
        activateNow(ProfileWriteReason::Selection);
    }
}

void ProfilePanelRoutes::onDelete(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    const ui::Combo* combo = panel != nullptr ? panel->profileCombo() : nullptr;
    // The last profile stays: there is nothing to ask about.
    if (panel == nullptr || panel->GetSelectedIndex() < 0 || combo == nullptr ||
        combo->count() <= 1) {
        return;
    }
    // A deleted profile cannot be had back.
    if (showMessage(
            PanelMessage{kConfirmDeleteMessageKey, true, ui::MessageBoxButtons::OkCancel}) != 1) {
        return;
    }
    const ProfileResult deleted = panel->DeleteProfile();
    report(deleted);
    if (deleted.ok()) {
        tellDone(kProfileDeletedKey);
        // The device must not keep working on the profile whose file is gone: saving it would
        // bring the file back as a profile no list names.
        scheduleActivation();
    }
}

void ProfilePanelRoutes::onCopy(const ui::Notification&) {
    if (CDeviceProfileUI* panel = panelNow()) {
        const ProfileResult copied = panel->CopyProfile();
        report(copied);
        if (copied.ok()) {
            tellDone(kProfileCopiedKey, copied.name);
        }
    }
}

void ProfilePanelRoutes::onImport(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr || panel->GetSelectedIndex() < 0) {
        return;
    }
    const std::optional<std::string> path =
        host_.fileDialog(ownerWindow(), profileFileDialog(false));
    if (!path || path->empty()) {
        return;
    }
    const ProfileResult imported = panel->ImportProfile(*path);
    report(imported);
    if (imported.ok()) {
        tellDone(kProfileImportedKey, imported.name);
    }
}

void ProfilePanelRoutes::onExport(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr || panel->GetSelectedIndex() < 0) {
        return;
    }
    const std::optional<std::string> path =
        host_.fileDialog(ownerWindow(), profileFileDialog(true));
    if (!path || path->empty()) {
        return;
    }
    const std::string file = exportFileName(*path);
    const ProfileResult exported = panel->ExportProfile(file);
    report(exported);
    if (exported.ok()) {
        tellDone(kProfileExportedKey, file);
    }
}

void ProfilePanelRoutes::onRename(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr) {
        return;
    }
    const std::string newName = panel->GetNameText();
    if (newName.empty()) {
        showMessage(PanelMessage{kEmptyNameMessageKey, true, ui::MessageBoxButtons::Ok});
        restoreName(*panel);
        return;
    }
    const ProfileResult renamed = panel->RenameProfile(newName);
    report(renamed);
    if (renamed.ok()) {
        tellDone(kProfileRenamedKey, renamed.name);
    } else {
        restoreName(*panel);
    }
}

void ProfilePanelRoutes::onReset(const ui::Notification&) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr || panel->GetSelectedIndex() < 0) {
        return;
    }
    const PanelMessage confirm{kConfirmResetMessageKey, true, ui::MessageBoxButtons::OkCancel};
    if (showMessage(confirm) != 1) {
        return;
    }
    const ProfileResult reset = panel->ResetProfile();
    report(reset);
    if (reset.ok()) {
        tellDone(kProfileResetKey);
        // Written now; a choice still waiting would only write the same profile again.
        activation_.cancel();
        activateNow(ProfileWriteReason::Reset);
    }
}

void ProfilePanelRoutes::onMenuToggle(const ui::Notification&) {
    if (CDeviceProfileUI* panel = panelNow()) {
        panel->ShowMenu(!panel->IsMenuShown());
    }
}

void ProfilePanelRoutes::onProfileChosen(const ui::Notification& notification) {
    CDeviceProfileUI* panel = panelNow();
    if (panel == nullptr) {
        return;
    }
    const ProfileResult selected =
        panel->SelectProfile(static_cast<int>(notification.wParam), false);
    report(selected);
    if (selected.status == ProfileStatus::IndexOutOfRange ||
        selected.status == ProfileStatus::NoSelection ||
        selected.status == ProfileStatus::ProfileGone || selected.status == ProfileStatus::Busy) {
        return;
    }
    // Shown as chosen even when the list file could not store the choice.
    scheduleActivation();
}

void ProfilePanelRoutes::scheduleActivation() {
    activation_.choose([this] { activateNow(ProfileWriteReason::Selection); });
}

void ProfilePanelRoutes::activateNow(ProfileWriteReason reason) {
    // The device and panel current when the write happens, not when it was asked for: the device
    // chosen then may have gone meanwhile.
    CDeviceProfileUI* panel = panelNow();
    ProfilePanelDevice* device = deviceNow();
    if (panel == nullptr || device == nullptr) {
        return;
    }
    const std::string identifier = panel->GetSelectedIdentifier();
    if (identifier.empty()) {
        return;
    }
    device->setProfileIdentifier(identifier);
    reportMacroWrite(device->applyFullProfileWrite(reason));
}

void ProfilePanelRoutes::report(const ProfileResult& result) {
    if (!result.ok()) {
        trace("profile panel: %s\n", describeProfileStatus(result.status));
        const std::string key = profileStatusMessageKey(result.status);
        if (!key.empty()) {
            showMessage(PanelMessage{key, true, ui::MessageBoxButtons::Ok});
        }
    }
    showNotice(result.notice);
    if (result.selectionMoved) {
        // Another program removed the profile the device works on.
        scheduleActivation();
    }
}

void ProfilePanelRoutes::showNotice(ProfileNotice notice) {
    const std::string key = profileNoticeMessageKey(notice);
    if (key.empty()) {
        return;
    }
    trace("profile panel: %s\n", describeProfileNotice(notice));
    showMessage(PanelMessage{key, true, ui::MessageBoxButtons::Ok});
}

void ProfilePanelRoutes::reportMacroWrite(int writeMacrosResult) {
    const std::optional<MacroWriteMessage> message = macroWriteMessage(writeMacrosResult);
    if (!message) {
        return;
    }
    if (!message->count) {
        showMessage(PanelMessage{message->textKey, true, ui::MessageBoxButtons::Ok});
        return;
    }
    showMessage(PanelMessage{formatCountText(languageText(message->textKey), *message->count),
                             false, ui::MessageBoxButtons::Ok});
}

void ProfilePanelRoutes::tellDone(std::string_view key, const std::string& detail) {
    const std::string text = languageText(key) + detail;
    trace("profile panel: %s\n", text.c_str());
    if (notice_) {
        notice_(text);
    }
}

void ProfilePanelRoutes::restoreName(CDeviceProfileUI& panel) {
    panel.RestoreSelectedName();
}

int ProfilePanelRoutes::showMessage(const PanelMessage& message) {
    if (messageBox_) {
        return messageBox_(ownerWindow(), message);
    }
    const std::string text = message.textIsKey ? languageText(message.text) : message.text;
    return host_.messageBox(ownerWindow(), {}, text, message.buttons);
}

std::string ProfilePanelRoutes::languageText(std::string_view key) const {
    if (const ui::Window* window = ownerWindow()) {
        if (auto text = window->toolkit().language().lookup(key)) {
            return *text;
        }
    }
    return std::string(key);
}

CDeviceProfileUI* ProfilePanelRoutes::panelNow() const {
    return currentPanel_ ? currentPanel_() : nullptr;
}

ProfilePanelDevice* ProfilePanelRoutes::deviceNow() const {
    return currentDevice_ ? currentDevice_() : nullptr;
}

ui::Window* ProfilePanelRoutes::ownerWindow() const {
    const CDeviceProfileUI* panel = panelNow();
    return panel != nullptr ? panel->window() : nullptr;
}

} // namespace morva::profiles
