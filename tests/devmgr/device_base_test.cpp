#include "device/keyboard/keyboard_device.h"
#include "device/mousepad/mouse_pad_device.h"
#include "emulator/emulated_descriptors.h"
#include "emulator/emulated_models.h"
#include "profiles/data_folders.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/controls/mp_device_power.h"
#include "ui/toolkit/option.h"

#include <array>
#include <atomic>
#include <mutex>
#include <thread>

namespace morva::devmgr::test {
namespace {

using ui::Container;
using ui::Control;
using ui::TabLayout;

// A keyboard that counts what its tab timers and its event thread call.
class CountingKeyboard : public device::CKestraneKeyboardDevice {
public:
    void Connect() override { ++connects; }
    void LightingRefresh() override {
        ++refreshes;
        if (clock != nullptr) {
            refreshTimes.push_back(clock->nowMs());
        }
    }
    void ReadSettings() override { ++settingsReads; }
    void TimerHookA() override { ++hookA; }
    void TimerHookB() override { ++hookB; }
    void StatusPoll() override { ++polls; }
    void HandleEventCode(uint16_t code) override { codes.push_back(code); }

    int connects = 0;
    int refreshes = 0;
    int settingsReads = 0;
    int hookA = 0;
    int hookB = 0;
    int polls = 0;
    std::vector<uint16_t> codes;
    const Clock* clock = nullptr; // set: refreshTimes records when each refresh ran
    std::vector<TickMs> refreshTimes;
};

class DeviceBaseTest : public DevmgrTest {
protected:
    // A window whose root holds the device page and a tab with its "device_select" option.
    template <typename Device = device::CKestraneUSBDevice>
    Device* placeInWindow(std::unique_ptr<Control> page) {
        auto root = std::make_unique<ui::HorizontalLayout>();
        auto tab = std::make_unique<ui::HorizontalLayout>();
        auto* option = static_cast<ui::Option*>(tab->add(std::make_unique<ui::Option>()));
        option->setName("device_select");
        tabControl = root->add(std::move(tab));
        auto* device = dynamic_cast<Device*>(root->add(std::move(page)));
        if (!window.created()) {
            window.create("MainWnd", "QT4410-VIGOR MORVA", {1000, 640});
        }
        window.setRoot(std::move(root));
        loop.runPending();
        return device;
    }

    std::unique_ptr<Control> buildPage(std::string_view resource) {
        return ui::SkinBuilder(toolkit).build(resource, createPageControl);
    }

    // Configures a page as the main window does for its table row.
    static void configure(device::CKestraneUSBDevice& device, std::string pageXml, int keys,
                          int leds) {
        device.SetPageDescription(std::move(pageXml));
        device.SetKeyCount(keys);
        device.SetLedCount(leds);
        device.SetDeviceName("keyboard");
        device.SetLightFolderName("tavro_light");
        device.BindPage();
    }

    ui::Window window{toolkit};
    Control* tabControl = nullptr;
};

TEST_F(DeviceBaseTest, BindsEveryKeyAndLedButtonOfTheRealKeyboardPage) {
    auto* keyboard = placeInWindow(buildPage("XML\\DeviceXml\\keyboarddevice.xml"));
    ASSERT_NE(keyboard, nullptr);
    configure(*keyboard, "XML\\DeviceXml\\keyboarddevice.xml", 126, 126);

    ASSERT_NE(keyboard->selectPanel(), nullptr);
    EXPECT_EQ(keyboard->selectPanel()->className(), "SelectPanel");
    for (size_t position = 0; position < 126; ++position) {
        SCOPED_TRACE(position);
        ASSERT_NE(keyboard->keyButton(position), nullptr);
        EXPECT_EQ(keyboard->keyButton(position)->userData(), "key_" + std::to_string(position));
        auto* led = dynamic_cast<ui::CDeviceKeyButtonUI*>(keyboard->ledButton(position));
        ASSERT_NE(led, nullptr);
        EXPECT_EQ(led->userData(), "light_" + std::to_string(position));
        EXPECT_EQ(led->ledColour(), 0xFFFFFFu);
        EXPECT_EQ(led->ledIntensity(), 255);
        EXPECT_TRUE(led->lit());
    }
    // The device classes find their panels by name.
    ASSERT_NE(keyboard->profilePanel(), nullptr);
    EXPECT_EQ(keyboard->profilePanel()->name(), "DeviceProfileItem");
    ASSERT_NE(keyboard->lightPanel(), nullptr);
    EXPECT_EQ(keyboard->lightPanel()->name(), "LightControlItem");
}

TEST_F(DeviceBaseTest, BindPageIgnoresNumbersOutsideTheCountsAndNamesWithoutNumber) {
    auto page = ui::SkinBuilder(toolkit).buildFromText(
        R"(<KestraneKeyboardDevice><SelectPanel>
             <DeviceKeyButton name="a" userdata="key_0"/>
             <DeviceKeyButton name="b" userdata="key_130"/>
             <DeviceKeyButton name="c" userdata="KEY_125"/>
             <DeviceKeyButton name="d" userdata="key_"/>
             <DeviceKeyButton name="e" userdata="light_126"/>
             <DeviceKeyButton name="f" userdata="light_3"/>
             <Button name="g" userdata="key_4"/>
           </SelectPanel></KestraneKeyboardDevice>)",
        createPageControl);
    auto* keyboard = placeInWindow(std::move(page));
    ASSERT_NE(keyboard, nullptr);
    configure(*keyboard, "page.xml", 126, 126);

