#include "app/display_scale.h"

#include "base/trace.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace morva::app {
namespace {

constexpr std::array kSupportedDpis = {48, 72, 96, 120, 144, 168, 192};

int scaled(int size, double scale) {
    return static_cast<int>(std::lround(size * scale));
}

} // namespace

int dpiForMonitor(int monitorWidth, int monitorHeight) {
    if (monitorWidth > 1500 && monitorHeight > 960) {
        return kLargeMonitorDpi;
    }
    // A small or strongly scaled screen: the largest smaller scale at which the whole window,
    // title-bar buttons included, stays on it. A size not known keeps the base.
    const bool known = monitorWidth > 0 && monitorHeight > 0;
    for (const int dpi : {kBaseDpi, 72}) {
        const double scale = static_cast<double>(dpi) / kBaseDpi;
        if (!known || (scaled(kMainWindowWidth, scale) <= monitorWidth &&
                       scaled(kMainWindowHeight, scale) <= monitorHeight)) {
            return dpi;
        }
    }
    return 48;
}

int supportedDpiOrBase(int dpi) {
    if (std::find(kSupportedDpis.begin(), kSupportedDpis.end(), dpi) != kSupportedDpis.end()) {
        return dpi;
    }
    trace("MAIN_WND DPI SET ERROR\n");
    return kBaseDpi;
}

DisplayAdjustment displayAdjustmentForMonitor(int monitorWidth, int monitorHeight) {
    DisplayAdjustment adjustment;
    adjustment.dpi = supportedDpiOrBase(dpiForMonitor(monitorWidth, monitorHeight));
    adjustment.scale = static_cast<double>(adjustment.dpi) / kBaseDpi;
    adjustment.width = scaled(kMainWindowWidth, adjustment.scale);
    adjustment.height = scaled(kMainWindowHeight, adjustment.scale);
    return adjustment;
}

} // namespace morva::app
