#include "app/update_entries.h"

#include "app/device_manager.h"
#include "app/device_option.h"
#include "device/usb_device.h"
#include "hid/hid_product_list.h"

namespace morva::app {

uint32_t softwareVersionNumber(std::string_view dottedVersion) {
    uint32_t number = 0;
    for (const char c : dottedVersion) {
        if (c >= '0' && c <= '9') {
            number = number * 10 + static_cast<uint32_t>(c - '0');
        }
    }
    return number;
}

std::vector<update::UpdateEntry> updateEntries(const DeviceManager& devices,
                                               uint32_t softwareVersion) {
    const auto tabVersion = [&devices](size_t tab) -> uint32_t {
        const auto& tabs = devices.tabs();
        device::CKestraneUSBDevice* device = tab < tabs.size() ? tabs[tab]->device() : nullptr;
        return device != nullptr ? device->HidVersion() : 0;
    };
    std::vector<update::UpdateEntry> entries;
    for (const hid::ProductRecord& record : hid::buildProductList(tabVersion, softwareVersion)) {
        entries.push_back({.kind = record.kind,
                           .installedVersion = record.versionNumber,
                           .modelCode = record.modelCode,
                           .name = record.secondName,
                           .versionText = record.versionText});
    }
    return entries;
}

} // namespace morva::app
