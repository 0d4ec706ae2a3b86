#pragma once

#include "base/worker.h"
#include "device/command_channel.h"
#include "device/device_lighting.h"
#include "device/device_link.h"
#include "device/device_profile_binding.h"
#include "hid/hid_device.h"
#include "hid/hid_model_tables.h"
#include "lighting/lighting_driver.h"
#include "lighting/live_frame.h"
#include "lighting/panel/light_panel_binding.h"
#include "profiles/basic_profiledata.h"
#include "profiles/panel/profile_panel_binding.h"
#include "profiles/profile_records.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/control_ref.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace morva::ui {
class Window;
}
namespace morva::macros {
class CMacroControlUI;
}

namespace morva::device {

class KeyAssignments;

// What a write that did not reach the device lost, as language keys of the notice.
inline constexpr std::string_view kPartSettings = "device_write_part_settings";
inline constexpr std::string_view kPartKeys = "device_write_part_keys";
inline constexpr std::string_view kPartMacros = "device_write_part_macros";
inline constexpr std::string_view kPartCustomLight = "device_write_part_custom_light";
inline constexpr std::string_view kPartGunKeys = "device_write_part_gun_keys";
inline constexpr std::string_view kPartNotLinked = "device_write_not_linked";

// The tab timers that drive a device object. Each is a one-shot that re-arms itself.
namespace tab_timer {
inline constexpr int kLightingRefresh = 1000; // every 50 ms while the command channel is open
inline constexpr int kConnect = 1001;         // 500 ms after attach
inline constexpr int kReadSettings = 1002;    // started by the event thread on a sync request
inline constexpr int kHookA = 1003;
inline constexpr int kHookB = 1004;
inline constexpr int kStatusPoll = 1005; // every 5 s while powerDisplay is set
inline constexpr int kHookA2 = 1006;
inline constexpr TickMs kConnectDelayMs = 500;
inline constexpr TickMs kFirstRefreshMs = 5;
// The preview takes its frames on the ticks the lighting threads end their batches before.
inline constexpr TickMs kRefreshPeriodMs = lighting::LightingDriver::kBatchMs;
inline constexpr TickMs kStatusPeriodMs = 5000;
} // namespace tab_timer

// The base of every device object: the device's page in the interface (a horizontal layout
// built from the page description of its model) and the owner of its two channels, the command
// channel on the vendor interface and the event channel on the companion interface. The main
// window configures it from the model tables, opens its channels as interfaces come and go and
// calls its virtual operations from the tab timers and the panels. The derived classes override
// the virtual operations with their protocols; the base ones do nothing and report 0.
class CKestraneUSBDevice : public ui::HorizontalLayout {
public:
    static constexpr std::string_view kClassName = "KestraneUSBDevice";
    static constexpr std::string_view kProfilePanelName = "DeviceProfileItem";
    static constexpr std::string_view kLightPanelName = "LightControlItem";
    static constexpr std::string_view kFactoryName = "CKestraneUSBDevice";
    static constexpr std::string_view kSelectPanelClass = "SelectPanel";
    static constexpr std::string_view kKeyButtonClass = "DeviceKeyButton";
    static constexpr std::string_view kFunctionSwitchName = "device_function_switch";
    static constexpr std::string_view kKeyFunctionSwitchName = "device_key_function_switch";
    static constexpr size_t kLedEffectStateSize = DeviceLighting::kLedEffectStateSize;

    using LedEffectState = DeviceLighting::LedEffectState;

    CKestraneUSBDevice();
    ~CKestraneUSBDevice() override;

    std::string_view className() const override { return kClassName; }

    // --- Channels ---------------------------------------------------------------------------
    // Both channels use this backend and clock from now on (the default backend otherwise).
    // Only while both are closed; false otherwise.
    bool UseHidBackend(platform::HidBackend& backend, Clock& clock);
    DeviceCommandChannel& commandChannel() { return link_.command(); }
    DeviceCommandChannel& eventChannel() { return link_.event(); }
    hid::CHidDevice& commandHid() { return link_.commandHid(); }
    // The version the connected device reports in its HID attributes; 0 while not connected.
    uint16_t HidVersion();
    hid::CHidDevice& eventHid() { return link_.eventHid(); }
    // Attach of the primary interface: opens the command channel's HID interface on the slot's
    // path for reading and writing; on success sets the channel open (and wireless for type 6)
    // and stores the slot record. False when the interface cannot be opened.
    bool OpenCommandChannel(const hid::InterfaceSlot& slot);
    // Detach of the primary interface: clears the open flag and closes the interface, which
    // ends a pending transfer.
    void CloseCommandChannel();
    // Companion attach and detach; the device classes open the event channel and run the event
    // thread. The base has no event thread: false.
    virtual bool OpenEventChannel(const hid::InterfaceSlot& slot);
    virtual void CloseEventChannel();
    bool eventChannelOpen() const { return link_.eventOpen(); }
    bool eventThreadRunning() const { return link_.eventReaderRunning(); }
    // The path the event channel was opened on (empty while closed).
    const std::wstring& eventPath() const { return link_.eventPath(); }
    // Ends the event thread with the bounded wait; true when it ended in time.
    virtual bool StopWorkers(TickMs timeoutMs = 1000);

