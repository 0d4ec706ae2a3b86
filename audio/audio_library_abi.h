#pragma once

#include <cstddef>
#include <cstdint>

// The calls of the headset's audio configuration library, as the program finds them by name in
// the library it loads at run time (and as the simulated library exports them). Every call
// returns 0 on success.
namespace morva::audio {

// One endpoint of the library's device list.
struct AudioEndpointRecord {
    int32_t id = 0;
    int32_t type = 0;
    int32_t value = 0;
    int32_t state = 0; // 1 = usable

    bool operator==(const AudioEndpointRecord&) const = default;
};
static_assert(sizeof(AudioEndpointRecord) == 16);

enum class AudioFlow : int32_t { Playback = 0, Capture = 1 };

// Every property call passes the addresses of two pointers to buffers of this size: the first
// holds the value (written: a 32-bit integer or float; read: the value as UTF-16 text), the
// second, when not null, an argument such as a channel number.
inline constexpr size_t kPropertyBufferSize = 1024;
// The feature text of "GetSupportFeature" is read into a buffer of this size.
inline constexpr size_t kFeatureBufferSize = 2048;

extern "C" {
using ConfLibInitFn = int32_t (*)();
using CreateDeviceListFn = int32_t (*)();
using GetDeviceCountFn = int32_t (*)(int32_t flow, int32_t* count);
using GetDeviceByIdFn = int32_t (*)(int32_t flow, int32_t index, AudioEndpointRecord* record);
using PropertyControlFn = int32_t (*)(AudioEndpointRecord record, const char16_t* name,
                                      void** value, void** argument, int32_t write);
}

inline constexpr const char* kConfLibInit = "ConfLibInit";
inline constexpr const char* kCreateDeviceList = "CreateDeviceList";
inline constexpr const char* kGetDeviceCount = "GetDeviceCount";
inline constexpr const char* kGetDeviceById = "GetDeviceById";
inline constexpr const char* kPropertyControl = "PropertyControl";

} // namespace morva::audio
