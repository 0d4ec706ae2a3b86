#include "device/key_assignments.h"
#include "device/mouse/mouse_device.h"
#include "device/mouse/mouse_exchanges.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware/mouse_firmware.h"
#include "emulator/firmware_device.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

#include <vector>

namespace morva::devmgr::test {
namespace {

using device::CKestraneMouseDevice;

std::vector<uint8_t> bytes(std::span<const uint8_t> memory, size_t from, size_t count) {
    return {memory.begin() + static_cast<long>(from),
            memory.begin() + static_cast<long>(from + count)};
}

class MouseProtocol : public MouseWindowTest {};

TEST_F(MouseProtocol, ConnectMapsTheTenButtons) {
    ASSERT_TRUE(mouse->tablesRead());
    for (size_t position = 0; position < device::kMouseButtonCount; ++position) {
        EXPECT_EQ(mouse->buttonMap()[position], position) << "factory key k is position k";
    }
}

TEST_F(MouseProtocol, TheBlockCarriesTheProfileAndTheScreen) {
    profiles::LightInfoRecord light = mouse->profile().ReadLightInfo();
    light.mode = 2;
    light.speed = 1;
    mouse->profile().WriteLightInfo(light);
    EXPECT_EQ(mouse->WriteSettings({.flag = 1, .screenWidth = 1920, .screenHeight = 1080}), 1);
    const std::span<uint8_t> block = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(block[1], 2);
    EXPECT_EQ(block[3], 1) << "wired: the speed as it is";
    EXPECT_EQ(bytes(block, 59, 5), (std::vector<uint8_t>{0x01, 0x80, 0x07, 0x38, 0x04}));
}

TEST_F(MouseProtocol, StagesOfAnEarlierProfileDoNotReachTheMouse) {
    // The profile object holds five stages; the profile file then has only three.
    std::vector<profiles::DpiStageRecord> five(5, {1, 0, 20, 20, 1, 2, 3});
    mouse->profile().WriteDpiStages(five);
    mouse->profile().ReadDpiStages();
    Json::Value entry = mouse->profile().DeviceEntry();
    entry["DPIStages"]["StageDPIs"].resize(3);
    ASSERT_TRUE(mouse->profile().SaveDeviceEntry(entry, mouse->GetProfilePath()));
    mouse->profile().LoadDeviceEntry(mouse->GetProfilePath());
    mouse->WriteSettings({});
    const std::span<uint8_t> block = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(bytes(block, 14 + 18, 9), (std::vector<uint8_t>{1, 0, 20, 0, 20, 0, 1, 2, 3}));
    EXPECT_EQ(bytes(block, 41, 18), std::vector<uint8_t>(18, 0));
}

TEST_F(MouseProtocol, TheButtonTableTakesTheCurrentAssignments) {
    device::KeyAssignments& keys = *mouse->keyAssignments();
    ASSERT_EQ(keys.select(1, mouse->GetProfilePath()), device::KeyAssignments::Selection::Selected);
    profiles::KeyAssignmentRecord record = keys.keys()[1];
    record.assignment.code = profiles::AssignmentCode::mediaKey(0x00CD);
    keys.storeSelected(record);
    EXPECT_EQ(mouse->WriteCurrentKeyTable(0), 1);
    EXPECT_EQ(bytes(firmware().keyTable(), 3, 3), (std::vector<uint8_t>{0x30, 0xCD, 0x00}));
    EXPECT_EQ(bytes(firmware().keyTable(), 0, 3), (std::vector<uint8_t>{0x10, 0x01, 0x00}));
}

TEST_F(MouseProtocol, EveryButtonOnThePictureCanBeGivenAFunction) {
    mouse->ShowFunctionPanels(2);
    device::KeyAssignments& keys = *mouse->keyAssignments();
    for (const size_t position : {7u, 8u, 9u}) {
        auto* button = dynamic_cast<ui::Button*>(mouse->keyButton(position));
        ASSERT_NE(button, nullptr) << position;
        button->activate();
        loop.runPending();
        ASSERT_EQ(keys.selected(), static_cast<int>(position));
        profiles::KeyAssignmentRecord record = keys.keys()[position];
        record.assignment.code = profiles::AssignmentCode::mediaKey(0x00E2);
        keys.storeSelected(record);
    }
    EXPECT_EQ(mouse->WriteCurrentKeyTable(0), 1);
    for (const size_t key : {7u, 8u, 9u}) {
        EXPECT_EQ(bytes(firmware().keyTable(), key * 3, 3),
                  (std::vector<uint8_t>{0x30, 0xE2, 0x00}))
            << key;
    }
}

TEST_F(MouseProtocol, ReadSettingsTakesTheMousesBlockIntoTheProfile) {
    const std::span<uint8_t> block = firmware().settingsBlock(0);
    block[0] = 0;
    block[1] = 4;
    block[3] = 3;
    block[12] = 2;
    mouse->ReadSettings();
    profiles::CMouseProfiledata stored;
    stored.LoadDeviceEntry(mouse->GetProfilePath());
    EXPECT_EQ(stored.ReadLightInfo().mode, 4);
    EXPECT_EQ(stored.ReadLightInfo().speed, 1);
    stored.ReadDpiStages();
    EXPECT_EQ(stored.GetActiveDpiStage(), 2);
}

TEST_F(MouseProtocol, TheCursorPageShowsStoresAndSendsItsSettings) {
    show(firstTabOfType(hid::kDeviceMouse));
    auto* edit1 = mouse->findDescendantAs<ui::Edit>("DPI_edit_1");
    ASSERT_NE(edit1, nullptr);
    EXPECT_EQ(edit1->text(), "800") << "16 steps of 50 DPI";
    EXPECT_EQ(mouse->findDescendantAs<ui::Slider>("DPI_slider_1")->maxValue(), 320);

    // 30 DPI is raised to the lowest DPI and stored in steps.
    edit1->setText("30");
    edit1->event(ui::UiEvent::of(ui::EventType::KillFocus));
    loop.runPending();
    const uint32_t lowest = firmware().deviceInfo().lowestDpi();
    EXPECT_EQ(edit1->text(), std::to_string(lowest / 50 * 50));
    const std::span<uint8_t> block = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(block[14 + 9 + 2], lowest / 50) << "sent at once";

    // Dragging shows the DPI at once; only letting go stores and sends it.
    auto* slider1 = mouse->findDescendantAs<ui::Slider>("DPI_slider_1");
    slider1->userMoveTo(40);
    loop.runPending();
    EXPECT_EQ(edit1->text(), "2000");
    EXPECT_EQ(block[14 + 9 + 2], lowest / 50) << "not sent while dragging";
    slider1->userSetValue(40);
    loop.runPending();
    EXPECT_EQ(block[14 + 9 + 2], 40);

    auto* rate = mouse->findDescendantAs<ui::Option>("polling_rate_option_3");
    rate->activate();
    loop.runPending();
    EXPECT_TRUE(rate->selected());
    EXPECT_FALSE(mouse->findDescendantAs<ui::Option>("polling_rate_option_0")->selected());
    EXPECT_EQ(block[11], 3);

    mouse->findDescendantAs<ui::Slider>("double_click_slider")->userSetValue(700);
    loop.runPending();
    profiles::CMouseProfiledata stored;
    stored.LoadDeviceEntry(mouse->GetProfilePath());
    EXPECT_EQ(stored.ReadMouseSystem().doubleClickTime, 700);
    EXPECT_EQ(stored.ReadMouseSystem().reportRate, 3);
}

TEST_F(MouseProtocol, TheLastEnabledStageCannotBeTurnedOff) {
    show(firstTabOfType(hid::kDeviceMouse));
    for (int stage = 4; stage >= 1; --stage) {
        auto* box =
            mouse->findDescendantAs<ui::Option>("DPI_enable_check_" + std::to_string(stage));
        box->activate();
        loop.runPending();
        EXPECT_FALSE(box->selected());
    }
    EXPECT_FALSE(mouse->findDescendantAs<ui::Option>("DPI_enable_check_0")->enabled());
    mouse->findDescendantAs<ui::Option>("DPI_enable_check_2")->activate();
    loop.runPending();
    EXPECT_TRUE(mouse->findDescendantAs<ui::Option>("DPI_enable_check_0")->enabled());
}

// The exchanges behind a wireless receiver, on a channel of their own.
TEST(MouseExchanges, AnUnlinkedWirelessMouseGetsOnlyTheLinkCheck) {
    emulator::EmulatedHidBus bus;
    const auto wireless = emulator::makeEmulatedWirelessMouse();
    emulator::plugFirmwareDevice(bus, wireless);
    device::DeviceCommandChannel channel(bus);
    ASSERT_TRUE(channel.open(emulatedPath(bus, emulator::kControlInterface, 4)));
    channel.setWireless(true);
    auto& firmware = dynamic_cast<emulator::WirelessMouseFirmware&>(wireless->firmware());

    device::MouseSettings settings;
    settings.wireless = true;
    settings.light.speed = 1;
    device::mouse::WriteResult linked = device::mouse::writeSettings(channel, settings, 0);
    EXPECT_FALSE(linked.linkLost);
    EXPECT_EQ(firmware.writtenSettingsBlock(0)[3], 3) << "wireless: 4 - speed, once";

    firmware.setLinked(false);
    firmware.setRecordRequests(true);
    firmware.clearRequests();
    settings.light.speed = 2;
    const device::mouse::WriteResult unlinked = device::mouse::writeSettings(channel, settings, 0);
    EXPECT_TRUE(unlinked.linkLost);
    EXPECT_FALSE(unlinked.sent);
    ASSERT_EQ(firmware.requests().size(), 1u);
    EXPECT_EQ(firmware.requests()[0][device::packet_byte::kCommand], device::command::kLinkCheck);
    EXPECT_EQ(firmware.writtenSettingsBlock(0)[3], 3) << "nothing written";
}

} // namespace
} // namespace morva::devmgr::test
