#include "platform/settings_store.h"

#include "base/json_access.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "platform/user_folders.h"

#include <system_error>

namespace morva::platform {
namespace {

constexpr const char* kSettingsFileName = "settings.json";

} // namespace

SettingsStore SettingsStore::forUser() {
    return SettingsStore(userConfigFolder() / kSettingsFileName);
}

std::optional<int32_t> SettingsStore::readInt(const std::string& name) const {
    const Json::Value value = json::member(readjsonFile(file_), name.c_str());
    if (!value.isInt()) {
        return std::nullopt;
    }
    return json::toInt(value);
}

std::optional<std::string> SettingsStore::readString(const std::string& name) const {
    const Json::Value value = json::member(readjsonFile(file_), name.c_str());
    if (!value.isString()) {
        return std::nullopt;
    }
    return json::toString(value);
}

bool SettingsStore::writeInt(const std::string& name, int32_t value) {
    return write(name, value);
}

bool SettingsStore::writeString(const std::string& name, const std::string& value) {
    return write(name, value);
}

template <typename T> bool SettingsStore::write(const std::string& name, const T& value) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) {
        trace("settings: cannot create %s: %s\n", file_.parent_path().string().c_str(),
              error.message().c_str());
        return false;
    }
    const JsonReadResult read = readJsonDocument(file_);
    Json::Value root = read.value;
    // A damaged file is replaced rather than left blocking every later write; a copy is kept.
    if (!root.isObject()) {
        keepBrokenFileCopy(file_);
        root = Json::Value(Json::objectValue);
    }
    root[name] = value;
    return writejsonFile(file_, root);
}

} // namespace morva::platform
