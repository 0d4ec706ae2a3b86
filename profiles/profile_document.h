#pragma once

#include "base/file_io.h"

#include <filesystem>
#include <json/value.h>
#include <string_view>

// File access for profile documents: a JSON object whose "Device" array holds the device
// entries, next to whatever else the root carries ("profilename", "profileUUID", ...).
namespace morva::profiles {

struct ProfileRead {
    Json::Value document; // a JSON object, or null
    // The file is there but holds no JSON object (or cannot be read): whatever is written next
    // repairs it. A copy of it is kept as its name + ".bad".
    bool broken = false;
};

// Reads a profile file. A missing or empty file reads as null. For a file that holds anything but
// a JSON object a copy is kept as its name + ".bad" (replacing an older one), so the repair that
// follows never destroys what the user had; it then reads as null.
ProfileRead readProfileFile(const std::filesystem::path& path);
Json::Value readProfileDocument(const std::filesystem::path& path);

// Writes a whole profile document. Refuses an empty path and any path inside the default-data
// folder, which is never written.
bool writeProfileDocument(const std::filesystem::path& path, const Json::Value& document);

// doc."Device"[index], or null.
const Json::Value& deviceEntryOf(const Json::Value& document, Json::ArrayIndex index);
// doc."Device"[index] := entry, turning the root into an object and "Device" into an array when
// they are something else; other members and elements stay.
void setDeviceEntry(Json::Value& document, Json::ArrayIndex index, Json::Value entry);

} // namespace morva::profiles
