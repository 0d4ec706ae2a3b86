#include "device/key_position_tables.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "tests/profiles/profile_test_support.h"

#include <gmock/gmock.h>

namespace morva {
namespace {

namespace fs = std::filesystem;
// The factory tables the devices start with: the shipped defaults must hold the same codes.
const auto& kKeyboardTable = device::KeyPositionTable();
const auto& kMouseTable = device::MouseButtonTable();

const std::vector<std::vector<int32_t>> kEqPresets = {
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},   {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0}, {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},  {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},  {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},  {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}};

// Loads a shipped default profile the way a device does on first use: a missing profile file in
// a temporary device folder, repaired from the default.
class DefaultDataTest : public ::testing::Test {
protected:
    template <typename Profile> void load(Profile& profile, const std::string& deviceFolderName) {
        const fs::path defaultPath = test::sourceDefaultData() / (deviceFolderName + ".Json");
        ASSERT_TRUE(fs::exists(defaultPath)) << defaultPath;
        profile.SetDefaultProfilePath(defaultPath);
        profile.SetProfilePath(dir.path() / "p.Json");
        const Json::Value entry = profile.LoadDeviceEntry(profile.GetProfilePath());
        ASSERT_TRUE(entry.isObject());
        ASSERT_EQ(entry, readjsonFile(defaultPath)["Device"][0]);
    }

    static void expectLightList(profiles::CBasicProfiledata& profile, size_t ledCount) {
        const std::vector<profiles::LightInfoRecord> leds = profile.ReadLightList();
        ASSERT_EQ(leds.size(), ledCount);
        for (const profiles::LightInfoRecord& led : leds) {
            EXPECT_EQ(led.present, 1);
        }
    }

    static void expectShownLightInfo(profiles::CBasicProfiledata& profile, uint8_t maxSpeed) {
        const profiles::LightInfoRecord info = profile.ReadLightInfo();
        EXPECT_LE(info.brightness, 4);
        EXPECT_LE(info.speed, maxSpeed);
        EXPECT_LE(info.direction, 1);
    }

    test::TempDir dir;
};

class DefaultKeyboardTest : public DefaultDataTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(DefaultKeyboardTest, KeyboardDefaultHoldsTheFactoryTables) {
    profiles::CKeyboardProfiledata profile;
    load(profile, GetParam());

    const std::vector<profiles::KeyAssignmentRecord> keys = profile.ReadKeyList();
    ASSERT_EQ(keys.size(), kKeyboardTable.size());
    for (size_t p = 0; p < keys.size(); ++p) {
        EXPECT_EQ(keys[p].defaultAssignment.code, kKeyboardTable[p]) << "position " << p;
        EXPECT_EQ(keys[p].assignment, keys[p].defaultAssignment) << "position " << p;
    }
    EXPECT_EQ(keys[110].defaultAssignment.code, (profiles::AssignmentCode{0xA0, 0x01, 0x00}));

