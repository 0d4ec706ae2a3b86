#pragma once

#include "audio/audio_library_abi.h"
#include "platform/shared_library.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace morva::audio {

using PropertyBuffer = std::array<uint8_t, kPropertyBufferSize>;

// The headset's audio configuration library, loaded by path. It counts as available only when
// every call the program makes was found; otherwise no call is ever made.
class AudioLibrary {
public:
    // The library of the program: "SDK/libaudioconf.so" in the program folder.
    static std::filesystem::path defaultPath(const std::filesystem::path& programFolder);

    // False when the file is missing, cannot be loaded or lacks one of the calls.
    bool load(const std::filesystem::path& path);
    bool available() const { return calls_.has_value(); }

    // Each call below returns the library's result, or -1 without a library.
    int32_t init() const;
    int32_t createDeviceList() const;
    std::optional<int32_t> deviceCount(AudioFlow flow) const;
    std::optional<AudioEndpointRecord> endpoint(AudioFlow flow, int32_t index) const;
    // `value` is the first buffer (at least kPropertyBufferSize bytes); `argument` null passes
    // no second buffer.
    int32_t property(const AudioEndpointRecord& record, std::u16string_view name,
                     std::span<uint8_t> value, PropertyBuffer* argument, bool write) const;

private:
    struct Calls {
        ConfLibInitFn init = nullptr;
        CreateDeviceListFn createDeviceList = nullptr;
        GetDeviceCountFn deviceCount = nullptr;
        GetDeviceByIdFn deviceById = nullptr;
        PropertyControlFn property = nullptr;
    };

    platform::SharedLibrary library_;
    std::optional<Calls> calls_;
};

} // namespace morva::audio
