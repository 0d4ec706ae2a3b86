#include "app/headset_audio_routes.h"

#include "base/text.h"
#include "device/headset/hs6533_device.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"
#include "ui/toolkit/window.h"

#include <optional>

namespace morva::app {
namespace {

using device::CKestraneHS6533Device;
using Outcome = audio::HeadsetAudioSettings::SaveOutcome;
using namespace ui::notify;

bool selectedOption(const ui::Notification& n) {
    const auto* option = dynamic_cast<const ui::Option*>(n.sender.get());
    return option != nullptr && option->selected();
}

std::optional<int> sliderValue(const ui::Notification& n) {
    const auto* slider = dynamic_cast<const ui::Slider*>(n.sender.get());
    return slider != nullptr ? std::optional(slider->value()) : std::nullopt;
}

// The text of the page's curve-name field, emptied once it has been used.
std::wstring takeCurveName(CKestraneHS6533Device& headset) {
    ui::Control* edit = headset.findDescendant("custom_eq_name_edit");
    if (edit == nullptr) {
        return {};
    }
    const std::wstring name = Utf8ToWide(edit->text());
    edit->setText({});
    return name;
}

} // namespace

void HeadsetAudioRoutes::withHeadset(
    const std::function<void(CKestraneHS6533Device&)>& action) const {
    auto* headset =
        dynamic_cast<CKestraneHS6533Device*>(currentDevice_ ? currentDevice_() : nullptr);
    if (headset != nullptr) {
        action(*headset);
        headset->AudioChanged();
    }
}

void HeadsetAudioRoutes::registerOn(ui::NotificationRouter& router) {
    registerEqualiser(router);
    registerCustomCurves(router);
    registerMicrophone(router);
    registerVoiceChanger(router);
    registerSurround(router);
}

void HeadsetAudioRoutes::registerEqualiser(ui::NotificationRouter& router) {
    router.onFamily(
        kSelectChanged, "6533_eq_option_", [this](const ui::Notification& n, int preset) {
            if (selectedOption(n)) {
                withHeadset([preset](CKestraneHS6533Device& h) { h.audio().choosePreset(preset); });
            }
        });
    router.onFamily(kValueChanged, "6533_eq_hz_slider_",
                    [this](const ui::Notification& n, int band) {
                        if (const std::optional<int> value = sliderValue(n); value && band >= 0) {
                            withHeadset([band, value](CKestraneHS6533Device& h) {
                                h.audio().moveBand(static_cast<size_t>(band), *value);
                            });
                        }
                    });
}

void HeadsetAudioRoutes::registerCustomCurves(ui::NotificationRouter& router) {
    router.on(kItemSelect, "custom_eq_name_combo", [this](const ui::Notification& n) {
        const auto index = static_cast<int>(n.wParam);
        withHeadset([index](CKestraneHS6533Device& h) { h.audio().selectCustom(index); });
    });
    router.on(kClick, "hs_EQ_btn_save", [this](const ui::Notification&) {
        withHeadset([this](CKestraneHS6533Device& h) {
            if (h.audio().saveCustom(takeCurveName(h)) == Outcome::DuplicateName && tell_) {
                tell_("message_text_5");
            }
        });
    });
    router.on(kClick, "hs_EQ_btn_delete", [this](const ui::Notification&) {
        withHeadset([](CKestraneHS6533Device& h) { h.audio().deleteCustom(); });
    });
}

void HeadsetAudioRoutes::registerMicrophone(ui::NotificationRouter& router) {
    router.on(kSelectChanged, "6533_MicIn_option", [this](const ui::Notification&) {
        withHeadset([](CKestraneHS6533Device& h) { h.audio().toggleMicrophone(); });
    });
    router.on(kValueChanged, "6533_MicIn_slider", [this](const ui::Notification& n) {
        if (const std::optional<int> value = sliderValue(n)) {
            withHeadset(
                [value](CKestraneHS6533Device& h) { h.audio().setMicrophoneLevel(*value); });
        }
    });
    router.on(kSelectChanged, "6533_MicMoniter_option", [this](const ui::Notification&) {
        withHeadset([](CKestraneHS6533Device& h) { h.audio().toggleMonitor(); });
    });
    router.on(kValueChanged, "6533_MicMoniter_slider", [this](const ui::Notification& n) {
        if (const std::optional<int> value = sliderValue(n)) {
            withHeadset([value](CKestraneHS6533Device& h) { h.audio().setMonitorLevel(*value); });
        }
    });
}

void HeadsetAudioRoutes::registerVoiceChanger(ui::NotificationRouter& router) {
    router.on(kSelectChanged, "magic_enable_option", [this](const ui::Notification& n) {
        const bool on = selectedOption(n);
        withHeadset([on](CKestraneHS6533Device& h) { h.audio().setVoiceChanger(on); });
    });
    router.onFamily(kSelectChanged, "magic_option_", [this](const ui::Notification& n, int effect) {
        if (selectedOption(n)) {
            withHeadset([effect](CKestraneHS6533Device& h) { h.audio().setVoiceEffect(effect); });
        }
    });
}

void HeadsetAudioRoutes::registerSurround(ui::NotificationRouter& router) {
    router.on(kSelectChanged, "virtual_surround_option", [this](const ui::Notification& n) {
        const bool on = selectedOption(n);
        withHeadset([on](CKestraneHS6533Device& h) { h.audio().setSurround(on); });
    });
}

} // namespace morva::app
