#include "device/keyboard/keyboard_device.h"

#include "base/trace.h"
#include "device/device_macros.h"
#include "device/keyboard/keyboard_events.h"
#include "device/keyboard/keyboard_system_page.h"
#include "device/macro_exchange.h"

#include <algorithm>
#include <utility>

namespace morva::device {

CKestraneKeyboardDevice::CKestraneKeyboardDevice() : KeyAssignedDevice(hid::kDeviceKeyboard) {}

CKestraneKeyboardDevice::~CKestraneKeyboardDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneKeyboardDevice::RefreshDeviceInfo() {
    if (commandChannel().isOpen()) {
        DeviceInfoRecord fresh;
        if (commandChannel().readDeviceInfo(fresh) == kResultOk) {
            tables_.info = fresh;
        }
    }
}

void CKestraneKeyboardDevice::Connect() {
    if (!commandChannel().isOpen()) {
        return;
    }
    tables_ = keyboard::readTables(commandChannel());
    keyMap_.clear();
    ledMap_.clear();
    if (tables_.read) {
        for (size_t position = 0; position < kKeyPositionCount; ++position) {
            keyMap_[static_cast<int>(position)] = tables_.maps.deviceKey[position];
            ledMap_[static_cast<int>(position)] = tables_.maps.led[position];
        }
    } else {
        trace("keyboard: the key tables could not be read (%zu bytes)\n",
              tables_.info.keyTableBytes());
    }
    KeyAssignedDevice::Connect();
}

int CKestraneKeyboardDevice::ApplyProfile() {
    // Another profile in the same custom effect has groups of its own.
    loadedEffect_.reset();
    return KeyAssignedDevice::ApplyProfile();
}

int CKestraneKeyboardDevice::LoadLightSettings() {
    const int result = LoadLightSettingsFrom(profile_);
    const uint8_t effect = lightSettings().mode;
    if (std::exchange(loadedEffect_, effect) != effect && InCustomEffect()) {
        LoadCustomGroup();
    }
    return result;
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
    const std::optional<KeyboardSettings> read =
        keyboard::readSettings(channel, ProfileSettings(0));
    if (!read) {
        // Zeros in place of what could not be read would overwrite the user's settings.
        trace("keyboard: the settings block could not be read back\n");
        return;
    }
    profile_.WriteLightInfo(read->light);
    profile_.WriteKeyboardSystem(read->system);
    SaveProfile();
    LoadLightSettings();
    RefreshPage();
}

int CKestraneKeyboardDevice::WriteSettings(const SettingsWriteRequest& request) {
    if (!commandChannel().isOpen()) {
        return 0;
    }
    const int result = keyboard::writeSettings(
        commandChannel(), ProfileSettings(static_cast<uint8_t>(request.profileIndex)));
    if (result != kResultOk) {
        ReportWriteFailure(kPartSettings, result);
    }
    return 0;
}

int CKestraneKeyboardDevice::WriteKeyTable(int profileIndex,
                                           std::vector<profiles::KeyAssignmentRecord> keys) {
    RefreshDeviceInfo();
    if (!commandChannel().isOpen()) {
        return 0;
    }
    const std::optional<int> result = keyboard::writeKeyTable(commandChannel(), tables_, keys,
                                                              static_cast<uint8_t>(profileIndex));
    if (result && *result != kResultOk) {
        ReportWriteFailure(kPartKeys, *result);
    }
    return 0;
}

int CKestraneKeyboardDevice::WriteCurrentKeyTable(int profileIndex) {
    return WriteKeyTable(profileIndex, keys_.keys());
}

int CKestraneKeyboardDevice::WriteMacros() {
    RefreshDeviceInfo();
    const MacroWriteResult result = writeMacros(
        commandChannel(), readDeviceMacroImage(UserDataFolder()), tables_.info.macroMemoryBytes());
    if (result.excess > 0) {
        trace("keyboard: the macros are %d events too long for the keyboard\n", result.excess);
    } else if (result.sent && result.channelResult != kResultOk) {
        ReportWriteFailure(kPartMacros, result.channelResult);
    }
    return result.excess;
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
    const std::optional<KeyboardEvent> event = decodeKeyboardEvent(code);
    if (!event) {
        return;
    }
    if (event->kind == KeyboardEvent::Kind::SynchronisationRequest) {
        trace("接收到自动添加设备的同步信息要求\n");
        StartTabTimer(tab_timer::kReadSettings, kReadSettingsDelayMs);
        return;
    }
    KeyEvent(event->deviceKey, event->kind == KeyboardEvent::Kind::KeyDown);
}

void CKestraneKeyboardDevice::KeyEvent(uint8_t deviceKey, bool pressed) {
    const auto& keys = tables_.maps.deviceKey;
    const auto position = std::find(keys.begin(), keys.end(), deviceKey);
    if (deviceKey == kNoDeviceKey || position == keys.end() || !lighting_.engine) {
        return;
    }
    lighting_.engine->keyEvent(static_cast<uint8_t>(position - keys.begin()), pressed);
}

} // namespace morva::device