    EXPECT_EQ(keyboard->keyButtonSlots(), 126u);
    ASSERT_NE(keyboard->keyButton(0), nullptr);
    EXPECT_EQ(keyboard->keyButton(0)->name(), "a");
    ASSERT_NE(keyboard->keyButton(125), nullptr);
    EXPECT_EQ(keyboard->keyButton(125)->name(), "c");
    EXPECT_EQ(keyboard->keyButton(130), nullptr);
    EXPECT_EQ(keyboard->keyButton(4), nullptr); // not a DeviceKeyButton
    ASSERT_NE(keyboard->ledButton(3), nullptr);
    EXPECT_EQ(keyboard->ledButton(3)->name(), "f");
    int bound = 0;
    for (size_t i = 0; i < 126; ++i) {
        bound += keyboard->keyButton(i) != nullptr ? 1 : 0;
        bound += keyboard->ledButton(i) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(bound, 3);
}

TEST_F(DeviceBaseTest, APageWithoutSelectPanelBindsNothingAndAnEmptyDescriptionClearsCounts) {
    auto* keyboard = placeInWindow(ui::SkinBuilder(toolkit).buildFromText(
        R"(<KestraneKeyboardDevice><DeviceKeyButton userdata="key_0"/></KestraneKeyboardDevice>)",
        createPageControl));
    ASSERT_NE(keyboard, nullptr);
    configure(*keyboard, "page.xml", 126, 126);
    EXPECT_EQ(keyboard->selectPanel(), nullptr);
    EXPECT_EQ(keyboard->keyButton(0), nullptr);

    configure(*keyboard, "", 126, 126);
    EXPECT_EQ(keyboard->keyCount(), 0);
    EXPECT_EQ(keyboard->ledCount(), 0);
    EXPECT_EQ(keyboard->keyButtonSlots(), 0u);
    EXPECT_EQ(keyboard->ledButtonSlots(), 0u);
}

TEST(DeviceBaseState, SettingTheSameLedCountAgainZeroesColoursAndEffectState) {
    device::CKestraneUSBDevice device;
    device.SetLedCount(4);
    device.SetLedColour(2, 0x80112233);
    EXPECT_EQ(device.GetLedColour(2), 0x80112233u);
    device.SetLedCount(4);
    EXPECT_EQ(device.GetLedColour(2), 0u);
    ASSERT_EQ(device.ledEffectState().size(), 4u);
    for (const auto& state : device.ledEffectState()) {
        EXPECT_EQ(state, device::CKestraneUSBDevice::LedEffectState{});
    }
    device.SetLedCount(6);
    EXPECT_EQ(device.ledEffectState().size(), 6u);
    EXPECT_EQ(device.ledButtonSlots(), 6u);
}

TEST(DeviceBaseState, LedColourOutsideTheLedCountReadsZeroAndIsNotStored) {
    device::CKestraneUSBDevice device;
    device.SetLedCount(3);
    for (int index : {-1, 3, 100}) {
        SCOPED_TRACE(index);
        device.SetLedColour(index, 0xFFFFFFFF);
        EXPECT_EQ(device.GetLedColour(index), 0u);
    }
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(device.GetLedColour(index), 0u);
    }
}

TEST(DeviceBaseState, BaseOperationsReportNothingDone) {
    device::CKestraneUSBDevice device;
    EXPECT_EQ(device.LoadLightSettings(), 0);
    EXPECT_EQ(device.ApplyProfile(), 0);
    EXPECT_EQ(device.WriteKeyTable(0, std::vector<profiles::KeyAssignmentRecord>(3)), 0);
    EXPECT_EQ(device.WriteCurrentKeyTable(0), 0);
    EXPECT_EQ(device.WriteMacros(), 0);
    EXPECT_EQ(device.WriteSettings({.screenWidth = 1920, .screenHeight = 1080}), 0);
    EXPECT_EQ(device.GetProfilePath(), "");
    EXPECT_EQ(device.GetFunctionKind(), 1);
    EXPECT_EQ(device.selectedKey(), -1);
    EXPECT_EQ(device.deviceType(), 0);
    device.SetModelIndex(4);
    EXPECT_EQ(device.GetModelIndex(), 4);
    // The four words are the record's bytes in order.
    device.SetLightSettings(profiles::PackedLightInfo{0x04030201, 0x08070605, 0x0C0B0A09, 0x0E0D});
    EXPECT_EQ(device.lightSettings().mode, 1);
    EXPECT_EQ(device.lightSettings().blue, 8);
    EXPECT_EQ(device.lightSettings().customGroup, 12);
    EXPECT_EQ(device.lightSettings().zzccMode, 14);
    // A slot record gives type and role; the device classes start with their own type.
    hid::InterfaceSlot slot;
    slot.deviceType = hid::kDeviceWirelessMouse;
    slot.role = hid::kRolePrimary;
    device.SetSlotRecord(slot);
    EXPECT_EQ(device.deviceType(), hid::kDeviceWirelessMouse);
    EXPECT_EQ(device::CKestraneKeyboardDevice().deviceType(), hid::kDeviceKeyboard);
    EXPECT_EQ(device::CKestraneMousePadDevice().deviceType(), hid::kDeviceMousePad);
}

TEST_F(DeviceBaseTest, FoldersFollowTheDeviceName) {
    morva::test::TempDir program;
    profiles::folders::setProgramFolder(program.path());
    device::CKestraneUSBDevice device;
    device.SetDeviceName("MousePad");
    EXPECT_EQ(device.DefaultDataFolder(), program.path() / "DefaultData");
    EXPECT_EQ(device.DefaultProfilePath(), program.path() / "DefaultData" / "MousePad.Json");
    const auto user = dataHome.path() / "QT4410-VIGOR MORVA" / "MousePad";
    EXPECT_FALSE(std::filesystem::exists(user));
    EXPECT_EQ(device.UserDataFolder(), user);
    EXPECT_TRUE(std::filesystem::is_directory(user)); // both levels made on demand
    profiles::folders::setProgramFolder({});
}

TEST_F(DeviceBaseTest, PowerDisplayShowsThePowerLayoutOfTheRealWidget) {
    auto widget =
        ui::SkinBuilder(toolkit).build("XML\\CustomControlXML\\MpDevicePower.xml",
                                       [](std::string_view tag) -> std::unique_ptr<Control> {
                                           if (tag == "MpDevicePower") {
                                               return std::make_unique<ui::CMpDevicePowerUI>();
                                           }
                                           return nullptr;
                                       });
    ASSERT_NE(widget, nullptr);
    Control* layout = widget->asContainer()->findDescendant("device_power_Layout");
    ASSERT_NE(layout, nullptr);
    device::CKestraneUSBDevice device;
    device.SetPowerDisplay(1);
    device.SetPowerWidget(widget.get());
    EXPECT_TRUE(layout->visible());
    device.SetPowerDisplay(0);
    EXPECT_FALSE(layout->visible());
    EXPECT_EQ(device.powerWidget(), widget.get());
}

struct StepCase {
    bool direction;
    uint8_t limit, value, step, expected;
};

TEST(DeviceBaseState, StepValueWrapsAtTheLimitInBothDirections) {
    const StepCase cases[] = {
        {true, 128, 10, 1, 11},    {true, 128, 127, 1, 0},  {true, 192, 176, 16, 0},
        {true, 192, 175, 16, 191}, {false, 128, 10, 1, 9},  {false, 128, 0, 1, 127},
        {false, 192, 10, 16, 176}, {false, 192, 16, 16, 0},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << " " << int(c.limit) << " " << int(c.value)
                                        << " " << int(c.step));
        EXPECT_EQ(device::CKestraneUSBDevice::StepValue(c.direction, c.limit, c.value, c.step),
                  c.expected);
    }
}

