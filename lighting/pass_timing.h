#pragma once

#include "base/clock.h"

#include <algorithm>
#include <cstdint>

// The lighting engine counts passes, not milliseconds. A device's lighting loop waits 1 ms on its
// stop signal each time round; the keyboard and the mouse count a pass when the clock has moved
// on by more than 1 ms since the last one, the mouse pad and the headset sleep a further 1 ms and
// count every time round. Either way one pass takes 2 ms: that is the unit every step threshold
// counts in (a mouse at speed 0 steps every 28 passes, 56 ms).
namespace morva::lighting {

inline constexpr TickMs kPassMs = 2;

// Passes of kPassMs from `now` until the clock reaches `due` (at least 1: the next pass).
inline uint32_t passesUntil(TickMs now, TickMs due) {
    if (due <= now + kPassMs) {
        return 1;
    }
    return static_cast<uint32_t>((due - now + kPassMs - 1) / kPassMs);
}

// Passes until a counter that counts before it compares reaches its threshold (at least 1).
inline uint32_t passesUntilThreshold(uint32_t counter, uint32_t threshold) {
    return counter + 1 >= threshold ? 1 : threshold - counter;
}

// The sooner of two "passes until due" counts, where 0 means never.
inline uint32_t sooner(uint32_t a, uint32_t b) {
    return a == 0 ? b : b == 0 ? a : std::min(a, b);
}

// An on/off toggle that flips once its period has passed since the last flip (flash effects).
struct FlashToggle {
    bool on = false;
    TickMs lastFlipMs = 0;

    // True when it flipped.
    bool flipWhenDue(TickMs now, TickMs periodMs) {
        if (now - lastFlipMs < periodMs) {
            return false;
        }
        on = !on;
        lastFlipMs = now;
        return true;
    }
    uint32_t passesUntilFlip(TickMs now, TickMs periodMs) const {
        return passesUntil(now, lastFlipMs + periodMs);
    }
};

} // namespace morva::lighting
