#include "ui/controls/hand_img_select_button.h"

#include "base/text.h"
#include "ui/toolkit/notification.h"

#include <algorithm>
#include <array>

namespace morva::ui {
namespace {

constexpr std::array<std::string_view, 14> kCursorNames = {
    "arrow",    "ibeam",    "wait",   "cross",  "uparrow", "size", "icon",
    "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no",   "hand"};

} // namespace

std::span<const std::string_view> CHandImgSelectButtonUI::cursorNames() {
    return kCursorNames;
}

bool CHandImgSelectButtonUI::setCursor(std::string_view name) {
    const std::string lower = toLowerAscii(name);
    if (std::find(kCursorNames.begin(), kCursorNames.end(), lower) == kCursorNames.end()) {
        return false;
    }
    assign(cursor_, lower, Property::Custom);
    return true;
}

bool CHandImgSelectButtonUI::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "handimage")) {
        assign(handImage_, std::string(value), Property::Custom);
        return true;
    }
    if (equalsIgnoreCase(name, "cursor")) {
        return setCursor(value);
    }
    return Button::setAttribute(name, value);
}

void CHandImgSelectButtonUI::handleEvent(const UiEvent& e) {
    switch (e.type) {
    case EventType::ButtonDown:
        pressPoint_ = e.point;
        assign(handPoint_, e.point, Property::Custom);
        return;
    case EventType::MouseMove:
        if (pressPoint_) {
            assign(handPoint_, e.point, Property::Custom);
        }
        return;
    case EventType::ButtonUp:
        pressPoint_.reset();
        changed(Property::Custom);
        return;
    case EventType::MouseEnter:
        sendNotify(notify::kMsEnter);
        return;
    case EventType::MouseLeave:
        sendNotify(notify::kMsLeave);
        return;
    default:
        Button::handleEvent(e);
    }
}

} // namespace morva::ui
