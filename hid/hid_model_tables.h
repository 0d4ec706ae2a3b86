#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The static tables that describe the supported models: which HID interfaces are supported,
// the device-bar tab and the page of each model, and the product records of the update check.
namespace morva {

enum DeviceType : uint16_t {
    kDeviceKeyboard = 1,
    kDeviceMouse = 2,
    kDeviceMousePad = 3,
    kDeviceWirelessMouse = 6,
    kDeviceHeadset = 7,
};

enum InterfaceRole : uint16_t {
    kRolePrimary = 0x0000,   // the vendor collection that carries the command channel
    kRoleCompanion = 0x00FF, // the consumer collection, opened as the event channel
};

struct InterfaceSlot {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t deviceType = 0;
    uint16_t role = 0;
    uint16_t connected = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPartner = 0;
    uint16_t partnerIndex = 0;
    std::wstring path;

    bool isFree() const { return connected == 0 && path.empty(); }
};

inline constexpr size_t kSupportedInterfaceCount = 9;
const std::array<InterfaceSlot, kSupportedInterfaceCount>& SupportedInterfaceTable();

struct DeviceTabRow {
    std::string_view tabXml;
    std::string_view headerControl;
    std::string_view powerContainer;
    std::string_view tabName;
    int modelIndex = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t deviceType = 0;
    uint16_t role = 0;
};

inline constexpr size_t kDeviceTabCount = 5;
const std::array<DeviceTabRow, kDeviceTabCount>& DeviceTabTable();

// The tab row whose tab name is `name`, ignoring case; null for none.
const DeviceTabRow* findDeviceTab(std::string_view name);
// Whether a slot belongs to a tab row: the row's vendor, product, device type and role.
bool slotMatchesTab(const InterfaceSlot& slot, const DeviceTabRow& row);

struct DevicePageRow {
    int ledCount = 0;
    int keyCount = 0;
    int powerDisplay = 0;
    int mousePageValue = 0;
    std::string_view pageXml;
    std::string_view lightFolder;
};

const std::array<DevicePageRow, kDeviceTabCount>& DevicePageTable();

struct ProductRecord {
    int kind = 0;     // 0 the software itself, 1 or 2 device firmware
    int integer2 = 0; // carried, not used
    uint32_t versionNumber = 0;
    std::string brand;
    std::string modelCode;
    std::string firstName;
    std::string secondName;
    std::string versionText;
};

inline constexpr size_t kProductCount = 5;
const std::array<ProductRecord, kProductCount>& ProductTable();

} // namespace morva
