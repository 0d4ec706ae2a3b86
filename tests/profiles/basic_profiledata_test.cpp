#include "profiles/basic_profiledata.h"
#include "profiles/profile_document.h"
#include "tests/profiles/profile_test_support.h"

#include <gmock/gmock.h>

namespace morva {
namespace {

using test::parseJson;
using test::writeText;

constexpr const char* kDefaultProfile = R"({
    "profilename": "factory", "profileUUID": "factory",
    "Device": [ { "LightInfo": { "SelectItem": 4, "Light": 3 }, "KeyList": [] } ]
})";

class BasicProfileTest : public test::ProfileFixture {
protected:
    void SetUp() override {
        ProfileFixture::SetUp();
        writeDefault(kDefaultProfile);
        profile.SetDefaultProfilePath(defaultPath);
        profile.SetProfilePath(profilePath);
    }

    profiles::CBasicProfiledata profile;
};

// --- loading and repair -----------------------------------------------------------------------

TEST_F(BasicProfileTest, MissingProfileIsCreatedFromTheDefaultHoldingOnlyDevice) {
    const Json::Value entry = profile.LoadDeviceEntry(profilePath);

    EXPECT_EQ(entry, parseJson(kDefaultProfile)["Device"][0]);
    const Json::Value onDisk = profileOnDisk();
    EXPECT_EQ(onDisk.getMemberNames(), std::vector<std::string>{"Device"});
    EXPECT_EQ(onDisk["Device"][0], entry);
}

TEST_F(BasicProfileTest, ProfileWithoutDeviceEntryIsRepairedAndKeepsItsName) {
    writeProfile(R"({"profilename": "mine", "profileUUID": "x"})");

    profile.LoadDeviceEntry(profilePath);

    const Json::Value onDisk = profileOnDisk();
    EXPECT_EQ(onDisk["profilename"], "mine");
    EXPECT_EQ(onDisk["profileUUID"], "x");
    EXPECT_EQ(onDisk["Device"][0]["LightInfo"]["SelectItem"], 4);
}

TEST_F(BasicProfileTest, ExistingEntryIsLoadedAndTheFileLeftAlone) {
    const std::string text = R"({"Device": [{"LightInfo": {"SelectItem": 9}}]})";
    writeProfile(text);

    EXPECT_EQ(profile.LoadDeviceEntry(profilePath)["LightInfo"]["SelectItem"], 9);
    EXPECT_EQ(test::readText(profilePath), text);
}

TEST_F(BasicProfileTest, ProfileThatIsNotJsonIsRepairedAndKeptAsBad) {
    const std::string broken = R"({"Device": [{"LightInfo": )";
    writeProfile(broken);

    profile.LoadDeviceEntry(profilePath);

    EXPECT_EQ(profileOnDisk()["Device"][0]["LightInfo"]["SelectItem"], 4);
    std::filesystem::path kept = profilePath;
    kept += kBrokenFileSuffix;
    EXPECT_EQ(test::readText(kept), broken);
}

TEST_F(BasicProfileTest, RootThatIsNoObjectIsTreatedAsBroken) {
    writeProfile("[1, 2, 3]");

    profile.LoadDeviceEntry(profilePath);

    EXPECT_TRUE(profileOnDisk().isObject());
    EXPECT_EQ(profileOnDisk()["Device"][0]["LightInfo"]["Light"], 3);
}

TEST_F(BasicProfileTest, DeviceOfWrongTypeIsReplacedByTheDefaultEntry) {
    writeProfile(R"({"profilename": "p", "Device": "oops"})");

    profile.LoadDeviceEntry(profilePath);

    EXPECT_EQ(profileOnDisk()["profilename"], "p");
    EXPECT_EQ(profileOnDisk()["Device"][0]["LightInfo"]["SelectItem"], 4);
}

TEST_F(BasicProfileTest, MissingDefaultLeavesANullEntryThatReadsAsZero) {
    std::filesystem::remove(defaultPath);

    EXPECT_TRUE(profile.LoadDeviceEntry(profilePath).isNull());
    EXPECT_TRUE(profileOnDisk()["Device"][0].isNull());
    EXPECT_EQ(profile.ReadLightInfo(), profiles::LightInfoRecord{});
    EXPECT_TRUE(profile.ReadLightList().empty());
    EXPECT_TRUE(profile.ReadKeyList().empty());

    // The first write turns the entry into an object.
    profile.WriteLightInfo({.mode = 2});
    EXPECT_TRUE(profile.DeviceEntry().isObject());
}

