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
    return monitorWidth > 1500 && monitorHeight > 960 ? kLargeMonitorDpi : kBaseDpi;
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
