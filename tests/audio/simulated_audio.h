#pragma once

#include "audio/audio_library.h"
#include "platform/shared_library.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace morva::audio::test {

inline std::filesystem::path simulatedLibraryPath() {
    return AudioLibrary::defaultPath(MORVA_RUNTIME_DIR);
}

inline constexpr int32_t kPlaybackFlow = 0;
inline constexpr int32_t kCaptureFlow = 1;

// The simulated audio library as the program loads it, and its own calls that shape its
// endpoints and show what the program did.
class SimulatedAudio {
public:
    SimulatedAudio() {
        EXPECT_TRUE(controls_.load(simulatedLibraryPath())) << controls_.error();
        reset_ = function<void (*)(int32_t, int32_t, int32_t, int32_t)>("SimAudioReset");
        calls_ = function<int32_t (*)()>("SimAudioCalls");
        setValue_ =
            function<void (*)(int32_t, const char16_t*, const char16_t*)>("SimAudioSetValue");
        value_ =
            function<int32_t (*)(int32_t, const char16_t*, char16_t*, int32_t)>("SimAudioValue");
        writes_ = function<int32_t (*)(int32_t, const char16_t*)>("SimAudioWrites");
        reset();
    }

    void reset(int32_t playback = 1, int32_t capture = 1, bool voiceChanger = true,
               bool initFails = false) const {
        reset_(playback, capture, voiceChanger ? 1 : 0, initFails ? 1 : 0);
    }
    int32_t calls() const { return calls_(); }
    void set(int32_t flow, const std::u16string& name, const std::u16string& text) const {
        setValue_(flow, name.c_str(), text.c_str());
    }
    // The value as text; "-" when the property holds none.
    std::string value(int32_t flow, const std::u16string& name) const {
        char16_t text[64] = {};
        if (value_(flow, name.c_str(), text, 64) != 0) {
            return "-";
        }
        return {text, text + std::char_traits<char16_t>::length(text)};
    }
    int32_t writes(int32_t flow, const std::u16string& name) const {
        return writes_(flow, name.c_str());
    }

private:
    template <typename Fn> Fn function(const char* name) const {
        auto* address = reinterpret_cast<Fn>(controls_.symbol(name));
        EXPECT_NE(address, nullptr) << name;
        return address;
    }

    platform::SharedLibrary controls_;
    void (*reset_)(int32_t, int32_t, int32_t, int32_t) = nullptr;
    int32_t (*calls_)() = nullptr;
    void (*setValue_)(int32_t, const char16_t*, const char16_t*) = nullptr;
    int32_t (*value_)(int32_t, const char16_t*, char16_t*, int32_t) = nullptr;
    int32_t (*writes_)(int32_t, const char16_t*) = nullptr;
};

} // namespace morva::audio::test
