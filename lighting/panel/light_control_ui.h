#pragma once

#include "lighting/panel/light_panel_binding.h"
#include "lighting/panel/light_panel_layout.h"
#include "ui/toolkit/container.h"

#include <string_view>

namespace morva::lighting {

// The lighting panel of a device page: the effect list, brightness and speed sliders, direction
// options, the seven-colour check, the colour palette, edits and swatches, and the Same mode
// button. It holds no settings of its own: it shows the device's, and the main window turns each
// edit into the device's apply sequence. Every control is found by name when it is needed; one
// that is missing makes an operation do nothing and a getter answer as for an empty panel.
class CLightControlUI : public ui::HorizontalLayout, public LightPanelBinding {
public:
    static constexpr std::string_view kSkinTag = "LightControl";
    static constexpr std::string_view kFactoryName = "CLightControlUI";
    static constexpr uint32_t kNoColour = 0xFF000000;

    std::string_view className() const override { return kSkinTag; }

    // LightPanelBinding
    void SetDeviceType(uint16_t deviceType) override;
    void SetModeList(const std::vector<EffectName>& effects, int brightnessMax,
                     int speedMax) override;
    void SetSideModeList(const std::vector<EffectName>& effects) override;
    void ShowLightSettings(const profiles::PackedLightInfo& packed) override;

    void SelectMode(int index);
    int GetMode() const;
    void SelectSideMode(int index);
    int GetSideMode() const;
    void SelectCustomGroup(int index) override;
    int GetCustomGroup() const override;
    void SelectZZCCMode(int index);
    int GetZZCCMode() const;
    void SetBrightness(int value);
    int GetBrightness() const;
    void SetSpeed(int value);
    int GetSpeed() const;
    // The three colour edits, red, green, blue.
    void SetColourTexts(std::string_view red, std::string_view green, std::string_view blue);
    // Channel 0 red, 1 green, 2 blue.
    std::string GetColourText(int channel) const;
    // 0xFF000000 + red × 65536 + green × 256 + blue; also the colour of "deng_colordp_btn".
    void SetPaletteColour(uint32_t colour);
    static uint32_t PaletteColour(uint8_t red, uint8_t green, uint8_t blue);
    // One colour chosen: the edits show its numbers, the palette and "deng_colordp_btn" the
    // colour, and the seven-colour check is cleared.
    void ShowSingleColour(uint8_t red, uint8_t green, uint8_t blue);
    uint32_t GetPaletteColour() const;
    // The colour of the swatch "color_option_" + n.
    uint32_t GetSwatchColour(int number) const;
    void SetMultiColour(bool on);
    bool GetMultiColour() const;
    // 1 selects "deng_FXL_check", 0 "deng_FXR_check".
    void SetDirection(int direction);
    void SetSyncAvailable(bool available) override;
    void UpdateLayout(uint8_t effect);

    uint16_t deviceType() const { return deviceType_; }

private:
    void fillList(std::string_view comboName, const std::vector<EffectName>& effects);
    void selectIn(std::string_view comboName, int index);
    void showColour(uint8_t red, uint8_t green, uint8_t blue);
    int selectedIn(std::string_view comboName) const;
    void enable(std::string_view name, bool enabled);
    void show(std::string_view name, bool visible);
    // Language keys of the two direction options' texts.
    void setDirectionCaptions(std::string_view left, std::string_view right);

    uint16_t deviceType_ = 0;
    bool syncAvailable_ = false;
};

} // namespace morva::lighting
