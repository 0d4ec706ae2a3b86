#include "app/device_manager.h"

#include "base/trace.h"
#include "device/usb_device.h"
#include "ui/controls/mp_device_power.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/toolkit.h"

namespace morva::app {

namespace {

// The slot identity a primary attach is matched by: everything but the path and its state.
bool sameInterface(const hid::InterfaceSlot& a, const hid::InterfaceSlot& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
           a.deviceType == b.deviceType && a.role == b.role && a.usagePage == b.usagePage &&
           a.usage == b.usage;
}

bool isMouseType(uint16_t type) {
    return type == hid::kDeviceMouse || type == hid::kDeviceWirelessMouse;
}

} // namespace

DeviceManager::DeviceManager(ui::Window& window, ui::CreateControlFn createControl,
                             platform::HidBackend& backend, Clock& clock, DeviceManagerHooks hooks,
                             const hid::DeviceModelCatalog& models)
    : window_(window), createControl_(std::move(createControl)), backend_(backend), clock_(clock),
      hooks_(std::move(hooks)), models_(models), slots_(models.supportedInterfaces()) {}

DeviceManager::~DeviceManager() {
    StopWorkers();
}

int DeviceManager::BuildPages() {
    // No tab shows yet: the notice stands in the page area, and pages built behind a hidden
    // switch get their widgets only when a device first shows one.
    UpdateNoDeviceNotice();
    int built = 0;
    for (size_t row = 0; row < models_.tabs().size(); ++row) {
        built += BuildPage(row) ? 1 : 0;
    }
    return built;
}

std::optional<std::string> DeviceManager::ModelNameText(std::string_view key,
                                                        std::string_view language) const {
    if (!key.starts_with(kModelNameKeyPrefix)) {
        return std::nullopt;
    }
    key.remove_prefix(kModelNameKeyPrefix.size());
    for (const hid::DeviceModel& model : models_.models()) {
        if (model.tabName == key) {
            return model.displayName(language);
        }
    }
    return std::nullopt;
}

bool DeviceManager::BuildPage(size_t tabRow) {
    const hid::DeviceTabRow& tabInfo = models_.tabs()[tabRow];
    const hid::DevicePageRow& pageInfo = models_.pages()[tabRow];
    const auto& supported = models_.supportedInterfaces();
    const auto match =
        std::find_if(supported.begin(), supported.end(),
                     [&](const hid::InterfaceSlot& s) { return hid::slotMatchesTab(s, tabInfo); });
    auto* deviceSwitch = window_.findAs<ui::TabLayout>(kDeviceSwitchName);
    auto* powerSwitch = window_.findAs<ui::TabLayout>(kPowerSwitchName);
    auto* deviceBar = window_.findAs<ui::Container>(kDeviceBarName);
    if (match == supported.end() || deviceSwitch == nullptr || powerSwitch == nullptr ||
        deviceBar == nullptr) {
        trace("device manager: no page for the tab row %zu\n", tabRow);
        return false;
    }

    ui::SkinBuilder builder(window_.toolkit());
    std::unique_ptr<ui::Control> power = builder.build(kPowerWidgetXml, createControl_);
    std::unique_ptr<ui::Control> pageControl = builder.build(pageInfo.pageXml, createControl_);
    std::unique_ptr<ui::Control> tabControl = builder.build(tabInfo.tabXml, createControl_);
    auto* page = dynamic_cast<device::CKestraneUSBDevice*>(pageControl.get());
    auto* tab = dynamic_cast<CDeviceOptionUI*>(tabControl.get());
    if (!power || page == nullptr || tab == nullptr) {
        trace("device manager: the page of \"%s\" cannot be built\n", tabInfo.tabName.c_str());
        return false;
    }

    auto* widget = powerSwitch->add(std::move(power));
    if (auto* powerWidget = dynamic_cast<ui::CMpDevicePowerUI*>(widget)) {
        powerWidget->setDeviceKind(tabInfo.deviceType, tabInfo.role);
    }
    powerWidgets_.push_back(widget);

    page->UseHidBackend(backend_, clock_);
    page->SetPageDescription(pageInfo.pageXml);
    page->SetMainWindow(&window_);
    page->SetKeyCount(pageInfo.keyCount);
    page->SetLedCount(pageInfo.ledCount);
    page->SetPowerDisplay(pageInfo.powerDisplay);
    if (isMouseType(tabInfo.deviceType)) {
        page->SetMousePageValue(pageInfo.mousePageValue);
    }
    page->SetProfileIdentifier({});
    page->SetDeviceName(tabInfo.tabName);
    page->SetPowerWidget(widget);
    page->SetSlotRecord(*match);
    page->SetModelIndex(tabInfo.modelIndex);
    page->SetLightFolderName(pageInfo.lightFolder);
    page->SetWriteFailureReporter(hooks_.writeFailed);
    page->BindPage();

    deviceSwitch->add(std::move(pageControl));
    if (auto* list = ListOfType(tabInfo.deviceType)) {
        list->push_back(page);
    }

    deviceBar->add(std::move(tabControl));
    tab->setSynchronised(false);
    if (ui::Option* option = tab->option()) {
        option->setGroup(tabInfo.headerControl);
        option->bindTabLayout(std::string(kDeviceSwitchName), deviceSwitch->indexOf(page));
    }
    tab->setPowerContainer(tabInfo.powerContainer, powerSwitch->indexOf(widget));
    tab->setTypeImages(tabInfo.deviceType, tabInfo.role);
    tab->setTabVisible(false);
    if (auto* name = tab->findDescendant(CDeviceOptionUI::kNameLabelName)) {
        name->setText(
            ui::LanguageStore::makeKey(std::string(kModelNameKeyPrefix) + tabInfo.tabName));
    }
    tab->setDevice(page);
    tab->setSelectPanel(page->selectPanel());
    tabs_.push_back(tab);
    return true;
}

std::vector<device::CKestraneUSBDevice*>* DeviceManager::ListOfType(uint16_t deviceType) {
    switch (deviceType) {
    case hid::kDeviceKeyboard:
        return &keyboards_;
    case hid::kDeviceMouse:
    case hid::kDeviceWirelessMouse:
        return &mice_;
    case hid::kDeviceMousePad:
        return &mousePads_;
    case hid::kDeviceHeadset:
        return &headsets_;
    default:
        return nullptr;
    }
}

bool DeviceManager::StartScanThread() {
    if (scanThread_) {
        return scanThread_->running();
    }
    ui::Window* window = &window_;
    scanEvents_ = std::make_unique<hid::LoopScanEvents>(
        window_.toolkit().loop(),
        hid::LoopScanEvents::Handlers{
            [window](size_t slot) {
                window->sendMessage(WM_DEVICE_ATTACHED, static_cast<int64_t>(slot));
            },
            [window](size_t slot) {
                window->sendMessage(WM_DEVICE_DETACHED, static_cast<int64_t>(slot));
            },
            hooks_.firstScanPassDone});
    scanThread_ = std::make_unique<hid::DeviceScanThread>(slots_, backend_, *scanEvents_, clock_);
    synchronised_.start(DeviceLists{keyboards_, mice_, mousePads_, headsets_}, clock_);
    return scanThread_->start();
}

void DeviceManager::StopWorkers(TickMs timeoutMs) {
    auto report = [](bool ended) {
        trace(ended ? "所有对象处于激发状态\n" : "所有对象处于非激发状态，超时\n");
    };
    if (scanThread_) {
        report(scanThread_->stop(timeoutMs));
    }
    report(synchronised_.stop(timeoutMs));
    for (auto* list : {&mice_, &keyboards_, &mousePads_, &headsets_}) {
        for (device::CKestraneUSBDevice* device : *list) {
            report(device->StopWorkers(timeoutMs));
        }
    }
}

device::CKestraneUSBDevice* DeviceManager::FindPrimaryDevice(const hid::InterfaceSlot& slot) {
    std::vector<device::CKestraneUSBDevice*>* list = ListOfType(slot.deviceType);
    if (list == nullptr) {
        return nullptr;
    }
    for (device::CKestraneUSBDevice* device : *list) {
        if (sameInterface(device->slotRecord(), slot)) {
            return device;
        }
    }
    return nullptr;
}

void DeviceManager::Attach(size_t slotIndex) {
    if (slotIndex >= slots_.size()) {
        return;
    }
    const hid::InterfaceSlot slot = slots_.at(slotIndex);
    if (slot.role == hid::kRoleCompanion) {
        std::vector<device::CKestraneUSBDevice*>* list = ListOfType(slot.deviceType);
        if (list == nullptr) {
            return;
        }
        for (device::CKestraneUSBDevice* device : *list) {
            const hid::InterfaceSlot& record = device->slotRecord();
            if (!device->eventChannelOpen() && record.vendorId == slot.vendorId &&
                record.productId == slot.productId && record.deviceType == slot.deviceType) {
                if (device->OpenEventChannel(slot)) {
                    companions_[slotIndex] = device;
                }
                return;
            }
        }
        return;
    }
    if (slot.role != hid::kRolePrimary) {
        return;
    }
    device::CKestraneUSBDevice* device = FindPrimaryDevice(slot);
    if (device == nullptr || device->commandChannel().isOpen()) {
        return;
    }
    // A channel that does not open still shows the tab; its timers stop after one connect.
    device->OpenCommandChannel(slot);
    synchronised_.wake(); // the device may come back into a synchronisation
    const int index = IndexOfTab(TabOf(device));
    if (index < 0) {
        return;
    }
    const bool anyVisible = visibleTabCount() > 0;
    ShowTab(index, true, !anyVisible);
    device->StartTabTimer(device::tab_timer::kConnect, device::tab_timer::kConnectDelayMs);
}

void DeviceManager::Detach(size_t slotIndex) {
    if (slotIndex >= slots_.size()) {
        return;
    }
    const hid::InterfaceSlot slot = slots_.at(slotIndex);
    if (slot.role == hid::kRoleCompanion) {
        const auto found = companions_.find(slotIndex);
        if (found != companions_.end()) {
            found->second->CloseEventChannel();
            companions_.erase(found);
        }
        return;
    }
    if (slot.role != hid::kRolePrimary) {
        return;
    }
    device::CKestraneUSBDevice* device = FindPrimaryDevice(slot);
    if (device == nullptr) {
        return;
    }
    device->CloseCommandChannel();
    const int index = IndexOfTab(TabOf(device));
    if (index >= 0) {
        HideTab(index);
    }
}

void DeviceManager::Resynchronise() {
    for (size_t i = 0; i < slots_.size(); ++i) {
        const hid::InterfaceSlot slot = slots_.at(i);
        const bool present = slot.connected != 0;
        bool attached = false;
        bool stale = false;
        if (slot.role == hid::kRolePrimary) {
            device::CKestraneUSBDevice* device = FindPrimaryDevice(slot);
            if (device == nullptr) {
                continue;
            }
            attached = device->commandChannel().isOpen();
            stale = attached && (!present || device->slotRecord().path != slot.path);
        } else if (slot.role == hid::kRoleCompanion) {
            const auto found = companions_.find(i);
            attached = found != companions_.end();
            stale = attached && (!present || found->second->eventPath() != slot.path);
        }
        if (stale) {
            Detach(i);
        }
        if (present && (stale || !attached)) {
            Attach(i);
        }
    }
}

CDeviceOptionUI* DeviceManager::TabOf(const device::CKestraneUSBDevice* device) const {
    for (CDeviceOptionUI* tab : tabs_) {
        if (tab->device() == device) {
            return tab;
        }
    }
    return nullptr;
}

int DeviceManager::IndexOfTab(const ui::Control* tab) const {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i] == tab) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DeviceManager::visibleTabCount() const {
    return static_cast<int>(
        std::count_if(tabs_.begin(), tabs_.end(), [](auto* t) { return t->tabVisible(); }));
}

