#include "ui/controls/custom_controls.h"

#include "ui/controls/chart_view.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/cloud_share_list_item.h"
#include "ui/controls/combo_edit_container_element.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/hand_img_select_button.h"
#include "ui/controls/mp_device_power.h"
#include "ui/controls/redio_macro_button.h"
#include "ui/controls/select_panel.h"
#include "ui/controls/wnd_ui.h"
#include "ui/toolkit/control_factory.h"

#include <string>

namespace morva::ui {
namespace {

template <typename T> void registerBoth(ControlFactory& factory, std::string_view factoryName) {
    const auto make = [] {
        return std::make_unique<T>();
    };
    factory.registerClass(factoryName, make);
    factory.registerClass(T::kClassName, make);
}

} // namespace

void registerCustomControls(ControlFactory& factory) {
    registerBoth<CSelectPanelUI>(factory, "CSelectPanelUI");
    registerBoth<CDeviceKeyButtonUI>(factory, "CDeviceKeyButtonUI");
    registerBoth<CMpDevicePowerUI>(factory, "CMpDevicePowerUI");
    registerBoth<CHandImgButtonUI>(factory, CHandImgButtonUI::kFactoryName);
    registerBoth<CHandImgSelectButtonUI>(factory, CHandImgSelectButtonUI::kFactoryName);
    registerBoth<CRedioMacroButtonUI>(factory, CRedioMacroButtonUI::kFactoryName);
    registerBoth<CCircleProgressUI>(factory, CCircleProgressUI::kFactoryName);
    registerBoth<CChartViewUI>(factory, CChartViewUI::kFactoryName);
    registerBoth<CWndUI>(factory, CWndUI::kFactoryName);
    registerBoth<CComboEditContainerElementUI>(factory, CComboEditContainerElementUI::kFactoryName);
    registerBoth<CCloudShareListItemUI>(factory, CCloudShareListItemUI::kFactoryName);
}

} // namespace morva::ui
