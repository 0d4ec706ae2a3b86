#pragma once

#include "ui/toolkit/geometry.h"

#include <cstdint>

namespace morva::ui {

// Input and timer events as the renderer (or a timer) delivers them to one control. Controls
// turn them into notifications; custom controls override Control::event for their own behaviour.
enum class EventType {
    Click, // the renderer recognised a complete click on the control
    DoubleClick,
    ButtonDown,
    ButtonUp,
    MouseMove,
    MouseEnter,
    MouseLeave,
    ContextMenu,
    KeyDown, // key: the key code of the front-end, mapped to the platform's virtual keys
    SetFocus,
    KillFocus,
    Timer, // wParam: the timer identifier
};

inline constexpr int kKeyReturn = 0x0D;

// The events the pointer makes.
constexpr bool isPointerEvent(EventType type) {
    switch (type) {
    case EventType::Click:
    case EventType::DoubleClick:
    case EventType::ButtonDown:
    case EventType::ButtonUp:
    case EventType::MouseMove:
    case EventType::MouseEnter:
    case EventType::MouseLeave:
    case EventType::ContextMenu:
        return true;
    default:
        return false;
    }
}

struct UiEvent {
    EventType type = EventType::Click;
    Point point; // in window coordinates (scaled pixels)
    int key = 0;
    bool controlHeld = false;
    int64_t wParam = 0;
    int64_t lParam = 0;

    static UiEvent of(EventType type, int64_t wParam = 0) {
        UiEvent e;
        e.type = type;
        e.wParam = wParam;
        return e;
    }
};

} // namespace morva::ui
