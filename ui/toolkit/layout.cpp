#include "ui/toolkit/layout.h"

#include "ui/toolkit/container.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/window.h"

#include <algorithm>
#include <vector>

namespace morva::ui {
namespace {

Rect deflate(const Rect& r, const Rect& by) {
    return {r.left + by.left, r.top + by.top, r.right - by.right, r.bottom - by.bottom};
}

int scaled(const Control& c, int value) {
    return c.window() != nullptr ? c.window()->dpiScale().scale(value) : value;
}

// One axis of a stack: the main axis runs along the stacking, the cross axis across it.
struct Axis {
    bool vertical;
    int fixed(const Control& c) const {
        return vertical ? c.scaledFixedSize().cy : c.scaledFixedSize().cx;
    }
    int fixedCross(const Control& c) const {
        return vertical ? c.scaledFixedSize().cx : c.scaledFixedSize().cy;
    }
    int before(const Rect& pad) const { return vertical ? pad.top : pad.left; }
    int after(const Rect& pad) const { return vertical ? pad.bottom : pad.right; }
    int crossBefore(const Rect& pad) const { return vertical ? pad.left : pad.top; }
    int crossAfter(const Rect& pad) const { return vertical ? pad.right : pad.bottom; }
    int length(const Rect& r) const { return vertical ? r.height() : r.width(); }
    int crossLength(const Rect& r) const { return vertical ? r.width() : r.height(); }
    int start(const Rect& r) const { return vertical ? r.top : r.left; }
    int crossStart(const Rect& r) const { return vertical ? r.left : r.top; }
    Rect make(int mainFrom, int mainLength, int crossFrom, int crossLen) const {
        return vertical ? Rect{crossFrom, mainFrom, crossFrom + crossLen, mainFrom + mainLength}
                        : Rect{mainFrom, crossFrom, mainFrom + mainLength, crossFrom + crossLen};
    }
};

// A list's rows move up by its scroll offset, but never so far that space is left below the last.
void stack(Container& box, const Rect& inner, const Axis& axis, int scrollOffset = 0) {
    std::vector<Control*> flow;
    for (const auto& child : box.children()) {
        if (child->visible() && !child->floating()) {
            flow.push_back(child.get());
        }
    }
    if (flow.empty()) {
        return;
    }
    const int gap = scaled(box, box.childPadding());
    int fixedTotal = gap * static_cast<int>(flow.size() - 1);
    int flexible = 0;
    for (const Control* c : flow) {
        const Rect pad = c->scaledPadding();
        fixedTotal += axis.before(pad) + axis.after(pad) + axis.fixed(*c);
        flexible += axis.fixed(*c) == 0 ? 1 : 0;
    }
    const int spare = std::max(0, axis.length(inner) - fixedTotal);
    int flexLeft = flexible;
    int spareLeft = spare;
    const int hidden = std::clamp(fixedTotal - axis.length(inner), 0, std::max(0, scrollOffset));
    int at = axis.start(inner) - hidden;
    for (Control* c : flow) {
        const Rect pad = c->scaledPadding();
        int length = axis.fixed(*c);
        if (length == 0) {
            // Equal shares; the last flexible child takes what rounding left over.
            length = flexLeft == 1 ? spareLeft : spare / flexible;
            spareLeft -= length;
            --flexLeft;
        }
        const int crossRoom =
            axis.crossLength(inner) - axis.crossBefore(pad) - axis.crossAfter(pad);
        const int cross = axis.fixedCross(*c) != 0 ? axis.fixedCross(*c) : std::max(0, crossRoom);
        at += axis.before(pad);
        layoutControl(*c,
                      axis.make(at, length, axis.crossStart(inner) + axis.crossBefore(pad), cross));
        at += length + axis.after(pad) + gap;
    }
}

void fill(Container& box, const Rect& inner) {
    for (const auto& child : box.children()) {
        if (!child->visible() || child->floating()) {
            continue;
        }
        Rect area = deflate(inner, child->scaledPadding());
        const Size fixed = child->scaledFixedSize();
        if (fixed.cx != 0) {
            area.right = area.left + fixed.cx;
        }
        if (fixed.cy != 0) {
            area.bottom = area.top + fixed.cy;
        }
        layoutControl(*child, area);
    }
}

} // namespace

void layoutControl(Control& control, const Rect& rect) {
    control.setLayoutRect(rect);
    Container* box = control.asContainer();
    if (box == nullptr) {
        return;
    }
    const Rect inner =
        deflate(rect, control.window() != nullptr ? control.window()->dpiScale().scale(box->inset())
                                                  : box->inset());
    if (const auto* list = dynamic_cast<List*>(box)) {
        stack(*box, inner, Axis{true}, list->scrollOffset());
    } else if (dynamic_cast<VerticalLayout*>(box) != nullptr) {
        stack(*box, inner, Axis{true});
    } else if (dynamic_cast<HorizontalLayout*>(box) != nullptr) {
        stack(*box, inner, Axis{false});
    } else {
        fill(*box, inner);
    }
    for (const auto& child : box->children()) {
        if (child->visible() && child->floating()) {
            const Rect p = child->scaledPos();
            layoutControl(*child, {rect.left + p.left, rect.top + p.top, rect.left + p.right,
                                   rect.top + p.bottom});
        }
    }
}

void layoutWindow(Window& window) {
    if (Control* root = window.root()) {
        const Size size = window.scaledSize();
        layoutControl(*root, {0, 0, size.cx, size.cy});
    }
}

} // namespace morva::ui
