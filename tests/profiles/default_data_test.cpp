#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "tests/profiles/profile_test_support.h"

#include <gmock/gmock.h>

namespace morva {
namespace {

namespace fs = std::filesystem;
using Code = std::array<uint8_t, 3>;

// The keyboard's factory codes as runs of positions: positions from..to hold kind, first and a
// second parameter that counts up from `second`.
struct KeyRun {
    int from;
    int to;
    uint8_t kind;
    uint8_t first;
    uint8_t second;
};

constexpr KeyRun kKeyRuns[] = {
    {0, 0, 0x20, 0x00, 0x29},     {1, 15, 0x20, 0x00, 0x3A},    {16, 16, 0xA0, 0x1B, 0x00},
    {17, 17, 0xA0, 0x24, 0x00},   {18, 18, 0x20, 0x00, 0x00},   {19, 19, 0x20, 0x00, 0x00},
    {20, 20, 0x20, 0x00, 0x00},   {21, 21, 0x20, 0x00, 0x35},   {22, 31, 0x20, 0x00, 0x1E},
    {32, 33, 0x20, 0x00, 0x2D},   {34, 34, 0x20, 0x00, 0x2A},   {35, 37, 0x20, 0x00, 0x49},
    {38, 41, 0x20, 0x00, 0x53},   {42, 42, 0x20, 0x00, 0x2B},   {43, 43, 0x20, 0x00, 0x14},
    {44, 44, 0x20, 0x00, 0x1A},   {45, 45, 0x20, 0x00, 0x08},   {46, 46, 0x20, 0x00, 0x15},
    {47, 47, 0x20, 0x00, 0x17},   {48, 48, 0x20, 0x00, 0x1C},   {49, 49, 0x20, 0x00, 0x18},
    {50, 50, 0x20, 0x00, 0x0C},   {51, 52, 0x20, 0x00, 0x12},   {53, 55, 0x20, 0x00, 0x2F},
    {56, 58, 0x20, 0x00, 0x4C},   {59, 61, 0x20, 0x00, 0x5F},   {62, 62, 0x20, 0x00, 0x00},
    {63, 63, 0x20, 0x00, 0x39},   {64, 64, 0x20, 0x00, 0x04},   {65, 65, 0x20, 0x00, 0x16},
    {66, 66, 0x20, 0x00, 0x07},   {67, 69, 0x20, 0x00, 0x09},   {70, 72, 0x20, 0x00, 0x0D},
    {73, 74, 0x20, 0x00, 0x33},   {75, 75, 0x20, 0x00, 0x28},   {76, 78, 0x20, 0x00, 0x5C},
    {79, 80, 0x20, 0x00, 0x8A},   {81, 82, 0x20, 0x00, 0x90},   {83, 83, 0x20, 0x00, 0x88},
    {84, 84, 0x20, 0x02, 0x00},   {85, 85, 0x20, 0x00, 0x1D},   {86, 86, 0x20, 0x00, 0x1B},
    {87, 87, 0x20, 0x00, 0x06},   {88, 88, 0x20, 0x00, 0x19},   {89, 89, 0x20, 0x00, 0x05},
    {90, 90, 0x20, 0x00, 0x11},   {91, 91, 0x20, 0x00, 0x10},   {92, 94, 0x20, 0x00, 0x36},
    {95, 95, 0x20, 0x20, 0x00},   {96, 96, 0x20, 0x00, 0x52},   {97, 99, 0x20, 0x00, 0x59},
    {100, 100, 0x20, 0x00, 0x87}, {101, 101, 0x20, 0x00, 0x89}, {102, 102, 0x20, 0x00, 0x64},
    {103, 103, 0x20, 0x00, 0x85}, {104, 104, 0x20, 0x00, 0x00}, {105, 105, 0x20, 0x01, 0x00},
    {106, 106, 0x20, 0x08, 0x00}, {107, 107, 0x20, 0x04, 0x00}, {108, 108, 0x20, 0x00, 0x2C},
    {109, 109, 0x20, 0x40, 0x00}, {110, 110, 0xA0, 0x01, 0x00}, {111, 111, 0x20, 0x00, 0x65},
    {112, 112, 0x20, 0x10, 0x00}, {113, 114, 0x20, 0x00, 0x50}, {115, 115, 0x20, 0x00, 0x4F},
    {116, 117, 0x20, 0x00, 0x62}, {118, 118, 0x20, 0x00, 0x58}, {119, 119, 0x20, 0x00, 0x57},
    {120, 124, 0xD0, 0xA2, 0x01}, {125, 125, 0x20, 0x80, 0x00},
};

std::vector<Code> keyboardTable() {
    std::vector<Code> table;
    for (const KeyRun& run : kKeyRuns) {
        for (int p = run.from; p <= run.to; ++p) {
            table.push_back({run.kind, run.first, static_cast<uint8_t>(run.second + p - run.from)});
        }
    }
    return table;
}

const std::vector<Code> kMouseTable = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                                       {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00},
                                       {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00},
                                       {0x16, 0x90, 0x01}};

const std::vector<std::vector<int32_t>> kEqPresets = {
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},   {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0}, {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},  {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},  {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},  {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}};

