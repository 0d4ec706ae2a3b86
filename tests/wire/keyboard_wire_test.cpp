#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"

#include <gtest/gtest.h>
#include <vector>

namespace morva::device {
namespace {

KeyboardSettings sample() {
    KeyboardSettings settings;
    settings.light.mode = 5;
    settings.light.brightness = 3;
    settings.light.speed = 1;
    settings.light.direction = 1;
    settings.light.multiColor = 1;
    settings.light.red = 0x11;
    settings.light.green = 0x22;
    settings.light.blue = 0x33;
    settings.light.customGroup = 2;
    settings.light.sideMode = 0;
    settings.light.zzccMode = 4;
    settings.system = {
        .repeat = 9, .repeatDelay = 2, .key6Flag = 1, .pollingRate = 3, .wFlag = 1, .winFlag = 0};
    return settings;
}

TEST(KeyboardSettingsBlock, WritesEveryByteInItsPlace) {
    const KeyboardSettingsBlock expected = {
        0x00, 0x05, 0x03, 0x03, 0x01, 0x01, 0x11, 0x22, 0x33, 0, 0,    0,    0,    0,    0,
        0,    0,    0,    0x04, 0x01, 0x01, 0x00, 0x03, 0,    0, 0x01, 0x02, 0x01, 0x00, 0x02};
    EXPECT_EQ(encodeKeyboardSettings(sample()), expected);
}

TEST(KeyboardSettingsBlock, ByteRules) {
    struct Case {
        uint8_t effect, speed, side;
        uint8_t effectByte, speedByte, sideByte;
    };
    const Case cases[] = {
        {25, 0, 1, 1, 4, 0},
        {20, 4, 0, 20, 0, 1},
        {21, 2, 3, 1, 2, 3},
    };
    for (const Case& c : cases) {
        KeyboardSettings settings = sample();
        settings.light.mode = c.effect;
        settings.light.speed = c.speed;
        settings.light.sideMode = c.side;
        const KeyboardSettingsBlock block = encodeKeyboardSettings(settings);
        EXPECT_EQ(block[1], c.effectByte) << int{c.effect};
        EXPECT_EQ(block[3], c.speedByte) << int{c.speed};
        EXPECT_EQ(block[25], c.sideByte) << int{c.side};
    }
}

TEST(KeyboardSettingsBlock, ReadBackTakesWhatTheKeyboardReports) {
    KeyboardSettingsBlock block = encodeKeyboardSettings(sample());
    block[1] = 30; // a host effect number reads as the keyboard's first effect
    block[25] = 1; // read as it stands, without the exchange
    block[22] = 0; // the polling rate is not read back
    block[26] = 7; // nor the custom group
    KeyboardSettings current;
    current.system.repeat = 40;
    current.system.pollingRate = 2;
    current.light.customGroup = 1;
    const KeyboardSettings read = decodeKeyboardSettings(block, current);
    EXPECT_EQ(read.light.mode, 1);
    EXPECT_EQ(read.light.sideMode, 1);
    EXPECT_EQ(read.light.speed, 1);
    EXPECT_EQ(read.light.zzccMode, 4);
    EXPECT_EQ(read.light.red, 0x11);
    EXPECT_EQ(read.system.key6Flag, 1);
    EXPECT_EQ(read.system.wFlag, 1);
    EXPECT_EQ(read.system.pollingRate, 2);
    EXPECT_EQ(read.system.repeat, 40);
    EXPECT_EQ(read.light.customGroup, 1);
    block[3] = 9;
    EXPECT_EQ(decodeKeyboardSettings(block, current).light.speed, 0) << "no wrap-round";
}

TEST(KeyboardKeyMaps, PositionsFindTheFirstDeviceKeyWithTheirFactoryCode) {
    // Device key 0 holds Esc (20 00 29), key 1 the empty code (20 00 00), key 2 F1 (20 00 3A),
    // key 3 the empty code again.
    const std::vector<uint8_t> keyTable = {0x20, 0x00, 0x29, 0x20, 0x00, 0x00,
                                           0x20, 0x00, 0x3A, 0x20, 0x00, 0x00};
    const std::vector<uint8_t> ledTable = {10, 11, 12};
    const KeyboardKeyMaps maps = buildKeyboardKeyMaps(keyTable, ledTable);
    EXPECT_EQ(maps.deviceKey[0], 0); // Esc
    EXPECT_EQ(maps.led[0], 10);
    EXPECT_EQ(maps.deviceKey[1], 2); // F1
    EXPECT_EQ(maps.led[1], 12);
    for (const size_t empty : {18u, 19u, 20u, 62u, 104u}) {
        EXPECT_EQ(maps.deviceKey[empty], 1) << empty << ": the first key with the empty code";
    }
    EXPECT_EQ(maps.deviceKey[2], kNoDeviceKey) << "F2 is on no device key";
    EXPECT_EQ(maps.led[2], kNoDeviceKey);

    std::vector<profiles::KeyAssignmentRecord> keys(3);
    keys[0].assignment.code = {0x20, 0x01, 0x06};
    keys[1].assignment.code = {0x30, 0xCD, 0x00};
    keys[2].assignment.code = {0x40, 0x01, 0x00}; // F2 has no device key: not written
    EXPECT_EQ(keyboardKeyTableFor(keyTable, maps, keys),
              (std::vector<uint8_t>{0x20, 0x01, 0x06, 0x20, 0x00, 0x00, 0x30, 0xCD, 0x00, 0x20,
                                    0x00, 0x00}));
}

} // namespace
} // namespace morva::device