struct PanelCase {
    const char* page;
    int kind;
    int functionPage;
    int keyFunctionPage;
};

// Starts from function page 1 and key-function page 1 so "unchanged" shows.
TEST_F(DeviceBaseTest, ShowFunctionPanelsSelectsThePagesOfEachKind) {
    const PanelCase cases[] = {
        {"XML\\DeviceXml\\keyboarddevice.xml", 4, 3, 1},
        {"XML\\DeviceXml\\mousepaddevice.xml", 4, 0, 2},
        {"XML\\DeviceXml\\keyboarddevice.xml", 1, 0, 0},
        {"XML\\DeviceXml\\keyboarddevice.xml", 2, 0, 1},
        {"XML\\DeviceXml\\keyboarddevice.xml", 3, 1, 1},
        {"XML\\DeviceXml\\mousedevice.xml", 4, 3, 1},
        {"XML\\DeviceXml\\mousepaddevice.xml", 5, 2, 1},
        {"XML\\DeviceXml\\mousepaddevice.xml", 6, 0, 1},
        {"XML\\DeviceXml\\mousepaddevice.xml", 7, 0, 2},
        {"XML\\DeviceXml\\hs6533device.xml", 8, 1, 1},
        {"XML\\DeviceXml\\hs6533device.xml", 9, 0, 0},
    };
    for (const PanelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " kind " << c.kind);
        auto* device = placeInWindow(buildPage(c.page));
        ASSERT_NE(device, nullptr);
        auto* function = device->findDescendantAs<TabLayout>("device_function_switch");
        auto* keyFunction = device->findDescendantAs<TabLayout>("device_key_function_switch");
        ASSERT_NE(function, nullptr);
        ASSERT_NE(keyFunction, nullptr);
        function->selectItem(1);
        keyFunction->selectItem(1);

        device->ShowFunctionPanels(c.kind);
        EXPECT_EQ(device->GetFunctionKind(), c.kind);
        EXPECT_EQ(function->selectedIndex(), c.functionPage);
        EXPECT_EQ(keyFunction->selectedIndex(), c.keyFunctionPage);
    }
}

