#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "tests/profiles/profile_test_support.h"

#include <json/writer.h>
#include <random>

namespace morva {
namespace {

// Every member name the profile classes read, so random documents reach the decoders.
const std::vector<std::string> kKeys = {"Device",
                                        "LightInfo",
                                        "LightList",
                                        "KeyList",
                                        "SystemStages",
                                        "CustomLightMode",
                                        "DPIStages",
                                        "ReportStages",
                                        "CorrectInfo",
                                        "SystemSetStages",
                                        "EQHzValueInfo",
                                        "CustomEQNameInfo",
                                        "CustomEQHzValueInfo",
                                        "SelectItem",
                                        "MultiColor",
                                        "Red",
                                        "Alpha",
                                        "LEDREGMode",
                                        "LEDDirection",
                                        "Assignment",
                                        "DefaultAssignment",
                                        "Repeat",
                                        "WinFlag",
                                        "LightColorInfo",
                                        "CustomLightModeGroupIndex",
                                        "StageActive",
                                        "StageDPIs",
                                        "StageDPIX",
                                        "DoubleClickTime",
                                        "CorrectName",
                                        "EqType",
                                        "value",
                                        "Name",
                                        "profilename"};

class RandomJson {
public:
    explicit RandomJson(uint32_t seed) : random_(seed) {}

    Json::Value value(int depth) {
        switch (pick(depth > 0 ? 10 : 7)) {
        case 0:
            return Json::Value();
        case 1:
            return Json::Value(pick(2) == 0);
        case 2:
            return Json::Value(static_cast<Json::Int64>(random_()) -
                               Json::Int64{1} * (1 << 30) * 2);
        case 3:
            return Json::Value(static_cast<int>(pick(300)));
        case 4:
            return Json::Value(std::uniform_real_distribution<double>(-1e12, 1e12)(random_));
        case 5:
            return Json::Value(kKeys[pick(static_cast<uint32_t>(kKeys.size()))]);
        case 6:
            return Json::Value(static_cast<Json::UInt64>(random_()) << 32);
        case 7:
        case 8: {
            Json::Value object(Json::objectValue);
            for (uint32_t n = pick(6); n > 0; --n) {
                object[kKeys[pick(static_cast<uint32_t>(kKeys.size()))]] = value(depth - 1);
            }
            return object;
        }
        default: {
            Json::Value array(Json::arrayValue);
            for (uint32_t n = pick(5); n > 0; --n) {
                array.append(value(depth - 1));
            }
            return array;
        }
        }
    }

    // A profile-shaped root whose device entry is random.
    Json::Value profile() {
        Json::Value root(Json::objectValue);
        root["Device"] = pick(4) == 0 ? value(3) : Json::Value(Json::arrayValue);
        if (root["Device"].isArray()) {
            root["Device"].append(value(5));
        }
        return root;
    }

    std::string bytes() {
        std::string text;
        for (uint32_t n = pick(64); n > 0; --n) {
            text.push_back(static_cast<char>(pick(256)));
        }
        return text;
    }

    uint32_t pick(uint32_t bound) {
        return std::uniform_int_distribution<uint32_t>(0, bound - 1)(random_);
    }

private:
    std::mt19937 random_;
};

class ProfileFuzzTest : public test::ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        writeDefault(R"({"Device": [{"LightInfo": {"SelectItem": 1}}]})");
    }

    // Loads the text as a profile, runs every Read… and Write… of every class on it, saves, and
    // checks what the reads promise whatever the input.
    void exercise(const std::string& text) {
        SCOPED_TRACE(text.substr(0, 200));
        runKeyboard(text);
        runMouse(text);
        runHeadset(text);
    }

    void prepare(profiles::CBasicProfiledata& profile, const std::string& text) {
        writeProfile(text);
        profile.SetDefaultProfilePath(defaultPath);
        profile.SetProfilePath(profilePath);
        profile.LoadDeviceEntry(profilePath);
        profile.ReadLightInfo();
        profile.ReadLightList();
        profile.ReadKeyList();
        profile.LoadLightConfig(profilePath); // a profile is no light configuration
        EXPECT_TRUE(profile.LoadLightEffect().empty());
    }

    void saveAndCheck(profiles::CBasicProfiledata& profile) {
        const profiles::LightInfoRecord written{.mode = 3, .brightness = 2, .red = 9};
        profile.WriteLightInfo(written);
        profile.WriteKeyList(profile.ReadKeyList());
        ASSERT_TRUE(profile.Save());
        profiles::CBasicProfiledata reloaded;
        reloaded.LoadDeviceEntry(profilePath);
        EXPECT_EQ(reloaded.ReadLightInfo(), written);
    }

    void runKeyboard(const std::string& text) {
        profiles::CKeyboardProfiledata profile;
        prepare(profile, text);
        profile.ReadKeyboardSystem();
        const int32_t group = profile.ReadCustomLightGroup();
        EXPECT_EQ(profile.ReadCustomLightColors(static_cast<Json::ArrayIndex>(group & 7), 5).size(),
                  5u);
        profile.WriteCustomLightColors({{1, 2, 3, 4}}, 1);
        profile.WriteCustomLightGroup(1);
        profile.WriteKeyboardSystem(profile.ReadKeyboardSystem());
        EXPECT_EQ(profile.ReadCustomLightColors(1, 1),
                  (std::vector<profiles::RgbaColor>{{1, 2, 3, 4}}));
        saveAndCheck(profile);
    }

    void runMouse(const std::string& text) {
        profiles::CMouseProfiledata profile;
        prepare(profile, text);
        profile.ReadCorrectInfo();
        profile.ReadMouseSystem();
        profile.WriteDpiStages(profile.ReadDpiStages());
        profile.SetActiveDpiStage(profile.GetActiveDpiStage());
        profile.WriteMouseSystem({1, 2, 3, 4, 5, 6});
        EXPECT_EQ(profile.ReadMouseSystem(), (profiles::MouseSystemRecord{1, 2, 3, 4, 5, 6}));
        saveAndCheck(profile);
    }

    void runHeadset(const std::string& text) {
        profiles::CHs6533Profiledata profile;
        prepare(profile, text);
        profile.ReadHeadsetSystem();
        for (int32_t type : {0, 1, 6, 12, 13, 14}) {
            EXPECT_EQ(profile.ReadEqValues(type).size(), type == 13 ? 0u : 10u);
        }
        EXPECT_EQ(profile.ReadCustomEqValues(2).size(), 10u);
        profile.ReadCustomEqNames();
        profile.WriteEqValues(3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        profile.WriteCustomEqValues(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        profile.WriteCustomEqNames({L"x"});
        profile.WriteHeadsetSystem(profile.ReadHeadsetSystem());
        EXPECT_EQ(profile.ReadEqValues(3), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        saveAndCheck(profile);
    }
};

TEST_F(ProfileFuzzTest, RandomDocumentsNeverBreakTheProfileObjects) {
    RandomJson random(20240601);
    Json::FastWriter writer;
    for (int round = 0; round < 40; ++round) {
        exercise(writer.write(random.profile()));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(ProfileFuzzTest, TruncatedAndGarbledTextsNeverBreakTheProfileObjects) {
    const std::string full = test::readText(test::sourceDefaultData() / "keyboard.Json");
    ASSERT_GT(full.size(), 1000u);
    RandomJson random(77);
    for (int round = 0; round < 25; ++round) {
        exercise(full.substr(0, random.pick(static_cast<uint32_t>(full.size()))));
        exercise(random.bytes());
        if (HasFatalFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace morva
