#pragma once

#include "app/skin_settings.h"

#include <functional>

namespace morva::app {

// The background "root" shows for a skin choice: a colour clears the image, an image clears
// the colour.
struct RootBackground {
    uint32_t color = 0;
    std::string image;

    friend bool operator==(const RootBackground&, const RootBackground&) = default;
};
RootBackground rootBackgroundFor(const SkinChangedParam& param);

// The skin window's choices: each is broadcast to the receivers (the main window) and recorded
// in "main.ini", so the next start shows the same background.
class SkinChooser {
public:
    using Broadcast = std::function<void(const SkinChangedParam&)>;

    SkinChooser(SkinSettings& settings, Broadcast broadcast)
        : settings_(settings), broadcast_(std::move(broadcast)) {}

    // Each returns whether the choice was recorded; the background changes either way.
    bool choosePreset(const std::string& image);               // "skin_image_btn"
    bool chooseColor(uint32_t color);                          // "skin_color_btn"
    bool chooseCustomImage(const std::filesystem::path& file); // "skin_Custom"
    bool reset();                                              // "skin_reset"

    // At start: broadcasts the recorded background; false when none is recorded.
    bool restoreRecorded();

private:
    SkinSettings& settings_;
    Broadcast broadcast_;
};

} // namespace morva::app
