#pragma once

#include "audio/headset_audio_settings.h"
#include "ui/toolkit/container.h"

// The headset's audio panels as named controls: "6533_eq_option_" 1–13, "6533_eq_hz_slider_"
// 0–9, "custom_eq_option_layout" with "custom_eq_name_combo", "6533_MicIn_option" and
// "_slider", "6533_MicMoniter_option" and "_slider", "magic_enable_option",
// "magic_option_layout" with "magic_option_" 1–4, "virtual_surround_option"; each panel's
// controls sit in its
// "…_controls" container beside its "…_unavailable" notice.
namespace morva::device::headset_page {

inline constexpr int kCustomNameRowHeight = 30;

// Shows the state without sending any notification; without the audio library the panels'
// controls are disabled and their notices say why.
void show(ui::Container& page, const audio::HeadsetAudioView& view);

} // namespace morva::device::headset_page
