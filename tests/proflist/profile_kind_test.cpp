#include "profiles/list/profile_kind.h"

#include <gtest/gtest.h>
#include <json/reader.h>

namespace morva::profiles::test {
namespace {

Json::Value parsed(const char* text) {
    Json::Value value;
    Json::Reader().parse(text, value);
    return value;
}

TEST(ProfileKind, TheDeviceEntrysOwnMembersTellTheKind) {
    struct Case {
        const char* document;
        ProfileKind kind;
    };
    const Case cases[] = {
        {R"({"Device": [{"CustomLightMode": {}, "KeyList": [], "LightInfo": {}}]})",
         ProfileKind::Keyboard},
        {R"({"Device": [{"DPIStages": {}, "KeyList": []}]})", ProfileKind::Mouse},
        {R"({"Device": [{"ReportStages": {}}]})", ProfileKind::Mouse},
        {R"({"Device": [{"EQHzValueInfo": [], "LightInfo": {}}]})", ProfileKind::Headset},
        {R"({"Device": [{"LightInfo": {}, "LightList": []}]})", ProfileKind::Unknown},
        {R"({"Device": []})", ProfileKind::Unknown},
        {R"({"Device": ["text"]})", ProfileKind::Unknown},
        {R"([1, 2])", ProfileKind::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profileKindOf(parsed(c.document)), c.kind) << c.document;
    }
}

TEST(ProfileKind, OnlyADocumentOfAnotherKindIsRefused) {
    const Json::Value mouse = parsed(R"({"Device": [{"DPIStages": {}}]})");
    const Json::Value lightsOnly = parsed(R"({"Device": [{"LightInfo": {}}]})");
    EXPECT_TRUE(profileFitsDevice(mouse, 2));
    EXPECT_TRUE(profileFitsDevice(mouse, 6)) << "the wireless mouse";
    EXPECT_FALSE(profileFitsDevice(mouse, 1));
    EXPECT_FALSE(profileFitsDevice(mouse, 3)) << "a mouse pad";
    for (const int deviceType : {1, 2, 3, 6, 7}) {
        EXPECT_TRUE(profileFitsDevice(lightsOnly, deviceType)) << deviceType;
    }
}

} // namespace
} // namespace morva::profiles::test
