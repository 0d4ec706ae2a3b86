#include "profiles/keyboard_profiledata.h"

#include "base/json_access.h"
#include "base/json_edit.h"

namespace morva::profiles {
namespace {

using json::member;
using json::toByte;
using json::toWord;

Json::Value zeroColor() {
    Json::Value color(Json::objectValue);
    color["Red"] = 0;
    color["Green"] = 0;
    color["Blue"] = 0;
    color["Alpha"] = 0;
    return color;
}

RgbaColor decodeColor(const Json::Value& color) {
    return {toByte(member(color, "Red")), toByte(member(color, "Green")),
            toByte(member(color, "Blue")), toByte(member(color, "Alpha"))};
}

// The groups the light settings' custom-group byte can name; a stored group outside them reads
// as the first.
constexpr int32_t kMaxCustomGroup = 255;

Json::Value& colorGroups(Json::Value& entry) {
    return json::arrayMember(json::objectMember(entry, "CustomLightMode"), "LightColorInfo");
}

} // namespace

KeyboardSystemRecord CKeyboardProfiledata::ReadKeyboardSystem() {
    const Json::Value& stages = member(DeviceEntry(), "SystemStages");
    system_.repeat = toWord(member(stages, "Repeat"));
    system_.repeatDelay = toWord(member(stages, "RepeatDelay"));
    system_.key6Flag = toWord(member(stages, "Key6Flag"));
    system_.pollingRate = toWord(member(stages, "PollingRate"));
    system_.wFlag = toWord(member(stages, "WFlag"));
    system_.winFlag = toWord(member(stages, "WinFlag"));
    return system_;
}

void CKeyboardProfiledata::WriteKeyboardSystem(const KeyboardSystemRecord& record) {
    system_ = record;
    Json::Value& stages = json::objectMember(entry(), "SystemStages");
    stages["Repeat"] = record.repeat;
    stages["RepeatDelay"] = record.repeatDelay;
    stages["Key6Flag"] = record.key6Flag;
    stages["PollingRate"] = record.pollingRate;
    stages["WFlag"] = record.wFlag;
    stages["WinFlag"] = record.winFlag;
}

void CKeyboardProfiledata::WriteKeyboardSystem(uint32_t word0, uint32_t word1, uint32_t word2) {
    WriteKeyboardSystem(KeyboardSystemRecord::fromWords(word0, word1, word2));
}

std::vector<RgbaColor> CKeyboardProfiledata::ReadCustomLightColors(Json::ArrayIndex group,
                                                                   size_t count) {
    std::vector<RgbaColor> colors;
    colors.reserve(count);
    const bool groupStored =
        json::element(member(member(DeviceEntry(), "CustomLightMode"), "LightColorInfo"), group)
            .isArray();
    // When the group is stored this only walks down to it; otherwise it creates it.
    Json::Value& groupColors = json::makeArray(json::arrayElement(colorGroups(entry()), group));
    for (Json::ArrayIndex k = 0; k < count; ++k) {
        const Json::Value& color = json::element(groupColors, k);
        if (!groupStored || color.isNull()) {
            json::arrayElement(groupColors, k) = zeroColor();
            colors.push_back({});
        } else {
            colors.push_back(decodeColor(color));
        }
    }
    customColors_ = colors;
    return colors;
}

void CKeyboardProfiledata::WriteCustomLightColors(const std::vector<RgbaColor>& colors,
                                                  Json::ArrayIndex group) {
    Json::Value& written = json::arrayElement(colorGroups(entry()), group);
    for (Json::ArrayIndex k = 0; k < colors.size(); ++k) {
        Json::Value& color = json::makeObject(json::arrayElement(written, k));
        color["Red"] = colors[k].red;
        color["Green"] = colors[k].green;
        color["Blue"] = colors[k].blue;
        color["Alpha"] = colors[k].alpha;
    }
}

int32_t CKeyboardProfiledata::ReadCustomLightGroup() {
    const int32_t stored =
        json::intMember(member(DeviceEntry(), "CustomLightMode"), "CustomLightModeGroupIndex");
    // The group indexes "LightColorInfo", which reading extends up to it: a huge number from a
    // damaged file would make the next save write billions of elements.
    customGroup_ = stored >= 0 && stored <= kMaxCustomGroup ? stored : 0;
    return customGroup_;
}

void CKeyboardProfiledata::WriteCustomLightGroup(int32_t group) {
    customGroup_ = group;
    json::objectMember(entry(), "CustomLightMode")["CustomLightModeGroupIndex"] = group;
}

} // namespace morva::profiles
