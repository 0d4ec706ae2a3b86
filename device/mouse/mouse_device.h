#pragma once

#include "device/key_assigned_device.h"
#include "device/mouse/mouse_exchanges.h"
#include "device/mouse/mouse_page.h"
#include "device/profiled_device.h"
#include "profiles/mouse_profiledata.h"

#include <functional>

namespace morva::macros {
class CShootControlUI;
}

namespace morva::device {

// The device object of a mouse, wired or behind a wireless receiver: reads the mouse's key table
// when it connects and maps it onto the ten button positions, writes the profile's settings
// block, button table, macros and gun keys to it (behind a receiver with a link check before each
// step),
// takes the block back when the mouse asks for synchronisation, and streams its lighting.
class CKestraneMouseDevice : public KeyAssignedDevice<HostLitDevice<profiles::CMouseProfiledata>> {
public:
    static constexpr std::string_view kClassName = "KestraneMouseDevice";
    static constexpr std::string_view kFactoryName = "CKestraneMouseDevice";
    static constexpr uint16_t kSynchronisationRequest = 0x0401;
    static constexpr TickMs kReadSettingsDelayMs = 500;

    CKestraneMouseDevice();
    ~CKestraneMouseDevice() override;

    std::string_view className() const override { return kClassName; }

    void BindPage() override;
    void Connect() override;
    void ReadSettings() override;
    // 1, or 0 when a wireless mouse is not linked.
    int WriteSettings(const SettingsWriteRequest& request) override;
    int WriteKeyTable(int profileIndex, std::vector<profiles::KeyAssignmentRecord> keys) override;
    int WriteCurrentKeyTable(int profileIndex) override;
    // 0 when written, without macros or when a wireless mouse is not linked; the events that do
    // not fit the mouse's macro memory otherwise (nothing is written then).
    int WriteMacros() override;
    // The image of the four gun files goes to the mouse; always 0 (a failed write is told as
    // every failed write is).
    int WriteGunKeyData();
    // The logo segments "light_0_" n show LED n, then the LEDs go to the mouse.
    void LightingRefresh() override;

    // The cursor page shows the profile's DPI stages, report rate and pointer settings.
    void RefreshPage() override;
    // The DPI stages the profile has, changed, stored and sent to the mouse.
    // A stage's slider being dragged shows its DPI without storing it.
    void ShowStageDpi(int stage, int steps) {
        mouse_page::showStageDpi(*this, stage, steps, tables_.info);
    }
    void ChangeStages(const std::function<void(std::vector<profiles::DpiStageRecord>&)>& change,
                      const SettingsWriteRequest& request);
    // The system settings changed and stored; the report rate is also sent, the pointer, scroll
    // and double-click settings live in the profile only.
    void ChangeSystem(const std::function<void(profiles::MouseSystemRecord&)>& change, bool send,
                      const SettingsWriteRequest& request);
    const DeviceInfoRecord& deviceInfo() const { return tables_.info; }

    bool tablesRead() const { return tables_.read; }
    const mouse::ButtonMap& buttonMap() const { return tables_.buttonMap; }
    // The page's gun-key panel; null when the page has none.
    macros::CShootControlUI* gunPanel() const;
    // What the block would carry now, from the profile.
    MouseSettings ProfileSettings(const SettingsWriteRequest& request);

protected:
    void HandleEventCode(uint16_t code) override;

private:
    // Refreshes the device information while the channel is open and the mouse linked; false
    // when the link check failed.
    bool RefreshDeviceInfo();

    std::vector<ui::ControlRef> logoSegments_;
    ui::ControlRef gunPanel_;
    mouse::Tables tables_;
};

} // namespace morva::device
