#pragma once

#include "app/input_capture.h"

#include <cstdint>
#include <vector>

namespace morva::test {

// The input capture of the tests: keys and buttons come from the test's script and reach the hook
// the way the front-end's captured ones do.
class ScriptedInputCapture final : public app::InputCapture {
public:
    bool start(app::InputSink& sink) override {
        if (refuse) {
            return false;
        }
        sink_ = &sink;
        ++starts;
        return true;
    }
    void stop() override { sink_ = nullptr; }
    bool running() const { return sink_ != nullptr; }

    // A key of the Linux input layer; true when the hook kept it from going further. Nothing is
    // captured while the capture does not run: the key goes on.
    bool key(uint32_t keyCode, bool press) {
        return sink_ != nullptr && sink_->keyEvent({keyCode, press});
    }
    // A press and a release.
    void tap(uint32_t keyCode) {
        key(keyCode, true);
        key(keyCode, false);
    }
    void button(app::PointerButton which, bool press, ui::Point screen = {}) {
        if (sink_ != nullptr) {
            sink_->buttonEvent({which, press, screen});
        }
    }

    bool refuse = false; // the keyboard cannot be taken
    int starts = 0;

private:
    app::InputSink* sink_ = nullptr;
};

// Keys of the Linux input layer the tests type.
namespace linux_key {
inline constexpr uint32_t kA = 30;
inline constexpr uint32_t kB = 48;
inline constexpr uint32_t kX = 45;
inline constexpr uint32_t kLeftShift = 42;
inline constexpr uint32_t kCapsLock = 58;
inline constexpr uint32_t kNumLock = 69;
inline constexpr uint32_t kF5 = 63;
inline constexpr uint32_t kPlayPause = 164;
} // namespace linux_key

} // namespace morva::test