TEST_F(BasicProfileTest, SecondDeviceEntryIsUsedWithItsIndex) {
    writeProfile(R"({"Device": [{"LightInfo": {"SelectItem": 1}}]})");
    profile.SetDeviceEntryIndex(1);

    profile.LoadDeviceEntry(profilePath);

    const Json::Value onDisk = profileOnDisk();
    EXPECT_EQ(onDisk["Device"][0]["LightInfo"]["SelectItem"], 1);
    EXPECT_TRUE(onDisk["Device"][1].isNull()) << "the default has no element 1";
}

TEST_F(BasicProfileTest, EmptyPathsAreIgnored) {
    profile.SetProfilePath({});
    profile.SetDefaultProfilePath({});
    EXPECT_EQ(profile.GetProfilePath(), profilePath);
    EXPECT_EQ(profile.GetDefaultProfilePath(), defaultPath);

    profile.SetLightConfigPath("x.config");
    profile.SetLightConfigPath({});
    EXPECT_TRUE(profile.GetLightConfigPath().empty());
}

// --- saving ---------------------------------------------------------------------------------

TEST_F(BasicProfileTest, SaveKeepsNameIdentifierAndOtherDeviceElements) {
    writeProfile(R"({"profilename": "Game", "profileUUID": "2024_01_02_03_04_05_006",
                     "Device": [{"LightInfo": {"SelectItem": 1}}, {"kept": true}]})");
    profile.LoadDeviceEntry(profilePath);
    profile.WriteLightInfo({.mode = 7, .brightness = 2});

    ASSERT_TRUE(profile.Save());

    const Json::Value onDisk = profileOnDisk();
    EXPECT_EQ(onDisk["profilename"], "Game");
    EXPECT_EQ(onDisk["profileUUID"], "2024_01_02_03_04_05_006");
    EXPECT_EQ(onDisk["Device"][1], parseJson(R"({"kept": true})"));
    EXPECT_EQ(onDisk["Device"][0]["LightInfo"]["SelectItem"], 7);
}

TEST_F(BasicProfileTest, SaveRereadsTheFileSoChangesMadeMeanwhileSurvive) {
    writeProfile(R"({"profilename": "old", "Device": [{}]})");
    profile.LoadDeviceEntry(profilePath);
    writeProfile(R"({"profilename": "renamed", "Device": [{}]})");

    profile.Save();

    EXPECT_EQ(profileOnDisk()["profilename"], "renamed");
}

TEST_F(BasicProfileTest, NothingIsEverWrittenIntoTheDefaultDataFolder) {
    const std::string before = test::readText(defaultPath);
    profile.SetProfilePath(defaultPath);
    profile.LoadDeviceEntry(defaultPath);
    profile.WriteLightInfo({.mode = 1});

    EXPECT_FALSE(profile.Save());
    EXPECT_FALSE(profile.WriteDocument(Json::Value(Json::objectValue), defaultPath));
    EXPECT_FALSE(profile.SaveDeviceEntry(Json::Value(),
                                         profiles::folders::defaultDataFolder() / "new.Json"));
    EXPECT_EQ(test::readText(defaultPath), before);
    EXPECT_FALSE(std::filesystem::exists(profiles::folders::defaultDataFolder() / "new.Json"));
}

TEST_F(BasicProfileTest, SaveOverAFileThatIsNotJsonKeepsItAsBad) {
    profile.LoadDeviceEntry(profilePath);
    writeProfile("{ not json");

    ASSERT_TRUE(profile.Save());

    EXPECT_EQ(profileOnDisk()["Device"][0]["LightInfo"]["SelectItem"], 4);
    std::filesystem::path kept = profilePath;
    kept += kBrokenFileSuffix;
    EXPECT_EQ(test::readText(kept), "{ not json");
}

TEST_F(BasicProfileTest, WriteDocumentReplacesTheWholeFile) {
    writeProfile(R"({"profilename": "a", "Device": [{}]})");
    ASSERT_TRUE(profile.WriteDocument(parseJson(R"({"only": 1})"), profilePath));
    EXPECT_EQ(profileOnDisk(), parseJson(R"({"only": 1})"));
}

// --- light settings -------------------------------------------------------------------------

