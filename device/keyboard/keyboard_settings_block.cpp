#include "device/keyboard/keyboard_settings_block.h"

namespace morva::device {
namespace {

// Effects from 21 on are the host's own; the keyboard shows its first effect for them.
constexpr uint8_t kFirstHostEffect = 21;
constexpr uint8_t kSpeedLevels = 4;

uint8_t deviceEffect(uint8_t effect) {
    return effect >= kFirstHostEffect ? 1 : effect;
}

uint8_t exchangeZeroAndOne(uint8_t value) {
    return value == 0 ? 1 : value == 1 ? 0 : value;
}

} // namespace

KeyboardSettingsBlock encodeKeyboardSettings(const KeyboardSettings& settings) {
    const profiles::LightInfoRecord& light = settings.light;
    KeyboardSettingsBlock block{};
    block[0] = settings.profileIndex;
    block[1] = deviceEffect(light.mode);
    block[2] = light.brightness;
    block[3] = static_cast<uint8_t>(kSpeedLevels - light.speed);
    block[4] = light.direction;
    block[5] = light.multiColor;
    block[6] = light.red;
    block[7] = light.green;
    block[8] = light.blue;
    block[18] = light.zzccMode;
    block[19] = static_cast<uint8_t>(settings.system.wFlag);
    block[20] = static_cast<uint8_t>(settings.system.key6Flag);
    block[21] = static_cast<uint8_t>(settings.system.winFlag);
    block[22] = static_cast<uint8_t>(settings.system.pollingRate);
    block[25] = exchangeZeroAndOne(light.sideMode);
    block[26] = light.customGroup;
    block[27] = 0x01;
    block[28] = 0x00;
    block[29] = 0x02;
    return block;
}

KeyboardSettings decodeKeyboardSettings(std::span<const uint8_t, kKeyboardSettingsBlockSize> block,
                                        const KeyboardSettings& current) {
    KeyboardSettings read = current;
    profiles::LightInfoRecord& light = read.light;
    read.profileIndex = block[0];
    light.mode = deviceEffect(block[1]);
    light.brightness = block[2];
    // A byte past the levels reads as the slowest speed rather than wrapping round.
    light.speed = static_cast<uint8_t>(block[3] <= kSpeedLevels ? kSpeedLevels - block[3] : 0);
    light.direction = block[4];
    light.multiColor = block[5];
    light.red = block[6];
    light.green = block[7];
    light.blue = block[8];
    light.zzccMode = block[18];
    read.system.wFlag = block[19];
    read.system.key6Flag = block[20];
    read.system.winFlag = block[21];
    light.sideMode = block[25];
    return read;
}

} // namespace morva::device
