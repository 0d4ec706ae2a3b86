#include "lighting/panel/light_panel_layout.h"

#include "hid/hid_model_tables.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

namespace morva::lighting {
namespace {

// How much of the colour group an effect uses.
enum class Colour { None, All, ColourOnly, ColourLayoutOnly, RgbEditOnly, RgbEditAndTwelve };

struct Row {
    std::initializer_list<uint8_t> effects;
    Colour colour;
    bool brightness;
    bool speed;
    bool direction;
    bool sync;
    std::string_view leftCaption = {};
    std::string_view rightCaption = {};
};

const Row kKeyboardRows[] = {
    {{0, 1, 13, 28},
     Colour::All,
     true,
     true,
     true,
     false,
     "light_set_right_to_left_text",
     "light_set_left_to_right_text"},
    {{2, 23},
     Colour::All,
     true,
     true,
     true,
     false,
     "light_set_clockwise_text",
     "light_set_anticlockwise_text"},
    {{3}, Colour::None, true, true, false, true},
    {{4, 8, 22}, Colour::All, true, true, false, true},
    {{5}, Colour::All, true, false, false, true},
    {{6, 7, 12, 14, 21, 24}, Colour::All, true, true, false, false},
    {{9, 10}, Colour::None, true, true, false, false},
    {{11},
     Colour::None,
     true,
     true,
     true,
     false,
     "light_set_down_to_up_text",
     "light_set_up_to_down_text"},
    {{15}, Colour::All, true, false, false, false},
    {{16}, Colour::ColourLayoutOnly, true, false, false, true},
    {{17},
     Colour::RgbEditOnly,
     true,
     true,
     true,
     false,
     "light_set_outside_to_inside_text",
     "light_set_inside_to_outside_text"},
    {{18}, Colour::ColourOnly, true, false, false, false},
    {{25, 26}, Colour::RgbEditAndTwelve, true, true, false, false},
    {{27}, Colour::RgbEditAndTwelve, false, false, false, true},
};

const Row kMouseRows[] = {
    {{0, 5}, Colour::All, true, true, true, false},
    {{1}, Colour::None, true, true, false, true},
    {{2}, Colour::All, true, true, true, true},
    {{3}, Colour::ColourOnly, true, false, false, true},
    {{4}, Colour::All, true, true, false, true},
    {{6, 7}, Colour::None, true, true, false, false},
    {{8}, Colour::None, false, false, false, true},
};

// The mouse pad and the headset share one table.
const Row kPadRows[] = {
    {{0}, Colour::All, true, true, true, false},
    {{1}, Colour::None, true, true, false, true},
    {{2, 4}, Colour::All, true, true, false, true},
    {{3}, Colour::ColourOnly, true, false, false, true},
    {{8}, Colour::None, false, false, false, true},
};

void applyColour(Colour colour, PanelLayout& layout) {
    const bool all = colour == Colour::All;
    const bool colourOnly = colour == Colour::ColourOnly;
    layout.sevenColour = all;
    layout.colourLayout = all || colourOnly || colour == Colour::ColourLayoutOnly;
    layout.palette = all || colourOnly;
    layout.rgbEdit =
        all || colourOnly || colour == Colour::RgbEditOnly || colour == Colour::RgbEditAndTwelve;
    layout.twelveColours = all || colourOnly || colour == Colour::RgbEditAndTwelve;
}

template <size_t N> const Row* findRow(const Row (&rows)[N], uint8_t effect) {
    for (const Row& row : rows) {
        if (std::find(row.effects.begin(), row.effects.end(), effect) != row.effects.end()) {
            return &row;
        }
    }
    return nullptr;
}

PanelLayout unknownLayout() {
    PanelLayout layout;
    layout.known = false;
    return layout;
}

PanelLayout layoutOf(const Row& row) {
    PanelLayout layout;
    applyColour(row.colour, layout);
    layout.brightness = row.brightness;
    layout.speed = row.speed;
    layout.direction = row.direction;
    layout.sync = row.sync;
    layout.leftCaption = row.leftCaption;
    layout.rightCaption = row.rightCaption;
    return layout;
}

} // namespace

PanelLayout panelLayoutFor(uint16_t deviceType, uint8_t effect) {
    const Row* row = nullptr;
    switch (deviceType) {
    case hid::kDeviceKeyboard:
        row = findRow(kKeyboardRows, effect);
        if (row == nullptr) {
            return unknownLayout();
        }
        break;
    case hid::kDeviceMouse:
        row = findRow(kMouseRows, effect);
        break;
    case hid::kDeviceMousePad:
    case hid::kDeviceHeadset:
        row = findRow(kPadRows, effect);
        break;
    default:
        return unknownLayout();
    }
    // Mouse, mouse pad and headset codes outside their table use nothing but the effect choice.
    PanelLayout layout = row != nullptr ? layoutOf(*row) : PanelLayout{};
    layout.customLayout = deviceType == hid::kDeviceKeyboard && effect == 18;
    return layout;
}

ColourChannelEdit readColourChannel(std::string_view text) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range || value > 255) {
        value = 255;
    } else if (error != std::errc()) {
        value = 0;
    }
    return {static_cast<uint8_t>(value), std::to_string(value)};
}

} // namespace morva::lighting
