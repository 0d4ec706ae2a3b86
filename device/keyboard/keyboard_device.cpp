#include "device/keyboard/keyboard_device.h"

#include "base/trace.h"
#include "device/device_macros.h"
#include "device/keyboard/keyboard_system_page.h"

namespace morva::device {

CKestraneKeyboardDevice::CKestraneKeyboardDevice() : KeyAssignedDevice(hid::kDeviceKeyboard) {}

CKestraneKeyboardDevice::~CKestraneKeyboardDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

bool CKestraneKeyboardDevice::ReadTables() {
    DeviceCommandChannel& channel = commandChannel();
    channel.beginTransaction();
    const int infoResult = channel.readDeviceInfo(info_);
    const size_t tableBytes = info_.keyTableBytes();
    bool read = infoResult >= 0 && tableBytes <= kKeyboardKeyTableLimit &&
                channel.setBlockLength(static_cast<uint16_t>(tableBytes));
    std::vector<uint8_t> keyTable(kKeyboardKeyTableLimit, 0);
    std::vector<uint8_t> ledTable(kKeyboardKeyTableLimit, 0);
    read = read && channel.readKeyTable(keyTable) >= 0 && channel.readLedIndexTable(ledTable) >= 0;
    channel.endTransaction();
    if (!read) {
        trace("keyboard: the key tables could not be read (%zu bytes)\n", tableBytes);
        maps_ = {};
        deviceKeyTable_.clear();
        keyMap_.clear();
        ledMap_.clear();
        return false;
    }
    keyTable.resize(tableBytes);
    ledTable.resize(info_.keyCount());
    deviceKeyTable_ = keyTable;
    maps_ = buildKeyboardKeyMaps(keyTable, ledTable);
    keyMap_.clear();
    ledMap_.clear();
    for (size_t position = 0; position < kKeyPositionCount; ++position) {
        keyMap_[static_cast<int>(position)] = maps_.deviceKey[position];
        ledMap_[static_cast<int>(position)] = maps_.led[position];
    }
    return true;
}

void CKestraneKeyboardDevice::RefreshDeviceInfo() {
    if (commandChannel().isOpen()) {
        DeviceInfoRecord fresh;
        if (commandChannel().readDeviceInfo(fresh) >= 0) {
            info_ = fresh;
        }
    }
}

void CKestraneKeyboardDevice::Connect() {
    if (!commandChannel().isOpen()) {
        return;
    }
    tablesRead_ = ReadTables();
    KeyAssignedDevice::Connect();
}

int CKestraneKeyboardDevice::ApplyProfile() {
    KeyAssignedDevice::ApplyProfile();
    return LoadLightSettings();
}

KeyboardSettings CKestraneKeyboardDevice::ProfileSettings(uint8_t profileIndex) {
    return {profileIndex, profile_.ReadLightInfo(), profile_.ReadKeyboardSystem()};
}

void CKestraneKeyboardDevice::ReadSettings() {
    DeviceCommandChannel& channel = commandChannel();
    channel.setSynchronised(false);
    if (!channel.isOpen()) {
        return;
    }
    uint8_t profileIndex = 0;
    KeyboardSettingsBlock block{};
    if (channel.readSettings(0, std::span(&profileIndex, 1)) < 0 ||
        channel.readSettings(static_cast<uint16_t>(profileIndex * kKeyboardSettingsStride), block) <
            0) {
        // Zeros in place of what could not be read would overwrite the user's settings.
        trace("keyboard: the settings block could not be read back\n");
        return;
    }
    const KeyboardSettings read = decodeKeyboardSettings(block, ProfileSettings(profileIndex));
    profile_.WriteLightInfo(read.light);
    profile_.WriteKeyboardSystem(read.system);
    SaveProfile();
    LoadLightSettings();
    RefreshPage();
}

int CKestraneKeyboardDevice::WriteSettings(const SettingsWriteRequest& request) {
    const KeyboardSettingsBlock block =
        encodeKeyboardSettings(ProfileSettings(static_cast<uint8_t>(request.profileIndex)));
    DeviceCommandChannel& channel = commandChannel();
    if (!channel.isOpen()) {
        return 0;
    }
    channel.beginTransaction();
    const int result = channel.writeSettings(
        static_cast<uint16_t>(request.profileIndex * kKeyboardSettingsStride), block);
    channel.endTransaction();
    if (result < 0) {
        trace("keyboard: writing the settings block failed (%d)\n", result);
    }
    return 0;
}

int CKestraneKeyboardDevice::WriteKeyTable(int profileIndex,
                                           std::vector<profiles::KeyAssignmentRecord> keys) {
    RefreshDeviceInfo();
    if (!tablesRead_ || !commandChannel().isOpen()) {
        return 0;
    }
    const std::vector<uint8_t> table = keyboardKeyTableFor(deviceKeyTable_, maps_, keys);
    DeviceCommandChannel& channel = commandChannel();
    channel.beginTransaction();
    const int result = channel.writeKeyTable(static_cast<uint8_t>(profileIndex), table);
    channel.endTransaction();
    if (result < 0) {
        trace("keyboard: writing the key table failed (%d)\n", result);
    }
    return 0;
}

int CKestraneKeyboardDevice::WriteCurrentKeyTable(int profileIndex) {
    return WriteKeyTable(profileIndex, keys_.keys());
}

int CKestraneKeyboardDevice::WriteMacros() {
    RefreshDeviceInfo();
    const MacroImage image = readDeviceMacroImage(UserDataFolder());
    if (image.records.empty()) {
        return 0;
    }
    const int excess = macroImageExcess(macroImageLength(image), info_.macroMemoryBytes());
    if (excess > 0) {
        trace("keyboard: the macros are %d events too long for the keyboard\n", excess);
        return excess;
    }
    DeviceCommandChannel& channel = commandChannel();
    if (!channel.isOpen()) {
        return 0;
    }
    channel.beginTransaction();
    const int result = channel.writeMacroImage(encodeMacroImage(image));
    channel.endTransaction();
    if (result < 0) {
        trace("keyboard: writing the macros failed (%d)\n", result);
    }
    return 0;
}

void CKestraneKeyboardDevice::RefreshPage() {
    KeyAssignedDevice::RefreshPage();
    keyboard_system::show(*this, profile_.ReadKeyboardSystem());
}

void CKestraneKeyboardDevice::ChangeSystem(
    const std::function<void(profiles::KeyboardSystemRecord&)>& change, bool send,
    const SettingsWriteRequest& request) {
    profiles::KeyboardSystemRecord system = profile_.ReadKeyboardSystem();
    change(system);
    profile_.WriteKeyboardSystem(system);
    SaveProfile();
    RefreshPage();
    if (send) {
        WriteSettings(request);
    }
}

void CKestraneKeyboardDevice::ShowFunctionPanels(int kind) {
    KeyAssignedDevice::ShowFunctionPanels(kind);
    if (ui::Control* fn = keyButton(kFnKeyPosition); fn != nullptr && (kind == 1 || kind == 2)) {
        fn->setEnabled(kind == 1);
    }
}

void CKestraneKeyboardDevice::HandleEventCode(uint16_t code) {
    if (code == kSynchronisationRequest) {
        trace("接收到自动添加设备的同步信息要求\n");
        StartTabTimer(tab_timer::kReadSettings, kReadSettingsDelayMs);
    }
}

} // namespace morva::device
