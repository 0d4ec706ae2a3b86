#include "profiles/mouse_profiledata.h"
#include "tests/profiles/profile_test_support.h"

namespace morva {
namespace {

using test::parseJson;

class MouseProfileTest : public test::ProfileFixture {
protected:
    void load(const std::string& profileText) {
        writeProfile(profileText);
        profile.SetProfilePath(profilePath);
        profile.LoadDeviceEntry(profilePath);
    }

    static std::string stage(int dpi) {
        return R"({"StageActive": 1, "StageXY": 0, "StageDPIX": )" + std::to_string(dpi) +
               R"(, "StageDPIY": )" + std::to_string(dpi) +
               R"(, "StageColorR": 1, "StageColorG": 2, "StageColorB": 3})";
    }

    profiles::CMouseProfiledata profile;
};

TEST_F(MouseProfileTest, DpiStagesDecodeWithTheActiveStage) {
    load(R"({"Device": [{"DPIStages": {"StageActive": 2, "StageDPIs": [)" + stage(16) + "," +
         R"({"StageActive": 0, "StageXY": 1, "StageDPIX": 70000, "StageDPIY": 32})" + "]}}]})");

    const std::vector<profiles::DpiStageRecord> stages = profile.ReadDpiStages();

    EXPECT_EQ(profile.GetActiveDpiStage(), 2);
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[0], (profiles::DpiStageRecord{1, 0, 16, 16, 1, 2, 3}));
    EXPECT_EQ(stages[1], (profiles::DpiStageRecord{0, 1, 4464, 32, 0, 0, 0}))
        << "70000 keeps 16 bits";
}

TEST_F(MouseProfileTest, ReadDpiStagesMergesIntoTheHeldStages) {
    load(R"({"Device": [{"DPIStages": {"StageActive": 0, "StageDPIs": [)" + stage(8) + "," +
         stage(16) + "," + stage(32) + "," + stage(64) + "," + stage(128) + "]}}]})");
    ASSERT_EQ(profile.ReadDpiStages().size(), 5u);

    writeProfile(R"({"Device": [{"DPIStages": {"StageActive": 1, "StageDPIs": [)" + stage(10) +
                 "," + stage(20) + "," + stage(30) + "]}}]})");
    profile.LoadDeviceEntry(profilePath);
    const std::vector<profiles::DpiStageRecord> stages = profile.ReadDpiStages();

    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0].dpiX, 10);
    EXPECT_EQ(stages[1].dpiX, 20);
    EXPECT_EQ(stages[2].dpiX, 30);
    EXPECT_EQ(stages[3].dpiX, 64);
    EXPECT_EQ(stages[4].dpiX, 128);
    EXPECT_EQ(profile.GetActiveDpiStage(), 1);
}

TEST_F(MouseProfileTest, AbsentDpiStagesKeepTheHeldStagesAndActiveStage) {
    load(R"({"Device": [{"DPIStages": {"StageActive": 3, "StageDPIs": [)" + stage(8) + "]}}]})");
    profile.ReadDpiStages();
    writeProfile(R"({"Device": [{}]})");
    profile.LoadDeviceEntry(profilePath);

    EXPECT_EQ(profile.ReadDpiStages().size(), 1u);
    EXPECT_EQ(profile.GetActiveDpiStage(), 3);
}

TEST_F(MouseProfileTest, WriteDpiStagesAndActiveStageRoundTrip) {
    load(R"({"Device": [{"DPIStages": {"Other": 1}}]})");
    profile.WriteDpiStages({{1, 0, 32, 32, 255, 0, 0}, {1, 1, 64, 48, 0, 255, 0}});
    profile.SetActiveDpiStage(1);
    ASSERT_TRUE(profile.Save());

    profiles::CMouseProfiledata reloaded;
    reloaded.LoadDeviceEntry(profilePath);

    EXPECT_EQ(reloaded.ReadDpiStages(), (std::vector<profiles::DpiStageRecord>{
                                            {1, 0, 32, 32, 255, 0, 0}, {1, 1, 64, 48, 0, 255, 0}}));
    EXPECT_EQ(reloaded.GetActiveDpiStage(), 1);
    EXPECT_EQ(reloaded.DeviceEntry()["DPIStages"]["Other"], 1);
}

