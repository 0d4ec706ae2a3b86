// How a profile list is read from its folder: the list file as it is, or made anew from the
// profile files when it cannot be read; and how new profile files claim their identifiers.
#include "base/json_access.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "profiles/list/profile_file_edits.h"
#include "profiles/list/profile_list.h"
#include "profiles/list/profile_naming.h"
#include "profiles/profile_document.h"

#include <algorithm>
#include <system_error>

namespace morva::profiles {
namespace {

namespace fs = std::filesystem;

// Whether a list file that was read holds no list at all (as opposed to none yet).
bool isDamagedList(const JsonReadResult& read, const ProfileListContents& contents) {
    switch (read.status) {
    case JsonReadStatus::Missing:
        return false;
    case JsonReadStatus::Unreadable:
    case JsonReadStatus::NotJson:
        return true;
    case JsonReadStatus::Ok:
        break;
    }
    return !read.value.isObject() || !json::member(read.value, "profilelist").isArray() ||
           contents.skippedElements;
}

} // namespace

ProfileList::ListState ProfileList::readList(SelectionRule rule) {
    const JsonReadResult read = readJsonDocument(listFilePath());
    const ProfileListContents contents = readProfileListDocument(read.value);
    if (contents.entries.empty()) {
        return rebuildList(isDamagedList(read, contents));
    }
    ListState list;
    list.document = read.value;
    entries_ = contents.entries;
    if (contents.skippedElements) {
        trace("ProfileList: %s holds elements that name no profile file; they are dropped\n",
              listFilePath().string().c_str());
        setProfileListEntries(list.document, entries_);
        list.needsWrite = true;
    }
    const int stored = contents.storedSelection;
    const bool keepHeld = rule != SelectionRule::TakeStored;
    const int held = keepHeld ? indexOf(selectedIdentifier_) : -1;
    const std::string previous = selectedIdentifier_;
    if (held >= 0) {
        setSelection(held);
    } else {
        setSelection(stored >= 0 && stored < size() ? stored : 0);
    }
    list.selectionMoved = keepHeld && !previous.empty() && previous != selectedIdentifier_;
    const Json::Value& storedValue = json::member(list.document, "profileselect");
    if (!storedValue.isInt() || storedValue.asInt() < 0 || storedValue.asInt() >= size()) {
        list.document["profileselect"] = selected_;
        list.needsWrite = true;
    }
    return list;
}

ProfileList::ListState ProfileList::rebuildList(bool listWasDamaged) {
    ListState list;
    if (listWasDamaged) {
        keepBrokenFileCopy(listFilePath());
        list.notice = ProfileNotice::ListRebuilt;
    }
    entries_ = profilesInFolder();
    selected_ = -1;
    selectedIdentifier_.clear();
    const bool startingOver = entries_.empty();
    if (startingOver) {
        // Only a folder without profiles starts over.
        ProfileStatus created = ProfileStatus::Ok;
        const std::string identifier =
            createProfileFile("profile1", readjsonFile(defaultProfilePath_), created);
        if (identifier.empty()) {
            list.status = created;
            return list;
        }
        entries_.push_back(ProfileEntry{"profile1", identifier});
    } else {
        trace("ProfileList: the list of %s is made anew from its %zu profile files\n",
              deviceFolder_.string().c_str(), entries_.size());
    }
    setSelection(0);
    list.document = Json::Value(Json::objectValue);
    setProfileListEntries(list.document, entries_);
    list.document["profileselect"] = 0;
    list.status = writeList(list.document);
    if (list.status != ProfileStatus::Ok && startingOver) {
        // A first profile that no list names would be found again as an orphan next time.
        std::error_code ignored;
        fs::remove(profileFilePath(entries_[0].identifier), ignored);
    }
    return list;
}

std::vector<ProfileEntry> ProfileList::profilesInFolder() const {
    std::vector<ProfileEntry> found;
    std::error_code error;
    for (fs::directory_iterator it(deviceFolder_, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& path = it->path();
        std::error_code statusError;
        if (path.extension() != kProfileFileExtension || !it->is_regular_file(statusError) ||
            it->is_symlink(statusError)) {
            continue;
        }
        const std::string identifier = path.stem().string();
        if (!isUsableProfileIdentifier(identifier)) {
            continue;
        }
        const Json::Value document = readjsonFile(path);
        std::string name = json::toString(json::member(document, "profilename"));
        found.push_back(ProfileEntry{name.empty() ? identifier : name, identifier});
    }
    // Identifiers are creation times, so this is the order the profiles were made in.
    std::sort(found.begin(), found.end(), [](const ProfileEntry& a, const ProfileEntry& b) {
        return a.identifier < b.identifier;
    });
    std::vector<std::string> names;
    for (ProfileEntry& entry : found) {
        entry.name = importedProfileName(entry.name, names);
        names.push_back(entry.name);
    }
    return found;
}

std::string ProfileList::createProfileFile(const std::string& name, Json::Value document,
                                           ProfileStatus& status) const {
    // Another program may make a profile in the same millisecond: creating the file is what claims
    // an identifier, so the check for a taken one tries to create it.
    FileWriteStatus written = FileWriteStatus::Failed;
    const std::string identifier =
        makeUniqueTimestampId(timeSource_, [&](const std::string& candidate) {
            if (isListed(candidate)) {
                return true;
            }
            stampProfileDocument(document, name, candidate);
            written = createJsonDocument(profileFilePath(candidate), document);
            return written == FileWriteStatus::Exists;
        });
    status = profileStatusOf(written);
    return written == FileWriteStatus::Ok ? identifier : std::string();
}

Json::Value ProfileList::selectedProfileOrDefault(ProfileNotice& notice) const {
    profiles::ProfileRead read = profiles::readProfileFile(selectedProfilePath());
    if (read.broken) {
        notice = ProfileNotice::ProfileRepaired;
    }
    return read.document.isNull() ? readjsonFile(defaultProfilePath_) : std::move(read.document);
}

ProfileStatus ProfileList::writeList(const Json::Value& document) const {
    return profileStatusOf(writeJsonDocument(listFilePath(), document));
}

} // namespace morva::profiles
