#include "audio/endpoint_selection.h"

#include "audio/property_value.h"

#include <algorithm>
#include <vector>

namespace morva::audio {
namespace {

constexpr int32_t kUsable = 1;
constexpr std::array<int32_t, 4> kPlaybackTypes = {1, 12, 7, 4};
constexpr int32_t kCaptureType = 2;
constexpr size_t kFeatureFields = 7;
constexpr std::array<size_t, 3> kKeptFields = {0, 4, 6};
constexpr int64_t kVoiceChangerBit = 0x20000;

std::vector<std::u16string_view> fieldsOf(std::u16string_view text) {
    std::vector<std::u16string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(u',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::u16string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

} // namespace

std::optional<AudioEndpointRecord> choosePlayback(std::span<const AudioEndpointRecord> endpoints) {
    for (const int32_t type : kPlaybackTypes) {
        const auto found = std::find_if(endpoints.begin(), endpoints.end(), [&](const auto& e) {
            return e.state == kUsable && e.type == type;
        });
        if (found != endpoints.end()) {
            return *found;
        }
    }
    return std::nullopt;
}

std::optional<AudioEndpointRecord> chooseCapture(std::span<const AudioEndpointRecord> endpoints) {
    const auto found = std::find_if(endpoints.begin(), endpoints.end(),
                                    [](const auto& e) { return e.type == kCaptureType; });
    return found != endpoints.end() ? std::optional(*found) : std::nullopt;
}

std::optional<EndpointFeatures> parseFeatures(std::u16string_view text) {
    const std::vector<std::u16string_view> fields = fieldsOf(text);
    if (fields.size() < kFeatureFields) {
        return std::nullopt;
    }
    EndpointFeatures features{};
    for (size_t i = 0; i < kKeptFields.size(); ++i) {
        const std::optional<int64_t> value = integerOf(fields[kKeptFields[i]]);
        if (!value) {
            return std::nullopt;
        }
        features[i] = *value;
    }
    return features;
}

bool hasVoiceChanger(const EndpointFeatures& capture) {
    return (capture[0] & kVoiceChangerBit) != 0;
}

} // namespace morva::audio
