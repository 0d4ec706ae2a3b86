#pragma once

#include "ui/toolkit/geometry.h"

#include <cstdint>

namespace morva::app {

// A key of the Linux input layer (KEY_A is 30) going down or up.
struct NativeKeyEvent {
    uint32_t keyCode = 0;
    bool press = false;
};

enum class PointerButton { Left, Right, Middle, Back, Forward };

// A mouse button going down or up where the pointer is, in screen pixels.
struct NativeButtonEvent {
    PointerButton button = PointerButton::Left;
    bool press = false;
    ui::Point screen;
};

// Who takes the captured input.
class InputSink {
public:
    virtual ~InputSink() = default;
    // True to keep the key from going any further (to the focused control or another program).
    virtual bool keyEvent(const NativeKeyEvent& event) = 0;
    // Buttons go on as usual, so that the stop button can still be clicked.
    virtual void buttonEvent(const NativeButtonEvent& event) = 0;
};

// The front-end's capture of the keyboard and of the mouse buttons, which macro recording and the
// key field of the key-assignment panel use: while it runs, every key reaches the sink first and
// no other program gets it (the lock keys keep working), and every button press and release is
// reported. Tests drive the same sink with scripted events.
class InputCapture {
public:
    virtual ~InputCapture() = default;
    // Starts delivering to the sink, after a capture that ran is stopped; false when the keyboard
    // cannot be taken (nothing is delivered then).
    virtual bool start(InputSink& sink) = 0;
    virtual void stop() = 0;
};

} // namespace morva::app
