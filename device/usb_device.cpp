#include "device/usb_device.h"

#include "base/text.h"
#include "base/trace.h"
#include "profiles/data_folders.h"
#include "profiles/panel/profile_panel_binding.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/mp_device_power.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <charconv>
#include <optional>
#include <utility>

namespace morva::device {

namespace {

// "key_12" → ("key_", 12); no number → none.
struct NumberedName {
    std::string prefix;
    size_t number = 0;
};
std::optional<NumberedName> splitTrailingNumber(const std::string& text) {
    size_t digits = text.size();
    while (digits > 0 && text[digits - 1] >= '0' && text[digits - 1] <= '9') {
        --digits;
    }
    if (digits == text.size()) {
        return std::nullopt;
    }
    NumberedName result;
    result.prefix = text.substr(0, digits);
    const char* first = text.data() + digits;
    const char* last = text.data() + text.size();
    if (std::from_chars(first, last, result.number).ec != std::errc{}) {
        return std::nullopt; // too many digits to be a position
    }
    return result;
}

constexpr uint32_t kWhite = 0xFFFFFF;

} // namespace

CKestraneUSBDevice::CKestraneUSBDevice() : CKestraneUSBDevice(0) {}

CKestraneUSBDevice::CKestraneUSBDevice(uint16_t ownType)
    : deviceType_(ownType), life_(std::make_shared<CKestraneUSBDevice*>(this)) {}

CKestraneUSBDevice::~CKestraneUSBDevice() {
    *life_ = nullptr;
    // The lighting thread reads the command channel: it ends before the channels go.
    lighting_.driver.stop();
}

bool CKestraneUSBDevice::UseHidBackend(platform::HidBackend& backend, Clock& clock) {
    return link_.useHidBackend(backend, clock);
}

bool CKestraneUSBDevice::OpenCommandChannel(const hid::InterfaceSlot& slot) {
    if (!link_.openCommand(slot)) {
        return false;
    }
    SetSlotRecord(slot);
    return true;
}

bool CKestraneUSBDevice::OpenEventChannel(const hid::InterfaceSlot& /*slot*/) {
    return false;
}

void CKestraneUSBDevice::CloseEventChannel() {
    link_.closeEvent();
}

bool CKestraneUSBDevice::StopWorkers(TickMs timeoutMs) {
    const bool lightingEnded = lighting_.driver.stop(timeoutMs);
    return link_.stopWorkers(timeoutMs) && lightingEnded;
}

bool CKestraneUSBDevice::StartEventThread(const hid::InterfaceSlot& slot) {
    // Event codes go to the interface thread, and only while this device still exists.
    EventLoop* loop = mainWindow_ != nullptr ? &mainWindow_->toolkit().loop() : nullptr;
    std::weak_ptr<CKestraneUSBDevice*> life = life_;
    auto postToDevice = [loop, life](uint16_t code) {
        if (loop == nullptr) {
            return;
        }
        loop->post([life, code] {
            if (const auto alive = life.lock(); alive && *alive != nullptr) {
                (*alive)->HandleEventCode(code);
            }
        });
    };
    std::string error;
    if (!link_.startEventReader(slot.path, std::move(postToDevice), error)) {
        trace("device %s: the event interface cannot be opened: %s\n", deviceName().c_str(),
              error.c_str());
        return false;
    }
    return true;
}

void CKestraneUSBDevice::SetKeyCount(int count) {
    if (count < 0 || count == keyCount_) {
        return;
    }
    keyCount_ = count;
    keyButtons_.resize(static_cast<size_t>(count));
}

void CKestraneUSBDevice::SetLedCount(int count) {
    if (count < 0) {
        return;
    }
    if (count != ledCount_) {
        ledCount_ = count;
        ledButtons_.resize(static_cast<size_t>(count));
    }
    ResetLighting(static_cast<size_t>(count));
}

void CKestraneUSBDevice::SetPowerDisplay(int flag) {
    powerDisplay_ = flag;
    ApplyPowerDisplay();
}

void CKestraneUSBDevice::SetPowerWidget(ui::Control* widget) {
    powerWidget_ = widget != nullptr ? widget->ref() : ui::ControlRef{};
    ApplyPowerDisplay();
}

void CKestraneUSBDevice::ApplyPowerDisplay() {
    ui::Control* widget = powerWidget_.get();
    if (widget == nullptr || widget->asContainer() == nullptr) {
        return;
    }
    if (ui::Control* layout =
            widget->asContainer()->findDescendant(ui::CMpDevicePowerUI::kPowerLayoutName)) {
        layout->setVisible(powerDisplay_ != 0);
    }
}

void CKestraneUSBDevice::SetSlotRecord(const hid::InterfaceSlot& slot) {
    slotRecord_ = slot;
    deviceType_ = slot.deviceType;
    role_ = slot.role;
}

void CKestraneUSBDevice::SetTab(ui::Control* tab) {
    tab_ = tab != nullptr ? tab->ref() : ui::ControlRef{};
    if (tab == nullptr) {
        return;
    }
    std::weak_ptr<CKestraneUSBDevice*> life = life_;
    tab->setEventFilter([life](ui::Control&, const ui::UiEvent& e) {
        if (e.type != ui::EventType::Timer) {
            return false;
        }
        const auto alive = life.lock();
        if (!alive || *alive == nullptr) {
            return false;
        }
        (*alive)->HandleTabTimer(static_cast<int>(e.wParam));
        return true;
    });
}

void CKestraneUSBDevice::SetLightPanel(ui::Control* panel) {
    lightPanel_ = panel != nullptr ? panel->ref() : ui::ControlRef{};
}

void CKestraneUSBDevice::SetProfilePanel(ui::Control* panel) {
    profilePanel_ = panel != nullptr ? panel->ref() : ui::ControlRef{};
}

uint8_t CKestraneUSBDevice::StepValue(bool direction, uint8_t limit, uint8_t value, uint8_t step) {
    if (direction) {
        const auto sum = static_cast<uint8_t>(value + step);
        return sum < limit ? sum : 0;
    }
    const auto difference = static_cast<uint8_t>(value - step);
    return difference < limit ? difference : static_cast<uint8_t>(limit - step);
}

ui::Control* CKestraneUSBDevice::keyButton(size_t position) const {
    return position < keyButtons_.size() ? keyButtons_[position].get() : nullptr;
}

ui::Control* CKestraneUSBDevice::ledButton(size_t position) const {
    return position < ledButtons_.size() ? ledButtons_[position].get() : nullptr;
}

void CKestraneUSBDevice::BindPage() {
    if (pageXml_.empty()) {
        keyCount_ = 0;
        ledCount_ = 0;
        keyButtons_.clear();
        ledButtons_.clear();
        ResetLighting(0);
        return;
    }
    ui::Container* panel = nullptr;
    visitDescendants([&panel](ui::Control& control) {
        if (equalsIgnoreCase(control.className(), kSelectPanelClass) &&
            control.asContainer() != nullptr) {
            panel = control.asContainer();
            return false;
        }
        return true;
    });
    selectPanel_ = panel != nullptr ? panel->ref() : ui::ControlRef{};
    if (panel == nullptr) {
        return;
    }
    for (const auto& child : panel->children()) {
        if (!equalsIgnoreCase(child->className(), kKeyButtonClass)) {
            continue;
        }
        const std::optional<NumberedName> name = splitTrailingNumber(child->userData());
        if (!name) {
            continue;
        }
        if (equalsIgnoreCase(name->prefix, "key_") && name->number < keyButtons_.size()) {
            keyButtons_[name->number] = child->ref();
        } else if (equalsIgnoreCase(name->prefix, "light_") && name->number < ledButtons_.size()) {
            ledButtons_[name->number] = child->ref();
            if (auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child.get())) {
                button->setLed(kWhite, 255, true);
            }
        }
    }
}

