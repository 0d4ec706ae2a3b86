#include "profiles/profile_document.h"

#include "base/json_access.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "profiles/data_folders.h"
#include "profiles/json_edit.h"

#include <system_error>

namespace morva::profiles {
namespace {

namespace fs = std::filesystem;

void keepBrokenFile(const fs::path& path) {
    fs::path kept = path;
    kept += kBrokenFileSuffix;
    std::error_code error;
    fs::rename(path, kept, error);
    if (error) {
        trace("profile %s is no JSON object and could not be kept aside: %s\n",
              path.string().c_str(), error.message().c_str());
    } else {
        trace("profile %s is no JSON object; kept as %s\n", path.string().c_str(),
              kept.string().c_str());
    }
}

} // namespace

Json::Value readProfileDocument(const fs::path& path) {
    if (path.empty()) {
        return {};
    }
    Json::Value document = readjsonFile(path);
    if (document.isObject()) {
        return document;
    }
    std::error_code error;
    if (fs::is_regular_file(path, error) && fs::file_size(path, error) > 0 && !error) {
        keepBrokenFile(path);
    }
    return {};
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
