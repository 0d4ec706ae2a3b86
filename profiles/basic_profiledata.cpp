#include "profiles/basic_profiledata.h"

#include "base/folder_lock.h"
#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "profiles/profile_document.h"

namespace morva::profiles {
namespace {

namespace fs = std::filesystem;
using json::member;
using json::toBool;
using json::toByte;
using json::toInt;

LightInfoRecord decodeLightInfo(const Json::Value& info) {
    LightInfoRecord r;
    r.mode = toByte(member(info, "SelectItem"));
    r.brightness = toByte(member(info, "Light"));
    r.speed = toByte(member(info, "Speed"));
    r.direction = toByte(member(info, "Fx"));
    r.multiColor = toBool(member(info, "MultiColor")) ? 1 : 0;
    r.red = toByte(member(info, "Red"));
    r.green = toByte(member(info, "Green"));
    r.blue = toByte(member(info, "Blue"));
    r.customGroup = toByte(member(info, "CustomGroup"));
    r.sideMode = toByte(member(info, "SideSelectItem"));
    r.zzccMode = toByte(member(info, "ZZCCLedMode"));
    return r;
}

Json::Value encodeLightInfo(const LightInfoRecord& r) {
    Json::Value info(Json::objectValue);
    info["SelectItem"] = r.mode;
    info["Light"] = r.brightness;
    info["Speed"] = r.speed;
    info["Fx"] = r.direction;
    info["MultiColor"] = r.multiColor;
    info["Red"] = r.red;
    info["Green"] = r.green;
    info["Blue"] = r.blue;
    info["CustomGroup"] = r.customGroup;
    info["SideSelectItem"] = r.sideMode;
    info["ZZCCLedMode"] = r.zzccMode;
    return info;
}

LightInfoRecord decodeLightListElement(const Json::Value& led) {
    if (led.isNull()) {
        return {};
    }
    LightInfoRecord r;
    r.mode = toByte(member(led, "LEDREGMode"));
    r.brightness = toByte(member(led, "LEDBrightness"));
    r.speed = toByte(member(led, "LEDSpeed"));
    r.direction = toBool(member(led, "LEDDirection")) ? 1 : 0;
    r.multiColor = toBool(member(led, "LEDMultiColor")) ? 1 : 0;
    r.red = toByte(member(led, "red"));
    r.green = toByte(member(led, "green"));
    r.blue = toByte(member(led, "blue"));
    r.present = 1;
    return r;
}

LedEffectStep decodeEffectStep(const Json::Value& step) {
    LedEffectStep s;
    s.effect = toByte(member(step, "LEDREGMode"));
    s.brightness = toByte(member(step, "LEDBrightness"));
    s.speed = toByte(member(step, "LEDSpeed"));
    s.direction = toByte(member(step, "LEDDirection"));
    s.multiColor = toByte(member(step, "LEDMultiColor"));
    s.red = toByte(member(step, "red"));
    s.green = toByte(member(step, "green"));
    s.blue = toByte(member(step, "blue"));
    s.timeMs = toInt(member(step, "Time"));
    s.cycles = toInt(member(step, "Cyle"));
    return s;
}

KeyAssignmentRecord decodeKey(const Json::Value& key, uint16_t index) {
    return {decodeAssignment(toInt(member(key, "Assignment")), index),
            decodeAssignment(toInt(member(key, "DefaultAssignment")), index)};
}

} // namespace

void CBasicProfiledata::SetProfilePath(const fs::path& path) {
    if (!path.empty()) {
        profilePath_ = path;
    }
}

void CBasicProfiledata::SetDefaultProfilePath(const fs::path& path) {
    if (!path.empty()) {
        defaultProfilePath_ = path;
    }
}

Json::Value CBasicProfiledata::LoadDeviceEntry(const fs::path& path) {
    profiles::ProfileRead read = profiles::readProfileFile(path);
    lastLoadFoundDamage_ = read.broken;
    Json::Value document = std::move(read.document);
    deviceEntry_ = profiles::deviceEntryOf(document, entryIndex_);
    if (!deviceEntry_.isObject()) {
        const Json::Value defaults = readjsonFile(defaultProfilePath_);
        const Json::Value& defaultEntry = profiles::deviceEntryOf(defaults, entryIndex_);
        deviceEntry_ = defaultEntry.isObject() ? defaultEntry : Json::Value();
        profiles::setDeviceEntry(document, entryIndex_, deviceEntry_);
        trace("profile %s repaired from the default profile\n", path.string().c_str());
        WriteDocument(document, path);
    }
    return deviceEntry_;
}

bool CBasicProfiledata::Save() {
    return SaveDeviceEntry(deviceEntry_, profilePath_);
}

bool CBasicProfiledata::SaveDeviceEntry(const Json::Value& entry, const fs::path& path) {
    // The profile operations of other programs read, change and write this file too.
    const FolderLock lock(path.parent_path());
    if (!lock.locked()) {
        return false;
    }
    Json::Value document = profiles::readProfileDocument(path);
    profiles::setDeviceEntry(document, entryIndex_, entry);
    return profiles::writeProfileDocument(path, document);
}

bool CBasicProfiledata::WriteDocument(const Json::Value& document, const fs::path& path) {
    const FolderLock lock(path.parent_path());
    return lock.locked() && profiles::writeProfileDocument(path, document);
}

LightInfoRecord CBasicProfiledata::ReadLightInfo() {
    lightInfo_ = decodeLightInfo(member(deviceEntry_, "LightInfo"));
    return lightInfo_;
}

void CBasicProfiledata::WriteLightInfo(const LightInfoRecord& record) {
    lightInfo_ = record;
    json::setMember(deviceEntry_, "LightInfo", encodeLightInfo(record));
}

std::vector<LightInfoRecord> CBasicProfiledata::ReadLightList() {
    const Json::Value& list = member(deviceEntry_, "LightList");
    std::vector<LightInfoRecord> leds;
    if (list.isArray()) {
        leds.reserve(list.size());
        for (const Json::Value& led : list) {
            leds.push_back(decodeLightListElement(led));
        }
    }
    ledList_ = leds;
    return leds;
}

Json::Value CBasicProfiledata::LoadLightConfig(const fs::path& path) {
    lightConfig_ = readjsonFile(path);
    lightConfigFolder_ = path.parent_path();
    return lightConfig_;
}

std::vector<LedEffectStep> CBasicProfiledata::LoadLightEffect() {
    std::vector<LedEffectStep> steps;
    const Json::Value& effects = json::element(member(lightConfig_, "LightInfo"), entryIndex_);
    const std::string name =
        json::toString(member(json::element(effects, lightInfo_.mode), "Guid"));
    if (!name.empty()) {
        fs::path file(name + ".light");
        if (file.is_relative()) {
            file = lightConfigFolder_ / file;
        }
        const Json::Value effectFile = readjsonFile(file);
        const Json::Value& list = member(effectFile, "LEDEffectList");
        if (list.isArray()) {
            for (const Json::Value& step : list) {
                steps.push_back(decodeEffectStep(step));
            }
        }
    }
    effectSteps_ = steps;
    return steps;
}

std::vector<KeyAssignmentRecord> CBasicProfiledata::ReadKeyList() {
    const Json::Value& list = member(deviceEntry_, "KeyList");
    std::vector<KeyAssignmentRecord> keys;
    if (list.isArray()) {
        keys.reserve(list.size());
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            keys.push_back(decodeKey(list[i], static_cast<uint16_t>(i)));
        }
    }
    keyList_ = keys;
    return keys;
}

void CBasicProfiledata::WriteKeyList(const std::vector<KeyAssignmentRecord>& keys) {
    keyList_ = keys;
    Json::Value& list = json::arrayMember(deviceEntry_, "KeyList");
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        json::setMember(json::arrayElement(list, i), "Assignment",
                        encodeAssignment(keys[i].assignment));
    }
}

} // namespace morva::profiles
