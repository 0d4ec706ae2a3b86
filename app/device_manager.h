#pragma once

#include "app/device_option.h"
#include "app/synchronised_lighting.h"
#include "base/clock.h"
#include "hid/device_model_catalog.h"
#include "hid/device_scan_thread.h"
#include "hid/hid_model_tables.h"
#include "hid/hid_slot_list.h"
#include "platform/hid_backend.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/window.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morva::device {
class CKestraneUSBDevice;
}

namespace morva::app {

// What the device manager asks of the rest of the main window.
struct DeviceManagerHooks {
    // Closes the settings and about windows when they are open (hiding the selected tab).
    std::function<void()> closeSettingsAndAbout;
    // Ends a running macro recording as its stop button does (hiding the selected tab while the
    // edit lock is on).
    std::function<void()> endRecording;
    // The key-assignment panel's edit buttons of a keyboard or mouse page (edit lock).
    std::function<void(device::CKestraneUSBDevice&, bool enabled)> setKeyEditButtonsEnabled;
    // Shows or hides the synchronisation option of a device's lighting panel.
    std::function<void(device::CKestraneUSBDevice&, bool visible)> showSynchronisationOption;
    // The scan thread's first enumerating pass has ended (its instance message).
    std::function<void()> firstScanPassDone;
    // A write did not reach a device; whatKey is the language key of what was lost.
    std::function<void(device::CKestraneUSBDevice&, std::string_view whatKey)> writeFailed;
};

// The device manager of the main window: the slot list, one device page, power widget and hidden
// device-bar tab per supported model, attach and removal of interfaces, the tab selection, the
// flags every device obeys and the scan thread. Everything runs on the interface thread except
// the scan thread, which reaches it through the window's messages.
class DeviceManager {
public:
    static constexpr std::string_view kDeviceBarName = "device_select_layout";
    static constexpr std::string_view kDeviceSwitchName = "device_switch";
    static constexpr std::string_view kPowerSwitchName = "device_power_switch";
    static constexpr std::string_view kNoDeviceName = "No_device_Link";
    static constexpr std::string_view kPowerWidgetXml = "XML\\CustomControlXML\\MpDevicePower.xml";

    // The window holds the main skin; createControl is the main window's creation callback; the
    // devices open their interfaces on the backend. One page per model of the catalog, which
    // must outlive the manager.
    DeviceManager(ui::Window& window, ui::CreateControlFn createControl,
                  platform::HidBackend& backend, Clock& clock, DeviceManagerHooks hooks = {},
                  const hid::DeviceModelCatalog& models = hid::installedDeviceModels());
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // One page, power widget and hidden tab per row of the device-tab table, in table order.
    // Returns how many were built.
    int BuildPages();
    // The display name of a model in a language, for the language key its tab's name label
    // shows (kModelNameKeyPrefix + tab name); nothing for other keys.
    std::optional<std::string> ModelNameText(std::string_view key, std::string_view language) const;
    static constexpr std::string_view kModelNameKeyPrefix = "device_model_name:";
    // Starts the scan thread; its attach and removal reach the window as WM_DEVICE_ATTACHED and
    // WM_DEVICE_DETACHED.
    bool StartScanThread();
    // Ends the scan thread and every device's worker with the bounded wait each.
    void StopWorkers(TickMs timeoutMs = 1000);
    bool scanThreadRunning() const { return scanThread_ && scanThread_->running(); }

    void Attach(size_t slotIndex);
    void Detach(size_t slotIndex);
    // Brings the devices in line with the slot list: attaches what the scan thread announced
    // while nobody listened (the system sleeping), detaches what has gone, and reopens an
    // interface that came back on another path.
    void Resynchronise();

    void ShowTab(int index, bool visible, bool select);
    void HideTab(int index);
    void PreviousTab();
    void NextTab();
    // A tab's option reported "selectchanged".
    void TabSelected(CDeviceOptionUI& tab);

    // The device of the first tab that is visible and selected, or null.
    device::CKestraneUSBDevice* CurrentDevice() const;
    int currentTab() const { return currentTab_; }
    uint16_t currentTabType() const { return currentTabType_; }
    uint16_t currentTabRole() const { return currentTabRole_; }

    void SetLightOutput(int flag);
    void SetPreviewActive(int flag);
    void SetSynchronisedLightingVisibility(bool moreThanOneTabVisible);
    // Same mode (the lighting panel's "deng_same_mode"): the current device's effect becomes the
    // shared effect of every connected device, whose tabs show the synchronisation mark. False
    // when the effect has no shared kind.
    bool SameMode(ui::Size screen);
    const SynchronisedLighting& synchronisedLighting() const { return synchronised_; }
    void SetEditLock(bool withDeviceBar, bool released);
    bool editLocked() const { return editLock_; }

    hid::SlotList& slots() { return slots_; }
    const std::vector<CDeviceOptionUI*>& tabs() const { return tabs_; }
    const std::vector<ui::Control*>& powerWidgets() const { return powerWidgets_; }
    const std::vector<device::CKestraneUSBDevice*>& mouseDevices() const { return mice_; }
    const std::vector<device::CKestraneUSBDevice*>& keyboardDevices() const { return keyboards_; }
    const std::vector<device::CKestraneUSBDevice*>& mousePadDevices() const { return mousePads_; }
    const std::vector<device::CKestraneUSBDevice*>& headsetDevices() const { return headsets_; }
    int visibleTabCount() const;
    // Shows "No_device_Link" exactly while no tab is visible, and the device pages otherwise.
    void UpdateNoDeviceNotice();
    // The index of a tab in the device bar, or -1.
    int IndexOfTab(const ui::Control* tab) const;

private:
    bool BuildPage(size_t tabRow);
    std::vector<device::CKestraneUSBDevice*>* ListOfType(uint16_t deviceType);
    device::CKestraneUSBDevice* FindPrimaryDevice(const hid::InterfaceSlot& slot);
    CDeviceOptionUI* TabOf(const device::CKestraneUSBDevice* device) const;
    void SelectPowerPage(const CDeviceOptionUI& tab);
    int SelectedVisibleTab() const;

    ui::Window& window_;
    ui::CreateControlFn createControl_;
    platform::HidBackend& backend_;
    Clock& clock_;
    DeviceManagerHooks hooks_;
    const hid::DeviceModelCatalog& models_;
    hid::SlotList slots_;
    std::vector<device::CKestraneUSBDevice*> mice_;
    std::vector<device::CKestraneUSBDevice*> keyboards_;
    std::vector<device::CKestraneUSBDevice*> mousePads_;
    std::vector<device::CKestraneUSBDevice*> headsets_;
    std::vector<CDeviceOptionUI*> tabs_;
    std::vector<ui::Control*> powerWidgets_;
    // Which device opened its event channel on a companion slot.
    std::map<size_t, device::CKestraneUSBDevice*> companions_;
    int currentTab_ = -1;
    uint16_t currentTabType_ = 0;
    uint16_t currentTabRole_ = 0;
    bool editLock_ = false;
    std::unique_ptr<hid::LoopScanEvents> scanEvents_;
    std::unique_ptr<hid::DeviceScanThread> scanThread_;
    SynchronisedLighting synchronised_;
};

} // namespace morva::app
