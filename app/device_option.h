#pragma once

#include "ui/toolkit/container.h"
#include "ui/toolkit/option.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// The four pictures of a device-bar tab and the language key of its type name.
struct DeviceTypeImages {
    std::string normal;
    std::string selected;
    std::string synchroNormal;
    std::string synchroSelected;
    std::string nameTextKey;
};

// The images of a device type and role; none (empty stem) for a mouse pad of another role,
// whose images stay as they were.
bool deviceTypeImages(uint16_t deviceType, uint16_t role, DeviceTypeImages& images);

// One tab of the device bar: the option that selects the model's page ("device_select"), the
// synchronisation mark ("synchro_device_select") and the name ("device_select_name"). Its timers
// drive its device object.
class CDeviceOptionUI : public ui::HorizontalLayout {
public:
    static constexpr std::string_view kClassName = "DeviceOption";
    static constexpr std::string_view kFactoryName = "CDeviceOptionUI";
    static constexpr std::string_view kOptionName = "device_select";
    static constexpr std::string_view kSynchroMarkName = "synchro_device_select";
    static constexpr std::string_view kNameLabelName = "device_select_name";

    std::string_view className() const override { return kClassName; }

    ui::Option* option() const;
    bool isSelected() const;

    // Gives the tab its device, which stores the tab in turn.
    void setDevice(device::CKestraneUSBDevice* device);
    device::CKestraneUSBDevice* device() const { return device_; }
    void setSelectPanel(ui::Control* panel);
    ui::Control* selectPanel() const { return selectPanel_.get(); }

    void setPowerContainer(std::string name, int index);
    const std::string& powerContainer() const { return powerContainer_; }
    int powerIndex() const { return powerIndex_; }

    // Shows or hides the tab and keeps the visible flag in step.
    void setTabVisible(bool visible);
    bool tabVisible() const { return tabVisible_; }

    // The type and role give the images (a tab starts with those of an unknown device).
    void setTypeImages(uint16_t deviceType, uint16_t role);
    uint16_t deviceType() const { return deviceType_; }
    uint16_t role() const { return role_; }
    const DeviceTypeImages& images() const { return images_; }

    // The synchronisation mark; while set the option shows the synchronised images.
    void setSynchronised(bool synchronised);
    bool synchronised() const;

protected:
    // A click anywhere on the tab (its picture or its name) selects it, as the option does.
    void handleEvent(const ui::UiEvent& e) override;

private:
    void applyImages();

    device::CKestraneUSBDevice* device_ = nullptr;
    ui::ControlRef selectPanel_;
    std::string powerContainer_;
    int powerIndex_ = -1;
    bool tabVisible_ = true;
    uint16_t deviceType_ = 0;
    uint16_t role_ = 0;
    DeviceTypeImages images_ = unknownImages();

    static DeviceTypeImages unknownImages();
};

} // namespace morva::app
