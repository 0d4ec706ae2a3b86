#include "device/mouse/mouse_profile_settings.h"

#include "base/json_access.h"

#include <algorithm>

namespace morva::device {
namespace {

size_t storedStageCount(const Json::Value& deviceEntry) {
    const Json::Value& stages = json::member(json::member(deviceEntry, "DPIStages"), "StageDPIs");
    return stages.isArray() ? stages.size() : 0;
}

} // namespace

MouseSettings mouseSettingsFromProfile(profiles::CMouseProfiledata& profile,
                                       const MouseWriteContext& context) {
    MouseSettings settings;
    settings.indexByte = context.indexByte;
    settings.light = profile.ReadLightInfo();
    settings.wireless = context.wireless;
    settings.reportRate = static_cast<uint8_t>(profile.ReadMouseSystem().reportRate);
    settings.stages = profile.ReadDpiStages();
    settings.stages.resize(
        std::min(settings.stages.size(), storedStageCount(profile.DeviceEntry())));
    settings.activeStage = static_cast<uint8_t>(profile.GetActiveDpiStage());
    settings.flag = context.flag;
    settings.screenWidth = context.screenWidth;
    settings.screenHeight = context.screenHeight;
    settings.correction = selectedCorrection(profile.ReadCorrectInfo());
    return settings;
}

} // namespace morva::device
