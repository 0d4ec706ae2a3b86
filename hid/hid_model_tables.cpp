#include "hid/hid_model_tables.h"

#include "base/text.h"

namespace morva {
namespace {

InterfaceSlot row(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                  uint16_t collectionNumber, uint16_t deviceType, uint16_t role, uint16_t usagePage,
                  uint16_t usage) {
    InterfaceSlot slot;
    slot.vendorId = vendorId;
    slot.productId = productId;
    slot.interfaceNumber = interfaceNumber;
    slot.collectionNumber = collectionNumber;
    slot.deviceType = deviceType;
    slot.role = role;
    slot.usagePage = usagePage;
    slot.usage = usage;
    return slot;
}

constexpr std::string_view kTabXml = "XML\\CustomControlXML\\DeviceOption.xml";
constexpr std::string_view kTabHeader = "tab_header_device";
constexpr std::string_view kPowerContainer = "device_power_switch";

} // namespace

const std::array<InterfaceSlot, kSupportedInterfaceCount>& SupportedInterfaceTable() {
    static const std::array<InterfaceSlot, kSupportedInterfaceCount> table = {
        row(0x0C45, 0x8501, 1, 4, kDeviceKeyboard, kRolePrimary, 0xFF1C, 0x0092),
        row(0x0C45, 0x8501, 1, 3, kDeviceKeyboard, kRoleCompanion, 0x000C, 0x0001),
        row(0x0000, 0x0000, 1, 4, kDeviceMouse, kRolePrimary, 0xFF1C, 0x0092),
        row(0x0000, 0x0000, 1, 3, kDeviceMouse, kRoleCompanion, 0x000C, 0x0001),
        row(0x0000, 0x0000, 1, 4, kDeviceMousePad, kRolePrimary, 0xFF1C, 0x0092),
        row(0x0000, 0x0000, 1, 3, kDeviceMousePad, kRoleCompanion, 0x000C, 0x0001),
        row(0x0000, 0x0000, 3, 0, kDeviceHeadset, kRolePrimary, 0x000C, 0x0001),
        row(0x0000, 0x0000, 1, 4, kDeviceKeyboard, kRolePrimary, 0xFF1C, 0x0092),
        row(0x0000, 0x0000, 1, 3, kDeviceKeyboard, kRoleCompanion, 0x000C, 0x0001),
    };
    return table;
}

const std::array<DeviceTabRow, kDeviceTabCount>& DeviceTabTable() {
    static const std::array<DeviceTabRow, kDeviceTabCount> table = {{
        {kTabXml, kTabHeader, kPowerContainer, "mouse", 1, 0, 0, kDeviceMouse, 0},
        {kTabXml, kTabHeader, kPowerContainer, "keyboard", 0, 0x0C45, 0x8501, kDeviceKeyboard, 0},
        {kTabXml, kTabHeader, kPowerContainer, "MousePad", 2, 0, 0, kDeviceMousePad, 0},
        {kTabXml, kTabHeader, kPowerContainer, "HD", 3, 0, 0, kDeviceHeadset, 0},
        {kTabXml, kTabHeader, kPowerContainer, "keyboard123", 4, 0, 0, kDeviceKeyboard, 0},
    }};
    return table;
}

const DeviceTabRow* findDeviceTab(std::string_view name) {
    for (const DeviceTabRow& row : DeviceTabTable()) {
        if (equalsIgnoreCase(row.tabName, name)) {
            return &row;
        }
    }
    return nullptr;
}

bool slotMatchesTab(const InterfaceSlot& slot, const DeviceTabRow& row) {
    return slot.vendorId == row.vendorId && slot.productId == row.productId &&
           slot.deviceType == row.deviceType && slot.role == row.role;
}

const std::array<DevicePageRow, kDeviceTabCount>& DevicePageTable() {
    static const std::array<DevicePageRow, kDeviceTabCount> table = {{
        {6, 7, 0, -1, "XML\\DeviceXml\\mousedevice.xml", "tavro_light"},
        {126, 126, 0, -1, "XML\\DeviceXml\\keyboarddevice.xml", "tavro_light"},
        {15, 0, 0, -1, "XML\\DeviceXml\\mousepaddevice.xml", "tavro_light"},
        {13, 0, 0, -1, "XML\\DeviceXml\\hs6533device.xml", "tavro_light"},
        {126, 126, 0, -1, "XML\\DeviceXml\\keyboarddevice_Q7T.xml", "tavro_light"},
    }};
    return table;
}

const std::array<ProductRecord, kProductCount>& ProductTable() {
    static const std::array<ProductRecord, kProductCount> table = {{
        {1, 1, 0, "TAVRO", "QN20M13B", "BX2", "BX2", ""},
        {1, 1, 0, "TAVRO", "QN20M12B", "QT4410-VIGOR MORVA", "LX604", "0.1.0.0"},
        {2, 1, 0, "TAVRO", "QN20M05B_1", "R77", "R77", ""},
        {1, 1, 0, "morva", "QN20M05B_1", "QT4410-VIGOR MORVA", "LX604", "0.1.0.0"},
        {0, 1, 0, "morva", "ALL", "R77_BX2_BX4", "QT4410-VIGOR MORVA", "V0.1.0.0"},
    }};
    return table;
}

} // namespace morva