TEST_F(BasicProfileTest, LightInfoNarrowsToTheLowBits) {
    writeProfile(R"({"Device": [{"LightInfo": {"SelectItem": 300, "MultiColor": 5, "Light": 4,
                     "Speed": 2, "Fx": 1, "Red": 511, "Green": 1, "Blue": 2, "CustomGroup": 3,
                     "SideSelectItem": 258, "ZZCCLedMode": 1}}]})");
    profile.LoadDeviceEntry(profilePath);

    const profiles::LightInfoRecord info = profile.ReadLightInfo();

    EXPECT_EQ(info.mode, 44);
    EXPECT_EQ(info.multiColor, 1);
    EXPECT_EQ(info.brightness, 4);
    EXPECT_EQ(info.speed, 2);
    EXPECT_EQ(info.direction, 1);
    EXPECT_EQ(info.red, 255);
    EXPECT_EQ(info.green, 1);
    EXPECT_EQ(info.blue, 2);
    EXPECT_EQ(info.present, 0);
    EXPECT_EQ(info.customGroup, 3);
    EXPECT_EQ(info.sideMode, 2);
    EXPECT_EQ(info.zzccMode, 1);
}

TEST_F(BasicProfileTest, LightInfoOfWrongTypesReadsAsZero) {
    writeProfile(R"({"Device": [{"LightInfo": {"SelectItem": "7", "Light": [1], "Speed": {},
                     "MultiColor": "yes", "Red": 2.9}}]})");
    profile.LoadDeviceEntry(profilePath);

    const profiles::LightInfoRecord info = profile.ReadLightInfo();

    EXPECT_EQ(info, (profiles::LightInfoRecord{.red = 2}));
}

TEST_F(BasicProfileTest, WriteLightInfoReplacesTheObjectWithExactlyElevenMembers) {
    writeProfile(R"({"Device": [{"LightInfo": {"Extra": 1, "SelectItem": 3}}]})");
    profile.LoadDeviceEntry(profilePath);

    profile.WriteLightInfo({.mode = 5,
                            .brightness = 4,
                            .speed = 1,
                            .direction = 1,
                            .multiColor = 1,
                            .red = 10,
                            .green = 20,
                            .blue = 30,
                            .present = 1,
                            .customGroup = 2,
                            .sideMode = 6,
                            .zzccMode = 3});

    const Json::Value& info = profile.DeviceEntry()["LightInfo"];
    EXPECT_THAT(info.getMemberNames(),
                ::testing::UnorderedElementsAre("SelectItem", "Light", "Speed", "Fx", "MultiColor",
                                                "Red", "Green", "Blue", "CustomGroup",
                                                "SideSelectItem", "ZZCCLedMode"));
    EXPECT_EQ(info["SideSelectItem"], 6);
    EXPECT_EQ(info["ZZCCLedMode"], 3);
    EXPECT_EQ(profile.ReadLightInfo().blue, 30);
}

TEST_F(BasicProfileTest, NullLightListElementReadsAsAbsent) {
    writeProfile(R"({"Device": [{"LightList": [
        {"LEDREGMode": 2, "LEDBrightness": 3, "LEDSpeed": 1, "LEDDirection": true,
         "LEDMultiColor": 7, "red": 1, "green": 2, "blue": 3},
        null,
        {}]}]})");
    profile.LoadDeviceEntry(profilePath);

    const std::vector<profiles::LightInfoRecord> leds = profile.ReadLightList();

    ASSERT_EQ(leds.size(), 3u);
    EXPECT_EQ(leds[0], (profiles::LightInfoRecord{.mode = 2,
                                                  .brightness = 3,
                                                  .speed = 1,
                                                  .direction = 1,
                                                  .multiColor = 1,
                                                  .red = 1,
                                                  .green = 2,
                                                  .blue = 3,
                                                  .present = 1}));
    EXPECT_EQ(leds[1], profiles::LightInfoRecord{});
    EXPECT_EQ(leds[2], profiles::LightInfoRecord{.present = 1});
}

// --- user light effects -----------------------------------------------------------------------

