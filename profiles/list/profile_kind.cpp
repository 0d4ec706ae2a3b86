#include "profiles/list/profile_kind.h"

#include <array>
#include <string_view>

namespace morva::profiles {
namespace {

struct KindMarker {
    std::string_view member;
    ProfileKind kind;
};

constexpr std::array<KindMarker, 8> kMarkers = {{
    {"CustomLightMode", ProfileKind::Keyboard},
    {"DPIStages", ProfileKind::Mouse},
    {"ReportStages", ProfileKind::Mouse},
    {"CorrectInfo", ProfileKind::Mouse},
    {"EQHzValueInfo", ProfileKind::Headset},
    {"CustomEQHzValueInfo", ProfileKind::Headset},
    {"CustomEQNameInfo", ProfileKind::Headset},
    {"SystemSetStages", ProfileKind::Headset},
}};

} // namespace

ProfileKind profileKindOf(const Json::Value& document) {
    if (!document.isObject() || !document["Device"].isArray() || document["Device"].empty()) {
        return ProfileKind::Unknown;
    }
    const Json::Value& entry = document["Device"][0];
    if (!entry.isObject()) {
        return ProfileKind::Unknown;
    }
    for (const KindMarker& marker : kMarkers) {
        if (entry.isMember(std::string(marker.member))) {
            return marker.kind;
        }
    }
    return ProfileKind::Unknown;
}

ProfileKind profileKindOfDeviceType(int deviceType) {
    switch (deviceType) {
    case 1:
        return ProfileKind::Keyboard;
    case 2:
    case 6:
        return ProfileKind::Mouse;
    case 7:
        return ProfileKind::Headset;
    default:
        return ProfileKind::Unknown;
    }
}

bool profileFitsDevice(const Json::Value& document, int deviceType) {
    const ProfileKind kind = profileKindOf(document);
    return kind == ProfileKind::Unknown || kind == profileKindOfDeviceType(deviceType);
}

} // namespace morva::profiles
