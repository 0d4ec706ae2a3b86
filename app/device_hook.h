#pragma once

#include "app/input_capture.h"

namespace morva::ui {
class Window;
}

namespace morva::app {

// The program's input hook, one per main window: started in a hook mode, it turns each captured
// key into the keyboard message of the mode with a low-level keyboard record (the key's set-1
// scan code, its virtual key) and each mouse button into the mouse message of the mode with a
// mouse record, and sends them to the window. Keys other than the lock keys go no further.
class CDeviceHook final : public InputSink {
public:
    // Without a capture, Start fails.
    explicit CDeviceHook(InputCapture* capture) : capture_(capture) {}
    ~CDeviceHook() override { Stop(); }
    CDeviceHook(const CDeviceHook&) = delete;
    CDeviceHook& operator=(const CDeviceHook&) = delete;

    // Stops a capture that runs, then captures for the mode and the window; false when the
    // keyboard cannot be taken.
    bool Start(int hookMode, ui::Window& window);
    void Stop();
    bool installed() const { return installed_; }
    int hookMode() const { return mode_; }

    bool keyEvent(const NativeKeyEvent& event) override;
    void buttonEvent(const NativeButtonEvent& event) override;

private:
    InputCapture* capture_;
    ui::Window* window_ = nullptr;
    int mode_ = 0;
    bool installed_ = false;
};

} // namespace morva::app
