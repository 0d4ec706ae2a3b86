#include "device/keyboard/custom_light_page.h"
#include "device/keyboard/keyboard_device.h"
#include "lighting/panel/light_panel_binding.h"

// The keyboard's custom per-key lighting: painting keys, custom groups and their pages.
namespace morva::device {

bool CKestraneKeyboardDevice::InCustomEffect() const {
    return lightSettings().mode == kCustomLightingEffect;
}

std::optional<uint8_t> CKestraneKeyboardDevice::ChosenCustomGroup() const {
    const lighting::LightPanelBinding* panel = lightPanelBinding();
    const int group = panel != nullptr ? panel->GetCustomGroup() : -1;
    if (group < 0 || group > 255) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(group);
}

void CKestraneKeyboardDevice::PaintKeys(const std::vector<int>& positions,
                                        profiles::RgbaColor colour) {
    for (const int position : positions) {
        if (position >= 0 && static_cast<size_t>(position) < customColours_.size()) {
            customColours_[static_cast<size_t>(position)] = colour;
        }
    }
    ShowCustomColours();
}

bool CKestraneKeyboardDevice::StoreCustomColours() {
    const std::optional<uint8_t> group = ChosenCustomGroup();
    if (!group) {
        return false;
    }
    profile_.WriteCustomLightColors(customColours_, *group);
    SaveProfile();
    return true;
}

void CKestraneKeyboardDevice::WriteCustomPage(uint8_t group) {
    if (!tables_.read || !commandChannel().isOpen()) {
        return;
    }
    const std::vector<uint8_t> page =
        encodeCustomPage(customColours_, tables_.maps, tables_.info.keyCount());
    const int result =
        commandChannel().writeLightFrame(group, static_cast<uint16_t>(kCustomPageBytes), page);
    if (result != kResultOk) {
        ReportWriteFailure(kPartCustomLight, result);
    }
}

void CKestraneKeyboardDevice::SetKeyColour(int position) {
    SetKeyColours({position});
}

void CKestraneKeyboardDevice::SetKeyColours(const std::vector<int>& positions) {
    if (!InCustomEffect()) {
        return;
    }
    const profiles::LightInfoRecord& light = lightSettings();
    PaintKeys(positions, {light.red, light.green, light.blue, 0xFF});
    // Without a chosen group the paint is not kept, so the keyboard is not told either.
    if (StoreCustomColours() && !commandChannel().isWireless()) {
        WriteCustomPage(PageGroup());
    }
}

void CKestraneKeyboardDevice::FillCustomPage(bool on) {
    if (!InCustomEffect()) {
        return;
    }
    const profiles::LightInfoRecord& light = lightSettings();
    std::vector<int> every(customColours_.size());
    for (size_t position = 0; position < every.size(); ++position) {
        every[position] = static_cast<int>(position);
    }
    PaintKeys(every, on ? profiles::RgbaColor{light.red, light.green, light.blue, 0xFF}
                        : profiles::RgbaColor{0, 0, 0, 0xFF});
    SendCustomPage();
    StoreCustomColours();
}

uint8_t CKestraneKeyboardDevice::PageGroup() const {
    return ChosenCustomGroup().value_or(lightSettings().customGroup);
}

void CKestraneKeyboardDevice::SendCustomPage() {
    if (InCustomEffect()) {
        WriteCustomPage(PageGroup());
    }
}

void CKestraneKeyboardDevice::SwitchCustomGroup(int group, const SettingsWriteRequest& write) {
    if (group < 0 || group > 255) {
        return;
    }
    if (lighting::LightPanelBinding* panel = lightPanelBinding()) {
        panel->SelectCustomGroup(group);
    }
    profile_.WriteCustomLightGroup(group);
    profiles::LightInfoRecord light = lightSettings();
    light.customGroup = static_cast<uint8_t>(group);
    ApplyLightSettings(light, write);
    LoadCustomGroup();
}

void CKestraneKeyboardDevice::LoadCustomGroup() {
    const int32_t group = profile_.ReadCustomLightGroup();
    const auto index = static_cast<Json::ArrayIndex>(group < 0 ? 0 : group);
    customColours_ = profile_.ReadCustomLightColors(index, kKeyPositionCount);
    customColours_.resize(kKeyPositionCount);
    if (lighting::LightPanelBinding* panel = lightPanelBinding()) {
        panel->SelectCustomGroup(static_cast<int>(index));
    }
    ShowCustomColours();
    SendCustomPage();
}

void CKestraneKeyboardDevice::ShowCustomColours() {
    std::vector<lighting::Rgb> colours;
    colours.reserve(customColours_.size());
    for (const profiles::RgbaColor& colour : customColours_) {
        colours.push_back({colour.red, colour.green, colour.blue});
    }
    if (lighting_.engine) {
        lighting_.engine->setCustomColours(colours);
        lighting_.driver.wake();
    }
}

} // namespace morva::device
