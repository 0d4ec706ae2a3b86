#include "lighting/lighting_engine.h"

#include <algorithm>

namespace morva::lighting {
LightingEngine::LightingEngine(const EffectTable& effects, size_t ledCount, bool runsOverlays)
    : effects_(effects), runsOverlays_(runsOverlays), working_(ledCount), published_(ledCount) {
    startEffect();
}

void LightingEngine::setSettings(const profiles::LightInfoRecord& settings) {
    const std::lock_guard lock(mutex_);
    const bool newEffect = settings.mode != settings_.mode;
    settings_ = settings;
    if (newEffect) {
        startEffect();
        counter_ = 0;
    }
}

void LightingEngine::setRegions(std::vector<profiles::LightInfoRecord> entries) {
    const std::lock_guard lock(mutex_);
    overlays_.load(std::move(entries), working_.size());
}

void LightingEngine::setEffectSteps(std::vector<profiles::LedEffectStep> steps) {
    const std::lock_guard lock(mutex_);
    player_.load(std::move(steps));
}

profiles::LightInfoRecord LightingEngine::loadFrom(profiles::CBasicProfiledata& profile) {
    const profiles::LightInfoRecord settings = profile.ReadLightInfo();
    setSettings(settings);
    setRegions(profile.ReadLightList());
    if (!profile.GetLightConfigPath().empty()) {
        profile.LoadLightConfig(profile.GetLightConfigPath());
    }
    setEffectSteps(profile.LoadLightEffect());
    return settings;
}

void LightingEngine::pass(TickMs now) {
    const std::lock_guard lock(mutex_);
    if (const StepFunction step = effects_.stepOf(settings_.mode)) {
        if (++counter_ >= effects_.thresholdOf(settings_.mode, settings_.speed)) {
            counter_ = 0;
            StepContext context = contextAt(now);
            step(context);
        }
    } else {
        player_.pass(working_, now, settings_.speed);
    }
    if (runsOverlays_) {
        overlays_.pass(working_, now);
    }
    publish();
}

uint32_t LightingEngine::passesUntilDue(TickMs now) const {
    const std::lock_guard lock(mutex_);
    uint32_t due = 0;
    if (effects_.stepOf(settings_.mode) != nullptr) {
        due = passesUntilThreshold(counter_, effects_.thresholdOf(settings_.mode, settings_.speed));
    } else {
        due = player_.passesUntilDue(now, settings_.speed);
    }
    if (runsOverlays_) {
        due = sooner(due, overlays_.passesUntilDue(now));
    }
    return due;
}

void LightingEngine::skipPasses(uint32_t passes) {
    const std::lock_guard lock(mutex_);
    if (effects_.stepOf(settings_.mode) != nullptr) {
        counter_ += passes;
    } else {
        player_.skip(passes);
    }
    if (runsOverlays_) {
        overlays_.skip(passes);
    }
}

void LightingEngine::keyEvent(uint8_t position, bool pressed) {
    const std::lock_guard lock(mutex_);
    if (effects_.keyEvent != nullptr && position < kKeyPositions) {
        StepContext context = contextAt(0);
        effects_.keyEvent(context, position, pressed);
    }
}

void LightingEngine::setCustomColours(std::span<const Rgb> colours) {
    const std::lock_guard lock(mutex_);
    auto& custom = state_.keyboard.customColours;
    custom.fill(Rgb{});
    std::copy_n(colours.begin(), std::min(colours.size(), custom.size()), custom.begin());
}

void LightingEngine::setLed(size_t index, LedColour colour) {
    const std::lock_guard lock(mutex_);
    if (index < working_.size()) {
        working_[index] = colour;
        published_[index].store(colourWord(colour), std::memory_order_relaxed);
    }
}

StepContext LightingEngine::contextAt(TickMs now) {
    return {state_, settings_, working_, now};
}

void LightingEngine::startEffect() {
    if (effects_.start == nullptr) {
        resetForNewEffect(state_);
        return;
    }
    StepContext context = contextAt(0);
    effects_.start(context);
}

void LightingEngine::publish() {
    for (size_t i = 0; i < working_.size(); ++i) {
        published_[i].store(colourWord(working_[i]), std::memory_order_relaxed);
    }
}

LedColour LightingEngine::led(size_t index) const {
    return index < published_.size() ? ledOfWord(published_[index].load(std::memory_order_relaxed))
                                     : LedColour{};
}

std::vector<LedColour> LightingEngine::leds() const {
    std::vector<LedColour> copy(published_.size());
    for (size_t i = 0; i < copy.size(); ++i) {
        copy[i] = led(i);
    }
    return copy;
}

} // namespace morva::lighting
