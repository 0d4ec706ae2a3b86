#pragma once

#include "lighting/effect_state.h"

#include <vector>

namespace morva::lighting {

// The region overlays: entry n of the profile's "LightList" gives LED n an effect of its own over
// the main effect, every pass. Modes: 0 breathing and 3 colour cycle (only when the entry is
// present), 1 the entry's colour, 2 flash, 4 off; any other mode leaves the LED to the main
// effect.
class RegionOverlays {
public:
    // Replaces the entries, keeping those of LEDs the device has; every overlay starts from the
    // beginning.
    void load(std::vector<profiles::LightInfoRecord> entries, size_t ledCount);
    size_t size() const { return entries_.size(); }

    // One pass: count, step what is due and paint the LEDs the entries cover.
    void pass(std::span<LedColour> leds, TickMs now);
    // Passes (from now) until one changes an LED; 0 when none ever will by itself.
    uint32_t passesUntilDue(TickMs now) const;
    // Counts passes in which nothing was due.
    void skip(uint32_t passes);

private:
    struct Overlay {
        profiles::LightInfoRecord setting;
        uint8_t phase = 0;
        uint8_t colourIndex = 0;
        uint8_t counter = 0;
        FlashToggle flash;
    };
    static bool counts(const Overlay& overlay);
    static void step(Overlay& overlay, LedColour& led, TickMs now);

    std::vector<Overlay> entries_;
};

} // namespace morva::lighting