TEST_F(DeviceBaseTest, AWirelessMouseGetsTheMousesCursorPage) {
    auto* device = placeInWindow(buildPage("XML\\DeviceXml\\mousedevice.xml"));
    ASSERT_NE(device, nullptr);
    hid::InterfaceSlot slot;
    slot.deviceType = hid::kDeviceWirelessMouse;
    device->SetSlotRecord(slot);
    auto* function = device->findDescendantAs<TabLayout>("device_function_switch");
    auto* keyFunction = device->findDescendantAs<TabLayout>("device_key_function_switch");
    ASSERT_NE(function, nullptr);
    ASSERT_NE(keyFunction, nullptr);
    keyFunction->selectItem(1);
    device->ShowFunctionPanels(4);
    EXPECT_EQ(function->selectedIndex(), 3);
    EXPECT_EQ(keyFunction->selectedIndex(), 1) << "unchanged";
}

// Sends one input report after another on an interface of a device until it is destroyed.
class ReportStream {
public:
    ReportStream(std::shared_ptr<emulator::EmulatedHidDevice> device, int interfaceNumber,
                 std::vector<uint8_t> report)
        : thread_([device = std::move(device), interfaceNumber,
                   report = std::move(report)](std::stop_token stop) {
              while (!stop.stop_requested()) {
                  device->queueInputReport(interfaceNumber, report);
                  std::this_thread::yield();
              }
          }) {}

private:
    std::jthread thread_;
};

