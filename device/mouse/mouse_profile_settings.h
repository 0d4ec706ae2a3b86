#pragma once

#include "device/mouse/mouse_settings_block.h"
#include "profiles/mouse_profiledata.h"

namespace morva::device {

// What the write beside the profile supplies: the index and flag bytes, the screen size, and
// whether the mouse is behind a wireless receiver.
struct MouseWriteContext {
    uint8_t indexByte = 0;
    uint8_t flag = 1;
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    bool wireless = false;
};

// The block's content from the mouse's profile. Only the DPI stages the profile file itself has
// count: stages an earlier profile left in the profile object are not the user's.
MouseSettings mouseSettingsFromProfile(profiles::CMouseProfiledata& profile,
                                       const MouseWriteContext& context);

} // namespace morva::device
