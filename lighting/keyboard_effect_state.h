#pragma once

#include "lighting/led_colour.h"
#include "lighting/lighting_tables.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What the keyboard's own effects carry from one step to the next, beside the state every device
// type has.
namespace morva::lighting {

// Key positions 0–125; 126 is never a key.
inline constexpr size_t kKeyPositions = 126;
inline constexpr size_t kColumnPlanes = 4;

// One byte per keyboard-grid column: bit j stands for row j, bit 6 for a row below the bottom
// one.
using ColumnPlane = std::array<uint8_t, kGridColumns>;
// Four planes of one bitmap; each spreads its bits its own way (column_bitmap.h).
using ColumnPlanes = std::array<ColumnPlane, kColumnPlanes>;

enum class KeyPress : uint8_t { None = 0, Held = 1, Released = 2 };

// The random picks of the effects (twinkling keys, new colours). A generator of the state's own,
// so that the same state stepped the same way shows the same frames.
class KeyRandom {
public:
    // A number below `bound` (which is above 0).
    uint8_t below(size_t bound) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<uint8_t>(state_ % bound);
    }

private:
    uint32_t state_ = 0x2F6B4C1Du;
};

// The stages of the demonstration effect.
enum class DemoStage : uint8_t { Sweep, Pairs, Seed, Spread, Wait };

struct KeyboardEffectState {
    std::array<KeyPress, kKeyPositions> press{};
    // Keys that are down now (the neighbour effect tells its own presses apart from the light
    // they spread).
    std::array<bool, kKeyPositions> pressed{};
    std::array<uint8_t, kKeyPositions> pulsePhases{};
    ColumnPlanes planes{};
    DemoStage demoStage = DemoStage::Sweep;
    uint8_t demoStep = 0;
    KeyRandom random;
    // The custom effect's colour of each key: given by the device, not by a step, so an effect
    // change keeps them.
    std::array<Rgb, kKeyPositions> customColours{};
};

} // namespace morva::lighting
