#pragma once

#include "lighting/device_effects.h"
#include "lighting/effect_file_player.h"
#include "lighting/pass_timing.h"
#include "lighting/region_overlays.h"
#include "profiles/basic_profiledata.h"

#include <atomic>
#include <mutex>
#include <span>
#include <vector>

// The lighting engine of one device: the main effect of its light settings (a built-in step of
// its device type, or the effect file's player), then, on the types that run them, the region
// overlays — stepped in passes of kPassMs. It owns no thread: a driver calls pass() at each pass
// that is due and may skip the others, which change nothing:
//
//     engine.pass(clock.nowMs());
//     const uint32_t due = engine.passesUntilDue(clock.nowMs());  // 0: only a change can wake it
//     sleep (due - 1) * kPassMs ...; engine.skipPasses(due - 1); engine.pass(clock.nowMs());
//
// The settings may change from another thread than the one that steps; the LEDs are read from
// any thread without waiting.
namespace morva::lighting {

class LightingEngine {
public:
    LightingEngine(const EffectTable& effects, size_t ledCount, bool runsOverlays);

    // New light settings; a new effect code starts its effect from the beginning.
    void setSettings(const profiles::LightInfoRecord& settings);
    // The profile's "LightList": one overlay per LED; they all start again.
    void setRegions(std::vector<profiles::LightInfoRecord> entries);
    // The steps of the effect file the effect codes without a built-in step play.
    void setEffectSteps(std::vector<profiles::LedEffectStep> steps);
    // All three from a profile: its "LightInfo", its "LightList" and the steps of the effect
    // file its light configuration names for the effect. Returns the light settings.
    profiles::LightInfoRecord loadFrom(profiles::CBasicProfiledata& profile);

    // One pass at `now`.
    void pass(TickMs now);
    // How many passes from now until one changes an LED (1: the next); 0 when none will until
    // the settings change.
    uint32_t passesUntilDue(TickMs now) const;
    // Counts passes in which nothing is due (fewer than passesUntilDue()).
    void skipPasses(uint32_t passes);

    // A key of the device went down or up: the reactive effects start from it (the keyboard's);
    // positions beyond the keys are ignored. Any thread may call it while another one steps.
    void keyEvent(uint8_t position, bool pressed);
    // The colours of the custom effect, by key position; keys beyond the span are dark. They
    // stay through effect changes until the next call.
    void setCustomColours(std::span<const Rgb> colours);

    // Paints one LED from outside the effects (custom colours, synchronised lighting); the next
    // step that covers it paints over it.
    void setLed(size_t index, LedColour colour);

    size_t ledCount() const { return published_.size(); }
    LedColour led(size_t index) const;
    std::vector<LedColour> leds() const;

private:
    StepContext contextAt(TickMs now);
    // The current effect from its beginning.
    void startEffect();
    void publish();

    mutable std::mutex mutex_;
    const EffectTable& effects_;
    const bool runsOverlays_;
    profiles::LightInfoRecord settings_{};
    EffectState state_;
    uint32_t counter_ = 0;
    std::vector<LedColour> working_;
    std::vector<std::atomic<uint32_t>> published_;
    RegionOverlays overlays_;
    EffectFilePlayer player_;
};

} // namespace morva::lighting
