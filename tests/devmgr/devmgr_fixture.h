#pragma once

#include "app/main_window.h"
#include "base/text.h"
#include "base/virtual_event_loop.h"
#include "device/device_factory.h"
#include "device/mouse/mouse_device.h"
#include "device/usb_device.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware_device.h"
#include "hid/hid_default_backend.h"
#include "hid/hid_path.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/scripted_host.h"
#include "tests/support/scripted_input_capture.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/select_panel.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace morva::devmgr::test {

inline std::filesystem::path runtimeSkinFolder() {
    return std::filesystem::path(MORVA_RUNTIME_DIR) / "skin";
}

// The path of one collection of an emulated device's control interface (interface 1), or of
// the headset's interface 3; empty when it is not on the bus.
inline std::wstring emulatedPath(platform::HidBackend& bus, uint16_t interfaceNumber,
                                 uint16_t collection) {
    hid::CHidDevice hid(bus);
    if (!hid.EnumerateHidInterfaces()) {
        return {};
    }
    while (const std::wstring* path = hid.NextPath()) {
        if (hid::parseInterfaceNumber(*path) == interfaceNumber &&
            hid::parseCollectionNumber(*path) == collection) {
            return *path;
        }
    }
    return {};
}

// A toolkit on the virtual loop with the real skin, a scripted host, user data in a temporary
// folder, and an emulated HID bus as the default backend.
class DevmgrTest : public ::testing::Test {
protected:
    DevmgrTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(runtimeSkinFolder()));
        hid::setDefaultHidBackend(&bus);
    }
    ~DevmgrTest() override { hid::setDefaultHidBackend(nullptr); }

    // The creation callback of device pages in tests: the device classes and the controls of
    // the device pictures.
    static std::unique_ptr<ui::Control> createPageControl(std::string_view tag) {
        if (auto device = device::createDeviceForTag(tag)) {
            return device;
        }
        if (equalsIgnoreCase(tag, ui::CSelectPanelUI::kClassName)) {
            return std::make_unique<ui::CSelectPanelUI>();
        }
        if (equalsIgnoreCase(tag, ui::CDeviceKeyButtonUI::kClassName)) {
            return std::make_unique<ui::CDeviceKeyButtonUI>();
        }
        // The panels of a page keep their places as plain containers.
        for (std::string_view panel :
             {"DeviceProfileUI", "LightSetControlUI", "KeySetControlUI", "MacroSetControlUI",
              "ShootKeySetControlUI", "Voice6533SetControlUI", "MagicSetControlUI",
              "VirtualSetControlUI"}) {
            if (equalsIgnoreCase(tag, panel)) {
                return std::make_unique<ui::VerticalLayout>();
            }
        }
        return nullptr;
    }

    morva::test::TempDir dataHome;
    morva::test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
    emulator::EmulatedHidBus bus;
    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
};

// The main window of the program on the emulated bus, with the English texts: devices plugged
// into the bus get their tabs and connect as in the program.
class MainWindowTest : public DevmgrTest {
protected:
    MainWindowTest() {
        app::MainWindowConfig config;
        config.backend = &bus;
        config.inputCapture = &capture;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
    }
    ~MainWindowTest() override { main.reset(); }

    void SetUp() override {
        ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        ASSERT_TRUE(main->Create());
        loop.runPending();
    }

    // The tab of the first model of a device type; the emulated devices are those models.
    app::CDeviceOptionUI* firstTabOfType(uint16_t deviceType) const {
        for (app::CDeviceOptionUI* tab : main->devices().tabs()) {
            if (tab->device()->deviceType() == deviceType) {
                return tab;
            }
        }
        return nullptr;
    }
    // Waits until the tab shows and the device has connected (500 ms after its attach).
    bool connected(app::CDeviceOptionUI* tab) {
        if (tab == nullptr || !loop.runUntil([&] { return tab->tabVisible(); }, 10000)) {
            return false;
        }
        loop.advance(500);
        return true;
    }

    // Makes the tab's device the current one, as a click on the tab does.
    void show(app::CDeviceOptionUI* tab) {
        const auto& tabs = main->devices().tabs();
        const auto index = std::find(tabs.begin(), tabs.end(), tab) - tabs.begin();
        main->devices().ShowTab(static_cast<int>(index), true, true);
        ASSERT_EQ(main->devices().CurrentDevice(), tab->device());
    }

    // Keys and buttons typed on the program while it captures them.
    morva::test::ScriptedInputCapture capture;
    std::unique_ptr<app::CMainWnd> main;
};

// A mouse on the emulated bus in the main window, connected; its emulator's memory shows what
// reached it.
class MouseWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus.plug(emulated);
        mouseTab = firstTabOfType(hid::kDeviceMouse);
        ASSERT_TRUE(connected(mouseTab));
        mouse = dynamic_cast<device::CKestraneMouseDevice*>(mouseTab->device());
        ASSERT_NE(mouse, nullptr);
    }
    emulator::CommandFirmware& firmware() { return emulated->firmware(); }

    std::shared_ptr<emulator::FirmwareHidDevice> emulated = emulator::makeEmulatedMouse();
    app::CDeviceOptionUI* mouseTab = nullptr;
    device::CKestraneMouseDevice* mouse = nullptr;
};

} // namespace morva::devmgr::test