void DeviceManager::UpdateNoDeviceNotice() {
    const bool none = visibleTabCount() == 0;
    if (ui::Control* notice = window_.find(kNoDeviceName)) {
        notice->setVisible(none);
    }
    // The notice lies over the page area; a page behind it would show through.
    if (ui::Control* pages = window_.find(kDeviceSwitchName)) {
        pages->setVisible(!none);
    }
}

int DeviceManager::SelectedVisibleTab() const {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i]->tabVisible() && tabs_[i]->isSelected()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DeviceManager::SelectPowerPage(const CDeviceOptionUI& tab) {
    auto* powerSwitch = window_.findAs<ui::TabLayout>(tab.powerContainer());
    if (powerSwitch == nullptr) {
        return;
    }
    if (tab.powerIndex() < 0) {
        powerSwitch->setVisible(false);
        return;
    }
    powerSwitch->setVisible(true);
    powerSwitch->selectItem(tab.powerIndex());
}

void DeviceManager::ShowTab(int index, bool visible, bool select) {
    if (index < 0 || static_cast<size_t>(index) >= tabs_.size()) {
        return;
    }
    CDeviceOptionUI& tab = *tabs_[static_cast<size_t>(index)];
    tab.setTabVisible(visible);
    if (select) {
        ui::Option* option = tab.option();
        if (auto* deviceSwitch = window_.findAs<ui::TabLayout>(kDeviceSwitchName);
            deviceSwitch != nullptr && option != nullptr) {
            deviceSwitch->selectItem(option->boundPage());
        }
        SelectPowerPage(tab);
        if (option != nullptr) {
            option->setSelected(true);
        }
    }

    const int visibleCount = visibleTabCount();
    UpdateNoDeviceNotice();
    if (visibleCount == 0) {
        if (auto* powerSwitch = window_.findAs<ui::TabLayout>(kPowerSwitchName)) {
            powerSwitch->selectItem(0);
        }
        if (auto* deviceSwitch = window_.findAs<ui::TabLayout>(kDeviceSwitchName)) {
            deviceSwitch->selectItem(0);
        }
    }
    SetSynchronisedLightingVisibility(visibleCount > 1);
    const auto synchronisedVisible = std::count_if(
        tabs_.begin(), tabs_.end(), [](auto* t) { return t->tabVisible() && t->synchronised(); });
    if (synchronisedVisible <= 1) {
        for (CDeviceOptionUI* each : tabs_) {
            each->setSynchronised(false);
        }
    }
}

