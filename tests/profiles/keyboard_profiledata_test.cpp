#include "profiles/keyboard_profiledata.h"
#include "tests/profiles/profile_test_support.h"

namespace morva {
namespace {

using test::parseJson;

class KeyboardProfileTest : public test::ProfileFixture {
protected:
    void load(const std::string& profileText) {
        writeProfile(profileText);
        profile.SetProfilePath(profilePath);
        profile.LoadDeviceEntry(profilePath);
    }

    profiles::CKeyboardProfiledata profile;
};

TEST_F(KeyboardProfileTest, SystemStagesDecodeAndPackIntoThreeWords) {
    load(R"({"Device": [{"SystemStages": {"Repeat": 20, "RepeatDelay": 2, "Key6Flag": 1,
             "PollingRate": 65539, "WFlag": 0, "WinFlag": 1}}]})");

    const profiles::KeyboardSystemRecord system = profile.ReadKeyboardSystem();

    EXPECT_EQ(system, (profiles::KeyboardSystemRecord{20, 2, 1, 3, 0, 1}));
    EXPECT_EQ(system.toWords(), (std::array<uint32_t, 3>{0x00020014, 0x00030001, 0x00010000}));
}

TEST_F(KeyboardProfileTest, AbsentSystemStagesReadAsZero) {
    load(R"({"Device": [{}]})");
    EXPECT_EQ(profile.ReadKeyboardSystem(), profiles::KeyboardSystemRecord{});
}

TEST_F(KeyboardProfileTest, WriteKeyboardSystemKeepsOtherMembers) {
    load(R"({"Device": [{"SystemStages": {"Other": "kept", "Repeat": 1}}]})");

    profile.WriteKeyboardSystem(0x00030010, 0x00020001, 0x00010001);

    EXPECT_EQ(profile.DeviceEntry()["SystemStages"],
              parseJson(R"({"Other": "kept", "Repeat": 16, "RepeatDelay": 3, "Key6Flag": 1,
                            "PollingRate": 2, "WFlag": 1, "WinFlag": 1})"));
}

TEST_F(KeyboardProfileTest, MissingCustomGroupIsWrittenAsZeroColoursAfterNulls) {
    load(R"({"Device": [{}]})");

    const std::vector<profiles::RgbaColor> colors = profile.ReadCustomLightColors(2, 4);

    EXPECT_EQ(colors, std::vector<profiles::RgbaColor>(4));
    const Json::Value& groups = profile.DeviceEntry()["CustomLightMode"]["LightColorInfo"];
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_TRUE(groups[0].isNull());
    EXPECT_TRUE(groups[1].isNull());
    ASSERT_EQ(groups[2].size(), 4u);
    for (const Json::Value& color : groups[2]) {
        EXPECT_EQ(color, parseJson(R"({"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0})"));
    }
    EXPECT_FALSE(profile.DeviceEntry()["CustomLightMode"].isMember("CustomLightModeGroupIndex"));
}

TEST_F(KeyboardProfileTest, StoredGroupReadsItsColoursAndFillsOnlyTheGaps) {
    load(R"({"Device": [{"CustomLightMode": {"LightColorInfo": [[
        {"Red": 1, "Green": 2, "Blue": 3, "Alpha": 255}, null, {"Red": 300}]]}}]})");

    const std::vector<profiles::RgbaColor> colors = profile.ReadCustomLightColors(0, 4);

    EXPECT_EQ(colors, (std::vector<profiles::RgbaColor>{{1, 2, 3, 255}, {}, {44, 0, 0, 0}, {}}));
    const Json::Value& group = profile.DeviceEntry()["CustomLightMode"]["LightColorInfo"][0];
    EXPECT_EQ(group[1]["Alpha"], 0);
    EXPECT_EQ(group[2], parseJson(R"({"Red": 300})")) << "a present colour is not rewritten";
    EXPECT_EQ(group[3]["Red"], 0);
}

TEST_F(KeyboardProfileTest, WriteCustomLightColorsAndGroupRoundTripThroughTheFile) {
    load(R"({"Device": [{}]})");
    profile.WriteCustomLightColors({{255, 0, 0, 200}, {0, 0, 255, 100}}, 1);
    profile.WriteCustomLightGroup(1);
    ASSERT_TRUE(profile.Save());

    profiles::CKeyboardProfiledata reloaded;
    reloaded.LoadDeviceEntry(profilePath);

    EXPECT_EQ(reloaded.ReadCustomLightGroup(), 1);
    EXPECT_EQ(reloaded.ReadCustomLightColors(1, 2),
              (std::vector<profiles::RgbaColor>{{255, 0, 0, 200}, {0, 0, 255, 100}}));
}

TEST_F(KeyboardProfileTest, CustomLightModeOfWrongTypeIsReplacedOnWrite) {
    load(R"({"Device": [{"CustomLightMode": "broken"}]})");

    EXPECT_EQ(profile.ReadCustomLightGroup(), 0);
    EXPECT_EQ(profile.ReadCustomLightColors(0, 1), std::vector<profiles::RgbaColor>(1));
    profile.WriteCustomLightGroup(3);

    EXPECT_EQ(profile.ReadCustomLightGroup(), 3);
}

TEST_F(KeyboardProfileTest, StoredGroupOutsideTheGroupByteReadsAsTheFirstGroup) {
    const struct {
        const char* stored;
        int32_t read;
    } cases[] = {{"0", 0},   {"255", 255}, {"256", 0},        {"-1", 0},
                 {"7.9", 7}, {"\"3\"", 0}, {"2000000000", 0}, {"4294967298", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        load(std::string(R"({"Device": [{"CustomLightMode": {"CustomLightModeGroupIndex": )") +
             c.stored + "}}]}");

        EXPECT_EQ(profile.ReadCustomLightGroup(), c.read);
        profile.ReadCustomLightColors(static_cast<Json::ArrayIndex>(profile.ReadCustomLightGroup()),
                                      2);
        // Reading the group makes it and nothing past it.
        EXPECT_EQ(profile.DeviceEntry()["CustomLightMode"]["LightColorInfo"].size(),
                  static_cast<Json::ArrayIndex>(c.read) + 1);
    }
}

} // namespace
} // namespace morva
