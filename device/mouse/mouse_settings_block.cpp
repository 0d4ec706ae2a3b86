#include "device/mouse/mouse_settings_block.h"

#include <algorithm>

namespace morva::device {
namespace {

// Effects from 9 on are the host's own; the mouse is told its first effect for them.
constexpr uint8_t kFirstHostEffect = 9;
constexpr uint8_t kSpeedLevels = 4;
constexpr size_t kFirstStage = 14;
constexpr size_t kStageBytes = 9;

void putWord(MouseSettingsBlock& block, size_t at, uint16_t value) {
    block[at] = static_cast<uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<uint8_t>(value >> 8);
}

void putStage(MouseSettingsBlock& block, size_t at, const profiles::DpiStageRecord& stage) {
    block[at] = stage.enabled;
    block[at + 1] = stage.separateXY;
    putWord(block, at + 2, stage.dpiX);
    putWord(block, at + 4, stage.dpiY);
    block[at + 6] = stage.red;
    block[at + 7] = stage.green;
    block[at + 8] = stage.blue;
}

} // namespace

MouseSettingsBlock encodeMouseSettings(const MouseSettings& settings) {
    const profiles::LightInfoRecord& light = settings.light;
    MouseSettingsBlock block{};
    block[0] = settings.indexByte;
    block[1] = light.mode >= kFirstHostEffect ? 0 : light.mode;
    block[2] = light.brightness;
    block[3] = settings.wireless ? static_cast<uint8_t>(kSpeedLevels - light.speed) : light.speed;
    block[4] = light.direction;
    block[5] = light.multiColor;
    block[6] = light.red;
    block[7] = light.green;
    block[8] = light.blue;
    block[11] = settings.reportRate;
    block[12] = settings.activeStage;
    const size_t stages = std::min(settings.stages.size(), kMouseDpiStages);
    for (size_t i = 0; i < stages; ++i) {
        putStage(block, kFirstStage + kStageBytes * i, settings.stages[i]);
    }
    block[59] = settings.flag;
    putWord(block, 60, settings.screenWidth);
    putWord(block, 62, settings.screenHeight);
    if (settings.correction) {
        block[64] = settings.correction->minimumSquare;
        block[65] = settings.correction->pixelThreshold;
    }
    return block;
}

MouseSettingsReadBack decodeMouseSettings(std::span<const uint8_t, kMouseSettingsBlockSize> block,
                                          const profiles::LightInfoRecord& current) {
    MouseSettingsReadBack read;
    read.profileIndex = block[0];
    read.light = current;
    read.light.mode = block[1];
    read.light.brightness = block[2];
    // A byte past the levels reads as the slowest speed rather than wrapping round.
    read.light.speed = static_cast<uint8_t>(block[3] <= kSpeedLevels ? kSpeedLevels - block[3] : 0);
    read.light.multiColor = block[5];
    read.light.red = block[6];
    read.light.green = block[7];
    read.light.blue = block[8];
    read.activeStage = block[12];
    return read;
}

std::optional<profiles::CorrectionRecord>
selectedCorrection(const std::vector<profiles::CorrectionRecord>& corrections) {
    const auto selected =
        std::find_if(corrections.begin(), corrections.end(),
                     [](const profiles::CorrectionRecord& entry) { return entry.select != 0; });
    return selected != corrections.end() ? std::optional(*selected) : std::nullopt;
}

} // namespace morva::device
