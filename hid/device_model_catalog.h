#pragma once

#include "base/program_location.h"
#include "hid/hid_model_tables.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The supported device models, as the device models file describes them, and the tables that
// discovery, the device manager and the update check read, built from them.
//
//     DeviceModelFile file = readDeviceModelFile(path);   // or installedDeviceModels()
//     if (!file.catalog) { report file.error; }
//     SlotList slots(file.catalog->supportedInterfaces());
namespace morva::hid {

// One row of a model's supported interfaces; the model gives the identifiers and the type.
struct ModelInterface {
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t role = kRolePrimary;
};

struct DeviceModel {
    // The device-bar tab's name; it also names the model's data folder and default data file.
    std::string tabName;
    // The name the device bar shows, by language name ("en_US", "zh_CN").
    std::map<std::string, std::string, std::less<>> displayNames;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t deviceType = 0;
    int modelIndex = 0;
    // Where the model's rows stand in the supported-interface table, relative to other models.
    int discoveryOrder = 0;
    std::vector<ModelInterface> interfaces;
    DevicePageRow page;
    std::optional<ProductRecord> product;

    // The display name in `language`, else the English one, else the tab name.
    std::string displayName(std::string_view language) const;
};

class DeviceModelCatalog {
public:
    DeviceModelCatalog() = default;
    // Models in device-bar order; the software's own product record goes last in products().
    DeviceModelCatalog(std::vector<DeviceModel> models, ProductRecord software);

    const std::vector<DeviceModel>& models() const { return models_; }
    // Every model's interface rows, the models taken by discovery order.
    const std::vector<InterfaceSlot>& supportedInterfaces() const { return interfaces_; }
    // The index in models() of the model a supported-interface row belongs to.
    size_t modelOfInterface(size_t row) const { return interfaceModels_.at(row); }
    // One row per model, in device-bar order; pages() is index-aligned with it.
    const std::vector<DeviceTabRow>& tabs() const { return tabs_; }
    const std::vector<DevicePageRow>& pages() const { return pages_; }
    const std::vector<ProductRecord>& products() const { return products_; }

    // The tab row whose tab name is `name`, ignoring case; null for none.
    const DeviceTabRow* findTab(std::string_view name) const;

private:
    std::vector<DeviceModel> models_;
    std::vector<InterfaceSlot> interfaces_;
    std::vector<size_t> interfaceModels_;
    std::vector<DeviceTabRow> tabs_;
    std::vector<DevicePageRow> pages_;
    std::vector<ProductRecord> products_;
};

// The models file is what marks a folder of shipped files.
inline constexpr std::string_view kDeviceModelsFileName = kShippedFilesMarker;
// The skin facts every device-bar tab shares.
inline constexpr std::string_view kDeviceTabXml = "XML\\CustomControlXML\\DeviceOption.xml";
inline constexpr std::string_view kDeviceTabHeaderControl = "tab_header_device";
inline constexpr std::string_view kDevicePowerContainer = "device_power_switch";

struct DeviceModelFile {
    std::optional<DeviceModelCatalog> catalog;
    std::string error; // what is wrong with the file, when there is no catalog
};

// Parses and checks a models file's text; the error names the model and the field at fault.
DeviceModelFile parseDeviceModels(std::string_view text);
DeviceModelFile readDeviceModelFile(const std::filesystem::path& path);

// The models shipped with the program: kDeviceModelsFileName in shippedFilesFolder(), read once.
// An empty catalog when it could not be read; installedDeviceModelsError() says why.
const DeviceModelCatalog& installedDeviceModels();
const std::string& installedDeviceModelsError();

} // namespace morva::hid