void DeviceManager::HideTab(int index) {
    if (index < 0 || static_cast<size_t>(index) >= tabs_.size()) {
        return;
    }
    CDeviceOptionUI& tab = *tabs_[static_cast<size_t>(index)];
    int other = -1;
    if (tab.tabVisible() && tab.isSelected()) {
        if (hooks_.closeSettingsAndAbout) {
            hooks_.closeSettingsAndAbout();
        }
        if (editLock_) {
            if (hooks_.endRecording) {
                hooks_.endRecording();
            }
            SetEditLock(true, true);
        }
        for (size_t i = 0; i < tabs_.size(); ++i) {
            if (static_cast<int>(i) != index && tabs_[i]->tabVisible()) {
                other = static_cast<int>(i);
                break;
            }
        }
    }
    ShowTab(index, false, false);
    if (other >= 0) {
        ShowTab(other, true, true);
    }
}

void DeviceManager::PreviousTab() {
    const int selected = SelectedVisibleTab();
    if (selected < 0) {
        return;
    }
    for (int i = selected - 1; i >= 0; --i) {
        if (tabs_[static_cast<size_t>(i)]->tabVisible()) {
            ShowTab(i, true, true);
            return;
        }
    }
}

void DeviceManager::NextTab() {
    const int selected = SelectedVisibleTab();
    if (selected < 0) {
        return;
    }
    for (size_t i = static_cast<size_t>(selected) + 1; i < tabs_.size(); ++i) {
        if (tabs_[i]->tabVisible()) {
            ShowTab(static_cast<int>(i), true, true);
            return;
        }
    }
}

