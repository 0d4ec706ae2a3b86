#pragma once

namespace morva::ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Edges in the skin's order: left, top, right, bottom. Used for positions and for paddings.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Edges that touch count as intersecting.
    bool intersects(const Rect& o) const {
        return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace morva::ui
