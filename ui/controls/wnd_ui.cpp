#include "ui/controls/wnd_ui.h"

namespace morva::ui {

void CWndUI::attach(std::shared_ptr<HostedWindow> hosted) {
    hosted_ = std::move(hosted);
    positionChanged({});
}

void CWndUI::positionChanged(Point paintWindowOrigin) {
    if (!hosted_) {
        return;
    }
    Rect rect = layoutRect();
    if (!hosted_->childOfPaintWindow()) {
        rect.left += paintWindowOrigin.x;
        rect.right += paintWindowOrigin.x;
        rect.top += paintWindowOrigin.y;
        rect.bottom += paintWindowOrigin.y;
    }
    hosted_->place(rect, visibleInTree());
}

} // namespace morva::ui