void DeviceManager::TabSelected(CDeviceOptionUI& tab) {
    const int index = IndexOfTab(&tab);
    if (index < 0) {
        return;
    }
    currentTab_ = index;
    currentTabType_ = tab.deviceType();
    currentTabRole_ = tab.role();
    SelectPowerPage(tab);
}

device::CKestraneUSBDevice* DeviceManager::CurrentDevice() const {
    const int selected = SelectedVisibleTab();
    return selected < 0 ? nullptr : tabs_[static_cast<size_t>(selected)]->device();
}

void DeviceManager::SetLightOutput(int flag) {
    for (auto* list : {&mice_, &mousePads_, &keyboards_}) {
        for (device::CKestraneUSBDevice* device : *list) {
            device->setLightOutput(flag);
        }
    }
}

void DeviceManager::SetPreviewActive(int flag) {
    for (auto* list : {&mice_, &mousePads_, &keyboards_}) {
        for (device::CKestraneUSBDevice* device : *list) {
            device->setPreviewActive(flag);
        }
    }
}

void DeviceManager::SetSynchronisedLightingVisibility(bool moreThanOneTabVisible) {
    for (auto* list : {&mice_, &keyboards_, &mousePads_, &headsets_}) {
        for (device::CKestraneUSBDevice* device : *list) {
            if (hooks_.showSynchronisationOption) {
                hooks_.showSynchronisationOption(*device, moreThanOneTabVisible);
            }
            if (lighting::LightPanelBinding* panel = device->lightPanelBinding()) {
                panel->SetSyncAvailable(moreThanOneTabVisible);
            }
            if (!moreThanOneTabVisible) {
                device->commandChannel().setSynchronised(false);
            }
        }
    }
}

void DeviceManager::SetEditLock(bool withDeviceBar, bool released) {
    device::CKestraneUSBDevice* current = CurrentDevice();
    if (withDeviceBar) {
        if (ui::Control* bar = window_.find(kDeviceBarName)) {
            bar->setEnabled(released);
        }
        if (current != nullptr && current->profilePanel() != nullptr) {
            current->profilePanel()->setEnabled(released);
        }
    }
    if (current != nullptr &&
        (current->deviceType() == hid::kDeviceKeyboard ||
         current->deviceType() == hid::kDeviceMouse) &&
        hooks_.setKeyEditButtonsEnabled) {
        hooks_.setKeyEditButtonsEnabled(*current, !released);
    }
    editLock_ = !released;
}

bool DeviceManager::SameMode(ui::Size screen) {
    device::CKestraneUSBDevice* current = CurrentDevice();
    if (current == nullptr ||
        !synchronised_.applySameMode(
            *current, DeviceLists{keyboards_, mice_, mousePads_, headsets_}, screen)) {
        return false;
    }
    for (CDeviceOptionUI* tab : tabs_) {
        if (tab->device() != nullptr && tab->device()->commandChannel().isSynchronised()) {
            tab->setSynchronised(true);
        }
    }
    return true;
}

} // namespace morva::app
