#pragma once

#include "audio/audio_library.h"
#include "audio/endpoint_selection.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morva::audio {

enum class Endpoint { Playback, Capture };

// The second value of a property call: none, or 32-bit values such as a channel number.
using PropertyArgument = std::span<const int32_t>;

// The library's headset endpoints and the property calls on them. Without the library, or
// without a selected endpoint, nothing is called and every read and write fails.
class AudioSession {
public:
    explicit AudioSession(const AudioLibrary& library) : library_(library) {}

    struct StartResult {
        bool initFailed = false;     // the library's initialisation did not succeed
        bool featuresFailed = false; // an endpoint's feature text could not be read
        bool endpointsSelected = false;
    };
    // Initialises the library, builds its device list and, when it has a playback endpoint,
    // selects the playback and capture endpoints and reads their features.
    StartResult start();

    bool available() const { return library_.available(); }
    bool hasPlayback() const { return playback_.has_value(); }
    bool voiceChangerExists() const;

    std::optional<std::u16string> readText(Endpoint endpoint, std::u16string_view name,
                                           PropertyArgument argument = {}) const;
    std::optional<int64_t> readInteger(Endpoint endpoint, std::u16string_view name,
                                       PropertyArgument argument = {}) const;
    std::optional<float> readFloat(Endpoint endpoint, std::u16string_view name,
                                   PropertyArgument argument = {}) const;
    bool writeInteger(Endpoint endpoint, std::u16string_view name, int32_t value,
                      PropertyArgument argument = {}) const;
    bool writeFloat(Endpoint endpoint, std::u16string_view name, float value,
                    PropertyArgument argument = {}) const;

private:
    struct Selected {
        AudioEndpointRecord record;
        std::optional<EndpointFeatures> features;
    };

    std::vector<AudioEndpointRecord> endpointsOf(AudioFlow flow) const;
    // Reads the endpoint's features; false when the text came back but could not be used.
    bool readFeatures(Selected& selected) const;
    const std::optional<Selected>& selected(Endpoint endpoint) const;
    bool call(Endpoint endpoint, std::u16string_view name, PropertyBuffer& value,
              PropertyArgument argument, bool write) const;

    const AudioLibrary& library_;
    std::optional<Selected> playback_;
    std::optional<Selected> capture_;
};

} // namespace morva::audio
