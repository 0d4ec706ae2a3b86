#pragma once

#include "base/file_io.h"
#include "profiles/list/profile_list_document.h"
#include "profiles/list/profile_list_result.h"
#include "profiles/list/timestamp_id.h"

#include <filesystem>
#include <json/value.h>
#include <string>
#include <string_view>
#include <vector>

namespace morva::profiles {

// Add stops here; copy and import have no limit.
inline constexpr int kMaxProfilesForAdd = 50;
// Device type code of the headset, whose reset keeps the custom equalisers.
inline constexpr int kHeadsetDeviceType = 7;

// The profiles of one device model: the list file "ProfileList.ini" and the profile files in the
// device data folder, with the operations of the profile panel. Toolkit-free: the panel mirrors
// entries() in its combo and selectedIndex() as the combo's selection.
//
// The files are the state between operations, and other programs (a second window, the command
// line) change them too. So every operation takes the folder's lock, re-reads the list file and
// works on what it holds; the entries held here are only the list as last read. The selection
// follows its profile's identifier; when another program removed the selected profile, the stored
// selection takes its place. Each operation writes the profile file first and the list last, and
// undoes what it wrote when a later step fails, so a failure leaves the previous state whole.
class ProfileList {
public:
    ProfileList(std::filesystem::path deviceFolder, std::filesystem::path defaultProfilePath,
                int deviceType, const LocalTimeSource& timeSource = SystemLocalTime::instance());

    // Loads the list and selects the stored profile (the first when the stored index is out of
    // range). A missing list in a folder without profiles starts over with "profile1" made from the
    // default profile; a list that cannot be read is kept as ".bad" and made anew from the profile
    // files in the folder (ProfileNotice::ListRebuilt).
    ProfileResult load();
    // Re-reads the list, keeping the selected profile selected.
    ProfileResult refresh();

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

    // Selects the profile shown at this index of entries() and stores the choice in the list file.
    ProfileResult select(int index);
    // Appends "profile<n>" made from the default profile and selects it, here and in the list
    // file.
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
    // Writes the selected profile to the destination (re-formatted). The program's own folder is
    // refused.
    ProfileResult exportTo(const std::filesystem::path& destination);

    // Checks a file for import without changing anything; Ok when importFrom would take it.
    static ProfileStatus checkImportFile(const std::filesystem::path& file, Json::Value* document);

private:
    // The list document as read at the start of an operation, its "profilelist" in step with
    // entries_.
    struct ListState {
        ProfileStatus status = ProfileStatus::Ok;
        Json::Value document;
        ProfileNotice notice = ProfileNotice::None;
        bool selectionMoved = false;
        bool needsWrite = false; // the file holds elements that were dropped, or a bad selection
    };
    enum class SelectionRule {
        KeepHeld,   // the held profile stays selected; the stored one replaces it when gone
        ActOnHeld,  // as KeepHeld, but the operation acts on the held profile: refused when gone
        TakeStored, // the stored selection (loading)
    };

    // Runs an operation on the freshly read list with the folder locked.
    template <typename Operation> ProfileResult locked(SelectionRule rule, Operation&& operation);
    ListState readList(SelectionRule rule);
    ListState rebuildList(bool listWasDamaged);
    std::vector<ProfileEntry> profilesInFolder() const;
    ProfileStatus writeList(const Json::Value& document) const;
    // Makes a new profile file with a fresh identifier; empty identifier when it failed.
    std::string createProfileFile(const std::string& name, Json::Value document,
                                  ProfileStatus& status) const;
    ProfileResult appendProfile(ListState& list, const std::string& name,
                                Json::Value profileDocument, bool storeAsSelected);
    // The selected profile's document; a damaged one is kept as ".bad" and the default is used.
    Json::Value selectedProfileOrDefault(ProfileNotice& notice) const;
    int indexOf(std::string_view identifier) const;
    bool isListed(std::string_view identifier) const;
    void setSelection(int index);

    std::filesystem::path deviceFolder_;
    std::filesystem::path defaultProfilePath_;
    int deviceType_;
    const LocalTimeSource& timeSource_;
    std::vector<ProfileEntry> entries_;
    int selected_ = -1;
    std::string selectedIdentifier_;
};

// The profile status a failed file write stands for.
ProfileStatus profileStatusOf(FileWriteStatus status);

} // namespace morva::profiles