class LightEffectTest : public BasicProfileTest {
protected:
    void SetUp() override {
        BasicProfileTest::SetUp();
        writeProfile(R"({"Device": [{"LightInfo": {"SelectItem": 1}}]})");
        profile.LoadDeviceEntry(profilePath);
        profile.ReadLightInfo();
        writeText(dataFolder / "wave.light", R"({"LEDEffectList": [
            {"LEDREGMode": 3, "LEDBrightness": 4, "LEDSpeed": 2, "LEDDirection": 1,
             "LEDMultiColor": 0, "red": 9, "green": 8, "blue": 7, "Time": 1500, "Cyle": 2},
            {"LEDREGMode": 1}]})");
    }

    void writeLightConfig(const std::string& guid) {
        writeText(dataFolder / "tavro_light.config",
                  R"({"LightInfo": [[{"LightName": "a", "Guid": "unused"},
                                     {"LightName": "b", "Guid": ")" +
                      guid + R"("}]]})");
        profile.SetLightConfigPath(dataFolder / "tavro_light.config");
        profile.LoadLightConfig(profile.GetLightConfigPath());
    }
};

TEST_F(LightEffectTest, RelativeNameIsFoundInTheDeviceDataFolder) {
    writeLightConfig("wave");

    const std::vector<profiles::LedEffectStep> steps = profile.LoadLightEffect();

    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (profiles::LedEffectStep{.effect = 3,
                                                 .brightness = 4,
                                                 .speed = 2,
                                                 .direction = 1,
                                                 .red = 9,
                                                 .green = 8,
                                                 .blue = 7,
                                                 .timeMs = 1500,
                                                 .cycles = 2}));
    EXPECT_EQ(steps[1], profiles::LedEffectStep{.effect = 1});
}

TEST_F(LightEffectTest, AbsoluteNameStaysAsItIs) {
    const std::filesystem::path elsewhere = dir.path() / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    writeText(elsewhere / "spin.light", R"({"LEDEffectList": [{"LEDREGMode": 5}]})");
    writeLightConfig((elsewhere / "spin").string());

    const std::vector<profiles::LedEffectStep> steps = profile.LoadLightEffect();

    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].effect, 5);
}

TEST_F(LightEffectTest, MissingConfigurationOrEffectGivesNoSteps) {
    EXPECT_TRUE(profile.LoadLightEffect().empty()) << "no configuration loaded";

    writeLightConfig("absent");
    EXPECT_TRUE(profile.LoadLightEffect().empty());

    profile.WriteLightInfo({.mode = 7});
    writeLightConfig("wave");
    EXPECT_TRUE(profile.LoadLightEffect().empty()) << "no effect 7 in the configuration";
}

// --- key list ---------------------------------------------------------------------------------

TEST_F(BasicProfileTest, KeyListDecodesBothHalves) {
    writeProfile(R"({"Device": [{"KeyList": [
        {"Assignment": 7340800, "DefaultAssignment": 2097193},
        {"Assignment": 16777216, "DefaultAssignment": "x"}]}]})");
    profile.LoadDeviceEntry(profilePath);

    const std::vector<profiles::KeyAssignmentRecord> keys = profile.ReadKeyList();

    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].assignment, (profiles::KeyAssignmentCode{0, 0x70, 3, 0}));
    EXPECT_EQ(keys[0].defaultAssignment, (profiles::KeyAssignmentCode{0, 0x20, 0x00, 0x29}));
    EXPECT_EQ(keys[1].assignment, (profiles::KeyAssignmentCode{1, 0, 0, 0})) << "bit 24 is dropped";
    EXPECT_EQ(keys[1].defaultAssignment, (profiles::KeyAssignmentCode{1, 0, 0, 0}));
}

TEST_F(BasicProfileTest, WriteKeyListEncodesAssignmentsAndNeverTouchesDefaults) {
    writeProfile(R"({"Device": [{"KeyList": [
        {"Assignment": 2097193, "DefaultAssignment": 2097193},
        {"Assignment": 1, "DefaultAssignment": 5}]}]})");
    profile.LoadDeviceEntry(profilePath);
    std::vector<profiles::KeyAssignmentRecord> keys = profile.ReadKeyList();
    keys[0].assignment = {0, 0x70, 3, 0};
    keys[0].defaultAssignment = {0, 0x11, 0x22, 0x33};
    keys.push_back({.assignment = {2, 0x10, 0x01, 0x00}});

    profile.WriteKeyList(keys);
    ASSERT_TRUE(profile.Save());

    const Json::Value list = profileOnDisk()["Device"][0]["KeyList"];
    EXPECT_EQ(list[0]["Assignment"], 7340800);
    EXPECT_EQ(list[0]["DefaultAssignment"], 2097193);
    EXPECT_EQ(list[1]["DefaultAssignment"], 5);
    EXPECT_EQ(list[2], parseJson(R"({"Assignment": 1048832})"));
}

} // namespace
} // namespace morva
