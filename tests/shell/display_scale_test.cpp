#include "app/display_scale.h"
#include "base/trace.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva {
namespace {

struct MonitorCase {
    int width;
    int height;
    app::DisplayAdjustment expected;
};

TEST(DisplayScaleTest, LargeMonitorsGetScaleOneAndAHalfAndSmallOnesAScaleThatFits) {
    const app::DisplayAdjustment base{96, 1.0, 1000, 640};
    const app::DisplayAdjustment large{144, 1.5, 1500, 960};
    const std::vector<MonitorCase> cases = {
        {1920, 1080, large},
        {2560, 1440, large},
        {1501, 961, large},
        {1366, 768, base},
        {1500, 1080, base},
        {1920, 960, base},
        {1280, 1024, base},
        {0, 0, base},
        {-1920, -1080, base},
        {1000, 640, base},
        // 1366 x 768 scaled by 1.5 leaves 910 x 512: the window shrinks until it fits.
        {910, 512, {72, 0.75, 750, 480}},
        {999, 800, {72, 0.75, 750, 480}},
        {700, 460, {48, 0.5, 500, 320}},
        {400, 300, {48, 0.5, 500, 320}},
    };
    for (const MonitorCase& monitor : cases) {
        SCOPED_TRACE(testing::Message() << monitor.width << "x" << monitor.height);
        EXPECT_EQ(app::displayAdjustmentForMonitor(monitor.width, monitor.height),
                  monitor.expected);
    }
}

TEST(DisplayScaleTest, UnsupportedDpisFallBackTo96WithATrace) {
    std::vector<std::string> lines;
    setTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    for (int dpi : {48, 72, 96, 120, 144, 168, 192}) {
        EXPECT_EQ(app::supportedDpiOrBase(dpi), dpi);
    }
    EXPECT_TRUE(lines.empty());
    for (int dpi : {0, 97, 100, 240, -96}) {
        EXPECT_EQ(app::supportedDpiOrBase(dpi), 96);
    }
    setTraceSink(nullptr);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "MAIN_WND DPI SET ERROR\n");
}

} // namespace
} // namespace morva
