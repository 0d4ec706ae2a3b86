#include "app/main_window.h"

#include "app/device_option.h"
#include "base/text.h"
#include "base/trace.h"
#include "device/device_factory.h"
#include "device/key_assignments.h"
#include "device/usb_device.h"
#include "hid/device_scanner.h"
#include "hid/hid_default_backend.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "lighting/panel/light_control_ui.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/shoot_control_ui.h"
#include "platform/input_settings_launcher.h"
#include "ui/controls/custom_controls.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/select_panel.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/skin_builder.h"

#include <array>
#include <utility>

namespace morva::app {

namespace {

// Tags whose subtree is built from a file of their own, with the same callback.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kSubtreeTags = {{
    {"DeviceProfileUI", "XML\\CustomControlXML\\DeviceProfile.xml"},
    {"LightSetControlUI", "XML\\CustomControlXML\\LightControl.xml"},
    {"Voice6533SetControlUI", "XML\\CustomControlXML\\Voice6533Control.xml"},
    {"MagicSetControlUI", "XML\\CustomControlXML\\MagicControl.xml"},
    {"KeySetControlUI", "XML\\CustomControlXML\\KeySetControl.xml"},
    {"MacroSetControlUI", "XML\\CustomControlXML\\MacroControl.xml"},
    {"ShootKeySetControlUI", "XML\\CustomControlXML\\ShootControl.xml"},
    {"VirtualSetControlUI", "XML\\CustomControlXML\\VirtualSet.xml"},
}};

// Panels built as plain containers: the headset's audio panels are shown by the headset and
// routed by its routes; the magic panel's logic comes later. The pages keep their layout and
// their switch pages.
constexpr std::array<std::string_view, 2> kPanelsBuiltAsContainers = {"MagicControl",
                                                                      "Voice6533Control"};

// The function tabs, in the order of their function kinds 1 to 8.
constexpr std::array<std::string_view, 8> kFunctionTabs = {
    "deng_Op_tab",   "key_Op_tab",        "macro_Op_tab", "system_Op_tab",
    "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

template <typename T> ui::ControlFactory::Maker maker() {
    return [] {
        return std::make_unique<T>();
    };
}

} // namespace

CMainWnd::CMainWnd(ui::Toolkit& toolkit, MainWindowCallbacks callbacks, MainWindowConfig config)
    : toolkit_(toolkit), callbacks_(std::move(callbacks)),
      backend_(config.backend != nullptr ? *config.backend : hid::defaultHidBackend()),
      clock_(config.clock != nullptr ? *config.clock : RealClock::instance()),
      scanDevices_(config.scanDevices), window_(toolkit),
      devices_(
          window_, [this](std::string_view tag) { return CreateControl(tag); }, backend_, clock_,
          DeviceManagerHooks{callbacks_.closeSettingsAndAbout,
                             [this] {
                                 recordingRoutes_.EndRecording();
                                 if (callbacks_.endRecording) {
                                     callbacks_.endRecording();
                                 }
                             },
                             [this](device::CKestraneUSBDevice& device, bool enabled) {
                                 SetKeyEditButtonsEnabled(device, enabled);
                             },
                             callbacks_.showSynchronisationOption, callbacks_.firstScanPassDone,
                             [this](device::CKestraneUSBDevice& device, std::string_view what) {
                                 writeFailureNotice_.Show(device, what);
                             }},
          config.models != nullptr ? *config.models : hid::installedDeviceModels()),
      profileDevice_([this] { return screen_; }),
      lightRoutes_([this] { return devices_.CurrentDevice(); }, [this] { return screen_; }),
      keyRoutes_(KeyPanelRoutes::Hooks{
          .currentDevice = [this] { return devices_.CurrentDevice(); },
          .showMessage =
              [this](std::string_view key) { ShowMessage(key, ui::MessageBoxButtons::Ok); },
          .reportMacroWrite =
              [this](int result) {
                  if (profileRoutes_) {
                      profileRoutes_->reportMacroWrite(result);
                  }
              },
          .setEditLock = [this](bool released) { devices_.SetEditLock(false, released); },
          .keyCapture =
              [this](bool on) {
                  window_.sendMessage(kMsgRecordingHooks, on ? 1 : 0);
              }}),
      macroRoutes_(
          MacroPanelRoutes::Hooks{.currentDevice = [this] { return devices_.CurrentDevice(); },
                                  .showMessage =
                                      [this](std::string_view key, ui::MessageBoxButtons buttons) {
                                          return ShowMessage(key, buttons);
                                      },
                                  .writeKeysAndMacros =
                                      [this] {
                                          keyRoutes_.WriteToDevice();
                                      }},
          toolkit_, window_),
      recordingRoutes_(
          MacroRecordingRoutes::Hooks{
              .currentDevice = [this] { return devices_.CurrentDevice(); },
              .setRecordingLock = [this](bool released) { devices_.SetEditLock(true, released); },
              .capturedKey =
                  [this](size_t entry) {
                      keyRoutes_.OnCapturedKey(entry);
                  }},
          config.inputCapture, window_),
      keyboardSystemRoutes_([this] { return devices_.CurrentDevice(); }),
      customLightRoutes_([this] { return devices_.CurrentDevice(); }, [this] { return screen_; }),
      mousePageRoutes_([this] { return devices_.CurrentDevice(); }, [this] { return screen_; }),
      headsetAudioRoutes_(
          [this] { return devices_.CurrentDevice(); },
          [this](std::string_view key) { ShowMessage(key, ui::MessageBoxButtons::Ok); }),
      gunPanelRoutes_(GunPanelRoutes::Hooks{
          .currentDevice = [this] { return devices_.CurrentDevice(); },
          .chooseFile =
              [this](const ui::FileDialogRequest& request) {
                  return toolkit_.host().fileDialog(&window_, request);
              },
          .confirm =
              [this](std::string_view key) {
                  return ShowMessage(key, ui::MessageBoxButtons::OkCancel) == 1;
              }}) {
    RegisterFactoryClasses();
    // The device bar's name labels show the models' display names in the current language.
    toolkit_.language().setTextQuery([this](std::string_view key) {
        return devices_.ModelNameText(key, toolkit_.language().language());
    });
}

