#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The tables that describe the supported models: which HID interfaces are supported, the
// device-bar tab and the page of each model, and the product records of the update check. They
// are built from the device models file (hid/device_model_catalog.h); the functions below give
// the tables of the models shipped with the program.
namespace morva::hid {

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

struct DeviceTabRow {
    std::string tabXml;
    std::string headerControl;
    std::string powerContainer;
    std::string tabName;
    int modelIndex = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t deviceType = 0;
    uint16_t role = 0;
};

struct DevicePageRow {
    int ledCount = 0;
    int keyCount = 0;
    int powerDisplay = 0;
    int mousePageValue = 0;
    std::string pageXml;
    std::string lightFolder;
};

struct ProductRecord {
    int kind = 0;     // 0 the software itself, 1 or 2 device firmware
    int integer2 = 0; // carried, not used
    uint32_t versionNumber = 0;
    std::string brand;
    std::string modelCode;
    std::string firstName;
    std::string secondName;
    std::string versionText;
    // The device-tab row whose device's version the record carries; -1 for the software itself.
    int tabRow = -1;
};

// The shipped models' tables. Empty when the models file could not be read (the front ends
// refuse to start then, saying why).
const std::vector<InterfaceSlot>& SupportedInterfaceTable();
const std::vector<DeviceTabRow>& DeviceTabTable();
// Index-aligned with the device-tab table.
const std::vector<DevicePageRow>& DevicePageTable();
// One record per model that has one, in tab order, and the software's record last.
const std::vector<ProductRecord>& ProductTable();

// The shipped tab row whose tab name is `name`, ignoring case; null for none.
const DeviceTabRow* findDeviceTab(std::string_view name);
// Whether a slot belongs to a tab row: the row's vendor, product, device type and role.
bool slotMatchesTab(const InterfaceSlot& slot, const DeviceTabRow& row);

} // namespace morva::hid
