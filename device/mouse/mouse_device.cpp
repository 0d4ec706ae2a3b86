#include "device/mouse/mouse_device.h"

#include "base/trace.h"
#include "device/device_macros.h"
#include "device/link_guard.h"
#include "device/macro_exchange.h"
#include "device/mouse/gun_key_image.h"
#include "device/mouse/mouse_page.h"
#include "device/mouse/mouse_profile_settings.h"
#include "macros/gun_files.h"
#include "macros/panel/shoot_control_ui.h"
#include "ui/controls/device_key_button.h"

#include <string>

namespace morva::device {
CKestraneMouseDevice::CKestraneMouseDevice() : KeyAssignedDevice(hid::kDeviceMouse) {}

CKestraneMouseDevice::~CKestraneMouseDevice() {
    // The event thread calls back into this object: end it while the object is whole.
    CloseEventChannel();
}

void CKestraneMouseDevice::BindPage() {
    KeyAssignedDevice::BindPage();
    logoSegments_.clear();
    for (int n = 0; n < ledCount(); ++n) {
        if (ui::Control* segment = findDescendant("light_0_" + std::to_string(n))) {
            logoSegments_.push_back(segment->ref());
        }
    }
    auto* panel = findDescendantAs<macros::CShootControlUI>(macros::CShootControlUI::kPanelName);
    gunPanel_ = panel != nullptr ? panel->ref() : ui::ControlRef();
    if (panel != nullptr) {
        panel->Start(UserDataFolder(), DefaultDataFolder());
    }
}

macros::CShootControlUI* CKestraneMouseDevice::gunPanel() const {
    return dynamic_cast<macros::CShootControlUI*>(gunPanel_.get());
}

void CKestraneMouseDevice::LightingRefresh() {
    for (size_t n = 0; n < logoSegments_.size(); ++n) {
        if (auto* segment = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoSegments_[n].get())) {
            const uint32_t colour = GetLedColour(static_cast<int>(n));
            segment->setLed(colour & 0xFFFFFFu, static_cast<uint8_t>(colour >> 24), true);
        }
    }
    SendLiveFrame();
}

void CKestraneMouseDevice::Connect() {
    if (!commandChannel().isOpen()) {
        return;
    }
    tables_ = mouse::readTables(commandChannel());
    keyMap_.clear();
    if (tables_.read) {
        for (size_t position = 0; position < kMouseButtonCount; ++position) {
            keyMap_[static_cast<int>(position)] = tables_.buttonMap[position];
        }
        mouse_page::setRanges(*this, tables_.info);
    } else {
        trace("mouse: the key table could not be read\n");
    }
    KeyAssignedDevice::Connect();
}

bool CKestraneMouseDevice::RefreshDeviceInfo() {
    if (!commandChannel().isOpen()) {
        return true;
    }
    if (!linkUp(commandChannel())) {
        return false;
    }
    DeviceInfoRecord fresh;
    if (commandChannel().readDeviceInfo(fresh) == kResultOk) {
        tables_.info = fresh;
    }
    return true;
}

MouseSettings CKestraneMouseDevice::ProfileSettings(const SettingsWriteRequest& request) {
    return mouseSettingsFromProfile(profile_,
                                    {.indexByte = static_cast<uint8_t>(request.unused),
                                     .flag = static_cast<uint8_t>(request.flag),
                                     .screenWidth = static_cast<uint16_t>(request.screenWidth),
                                     .screenHeight = static_cast<uint16_t>(request.screenHeight),
                                     .wireless = commandChannel().isWireless()});
}

int CKestraneMouseDevice::WriteSettings(const SettingsWriteRequest& request) {
    if (!commandChannel().isOpen()) {
        return 1;
    }
    const mouse::WriteResult result = mouse::writeSettings(
        commandChannel(), ProfileSettings(request), static_cast<uint8_t>(request.profileIndex));
    if (result.linkLost) {
        ReportWriteFailure(kPartNotLinked, 0);
        return 0;
    }
    if (result.channelResult != kResultOk) {
        ReportWriteFailure(kPartSettings, result.channelResult);
    }
    return 1;
}

