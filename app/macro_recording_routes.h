#pragma once

#include "app/device_hook.h"
#include "app/macro_target.h"
#include "macros/macro_recorder.h"
#include "macros/recorded_input.h"
#include "ui/toolkit/notification_router.h"

#include <array>
#include <functional>

namespace morva::app {

// Macro recording on the main window's router: its start by the record button or the event
// menu, its stop, the hook's eight recording messages (keyboard and mouse, for each placement),
// and the key capture of the key-assignment panel's key field on the same hook.
class MacroRecordingRoutes {
public:
    struct Hooks {
        CurrentDeviceSource currentDevice;
        // The main window's lock while a recording runs (device bar and profile panel).
        std::function<void(bool released)> setRecordingLock;
        // A key captured for the key field, as its key catalogue entry.
        std::function<void(size_t catalogueEntry)> capturedKey;
    };

    MacroRecordingRoutes(Hooks hooks, InputCapture* capture, ui::Window& window)
        : hooks_(std::move(hooks)), hook_(capture), window_(window) {}

    void registerOn(ui::NotificationRouter& router);

    // Starts a recording of the current device's macro panel in the hook mode.
    void Start(macros::RecordTimeMode mode, int hookMode);
    // Ends a recording as the stop button does: the hook stops and the macro is saved.
    void Stop();
    // A device's tab hides while the edit lock is on: a recording ends as by its stop button; the
    // hook stops in any case.
    void EndRecording();
    const CDeviceHook& hook() const { return hook_; }

private:
    MacroTarget current() const { return currentMacroTarget(hooks_.currentDevice); }
    // Each placement's keyboard and mouse handler has a memory of its own, for the whole program.
    struct Handlers {
        macros::KeyRepeatFilter keys;
        macros::MouseRepeatFilter buttons;
    };
    Handlers& handlersOf(int hookMode);
    void onKeyboard(int hookMode, const ui::WindowMessage& message);
    void onMouse(int hookMode, const ui::WindowMessage& message);
    void onCaptureKey(const ui::WindowMessage& message);
    void take(int hookMode, const MacroTarget& target, const macros::RecordedInput& input);
    // Record time, or constant time when "macro_check_time" is selected.
    macros::RecordTimeMode timeModeOfOption() const;

    Hooks hooks_;
    CDeviceHook hook_;
    ui::Window& window_;
    std::array<Handlers, 4> handlers_;
};

} // namespace morva::app
