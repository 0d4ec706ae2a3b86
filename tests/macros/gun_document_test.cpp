#include "macros/gun_document.h"
#include "tests/profiles/profile_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace morva {
namespace {

using macros::GunBullet;

// A gun document as the factory writes one, with `bullets` bullets that move right and down by
// their number and pause 100 ms.
Json::Value gunDocument(int bullets) {
    Json::Value document(Json::objectValue);
    document["MacroName"] = "Rifle";
    document["Guid"] = "2020_01_02_03_04_05_006";
    document["Version"] = 64;
    for (int b = 0; b < bullets; ++b) {
        macros::writeGunBullet(document, b, {.horizontal = b, .vertical = b, .delayMs = 100});
    }
    return document;
}

TEST(GunDocument, ABulletIsWrittenAsItsSixEventsAndTheRestIsKept) {
    Json::Value document = gunDocument(3);
    const Json::Value before = document;
    macros::writeGunBullet(
        document, 1, {.left = true, .up = false, .horizontal = 3, .vertical = 7, .delayMs = 300});
    EXPECT_EQ(document["Events"].size(), 18u);
    Json::Value sixEvents(Json::arrayValue);
    for (Json::ArrayIndex i = 6; i < 12; ++i) {
        sixEvents.append(document["Events"][i]);
    }
    EXPECT_EQ(sixEvents, test::parseJson(R"([
        {"Action": "down", "Button": 1, "Delay": 10,  "Type": 1},
        {"Action": "up",   "Button": 1, "Delay": 0,   "Type": 1},
        {"Action": "down", "Button": 3, "Delay": 5,   "Type": 4},
        {"Action": "up",   "Button": 7, "Delay": 300, "Type": 5},
        {"Action": "down", "Button": 0, "Delay": 0,   "Type": 4},
        {"Action": "up",   "Button": 0, "Delay": 0,   "Type": 5}])"));
    for (const Json::ArrayIndex kept : {0u, 5u, 12u, 17u}) {
        EXPECT_EQ(document["Events"][kept], before["Events"][kept]) << "event " << kept;
    }
    for (const char* member : {"MacroName", "Guid", "Version"}) {
        EXPECT_EQ(document[member], before[member]) << member;
    }
}

TEST(GunDocument, ABulletReadsBackAsItWasWritten) {
    Json::Value document = gunDocument(30);
    const GunBullet values{
        .left = true, .up = true, .horizontal = 255, .vertical = 12, .delayMs = 65535};
    macros::writeGunBullet(document, 29, values);
    EXPECT_EQ(macros::readGunBullet(document, 29), values);
    EXPECT_EQ(macros::readGunBullet(document, 28),
              (GunBullet{.horizontal = 28, .vertical = 28, .delayMs = 100}));
}

struct ReadCase {
    const char* name;
    const char* document;
    int bullet;
    GunBullet expected;
};

class GunBulletRead : public testing::TestWithParam<ReadCase> {};

TEST_P(GunBulletRead, TakesEventsTwoAndThreeOfTheBullet) {
    EXPECT_EQ(macros::readGunBullet(test::parseJson(GetParam().document), GetParam().bullet),
              GetParam().expected);
}

// Events 6b + 2 and 6b + 3 of bullet 0; the other four are never read.
constexpr const char* kOneBullet = R"({"Events": [null, null,
    {"Action": "DOWN", "Button": 4, "Delay": 5, "Type": 4},
    {"Action": "Down", "Button": 9, "Delay": "250", "Type": 5}]})";

INSTANTIATE_TEST_SUITE_P(
    Documents, GunBulletRead,
    testing::Values(
        ReadCase{"DownInAnyCaseIsLeftAndUp",
                 kOneBullet,
                 0,
                 {.left = true, .up = true, .horizontal = 4, .vertical = 9, .delayMs = 250}},
        ReadCase{"UpIsRightAndDown",
                 R"({"Events": [{}, {}, {"Action": "up", "Button": 2}, {"Action": "x", "Button": 6,
                     "Delay": 40}]})",
                 0,
                 {.horizontal = 2, .vertical = 6, .delayMs = 40}},
        ReadCase{"ABulletPastTheEndIsZeros", kOneBullet, 1, {}},
        ReadCase{"ANullDocumentIsZeros", "null", 0, {}},
        ReadCase{"EventsThatAreNoArrayAreZeros", R"({"Events": "none"})", 0, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(GunDocument, SavingBeyondAShortEventsFillsTheGapWithNulls) {
    Json::Value document = gunDocument(1);
    macros::writeGunBullet(document, 3, {.horizontal = 1, .vertical = 2, .delayMs = 30});
    const Json::Value& events = document["Events"];
    ASSERT_EQ(events.size(), 24u);
    for (Json::ArrayIndex i = 6; i < 18; ++i) {
        EXPECT_TRUE(events[i].isNull()) << "event " << i;
    }
    EXPECT_EQ(events[21]["Delay"], 30);
    EXPECT_EQ(macros::readGunBullet(document, 2), GunBullet{});
}

TEST(GunDocument, AnythingButAnObjectBecomesAGunDocument) {
    for (const char* text : {"null", "[1, 2]", R"("text")", R"({"Events": 5})"}) {
        Json::Value document = test::parseJson(text);
        macros::writeGunBullet(document, 0, {.horizontal = 8});
        EXPECT_EQ(document["Events"].size(), 6u) << text;
        EXPECT_EQ(macros::readGunBullet(document, 0).horizontal, 8) << text;
    }
}

TEST(GunDocument, EveryElementOfEventsIsAnEventSoBulletsKeepTheirPlaces) {
    Json::Value document = gunDocument(1);
    macros::writeGunBullet(document, 2, {.vertical = 5, .delayMs = 300});
    const std::vector<macros::MacroEvent> events = macros::gunEvents(document);
    ASSERT_EQ(events.size(), 18u);
    EXPECT_EQ(events[6], macros::MacroEvent{}) << "a null is an empty event";
    EXPECT_EQ(events[15], (macros::MacroEvent{5, 5, "up", "300"}));
    EXPECT_TRUE(macros::gunEvents(test::parseJson("null")).empty());
}

} // namespace
} // namespace morva
