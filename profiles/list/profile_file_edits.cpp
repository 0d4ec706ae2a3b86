#include "profiles/list/profile_file_edits.h"

#include "base/json_access.h"

namespace morva::profiles {

void stampProfileDocument(Json::Value& document, const std::string& name,
                          const std::string& identifier) {
    if (!document.isObject()) {
        document = Json::Value(Json::objectValue);
    }
    document["profilename"] = name;
    document["profileUUID"] = identifier;
}

void keepCustomEqualisers(Json::Value& document, const Json::Value& oldProfile) {
    const Json::Value& oldEntry = json::element(json::member(oldProfile, "Device"), 0);
    for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
        const Json::Value& kept = json::member(oldEntry, key);
        if (kept.isNull()) {
            // Nothing of the user's to keep: the default's equalisers stay.
            continue;
        }
        if (!document.isObject()) {
            document = Json::Value(Json::objectValue);
        }
        Json::Value& devices = document["Device"];
        if (!devices.isArray()) {
            devices = Json::Value(Json::arrayValue);
        }
        Json::Value& entry = devices[0];
        if (!entry.isObject()) {
            entry = Json::Value(Json::objectValue);
        }
        entry[key] = kept;
    }
}

} // namespace morva::profiles