int CKestraneUSBDevice::LoadLightSettings() {
    return 0;
}

int CKestraneUSBDevice::WriteKeyTable(int /*profileIndex*/,
                                      std::vector<profiles::KeyAssignmentRecord> keys) {
    keys.clear(); // the base only releases the list
    return 0;
}

int CKestraneUSBDevice::WriteSettings(const SettingsWriteRequest& /*request*/) {
    return 0;
}

bool CKestraneUSBDevice::FindFunctionSwitches() {
    if (!functionSwitch_) {
        if (Control* found = findDescendant(kFunctionSwitchName)) {
            functionSwitch_ = found->ref();
        }
    }
    if (!keyFunctionSwitch_) {
        if (Control* found = findDescendant(kKeyFunctionSwitchName)) {
            keyFunctionSwitch_ = found->ref();
        }
    }
    return functionSwitch_ && keyFunctionSwitch_;
}

void CKestraneUSBDevice::ShowFunctionPanels(int kind) {
    functionMode_ = kind;
    if (!FindFunctionSwitches()) {
        return;
    }
    auto* function = dynamic_cast<ui::TabLayout*>(functionSwitch_.get());
    auto* keyFunction = dynamic_cast<ui::TabLayout*>(keyFunctionSwitch_.get());
    if (function == nullptr || keyFunction == nullptr) {
        return;
    }
    constexpr int kUnchanged = -1;
    int functionPage = 0;
    int keyFunctionPage = 0;
    switch (kind) {
    case 1:
        break;
    case 2:
    case 6:
        keyFunctionPage = 1;
        break;
    case 3:
    case 8:
        functionPage = 1;
        keyFunctionPage = kUnchanged;
        break;
    case 4:
        // A mouse behind a wireless receiver is a mouse, with the mouse's cursor page.
        if (deviceType_ == hid::kDeviceKeyboard || deviceType_ == hid::kDeviceMouse ||
            deviceType_ == hid::kDeviceWirelessMouse) {
            functionPage = 3;
            keyFunctionPage = kUnchanged;
        } else {
            keyFunctionPage = 2;
        }
        break;
    case 5:
        functionPage = 2;
        keyFunctionPage = kUnchanged;
        break;
    case 7:
        keyFunctionPage = 2;
        break;
    default:
        break;
    }
    function->selectItem(functionPage);
    if (keyFunctionPage != kUnchanged) {
        keyFunction->selectItem(keyFunctionPage);
    }
}

