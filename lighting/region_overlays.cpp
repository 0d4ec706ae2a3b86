#include "lighting/region_overlays.h"

#include "lighting/lighting_tables.h"
#include "lighting/pass_timing.h"
#include "lighting/shared_steps.h"

#include <algorithm>

namespace morva::lighting {
namespace {

enum OverlayMode : uint8_t { kBreathing = 0, kColour = 1, kFlash = 2, kColourCycle = 3, kOff = 4 };

} // namespace

void RegionOverlays::load(std::vector<profiles::LightInfoRecord> entries, size_t ledCount) {
    entries_.clear();
    for (size_t n = 0; n < std::min(entries.size(), ledCount); ++n) {
        entries_.emplace_back().setting = entries[n];
    }
}

// Breathing and colour cycle step by a pass counter, and only for present entries.
bool RegionOverlays::counts(const Overlay& overlay) {
    const uint8_t mode = overlay.setting.mode;
    return (mode == kBreathing || mode == kColourCycle) && overlay.setting.present != 0;
}

void RegionOverlays::step(Overlay& overlay, LedColour& led, TickMs now) {
    const profiles::LightInfoRecord& setting = overlay.setting;
    const uint8_t brightness = brightnessOf(setting.brightness);
    const Rgb colour = fixedColourOf(setting);
    if (counts(overlay)) {
        const bool due = ++overlay.counter >= thresholdOf(setting.speed);
        if (due) {
            overlay.counter = 0;
        }
        if (setting.mode == kBreathing) {
            if (due) {
                overlay.phase = walkPhase(overlay.phase, kBreathingSize, 1, setting.direction != 0);
            }
            led = lit(colour, scaled(breathingCurve()[overlay.phase], brightness));
        } else {
            if (due) {
                overlay.colourIndex = static_cast<uint8_t>((overlay.colourIndex + 1) % kWheelSize);
            }
            led = lit(colourWheel()[overlay.colourIndex], brightness);
        }
        return;
    }
    switch (setting.mode) {
    case kColour:
        led = lit(colour, brightness);
        break;
    case kFlash:
        if (overlay.flash.flipWhenDue(now, flashPeriodMs(setting.speed))) {
            overlay.colourIndex = static_cast<uint8_t>((overlay.colourIndex + 14) % kWheelSize);
        }
        led = overlay.flash.on
                  ? lit(setting.multiColor != 0 ? colourWheel()[overlay.colourIndex] : colour,
                        brightness)
                  : LedColour{};
        break;
    case kOff:
        led = LedColour{};
        break;
    default:
        break;
    }
}

void RegionOverlays::pass(std::span<LedColour> leds, TickMs now) {
    const size_t count = std::min(entries_.size(), leds.size());
    for (size_t n = 0; n < count; ++n) {
        step(entries_[n], leds[n], now);
    }
}

uint32_t RegionOverlays::passesUntilDue(TickMs now) const {
    uint32_t soonest = 0;
    for (const Overlay& overlay : entries_) {
        if (counts(overlay)) {
            soonest = sooner(
                soonest, passesUntilThreshold(overlay.counter, thresholdOf(overlay.setting.speed)));
        } else if (overlay.setting.mode == kFlash) {
            soonest = sooner(
                soonest, overlay.flash.passesUntilFlip(now, flashPeriodMs(overlay.setting.speed)));
        }
    }
    return soonest;
}

void RegionOverlays::skip(uint32_t passes) {
    for (Overlay& overlay : entries_) {
        if (counts(overlay)) {
            overlay.counter = static_cast<uint8_t>(overlay.counter + passes);
        }
    }
}

} // namespace morva::lighting
