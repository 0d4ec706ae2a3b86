#include "hid/device_model_catalog.h"

#include "base/program_location.h"
#include "base/text.h"
#include "base/trace.h"

#include <algorithm>
#include <numeric>

namespace morva::hid {
namespace {

InterfaceSlot slotOf(const DeviceModel& model, const ModelInterface& row) {
    InterfaceSlot slot;
    slot.vendorId = model.vendorId;
    slot.productId = model.productId;
    slot.interfaceNumber = row.interfaceNumber;
    slot.collectionNumber = row.collectionNumber;
    slot.deviceType = model.deviceType;
    slot.role = row.role;
    slot.usagePage = row.usagePage;
    slot.usage = row.usage;
    return slot;
}

DeviceTabRow tabOf(const DeviceModel& model) {
    DeviceTabRow tab;
    tab.tabXml = kDeviceTabXml;
    tab.headerControl = kDeviceTabHeaderControl;
    tab.powerContainer = kDevicePowerContainer;
    tab.tabName = model.tabName;
    tab.modelIndex = model.modelIndex;
    tab.vendorId = model.vendorId;
    tab.productId = model.productId;
    tab.deviceType = model.deviceType;
    tab.role = kRolePrimary;
    return tab;
}

} // namespace

std::string DeviceModel::displayName(std::string_view language) const {
    for (std::string_view wanted : {language, std::string_view("en_US")}) {
        if (const auto found = displayNames.find(wanted); found != displayNames.end()) {
            return found->second;
        }
    }
    return tabName;
}

DeviceModelCatalog::DeviceModelCatalog(std::vector<DeviceModel> models, ProductRecord software)
    : models_(std::move(models)) {
    std::vector<size_t> byDiscovery(models_.size());
    std::iota(byDiscovery.begin(), byDiscovery.end(), size_t{0});
    std::stable_sort(byDiscovery.begin(), byDiscovery.end(), [this](size_t a, size_t b) {
        return models_[a].discoveryOrder < models_[b].discoveryOrder;
    });
    for (const size_t index : byDiscovery) {
        for (const ModelInterface& row : models_[index].interfaces) {
            interfaces_.push_back(slotOf(models_[index], row));
            interfaceModels_.push_back(index);
        }
    }
    for (size_t row = 0; row < models_.size(); ++row) {
        tabs_.push_back(tabOf(models_[row]));
        pages_.push_back(models_[row].page);
        if (models_[row].product) {
            products_.push_back(*models_[row].product);
            products_.back().tabRow = static_cast<int>(row);
        }
    }
    software.tabRow = -1;
    products_.push_back(std::move(software));
}

const DeviceTabRow* DeviceModelCatalog::findTab(std::string_view name) const {
    const auto found = std::find_if(tabs_.begin(), tabs_.end(), [name](const DeviceTabRow& row) {
        return equalsIgnoreCase(row.tabName, name);
    });
    return found == tabs_.end() ? nullptr : &*found;
}

namespace {

struct InstalledModels {
    DeviceModelCatalog catalog;
    std::string error;
};

const InstalledModels& installed() {
    static const InstalledModels models = [] {
        DeviceModelFile file = readDeviceModelFile(shippedFilesFolder() / kDeviceModelsFileName);
        if (!file.catalog) {
            trace("device models: %s\n", file.error.c_str());
            return InstalledModels{{}, std::move(file.error)};
        }
        return InstalledModels{std::move(*file.catalog), {}};
    }();
    return models;
}

} // namespace

const DeviceModelCatalog& installedDeviceModels() {
    return installed().catalog;
}

const std::string& installedDeviceModelsError() {
    return installed().error;
}

} // namespace morva::hid
