#pragma once

#include "profiles/list/profile_list.h"
#include "profiles/list/timestamp_id.h"
#include "profiles/panel/profile_panel_binding.h"
#include "ui/toolkit/container.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace morva::ui {
class Combo;
class ControlFactory;
class Edit;
} // namespace morva::ui

namespace morva::profiles {

// The profile panel of a device page: the combo of the device's profiles, the name edit, the
// fold-out menu of the less used operations and the function tabs of the page. The files are kept
// by ProfileList; the panel mirrors its entries in "device_profile_combo" and its selection in the
// combo and in "device_profile_name_edit".
//
// Every operation needs InitProfiles first; before it they change nothing and report
// ProfileStatus::NoSelection.
class CDeviceProfileUI : public ui::HorizontalLayout, public ProfilePanelBinding {
public:
    // The skin tag, and the name the control factory knows the class by.
    static constexpr std::string_view kSkinTag = "DeviceProfile";
    static constexpr std::string_view kFactoryName = "CDeviceProfileUI";

    CDeviceProfileUI();
    ~CDeviceProfileUI() override;

    std::string_view className() const override { return kSkinTag; }

    // Loads the device's profile list (creating "profile1" from the default profile on a first
    // start), fills the combo, selects the stored profile without notifying and hides the function
    // tabs the device type lacks.
    ProfileResult InitProfiles(const std::filesystem::path& deviceFolder,
                               const std::filesystem::path& defaultProfilePath, int deviceType,
                               const LocalTimeSource& timeSource = SystemLocalTime::instance());
    bool isInitialised() const { return list_ != nullptr; }
    int deviceType() const { return deviceType_; }

    // Selects the combo entry (sending "itemselect" only with notify), shows its name in the edit
    // and stores the choice in the list file.
    ProfileResult SelectProfile(int index, bool notify);

    // The combo's selection; -1 when none.
    int GetSelectedIndex() const;
    // The identifier of the selected profile; empty when none.
    std::string GetSelectedIdentifier() const;

    // ProfilePanelBinding: InitProfiles with the system's clock, and SelectTab without notifying.
    BoundProfiles BindProfiles(const std::filesystem::path& deviceFolder,
                               const std::filesystem::path& defaultProfilePath,
                               int deviceType) override {
        ProfileResult outcome = InitProfiles(deviceFolder, defaultProfilePath, deviceType);
        return {std::move(outcome), GetSelectedIdentifier()};
    }
    void ShowTab(int number) override { SelectTab(number, false); }
    // The path of the selected profile's file; empty when none.
    std::filesystem::path GetSelectedProfilePath() const;

    std::string GetNameText() const;
    void SetNameText(std::string text);
    // The name edit shows the selected profile's name again (after a refused rename).
    void RestoreSelectedName() { showSelectedName(); }

    // Visibility of "profile_menu_layout".
    void ShowMenu(bool show);
    bool IsMenuShown() const;

    // Appends "profile<n>" and selects it. Stops at kMaxProfilesForAdd.
    ProfileResult AddProfile();
    // Deletes the selected profile (never the last one); the previous entry, or the first, is
    // selected in the combo and the list file. The caller activates it on the device.
    ProfileResult DeleteProfile();
    // Appends "<name> copy" holding the selected profile's settings.
    ProfileResult CopyProfile();
    // Appends a profile from an exported profile file; a file that is none is refused with why.
    ProfileResult ImportProfile(const std::filesystem::path& file);
    // Writes the selected profile to the destination.
    ProfileResult ExportProfile(const std::filesystem::path& destination);
    // Renames the selected profile; a name any entry already has (ignoring case, the selected
    // one included) is refused.
    ProfileResult RenameProfile(std::string_view newName);
    // Makes the selected profile the default profile again, keeping its name and identifier.
    ProfileResult ResetProfile();

    // Selects function tab option 1 to 8 ("deng_Op_tab" ... "Virtual7.1_Op_tab") and deselects the
    // others; any other number deselects them all. "selectchanged" is sent only with notify.
    void SelectTab(int number, bool notify = false);

    // The panel's controls, or null when the skin lacks them.
    ui::Combo* profileCombo() const;
    ui::Edit* nameEdit() const;
    ui::Control* menuLayout() const;
    ui::Control* tabOption(std::string_view name) const;

private:
    void fillCombo();
    void appendComboEntry(const std::string& name);
    // Shows the list's selection in the combo (without notifying) and in the name edit.
    void showSelection();
    void showSelectedName();
    // Every operation may find the list changed by another program: the combo shows the list as
    // the operation left it.
    ProfileResult mirrored(ProfileResult result);
    void applyTabVisibility();
    // Every device page has its own panel in the one main window: its tabs get a group of
    // their own, so choosing a tab on one page leaves the other pages' choices alone.
    void isolateTabGroup(const std::filesystem::path& deviceFolder);

    std::unique_ptr<ProfileList> list_;
    int deviceType_ = 0;
};

// Lets skins make the panel from the tag "DeviceProfile" through the toolkit's factory.
void registerDeviceProfileClass(ui::ControlFactory& factory);

} // namespace morva::profiles
