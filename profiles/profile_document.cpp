#include "profiles/profile_document.h"

#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "profiles/data_folders.h"

namespace morva::profiles {

namespace fs = std::filesystem;

ProfileRead readProfileFile(const fs::path& path) {
    ProfileRead result;
    if (path.empty()) {
        return result;
    }
    JsonReadResult read = readJsonDocument(path);
    if (read.ok() && read.value.isObject()) {
        result.document = std::move(read.value);
        return result;
    }
    if (read.status == JsonReadStatus::Missing) {
        return result;
    }
    const bool keptContent = keepBrokenFileCopy(path);
    result.broken = keptContent || read.status == JsonReadStatus::Unreadable;
    return result;
}

Json::Value readProfileDocument(const fs::path& path) {
    return readProfileFile(path).document;
}

bool writeProfileDocument(const fs::path& path, const Json::Value& document) {
    if (path.empty()) {
        trace("profile not written: no path\n");
        return false;
    }
    if (folders::isInsideDefaultDataFolder(path)) {
        trace("profile not written: %s is in the default-data folder\n", path.string().c_str());
        return false;
    }
    return writejsonFile(path, document);
}

const Json::Value& deviceEntryOf(const Json::Value& document, Json::ArrayIndex index) {
    return json::element(json::member(document, "Device"), index);
}

void setDeviceEntry(Json::Value& document, Json::ArrayIndex index, Json::Value entry) {
    json::arrayElement(json::arrayMember(document, "Device"), index) = std::move(entry);
}

} // namespace morva::profiles
