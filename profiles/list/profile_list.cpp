#include "profiles/list/profile_list.h"

#include "base/json_access.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "profiles/list/profile_file_edits.h"
#include "profiles/list/profile_naming.h"

#include <algorithm>
#include <system_error>

namespace morva {
namespace {

ProfileResult result(ProfileStatus status, int index = -1, std::string name = {}) {
    return ProfileResult{status, index, std::move(name)};
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

ProfileList::ProfileList(std::filesystem::path deviceFolder,
                         std::filesystem::path defaultProfilePath, int deviceType,
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

std::filesystem::path ProfileList::listFilePath() const {
    return deviceFolder_ / kProfileListFileName;
}

std::filesystem::path ProfileList::profileFilePath(std::string_view identifier) const {
    return deviceFolder_ / profileFileName(identifier);
}

std::filesystem::path ProfileList::selectedProfilePath() const {
    return selected_ < 0 ? std::filesystem::path() : profileFilePath(selectedIdentifier_);
}

ProfileResult ProfileList::load() {
    const ProfileListContents contents = readProfileListDocument(readjsonFile(listFilePath()));
    entries_ = contents.entries;
    selected_ = -1;
    selectedIdentifier_.clear();
    if (entries_.empty()) {
        return createFirstProfile();
    }
    if (contents.skippedElements) {
        trace("ProfileList: %s holds elements that name no profile file; they are dropped",
              listFilePath().string().c_str());
    }
    const int stored = contents.storedSelection;
    // select() rewrites the list, which also drops the skipped elements from the file.
    return select(stored >= 0 && stored < size() ? stored : 0);
}

ProfileResult ProfileList::createFirstProfile() {
    entries_ = {ProfileEntry{"profile1", makeIdentifier()}};
    setSelection(0);
    Json::Value document(Json::objectValue);
    setProfileListEntries(document, entries_);
    document["profileselect"] = 0;
    const bool listWritten = writeList(document);

    Json::Value profile = readjsonFile(defaultProfilePath_);
    stampProfileDocument(profile, entries_[0].name, entries_[0].identifier);
    const bool profileWritten = writeProfile(entries_[0].identifier, profile);
    return result(listWritten && profileWritten ? ProfileStatus::Ok : ProfileStatus::WriteFailed, 0,
                  entries_[0].name);
}

ProfileResult ProfileList::select(int index) {
    if (index < 0 || index >= size()) {
        return result(ProfileStatus::IndexOutOfRange);
    }
    setSelection(index);
    Json::Value document = currentListDocument();
    document["profileselect"] = index;
    return result(writeList(document) ? ProfileStatus::Ok : ProfileStatus::WriteFailed, index,
                  entries_[index].name);
}

ProfileResult ProfileList::add() {
    if (size() >= kMaxProfilesForAdd) {
        return result(ProfileStatus::LimitReached);
    }
    return appendProfile(newProfileName(names()), readjsonFile(defaultProfilePath_), true);
}

ProfileResult ProfileList::deleteSelected() {
    if (selected_ < 0) {
        return result(ProfileStatus::NoSelection);
    }
    if (size() < 2) {
        return result(ProfileStatus::LastProfile);
    }
    const int removed = selected_;
    const int newSelection = removed == 0 ? 0 : removed - 1;
    const std::string removedIdentifier = entries_[removed].identifier;

    Json::Value document = currentListDocument();
    Json::Value gone;
    document["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(removed), &gone);
    document["profileselect"] = newSelection;
    if (!writeList(document)) {
        return result(ProfileStatus::WriteFailed);
    }
    std::error_code error;
    if (!std::filesystem::remove(profileFilePath(removedIdentifier), error) && error) {
        // The list no longer names it, so a file left behind is only clutter.
        trace("ProfileList: cannot delete %s: %s",
              profileFilePath(removedIdentifier).string().c_str(), error.message().c_str());
    }
    entries_.erase(entries_.begin() + removed);
    setSelection(newSelection);
    return result(ProfileStatus::Ok, newSelection, entries_[newSelection].name);
}

ProfileResult ProfileList::copySelected() {
    if (selected_ < 0) {
        return result(ProfileStatus::NoSelection);
    }
    const std::string name = copiedProfileName(entries_[selected_].name, names());
    return appendProfile(name, readjsonFile(selectedProfilePath()), false);
}

ProfileResult ProfileList::renameSelected(std::string_view newName) {
    if (selected_ < 0) {
        return result(ProfileStatus::NoSelection);
    }
    if (newName.empty()) {
        return result(ProfileStatus::EmptyName);
    }
    // The selected entry counts too: renaming to its own name is refused like any name in use.
    if (isProfileNameInUse(newName, names())) {
        return result(ProfileStatus::NameInUse);
    }
    const std::string name(newName);
    Json::Value document = currentListDocument();
    document["profilelist"][static_cast<Json::ArrayIndex>(selected_)]["profilename"] = name;
    if (!writeList(document)) {
        return result(ProfileStatus::WriteFailed);
    }
    entries_[selected_].name = name;

    Json::Value profile = readjsonFile(selectedProfilePath());
    stampProfileDocument(profile, name, selectedIdentifier_);
    return result(writeProfile(selectedIdentifier_, profile) ? ProfileStatus::Ok
                                                             : ProfileStatus::WriteFailed,
                  selected_, name);
}

ProfileResult ProfileList::resetSelected() {
    if (selected_ < 0) {
        return result(ProfileStatus::NoSelection);
    }
    const ProfileEntry& entry = entries_[selected_];
    Json::Value profile = readjsonFile(defaultProfilePath_);
    stampProfileDocument(profile, entry.name, entry.identifier);
    if (deviceType_ == kHeadsetDeviceType) {
        keepCustomEqualisers(profile, readjsonFile(selectedProfilePath()));
    }
    return result(writeProfile(entry.identifier, profile) ? ProfileStatus::Ok
                                                          : ProfileStatus::WriteFailed,
                  selected_, entry.name);
}

ProfileStatus ProfileList::checkImportFile(const std::filesystem::path& file,
                                           Json::Value* document) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return ProfileStatus::ImportUnreadable;
    }
    Json::Value read = readjsonFile(file);
    if (read.isNull()) {
        return ProfileStatus::ImportNotJson;
    }
    const Json::Value& name = json::member(read, "profilename");
    if (!name.isString() || name.asString().empty()) {
        return ProfileStatus::ImportNoName;
    }
    if (json::member(read, "profileUUID").isNull()) {
        return ProfileStatus::ImportNoIdentifier;
    }
    if (document != nullptr) {
        *document = std::move(read);
    }
    return ProfileStatus::Ok;
}

ProfileResult ProfileList::importFrom(const std::filesystem::path& file) {
    Json::Value document;
    const ProfileStatus checked = checkImportFile(file, &document);
    if (checked != ProfileStatus::Ok) {
        return result(checked);
    }
    const std::string name =
        importedProfileName(json::toString(json::member(document, "profilename")), names());
    return appendProfile(name, std::move(document), false);
}

ProfileResult ProfileList::exportTo(const std::filesystem::path& destination) const {
    if (selected_ < 0) {
        return result(ProfileStatus::NoSelection);
    }
    const Json::Value profile = readjsonFile(selectedProfilePath());
    if (profile.isNull()) {
        return result(ProfileStatus::ProfileUnreadable);
    }
    return result(writejsonFile(destination, profile) ? ProfileStatus::Ok
                                                      : ProfileStatus::WriteFailed,
                  selected_, entries_[selected_].name);
}

ProfileResult ProfileList::appendProfile(const std::string& name, Json::Value profileDocument,
                                         bool storeAsSelected) {
    const std::string identifier = makeIdentifier();
    stampProfileDocument(profileDocument, name, identifier);
    // The profile file comes first, so the list never names a profile whose file was not made.
    if (!writeProfile(identifier, profileDocument)) {
        return result(ProfileStatus::WriteFailed);
    }
    const int index = size();
    Json::Value document = currentListDocument();
    document["profilelist"].append(makeProfileListElement(ProfileEntry{name, identifier}));
    if (storeAsSelected) {
        document["profileselect"] = index;
    }
    if (!writeList(document)) {
        std::error_code ignored;
        std::filesystem::remove(profileFilePath(identifier), ignored);
        return result(ProfileStatus::WriteFailed);
    }
    entries_.push_back(ProfileEntry{name, identifier});
    return result(ProfileStatus::Ok, index, name);
}

Json::Value ProfileList::currentListDocument() const {
    Json::Value document = readjsonFile(listFilePath());
    if (!document.isObject()) {
        document = Json::Value(Json::objectValue);
    }
    if (!profileListMatches(document, entries_)) {
        trace("ProfileList: %s differs from the profiles shown; rewriting it from them",
              listFilePath().string().c_str());
        setProfileListEntries(document, entries_);
    }
    const Json::Value& stored = document["profileselect"];
    if (!stored.isInt() || stored.asInt() < 0 || stored.asInt() >= size()) {
        document["profileselect"] = std::max(selected_, 0);
    }
    return document;
}

bool ProfileList::writeList(const Json::Value& document) const {
    return writejsonFile(listFilePath(), document);
}

bool ProfileList::writeProfile(const std::string& identifier, const Json::Value& document) const {
    return writejsonFile(profileFilePath(identifier), document);
}

std::string ProfileList::makeIdentifier() const {
    return makeUniqueTimestampId(timeSource_, [this](const std::string& identifier) {
        return isIdentifierTaken(identifier);
    });
}

bool ProfileList::isIdentifierTaken(const std::string& identifier) const {
    const bool listed = std::any_of(entries_.begin(), entries_.end(), [&](const ProfileEntry& e) {
        return e.identifier == identifier;
    });
    return listed || fileExists(profileFilePath(identifier));
}

void ProfileList::setSelection(int index) {
    selected_ = index;
    selectedIdentifier_ = index >= 0 ? entries_[index].identifier : std::string();
}

} // namespace morva