    expectShownLightInfo(profile, 4);
    expectLightList(profile, 126);
    const profiles::KeyboardSystemRecord system = profile.ReadKeyboardSystem();
    EXPECT_LE(system.repeatDelay, 3);
    EXPECT_LE(system.pollingRate, 3);
    EXPECT_EQ(profile.ReadCustomLightGroup(), 0);
    const Json::Value before = profile.DeviceEntry();
    EXPECT_EQ(profile.ReadCustomLightColors(0, 126).size(), 126u);
    EXPECT_EQ(profile.DeviceEntry(), before) << "group 0 ships complete";
}

INSTANTIATE_TEST_SUITE_P(Models, DefaultKeyboardTest, ::testing::Values("keyboard", "keyboard123"));

TEST_F(DefaultDataTest, MouseDefaultHoldsTheButtonTableAndFiveDpiStages) {
    profiles::CMouseProfiledata profile;
    load(profile, "mouse");

    const std::vector<profiles::KeyAssignmentRecord> keys = profile.ReadKeyList();
    ASSERT_EQ(keys.size(), kMouseTable.size());
    for (size_t p = 0; p < keys.size(); ++p) {
        EXPECT_EQ(keys[p].defaultAssignment.code, kMouseTable[p]) << "position " << p;
        EXPECT_EQ(keys[p].assignment, keys[p].defaultAssignment);
    }
    EXPECT_EQ(keys[9].assignment.code, (profiles::AssignmentCode{0x16, 0x90, 0x01}));

    const std::vector<profiles::DpiStageRecord> stages = profile.ReadDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    for (size_t i = 0; i < stages.size(); ++i) {
        EXPECT_EQ(stages[i].enabled, 1);
        EXPECT_EQ(stages[i].dpiX, stages[i].dpiY);
        if (i > 0) {
            EXPECT_GT(stages[i].dpiX, stages[i - 1].dpiX);
        }
    }
    EXPECT_GE(profile.GetActiveDpiStage(), 0);
    EXPECT_LT(profile.GetActiveDpiStage(), 5);
    EXPECT_LE(profile.ReadMouseSystem().reportRate, 4);
    EXPECT_NE(profile.ReadMouseSystem().doubleClickTime, 0);
    const std::vector<profiles::CorrectionRecord> corrections = profile.ReadCorrectInfo();
    ASSERT_FALSE(corrections.empty());
    EXPECT_EQ(corrections[0].select, 1);
    expectShownLightInfo(profile, 3);
    expectLightList(profile, 6);
}

TEST_F(DefaultDataTest, HeadsetDefaultHoldsThePresetCurves) {
    profiles::CHs6533Profiledata profile;
    load(profile, "HD");

    for (int32_t type = 1; type <= 12; ++type) {
        EXPECT_EQ(profile.ReadEqValues(type), kEqPresets[type - 1]) << "preset " << type;
    }
    EXPECT_EQ(profile.ReadEqValues(6), (std::vector<int32_t>{7, 14, -13, -6, -1, 8, 13, 7, 2, 6}));
    EXPECT_EQ(profile.ReadEqValues(0), kEqPresets[0]);
    EXPECT_TRUE(profile.ReadEqValues(13).empty());
    EXPECT_TRUE(profile.ReadCustomEqNames().empty());
    EXPECT_EQ(profile.ReadCustomEqValues(0), std::vector<int32_t>(10, 0));
    const profiles::HeadsetSystemRecord system = profile.ReadHeadsetSystem();
    EXPECT_GE(system.eqType, 0);
    EXPECT_LT(system.eqType, 13);
    EXPECT_GE(system.magicType, 1);
    EXPECT_LE(system.magicType, 4);
    EXPECT_LE(system.micInValue, 100);
    expectShownLightInfo(profile, 3);
    expectLightList(profile, 13);
}

TEST_F(DefaultDataTest, MousePadDefaultHoldsItsLights) {
    profiles::CBasicProfiledata profile;
    load(profile, "MousePad");
    expectShownLightInfo(profile, 3);
    expectLightList(profile, 15);
    EXPECT_TRUE(profile.ReadKeyList().empty());
}

TEST_F(DefaultDataTest, EffectListsCoverEveryModel) {
    const Json::Value lights = readjsonFile(test::sourceDefaultData() / "default_light.json");
    // Model index -> number of effect codes: keyboards 0..28, the others 0..8.
    const std::vector<Json::ArrayIndex> effectCounts = {29, 9, 9, 9, 29};
    ASSERT_EQ(lights["DefaultLightName"].size(), effectCounts.size());
    for (Json::ArrayIndex model = 0; model < effectCounts.size(); ++model) {
        const Json::Value& effects = lights["DefaultLightName"][model];
        ASSERT_EQ(effects.size(), effectCounts[model]) << "model " << model;
        for (const Json::Value& effect : effects) {
            EXPECT_TRUE(effect["LightName"].isString());
            EXPECT_TRUE(effect["visible"].isBool());
        }
        EXPECT_FALSE(lights["AreaLightName"][model].empty()) << "model " << model;
        const bool keyboard = model == 0 || model == 4;
        EXPECT_EQ(lights["SideDefaultLightName"][model].empty(), !keyboard) << "model " << model;
    }
    // Keyboard codes 19 and 20 and pad/headset code 5 play user effect files.
    EXPECT_FALSE(lights["DefaultLightName"][0][19]["visible"].asBool());
    EXPECT_TRUE(lights["DefaultLightName"][0][18]["visible"].asBool());
    EXPECT_FALSE(lights["DefaultLightName"][3][5]["visible"].asBool());
}

TEST_F(DefaultDataTest, FactoryGunFilesHoldThirtyBulletsOfSixEvents) {
    for (int gun = 0; gun < 4; ++gun) {
        SCOPED_TRACE(gun);
        const Json::Value events = readjsonFile(
            test::sourceDefaultData() / ("ShootData_" + std::to_string(gun) + ".Shoot"))["Events"];
        ASSERT_EQ(events.size(), 180u);
        for (Json::ArrayIndex b = 0; b < 30; ++b) {
            const auto e = [&](Json::ArrayIndex i) -> const Json::Value& {
                return events[6 * b + i];
            };
            const int types[] = {1, 1, 4, 5, 4, 5};
            const int delays[] = {10, 0, 5, -1, 0, 0};
            for (Json::ArrayIndex i = 0; i < 6; ++i) {
                EXPECT_EQ(e(i)["Type"], types[i]);
                EXPECT_TRUE(e(i)["Delay"].isInt());
                EXPECT_TRUE(e(i)["Button"].isInt());
                if (delays[i] >= 0) {
                    EXPECT_EQ(e(i)["Delay"], delays[i]);
                }
            }
            EXPECT_EQ(e(0)["Action"], "down");
            EXPECT_EQ(e(1)["Action"], "up");
            EXPECT_EQ(e(0)["Button"], 1);
            EXPECT_EQ(e(1)["Button"], 1);
            EXPECT_EQ(e(4)["Button"], 0);
            EXPECT_EQ(e(5)["Button"], 0);
            EXPECT_EQ(e(4)["Action"], e(2)["Action"]);
            EXPECT_EQ(e(5)["Action"], e(3)["Action"]);
            EXPECT_GT(e(3)["Delay"].asInt(), 0);
        }
    }
}

TEST_F(DefaultDataTest, LanguageListOffersChineseAndEnglish) {
    const Json::Value list = readjsonFile(test::sourceDefaultData() / "Language.config");
    std::vector<int> ids;
    for (const Json::Value& language : list["Language"]) {
        ids.push_back(language["Language_ID"].asInt());
        EXPECT_TRUE(language["Language_name"].isString());
        EXPECT_TRUE(language["Language_file"].isString());
        EXPECT_TRUE(language["Language_text"].isString());
    }
    EXPECT_THAT(ids, ::testing::IsSupersetOf({2052, 1033}));
}

} // namespace
} // namespace morva
