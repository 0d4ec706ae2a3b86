#pragma once

#include "ui/toolkit/geometry.h"

namespace morva::ui {

// Sizes in skin files are written for 96 DPI; a window at another DPI scales them by DPI / 96.
class DpiScale {
public:
    static constexpr int kBaseDpi = 96;

    DpiScale() = default;
    explicit DpiScale(int dpi) { setDpi(dpi); }

    int dpi() const { return dpi_; }
    // Non-positive values are refused: they would collapse every size to nothing.
    bool setDpi(int dpi) {
        if (dpi <= 0) {
            return false;
        }
        dpi_ = dpi;
        return true;
    }

    // Rounded to the nearest pixel, halves away from zero, so 1 px at 144 DPI becomes 2 px.
    int scale(int value) const {
        const long long product = static_cast<long long>(value) * dpi_;
        const long long half = kBaseDpi / 2;
        return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                             : (product - half) / kBaseDpi);
    }
    Size scale(Size s) const { return {scale(s.cx), scale(s.cy)}; }
    Point scale(Point p) const { return {scale(p.x), scale(p.y)}; }
    Rect scale(Rect r) const {
        return {scale(r.left), scale(r.top), scale(r.right), scale(r.bottom)};
    }
    // The skin size that shows as this many pixels, rounded to the nearest like scale().
    int unscale(int value) const {
        const long long product = static_cast<long long>(value) * kBaseDpi;
        const long long half = dpi_ / 2;
        return static_cast<int>(product >= 0 ? (product + half) / dpi_ : (product - half) / dpi_);
    }
    Size unscale(Size s) const { return {unscale(s.cx), unscale(s.cy)}; }

private:
    int dpi_ = kBaseDpi;
};

} // namespace morva::ui
