#include "lighting/panel/light_control_ui.h"

#include "hid/hid_model_tables.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::lighting {
namespace {

constexpr std::string_view kModeList = "light_combo_modeSelect";
constexpr std::string_view kSideModeList = "side_light_combo_modeSelect";
constexpr std::string_view kCustomGroupList = "light_combo_custommodeSelect";
constexpr std::string_view kZZCCList = "light_combo_ZZCCmodeSelect";
constexpr std::string_view kBrightnessSlider = "deng_light_slider";
constexpr std::string_view kSpeedSlider = "deng_speed_slider";
constexpr std::string_view kColourEdits[] = {"deng_edit_R", "deng_edit_G", "deng_edit_B"};
constexpr std::string_view kPalette = "deng_Color_Pallet";
constexpr std::string_view kColourButton = "deng_colordp_btn";
constexpr std::string_view kSevenColour = "deng_7color_check";
constexpr std::string_view kLeftDirection = "deng_FXL_check";
constexpr std::string_view kRightDirection = "deng_FXR_check";
constexpr std::string_view kSameMode = "deng_same_mode";
constexpr int kListRowHeight = 30;

} // namespace

void CLightControlUI::fillList(std::string_view comboName, const std::vector<EffectName>& effects) {
    auto* combo = findDescendantAs<ui::Combo>(comboName);
    if (combo == nullptr) {
        return;
    }
    combo->clear();
    for (const EffectName& effect : effects) {
        const size_t index = combo->addItem(ui::LanguageStore::makeKey(effect.name), effect.name);
        combo->setItemHeight(index, kListRowHeight);
        combo->setItemVisible(index, effect.visible);
    }
}

void CLightControlUI::selectIn(std::string_view comboName, int index) {
    if (auto* combo = findDescendantAs<ui::Combo>(comboName)) {
        combo->selectItem(index, false);
    }
}

int CLightControlUI::selectedIn(std::string_view comboName) const {
    const auto* combo = findDescendantAs<ui::Combo>(comboName);
    return combo != nullptr ? combo->selectedIndex() : -1;
}

void CLightControlUI::enable(std::string_view name, bool enabled) {
    if (ui::Control* control = findDescendant(name)) {
        control->setEnabled(enabled);
    }
}

void CLightControlUI::show(std::string_view name, bool visible) {
    if (ui::Control* control = findDescendant(name)) {
        control->setVisible(visible);
    }
}

void CLightControlUI::setDirectionCaptions(std::string_view left, std::string_view right) {
    if (ui::Control* option = findDescendant(kLeftDirection)) {
        option->setText(ui::LanguageStore::makeKey(left));
    }
    if (ui::Control* option = findDescendant(kRightDirection)) {
        option->setText(ui::LanguageStore::makeKey(right));
    }
}

void CLightControlUI::SetDeviceType(uint16_t deviceType) {
    deviceType_ = deviceType;
}

void CLightControlUI::SetModeList(const std::vector<EffectName>& effects, int brightnessMax,
                                  int speedMax) {
    fillList(kModeList, effects);
    if (auto* slider = findDescendantAs<ui::Slider>(kBrightnessSlider)) {
        slider->setRange(0, brightnessMax);
    }
    if (auto* slider = findDescendantAs<ui::Slider>(kSpeedSlider)) {
        slider->setRange(0, speedMax);
    }
}

void CLightControlUI::SetSideModeList(const std::vector<EffectName>& effects) {
    fillList(kSideModeList, effects);
}

void CLightControlUI::ShowLightSettings(const profiles::PackedLightInfo& packed) {
    const profiles::LightInfoRecord light = profiles::unpackLightInfo(packed);
    SelectMode(light.mode);
    SelectSideMode(light.sideMode);
    SetBrightness(light.brightness);
    SetSpeed(light.speed);
    showColour(light.red, light.green, light.blue);
    SetMultiColour(light.multiColor != 0);
    SetDirection(light.direction);
}

