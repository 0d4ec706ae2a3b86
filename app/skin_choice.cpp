#include "app/skin_choice.h"

namespace morva::app {

RootBackground rootBackgroundFor(const SkinChangedParam& param) {
    if (param.isColor != 0) {
        return {param.color, ""};
    }
    return {0, param.image};
}

bool SkinChooser::choosePreset(const std::string& image) {
    broadcast_(SkinChangedParam{0, 0, image});
    return settings_.recordPreset(image);
}

bool SkinChooser::chooseColor(uint32_t color) {
    broadcast_(SkinChangedParam{1, color, ""});
    return settings_.recordColor(color);
}

bool SkinChooser::chooseCustomImage(const std::filesystem::path& file) {
    broadcast_(SkinChangedParam{0, 0, file.string()});
    return settings_.recordCustomImage(file);
}

bool SkinChooser::reset() {
    broadcast_(SkinChangedParam{0, 0, kDefaultBackground});
    return settings_.recordReset();
}

bool SkinChooser::restoreRecorded() {
    const auto recorded = settings_.recordedBackground();
    if (!recorded) {
        return false;
    }
    broadcast_(*recorded);
    return true;
}

} // namespace morva::app
