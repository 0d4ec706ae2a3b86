#pragma once

#include <json/value.h>
#include <string>
#include <string_view>
#include <vector>

// The profile list file of a device: a JSON document despite its extension, with "profilelist"
// (one element per profile, in combo order) and "profileselect" (index of the selected profile).
namespace morva::profiles {

inline constexpr char kProfileListFileName[] = "ProfileList.ini";
inline constexpr char kProfileFileExtension[] = ".Json";

struct ProfileEntry {
    std::string name;       // "profilename", UTF-8
    std::string identifier; // "profileUUID"; the profile file is the identifier + ".Json"

    bool operator==(const ProfileEntry&) const = default;
};

// The profile file's name inside the device data folder.
std::string profileFileName(std::string_view identifier);

// An identifier from a user file is used as a file name; one that could reach outside the device
// data folder or name no file is never used.
bool isUsableProfileIdentifier(std::string_view identifier);

// One "profilelist" element; "profileislink" and "profilelinkmame" are always 0 and empty.
Json::Value makeProfileListElement(const ProfileEntry& entry);

struct ProfileListContents {
    std::vector<ProfileEntry> entries;
    // "profileselect" as an index into entries; -1 when it names no entry that was kept.
    int storedSelection = -1;
    bool skippedElements = false; // some element was no object or had no usable identifier
};

// Reads the entries of a list document, skipping elements that cannot stand for a profile file.
ProfileListContents readProfileListDocument(const Json::Value& document);

// Whether the document's "profilelist" holds exactly these entries in this order.
bool profileListMatches(const Json::Value& document, const std::vector<ProfileEntry>& entries);

// Replaces "profilelist" by the given entries; other members of the document stay.
void setProfileListEntries(Json::Value& document, const std::vector<ProfileEntry>& entries);

} // namespace morva::profiles