    // --- Non-virtual operations (configuration by the main window) ---------------------------
    void SetPageDescription(std::string path) { pageXml_ = std::move(path); }
    void SetMainWindow(ui::Window* window) { mainWindow_ = window; }
    void SetKeyCount(int count);
    void SetLedCount(int count);
    void SetPowerDisplay(int flag);
    void SetPowerWidget(ui::Control* widget);
    void SetProfileIdentifier(std::string id) { profiles_.setProfileIdentifier(std::move(id)); }
    void SetLightFolderName(std::string name) { profiles_.setLightFolderName(std::move(name)); }
    void SetDeviceName(std::string name) { profiles_.setDeviceName(std::move(name)); }
    void SetSlotRecord(const hid::InterfaceSlot& slot);
    // Stores the tab and lets its timers reach this device.
    void SetTab(ui::Control* tab);
    // Told when a write did not reach the device, with the language key of what was lost.
    using WriteFailureReporter =
        std::function<void(CKestraneUSBDevice& device, std::string_view whatKey)>;
    void SetWriteFailureReporter(WriteFailureReporter reporter) {
        writeFailureReporter_ = std::move(reporter);
    }
    // The mouse page value of the device-page table; only the mouse reads it.
    void SetMousePageValue(int value) { mousePageValue_ = value; }

    std::filesystem::path DefaultDataFolder() const { return profiles_.defaultDataFolder(); }
    std::filesystem::path DefaultProfilePath() const { return profiles_.defaultProfilePath(); }
    // The per-user folder of this model, created when missing.
    std::filesystem::path UserDataFolder() const { return profiles_.userDataFolder(); }

    // 8-bit counter step: up wraps to 0 at the limit, down wraps to limit - step.
    static uint8_t StepValue(bool direction, uint8_t limit, uint8_t value, uint8_t step);

    // What "write settings" takes besides the device's own state.
    struct SettingsWriteRequest {
        int profileIndex = 0; // the main window passes 0
        int unused = 0;       // carried, read by no device
        int flag = 1;         // the flag byte of the mouse's settings block
        int screenWidth = 0;  // the primary screen, in pixels
        int screenHeight = 0;
    };

    // --- Virtual operations, in slot order --------------------------------------------------
    virtual void BindPage();                               // 1
    virtual int LoadLightSettings();                       // 2
    virtual void WaveStep() {}                             // 3  effect steps of the lighting engine
    virtual void SpectrumStep() {}                         // 4
    virtual void BreathingStep() {}                        // 5
    virtual void StaticStep() {}                           // 6
    virtual void FlashStep() {}                            // 7
    virtual void ChaseStep() {}                            // 8
    virtual void FourColourBreathingStep() {}              // 9
    virtual void FourColourFlashStep() {}                  // 10
    virtual void OffStep() {}                              // 11
    virtual void LightingRefresh() {}                      // 12
    virtual void SetLedColour(int index, uint32_t colour); // 13
    virtual uint32_t GetLedColour(int index) const;        // 14
    virtual void Connect() {}                              // 15
    virtual void ReadSettings() {}                         // 16
    virtual void TimerHookA() {}                           // 17
    virtual void TimerHookB() {}                           // 18
    virtual void StatusPoll() {}                           // 19
    virtual int ApplyProfile() { return 0; }               // 20
    virtual void RefreshPage() {}                          // 21
    virtual void ValidateMacroKeys() {}                    // 22
    virtual void LoadDefaultKeyList() {}                   // 23
    virtual int WriteKeyTable(int profileIndex,
                              std::vector<profiles::KeyAssignmentRecord> keys);            // 24
    virtual int WriteCurrentKeyTable(int /*profileIndex*/) { return 0; }                   // 25
    virtual int WriteMacros() { return 0; }                                                // 26
    virtual int WriteSettings(const SettingsWriteRequest& request);                        // 27
    virtual void LoadPanelLists() {}                                                       // 28
    virtual void SetPositionMap(std::map<int, int> map) { positionMap_ = std::move(map); } // 29
    virtual void ReactiveKeyStart(int /*position*/) {}             // 30 reactive-effect helpers
    virtual void ReactiveStep() {}                                 // 31
    virtual void ReactiveColumnStep() {}                           // 32
    virtual void ReactiveReset() {}                                // 33
    virtual void ShowFunctionPanels(int kind);                     // 34
    virtual int GetFunctionKind() const { return functionMode_; }  // 35
    virtual void ResolveProfilePaths() {}                          // 36
    virtual std::string GetProfilePath() const { return {}; }      // 37
    virtual void SaveProfile() {}                                  // 38
    virtual void SetModelIndex(int index) { modelIndex_ = index; } // 39
    virtual int GetModelIndex() const { return modelIndex_; }      // 40
    virtual void SetLightSettings(const profiles::PackedLightInfo& packed); // 41
    virtual void SetSelectedKey(int index) { selectedKey_ = index; }        // 42
    // The key list of a device whose keys the user can assign; null for the others.
    virtual KeyAssignments* keyAssignments() { return nullptr; }
    // The macro panel of a device that plays macros; null for the others.
    virtual macros::CMacroControlUI* macroPanel() { return nullptr; }

