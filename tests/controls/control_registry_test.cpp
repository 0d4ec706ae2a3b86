#include "ui/controls/custom_controls.h"
#include "ui/toolkit/control_factory.h"

#include <gtest/gtest.h>

namespace morva::ui::test {
namespace {

TEST(CustomControlRegistry, EveryClassNameAndSkinTagMakesItsControl) {
    ControlFactory factory;
    registerCustomControls(factory);
    const std::pair<const char*, const char*> names[] = {
        {"CDeviceKeyButtonUI", "DeviceKeyButton"},
        {"CSelectPanelUI", "SelectPanel"},
        {"CMpDevicePowerUI", "MpDevicePower"},
        {"CHandImgButtonUI", "HandImgButton"},
        {"CHandImgSelectButtonUI", "HandImgSelectButton"},
        {"CRedioMacroButtonUI", "RedioMacroButton"},
        {"CCircleProgressUI", "CircleProgress"},
        {"CChartViewUI", "ChartView"},
        {"CWndUI", "WndUI"},
        {"CComboEditContainerElementUI", "ComboEditContainerElement"},
        {"CCloudShareListItemUI", "CloudShareListItemUI"},
    };
    for (const auto& [className, tag] : names) {
        for (const char* asked : {className, tag}) {
            const auto control = factory.create(asked);
            ASSERT_NE(control, nullptr) << asked;
            EXPECT_EQ(control->className(), tag) << asked;
        }
    }
}

} // namespace
} // namespace morva::ui::test
