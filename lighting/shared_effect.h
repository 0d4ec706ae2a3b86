#pragma once

#include "base/clock.h"
#include "lighting/led_colour.h"
#include "lighting/pass_timing.h"
#include "profiles/profile_records.h"

#include <cstdint>
#include <optional>

// Synchronised lighting: one effect, shared by every synchronised device, that paints all their
// LEDs in one colour.
namespace morva::lighting {

enum class SharedEffectType : uint8_t {
    Breathing = 0,
    Static = 1,
    Flash = 2,
    ColourCycle = 3,
    Off = 4
};

// The shared kind of a device type's effect code (keyboard: 4, 5, 22, 3, 27; mouse, mouse pad,
// headset: 2, 3, 4, 1, 8); nothing for an effect without one.
std::optional<SharedEffectType> sharedTypeOf(uint16_t deviceType, uint8_t effect);
// The effect code of a shared kind on a device type; nothing for a type without the mapping.
std::optional<uint8_t> effectOfSharedType(uint16_t deviceType, SharedEffectType type);

struct SharedEffect {
    SharedEffectType type = SharedEffectType::Static;
    uint8_t brightness = 4;
    uint8_t speed = 2;
    uint8_t direction = 1;
    uint8_t multiColour = 0;
    Rgb colour;
};
// The shared effect made of a device's light settings of the given kind.
SharedEffect sharedEffectOf(SharedEffectType type, const profiles::LightInfoRecord& light);
// A device's light settings given the shared effect, as its effect code `effect`; the fields the
// shared effect does not carry stay.
void applySharedEffect(const SharedEffect& shared, uint8_t effect,
                       profiles::LightInfoRecord& light);

// Steps the shared effect: every threshold of its speed (28, 23, 18, 13, 7 passes by speed 0–4),
// one step, which gives the colour of every synchronised LED.
class SharedEffectStepper {
public:
    void setEffect(const SharedEffect& effect) { effect_ = effect; }
    const SharedEffect& effect() const { return effect_; }
    // Counts one pass; true when a step ran and `colour()` changed maybe.
    bool pass(TickMs now);
    // Passes until the next step.
    uint32_t passesUntilStep() const;
    void skipPasses(uint32_t passes) { counter_ += passes; }
    LedColour colour() const { return colour_; }

private:
    void step(TickMs now);

    SharedEffect effect_;
    uint32_t counter_ = 0;
    uint8_t breathing_ = 0;
    uint8_t colourIndex_ = 0;
    uint8_t cycle_ = 0;
    uint8_t flashIndex_ = 0;
    FlashToggle flash_;
    LedColour colour_;
};

} // namespace morva::lighting