class DeviceTimerTest : public DeviceBaseTest {
protected:
    void SetUp() override {
        busId = bus.plug(emulator::makeEmulatedKeyboard());
        keyboard = placeInWindow<CountingKeyboard>(std::make_unique<CountingKeyboard>());
        ASSERT_NE(keyboard, nullptr);
        keyboard->SetMainWindow(&window);
        keyboard->SetTab(tabControl);
    }
    hid::InterfaceSlot slotOf(uint16_t collection, uint16_t role) {
        hid::InterfaceSlot slot = hid::SupportedInterfaceTable()[collection == 4 ? 0 : 1];
        slot.path = emulatedPath(bus, 1, collection);
        slot.role = role;
        slot.connected = 1;
        return slot;
    }
    emulator::EmulatedHidBus::DeviceId busId = 0;
    CountingKeyboard* keyboard = nullptr;
};

TEST_F(DeviceTimerTest, ConnectThenRefreshEvery50MsUntilTheChannelCloses) {
    ASSERT_TRUE(keyboard->OpenCommandChannel(slotOf(4, hid::kRolePrimary)));
    EXPECT_TRUE(keyboard->commandChannel().isOpen());
    EXPECT_FALSE(keyboard->commandChannel().isWireless());
    ASSERT_TRUE(keyboard->StartTabTimer(device::tab_timer::kConnect, 500));

    loop.advance(499);
    EXPECT_EQ(keyboard->connects, 0);
    loop.advance(1);
    EXPECT_EQ(keyboard->connects, 1);
    EXPECT_EQ(keyboard->refreshes, 0);
    loop.advance(5);
    EXPECT_EQ(keyboard->refreshes, 1);
    loop.advance(100);
    EXPECT_EQ(keyboard->refreshes, 3);
    EXPECT_EQ(keyboard->polls, 0); // no power display
    EXPECT_EQ(keyboard->connects, 1);

    keyboard->CloseCommandChannel();
    EXPECT_FALSE(keyboard->commandChannel().isOpen());
    loop.advance(50); // the armed refresh runs once more and does not re-arm
    EXPECT_EQ(keyboard->refreshes, 4);
    loop.advance(500);
    EXPECT_EQ(keyboard->refreshes, 4);
    EXPECT_FALSE(tabControl->hasTimer(device::tab_timer::kLightingRefresh));
}

// Every device refreshes on the same ticks, so one wake-up of the interface thread serves all.
TEST_F(DeviceTimerTest, RefreshesFallOnSharedTicksWheneverTheDeviceConnected) {
    keyboard->clock = &loop.clock();
    ASSERT_TRUE(keyboard->OpenCommandChannel(slotOf(4, hid::kRolePrimary)));
    ASSERT_TRUE(keyboard->StartTabTimer(device::tab_timer::kConnect, 517));
    loop.advance(1000);
    const std::vector<TickMs>& times = keyboard->refreshTimes;
    ASSERT_GE(times.size(), 9u);
    EXPECT_EQ(times[0], 522u); // the first refresh, 5 ms after connecting
    EXPECT_EQ(times[1], 550u);
    for (size_t i = 2; i < times.size(); ++i) {
        EXPECT_EQ(times[i] - times[i - 1], device::tab_timer::kRefreshPeriodMs) << i;
    }
}

TEST_F(DeviceTimerTest, StatusPollEveryFiveSecondsOnlyWithPowerDisplayAndOpenChannel) {
    keyboard->SetPowerDisplay(1);
    ASSERT_TRUE(keyboard->OpenCommandChannel(slotOf(4, hid::kRolePrimary)));
    keyboard->StartTabTimer(device::tab_timer::kConnect, 500);
    loop.advance(500 + 4999);
    EXPECT_EQ(keyboard->polls, 0);
    loop.advance(1);
    EXPECT_EQ(keyboard->polls, 1);
    loop.advance(5000);
    EXPECT_EQ(keyboard->polls, 2);
    keyboard->CloseCommandChannel();
    loop.advance(5000);
    EXPECT_EQ(keyboard->polls, 3);
    loop.advance(20000);
    EXPECT_EQ(keyboard->polls, 3);
}

