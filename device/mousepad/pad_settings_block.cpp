#include "device/mousepad/pad_settings_block.h"

#include <algorithm>

namespace morva::device {
namespace {

// Effects from 9 on are the host's own; the pad is told its first effect for them.
constexpr uint8_t kFirstHostEffect = 9;
constexpr uint8_t kSpeedLevels = 4;
constexpr size_t kFirstOwnByte = 9;

uint8_t invertedSpeed(uint8_t speed) {
    return static_cast<uint8_t>(kSpeedLevels - std::min(speed, kSpeedLevels));
}

} // namespace

PadSettingsBlock encodePadSettings(const PadSettings& settings) {
    PadSettingsBlock block{};
    block[0] = settings.profileIndex;
    block[1] = settings.effect >= kFirstHostEffect ? 0 : settings.effect;
    block[2] = settings.brightness;
    block[3] = invertedSpeed(settings.speed);
    block[4] = settings.direction;
    block[5] = settings.multiColor;
    block[6] = settings.red;
    block[7] = settings.green;
    block[8] = settings.blue;
    std::copy(settings.own.begin(), settings.own.end(), block.begin() + kFirstOwnByte);
    return block;
}

PadSettings decodePadSettings(std::span<const uint8_t, kPadSettingsReadSize> block,
                              uint8_t profileIndex) {
    PadSettings settings;
    settings.profileIndex = profileIndex;
    settings.effect = block[1];
    settings.brightness = block[2];
    settings.speed = invertedSpeed(block[3]);
    settings.direction = block[4];
    settings.multiColor = block[5];
    settings.red = block[6];
    settings.green = block[7];
    settings.blue = block[8];
    std::copy_n(block.begin() + kFirstOwnByte, kPadOwnBytes, settings.own.begin());
    return settings;
}

PadSettings withProfileLight(PadSettings settings, const profiles::LightInfoRecord& light) {
    settings.effect = light.mode;
    settings.brightness = light.brightness;
    settings.speed = light.speed;
    settings.multiColor = light.multiColor;
    settings.red = light.red;
    settings.green = light.green;
    settings.blue = light.blue;
    return settings;
}

} // namespace morva::device