int CKestraneMouseDevice::WriteKeyTable(int profileIndex,
                                        std::vector<profiles::KeyAssignmentRecord> keys) {
    RefreshDeviceInfo();
    if (!commandChannel().isOpen()) {
        return 1;
    }
    const mouse::WriteResult result =
        mouse::writeKeyTable(commandChannel(), tables_, keys, static_cast<uint8_t>(profileIndex));
    if (result.linkLost) {
        ReportWriteFailure(kPartNotLinked, 0);
        return 0;
    }
    if (result.sent && result.channelResult != kResultOk) {
        ReportWriteFailure(kPartKeys, result.channelResult);
    }
    return 1;
}

int CKestraneMouseDevice::WriteCurrentKeyTable(int profileIndex) {
    return WriteKeyTable(profileIndex, keys_.keys());
}

int CKestraneMouseDevice::WriteMacros() {
    RefreshDeviceInfo();
    const MacroWriteResult result = writeMacros(
        commandChannel(), readDeviceMacroImage(UserDataFolder()), tables_.info.macroMemoryBytes());
    if (result.linkLost) {
        ReportWriteFailure(kPartNotLinked, 0);
        return 0;
    }
    if (result.excess > 0) {
        trace("mouse: the macros are %d events too long for the mouse\n", result.excess);
    } else if (result.sent && result.channelResult != kResultOk) {
        ReportWriteFailure(kPartMacros, result.channelResult);
    }
    return result.excess;
}

int CKestraneMouseDevice::WriteGunKeyData() {
    if (!commandChannel().isOpen()) {
        return 0;
    }
    // Behind a receiver the first failed link check ends the write.
    if (!RefreshDeviceInfo()) {
        ReportWriteFailure(kPartNotLinked, 0);
        return 0;
    }
    const mouse::WriteResult result = mouse::writeGunKeys(
        commandChannel(), encodeGunKeyImage(macros::readGunDocuments(UserDataFolder())));
    if (result.linkLost) {
        ReportWriteFailure(kPartNotLinked, 0);
    } else if (result.channelResult != kResultOk) {
        ReportWriteFailure(kPartGunKeys, result.channelResult);
    }
    return 0;
}

void CKestraneMouseDevice::ReadSettings() {
    DeviceCommandChannel& channel = commandChannel();
    channel.setSynchronised(false);
    if (!channel.isOpen()) {
        return;
    }
    const std::optional<MouseSettingsReadBack> read =
        mouse::readSettings(channel, profile_.ReadLightInfo());
    if (!read) {
        // Zeros in place of what could not be read would overwrite the user's settings.
        trace("mouse: the settings block could not be read back\n");
        return;
    }
    profile_.WriteLightInfo(read->light);
    profile_.SetActiveDpiStage(read->activeStage);
    SaveProfile();
    LoadLightSettings();
    RefreshPage();
}

void CKestraneMouseDevice::RefreshPage() {
    KeyAssignedDevice::RefreshPage();
    mouse_page::show(*this, ProfileSettings({}).stages, profile_.ReadMouseSystem(), tables_.info);
}

void CKestraneMouseDevice::ChangeStages(
    const std::function<void(std::vector<profiles::DpiStageRecord>&)>& change,
    const SettingsWriteRequest& request) {
    std::vector<profiles::DpiStageRecord> stages = ProfileSettings(request).stages;
    change(stages);
    profile_.WriteDpiStages(stages);
    SaveProfile();
    RefreshPage();
    WriteSettings(request);
}

void CKestraneMouseDevice::ChangeSystem(
    const std::function<void(profiles::MouseSystemRecord&)>& change, bool send,
    const SettingsWriteRequest& request) {
    profiles::MouseSystemRecord system = profile_.ReadMouseSystem();
    change(system);
    profile_.WriteMouseSystem(system);
    SaveProfile();
    RefreshPage();
    if (send) {
        WriteSettings(request);
    }
}

void CKestraneMouseDevice::HandleEventCode(uint16_t code) {
    if (code == kSynchronisationRequest) {
        trace("接收到自动添加设备的同步信息要求\n");
        StartTabTimer(tab_timer::kReadSettings, kReadSettingsDelayMs);
    }
}

} // namespace morva::device
