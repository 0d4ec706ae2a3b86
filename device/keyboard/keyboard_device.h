#pragma once

#include "device/device_info_record.h"
#include "device/key_assigned_device.h"
#include "device/keyboard/keyboard_exchanges.h"
#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"
#include "device/profiled_device.h"
#include "profiles/keyboard_profiledata.h"

#include <functional>
#include <vector>

namespace morva::device {

// The device object of a keyboard: reads the keyboard's key and LED tables when it connects and
// maps them onto the on-screen keyboard, writes the profile's settings block, key table and
// macros to it, and takes the settings back when the keyboard asks for synchronisation.
class CKestraneKeyboardDevice
    : public KeyAssignedDevice<ProfiledDevice<profiles::CKeyboardProfiledata>> {
public:
    static constexpr std::string_view kClassName = "KestraneKeyboardDevice";
    static constexpr std::string_view kFactoryName = "CKestraneKeyboardDevice";
    static constexpr size_t kFnKeyPosition = 110;
    // Event codes of the companion interface.
    static constexpr uint16_t kSynchronisationRequest = 0x0401;
    static constexpr TickMs kReadSettingsDelayMs = 100;

    CKestraneKeyboardDevice();
    ~CKestraneKeyboardDevice() override;

    std::string_view className() const override { return kClassName; }

    void Connect() override;
    int ApplyProfile() override;
    int LoadLightSettings() override { return LoadLightSettingsFrom(profile_); }
    void SetLightSettings(const profiles::PackedLightInfo& packed) override {
        StoreLightSettingsIn(profile_, packed);
    }
    void ReadSettings() override;
    int WriteSettings(const SettingsWriteRequest& request) override;
    int WriteKeyTable(int profileIndex, std::vector<profiles::KeyAssignmentRecord> keys) override;
    int WriteCurrentKeyTable(int profileIndex) override;
    // 0 when the macros were written or there are none, the number of events that do not fit
    // the keyboard's macro memory otherwise (nothing is written then).
    int WriteMacros() override;
    // The Fn key (position 110) can be lit but not given another function: its button is
    // available on the lighting panel and unavailable on the key-assignment panel.
    void ShowFunctionPanels(int kind) override;

    // The page's system controls show the profile's system settings, the keys their
    // assignments.
    void RefreshPage() override;
    // Changes the profile's system settings and saves the profile; a change the keyboard holds
    // (report rate, Windows-key lock, W flag, 6-key flag) is sent at once with the settings
    // block, the repeat rate and delay live in the profile only.
    void ChangeSystem(const std::function<void(profiles::KeyboardSystemRecord&)>& change, bool send,
                      const SettingsWriteRequest& request = {});

    // Whether connect read the keyboard's tables (a key table over 512 bytes is refused).
    bool tablesRead() const { return tables_.read; }
    const KeyboardKeyMaps& keyMaps() const { return tables_.maps; }

protected:
    void HandleEventCode(uint16_t code) override;

private:
    // Refreshes the device information while the channel is open (the macro memory may differ
    // after a firmware change).
    void RefreshDeviceInfo();
    KeyboardSettings ProfileSettings(uint8_t profileIndex);

    keyboard::Tables tables_;
};

} // namespace morva::device