TEST_F(DeviceTimerTest, AConnectWhoseChannelDidNotOpenStopsItsTimersAfterOneAttempt) {
    keyboard->SetPowerDisplay(1);
    hid::InterfaceSlot slot = slotOf(4, hid::kRolePrimary);
    slot.path = L"emulated/99/1#nothing";
    EXPECT_FALSE(keyboard->OpenCommandChannel(slot));
    keyboard->StartTabTimer(device::tab_timer::kConnect, 500);
    loop.advance(10000);
    EXPECT_EQ(keyboard->connects, 1);
    EXPECT_EQ(keyboard->refreshes, 1);
    EXPECT_EQ(keyboard->polls, 0);
}

TEST_F(DeviceTimerTest, OneShotTimersRunTheirHookOnce) {
    keyboard->StartTabTimer(device::tab_timer::kReadSettings, 100);
    keyboard->StartTabTimer(device::tab_timer::kHookA, 10);
    keyboard->StartTabTimer(device::tab_timer::kHookA2, 20);
    keyboard->StartTabTimer(device::tab_timer::kHookB, 30);
    loop.advance(1000);
    EXPECT_EQ(keyboard->settingsReads, 1);
    EXPECT_EQ(keyboard->hookA, 2);
    EXPECT_EQ(keyboard->hookB, 1);
}

TEST_F(DeviceTimerTest, TheEventThreadPostsTheCodesOfTheCompanionInterface) {
    ASSERT_TRUE(keyboard->OpenEventChannel(slotOf(3, hid::kRoleCompanion)));
    EXPECT_TRUE(keyboard->eventChannelOpen());
    EXPECT_FALSE(keyboard->OpenEventChannel(slotOf(3, hid::kRoleCompanion))); // already open
    auto device = bus.device(busId);
    const std::array<uint8_t, emulator::kEventReportLength> sync{emulator::kEventReportId, 0x01,
                                                                 0x04, 0, 0};
    const std::array<uint8_t, emulator::kEventReportLength> key{emulator::kEventReportId, 0x05,
                                                                0x05, 0, 0};
    // The thread may not be reading yet: send until the first code arrives.
    EXPECT_TRUE(loop.runUntil([&] {
        if (keyboard->codes.empty()) {
            device->queueInputReport(1, sync);
        }
        return !keyboard->codes.empty();
    }));
    device->queueInputReport(1, key);
    EXPECT_TRUE(loop.runUntil([&] { return keyboard->codes.back() == 0x0505; }));
    EXPECT_EQ(keyboard->codes.front(), 0x0401);

    keyboard->CloseEventChannel();
    EXPECT_FALSE(keyboard->eventChannelOpen());
    EXPECT_FALSE(keyboard->eventThreadRunning());
    EXPECT_TRUE(keyboard->eventPath().empty());
}

// A close can come while the event thread decodes a report: what the thread decodes with must
// outlive the close. (The thread sanitizer sees the use of freed memory otherwise.)
TEST_F(DeviceTimerTest, TheEventChannelClosesSafelyWhileReportsStreamIn) {
    const ReportStream stream(bus.device(busId), 1,
                              {emulator::kEventReportId, 0x05, 0x05, 0x00, 0x00});
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        keyboard->codes.clear();
        ASSERT_TRUE(keyboard->OpenEventChannel(slotOf(3, hid::kRoleCompanion)));
        ASSERT_TRUE(loop.runUntil([&] { return !keyboard->codes.empty(); }));
        EXPECT_EQ(keyboard->codes.front(), 0x0505);
        keyboard->CloseEventChannel();
        EXPECT_FALSE(keyboard->eventThreadRunning());
    }
}

TEST_F(DeviceTimerTest, TheEventThreadEndsWhenItsInterfaceIsPulledOut) {
    ASSERT_TRUE(keyboard->OpenEventChannel(slotOf(3, hid::kRoleCompanion)));
    EXPECT_TRUE(keyboard->eventThreadRunning());
    ASSERT_TRUE(bus.unplug(busId));
    EXPECT_TRUE(loop.runUntil([&] { return !keyboard->eventThreadRunning(); }));
    // The removal still closes the channel, and the companion may come back.
    keyboard->CloseEventChannel();
    busId = bus.plug(emulator::makeEmulatedKeyboard());
    EXPECT_TRUE(keyboard->OpenEventChannel(slotOf(3, hid::kRoleCompanion)));
    EXPECT_TRUE(keyboard->eventThreadRunning());
}

} // namespace
} // namespace morva::devmgr::test
