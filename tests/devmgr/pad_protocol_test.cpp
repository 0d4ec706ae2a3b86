#include "device/headset/hs6533_device.h"
#include "device/mousepad/mouse_pad_device.h"
#include "emulator/firmware/headset_firmware.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/controls/mp_device_power.h"
#include "ui/toolkit/progress.h"

#include <chrono>
#include <thread>
#include <vector>

namespace morva::devmgr::test {
namespace {

using device::CKestraneHS6533Device;
using device::CKestraneMousePadDevice;

std::vector<uint8_t> bytes(std::span<const uint8_t> memory, size_t from, size_t count) {
    return {memory.begin() + static_cast<long>(from),
            memory.begin() + static_cast<long>(from + count)};
}

// A mouse pad on the emulated bus in the main window, connected. The pad shares its identifiers
// with the mouse, whose rows come first: a mouse is plugged before it.
class PadProtocol : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus.plug(emulator::makeEmulatedMouse());
        ASSERT_TRUE(connected(firstTabOfType(hid::kDeviceMouse)));
        bus.plug(emulated);
        app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceMousePad);
        ASSERT_TRUE(connected(tab));
        pad = dynamic_cast<CKestraneMousePadDevice*>(tab->device());
        ASSERT_NE(pad, nullptr);
        widget = dynamic_cast<ui::CMpDevicePowerUI*>(pad->powerWidget());
        ASSERT_NE(widget, nullptr);
    }
    emulator::CommandFirmware& firmware() { return emulated->firmware(); }
    ui::Control* part(std::string_view name) const { return widget->findDescendant(name); }
    void reportStatus(std::array<uint8_t, 6> status) {
        std::copy(status.begin(), status.end(), firmware().status().begin());
        pad->StatusPoll();
    }

    std::shared_ptr<emulator::FirmwareHidDevice> emulated = emulator::makeEmulatedMousePad();
    CKestraneMousePadDevice* pad = nullptr;
    ui::CMpDevicePowerUI* widget = nullptr;
};

TEST_F(PadProtocol, AFullPoweredPadShowsAHundredPercent) {
    reportStatus({0x64, 0, 0, 0, 0, 0});
    EXPECT_EQ(part("device_power_value")->text(), "100%");
    EXPECT_EQ(dynamic_cast<ui::Progress*>(part("device_Power_progress"))->value(), 0);
    EXPECT_TRUE(part("device_Power_progress")->visible());
    EXPECT_EQ(part("device_power_status")->bkImage(), "file='power/powered.svg'");
}

TEST_F(PadProtocol, ChargingShowsItsPictureAndHidesTheBarOnlyWhenWireless) {
    struct Case {
        bool wireless;
        uint8_t state;
        std::string image;
        bool progressShown;
    };
    for (const Case& c : {Case{true, 1, "file='power/wuxian_powering.svg'", false},
                          Case{false, 1, "file='power/powering.svg'", true},
                          Case{true, 2, "file='power/power.svg'", true},
                          Case{false, 0, "file='power/powered.svg'", true}}) {
        pad->commandChannel().setWireless(c.wireless);
        reportStatus({40, c.state, 0, 0, 0, 0});
        EXPECT_EQ(part("device_power_status")->bkImage(), c.image) << int{c.state};
        EXPECT_EQ(part("device_Power_progress")->visible(), c.progressShown) << int{c.state};
        EXPECT_EQ(dynamic_cast<ui::Progress*>(part("device_Power_progress"))->value(), 60);
    }
}

TEST_F(PadProtocol, ThePhoneOnThePadIsNamedOrNone) {
    struct Case {
        uint8_t type;
        std::string text;
    };
    for (const Case& c :
         {Case{1, "iPhone charging"}, Case{2, "Samsung phone charging"}, Case{3, "Phone charging"},
          Case{7, "No phone on the pad"}, Case{0, "No phone on the pad"}}) {
        reportStatus({50, 0, 0, 0, 0, c.type});
        EXPECT_TRUE(part("device_phone_type")->visible());
        EXPECT_EQ(part("device_phone_type")->text(), c.text) << int{c.type};
    }
    EXPECT_EQ(part("device_phone_type")->bkImage(), "file='power/Phone_type_no_device.svg'");
}

TEST_F(PadProtocol, AStatusThatCannotBeReadLeavesTheWidget) {
    reportStatus({30, 0, 0, 0, 0, 1});
    firmware().injectFault(emulator::FaultKind::StatusFF, device::command::kReadStatus);
    reportStatus({90, 1, 0, 0, 0, 2});
    EXPECT_EQ(part("device_power_value")->text(), "30%");
    EXPECT_EQ(part("device_phone_type")->text(), "iPhone charging");
}

TEST_F(PadProtocol, TheStatusIsPolledEveryFiveSecondsWhilePowerIsShown) {
    pad->SetPowerDisplay(1);
    pad->HandleTabTimer(device::tab_timer::kStatusPoll);
    std::copy_n(std::array<uint8_t, 6>{77, 0, 0, 0, 0, 0}.begin(), 6, firmware().status().begin());
    loop.advance(5000);
    EXPECT_EQ(part("device_power_value")->text(), "77%");
}

