#include "cli/profile_device.h"

#include "hid/hid_model_tables.h"
#include "profiles/data_folders.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"

namespace morva::cli {

std::filesystem::path ProfileDevice::dataFolder() const {
    return profiles::folders::deviceDataFolder(folderName);
}

std::filesystem::path ProfileDevice::defaultProfilePath() const {
    return profiles::folders::defaultProfilePath(folderName);
}

std::optional<ProfileDevice> findProfileDevice(std::string_view name) {
    const hid::DeviceTabRow* row = hid::findDeviceTab(name);
    if (row == nullptr) {
        return std::nullopt;
    }
    const size_t index = static_cast<size_t>(row - hid::DeviceTabTable().data());
    const hid::DevicePageRow& page = hid::DevicePageTable()[index];
    return ProfileDevice{row->tabName, row->deviceType, page.ledCount, page.lightFolder};
}

std::string deviceNames() {
    std::string names;
    for (const hid::DeviceTabRow& row : hid::DeviceTabTable()) {
        names += names.empty() ? "" : ", ";
        names += row.tabName;
    }
    return names;
}

std::optional<ProfileDevice> findProfileDeviceOrSay(CliContext& context, std::string_view name) {
    std::optional<ProfileDevice> device = findProfileDevice(name);
    if (!device) {
        context.err << "morvactl: unknown device \"" << name
                    << "\"; the devices are: " << deviceNames() << "\n";
    }
    return device;
}

std::unique_ptr<profiles::ProfileList> loadProfileList(CliContext& context,
                                                       const ProfileDevice& device) {
    const std::filesystem::path folder = device.dataFolder();
    auto list = std::make_unique<profiles::ProfileList>(folder, device.defaultProfilePath(),
                                                        device.deviceType);
    const profiles::ProfileResult loaded = list->load();
    if (!loaded.ok()) {
        context.err << "morvactl: cannot read or create the profile list in " << folder.string()
                    << ": " << profiles::describeProfileStatus(loaded.status) << "\n";
        return nullptr;
    }
    if (loaded.notice != profiles::ProfileNotice::None) {
        context.err << "morvactl: note: " << profiles::describeProfileNotice(loaded.notice) << "\n";
    }
    return list;
}

namespace {

std::unique_ptr<profiles::CBasicProfiledata> makeProfileObject(uint16_t deviceType) {
    switch (deviceType) {
    case hid::kDeviceKeyboard:
        return std::make_unique<profiles::CKeyboardProfiledata>();
    case hid::kDeviceMouse:
    case hid::kDeviceWirelessMouse:
        return std::make_unique<profiles::CMouseProfiledata>();
    default:
        return std::make_unique<profiles::CBasicProfiledata>();
    }
}

} // namespace

std::unique_ptr<SelectedProfile> loadSelectedProfile(CliContext& context,
                                                     const ProfileDevice& device) {
    const std::unique_ptr<profiles::ProfileList> list = loadProfileList(context, device);
    if (!list) {
        return nullptr;
    }
    const int index = list->selectedIndex();
    if (index < 0) {
        context.err << "morvactl: " << device.folderName << " has no selected profile\n";
        return nullptr;
    }
    auto selected = std::make_unique<SelectedProfile>();
    selected->name = list->entries()[static_cast<size_t>(index)].name;
    selected->path = device.dataFolder() / (list->selectedIdentifier() +
                                            std::string(profiles::folders::kProfileExtension));
    selected->data = makeProfileObject(device.deviceType);
    profiles::CBasicProfiledata& data = *selected->data;
    data.SetDefaultProfilePath(device.defaultProfilePath());
    data.SetProfilePath(selected->path);
    data.SetLightConfigPath(device.dataFolder() / (device.lightFolder + ".config"));
    data.LoadDeviceEntry(selected->path);
    return selected;
}

} // namespace morva::cli
