#include "profiles/hs6533_profiledata.h"
#include "tests/profiles/profile_test_support.h"

namespace morva {
namespace {

using test::parseJson;
using Values = std::vector<int32_t>;

std::string bandRow(int first) {
    std::string row = "[";
    for (int b = 0; b < 10; ++b) {
        row += (b ? "," : "") + std::string(R"({"value": )") + std::to_string(first + b) + "}";
    }
    return row + "]";
}

Values bandValues(int first) {
    Values values;
    for (int b = 0; b < 10; ++b) {
        values.push_back(first + b);
    }
    return values;
}

class HeadsetProfileTest : public test::ProfileFixture {
protected:
    void load(const std::string& profileText) {
        writeProfile(profileText);
        profile.SetProfilePath(profilePath);
        profile.LoadDeviceEntry(profilePath);
    }

    // Rows 0, 1 and 2 start at 0, 10 and 20; 3..12 are absent.
    void loadThreeRows() {
        load(R"({"Device": [{"EQHzValueInfo": [)" + bandRow(0) + "," + bandRow(10) + "," +
             bandRow(20) + "]}]})");
    }

    profiles::CHs6533Profiledata profile;
};

TEST_F(HeadsetProfileTest, SystemSetStagesRoundTrip) {
    load(R"({"Device": [{"SystemSetStages": {"MagicEnable": 1, "MagicType": 4, "EqType": 13,
             "CustomEqSeletIndex": 2, "MicInSelect": 1, "MicInValue": 80,
             "MicMoniterSelect": 0, "MicMoniterValue": -5}}]})");

    const profiles::HeadsetSystemRecord system = profile.ReadHeadsetSystem();

    EXPECT_EQ(system.toValues(), (std::array<int32_t, 8>{1, 4, 13, 2, 1, 80, 0, -5}));
    profile.WriteHeadsetSystem(
        profiles::HeadsetSystemRecord::fromValues({0, 1, 5, 0, 0, 37, 1, 50}));
    EXPECT_EQ(profile.DeviceEntry()["SystemSetStages"],
              parseJson(R"({"MagicEnable": 0, "MagicType": 1, "EqType": 5,
                            "CustomEqSeletIndex": 0, "MicInSelect": 0, "MicInValue": 37,
                            "MicMoniterSelect": 1, "MicMoniterValue": 50})"));
}

TEST_F(HeadsetProfileTest, NullEntryReadsSystemAsZero) {
    std::filesystem::remove(defaultPath);
    profile.LoadDeviceEntry(profilePath);
    EXPECT_EQ(profile.ReadHeadsetSystem(), profiles::HeadsetSystemRecord{});
}

struct EqRowCase {
    int32_t eqType;
    int firstValue; // of the row read
};

class EqRowTest : public HeadsetProfileTest, public ::testing::WithParamInterface<EqRowCase> {};

TEST_P(EqRowTest, TypeReadsItsRow) {
    loadThreeRows();
    EXPECT_EQ(profile.ReadEqValues(GetParam().eqType), bandValues(GetParam().firstValue));
}

INSTANTIATE_TEST_SUITE_P(Types, EqRowTest,
                         ::testing::Values(EqRowCase{0, 10}, EqRowCase{1, 10}, EqRowCase{2, 20},
                                           EqRowCase{20, 10}, EqRowCase{-1, 10}),
                         [](const auto& param) {
                             const int32_t type = param.param.eqType;
                             return type < 0 ? "typeMinus" + std::to_string(-type)
                                             : "type" + std::to_string(type);
                         });

TEST_F(HeadsetProfileTest, CustomTypeReadsNothingAndWritesNothing) {
    loadThreeRows();
    const Json::Value before = profile.DeviceEntry();

    EXPECT_TRUE(profile.ReadEqValues(13).empty());
    profile.WriteEqValues(13, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9});

    EXPECT_EQ(profile.DeviceEntry(), before);
}

TEST_F(HeadsetProfileTest, MissingRowIsWrittenAsZeros) {
    loadThreeRows();

    EXPECT_EQ(profile.ReadEqValues(12), Values(10, 0));

    const Json::Value& rows = profile.DeviceEntry()["EQHzValueInfo"];
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_TRUE(rows[11].isNull());
    ASSERT_EQ(rows[12].size(), 10u);
    EXPECT_EQ(rows[12][9], parseJson(R"({"value": 0})"));
}

TEST_F(HeadsetProfileTest, ShortRowReadsMissingBandsAsZeroWithoutWritingThem) {
    load(R"({"Device": [{"EQHzValueInfo": [null, [{"value": -3}, {"value": 7}]]}]})");

    EXPECT_EQ(profile.ReadEqValues(1), (Values{-3, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(profile.DeviceEntry()["EQHzValueInfo"][1].size(), 2u);
}

TEST_F(HeadsetProfileTest, WriteEqValuesStoresTheRowOfTheType) {
    loadThreeRows();

    profile.WriteEqValues(0, {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10});
    profile.WriteEqValues(7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});

    EXPECT_EQ(profile.ReadEqValues(1), (Values{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10}));
    EXPECT_EQ(profile.ReadEqValues(7), bandValues(1));
    EXPECT_EQ(profile.ReadEqValues(2), bandValues(20));
}

TEST_F(HeadsetProfileTest, CustomCurvesRoundTripThroughTheFile) {
    load(R"({"Device": [{"CustomEQNameInfo": [{"Name": "old"}, {"Name": "gone"}]}]})");
    profile.WriteCustomEqNames({L"Bass", L"人声"});
    profile.WriteCustomEqValues(1, {5, 4, 3, 2, 1, 0, -1, -2, -3, -4});
    ASSERT_TRUE(profile.Save());

    profiles::CHs6533Profiledata reloaded;
    reloaded.LoadDeviceEntry(profilePath);

    EXPECT_EQ(reloaded.ReadCustomEqNames(), (std::vector<std::wstring>{L"Bass", L"人声"}));
    EXPECT_EQ(reloaded.ReadCustomEqValues(1), (Values{5, 4, 3, 2, 1, 0, -1, -2, -3, -4}));
    EXPECT_EQ(reloaded.ReadCustomEqValues(0), Values(10, 0)) << "row 0 was never written";
}

TEST_F(HeadsetProfileTest, AbsentCustomNamesReadAsEmpty) {
    load(R"({"Device": [{"CustomEQNameInfo": {"Name": "not a list"}}]})");
    EXPECT_TRUE(profile.ReadCustomEqNames().empty());
}

} // namespace
} // namespace morva