TEST_F(PadProtocol, WritingAfterAReadKeepsThePadsOwnBytesAndDirection) {
    const std::span<uint8_t> block = firmware().settingsBlock(0);
    for (size_t i = 0; i < 30; ++i) {
        block[i] = static_cast<uint8_t>(0x80 + i);
    }
    block[0] = 0;
    pad->ReadSettings();
    profiles::LightInfoRecord light = pad->profile().ReadLightInfo();
    light.mode = 12;
    light.speed = 1;
    light.direction = 0;
    light.red = 0x11;
    pad->profile().WriteLightInfo(light);
    pad->ApplyProfile();
    EXPECT_EQ(pad->WriteSettings({}), 1);
    const std::span<uint8_t> written = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(written[1], 0) << "effect 12 travels as 0";
    EXPECT_EQ(written[3], 3) << "4 − speed";
    EXPECT_EQ(written[4], 0x84) << "the pad's direction";
    EXPECT_EQ(written[6], 0x11);
    EXPECT_EQ(bytes(written, 9, 12), (std::vector<uint8_t>{0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
                                                           0x90, 0x91, 0x92, 0x93, 0x94}));
}

TEST_F(PadProtocol, AWriteAfterConnectingKeepsThePadsOwnBytes) {
    const std::span<uint8_t> block = firmware().settingsBlock(0);
    block[4] = 1;
    for (size_t i = 9; i < 21; ++i) {
        block[i] = static_cast<uint8_t>(i);
    }
    pad->Connect();
    pad->WriteSettings({});
    const std::span<uint8_t> written = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(written[4], 1);
    EXPECT_EQ(bytes(written, 9, 12),
              (std::vector<uint8_t>{9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

TEST_F(PadProtocol, ALightingEditReachesThePadAtOnce) {
    profiles::LightInfoRecord light = pad->profile().ReadLightInfo();
    light.mode = 4;
    light.green = 0x66;
    pad->ApplyLightSettings(light, {});
    const std::span<uint8_t> written = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(written[1], 4);
    EXPECT_EQ(written[7], 0x66);
}

TEST_F(PadProtocol, AReadThatFailsKeepsTheMirror) {
    firmware().settingsBlock(0)[9] = 0x5A;
    pad->ReadSettings();
    firmware().injectFault(emulator::FaultKind::StatusFF, device::command::kReadSettings);
    firmware().settingsBlock(0)[9] = 0x00;
    pad->ReadSettings();
    EXPECT_EQ(pad->settingsMirror().own[0], 0x5A);
}

TEST_F(PadProtocol, ASynchronisationRequestReadsTheBlockAgain) {
    firmware().settingsBlock(0)[10] = 0x33;
    firmware().sendSynchronisationRequest();
    // The request arrives on the event thread in real time; the read follows 500 ms later on
    // the tab's clock.
    const auto read = [&] {
        return pad->settingsMirror().own[1] == 0x33;
    };
    for (int wait = 0; wait < 100 && !read(); ++wait) {
        loop.runUntil(read, 50);
        loop.advance(500);
    }
    EXPECT_TRUE(read());
}

// A headset on the emulated bus in the main window, connected.
class HeadsetProtocol : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus.plug(emulated);
        app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceHeadset);
        ASSERT_TRUE(connected(tab));
        headset = dynamic_cast<CKestraneHS6533Device*>(tab->device());
        ASSERT_NE(headset, nullptr);
    }
    emulator::HeadsetFirmware& firmware() {
        return dynamic_cast<emulator::HeadsetFirmware&>(emulated->firmware());
    }

    std::shared_ptr<emulator::FirmwareHidDevice> emulated = emulator::makeEmulatedHeadset();
    CKestraneHS6533Device* headset = nullptr;
};

TEST_F(HeadsetProtocol, EachRefreshSendsTheLedsToBothTargets) {
    // Synchronised lighting holds the engine still, so the colour set here is the one sent.
    headset->commandChannel().setSynchronised(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    headset->SetLedColour(0, 0xFF0080FFu); // red 255, green 128, blue 0, intensity 255
    firmware().clearReportAddresses();
    headset->setLightOutput(1);
    headset->LightingRefresh();
    ASSERT_EQ(firmware().reportAddresses().size(), 12u);
    for (const uint8_t target : emulator::HeadsetFirmware::kTargets) {
        EXPECT_EQ(firmware().ledColour(target, 0), (emulator::HeadsetFirmware::Rgb{247, 127, 0}));
    }
}

TEST_F(HeadsetProtocol, TheSettingsMirrorIsThePads) {
    const std::span<uint8_t> block = firmware().settingsBlock(0);
    block[4] = 1;
    block[20] = 0x7E;
    headset->ReadSettings();
    profiles::LightInfoRecord light = headset->profile().ReadLightInfo();
    light.mode = 9;
    light.direction = 0;
    headset->profile().WriteLightInfo(light);
    headset->ApplyProfile();
    headset->WriteSettings({});
    const std::span<uint8_t> written = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(written[1], 0);
    EXPECT_EQ(written[4], 1);
    EXPECT_EQ(written[20], 0x7E);
}

} // namespace
} // namespace morva::devmgr::test
