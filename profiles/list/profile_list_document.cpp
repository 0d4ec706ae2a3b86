#include "profiles/list/profile_list_document.h"

#include "base/json_access.h"

namespace morva::profiles {

std::string profileFileName(std::string_view identifier) {
    return std::string(identifier) + kProfileFileExtension;
}

bool isUsableProfileIdentifier(std::string_view identifier) {
    if (identifier.empty() || identifier == "." || identifier == "..") {
        return false;
    }
    return identifier.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

Json::Value makeProfileListElement(const ProfileEntry& entry) {
    Json::Value element(Json::objectValue);
    element["profilename"] = entry.name;
    element["profileUUID"] = entry.identifier;
    element["profileislink"] = 0;
    element["profilelinkmame"] = "";
    return element;
}

ProfileListContents readProfileListDocument(const Json::Value& document) {
    ProfileListContents contents;
    const int stored = json::intMember(document, "profileselect");
    const Json::Value& list = json::member(document, "profilelist");
    if (!list.isArray()) {
        return contents;
    }
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const Json::Value& element = list[i];
        ProfileEntry entry{json::toString(json::member(element, "profilename")),
                           json::toString(json::member(element, "profileUUID"))};
        if (!element.isObject() || !isUsableProfileIdentifier(entry.identifier)) {
            contents.skippedElements = true;
            continue;
        }
        if (static_cast<int>(i) == stored) {
            contents.storedSelection = static_cast<int>(contents.entries.size());
        }
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}

bool profileListMatches(const Json::Value& document, const std::vector<ProfileEntry>& entries) {
    const Json::Value& list = json::member(document, "profilelist");
    if (!list.isArray() || list.size() != entries.size()) {
        return false;
    }
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        if (json::toString(json::member(list[i], "profilename")) != entries[i].name ||
            json::toString(json::member(list[i], "profileUUID")) != entries[i].identifier) {
            return false;
        }
    }
    return true;
}

void setProfileListEntries(Json::Value& document, const std::vector<ProfileEntry>& entries) {
    if (!document.isObject()) {
        document = Json::Value(Json::objectValue);
    }
    Json::Value list(Json::arrayValue);
    for (const ProfileEntry& entry : entries) {
        list.append(makeProfileListElement(entry));
    }
    document["profilelist"] = std::move(list);
}

} // namespace morva::profiles
