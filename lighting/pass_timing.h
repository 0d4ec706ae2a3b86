#pragma once

#include "base/clock.h"

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

} // namespace morva::lighting
