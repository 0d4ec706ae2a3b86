#pragma once

#include "profiles/list/profile_list_document.h"
#include "profiles/list/profile_list_result.h"
#include "profiles/list/timestamp_id.h"

#include <filesystem>
#include <json/value.h>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Add stops here; copy and import have no limit.
inline constexpr int kMaxProfilesForAdd = 50;
// Device type code of the headset, whose reset keeps the custom equalisers.
inline constexpr int kHeadsetDeviceType = 7;

// The profiles of one device model: the list file "ProfileList.ini" and the profile files in the
// device data folder, with the operations of the profile panel. Toolkit-free: the panel mirrors
// entries() in its combo and selectedIndex() as the combo's selection.
//
// The files are the state between operations: every operation that writes the list re-reads it
// first and keeps whatever else it holds. The entries held here mirror the list; when the file on
// disk no longer matches them (lost or changed behind our back), the list is rewritten from them
// so an operation never leaves holes or the wrong element changed.
class ProfileList {
public:
    ProfileList(std::filesystem::path deviceFolder, std::filesystem::path defaultProfilePath,
                int deviceType, const LocalTimeSource& timeSource = SystemLocalTime::instance());

    // Loads the list, creating a one-profile list "profile1" from the default profile when the
    // file is missing, unreadable or lists no profile, and selects the stored profile (the first
    // when the stored index is out of range).
    ProfileResult load();

    const std::vector<ProfileEntry>& entries() const { return entries_; }
    std::vector<std::string> names() const;
    int size() const { return static_cast<int>(entries_.size()); }
    int selectedIndex() const { return selected_; }
    // The identifier of the selected profile; empty when none is selected.
    const std::string& selectedIdentifier() const { return selectedIdentifier_; }

    std::filesystem::path listFilePath() const;
    std::filesystem::path profileFilePath(std::string_view identifier) const;
    // Empty when no profile is selected.
    std::filesystem::path selectedProfilePath() const;

    // Selects an entry and stores the choice in the list file.
    ProfileResult select(int index);
    // Appends "profile<n>" made from the default profile. The list file names it as selected;
    // the selection held here does not change.
    ProfileResult add();
    // Deletes the selected profile and its file; the previous entry (or the first) becomes the
    // selection, here and in the list file, and the caller activates it.
    ProfileResult deleteSelected();
    // Appends "<name> copy" with a copy of the selected profile's file.
    ProfileResult copySelected();
    ProfileResult renameSelected(std::string_view newName);
    // Overwrites the selected profile with the default profile, keeping its name and identifier
    // (and a headset's custom equalisers).
    ProfileResult resetSelected();
    // Appends a profile made from a profile file exported elsewhere; a file that is no JSON
    // document with "profilename" and "profileUUID" is refused with the reason.
    ProfileResult importFrom(const std::filesystem::path& file);
    // Writes the selected profile to the destination (re-formatted).
    ProfileResult exportTo(const std::filesystem::path& destination) const;

    // Checks a file for import without changing anything; Ok when importFrom would take it.
    static ProfileStatus checkImportFile(const std::filesystem::path& file, Json::Value* document);

private:
    std::string makeIdentifier() const;
    bool isIdentifierTaken(const std::string& identifier) const;
    Json::Value currentListDocument() const;
    bool writeList(const Json::Value& document) const;
    bool writeProfile(const std::string& identifier, const Json::Value& document) const;
    ProfileResult createFirstProfile();
    ProfileResult appendProfile(const std::string& name, Json::Value profileDocument,
                                bool storeAsSelected);
    void setSelection(int index);

    std::filesystem::path deviceFolder_;
    std::filesystem::path defaultProfilePath_;
    int deviceType_;
    const LocalTimeSource& timeSource_;
    std::vector<ProfileEntry> entries_;
    int selected_ = -1;
    std::string selectedIdentifier_;
};

} // namespace morva
