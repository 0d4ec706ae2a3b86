#pragma once

#include "audio/audio_library_abi.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace morva::audio {

// The playback endpoint: the first usable one of type 1, else of type 12, else 7, else 4.
std::optional<AudioEndpointRecord> choosePlayback(std::span<const AudioEndpointRecord> endpoints);
// The capture endpoint: the first of type 2.
std::optional<AudioEndpointRecord> chooseCapture(std::span<const AudioEndpointRecord> endpoints);

// What "GetSupportFeature" says about an endpoint: comma-separated fields, of which 0, 4 and 6
// are kept. Nothing when there are fewer than seven fields or one of those is not a number.
using EndpointFeatures = std::array<int64_t, 3>;
std::optional<EndpointFeatures> parseFeatures(std::u16string_view text);

// Bit 0x20000 of the capture endpoint's first feature value.
bool hasVoiceChanger(const EndpointFeatures& capture);

} // namespace morva::audio
