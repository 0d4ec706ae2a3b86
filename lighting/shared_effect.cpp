#include "lighting/shared_effect.h"

#include "hid/hid_model_tables.h"
#include "lighting/effect_state.h"
#include "lighting/lighting_tables.h"

#include <algorithm>
#include <array>

namespace morva::lighting {
namespace {

// Effect codes of breathing, static, flash, colour cycle and off.
constexpr std::array<uint8_t, 5> kKeyboardCodes = {4, 5, 22, 3, 27};
constexpr std::array<uint8_t, 5> kOtherCodes = {2, 3, 4, 1, 8};

const std::array<uint8_t, 5>* codesOf(uint16_t deviceType) {
    switch (deviceType) {
    case hid::kDeviceKeyboard:
        return &kKeyboardCodes;
    case hid::kDeviceMouse:
    case hid::kDeviceMousePad:
    case hid::kDeviceHeadset:
        return &kOtherCodes;
    default:
        return nullptr;
    }
}

// The synchronisation counts its steps by speeds 0–4 only.
uint8_t sharedThreshold(uint8_t speed) {
    return kStepThresholds[std::min<uint8_t>(speed, 4)];
}

} // namespace

std::optional<SharedEffectType> sharedTypeOf(uint16_t deviceType, uint8_t effect) {
    const auto* codes = codesOf(deviceType);
    if (codes == nullptr) {
        return std::nullopt;
    }
    const auto found = std::find(codes->begin(), codes->end(), effect);
    if (found == codes->end()) {
        return std::nullopt;
    }
    return static_cast<SharedEffectType>(found - codes->begin());
}

std::optional<uint8_t> effectOfSharedType(uint16_t deviceType, SharedEffectType type) {
    const auto* codes = codesOf(deviceType);
    if (codes == nullptr) {
        return std::nullopt;
    }
    return (*codes)[static_cast<size_t>(type)];
}

SharedEffect sharedEffectOf(SharedEffectType type, const profiles::LightInfoRecord& light) {
    return {type,
            light.brightness,
            light.speed,
            light.direction,
            light.multiColor,
            {light.red, light.green, light.blue}};
}

void applySharedEffect(const SharedEffect& shared, uint8_t effect,
                       profiles::LightInfoRecord& light) {
    light.mode = effect;
    light.brightness = shared.brightness;
    light.speed = shared.speed;
    light.direction = shared.direction;
    light.multiColor = shared.multiColour;
    light.red = shared.colour.red;
    light.green = shared.colour.green;
    light.blue = shared.colour.blue;
}

bool SharedEffectStepper::pass(TickMs now) {
    if (++counter_ < sharedThreshold(effect_.speed)) {
        return false;
    }
    counter_ = 0;
    step(now);
    return true;
}

uint32_t SharedEffectStepper::passesUntilStep() const {
    return passesUntilThreshold(counter_, sharedThreshold(effect_.speed));
}

void SharedEffectStepper::step(TickMs now) {
    const uint8_t brightness = brightnessOf(effect_.brightness);
    const bool multi = effect_.multiColour != 0;
    switch (effect_.type) {
    case SharedEffectType::Breathing:
        breathing_ = walkPhase(breathing_, kBreathingSize, 1, effect_.direction != 0);
        if (multi && breathing_ < 2) {
            colourIndex_ = walkPhase(colourIndex_, kWheelSize, 16, true);
        }
        colour_ = lit(multi ? colourWheel()[colourIndex_] : effect_.colour,
                      scaled(breathingCurve()[breathing_], brightness));
        break;
    case SharedEffectType::Static:
        colour_ = lit(effect_.colour, brightness);
        break;
    case SharedEffectType::Flash:
        if (flash_.flipWhenDue(now, flashPeriodMs(effect_.speed))) {
            flashIndex_ = walkPhase(flashIndex_, kWheelSize, 14, true);
        }
        colour_ = flash_.on ? lit(multi ? colourWheel()[flashIndex_] : effect_.colour, brightness)
                            : LedColour{};
        break;
    case SharedEffectType::ColourCycle:
        cycle_ = walkPhase(cycle_, kWheelSize, 1, true);
        colour_ = lit(colourWheel()[cycle_], brightness);
        break;
    case SharedEffectType::Off:
        colour_ = LedColour{};
        break;
    }
}

} // namespace morva::lighting
