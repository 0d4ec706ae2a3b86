#include "profiles/list/profile_list.h"

#include "base/folder_lock.h"
#include "base/json_access.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "base/write_protection.h"
#include "profiles/list/profile_file_edits.h"
#include "profiles/list/profile_kind.h"
#include "profiles/list/profile_naming.h"
#include "profiles/profile_document.h"

#include <algorithm>
#include <system_error>

namespace morva::profiles {
namespace {

namespace fs = std::filesystem;

ProfileResult result(ProfileStatus status, int index = -1, std::string name = {}) {
    return ProfileResult{status, index, std::move(name)};
}

} // namespace

ProfileStatus profileStatusOf(FileWriteStatus status) {
    switch (status) {
    case FileWriteStatus::Ok:
        return ProfileStatus::Ok;
    case FileWriteStatus::ReadOnly:
        return ProfileStatus::ReadOnly;
    case FileWriteStatus::Protected:
        return ProfileStatus::ProtectedTarget;
    case FileWriteStatus::Exists:
    case FileWriteStatus::Failed:
        break;
    }
    return ProfileStatus::WriteFailed;
}

ProfileList::ProfileList(fs::path deviceFolder, fs::path defaultProfilePath, int deviceType,
                         const LocalTimeSource& timeSource)
    : deviceFolder_(std::move(deviceFolder)), defaultProfilePath_(std::move(defaultProfilePath)),
      deviceType_(deviceType), timeSource_(timeSource) {}

std::vector<std::string> ProfileList::names() const {
    std::vector<std::string> result;
    result.reserve(entries_.size());
    for (const ProfileEntry& entry : entries_) {
        result.push_back(entry.name);
    }
    return result;
}

fs::path ProfileList::listFilePath() const {
    return deviceFolder_ / kProfileListFileName;
}

fs::path ProfileList::profileFilePath(std::string_view identifier) const {
    return deviceFolder_ / profileFileName(identifier);
}

fs::path ProfileList::selectedProfilePath() const {
    return selected_ < 0 ? fs::path() : profileFilePath(selectedIdentifier_);
}

template <typename Operation>
ProfileResult ProfileList::locked(SelectionRule rule, Operation&& operation) {
    const FolderLock lock(deviceFolder_);
    if (!lock.locked()) {
        return result(lock.busy() ? ProfileStatus::Busy : ProfileStatus::WriteFailed);
    }
    // Nobody writes into the folder without its lock, so every temporary file in it is a leftover.
    removeTemporaryWriteFiles(deviceFolder_);
    ListState list = readList(rule);
    if (list.status != ProfileStatus::Ok) {
        return result(list.status);
    }
    if (rule == SelectionRule::ActOnHeld && list.selectionMoved) {
        // The user meant the profile they saw, and another program removed it.
        ProfileResult gone = result(ProfileStatus::ProfileGone);
        gone.selectionMoved = true;
        gone.notice = list.notice;
        return gone;
    }
    ProfileResult done = operation(list);
    if (done.notice == ProfileNotice::None) {
        done.notice = list.notice;
    }
    done.selectionMoved = done.selectionMoved || list.selectionMoved;
    return done;
}

ProfileResult ProfileList::load() {
    return locked(SelectionRule::TakeStored, [this](ListState& list) {
        const ProfileStatus written =
            list.needsWrite ? writeList(list.document) : ProfileStatus::Ok;
        return result(written, selected_, entries_[static_cast<size_t>(selected_)].name);
    });
}

ProfileResult ProfileList::refresh() {
    return locked(SelectionRule::KeepHeld, [this](ListState&) {
        return result(ProfileStatus::Ok, selected_, entries_[static_cast<size_t>(selected_)].name);
    });
}

ProfileResult ProfileList::select(int index) {
    if (index < 0 || index >= size()) {
        return result(ProfileStatus::IndexOutOfRange);
    }
    const std::string chosen = entries_[static_cast<size_t>(index)].identifier;
    ProfileResult done = locked(SelectionRule::KeepHeld, [this, &chosen](ListState& list) {
        const int now = indexOf(chosen);
        if (now < 0) {
            return result(ProfileStatus::ProfileGone);
        }
        setSelection(now);
        list.document["profileselect"] = now;
        return result(writeList(list.document), now, entries_[static_cast<size_t>(now)].name);
    });
    // The user chose the selection: it did not move behind their back.
    done.selectionMoved = false;
    return done;
}

ProfileResult ProfileList::add() {
    return locked(SelectionRule::KeepHeld, [this](ListState& list) {
        if (size() >= kMaxProfilesForAdd) {
            return result(ProfileStatus::LimitReached);
        }
        ProfileResult added =
            appendProfile(list, newProfileName(names()), readjsonFile(defaultProfilePath_), true);
        if (added.ok()) {
            setSelection(added.index);
        }
        return added;
    });
}

ProfileResult ProfileList::deleteSelected() {
    return locked(SelectionRule::ActOnHeld, [this](ListState& list) {
        if (selected_ < 0) {
            return result(ProfileStatus::NoSelection);
        }
        if (size() < 2) {
            return result(ProfileStatus::LastProfile);
        }
        const int removed = selected_;
        const int newSelection = removed == 0 ? 0 : removed - 1;
        const std::string removedIdentifier = entries_[static_cast<size_t>(removed)].identifier;

        Json::Value gone;
        list.document["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(removed), &gone);
        list.document["profileselect"] = newSelection;
        const ProfileStatus written = writeList(list.document);
        if (written != ProfileStatus::Ok) {
            return result(written);
        }
        std::error_code error;
        if (!fs::remove(profileFilePath(removedIdentifier), error) && error) {
            // The list no longer names it, so a file left behind is only clutter.
            trace("ProfileList: cannot delete %s: %s\n",
                  profileFilePath(removedIdentifier).string().c_str(), error.message().c_str());
        }
        entries_.erase(entries_.begin() + removed);
        setSelection(newSelection);
        return result(ProfileStatus::Ok, newSelection, entries_[newSelection].name);
    });
}

ProfileResult ProfileList::copySelected() {
    return locked(SelectionRule::ActOnHeld, [this](ListState& list) {
        if (selected_ < 0) {
            return result(ProfileStatus::NoSelection);
        }
        ProfileNotice notice = ProfileNotice::None;
        Json::Value source = selectedProfileOrDefault(notice);
        const std::string name =
            copiedProfileName(entries_[static_cast<size_t>(selected_)].name, names());
        ProfileResult done = appendProfile(list, name, std::move(source), false);
        done.notice = notice;
        return done;
    });
}

ProfileResult ProfileList::renameSelected(std::string_view newName) {
    if (newName.empty()) {
        return result(ProfileStatus::EmptyName);
    }
    return locked(SelectionRule::ActOnHeld, [this, newName](ListState& list) {
        if (selected_ < 0) {
            return result(ProfileStatus::NoSelection);
        }
        // The selected entry counts too: renaming to its own name is refused like any name in use.
        if (isProfileNameInUse(newName, names())) {
            return result(ProfileStatus::NameInUse);
        }
        const std::string name(newName);
        const fs::path path = selectedProfilePath();
        const FileReadResult before = readRegularFile(path);
        ProfileNotice notice = ProfileNotice::None;
        Json::Value profile = selectedProfileOrDefault(notice);
        stampProfileDocument(profile, name, selectedIdentifier_);
        const ProfileStatus profileWritten = profileStatusOf(writeJsonDocument(path, profile));
        if (profileWritten != ProfileStatus::Ok) {
            return result(profileWritten);
        }
        list.document["profilelist"][static_cast<Json::ArrayIndex>(selected_)]["profilename"] =
            name;
        const ProfileStatus listWritten = writeList(list.document);
        if (listWritten != ProfileStatus::Ok) {
            // Put the profile file back as it was, so the name stays the old one everywhere.
            std::error_code ignored;
            if (before.ok()) {
                replaceFileAtomically(path, before.content);
            } else if (before.status == FileReadStatus::Missing) {
                fs::remove(path, ignored);
            }
            return result(listWritten);
        }
        entries_[static_cast<size_t>(selected_)].name = name;
        ProfileResult done = result(ProfileStatus::Ok, selected_, name);
        done.notice = notice;
        return done;
    });
}

ProfileResult ProfileList::resetSelected() {
    return locked(SelectionRule::ActOnHeld, [this](ListState&) {
        if (selected_ < 0) {
            return result(ProfileStatus::NoSelection);
        }
        const ProfileEntry& entry = entries_[static_cast<size_t>(selected_)];
        Json::Value profile = readjsonFile(defaultProfilePath_);
        stampProfileDocument(profile, entry.name, entry.identifier);
        if (deviceType_ == kHeadsetDeviceType) {
            keepCustomEqualisers(profile, profiles::readProfileDocument(selectedProfilePath()));
        }
        return result(profileStatusOf(writeJsonDocument(selectedProfilePath(), profile)), selected_,
                      entry.name);
    });
}

ProfileStatus ProfileList::checkImportFile(const fs::path& file, Json::Value* document) {
    JsonReadResult read = readJsonDocument(file);
    if (read.status == JsonReadStatus::Missing || read.status == JsonReadStatus::Unreadable) {
        return ProfileStatus::ImportUnreadable;
    }
    if (!read.ok() || read.value.isNull()) {
        return ProfileStatus::ImportNotJson;
    }
    const Json::Value& name = json::member(read.value, "profilename");
    if (!name.isString() || name.asString().empty()) {
        return ProfileStatus::ImportNoName;
    }
    if (json::member(read.value, "profileUUID").isNull()) {
        return ProfileStatus::ImportNoIdentifier;
    }
    if (document != nullptr) {
        *document = std::move(read.value);
    }
    return ProfileStatus::Ok;
}

ProfileResult ProfileList::importFrom(const fs::path& file) {
    Json::Value document;
    const ProfileStatus checked = checkImportFile(file, &document);
    if (checked != ProfileStatus::Ok) {
        return result(checked);
    }
    if (!profileFitsDevice(document, deviceType_)) {
        return result(ProfileStatus::ImportOtherDevice);
    }
    return locked(SelectionRule::KeepHeld, [this, &document](ListState& list) {
        const std::string name =
            importedProfileName(json::toString(json::member(document, "profilename")), names());
        return appendProfile(list, name, std::move(document), false);
    });
}

ProfileResult ProfileList::exportTo(const fs::path& destination) {
    if (isWriteProtected(destination)) {
        return result(ProfileStatus::ProtectedTarget);
    }
    return locked(SelectionRule::ActOnHeld, [this, &destination](ListState&) {
        if (selected_ < 0) {
            return result(ProfileStatus::NoSelection);
        }
        const Json::Value profile = profiles::readProfileDocument(selectedProfilePath());
        if (profile.isNull()) {
            return result(ProfileStatus::ProfileUnreadable);
        }
        return result(profileStatusOf(writeJsonDocument(destination, profile)), selected_,
                      entries_[static_cast<size_t>(selected_)].name);
    });
}

ProfileResult ProfileList::appendProfile(ListState& list, const std::string& name,
                                         Json::Value profileDocument, bool storeAsSelected) {
    // The profile file comes first, so the list never names a profile whose file was not made.
    ProfileStatus created = ProfileStatus::Ok;
    const std::string identifier = createProfileFile(name, std::move(profileDocument), created);
    if (identifier.empty()) {
        return result(created);
    }
    const int index = size();
    list.document["profilelist"].append(makeProfileListElement(ProfileEntry{name, identifier}));
    if (storeAsSelected) {
        list.document["profileselect"] = index;
    }
    const ProfileStatus written = writeList(list.document);
    if (written != ProfileStatus::Ok) {
        std::error_code ignored;
        fs::remove(profileFilePath(identifier), ignored);
        return result(written);
    }
    entries_.push_back(ProfileEntry{name, identifier});
    return result(ProfileStatus::Ok, index, name);
}

int ProfileList::indexOf(std::string_view identifier) const {
    if (identifier.empty()) {
        return -1;
    }
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const ProfileEntry& e) {
        return e.identifier == identifier;
    });
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

bool ProfileList::isListed(std::string_view identifier) const {
    return indexOf(identifier) >= 0;
}

void ProfileList::setSelection(int index) {
    selected_ = index;
    selectedIdentifier_ =
        index >= 0 ? entries_[static_cast<size_t>(index)].identifier : std::string();
}

} // namespace morva::profiles
