#include "app/device_option.h"

#include "device/usb_device.h"

namespace morva::app {

namespace {

DeviceTypeImages imagesOfStem(std::string_view stem, std::string_view nameKey) {
    const std::string s(stem);
    return {s + "normal.svg", s + "selected.svg", s + "synchro_normal.svg",
            s + "synchro_selected.svg", std::string(nameKey)};
}

} // namespace

bool deviceTypeImages(uint16_t deviceType, uint16_t role, DeviceTypeImages& images) {
    switch (deviceType) {
    case 1:
        images = imagesOfStem("common/device_ico/kb_device_", "kb_device_name_text");
        break;
    case 2:
        images = imagesOfStem("common/device_ico/ms_device_", "ms_device_name_text");
        break;
    case 3:
        if (role == 0) {
            images = imagesOfStem("common/device_ico/hard_mp_device_", "hard_mp_device_name_text");
        } else if (role == 1) {
            images = imagesOfStem("common/device_ico/soft_mp_device_", "soft_mp_device_name_text");
        } else {
            return false;
        }
        break;
    case 4:
    case 7:
        images = imagesOfStem("common/device_ico/hd_device_", "hd_device_name_text");
        break;
    case 5:
        images = imagesOfStem("common/device_ico/hub_device_", "hub_device_name_text");
        break;
    default:
        images = imagesOfStem("common/device_ico/unknow_device_", "unknow_device_name_text");
        break;
    }
    return true;
}

DeviceTypeImages CDeviceOptionUI::unknownImages() {
    return imagesOfStem("common/device_ico/unknow_device_", "unknow_device_name_text");
}

ui::Option* CDeviceOptionUI::option() const {
    return findDescendantAs<ui::Option>(kOptionName);
}

bool CDeviceOptionUI::isSelected() const {
    const ui::Option* select = option();
    return select != nullptr && select->selected();
}

void CDeviceOptionUI::handleEvent(const ui::UiEvent& e) {
    if (e.type == ui::EventType::Click) {
        if (ui::Option* select = option(); select != nullptr && select->enabledInTree()) {
            select->activate();
            return;
        }
    }
    ui::HorizontalLayout::handleEvent(e);
}

void CDeviceOptionUI::setDevice(device::CKestraneUSBDevice* device) {
    device_ = device;
    if (device != nullptr) {
        device->SetTab(this);
    }
}

void CDeviceOptionUI::setSelectPanel(ui::Control* panel) {
    selectPanel_ = panel != nullptr ? panel->ref() : ui::ControlRef{};
}

void CDeviceOptionUI::setPowerContainer(std::string name, int index) {
    powerContainer_ = std::move(name);
    powerIndex_ = index;
}

void CDeviceOptionUI::setTabVisible(bool visible) {
    tabVisible_ = visible;
    setVisible(visible);
}

void CDeviceOptionUI::setTypeImages(uint16_t deviceType, uint16_t role) {
    deviceType_ = deviceType;
    role_ = role;
    if (deviceTypeImages(deviceType, role, images_)) {
        applyImages();
    }
}

void CDeviceOptionUI::setSynchronised(bool synchronised) {
    if (auto* mark = findDescendantAs<ui::Option>(kSynchroMarkName)) {
        mark->setSelected(synchronised, false);
    }
    applyImages();
}

bool CDeviceOptionUI::synchronised() const {
    const auto* mark = findDescendantAs<ui::Option>(kSynchroMarkName);
    return mark != nullptr && mark->selected();
}

void CDeviceOptionUI::applyImages() {
    ui::Option* select = option();
    if (select == nullptr) {
        return;
    }
    const bool synchro = synchronised();
    const std::string& normal = synchro ? images_.synchroNormal : images_.normal;
    const std::string& selected = synchro ? images_.synchroSelected : images_.selected;
    select->setStateImage("normalimage", normal);
    select->setStateImage("hotimage", selected);
    select->setStateImage("selectedimage", selected);
}

} // namespace morva::app
