#include "device/usb_device.h"
#include "lighting/panel/effect_lists.h"
#include "ui/controls/device_key_button.h"

// The device's lighting: its LEDs, the engine and its thread, the lighting panel and the live
// frames of the refresh.
namespace morva::device {
namespace {

// The slider maxima of the lighting panel: brightness 0–4 everywhere; speed 0–4 on keyboards,
// 0–3 on the other devices.
constexpr int kBrightnessLevels = 4;
constexpr int kKeyboardSpeeds = 4;
constexpr int kSpeeds = 3;

} // namespace

void CKestraneUSBDevice::SetLedColour(int index, uint32_t colour) {
    if (index >= 0 && index < ledCount_) {
        lighting_.engine->setLed(static_cast<size_t>(index), lighting::ledOfWord(colour));
    }
}

uint32_t CKestraneUSBDevice::GetLedColour(int index) const {
    if (index >= 0 && index < ledCount_) {
        return lighting::colourWord(lighting_.engine->led(static_cast<size_t>(index)));
    }
    return 0;
}

void CKestraneUSBDevice::SetLightSettings(const profiles::PackedLightInfo& packed) {
    lighting_.settings = profiles::unpackLightInfo(packed);
}

void CKestraneUSBDevice::RepaintPreview() {
    for (size_t i = 0; i < ledButtons_.size() && i < lighting_.engine->ledCount(); ++i) {
        if (auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(ledButtons_[i].get())) {
            const uint32_t colour = lighting::colourWord(lighting_.engine->led(i));
            button->setLed(colour & 0xFFFFFFu, static_cast<uint8_t>(colour >> 24), true);
        }
    }
}

void CKestraneUSBDevice::ResetLighting(size_t ledCount) {
    lighting_.reset(ledCount, deviceType_);
}

void CKestraneUSBDevice::FillLightPanel() {
    const lighting::EffectLists lists =
        lighting::readEffectLists(DefaultDataFolder() / "default_light.json", modelIndex_);
    lightAreaNames_ = lists.areas;
    userEffectNames_ = lighting::readUserEffectNames(
        UserDataFolder() / (lightFolderName() + ".config"), modelIndex_);
    lighting::LightPanelBinding* panel = lightPanelBinding();
    if (panel == nullptr) {
        return;
    }
    const bool keyboard = deviceType_ == hid::kDeviceKeyboard;
    panel->SetDeviceType(deviceType_);
    panel->SetModeList(lists.effects, kBrightnessLevels, keyboard ? kKeyboardSpeeds : kSpeeds);
    if (keyboard) {
        panel->SetSideModeList(lists.sideEffects);
    }
}

void CKestraneUSBDevice::StoreLightSettingsIn(profiles::CBasicProfiledata& profile,
                                              const profiles::PackedLightInfo& packed) {
    CKestraneUSBDevice::SetLightSettings(packed);
    profile.WriteLightInfo(lighting_.settings);
}

int CKestraneUSBDevice::LoadLightSettingsFrom(profiles::CBasicProfiledata& profile) {
    lighting_.settings = lighting_.engine->loadFrom(profile);
    lighting_.driver.wake();
    if (lighting::LightPanelBinding* panel = lightPanelBinding()) {
        panel->ShowLightSettings(profiles::packLightInfo(lighting_.settings));
    }
    return 0;
}

void CKestraneUSBDevice::ConnectLighting(profiles::CBasicProfiledata& profile) {
    LoadLightSettingsFrom(profile);
    StartLighting();
}

bool CKestraneUSBDevice::StartLighting() {
    if (lighting_.driver.running()) {
        return true;
    }
    DeviceCommandChannel& channel = commandChannel();
    return lighting_.driver.start(*lighting_.engine, link_.clock(), [&channel] {
        return channel.isOpen() && !channel.isSynchronised();
    });
}

int CKestraneUSBDevice::SendLiveFrame() {
    if (lighting_.output == 0 || !commandChannel().isOpen()) {
        return 0;
    }
    const TickMs now = link_.clock().nowMs();
    if (now < livePauseUntilMs_) {
        return 0;
    }
    const std::vector<uint8_t> frame = lighting::encodeLiveFrame(lighting_.engine->leds());
    const int result = commandChannel().sendLiveFrame(frame);
    if (result != 1) {
        // The interface thread is not held up: the next refreshes skip the pause instead.
        livePauseUntilMs_ = now + kLiveFramePauseMs;
    }
    return result;
}

void CKestraneUSBDevice::ApplyLightSettings(const profiles::LightInfoRecord& light,
                                            const SettingsWriteRequest& write) {
    SetLightSettings(profiles::packLightInfo(light));
    SaveProfile();
    LoadLightSettings();
    WriteSettings(write);
}

} // namespace morva::device
