#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Which parts of the lighting panel an effect uses, by device type and effect code.
namespace morva::lighting {

struct PanelLayout {
    // False for a keyboard effect outside the table: the groups stay as they were.
    bool known = true;
    // The colour group, control by control.
    bool sevenColour = false;   // deng_7color_check
    bool colourLayout = false;  // deng_color_layout
    bool palette = false;       // colorpallet_layout
    bool rgbEdit = false;       // RGB_edit
    bool twelveColours = false; // 12deng_color_layout
    bool brightness = false;
    bool speed = false;
    bool direction = false;
    // deng_same_mode may show (when more than one device is connected).
    bool sync = false;
    // Keyboard effect 18 shows lightcustom_layout.
    bool customLayout = false;
    // Language keys of the direction options' captions (left, right); empty: the default ones.
    std::string_view leftCaption;
    std::string_view rightCaption;
};

// The layout of an effect of a device type (1 keyboard, 2 mouse, 3 mouse pad, 7 headset); a
// wireless mouse (6) and unknown types get none (known false).
PanelLayout panelLayoutFor(uint16_t deviceType, uint8_t effect);

// The direction captions a keyboard shows unless its effect names others.
inline constexpr std::string_view kDefaultLeftCaption = "light_set_right_to_left_text";
inline constexpr std::string_view kDefaultRightCaption = "light_set_left_to_right_text";

// What a colour edit's text gives: its leading decimal number clamped to 255 (an empty text, or
// one that starts with no digit, reads 0), and the text the edit shows afterwards: the number it
// stands for ("255" for 300, "0" for nothing).
struct ColourChannelEdit {
    uint8_t value = 0;
    std::string shownText;
};
ColourChannelEdit readColourChannel(std::string_view text);

} // namespace morva::lighting