    // The apply sequence of a lighting edit: set light settings (41), save profile (38), load
    // light settings (2), write settings (27).
    void ApplyLightSettings(const profiles::LightInfoRecord& light,
                            const SettingsWriteRequest& write);

    // --- Tab timers -------------------------------------------------------------------------
    // Starts a one-shot tab timer; false without a tab in a window.
    bool StartTabTimer(int id, TickMs delayMs);
    // A tab timer fired: runs its operation and re-arms it where its rule says.
    void HandleTabTimer(int id);

    // --- State for the main window, the panels and the tests --------------------------------
    const std::string& pageDescription() const { return pageXml_; }
    ui::Window* mainWindow() const { return mainWindow_; }
    const std::string& profileId() const { return profiles_.profileId(); }
    // What the user should be told about loading the page's profiles (a list made anew, a
    // damaged profile repaired), once.
    std::vector<profiles::ProfileNotice> TakeStartNotices() { return profiles_.takeStartNotices(); }
    const std::string& lightFolderName() const { return profiles_.lightFolderName(); }
    const std::string& deviceName() const { return profiles_.deviceName(); }
    uint16_t deviceType() const { return deviceType_; }
    uint16_t role() const { return role_; }
    int keyCount() const { return keyCount_; }
    int ledCount() const { return ledCount_; }
    int powerDisplay() const { return powerDisplay_; }
    int mousePageValue() const { return mousePageValue_; }
    int selectedKey() const { return selectedKey_; }
    const hid::InterfaceSlot& slotRecord() const { return slotRecord_; }
    ui::Control* tab() const { return tab_.get(); }
    ui::Control* powerWidget() const { return powerWidget_.get(); }
    ui::Control* selectPanel() const { return selectPanel_.get(); }
    ui::Control* lightPanel() const { return lightPanel_.get(); }
    ui::Control* profilePanel() const { return profilePanel_.get(); }
    // The profile panel as the device uses it; null when the page has none.
    profiles::ProfilePanelBinding* profilePanelBinding() const {
        return dynamic_cast<profiles::ProfilePanelBinding*>(profilePanel_.get());
    }
    // The lighting panel as the device uses it; null when the page has none.
    lighting::LightPanelBinding* lightPanelBinding() const {
        return dynamic_cast<lighting::LightPanelBinding*>(lightPanel_.get());
    }
    // The names of the user's effects of the model (its light configuration file).
    const std::vector<std::string>& userEffectNames() const { return userEffectNames_; }
    const std::vector<std::string>& lightAreaNames() const { return lightAreaNames_; }
    void SetLightPanel(ui::Control* panel);
    void SetProfilePanel(ui::Control* panel);
    ui::Control* keyButton(size_t position) const;
    ui::Control* ledButton(size_t position) const;
    size_t keyButtonSlots() const { return keyButtons_.size(); }
    size_t ledButtonSlots() const { return ledButtons_.size(); }
    const std::vector<LedEffectState>& ledEffectState() const { return lighting_.effectState; }
    const profiles::LightInfoRecord& lightSettings() const { return lighting_.settings; }
    const std::map<int, int>& positionMap() const { return positionMap_; }
    bool lightingRunning() const { return lighting_.driver.running(); }
    int lightOutput() const { return lighting_.output.load(); }
    void setLightOutput(int flag) { lighting_.output = flag; }
    int previewActive() const { return lighting_.previewActive.load(); }
    void setPreviewActive(int flag) { lighting_.previewActive = flag; }
    // The tab's "device_select" option is selected.
    bool tabSelected() const;
    // The delay to the next shared refresh tick of the interface loop's clock.
    TickMs UntilNextRefreshTick() const;
    // Paints the LED buttons from the LED colours (the tab's preview).
    void RepaintPreview();

protected:
    // The device classes keep their own type until a slot record gives one.
    explicit CKestraneUSBDevice(uint16_t ownType);