CMainWnd::~CMainWnd() {
    toolkit_.language().setTextQuery({});
    StopWorkers();
}

void CMainWnd::RegisterFactoryClasses() {
    ui::ControlFactory& factory = toolkit_.factory();
    ui::registerCustomControls(factory);
    factory.registerClass("CDeviceOptionUI", maker<CDeviceOptionUI>());
    factory.registerClass(keyassign::CKeySetControlUI::kFactoryName,
                          maker<keyassign::CKeySetControlUI>());
    factory.registerClass(macros::CShootControlUI::kFactoryName, maker<macros::CShootControlUI>());
    factory.registerClass(macros::CMacroControlUI::kFactoryName, maker<macros::CMacroControlUI>());
    profiles::registerDeviceProfileClass(factory);
    device::registerDeviceClasses(factory);
}

bool CMainWnd::Create() {
    window_.create(std::string(kWindowClass), std::string(kTitle), {1000, 640});
    RegisterRoutes();
    router_.attachTo(window_);
    return window_.loadSkin("XML_MAIN",
                            [this](std::string_view tag) { return CreateControl(tag); });
}

std::unique_ptr<ui::Control> CMainWnd::CreateControl(std::string_view tag) {
    if (auto device = device::createDeviceForTag(tag)) {
        return device;
    }
    if (equalsIgnoreCase(tag, ui::CSelectPanelUI::kClassName)) {
        return std::make_unique<ui::CSelectPanelUI>();
    }
    if (equalsIgnoreCase(tag, ui::CDeviceKeyButtonUI::kClassName)) {
        return std::make_unique<ui::CDeviceKeyButtonUI>();
    }
    if (equalsIgnoreCase(tag, profiles::CDeviceProfileUI::kSkinTag)) {
        return std::make_unique<profiles::CDeviceProfileUI>();
    }
    if (equalsIgnoreCase(tag, keyassign::CKeySetControlUI::kSkinTag)) {
        return std::make_unique<keyassign::CKeySetControlUI>();
    }
    if (equalsIgnoreCase(tag, lighting::CLightControlUI::kSkinTag)) {
        return std::make_unique<lighting::CLightControlUI>();
    }
    if (equalsIgnoreCase(tag, macros::CShootControlUI::kSkinTag)) {
        return std::make_unique<macros::CShootControlUI>();
    }
    if (equalsIgnoreCase(tag, macros::CMacroControlUI::kSkinTag)) {
        return std::make_unique<macros::CMacroControlUI>();
    }
    for (std::string_view panel : kPanelsBuiltAsContainers) {
        if (equalsIgnoreCase(tag, panel)) {
            return std::make_unique<ui::VerticalLayout>();
        }
    }
    for (const auto& [subtreeTag, file] : kSubtreeTags) {
        if (equalsIgnoreCase(tag, subtreeTag)) {
            return ui::SkinBuilder(toolkit_).build(
                file, [this](std::string_view inner) { return CreateControl(inner); });
        }
    }
    return nullptr;
}

