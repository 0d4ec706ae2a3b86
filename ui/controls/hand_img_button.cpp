#include "ui/controls/hand_img_button.h"

#include "base/text.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/window.h"

namespace morva::ui {
namespace {

// The mark, in skin pixels: a square whose left edge lies this far left of the tile's right
// edge and whose top lies this far above its bottom.
constexpr int kDeleteSize = 20;
constexpr int kDeleteFromRight = 30;
constexpr int kDeleteFromBottom = 29;

const std::string kNone;

} // namespace

Rect CHandImgButtonUI::deleteArea() const {
    const DpiScale scale = window() != nullptr ? window()->dpiScale() : DpiScale();
    const Rect& tile = layoutRect();
    const int left = tile.right - scale.scale(kDeleteFromRight);
    const int top = tile.bottom - scale.scale(kDeleteFromBottom);
    return {left, top, left + scale.scale(kDeleteSize), top + scale.scale(kDeleteSize)};
}

const std::string& CHandImgButtonUI::shownDeleteImage() const {
    if (!hovered_) {
        return kNone;
    }
    return pointerOnDelete_ ? deleteHotImage_ : deleteNormalImage_;
}

bool CHandImgButtonUI::setAttribute(std::string_view name, std::string_view value) {
    if (equalsIgnoreCase(name, "handimage")) {
        assign(handImage_, std::string(value), Property::Custom);
        return true;
    }
    if (equalsIgnoreCase(name, "deletenormalimage")) {
        assign(deleteNormalImage_, std::string(value), Property::Custom);
        return true;
    }
    if (equalsIgnoreCase(name, "deletehotimage")) {
        assign(deleteHotImage_, std::string(value), Property::Custom);
        return true;
    }
    return Button::setAttribute(name, value);
}

void CHandImgButtonUI::trackPointer(Point at) {
    assign(pointerOnDelete_, deleteArea().contains(at), Property::Custom);
}

void CHandImgButtonUI::handleEvent(const UiEvent& e) {
    switch (e.type) {
    case EventType::MouseEnter:
        assign(hovered_, true, Property::Custom);
        trackPointer(e.point);
        sendNotify(notify::kMsEnter);
        return;
    case EventType::MouseLeave:
        assign(hovered_, false, Property::Custom);
        assign(pointerOnDelete_, false, Property::Custom);
        sendNotify(notify::kMsLeave);
        return;
    case EventType::MouseMove:
        trackPointer(e.point);
        return;
    case EventType::Click:
        // A complete click (press and release on the tile) decides by where it was let go.
        if (deleteArea().contains(e.point)) {
            if (enabledInTree()) {
                sendNotify(notify::kClickHandDelete);
            }
            return;
        }
        activate();
        return;
    default:
        Button::handleEvent(e);
    }
}

} // namespace morva::ui