TEST_F(MouseProfileTest, MouseSystemReadsBothObjects) {
    load(R"({"Device": [{"SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10,
             "PointerPrecision": 1, "ScorllPage": 0, "WheelScorlllinse": 3},
             "ReportStages": {"StageActive": 2}}]})");

    const profiles::MouseSystemRecord system = profile.ReadMouseSystem();

    EXPECT_EQ(system, (profiles::MouseSystemRecord{500, 10, 1, 0, 3, 2}));
    EXPECT_EQ(system.toWords(), (std::array<uint32_t, 3>{0x000A01F4, 0x00000001, 0x00020003}));
}

TEST_F(MouseProfileTest, ReportStagesAloneReadAsAllZero) {
    load(R"({"Device": [{"ReportStages": {"StageActive": 2}}]})");
    EXPECT_EQ(profile.ReadMouseSystem(), profiles::MouseSystemRecord{});
}

TEST_F(MouseProfileTest, SystemStagesWithoutReportStagesReadReportRateZero) {
    load(R"({"Device": [{"SystemStages": {"MouseSpeed": 7}}]})");
    EXPECT_EQ(profile.ReadMouseSystem(), (profiles::MouseSystemRecord{.mouseSpeed = 7}));
}

TEST_F(MouseProfileTest, WriteMouseSystemSetsBothObjects) {
    load(R"({"Device": [{}]})");

    profile.WriteMouseSystem(0x000A01F4, 0x00000001, 0x00040003);

    EXPECT_EQ(profile.DeviceEntry()["SystemStages"],
              parseJson(R"({"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1,
                            "ScorllPage": 0, "WheelScorlllinse": 3})"));
    EXPECT_EQ(profile.DeviceEntry()["ReportStages"], parseJson(R"({"StageActive": 4})"));
}

TEST_F(MouseProfileTest, CorrectInfoDecodesNamesFromUtf8) {
    load(R"({"Device": [{"CorrectInfo": [
        {"CorrectPixThresh": 3, "CorrectMinSq": 9, "CorrectSelect": 1, "CorrectName": "直线"},
        {"CorrectName": 5}]}]})");

    const std::vector<profiles::CorrectionRecord> corrections = profile.ReadCorrectInfo();

    ASSERT_EQ(corrections.size(), 2u);
    EXPECT_EQ(corrections[0], (profiles::CorrectionRecord{3, 9, 1, L"直线"}));
    EXPECT_EQ(corrections[1], profiles::CorrectionRecord{});
}

TEST_F(MouseProfileTest, TwoMiceOfOneModelShareTheirProfiles) {
    test::ScopedEnv env("XDG_DATA_HOME", (dir.path() / "xdg").c_str());
    writeDefault(R"({"Device": [{"ReportStages": {"StageActive": 1}}]})");
    profiles::CMouseProfiledata first;
    profiles::CMouseProfiledata second;
    for (profiles::CMouseProfiledata* mouse : {&first, &second}) {
        mouse->SetDefaultProfilePath(defaultPath);
        mouse->SetProfilePath(profiles::folders::deviceDataFolder("mouse") /
                              "2024_05_06_07_08_09_010.Json");
    }
    ASSERT_EQ(first.GetProfilePath(), second.GetProfilePath());

    first.LoadDeviceEntry(first.GetProfilePath());
    first.WriteMouseSystem({.doubleClickTime = 400, .reportRate = 3});
    ASSERT_TRUE(first.Save());
    second.LoadDeviceEntry(second.GetProfilePath());

    EXPECT_EQ(second.ReadMouseSystem(),
              (profiles::MouseSystemRecord{.doubleClickTime = 400, .reportRate = 3}));
}

} // namespace
} // namespace morva
