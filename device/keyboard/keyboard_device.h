#pragma once

#include "device/device_info_record.h"
#include "device/key_assigned_device.h"
#include "device/keyboard/keyboard_exchanges.h"
#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"
#include "device/profiled_device.h"
#include "profiles/keyboard_profiledata.h"

#include <functional>
#include <optional>
#include <vector>

namespace morva::device {

// The device object of a keyboard: reads the keyboard's key and LED tables when it connects and
// maps them onto the on-screen keyboard, writes the profile's settings block, key table and
// macros to it, and takes the settings back when the keyboard asks for synchronisation.
class CKestraneKeyboardDevice
    : public KeyAssignedDevice<HostLitDevice<profiles::CKeyboardProfiledata>> {
public:
    static constexpr std::string_view kClassName = "KestraneKeyboardDevice";
    static constexpr std::string_view kFactoryName = "CKestraneKeyboardDevice";
    static constexpr size_t kFnKeyPosition = 110;
    static constexpr TickMs kReadSettingsDelayMs = 100;

    CKestraneKeyboardDevice();
    ~CKestraneKeyboardDevice() override;

    std::string_view className() const override { return kClassName; }

    void Connect() override;
    int ApplyProfile() override;
    // Entering the custom effect loads the custom group the profile last chose.
    int LoadLightSettings() override;
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

    // Custom per-key lighting, in the custom effect only: the painted keys take the current
    // colour (fill off: black); the colours are stored in the chosen custom group of the profile
    // and sent to the keyboard as that group's page. Positions of 126 and above are ignored.
    void SetKeyColour(int position);
    void SetKeyColours(const std::vector<int>& positions);
    void FillCustomPage(bool on);
    // Makes `group` the custom group of the profile and of the light settings (which are applied
    // and written), then loads it.
    void SwitchCustomGroup(int group, const SettingsWriteRequest& write);
    // The profile's custom group: its colours become the keys' colours, its entry is chosen in
    // the lighting panel, and its page is sent.
    void LoadCustomGroup();
    // Writes the keys' colours as the page of the chosen custom group.
    void SendCustomPage();
    const std::vector<profiles::RgbaColor>& customColours() const { return customColours_; }

    // Whether connect read the keyboard's tables (a key table over 512 bytes is refused).
    bool tablesRead() const { return tables_.read; }
    const KeyboardKeyMaps& keyMaps() const { return tables_.maps; }
    // A key of the keyboard went down or up: the on-screen keyboard's reactive effect starts
    // from its position. Keys on no position are ignored.
    void KeyEvent(uint8_t deviceKey, bool pressed);

protected:
    void HandleEventCode(uint16_t code) override;

private:
    // Refreshes the device information while the channel is open (the macro memory may differ
    // after a firmware change).
    void RefreshDeviceInfo();
    KeyboardSettings ProfileSettings(uint8_t profileIndex);
    bool InCustomEffect() const;
    // The chosen custom group entry, if any.
    std::optional<uint8_t> ChosenCustomGroup() const;
    // The page painting goes to: the chosen group, else the light settings' group.
    uint8_t PageGroup() const;
    void PaintKeys(const std::vector<int>& positions, profiles::RgbaColor colour);
    // Stores the keys' colours in the chosen group and saves the profile; false without a
    // chosen group.
    bool StoreCustomColours();
    void WriteCustomPage(uint8_t group);
    void ShowCustomColours();

    keyboard::Tables tables_;
    // The effect the light settings were last loaded with; none before the first load.
    std::optional<uint8_t> loadedEffect_;
    std::vector<profiles::RgbaColor> customColours_ =
        std::vector<profiles::RgbaColor>(kKeyPositionCount);
};

} // namespace morva::device