void CMainWnd::Initialise() {
    if (initialised_) {
        return;
    }
    if (callbacks_.announce) {
        callbacks_.announce(1, 1);
    }
    if (callbacks_.applyLanguage) {
        callbacks_.applyLanguage();
    }
    devices_.BuildPages();
    devices_.UpdateNoDeviceNotice();
    screen_ = toolkit_.host().screenSize();
    if (callbacks_.showWindow) {
        callbacks_.showWindow();
    } else {
        window_.show();
    }
    // After the window shows, so the box has something to stand over.
    toolkit_.loop().post([this] { ShowProfileNotices(); });
    if (scanDevices_ && !devices_.StartScanThread()) {
        trace("main window: the scan thread did not start\n");
    }
    initialised_ = true;
}

void CMainWnd::ShowProfileNotices() {
    for (const CDeviceOptionUI* tab : devices_.tabs()) {
        device::CKestraneUSBDevice* device = tab->device();
        for (const profiles::ProfileNotice notice : device != nullptr
                                                        ? device->TakeStartNotices()
                                                        : std::vector<profiles::ProfileNotice>{}) {
            ShowMessage(profiles::profileNoticeMessageKey(notice), ui::MessageBoxButtons::Ok);
        }
    }
}

void CMainWnd::StopWorkers() {
    if (window_.created()) {
        window_.hide();
    }
    if (profileRoutes_) {
        profileRoutes_->cancelPendingActivation();
    }
    devices_.StopWorkers();
    controlPanelThread_.stop();
}

profiles::CDeviceProfileUI* CMainWnd::CurrentProfilePanel() const {
    device::CKestraneUSBDevice* device = const_cast<DeviceManager&>(devices_).CurrentDevice();
    return device != nullptr ? dynamic_cast<profiles::CDeviceProfileUI*>(device->profilePanel())
                             : nullptr;
}

void CMainWnd::RegisterRoutes() {
    using namespace ui::notify;
    router_.on(kWindowInit, "", [this](const ui::Notification&) { Initialise(); });
    router_.on(kClick, "device_select_prev",
               [this](const ui::Notification&) { devices_.PreviousTab(); });
    router_.on(kClick, "device_select_next",
               [this](const ui::Notification&) { devices_.NextTab(); });
    router_.on(kSelectChanged, CDeviceOptionUI::kOptionName,
               [this](const ui::Notification& n) { OnTabOptionSelected(n); });
    for (size_t i = 0; i < kFunctionTabs.size(); ++i) {
        const int kind = static_cast<int>(i) + 1;
        router_.on(kSelectChanged, kFunctionTabs[i],
                   [this, kind](const ui::Notification&) { OnFunctionTab(kind); });
    }
    router_.onFamily(kClick, "windowdeviceset_",
                     [this](const ui::Notification&, int which) { OnInputSettings(which); });
    router_.on(kClick, "default_btn", [this](const ui::Notification&) { OnDefaultButton(); });

    profileRoutes_ = registerProfilePanelRoutes(
        router_, [this] { return CurrentProfilePanel(); },
        [this]() -> profiles::ProfilePanelDevice* {
            profileDevice_.bind(devices_.CurrentDevice());
            return profileDevice_.device() != nullptr ? &profileDevice_ : nullptr;
        },
        toolkit_.host(), toolkit_.loop(), callbacks_.messageBox);
    profileRoutes_->setNotice(
        [this](const std::string& text) { writeFailureNotice_.ShowText(text); });

    lightRoutes_.registerOn(router_);
    keyRoutes_.registerOn(router_);
    macroRoutes_.registerOn(router_);
    recordingRoutes_.registerOn(router_);
    keyboardSystemRoutes_.registerOn(router_);
    customLightRoutes_.registerOn(router_);
    mousePageRoutes_.registerOn(router_);
    headsetAudioRoutes_.registerOn(router_);
    gunPanelRoutes_.registerOn(router_);
    writeFailureNotice_.registerOn(router_);
    router_.on(kClick, "deng_same_mode",
               [this](const ui::Notification&) { devices_.SameMode(screen_); });

    router_.onMessage(kMsgAudioStartProblem, [this](const ui::WindowMessage& m) {
        const bool initialisation =
            m.wParam == static_cast<int64_t>(AudioStartProblem::InitialisationFailed);
        ShowMessage(initialisation ? "audio_init_failed_text" : "audio_features_failed_text",
                    ui::MessageBoxButtons::Ok);
        return std::optional<int64_t>(0);
    });
    router_.onMessage(WM_DEVICE_ATTACHED, [this](const ui::WindowMessage& m) {
        devices_.Attach(static_cast<size_t>(m.wParam));
        return std::optional<int64_t>(0);
    });
    router_.onMessage(WM_DEVICE_DETACHED, [this](const ui::WindowMessage& m) {
        devices_.Detach(static_cast<size_t>(m.wParam));
        return std::optional<int64_t>(0);
    });
    // The front-end ends its loop after the window is gone; the core only stops its threads.
    router_.onMessage(kMsgDestroy, [this](const ui::WindowMessage&) {
        trace("退出测试\n");
        StopWorkers();
        return std::optional<int64_t>();
    });
}

