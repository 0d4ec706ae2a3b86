#include "lighting/column_bitmap.h"
#include "lighting/keyboard_effects.h"
#include "lighting/keyboard_grids.h"
#include "lighting/keyboard_keys.h"
#include "lighting/keyboard_steps.h"

#include <algorithm>
#include <array>

namespace morva::lighting {
namespace {

// A cell around a pressed key: how much its key rises on the press and drops on the release.
struct Neighbour {
    int column;
    int row;
    uint8_t rise;
    uint8_t drop;
};

// Nearest first: the four beside, then the four diagonal and the two two rows away, then the two
// two columns away.
constexpr std::array<Neighbour, 12> kNeighbours = {{
    {0, -1, 150, 15},
    {0, 1, 150, 15},
    {-1, 0, 150, 15},
    {1, 0, 150, 15},
    {0, -2, 90, 90},
    {0, 2, 90, 90},
    {-1, -1, 90, 90},
    {-1, 1, 90, 90},
    {1, -1, 90, 90},
    {1, 1, 90, 90},
    {-2, 0, 60, 90},
    {2, 0, 60, 90},
}};

uint8_t neighbourOf(KeyCell cell, const Neighbour& offset) {
    return keyAt(cell.column + offset.column, cell.row + offset.row);
}

// Whether a key is down itself or has a key down around it.
bool pressedAround(const KeyboardEffectState& keyboard, uint8_t position) {
    if (keyboard.pressed[position]) {
        return true;
    }
    const std::optional<KeyCell> cell = cellOfKey(position);
    return cell && std::any_of(kNeighbours.begin(), kNeighbours.end(), [&](const Neighbour& n) {
               const uint8_t key = neighbourOf(*cell, n);
               return key != kNoKey && keyboard.pressed[key];
           });
}

void pressWithNeighbours(EffectState& state, uint8_t position) {
    KeyboardEffectState& keyboard = state.keyboard;
    keyboard.pressed[position] = true;
    keyboard.press[position] = KeyPress::Held;
    state.values[position] = 255;
    const std::optional<KeyCell> cell = cellOfKey(position);
    if (!cell) {
        return;
    }
    for (const Neighbour& neighbour : kNeighbours) {
        const uint8_t key = neighbourOf(*cell, neighbour);
        if (key != kNoKey) {
            state.values[key] = raisedBy(state.values[key], neighbour.rise);
            keyboard.press[key] = KeyPress::Held;
        }
    }
}

void releaseWithNeighbours(EffectState& state, uint8_t position) {
    KeyboardEffectState& keyboard = state.keyboard;
    keyboard.pressed[position] = false;
    if (const std::optional<KeyCell> cell = cellOfKey(position)) {
        for (const Neighbour& neighbour : kNeighbours) {
            const uint8_t key = neighbourOf(*cell, neighbour);
            if (key != kNoKey && !pressedAround(keyboard, key)) {
                state.values[key] = loweredBy(state.values[key], neighbour.drop);
                keyboard.press[key] = KeyPress::Released;
            }
        }
    }
    if (!pressedAround(keyboard, position)) {
        keyboard.press[position] = KeyPress::Released;
    }
}

} // namespace

void keyboardKeyEvent(StepContext& step, uint8_t position, bool pressed) {
    using namespace keyboard_effect;
    if (position >= kKeyPositions) {
        return;
    }
    EffectState& state = step.state;
    switch (step.settings.mode) {
    case kReactiveFade:
        state.keyboard.press[position] = pressed ? KeyPress::Held : KeyPress::Released;
        state.values[position] = 255;
        break;
    case kReactiveSpread:
    case kReactiveRun:
        if (pressed) {
            setKeyBit(state.keyboard.planes, position);
        }
        break;
    case kReactiveNeighbours:
        if (pressed) {
            pressWithNeighbours(state, position);
        } else {
            releaseWithNeighbours(state, position);
        }
        break;
    default:
        break;
    }
}

} // namespace morva::lighting
