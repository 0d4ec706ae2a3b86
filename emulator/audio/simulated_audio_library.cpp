// A stand-in for the headset's audio configuration library: one playback and one capture
// endpoint whose properties live in memory. The program loads it like the real one; tests also
// reach its Sim* calls to shape the endpoints and see what the program did.

#include "audio/audio_library_abi.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

using morva::audio::AudioEndpointRecord;
using morva::audio::kPropertyBufferSize;

namespace {

constexpr int32_t kPlayback = 0;
constexpr int32_t kCapture = 1;
constexpr int32_t kSpeakerType = 1;
constexpr int32_t kMicrophoneType = 2;
constexpr int32_t kUsable = 1;
constexpr int32_t kVoiceChangerBit = 0x20000;
constexpr int32_t kFailure = 1;

using Key = std::pair<int32_t, std::u16string>;

struct Simulation {
    int32_t playbackCount = 1;
    int32_t captureCount = 1;
    bool voiceChanger = true;
    bool initFails = false;
    std::map<Key, std::u16string> values;
    std::map<Key, int32_t> writes;
    int32_t calls = 0;
};

std::mutex simulationLock;

Simulation& simulation() {
    static Simulation state;
    return state;
}

const std::set<std::u16string>& floatProperties() {
    static const std::set<std::u16string> names = {u"VolumeControl", u"VolumeScalarControl",
                                                   u"AAVolumeControl", u"AAVolumeScalarControl"};
    return names;
}

std::u16string widened(const std::string& text) {
    return {text.begin(), text.end()};
}

// The values the endpoints report from the start: volume ranges and features.
void fillFixedValues(Simulation& state) {
    const int32_t features = state.voiceChanger ? kVoiceChangerBit : 0;
    state.values[{kCapture, u"GetSupportFeature"}] =
        widened(std::to_string(features) + ",0,0,0,1,0,2");
    state.values[{kPlayback, u"GetSupportFeature"}] = u"0,0,0,0,1,0,2";
    for (const char16_t* name : {u"GetMaxVol", u"GetAAMaxVol"}) {
        state.values[{kCapture, name}] = u"0";
    }
    for (const char16_t* name : {u"GetMinVol", u"GetAAMinVol"}) {
        state.values[{kCapture, name}] = u"-96";
    }
    for (const char16_t* name : {u"GetVolStep", u"GetAAVolStep"}) {
        state.values[{kCapture, name}] = u"1";
    }
}

std::u16string writtenText(const std::u16string& name, const void* buffer) {
    char text[32];
    if (floatProperties().contains(name)) {
        float value = 0;
        std::memcpy(&value, buffer, sizeof value);
        std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    } else {
        int32_t value = 0;
        std::memcpy(&value, buffer, sizeof value);
        std::snprintf(text, sizeof text, "%d", value);
    }
    return widened(text);
}

void copyText(const std::u16string& text, void* buffer, size_t capacity) {
    const size_t count = std::min(text.size(), capacity / sizeof(char16_t) - 1);
    std::memset(buffer, 0, (count + 1) * sizeof(char16_t));
    std::memcpy(buffer, text.data(), count * sizeof(char16_t));
}

int32_t flowOf(const AudioEndpointRecord& record) {
    return record.type == kMicrophoneType ? kCapture : kPlayback;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t ConfLibInit() {
    std::lock_guard lock(simulationLock);
    ++simulation().calls;
    if (simulation().values.empty()) {
        fillFixedValues(simulation());
    }
    return simulation().initFails ? kFailure : 0;
}

__attribute__((visibility("default"))) int32_t CreateDeviceList() {
    std::lock_guard lock(simulationLock);
    ++simulation().calls;
    return 0;
}

__attribute__((visibility("default"))) int32_t GetDeviceCount(int32_t flow, int32_t* count) {
    std::lock_guard lock(simulationLock);
    ++simulation().calls;
    if (count == nullptr || (flow != kPlayback && flow != kCapture)) {
        return kFailure;
    }
    *count = flow == kPlayback ? simulation().playbackCount : simulation().captureCount;
    return 0;
}

__attribute__((visibility("default"))) int32_t GetDeviceById(int32_t flow, int32_t index,
                                                             AudioEndpointRecord* record) {
    std::lock_guard lock(simulationLock);
    ++simulation().calls;
    const int32_t count =
        flow == kPlayback ? simulation().playbackCount : simulation().captureCount;
    if (record == nullptr || index < 0 || index >= count) {
        return kFailure;
    }
    *record = {.id = flow * 100 + index,
               .type = flow == kPlayback ? kSpeakerType : kMicrophoneType,
               .value = 0,
               .state = kUsable};
    return 0;
}

__attribute__((visibility("default"))) int32_t PropertyControl(AudioEndpointRecord record,
                                                               const char16_t* name, void** value,
                                                               void** /*argument*/, int32_t write) {
    std::lock_guard lock(simulationLock);
    Simulation& state = simulation();
    ++state.calls;
    if (name == nullptr || value == nullptr || *value == nullptr) {
        return kFailure;
    }
    const Key key{flowOf(record), name};
    if (write != 0) {
        state.values[key] = writtenText(key.second, *value);
        ++state.writes[key];
        return 0;
    }
    const auto found = state.values.find(key);
    if (found == state.values.end()) {
        return kFailure;
    }
    copyText(found->second, *value, kPropertyBufferSize);
    return 0;
}

// --- The simulation's own calls, for tests and demonstrations ------------------------------

// Forgets every value and count; the endpoints and features as given.
__attribute__((visibility("default"))) void SimAudioReset(int32_t playbackCount,
                                                          int32_t captureCount,
                                                          int32_t voiceChanger, int32_t initFails) {
    std::lock_guard lock(simulationLock);
    Simulation& state = simulation();
    state = Simulation{};
    state.playbackCount = playbackCount;
    state.captureCount = captureCount;
    state.voiceChanger = voiceChanger != 0;
    state.initFails = initFails != 0;
    fillFixedValues(state);
}

// Calls of the library's own entry points since the last reset.
__attribute__((visibility("default"))) int32_t SimAudioCalls() {
    std::lock_guard lock(simulationLock);
    return simulation().calls;
}

__attribute__((visibility("default"))) void SimAudioSetValue(int32_t flow, const char16_t* name,
                                                             const char16_t* text) {
    std::lock_guard lock(simulationLock);
    simulation().values[{flow, name}] = text;
}

// 0 and the value as text when the property holds one.
__attribute__((visibility("default"))) int32_t SimAudioValue(int32_t flow, const char16_t* name,
                                                             char16_t* text, int32_t capacity) {
    std::lock_guard lock(simulationLock);
    const auto found = simulation().values.find({flow, name});
    if (found == simulation().values.end() || text == nullptr || capacity < 1) {
        return kFailure;
    }
    copyText(found->second, text, static_cast<size_t>(capacity) * sizeof(char16_t));
    return 0;
}

// How often the property was written since the last reset.
__attribute__((visibility("default"))) int32_t SimAudioWrites(int32_t flow, const char16_t* name) {
    std::lock_guard lock(simulationLock);
    const auto found = simulation().writes.find({flow, name});
    return found == simulation().writes.end() ? 0 : found->second;
}
}