Code codeOf(const KeyAssignmentCode& code) {
    return {code.type, code.first, code.second};
}

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

    static void expectLightList(CBasicProfiledata& profile, size_t ledCount) {
        const std::vector<LightInfoRecord> leds = profile.ReadLightList();
        ASSERT_EQ(leds.size(), ledCount);
        for (const LightInfoRecord& led : leds) {
            EXPECT_EQ(led.present, 1);
        }
    }

    static void expectShownLightInfo(CBasicProfiledata& profile, uint8_t maxSpeed) {
        const LightInfoRecord info = profile.ReadLightInfo();
        EXPECT_LE(info.brightness, 4);
        EXPECT_LE(info.speed, maxSpeed);
        EXPECT_LE(info.direction, 1);
    }

    test::TempDir dir;
};

class DefaultKeyboardTest : public DefaultDataTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(DefaultKeyboardTest, KeyboardDefaultHoldsTheFactoryTables) {
    CKeyboardProfiledata profile;
    load(profile, GetParam());

    const std::vector<KeyAssignmentRecord> keys = profile.ReadKeyList();
    const std::vector<Code> table = keyboardTable();
    ASSERT_EQ(table.size(), 126u);
    ASSERT_EQ(keys.size(), 126u);
    for (size_t p = 0; p < keys.size(); ++p) {
        EXPECT_EQ(codeOf(keys[p].defaultAssignment), table[p]) << "position " << p;
        EXPECT_EQ(keys[p].assignment, keys[p].defaultAssignment) << "position " << p;
    }
    EXPECT_EQ(codeOf(keys[110].defaultAssignment), (Code{0xA0, 0x01, 0x00}));

    expectShownLightInfo(profile, 4);
    expectLightList(profile, 126);
    const KeyboardSystemRecord system = profile.ReadKeyboardSystem();
    EXPECT_LE(system.repeatDelay, 3);
    EXPECT_LE(system.pollingRate, 3);
    EXPECT_EQ(profile.ReadCustomLightGroup(), 0);
    const Json::Value before = profile.DeviceEntry();
    EXPECT_EQ(profile.ReadCustomLightColors(0, 126).size(), 126u);
    EXPECT_EQ(profile.DeviceEntry(), before) << "group 0 ships complete";
}

INSTANTIATE_TEST_SUITE_P(Models, DefaultKeyboardTest, ::testing::Values("keyboard", "keyboard123"));

TEST_F(DefaultDataTest, MouseDefaultHoldsTheButtonTableAndFiveDpiStages) {
    CMouseProfiledata profile;
    load(profile, "mouse");

    const std::vector<KeyAssignmentRecord> keys = profile.ReadKeyList();
    ASSERT_EQ(keys.size(), kMouseTable.size());
    for (size_t p = 0; p < keys.size(); ++p) {
        EXPECT_EQ(codeOf(keys[p].defaultAssignment), kMouseTable[p]) << "position " << p;
        EXPECT_EQ(keys[p].assignment, keys[p].defaultAssignment);
    }
    EXPECT_EQ(codeOf(keys[9].assignment), (Code{0x16, 0x90, 0x01}));

    const std::vector<DpiStageRecord> stages = profile.ReadDpiStages();
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
    const std::vector<CorrectionRecord> corrections = profile.ReadCorrectInfo();
    ASSERT_FALSE(corrections.empty());
    EXPECT_EQ(corrections[0].select, 1);
    expectShownLightInfo(profile, 3);
    expectLightList(profile, 6);
}

TEST_F(DefaultDataTest, HeadsetDefaultHoldsThePresetCurves) {
    CHs6533Profiledata profile;
    load(profile, "HD");

    for (int32_t type = 1; type <= 12; ++type) {
        EXPECT_EQ(profile.ReadEqValues(type), kEqPresets[type - 1]) << "preset " << type;
    }
    EXPECT_EQ(profile.ReadEqValues(6), (std::vector<int32_t>{7, 14, -13, -6, -1, 8, 13, 7, 2, 6}));
    EXPECT_EQ(profile.ReadEqValues(0), kEqPresets[0]);
    EXPECT_TRUE(profile.ReadEqValues(13).empty());
    EXPECT_TRUE(profile.ReadCustomEqNames().empty());
    EXPECT_EQ(profile.ReadCustomEqValues(0), std::vector<int32_t>(10, 0));
    const HeadsetSystemRecord system = profile.ReadHeadsetSystem();
    EXPECT_GE(system.eqType, 0);
    EXPECT_LT(system.eqType, 13);
    EXPECT_GE(system.magicType, 1);
    EXPECT_LE(system.magicType, 4);
    EXPECT_LE(system.micInValue, 100);
    expectShownLightInfo(profile, 3);
    expectLightList(profile, 13);
}

TEST_F(DefaultDataTest, MousePadDefaultHoldsItsLights) {
    CBasicProfiledata profile;
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