bool CKestraneUSBDevice::StartTabTimer(int id, TickMs delayMs) {
    ui::Control* tab = tab_.get();
    return tab != nullptr && tab->setTimer(id, delayMs);
}

TickMs CKestraneUSBDevice::UntilNextRefreshTick() const {
    const ui::Control* tab = tab_.get();
    if (tab == nullptr || tab->window() == nullptr) {
        return tab_timer::kRefreshPeriodMs;
    }
    // On shared ticks one wake-up of the interface thread serves every device.
    return untilNextTick(tab->window()->toolkit().loop().clock().nowMs(),
                         tab_timer::kRefreshPeriodMs);
}

bool CKestraneUSBDevice::tabSelected() const {
    ui::Control* tab = tab_.get();
    if (tab == nullptr || tab->asContainer() == nullptr) {
        return false;
    }
    const auto* option = tab->asContainer()->findDescendantAs<ui::Option>("device_select");
    return option != nullptr && option->selected();
}

void CKestraneUSBDevice::CloseCommandChannel() {
    lighting_.driver.stop();
    link_.closeCommand();
}

void CKestraneUSBDevice::HandleTabTimer(int id) {
    using namespace tab_timer;
    if (ui::Control* tab = tab_.get()) {
        tab->killTimer(id); // every tab timer is a one-shot
    }
    switch (id) {
    case kConnect:
        Connect();
        StartTabTimer(kLightingRefresh, kFirstRefreshMs);
        if (powerDisplay_ != 0 && commandChannel().isOpen()) {
            StartTabTimer(kStatusPoll, kStatusPeriodMs);
        }
        break;
    case kLightingRefresh:
        // With the lighting handed over to another program nothing is painted or sent.
        if (lighting_.output != 0) {
            LightingRefresh();
            if (tabSelected() && lighting_.previewActive != 0) {
                RepaintPreview();
            }
        }
        if (commandChannel().isOpen()) {
            StartTabTimer(kLightingRefresh, UntilNextRefreshTick());
        }
        break;
    case kReadSettings:
        ReadSettings();
        break;
    case kHookA:
    case kHookA2:
        TimerHookA();
        break;
    case kHookB:
        TimerHookB();
        break;
    case kStatusPoll:
        StatusPoll();
        if (powerDisplay_ != 0 && commandChannel().isOpen()) {
            StartTabTimer(kStatusPoll, kStatusPeriodMs);
        }
        break;
    default:
        break;
    }
}

void CKestraneUSBDevice::BindDevicePage(profiles::CBasicProfiledata& profile) {
    CKestraneUSBDevice::BindPage();
    SetProfilePanel(findDescendant(kProfilePanelName));
    SetLightPanel(findDescendant(kLightPanelName));
    FillLightPanel();
    // The profile panel keeps the model's profile list; its selection is the current profile.
    if (profiles::ProfilePanelBinding* panel = profilePanelBinding()) {
        profiles_.bindPanel(*panel, deviceType_);
        panel->ShowTab(1);
    }
    profiles_.loadActiveProfile(profile);
}

void CKestraneUSBDevice::ReportWriteFailure(std::string_view whatKey, int channelResult) {
    trace("%s: a write did not reach the device (%.*s, %d)\n", deviceName().c_str(),
          static_cast<int>(whatKey.size()), whatKey.data(), channelResult);
    if (writeFailureReporter_) {
        writeFailureReporter_(*this, whatKey);
    }
}

uint16_t CKestraneUSBDevice::HidVersion() {
    return commandChannel().isOpen() ? commandHid().attributes().versionNumber : 0;
}

} // namespace morva::device
