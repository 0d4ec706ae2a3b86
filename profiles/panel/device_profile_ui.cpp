#include "profiles/panel/device_profile_ui.h"

#include "base/trace.h"
#include "profiles/list/profile_tabs.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"

namespace morva {
namespace {

constexpr std::string_view kComboName = "device_profile_combo";
constexpr std::string_view kNameEditName = "device_profile_name_edit";
constexpr std::string_view kMenuLayoutName = "profile_menu_layout";
constexpr int kComboEntryHeight = 30;

ProfileResult notInitialised() {
    return ProfileResult{ProfileStatus::NoSelection, -1, {}};
}

} // namespace

CDeviceProfileUI::CDeviceProfileUI() = default;
CDeviceProfileUI::~CDeviceProfileUI() = default;

ui::Combo* CDeviceProfileUI::profileCombo() const {
    return findDescendantAs<ui::Combo>(kComboName);
}

ui::Edit* CDeviceProfileUI::nameEdit() const {
    return findDescendantAs<ui::Edit>(kNameEditName);
}

ui::Control* CDeviceProfileUI::menuLayout() const {
    return findDescendant(kMenuLayoutName);
}

ui::Control* CDeviceProfileUI::tabOption(std::string_view name) const {
    return findDescendant(name);
}

ProfileResult CDeviceProfileUI::InitProfiles(const std::filesystem::path& deviceFolder,
                                             const std::filesystem::path& defaultProfilePath,
                                             int deviceType, const LocalTimeSource& timeSource) {
    deviceType_ = deviceType;
    list_ = std::make_unique<ProfileList>(deviceFolder, defaultProfilePath, deviceType, timeSource);
    const ProfileResult loaded = list_->load();
    if (!loaded.ok()) {
        trace("CDeviceProfileUI: loading the profiles of %s: %s", deviceFolder.string().c_str(),
              describeProfileStatus(loaded.status));
    }
    fillCombo();
    showSelection();
    applyTabVisibility();
    isolateTabGroup(deviceFolder);
    return loaded;
}

void CDeviceProfileUI::fillCombo() {
    ui::Combo* combo = profileCombo();
    if (combo == nullptr) {
        trace("CDeviceProfileUI: the skin has no \"%s\"", std::string(kComboName).c_str());
        return;
    }
    combo->clear();
    for (const ProfileEntry& entry : list_->entries()) {
        appendComboEntry(entry.name);
    }
}

void CDeviceProfileUI::appendComboEntry(const std::string& name) {
    if (ui::Combo* combo = profileCombo()) {
        combo->addItem(ui::ComboItem{name, name, kComboEntryHeight, true});
    }
}

void CDeviceProfileUI::showSelection() {
    const int selected = list_->selectedIndex();
    if (ui::Combo* combo = profileCombo()) {
        combo->selectItem(selected, false);
    }
    SetNameText(selected >= 0 ? list_->entries()[static_cast<size_t>(selected)].name
                              : std::string());
}

void CDeviceProfileUI::applyTabVisibility() {
    for (const TabVisibility& tab : profileTabVisibility(deviceType_)) {
        if (ui::Control* option = tabOption(tab.option)) {
            option->setVisible(tab.visible);
        }
    }
}

void CDeviceProfileUI::isolateTabGroup(const std::filesystem::path& deviceFolder) {
    const std::string group = "device_function_tab:" + deviceFolder.string();
    for (const std::string_view name : kProfileTabOptions) {
        if (auto* option = dynamic_cast<ui::Option*>(tabOption(name))) {
            option->setGroup(group);
        }
    }
}

ProfileResult CDeviceProfileUI::SelectProfile(int index, bool notify) {
    if (!list_) {
        return notInitialised();
    }
    const ProfileResult selected = list_->select(index);
    if (selected.status == ProfileStatus::IndexOutOfRange) {
        return selected;
    }
    if (ui::Combo* combo = profileCombo()) {
        combo->selectItem(index, notify);
    }
    SetNameText(list_->entries()[static_cast<size_t>(index)].name);
    return selected;
}

int CDeviceProfileUI::GetSelectedIndex() const {
    const ui::Combo* combo = profileCombo();
    return combo != nullptr ? combo->selectedIndex() : -1;
}

std::string CDeviceProfileUI::GetSelectedIdentifier() const {
    return list_ ? list_->selectedIdentifier() : std::string();
}

std::filesystem::path CDeviceProfileUI::GetSelectedProfilePath() const {
    return list_ ? list_->selectedProfilePath() : std::filesystem::path();
}

std::string CDeviceProfileUI::GetNameText() const {
    const ui::Edit* edit = nameEdit();
    return edit != nullptr ? edit->rawText() : std::string();
}

void CDeviceProfileUI::SetNameText(std::string text) {
    if (ui::Edit* edit = nameEdit()) {
        edit->setText(std::move(text));
    }
}

void CDeviceProfileUI::ShowMenu(bool show) {
    if (ui::Control* menu = menuLayout()) {
        menu->setVisible(show);
    }
}

bool CDeviceProfileUI::IsMenuShown() const {
    const ui::Control* menu = menuLayout();
    return menu != nullptr && menu->visible();
}

ProfileResult CDeviceProfileUI::AddProfile() {
    if (!list_) {
        return notInitialised();
    }
    const ProfileResult added = list_->add();
    if (added.ok()) {
        appendComboEntry(added.name);
    }
    return added;
}

ProfileResult CDeviceProfileUI::DeleteProfile() {
    if (!list_) {
        return notInitialised();
    }
    const int removed = list_->selectedIndex();
    const ProfileResult deleted = list_->deleteSelected();
    if (deleted.ok()) {
        if (ui::Combo* combo = profileCombo()) {
            combo->removeItem(static_cast<size_t>(removed));
        }
        // The combo alone would be left without a selection; it shows what the list now names.
        showSelection();
    }
    return deleted;
}

ProfileResult CDeviceProfileUI::CopyProfile() {
    if (!list_) {
        return notInitialised();
    }
    const ProfileResult copied = list_->copySelected();
    if (copied.ok()) {
        appendComboEntry(copied.name);
    }
    return copied;
}

ProfileResult CDeviceProfileUI::ImportProfile(const std::filesystem::path& file) {
    if (!list_) {
        return notInitialised();
    }
    const ProfileResult imported = list_->importFrom(file);
    if (imported.ok()) {
        appendComboEntry(imported.name);
    }
    return imported;
}

ProfileResult CDeviceProfileUI::ExportProfile(const std::filesystem::path& destination) const {
    if (!list_) {
        return notInitialised();
    }
    return list_->exportTo(destination);
}

ProfileResult CDeviceProfileUI::RenameProfile(std::string_view newName) {
    if (!list_) {
        return notInitialised();
    }
    const ProfileResult renamed = list_->renameSelected(newName);
    if (renamed.ok()) {
        if (ui::Combo* combo = profileCombo()) {
            combo->setItemText(static_cast<size_t>(renamed.index), renamed.name);
            combo->setItemUserData(static_cast<size_t>(renamed.index), renamed.name);
        }
        SetNameText(renamed.name);
    }
    return renamed;
}

ProfileResult CDeviceProfileUI::ResetProfile() {
    if (!list_) {
        return notInitialised();
    }
    return list_->resetSelected();
}

void CDeviceProfileUI::SelectTab(int number, bool notify) {
    const std::string_view chosen = profileTabOption(number);
    for (const std::string_view name : kProfileTabOptions) {
        auto* option = dynamic_cast<ui::Option*>(tabOption(name));
        if (option != nullptr && name != chosen) {
            option->setSelected(false, false);
        }
    }
    if (auto* option = dynamic_cast<ui::Option*>(tabOption(chosen))) {
        option->setSelected(true, notify);
    }
}

void registerDeviceProfileClass(ui::ControlFactory& factory) {
    factory.registerClass(CDeviceProfileUI::kFactoryName,
                          [] { return std::make_unique<CDeviceProfileUI>(); });
}

} // namespace morva