uint32_t CLightControlUI::PaletteColour(uint8_t red, uint8_t green, uint8_t blue) {
    return kNoColour | uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

void CLightControlUI::showColour(uint8_t red, uint8_t green, uint8_t blue) {
    SetColourTexts(std::to_string(red), std::to_string(green), std::to_string(blue));
    SetPaletteColour(PaletteColour(red, green, blue));
}

void CLightControlUI::ShowSingleColour(uint8_t red, uint8_t green, uint8_t blue) {
    showColour(red, green, blue);
    SetMultiColour(false);
}

void CLightControlUI::SelectMode(int index) {
    selectIn(kModeList, index);
    if (index >= 0 && index <= 255) {
        UpdateLayout(static_cast<uint8_t>(index));
    }
}

int CLightControlUI::GetMode() const {
    return selectedIn(kModeList);
}

void CLightControlUI::SelectSideMode(int index) {
    selectIn(kSideModeList, index);
}

int CLightControlUI::GetSideMode() const {
    return selectedIn(kSideModeList);
}

void CLightControlUI::SelectCustomGroup(int index) {
    selectIn(kCustomGroupList, index);
}

int CLightControlUI::GetCustomGroup() const {
    return selectedIn(kCustomGroupList);
}

void CLightControlUI::SelectZZCCMode(int index) {
    selectIn(kZZCCList, index);
}

int CLightControlUI::GetZZCCMode() const {
    return selectedIn(kZZCCList);
}

void CLightControlUI::SetBrightness(int value) {
    if (auto* slider = findDescendantAs<ui::Slider>(kBrightnessSlider)) {
        slider->setValue(value);
    }
}

int CLightControlUI::GetBrightness() const {
    const auto* slider = findDescendantAs<ui::Slider>(kBrightnessSlider);
    return slider != nullptr ? slider->value() : 0;
}

void CLightControlUI::SetSpeed(int value) {
    if (auto* slider = findDescendantAs<ui::Slider>(kSpeedSlider)) {
        slider->setValue(value);
    }
}

int CLightControlUI::GetSpeed() const {
    const auto* slider = findDescendantAs<ui::Slider>(kSpeedSlider);
    return slider != nullptr ? slider->value() : 0;
}

void CLightControlUI::SetColourTexts(std::string_view red, std::string_view green,
                                     std::string_view blue) {
    const std::string_view texts[] = {red, green, blue};
    for (size_t channel = 0; channel < 3; ++channel) {
        if (auto* edit = findDescendantAs<ui::Edit>(kColourEdits[channel])) {
            edit->setText(std::string(texts[channel]));
        }
    }
}

std::string CLightControlUI::GetColourText(int channel) const {
    if (channel < 0 || channel > 2) {
        return {};
    }
    const auto* edit = findDescendantAs<ui::Edit>(kColourEdits[channel]);
    return edit != nullptr ? edit->rawText() : std::string();
}

void CLightControlUI::SetPaletteColour(uint32_t colour) {
    if (auto* palette = findDescendantAs<ui::ColorPalette>(kPalette)) {
        palette->setColor(colour);
    }
    if (ui::Control* button = findDescendant(kColourButton)) {
        button->setBkColor(colour);
    }
}

uint32_t CLightControlUI::GetPaletteColour() const {
    const auto* palette = findDescendantAs<ui::ColorPalette>(kPalette);
    return palette != nullptr ? palette->color() : kNoColour;
}

uint32_t CLightControlUI::GetSwatchColour(int number) const {
    const ui::Control* swatch = findDescendant("color_option_" + std::to_string(number));
    return swatch != nullptr ? swatch->bkColor() : kNoColour;
}

void CLightControlUI::SetMultiColour(bool on) {
    if (auto* check = findDescendantAs<ui::CheckBox>(kSevenColour)) {
        check->setChecked(on, false);
    }
}

bool CLightControlUI::GetMultiColour() const {
    const auto* check = findDescendantAs<ui::CheckBox>(kSevenColour);
    return check != nullptr && check->checked();
}

void CLightControlUI::SetDirection(int direction) {
    if (auto* left = findDescendantAs<ui::Option>(kLeftDirection)) {
        left->setSelected(direction == 1, false);
    }
    if (auto* right = findDescendantAs<ui::Option>(kRightDirection)) {
        right->setSelected(direction != 1, false);
    }
}

void CLightControlUI::SetSyncAvailable(bool available) {
    syncAvailable_ = available;
    const int mode = GetMode();
    if (mode >= 0 && mode <= 255) {
        UpdateLayout(static_cast<uint8_t>(mode));
    }
}

void CLightControlUI::UpdateLayout(uint8_t effect) {
    const bool keyboard = deviceType_ == hid::kDeviceKeyboard;
    const bool mouseLike = deviceType_ == hid::kDeviceMouse ||
                           deviceType_ == hid::kDeviceMousePad ||
                           deviceType_ == hid::kDeviceHeadset;
    if (!keyboard && !mouseLike) {
        return; // a wireless mouse, or no type yet
    }
    if (keyboard) {
        setDirectionCaptions(kDefaultLeftCaption, kDefaultRightCaption);
        show("lightcustom_layout", false);
        show("Light_custom_offon", false);
        show("light_combo_ZZCCmodeSelectLayout", false);
    }
    show(kSameMode, false);
    enable("deng_fx_layout", true);
    const PanelLayout layout = panelLayoutFor(deviceType_, effect);
    if (!layout.known) {
        return;
    }
    enable("lighteffect_layout", true);
    enable(kSevenColour, layout.sevenColour);
    enable("deng_color_layout", layout.colourLayout);
    enable("colorpallet_layout", layout.palette);
    enable("RGB_edit", layout.rgbEdit);
    enable("12deng_color_layout", layout.twelveColours);
    enable("deng_light_layout", layout.brightness);
    enable("deng_speed_layout", layout.speed);
    enable("deng_fx_layout", layout.direction);
    show(kSameMode, layout.sync && syncAvailable_);
    if (keyboard) {
        show("lightcustom_layout", layout.customLayout);
        show("Light_custom_offon", layout.customLayout);
        if (!layout.leftCaption.empty()) {
            setDirectionCaptions(layout.leftCaption, layout.rightCaption);
        }
    }
}

} // namespace morva::lighting