void CMainWnd::OnTabOptionSelected(const ui::Notification& n) {
    for (ui::Control* c = n.sender.get(); c != nullptr; c = c->parent()) {
        if (auto* tab = dynamic_cast<CDeviceOptionUI*>(c)) {
            devices_.TabSelected(*tab);
            return;
        }
    }
}

void CMainWnd::OnFunctionTab(int kind) {
    device::CKestraneUSBDevice* device = devices_.CurrentDevice();
    if (device == nullptr) {
        return;
    }
    device->ShowFunctionPanels(kind);
    if (auto* panel = dynamic_cast<profiles::CDeviceProfileUI*>(device->profilePanel())) {
        panel->SelectTab(kind, false);
    }
}

int CMainWnd::ShowMessage(std::string_view textKey, ui::MessageBoxButtons buttons) {
    if (callbacks_.messageBox) {
        return callbacks_.messageBox(&window_,
                                     profiles::PanelMessage{std::string(textKey), true, buttons});
    }
    const std::string text = toolkit_.language().lookup(textKey).value_or(std::string(textKey));
    return toolkit_.host().messageBox(&window_, kTitle, text, buttons);
}

void CMainWnd::OnDefaultButton() {
    if (devices_.CurrentDevice() == nullptr) {
        return;
    }
    if (ShowMessage("message_text_22", ui::MessageBoxButtons::OkCancel) != 1) {
        return;
    }
    // The box ran modally: take the current device anew.
    device::CKestraneUSBDevice* device = devices_.CurrentDevice();
    if (device == nullptr) {
        return;
    }
    device->LoadDefaultKeyList();
    device->WriteCurrentKeyTable(0);
    device->WriteSettings({.screenWidth = screen_.cx, .screenHeight = screen_.cy});
}

void CMainWnd::SetKeyEditButtonsEnabled(device::CKestraneUSBDevice& device, bool enabled) {
    if (device::KeyAssignments* keys = device.keyAssignments()) {
        if (keyassign::CKeySetControlUI* panel = keys->panel()) {
            panel->SetEditButtonsEnabled(enabled);
        }
    }
    if (callbacks_.setKeyEditButtonsEnabled) {
        callbacks_.setKeyEditButtonsEnabled(device, enabled);
    }
}

void CMainWnd::OnInputSettings(int which) {
    if (which != 0 && which != 1) {
        return;
    }
    if (controlPanelThread_.running()) {
        return; // the previous launch is still being started
    }
    controlPanelThread_.stop(0);
    auto open = callbacks_.openInputSettings;
    controlPanelThread_.start([open, which](std::stop_token) {
        if (open) {
            open(which);
        } else {
            platform::openDesktopInputSettings(which);
        }
    });
}

} // namespace morva::app
