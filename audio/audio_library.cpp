#include "audio/audio_library.h"

#include "base/trace.h"

#include <string>

namespace morva::audio {
namespace {

constexpr int32_t kNoLibrary = -1;

template <typename Fn> Fn lookUp(const platform::SharedLibrary& library, const char* name) {
    return reinterpret_cast<Fn>(library.symbol(name));
}

} // namespace

std::filesystem::path AudioLibrary::defaultPath(const std::filesystem::path& programFolder) {
    return programFolder / "SDK" / "libaudioconf.so";
}

bool AudioLibrary::load(const std::filesystem::path& path) {
    calls_.reset();
    if (!library_.load(path)) {
        trace("audio: the configuration library is not available: %s\n", library_.error().c_str());
        return false;
    }
    const Calls calls{lookUp<ConfLibInitFn>(library_, kConfLibInit),
                      lookUp<CreateDeviceListFn>(library_, kCreateDeviceList),
                      lookUp<GetDeviceCountFn>(library_, kGetDeviceCount),
                      lookUp<GetDeviceByIdFn>(library_, kGetDeviceById),
                      lookUp<PropertyControlFn>(library_, kPropertyControl)};
    if (!calls.init || !calls.createDeviceList || !calls.deviceCount || !calls.deviceById ||
        !calls.property) {
        trace("audio: %s lacks a call the program needs\n", path.string().c_str());
        return false;
    }
    calls_ = calls;
    return true;
}

int32_t AudioLibrary::init() const {
    return calls_ ? calls_->init() : kNoLibrary;
}

int32_t AudioLibrary::createDeviceList() const {
    return calls_ ? calls_->createDeviceList() : kNoLibrary;
}

std::optional<int32_t> AudioLibrary::deviceCount(AudioFlow flow) const {
    int32_t count = 0;
    if (!calls_ || calls_->deviceCount(static_cast<int32_t>(flow), &count) != 0) {
        return std::nullopt;
    }
    return count;
}

std::optional<AudioEndpointRecord> AudioLibrary::endpoint(AudioFlow flow, int32_t index) const {
    AudioEndpointRecord record;
    if (!calls_ || calls_->deviceById(static_cast<int32_t>(flow), index, &record) != 0) {
        return std::nullopt;
    }
    return record;
}

int32_t AudioLibrary::property(const AudioEndpointRecord& record, std::u16string_view name,
                               std::span<uint8_t> value, PropertyBuffer* argument,
                               bool write) const {
    if (!calls_ || value.size() < kPropertyBufferSize) {
        return kNoLibrary;
    }
    const std::u16string terminated(name);
    void* valuePointer = value.data();
    void* argumentPointer = argument != nullptr ? argument->data() : nullptr;
    return calls_->property(record, terminated.c_str(), &valuePointer,
                            argument != nullptr ? &argumentPointer : nullptr, write ? 1 : 0);
}

} // namespace morva::audio
