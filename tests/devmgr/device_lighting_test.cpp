#include "app/main_window.h"
#include "emulator/emulated_models.h"
#include "lighting/live_frame.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/controls/device_key_button.h"

namespace morva::devmgr::test {
namespace {

// A main window on the emulated bus, with the shipped models or those of a model file.
class DeviceLighting : public DevmgrTest {
protected:
    void open(const hid::DeviceModelCatalog* models = nullptr) {
        app::MainWindowConfig config;
        config.backend = &bus;
        config.models = models;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
        ASSERT_TRUE(main->Create());
        loop.runPending();
    }
    ~DeviceLighting() override { main.reset(); }

    // Plugs the device and lets its tab connect it (500 ms after the attach).
    device::CKestraneUSBDevice* connect(std::shared_ptr<emulator::FirmwareHidDevice> device,
                                        size_t tab) {
        plugged = bus.plug(std::move(device));
        app::CDeviceOptionUI* option = main->devices().tabs()[tab];
        EXPECT_TRUE(loop.runUntil([&] { return option->tabVisible(); }, 10000));
        loop.advance(500);
        return option->device();
    }
    // Waits until the lighting thread (on real time) has moved LED 0 on, then lets the refresh
    // timer fire.
    void waitForTheLedsToMove(device::CKestraneUSBDevice& device) {
        const uint32_t before = device.GetLedColour(0);
        EXPECT_TRUE(loop.runUntil([&] { return device.GetLedColour(0) != before; }, 10000));
        loop.advance(50);
    }

    std::unique_ptr<app::CMainWnd> main;
    emulator::EmulatedHidBus::DeviceId plugged = 0;
};

// The mouse's default profile runs the spectrum: its LEDs move, and each lighting refresh sends
// them to the mouse as a live frame.
TEST_F(DeviceLighting, AConnectedMouseRunsItsEffectAndStreamsItsLeds) {
    open();
    auto mouse = emulator::makeEmulatedMouse();
    device::CKestraneUSBDevice* device = connect(mouse, 0);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->lightingRunning());
    EXPECT_EQ(device->lightSettings().mode, 1) << "the spectrum of the default profile";

    waitForTheLedsToMove(*device);
    const size_t frames = mouse->firmware().liveFramesReceived();
    EXPECT_GE(frames, 1u);
    const std::vector<uint8_t> first(mouse->firmware().lastLiveFrame().begin(),
                                     mouse->firmware().lastLiveFrame().end());
    ASSERT_EQ(first.size(), 18u) << "three bytes for each of the six LEDs";
    // The logo's segments show the LEDs too.
    const auto* segment = device->findDescendantAs<ui::CDeviceKeyButtonUI>("light_0_3");
    ASSERT_NE(segment, nullptr);
    EXPECT_TRUE(segment->lit());
    EXPECT_NE(segment->ledIntensity(), 0);
    EXPECT_NE(first, std::vector<uint8_t>(18, 0));

    waitForTheLedsToMove(*device);
    EXPECT_GT(mouse->firmware().liveFramesReceived(), frames);
    const std::vector<uint8_t> later(mouse->firmware().lastLiveFrame().begin(),
                                     mouse->firmware().lastLiveFrame().end());
    EXPECT_NE(later, first) << "the colours moved on";

    // Lighting handed over to another program: nothing is sent while it is away.
    main->devices().SetLightOutput(0);
    const size_t handedOver = mouse->firmware().liveFramesReceived();
    waitForTheLedsToMove(*device);
    EXPECT_EQ(mouse->firmware().liveFramesReceived(), handedOver);
    main->devices().SetLightOutput(1);
    waitForTheLedsToMove(*device);
    EXPECT_GT(mouse->firmware().liveFramesReceived(), handedOver);

    // Unplugging ends the lighting thread.
    bus.unplug(plugged);
    EXPECT_TRUE(loop.runUntil([&] { return !device->commandChannel().isOpen(); }, 10000));
    EXPECT_FALSE(device->lightingRunning());
}

// A mouse behind a wireless receiver gets no live frames, but its LEDs keep moving on screen.
TEST_F(DeviceLighting, AWirelessMouseGetsNoFramesButItsLedsMove) {
    const hid::DeviceModelFile models = hid::readDeviceModelFile(
        std::filesystem::path(MORVA_SOURCE_DIR) / "tests/hid/data/wireless_mouse_models.json");
    ASSERT_TRUE(models.catalog) << models.error;
    open(&*models.catalog);
    auto receiver = emulator::makeEmulatedModel(models.catalog->models()[1]);
    device::CKestraneUSBDevice* device = connect(receiver, 1);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->commandChannel().isWireless());

    waitForTheLedsToMove(*device);
    waitForTheLedsToMove(*device);
    EXPECT_EQ(receiver->firmware().liveFramesReceived(), 0u);
}

TEST(LiveFrame, ScalesEachChannelByTheIntensity) {
    const std::vector<lighting::LedColour> leds = {{255, 128, 0, 30}, {10, 20, 30, 255}};
    EXPECT_EQ(lighting::encodeLiveFrame(leds), (std::vector<uint8_t>{29, 15, 0, 9, 19, 29}));
    EXPECT_EQ(lighting::decodeLiveFrame(std::vector<uint8_t>{1, 2, 3, 4}).size(), 1u);
}

} // namespace
} // namespace morva::devmgr::test
