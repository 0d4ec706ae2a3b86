#include "hid/hid_model_tables.h"

#include "hid/device_model_catalog.h"

namespace morva::hid {

const std::vector<InterfaceSlot>& SupportedInterfaceTable() {
    return installedDeviceModels().supportedInterfaces();
}

const std::vector<DeviceTabRow>& DeviceTabTable() {
    return installedDeviceModels().tabs();
}

const std::vector<DevicePageRow>& DevicePageTable() {
    return installedDeviceModels().pages();
}

const std::vector<ProductRecord>& ProductTable() {
    return installedDeviceModels().products();
}

const DeviceTabRow* findDeviceTab(std::string_view name) {
    return installedDeviceModels().findTab(name);
}

bool slotMatchesTab(const InterfaceSlot& slot, const DeviceTabRow& row) {
    return slot.vendorId == row.vendorId && slot.productId == row.productId &&
           slot.deviceType == row.deviceType && slot.role == row.role;
}

} // namespace morva::hid
