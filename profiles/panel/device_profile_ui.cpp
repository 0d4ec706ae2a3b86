#include "profiles/panel/device_profile_ui.h"

#include "base/trace.h"
#include "profiles/list/profile_tabs.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/option.h"

#include <utility>

namespace morva::profiles {
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
        trace("CDeviceProfileUI: loading the profiles of %s: %s\n", deviceFolder.string().c_str(),
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
    if (ui::Combo* combo = profileCombo()) {
        combo->selectItem(list_->selectedIndex(), false);
    }
    showSelectedName();
}

void CDeviceProfileUI::showSelectedName() {
    const int selected = list_->selectedIndex();
    SetNameText(selected >= 0 ? list_->entries()[static_cast<size_t>(selected)].name
                              : std::string());
}

void CDeviceProfileUI::applyTabVisibility() {
    for (const TabVisibility& tab : profileTabVisibility(deviceType_)) {
        ui::Control* option = tabOption(tab.option);
        if (option == nullptr) {
            continue;
        }
        option->setVisible(tab.visible);
        if (!tab.captionKey.empty()) {
            option->setTextKey(tab.captionKey);
        }
        if (!tab.toolTipKey.empty()) {
            option->setToolTip(ui::LanguageStore::makeKey(tab.toolTipKey));
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
    // The list may have changed behind our back: the combo shows it as it is now.
    fillCombo();
    if (ui::Combo* combo = profileCombo()) {
        combo->selectItem(list_->selectedIndex(), notify && selected.ok());
    }
    showSelectedName();
    return selected;
}

ProfileResult CDeviceProfileUI::mirrored(ProfileResult result) {
    fillCombo();
    showSelection();
    return result;
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
    return mirrored(list_->add());
}

ProfileResult CDeviceProfileUI::DeleteProfile() {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->deleteSelected());
}

ProfileResult CDeviceProfileUI::CopyProfile() {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->copySelected());
}

ProfileResult CDeviceProfileUI::ImportProfile(const std::filesystem::path& file) {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->importFrom(file));
}

ProfileResult CDeviceProfileUI::ExportProfile(const std::filesystem::path& destination) {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->exportTo(destination));
}

ProfileResult CDeviceProfileUI::RenameProfile(std::string_view newName) {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->renameSelected(newName));
}

ProfileResult CDeviceProfileUI::ResetProfile() {
    if (!list_) {
        return notInitialised();
    }
    return mirrored(list_->resetSelected());
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

} // namespace morva::profiles
