#include "device/mouse/gun_key_image.h"
#include "macros/gun_document.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::device {
namespace {

// A gun document of `count` left-button presses, event i with button i and a delay of i ms.
Json::Value pressesOf(int count) {
    Json::Value document(Json::objectValue);
    Json::Value& events = document["Events"] = Json::Value(Json::arrayValue);
    for (int i = 0; i < count; ++i) {
        Json::Value event(Json::objectValue);
        event["Action"] = "down";
        event["Button"] = i;
        event["Delay"] = i;
        event["Type"] = 1;
        events.append(event);
    }
    return document;
}

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return {bytes.begin() + static_cast<long>(from),
            bytes.begin() + static_cast<long>(from + count)};
}

TEST(GunKeyImage, FourRecordsFollowTheirOffsetTable) {
    const std::vector<uint8_t> image =
        encodeGunKeyImage({pressesOf(10), pressesOf(0), pressesOf(5), pressesOf(0)});
    ASSERT_EQ(image.size(), 100u) << "16 + 24 + 4 × 15";
    EXPECT_EQ(slice(image, 0, 24),
              (std::vector<uint8_t>{0xAA, 0x55, 100, 0, 4,  0, 0,  0, 0,  0, 0,  0,
                                    0,    0,    0,   0, 24, 0, 68, 0, 72, 0, 96, 0}));
    EXPECT_EQ(slice(image, 24, 12),
              (std::vector<uint8_t>{10, 0, 0, 0, 0x00, 0x00, 0x81, 0x00, 0x01, 0x00, 0x81, 0x01}));
    EXPECT_EQ(slice(image, 64, 4), (std::vector<uint8_t>{0x09, 0x00, 0x81, 0x09})) << "the tenth";
    EXPECT_EQ(slice(image, 68, 4), (std::vector<uint8_t>{0, 0, 0, 0})) << "gun 1 has none";
    EXPECT_EQ(slice(image, 72, 8), (std::vector<uint8_t>{5, 0, 0, 0, 0x00, 0x00, 0x81, 0x00}));
    EXPECT_EQ(slice(image, 96, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(GunKeyImage, ABulletTravelsAsSixPackedEventsWithItsDelayLowByteFirst) {
    Json::Value gun;
    macros::writeGunBullet(
        gun, 0, {.left = true, .up = false, .horizontal = 3, .vertical = 7, .delayMs = 300});
    const std::vector<uint8_t> image = encodeGunKeyImage({gun, {}, {}, {}});
    ASSERT_EQ(image.size(), 16u + 24u + 24u);
    EXPECT_EQ(slice(image, 28, 24), (std::vector<uint8_t>{
                                        0x0A, 0x00, 0x81, 0x01, // shot: press, 10 ms
                                        0x00, 0x00, 0x01, 0x01, // release
                                        0x05, 0x00, 0x84, 0x03, // 3 to the left, 5 ms
                                        0x2C, 0x01, 0x05, 0x07, // 7 down, 300 ms
                                        0x00, 0x00, 0x84, 0x00, //
                                        0x00, 0x00, 0x05, 0x00, //
                                    }));
}

TEST(GunKeyImage, NullsOfAnExtendedFileKeepTheLaterBulletsInPlace) {
    Json::Value gun = pressesOf(6);
    macros::writeGunBullet(gun, 2, {.vertical = 1, .delayMs = 70000});
    const std::vector<uint8_t> image = encodeGunKeyImage({gun, {}, {}, {}});
    ASSERT_EQ(image.size(), 16u + 24u + 4u * 18u);
    EXPECT_EQ(slice(image, 24, 2), (std::vector<uint8_t>{18, 0}));
    EXPECT_EQ(slice(image, 28 + 4 * 6, 4 * 6), std::vector<uint8_t>(24, 0)) << "bullet 1: nulls";
    EXPECT_EQ(slice(image, 28 + 4 * 15, 4), (std::vector<uint8_t>{0x70, 0x11, 0x05, 0x01}))
        << "70000 ms keeps its low 16 bits, 4464";
}

} // namespace
} // namespace morva::device
