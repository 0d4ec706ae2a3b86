#include "lighting/panel/effect_lists.h"

#include "base/json_access.h"
#include "base/json_file.h"

namespace morva::lighting {
namespace {

const Json::Value& listOfModel(const Json::Value& root, const char* member, int modelIndex) {
    return json::element(json::member(root, member), static_cast<Json::ArrayIndex>(modelIndex));
}

std::vector<EffectName> effectNamesOf(const Json::Value& list) {
    std::vector<EffectName> names;
    if (!list.isArray()) {
        return names;
    }
    for (const Json::Value& entry : list) {
        const Json::Value& visible = json::member(entry, "visible");
        names.push_back({json::toString(json::member(entry, "LightName")),
                         visible.isBool() ? visible.asBool() : true});
    }
    return names;
}

std::vector<std::string> plainNamesOf(const Json::Value& list) {
    std::vector<std::string> names;
    for (const EffectName& name : effectNamesOf(list)) {
        names.push_back(name.name);
    }
    return names;
}

} // namespace

EffectLists readEffectLists(const std::filesystem::path& defaultLightFile, int modelIndex) {
    if (modelIndex < 0) {
        return {};
    }
    const Json::Value root = readjsonFile(defaultLightFile);
    return {effectNamesOf(listOfModel(root, "DefaultLightName", modelIndex)),
            effectNamesOf(listOfModel(root, "SideDefaultLightName", modelIndex)),
            plainNamesOf(listOfModel(root, "AreaLightName", modelIndex))};
}

std::vector<std::string> readUserEffectNames(const std::filesystem::path& lightConfigFile,
                                             int modelIndex) {
    if (modelIndex < 0) {
        return {};
    }
    return plainNamesOf(listOfModel(readjsonFile(lightConfigFile), "LightInfo", modelIndex));
}

} // namespace morva::lighting
