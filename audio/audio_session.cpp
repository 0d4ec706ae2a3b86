#include "audio/audio_session.h"

#include "audio/property_value.h"
#include "base/trace.h"

namespace morva::audio {
namespace {

constexpr std::u16string_view kSupportFeature = u"GetSupportFeature";

} // namespace

AudioSession::StartResult AudioSession::start() {
    StartResult result;
    playback_.reset();
    capture_.reset();
    if (!available()) {
        return result;
    }
    result.initFailed = library_.init() != 0;
    library_.createDeviceList();
    const std::optional<int32_t> playbackCount = library_.deviceCount(AudioFlow::Playback);
    if (!playbackCount || *playbackCount < 1) {
        trace("audio: no playback endpoint\n");
        return result;
    }
    if (const auto record = choosePlayback(endpointsOf(AudioFlow::Playback))) {
        playback_ = Selected{*record, std::nullopt};
        result.featuresFailed |= !readFeatures(*playback_);
    }
    if (const auto record = chooseCapture(endpointsOf(AudioFlow::Capture))) {
        capture_ = Selected{*record, std::nullopt};
        result.featuresFailed |= !readFeatures(*capture_);
    }
    result.endpointsSelected = playback_.has_value();
    return result;
}

std::vector<AudioEndpointRecord> AudioSession::endpointsOf(AudioFlow flow) const {
    std::vector<AudioEndpointRecord> endpoints;
    const int32_t count = library_.deviceCount(flow).value_or(0);
    for (int32_t index = 0; index < count; ++index) {
        if (const auto record = library_.endpoint(flow, index)) {
            endpoints.push_back(*record);
        }
    }
    return endpoints;
}

bool AudioSession::readFeatures(Selected& selected) const {
    // The feature text may be longer than other values: it gets a larger buffer.
    std::array<uint8_t, kFeatureBufferSize> text{};
    if (library_.property(selected.record, kSupportFeature, text, nullptr, false) != 0) {
        return true;
    }
    selected.features = parseFeatures(textOf(text));
    if (!selected.features) {
        trace("audio: the endpoint's feature text has too few fields\n");
    }
    return selected.features.has_value();
}

bool AudioSession::voiceChangerExists() const {
    return capture_ && capture_->features && hasVoiceChanger(*capture_->features);
}

const std::optional<AudioSession::Selected>& AudioSession::selected(Endpoint endpoint) const {
    return endpoint == Endpoint::Playback ? playback_ : capture_;
}

bool AudioSession::call(Endpoint endpoint, std::u16string_view name, PropertyBuffer& value,
                        PropertyArgument argument, bool write) const {
    const std::optional<Selected>& target = selected(endpoint);
    if (!available() || !target) {
        return false;
    }
    PropertyBuffer second = argumentBuffer(argument);
    return library_.property(target->record, name, value, argument.empty() ? nullptr : &second,
                             write) == 0;
}

std::optional<std::u16string> AudioSession::readText(Endpoint endpoint, std::u16string_view name,
                                                     PropertyArgument argument) const {
    PropertyBuffer value{};
    if (!call(endpoint, name, value, argument, false)) {
        return std::nullopt;
    }
    return textOf(value);
}

std::optional<int64_t> AudioSession::readInteger(Endpoint endpoint, std::u16string_view name,
                                                 PropertyArgument argument) const {
    const std::optional<std::u16string> text = readText(endpoint, name, argument);
    return text ? integerOf(*text) : std::nullopt;
}

std::optional<float> AudioSession::readFloat(Endpoint endpoint, std::u16string_view name,
                                             PropertyArgument argument) const {
    const std::optional<std::u16string> text = readText(endpoint, name, argument);
    return text ? floatOf(*text) : std::nullopt;
}

bool AudioSession::writeInteger(Endpoint endpoint, std::u16string_view name, int32_t value,
                                PropertyArgument argument) const {
    PropertyBuffer buffer = integerBuffer(value);
    return call(endpoint, name, buffer, argument, true);
}

bool AudioSession::writeFloat(Endpoint endpoint, std::u16string_view name, float value,
                              PropertyArgument argument) const {
    PropertyBuffer buffer = floatBuffer(value);
    return call(endpoint, name, buffer, argument, true);
}

} // namespace morva::audio