    // A write that did not reach the device: traced, and the user is told (the operations still
    // report as their callers expect). whatKey is the language key of what was lost.
    void ReportWriteFailure(std::string_view whatKey, int channelResult);

    // Opens the event channel's interface on the slot's path and starts the event thread,
    // which reads the companion interface's reports and posts each event code to the
    // interface thread (HandleEventCode). For the device classes.
    bool StartEventThread(const hid::InterfaceSlot& slot);
    // An event code arrived on the companion interface, on the interface thread. The reactions
    // to the codes come with each device's protocol.
    virtual void HandleEventCode(uint16_t /*code*/) {}
    // The device classes' bind: the base bind, then the panels found by name and the profile
    // object pointed at the model's default profile and the current profile file.
    void BindDevicePage(profiles::CBasicProfiledata& profile);
    // The profile file (user data folder + profile identifier + ".Json") and the light
    // configuration file (user data folder + light folder name + ".config").
    void ResolveProfilePathsOf(profiles::CBasicProfiledata& profile) const {
        profiles_.resolvePathsOf(profile);
    }
    // Load light settings for the device classes: the profile's "LightInfo" becomes the light
    // settings and the engine's effect, its "LightList" the region overlays, its effect file the
    // steps the player plays.
    int LoadLightSettingsFrom(profiles::CBasicProfiledata& profile);
    // Set light settings for the device classes: stores them and writes them into the profile's
    // "LightInfo".
    void StoreLightSettingsIn(profiles::CBasicProfiledata& profile,
                              const profiles::PackedLightInfo& packed);
    // Starts the lighting thread (on connect); it steps only while the command channel is open
    // and the lighting is not synchronised with other devices.
    bool StartLighting();
    // What connect does for the lighting until the protocols come: load the light settings of
    // the profile, then start the lighting thread.
    void ConnectLighting(profiles::CBasicProfiledata& profile);
    // The shared lighting refresh of the mouse and the mouse pad: the LEDs as a live frame
    // (command 0x12); after a frame that fails, none for kLiveFramePauseMs.
    int SendLiveFrame();
    static constexpr TickMs kLiveFramePauseMs = 200;

    std::map<int, int> keyMap_;
    std::map<int, int> ledMap_;
    DeviceLighting lighting_;

private:
    void ApplyPowerDisplay();
    // A new lighting engine for the LED count, with the effects of the device's type.
    void ResetLighting(size_t ledCount);
    // Gives the lighting panel the device type and the model's effect lists.
    void FillLightPanel();
    bool FindFunctionSwitches();

    // The channels and the event reader. Declared first, so they are the last to go.
    DeviceLink link_;
    ui::ControlRef lightPanel_;
    ui::ControlRef profilePanel_;
    ui::ControlRef selectPanel_;
    ui::ControlRef tab_;
    ui::ControlRef powerWidget_;
    ui::ControlRef functionSwitch_;
    ui::ControlRef keyFunctionSwitch_;
    std::string pageXml_;
    ui::Window* mainWindow_ = nullptr;
    // The model's folders, the active profile and what loading them found.
    DeviceProfileBinding profiles_;
    uint16_t deviceType_ = 0;
    uint16_t role_ = 0;
    int keyCount_ = 0;
    int ledCount_ = 0;
    int selectedKey_ = -1;
    int functionMode_ = 1;
    std::vector<ui::ControlRef> keyButtons_;
    std::vector<ui::ControlRef> ledButtons_;
    std::map<int, int> positionMap_;
    int powerDisplay_ = 0;
    int mousePageValue_ = -1;
    hid::InterfaceSlot slotRecord_;
    int modelIndex_ = 0;
    TickMs livePauseUntilMs_ = 0;
    std::vector<std::string> userEffectNames_;
    std::vector<std::string> lightAreaNames_;
    WriteFailureReporter writeFailureReporter_;
    // Lets posted event codes see that the device is gone.
    std::shared_ptr<CKestraneUSBDevice*> life_;
};

} // namespace morva::device
