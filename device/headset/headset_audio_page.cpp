#include "device/headset/headset_audio_page.h"

#include "base/text.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

#include <string>

namespace morva::device::headset_page {
namespace {

constexpr int kEqOptions = 13;
constexpr int kVoiceEffects = 4;
struct AudioPanel {
    std::string_view controls;
    std::string_view notice;
};
constexpr AudioPanel kAudioPanels[] = {
    {"Voice6533ControlItem_controls", "Voice6533ControlItem_unavailable"},
    {"MagicControlItem_controls", "MagicControlItem_unavailable"},
    {"VirtualSetItem_controls", "VirtualSetItem_unavailable"}};

template <typename T> T* find(ui::Container& page, const std::string& name) {
    return dynamic_cast<T*>(page.findDescendant(name));
}

void select(ui::Container& page, const std::string& name, bool selected) {
    if (auto* option = find<ui::Option>(page, name)) {
        option->setSelected(selected, false);
    }
}

void setSlider(ui::Container& page, const std::string& name, int value) {
    if (auto* slider = find<ui::Slider>(page, name)) {
        slider->setValue(value);
    }
}

void enable(ui::Container& page, std::string_view name, bool enabled) {
    if (ui::Control* control = page.findDescendant(name)) {
        control->setEnabled(enabled);
    }
}

void showCustomNames(ui::Container& page, const audio::HeadsetAudioView& view) {
    auto* combo = find<ui::Combo>(page, "custom_eq_name_combo");
    if (combo == nullptr) {
        return;
    }
    combo->clear();
    for (const std::wstring& name : view.customNames) {
        const std::string text = WideToUtf8(name);
        const size_t index = combo->addItem(text, text);
        combo->setItemHeight(index, kCustomNameRowHeight);
    }
    combo->selectItem(view.selectedCustom, false);
    combo->setToolTip(view.selectedCustom >= 0
                          ? WideToUtf8(view.customNames[static_cast<size_t>(view.selectedCustom)])
                          : std::string());
}

void showEqualiser(ui::Container& page, const audio::HeadsetAudioView& view) {
    for (int option = 1; option <= kEqOptions; ++option) {
        select(page, "6533_eq_option_" + std::to_string(option), option == view.system.eqType);
    }
    for (size_t band = 0; band < view.bands.size(); ++band) {
        setSlider(page, "6533_eq_hz_slider_" + std::to_string(band), view.bands[band]);
    }
    enable(page, "custom_eq_option_layout", view.customGroupAvailable());
    showCustomNames(page, view);
}

void showMicrophone(ui::Container& page, const audio::HeadsetAudioView& view) {
    select(page, "6533_MicIn_option", view.system.micInSelect != 0);
    setSlider(page, "6533_MicIn_slider", view.system.micInValue);
    select(page, "6533_MicMoniter_option", view.system.micMonitorSelect != 0);
    setSlider(page, "6533_MicMoniter_slider", view.system.micMonitorValue);
}

void showVoiceChanger(ui::Container& page, const audio::HeadsetAudioView& view) {
    select(page, "magic_enable_option", view.system.magicEnable != 0);
    enable(page, "magic_option_layout", view.system.magicEnable != 0);
    for (int effect = 1; effect <= kVoiceEffects; ++effect) {
        select(page, "magic_option_" + std::to_string(effect), effect == view.system.magicType);
    }
}

void showSurround(ui::Container& page, const audio::HeadsetAudioView& view) {
    select(page, "virtual_surround_option", view.surround);
}

} // namespace

void show(ui::Container& page, const audio::HeadsetAudioView& view) {
    for (const AudioPanel& panel : kAudioPanels) {
        enable(page, panel.controls, view.available);
        if (ui::Control* notice = page.findDescendant(panel.notice)) {
            notice->setVisible(!view.available);
        }
    }
    showEqualiser(page, view);
    showMicrophone(page, view);
    showVoiceChanger(page, view);
    showSurround(page, view);
}

} // namespace morva::device::headset_page
