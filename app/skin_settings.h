#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace morva::app {

// The background a skin choice gives the main window's "root".
struct SkinChangedParam {
    uint8_t isColor = 0; // 1: a colour; 0: an image
    uint32_t color = 0;  // the colour when isColor is 1
    std::string image;   // skin-relative path or file path when isColor is 0

    friend bool operator==(const SkinChangedParam&, const SkinChangedParam&) = default;
};

inline constexpr const char* kDefaultBackground = "common/background.svg";

// How the last choice is recorded in "FLAGS" of section "SKINIMAGE".
enum class SkinChoice : int {
    Default = 0,     // "skin_reset"
    Preset = 1,      // "skin_image_btn": IMAGE is the skin-relative image
    Color = 2,       // "skin_color_btn": COLOR is the colour in decimal
    CustomImage = 3, // "skin_Custom": IMAGE is the full path of the user's file
};

// "main.ini" in the user's application data folder: the recorded background, restored at start.
class SkinSettings {
public:
    explicit SkinSettings(std::filesystem::path iniFile) : file_(std::move(iniFile)) {}

    // $XDG_DATA_HOME (or ~/.local/share) + "QT4410-VIGOR MORVA/main.ini"
    static SkinSettings forUser();

    const std::filesystem::path& file() const { return file_; }

    // Records a choice; keeps anything else in the file. False when the file was not written:
    // the background then lasts only for the running program.
    bool recordPreset(const std::string& image);
    bool recordColor(uint32_t color);
    bool recordCustomImage(const std::filesystem::path& image);
    bool recordReset();

    // The background to show at start; nothing when no usable choice is recorded (the skin's
    // own background then stays). A custom image that no longer exists gives the default one.
    std::optional<SkinChangedParam> recordedBackground() const;

private:
    bool record(SkinChoice choice, const std::string& image, std::optional<uint32_t> color);

    std::filesystem::path file_;
};

} // namespace morva::app
