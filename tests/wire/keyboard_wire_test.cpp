#include "device/keyboard/custom_light_page.h"
#include "device/keyboard/keyboard_events.h"
#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"

#include <gtest/gtest.h>
#include <optional>
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

TEST(CustomLightPage, EachKeyColourGoesToItsLed) {
    KeyboardKeyMaps maps;
    maps.led[0] = 2; // position 0 lights LED 2
    maps.led[1] = 0;
    maps.led[2] = 7; // beyond a keyboard of 4 LEDs: dropped
    const std::vector<profiles::RgbaColor> colours = {
        {0x11, 0x22, 0x33, 0xFF}, {0xAA, 0xBB, 0xCC, 0x10}, {0xFF, 0xFF, 0xFF, 0xFF}};
    // The colours go unscaled: the intensity 0x10 of position 1 does not dim it.
    const std::vector<uint8_t> page = encodeCustomPage(colours, maps, 4);
    EXPECT_EQ(page, (std::vector<uint8_t>{0xAA, 0xBB, 0xCC, 0, 0, 0, 0x11, 0x22, 0x33, 0, 0, 0}));
    const std::vector<profiles::RgbaColor> back = decodeCustomPage(page, maps);
    EXPECT_EQ(back[0], (profiles::RgbaColor{0x11, 0x22, 0x33, 0}));
    EXPECT_EQ(back[1], (profiles::RgbaColor{0xAA, 0xBB, 0xCC, 0}));
    EXPECT_EQ(back[2], profiles::RgbaColor{});
}

TEST(CustomLightPage, APageNeverExceedsTheKeyboardsPageSize) {
    const KeyboardKeyMaps maps;
    EXPECT_EQ(encodeCustomPage({}, maps, 170).size(), 510u);
    EXPECT_EQ(encodeCustomPage({}, maps, 200).size(), kCustomPageBytes);
}

TEST(KeyboardEvents, CodesNameTheKeyAndWhatHappened) {
    using Kind = KeyboardEvent::Kind;
    struct Case {
        uint16_t code;
        std::optional<KeyboardEvent> event;
    };
    const Case cases[] = {
        {0x0401, KeyboardEvent{Kind::SynchronisationRequest, 0}},
        {0x0505, KeyboardEvent{Kind::KeyDown, 5}},
        {0x0500, KeyboardEvent{Kind::KeyDown, 0}},
        {0x06FF, KeyboardEvent{Kind::KeyUp, 255}},
        {0x0402, std::nullopt},
        {0x0400, std::nullopt},
        {0x0705, std::nullopt},
        {0x0005, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decodeKeyboardEvent(c.code), c.event) << std::hex << c.code;
        if (c.event) {
            EXPECT_EQ(encodeKeyboardEvent(*c.event), c.code) << std::hex << c.code;
        }
    }
}

} // namespace
} // namespace morva::device
