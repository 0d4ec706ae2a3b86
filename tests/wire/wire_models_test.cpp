// Every emulated model answers through the whole stack with its own firmware.
#include "device/command_channel.h"
#include "emulator/demo_devices.h"
#include "emulator/emulated_models.h"
#include "tests/wire/wire_test_support.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace morva {
namespace {

struct Model {
    const char* name;
    std::function<std::shared_ptr<emulator::FirmwareHidDevice>()> make;
    int interfaceNumber;
    uint16_t collection;
    uint8_t keyCount;
    uint16_t dpiSteps;
};

class WireModelTest : public ::testing::TestWithParam<Model> {};

TEST_P(WireModelTest, ConnectionSequenceReadsTheModelsInformation) {
    const Model& model = GetParam();
    emulator::EmulatedHidBus bus;
    const auto device = model.make();
    const auto id = emulator::plugFirmwareDevice(bus, device);
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel(bus, clock);
    ASSERT_TRUE(channel.open(test::pathOnBus(bus, id, model.interfaceNumber, model.collection)));

    device::DeviceInfoRecord info;
    EXPECT_EQ(channel.beginTransaction(), device::kResultOk);
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk);
    EXPECT_EQ(channel.endTransaction(), device::kResultOk);
    EXPECT_EQ(info, device->firmware().deviceInfo());
    EXPECT_EQ(info.keyCount(), model.keyCount);
    EXPECT_EQ(info.dpiSteps(), model.dpiSteps);
    EXPECT_EQ(device->firmware().transactionsEnded(), 1u);

    std::array<uint8_t, 6> status{};
    device->firmware().status()[0] = 0x5A;
    EXPECT_EQ(channel.readStatus(0, status), device::kResultOk);
    EXPECT_EQ(status[0], 0x5A);
}

INSTANTIATE_TEST_SUITE_P(
    Models, WireModelTest,
    ::testing::Values(
        Model{"Keyboard", [] { return emulator::makeEmulatedKeyboard(); }, 1, 4, 126, 0},
        Model{"Mouse", [] { return emulator::makeEmulatedMouse(); }, 1, 4, 10, 320},
        Model{"WirelessMouse", [] { return emulator::makeEmulatedWirelessMouse(); }, 1, 4, 10, 320},
        Model{"MousePad", [] { return emulator::makeEmulatedMousePad(); }, 1, 4, 0, 0},
        Model{"Headset", [] { return emulator::makeEmulatedHeadset(); }, 3, 0, 0, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(WireModels, TheReceiverAnswersTheLinkCheckWithTheMousesLinkState) {
    emulator::EmulatedHidBus bus;
    const auto receiver = emulator::makeEmulatedWirelessMouse();
    const auto id = emulator::plugFirmwareDevice(bus, receiver);
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel(bus, clock);
    ASSERT_TRUE(channel.open(test::pathOnBus(bus, id, 1, 4)));
    channel.setWireless(true);
    EXPECT_TRUE(channel.checkLink());
    receiver->firmwareAs<emulator::WirelessMouseFirmware>()->setLinked(false);
    EXPECT_FALSE(channel.checkLink());
}

// The headset's lighting reports and its event reports share the command collection.
TEST(WireModels, HeadsetLightingReportsReachItsFirmwareAndEventsDoNotDisturbCommands) {
    emulator::EmulatedHidBus bus;
    const auto headset = emulator::makeEmulatedHeadset();
    const auto id = emulator::plugFirmwareDevice(bus, headset);
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel(bus, clock);
    ASSERT_TRUE(channel.open(test::pathOnBus(bus, id, 3, 0)));

    std::array<uint8_t, 17> lighting{0xFF, 0x22, 0xAA, 0x00, 0x11, 0x22,
                                     0x33, 0x44, 0x55, 0x66, 0x77};
    ASSERT_TRUE(channel.hidDevice()->SetOutputReport(lighting.data(), lighting.size()));
    auto* firmware = headset->firmwareAs<emulator::HeadsetFirmware>();
    EXPECT_EQ(firmware->lightingReportsReceived(), 1u);
    EXPECT_EQ(firmware->ledColour(0x22, 0)[0], 0x11);
    EXPECT_EQ(firmware->ledColour(0x22, 6)[0], 0x77);

    headset->withFirmware([](emulator::CommandFirmware& f) { f.sendKeyDown(3); });
    device::DeviceInfoRecord info;
    EXPECT_EQ(channel.readDeviceInfo(info), device::kResultOk) << "the event report is no reply";
    EXPECT_EQ(info, headset->firmware().deviceInfo());
}

TEST(WireModels, TheDemoDevicesAnswerWithTheirFirmware) {
    emulator::EmulatedHidBus bus;
    emulator::plugDemoDevices(bus);
    ASSERT_EQ(bus.deviceCount(), 5u) << "one for each device-tab row";
    EXPECT_NE(emulator::firmwareDeviceOf(bus, 1)->firmwareAs<emulator::MouseFirmware>(), nullptr);
    const auto keyboard = emulator::firmwareDeviceOf(bus, 2);
    ASSERT_NE(keyboard, nullptr);
    const auto pad = emulator::firmwareDeviceOf(bus, 3);
    ASSERT_NE(pad->firmwareAs<emulator::MousePadFirmware>(), nullptr);
    // The pad's row shows power, so the demo pad has a phone charging on it to show.
    const std::span<uint8_t> status = pad->firmware().status();
    EXPECT_GT(status[0], 0) << "battery level";
    EXPECT_EQ(status[1], 1) << "charging";
    EXPECT_EQ(status[5], 1) << "a phone of the first kind";
    EXPECT_TRUE(std::all_of(keyboard->firmware().status().begin(),
                            keyboard->firmware().status().end(), [](uint8_t b) { return b == 0; }))
        << "a model without power display keeps a blank status";
    EXPECT_NE(emulator::firmwareDeviceOf(bus, 5)->firmwareAs<emulator::KeyboardFirmware>(),
              nullptr);
    ASSERT_NE(keyboard->firmwareAs<emulator::KeyboardFirmware>(), nullptr);
    EXPECT_NE(emulator::firmwareDeviceOf(bus, 4)->firmwareAs<emulator::HeadsetFirmware>(), nullptr);
    EXPECT_EQ(emulator::firmwareDeviceOf(bus, 9), nullptr);

    // Its unplug fault pulls it out of the demo bus.
    test::NoPauseClock clock;
    device::DeviceCommandChannel channel(bus, clock);
    ASSERT_TRUE(channel.open(test::pathOnBus(bus, 2, 1, 4)));
    keyboard->firmware().injectFault(emulator::FaultKind::Unplug);
    EXPECT_EQ(channel.beginTransaction(), device::kResultWriteFailed);
    EXPECT_EQ(bus.deviceCount(), 4u);
}

} // namespace
} // namespace morva
