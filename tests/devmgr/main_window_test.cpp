#include "app/main_window.h"
#include "device/keyboard/keyboard_device.h"
#include "emulator/emulated_descriptors.h"
#include "emulator/emulated_models.h"
#include "hid/device_scanner.h"
#include "profiles/panel/device_profile_ui.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/option.h"

#include <atomic>
#include <fstream>
#include <tuple>

namespace morva::devmgr::test {
namespace {

using ui::TabLayout;

// Device-tab table rows, in table order.
constexpr int kMouseTab = 0;
constexpr int kKeyboardTab = 1;
constexpr int kMousePadTab = 2;
constexpr int kHeadsetTab = 3;

// A keyboard that records the virtual operations the main window calls.
class RecordingKeyboard : public device::CKestraneKeyboardDevice {
public:
    void Connect() override { ++connects; }
    int ApplyProfile() override {
        appliedProfiles.push_back(profileId());
        return 0;
    }
    void LoadDefaultKeyList() override { calls.push_back("LoadDefaultKeyList"); }
    int WriteCurrentKeyTable(int profileIndex) override {
        calls.push_back("WriteCurrentKeyTable " + std::to_string(profileIndex));
        return 0;
    }
    int WriteSettings(const SettingsWriteRequest& r) override {
        calls.push_back("WriteSettings " + std::to_string(r.profileIndex) + " " +
                        std::to_string(r.unused) + " " + std::to_string(r.flag) + " " +
                        std::to_string(r.screenWidth) + " " + std::to_string(r.screenHeight));
        return 0;
    }
    void HandleEventCode(uint16_t code) override { codes.push_back(code); }

    int connects = 0;
    std::vector<std::string> appliedProfiles;
    std::vector<std::string> calls;
    std::vector<uint16_t> codes;
};

class MainWindowTest : public DevmgrTest {
protected:
    explicit MainWindowTest(bool scan = true) {
        host.setScreenSize({1920, 1080});
        toolkit.factory().registerClass("KestraneKeyboardDevice",
                                        [] { return std::make_unique<RecordingKeyboard>(); });
        app::MainWindowCallbacks callbacks;
        callbacks.announce = [this](int64_t w, int64_t l) {
            announced.emplace_back(w, l);
        };
        callbacks.applyLanguage = [this] {
            ++languageApplied;
        };
        callbacks.closeSettingsAndAbout = [this] {
            ++settingsClosed;
        };
        callbacks.endRecording = [this] {
            ++recordingsEnded;
        };
        callbacks.openInputSettings = [this](int which) {
            inputSettings = which;
        };
        app::MainWindowConfig config;
        config.backend = &bus;
        config.scanDevices = scan;
        main = std::make_unique<app::CMainWnd>(toolkit, callbacks, config);
    }
    ~MainWindowTest() override {
        main.reset(); // ends the scan thread before the bus goes
    }

    void SetUp() override {
        ASSERT_TRUE(main->Create());
        loop.runPending(); // "windowinit"
        ASSERT_TRUE(main->initialised());
        ASSERT_EQ(devices().tabs().size(), 5u);
    }

    app::DeviceManager& devices() { return main->devices(); }
    app::CDeviceOptionUI& tab(int index) { return *devices().tabs()[static_cast<size_t>(index)]; }
    RecordingKeyboard* keyboard() {
        return dynamic_cast<RecordingKeyboard*>(tab(kKeyboardTab).device());
    }
    // The notice and the device pages take turns in the page area.
    bool noticeShown() {
        const bool notice = main->window().find("No_device_Link")->visible();
        EXPECT_NE(notice, main->window().find("device_switch")->visible());
        return notice;
    }
    bool waitFor(const std::function<bool()>& done) { return loop.runUntil(done, 10000); }

    std::vector<std::pair<int64_t, int64_t>> announced;
    int languageApplied = 0;
    int settingsClosed = 0;
    int recordingsEnded = 0;
    std::atomic<int> inputSettings = -1;
    std::unique_ptr<app::CMainWnd> main;
};

TEST_F(MainWindowTest, InitialisationBuildsHiddenTabsAndShowsTheNoDeviceNotice) {
    EXPECT_EQ(announced, (std::vector<std::pair<int64_t, int64_t>>{{1, 1}}));
    EXPECT_EQ(languageApplied, 1);
    EXPECT_TRUE(main->window().visible());
    EXPECT_EQ(main->screenSize(), (ui::Size{1920, 1080}));
    EXPECT_EQ(devices().visibleTabCount(), 0);
    auto* bar = main->window().findAs<ui::Container>("device_select_layout");
    ASSERT_EQ(bar->count(), 5u);
    for (const auto& child : bar->children()) {
        EXPECT_FALSE(child->visible());
    }
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(devices().CurrentDevice(), nullptr);
    EXPECT_EQ(main->window().findAs<TabLayout>("device_switch")->count(), 5u);
    EXPECT_EQ(devices().powerWidgets().size(), 5u);
    EXPECT_EQ(devices().keyboardDevices().size(), 2u);
    EXPECT_EQ(devices().mouseDevices().size(), 1u);
    EXPECT_EQ(devices().mousePadDevices().size(), 1u);
    EXPECT_EQ(devices().headsetDevices().size(), 1u);

    // Each page is configured from its table rows.
    device::CKestraneUSBDevice* kb = keyboard();
    ASSERT_NE(kb, nullptr);
    EXPECT_EQ(kb->deviceName(), "keyboard");
    EXPECT_EQ(kb->keyCount(), 126);
    EXPECT_EQ(kb->ledCount(), 126);
    EXPECT_EQ(kb->slotRecord().vendorId, 0x0C45);
    EXPECT_EQ(kb->keyButtonSlots(), 126u);
    EXPECT_NE(kb->keyButton(125), nullptr);
    EXPECT_EQ(kb->tab(), &tab(kKeyboardTab));
    EXPECT_EQ(tab(kKeyboardTab).option()->group(), "tab_header_device");
    // The name label shows the model's display name in the current language.
    toolkit.language().setLanguage("zh_CN");
    EXPECT_EQ(tab(kHeadsetTab).findDescendant("device_select_name")->text(), "耳机");
    toolkit.language().setLanguage("en_US");
    EXPECT_EQ(tab(kHeadsetTab).findDescendant("device_select_name")->text(), "Headset");
    EXPECT_EQ(tab(kKeyboardTab).option()->stateImage("normalimage"),
              "common/device_ico/kb_device_normal.svg");
    EXPECT_EQ(tab(kHeadsetTab).option()->stateImage("selectedimage"),
              "common/device_ico/hd_device_selected.svg");
    // The synchronisation mark switches the option to the synchronised pictures.
    tab(kKeyboardTab).setSynchronised(true);
    EXPECT_TRUE(tab(kKeyboardTab).synchronised());
    EXPECT_EQ(tab(kKeyboardTab).option()->stateImage("normalimage"),
              "common/device_ico/kb_device_synchro_normal.svg");
    tab(kKeyboardTab).setSynchronised(false);
    EXPECT_EQ(tab(kKeyboardTab).option()->stateImage("selectedimage"),
              "common/device_ico/kb_device_selected.svg");
    // The profile panel gave the device its current profile.
    auto* panel = dynamic_cast<profiles::CDeviceProfileUI*>(kb->profilePanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isInitialised());
    EXPECT_FALSE(kb->profileId().empty());
    EXPECT_EQ(kb->profileId(), panel->GetSelectedIdentifier());
    // ... and its profile object holds that profile's device entry.
    EXPECT_TRUE(keyboard()->profile().DeviceEntry().isObject());
    EXPECT_EQ(kb->GetProfilePath(),
              (dataHome.path() / "QT4410-VIGOR MORVA" / "keyboard" / (kb->profileId() + ".Json"))
                  .string());
}

// A keyboard whose profile list another run left damaged.
class MainWindowWithDamagedListTest : public MainWindowTest {
protected:
    void SetUp() override {
        const auto folder = dataHome.path() / "QT4410-VIGOR MORVA" / "keyboard";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "2020_01_01_00_00_00_001.Json") << R"({"profilename": "Mine"})";
        std::ofstream(folder / "ProfileList.ini") << "{ damaged";
        MainWindowTest::SetUp();
    }
};

// A keyboard whose selected profile another run left damaged.
class MainWindowWithDamagedProfileTest : public MainWindowTest {
protected:
    void SetUp() override {
        const auto folder = dataHome.path() / "QT4410-VIGOR MORVA" / "keyboard";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "2020_01_01_00_00_00_001.Json") << "{ damaged";
        std::ofstream(folder / "ProfileList.ini")
            << R"({"profilelist": [{"profilename": "Mine", "profileUUID": )"
               R"("2020_01_01_00_00_00_001"}], "profileselect": 0})";
        MainWindowTest::SetUp();
    }
};

TEST_F(MainWindowWithDamagedProfileTest, TheUserIsToldTheProfileWasRepaired) {
    loop.runPending();
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0], toolkit.language()
                                        .lookup("message_text_profile_repaired")
                                        .value_or("message_text_profile_repaired"));
    const auto folder = dataHome.path() / "QT4410-VIGOR MORVA" / "keyboard";
    EXPECT_TRUE(std::filesystem::exists(folder / "2020_01_01_00_00_00_001.Json.bad"));
    EXPECT_TRUE(keyboard()->profile().DeviceEntry().isObject()) << "repaired from the default";
}

TEST_F(MainWindowWithDamagedListTest, TheUserIsToldTheListWasMadeAnew) {
    loop.runPending();
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0], toolkit.language()
                                        .lookup("message_text_profile_list_rebuilt")
                                        .value_or("message_text_profile_list_rebuilt"));
    auto* panel = dynamic_cast<profiles::CDeviceProfileUI*>(keyboard()->profilePanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->profileCombo()->itemText(0), "Mine");
    EXPECT_TRUE(keyboard()->TakeStartNotices().empty()) << "told once";
}

TEST_F(MainWindowTest, AttachingAKeyboardShowsAndSelectsItsTabAndConnects500MsLater) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return tab(kKeyboardTab).tabVisible(); }));
    EXPECT_TRUE(tab(kKeyboardTab).isSelected());
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(devices().CurrentDevice(), keyboard());
    EXPECT_TRUE(keyboard()->commandChannel().isOpen());
    auto* deviceSwitch = main->window().findAs<TabLayout>("device_switch");
    EXPECT_EQ(deviceSwitch->childAt(static_cast<size_t>(deviceSwitch->selectedIndex())),
              keyboard());
    loop.runPending(); // "selectchanged" of the tab
    EXPECT_EQ(devices().currentTab(), kKeyboardTab);
    EXPECT_EQ(devices().currentTabType(), hid::kDeviceKeyboard);

    loop.advance(499);
    EXPECT_EQ(keyboard()->connects, 0);
    loop.advance(1);
    EXPECT_EQ(keyboard()->connects, 1);
    // Its companion interface opens the event channel too.
    EXPECT_TRUE(waitFor([&] { return keyboard()->eventChannelOpen(); }));
}

TEST_F(MainWindowTest, DestructionStopsTheScanThreadAndTheEventThreads) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return keyboard()->eventThreadRunning(); }));
    EXPECT_TRUE(devices().scanThreadRunning());
    main->window().sendMessage(kMsgDestroy);
    EXPECT_FALSE(devices().scanThreadRunning());
    EXPECT_FALSE(keyboard()->eventThreadRunning());
    EXPECT_FALSE(main->window().visible());
}

TEST_F(MainWindowTest, ASecondModelShowsItsTabWithoutBeingSelected) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return tab(kKeyboardTab).tabVisible(); }));
    bus.plug(emulator::makeEmulatedMouse());
    ASSERT_TRUE(waitFor([&] { return tab(kMouseTab).tabVisible(); }));
    loop.runPending();
    EXPECT_FALSE(tab(kMouseTab).isSelected());
    EXPECT_TRUE(tab(kKeyboardTab).isSelected());
    EXPECT_EQ(devices().CurrentDevice(), keyboard());
    EXPECT_EQ(devices().visibleTabCount(), 2);
}

TEST_F(MainWindowTest, DetachingTheSelectedDeviceSelectsAnotherAndTheLastShowsTheNotice) {
    const auto keyboardId = bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return tab(kKeyboardTab).tabVisible(); }));
    const auto mouseId = bus.plug(emulator::makeEmulatedMouse());
    ASSERT_TRUE(waitFor([&] { return tab(kMouseTab).tabVisible(); }));

    bus.unplug(keyboardId);
    ASSERT_TRUE(waitFor([&] { return !tab(kKeyboardTab).tabVisible(); }));
    EXPECT_FALSE(keyboard()->commandChannel().isOpen());
    EXPECT_TRUE(tab(kMouseTab).isSelected());
    EXPECT_EQ(devices().CurrentDevice(), tab(kMouseTab).device());
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(settingsClosed, 1);

    bus.unplug(mouseId);
    ASSERT_TRUE(waitFor([&] { return !tab(kMouseTab).tabVisible(); }));
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(devices().CurrentDevice(), nullptr);
    EXPECT_EQ(main->window().findAs<TabLayout>("device_switch")->selectedIndex(), 0);
}

TEST_F(MainWindowTest, PreviousAndNextMoveBetweenVisibleTabs) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return tab(kKeyboardTab).tabVisible(); }));
    bus.plug(emulator::makeEmulatedMouse());
    ASSERT_TRUE(waitFor([&] { return tab(kMouseTab).tabVisible(); }));
    auto click = [&](std::string_view name) {
        main->window().findAs<ui::Button>(name)->activate();
        loop.runPending();
    };
    click("device_select_next"); // nothing after the keyboard
    EXPECT_TRUE(tab(kKeyboardTab).isSelected());
    click("device_select_prev");
    EXPECT_TRUE(tab(kMouseTab).isSelected());
    EXPECT_EQ(devices().currentTab(), kMouseTab);
    click("device_select_prev");
    EXPECT_TRUE(tab(kMouseTab).isSelected());
    click("device_select_next");
    EXPECT_TRUE(tab(kKeyboardTab).isSelected());
    EXPECT_FALSE(tab(kMouseTab).isSelected());
}

TEST_F(MainWindowTest, ClickingAnywhereOnATabSelectsItUnlessTheBarIsLocked) {
    bus.plug(emulator::makeEmulatedKeyboard());
    ASSERT_TRUE(waitFor([&] { return tab(kKeyboardTab).tabVisible(); }));
    bus.plug(emulator::makeEmulatedMouse());
    ASSERT_TRUE(waitFor([&] { return tab(kMouseTab).tabVisible(); }));
    auto clickTab = [&](int row) {
        tab(row).event(ui::UiEvent::of(ui::EventType::Click)); // on its name, not its picture
        loop.runPending();
    };
    clickTab(kMouseTab);
    EXPECT_TRUE(tab(kMouseTab).isSelected());
    EXPECT_EQ(devices().CurrentDevice(), tab(kMouseTab).device());

    devices().SetEditLock(true, false);
    clickTab(kKeyboardTab);
    EXPECT_TRUE(tab(kMouseTab).isSelected());
    devices().SetEditLock(true, true);
    clickTab(kKeyboardTab);
    EXPECT_EQ(devices().CurrentDevice(), keyboard());
}

// Slots assigned and announced by the test, in the order it chooses.
class MainWindowManualTest : public MainWindowTest {
protected:
    MainWindowManualTest() : MainWindowTest(false) {}
    // Assigns the slot as the scan thread would, without telling the window.
    size_t assignSlot(size_t tableRow, uint16_t interfaceNumber, uint16_t collection) {
        hid::InterfaceSlot key = hid::SupportedInterfaceTable()[tableRow];
        key.path = emulatedPath(bus, interfaceNumber, collection);
        const int index = devices().slots().assign(key);
        EXPECT_GE(index, 0);
        return static_cast<size_t>(index);
    }
    size_t announceSlot(size_t tableRow, uint16_t interfaceNumber, uint16_t collection) {
        const size_t index = assignSlot(tableRow, interfaceNumber, collection);
        main->window().sendMessage(WM_DEVICE_ATTACHED, static_cast<int64_t>(index));
        return index;
    }
};

// What the scan thread changed while its messages went unhandled (the system asleep).
TEST_F(MainWindowManualTest, ResynchroniseCatchesUpWithTheSlotList) {
    const auto first = bus.plug(emulator::makeEmulatedKeyboard());
    const size_t primary = assignSlot(0, 1, 4);
    const size_t companion = assignSlot(1, 1, 3);
    devices().Resynchronise();
    loop.runPending();
    EXPECT_TRUE(tab(kKeyboardTab).tabVisible());
    EXPECT_TRUE(keyboard()->commandChannel().isOpen());
    EXPECT_TRUE(keyboard()->eventChannelOpen());
    EXPECT_FALSE(noticeShown());
    devices().Resynchronise(); // nothing changed: nothing happens
    EXPECT_TRUE(keyboard()->commandChannel().isOpen());

    // Pulled out and plugged in again: the same slots, new paths.
    bus.unplug(first);
    devices().slots().release(primary);
    devices().slots().release(companion);
    bus.plug(emulator::makeEmulatedKeyboard());
    const std::wstring oldPath = keyboard()->slotRecord().path;
    assignSlot(0, 1, 4);
    assignSlot(1, 1, 3);
    devices().Resynchronise();
    EXPECT_TRUE(keyboard()->commandChannel().isOpen());
    EXPECT_NE(keyboard()->slotRecord().path, oldPath);
    EXPECT_EQ(keyboard()->eventPath(), devices().slots().at(companion).path);
    EXPECT_TRUE(tab(kKeyboardTab).tabVisible());

    // Gone for good.
    devices().slots().release(primary);
    devices().slots().release(companion);
    devices().Resynchronise();
    EXPECT_FALSE(tab(kKeyboardTab).tabVisible());
    EXPECT_FALSE(keyboard()->commandChannel().isOpen());
    EXPECT_FALSE(keyboard()->eventChannelOpen());
    EXPECT_TRUE(noticeShown());
}

TEST_F(MainWindowManualTest, ACompanionArrivingBeforeItsPrimaryStillOpensTheEventChannel) {
    const auto id = bus.plug(emulator::makeEmulatedKeyboard());
    const size_t companion = announceSlot(1, 1, 3);
    EXPECT_TRUE(keyboard()->eventChannelOpen());
    EXPECT_FALSE(tab(kKeyboardTab).tabVisible());
    EXPECT_TRUE(noticeShown());

    announceSlot(0, 1, 4);
    EXPECT_TRUE(tab(kKeyboardTab).tabVisible());
    EXPECT_TRUE(keyboard()->commandChannel().isOpen());

    // The event thread reads the companion interface.
    const std::array<uint8_t, emulator::kEventReportLength> sync{emulator::kEventReportId, 0x01,
                                                                 0x04, 0, 0};
    EXPECT_TRUE(waitFor([&] {
        if (keyboard()->codes.empty()) {
            bus.device(id)->queueInputReport(emulator::kControlInterface, sync);
        }
        return !keyboard()->codes.empty();
    }));
    EXPECT_EQ(keyboard()->codes.front(), 0x0401);

    main->window().sendMessage(WM_DEVICE_DETACHED, static_cast<int64_t>(companion));
    EXPECT_FALSE(keyboard()->eventChannelOpen());
    EXPECT_TRUE(tab(kKeyboardTab).tabVisible());
}

TEST_F(MainWindowManualTest, APrimaryAttachedTwiceIsIgnoredAndAFailedOpenStillShowsTheTab) {
    bus.plug(emulator::makeEmulatedKeyboard());
    hid::InterfaceSlot key = hid::SupportedInterfaceTable()[0];
    key.path = L"emulated/77/1#vid_0c45&pid_8501&mi_01&col04";
    const int index = devices().slots().assign(key);
    ASSERT_GE(index, 0);
    main->window().sendMessage(WM_DEVICE_ATTACHED, index);
    EXPECT_TRUE(tab(kKeyboardTab).tabVisible());
    EXPECT_FALSE(keyboard()->commandChannel().isOpen());
    loop.advance(500);
    EXPECT_EQ(keyboard()->connects, 1);
    loop.advance(1000);
    EXPECT_FALSE(tab(kKeyboardTab).hasTimer(device::tab_timer::kLightingRefresh));
}

TEST_F(MainWindowManualTest, FunctionTabsSelectTheCurrentDevicesPanels) {
    bus.plug(emulator::makeEmulatedKeyboard());
    announceSlot(0, 1, 4);
    loop.runPending();
    auto* function = keyboard()->findDescendantAs<TabLayout>("device_function_switch");
    auto* panel = dynamic_cast<profiles::CDeviceProfileUI*>(keyboard()->profilePanel());
    ASSERT_NE(panel, nullptr);
    dynamic_cast<ui::Option*>(panel->tabOption("system_Op_tab"))->activate();
    loop.runPending();
    EXPECT_EQ(keyboard()->GetFunctionKind(), 4);
    EXPECT_EQ(function->selectedIndex(), 3);

    dynamic_cast<ui::Option*>(panel->tabOption("macro_Op_tab"))->activate();
    loop.runPending();
    EXPECT_EQ(keyboard()->GetFunctionKind(), 3);
    EXPECT_EQ(function->selectedIndex(), 1);
    // Every page keeps its own choice.
    for (int row : {kMouseTab, kMousePadTab, kHeadsetTab}) {
        auto* other = dynamic_cast<profiles::CDeviceProfileUI*>(tab(row).device()->profilePanel());
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(dynamic_cast<ui::Option*>(other->tabOption("deng_Op_tab"))->selected()) << row;
    }
}

TEST_F(MainWindowManualTest, DefaultButtonWritesTheDefaultsAfterConfirmation) {
    bus.plug(emulator::makeEmulatedKeyboard());
    announceSlot(0, 1, 4);
    ui::Notification click{"click", {}, "DEFAULT_btn", 0, 0};
    host.answerMessageBox(0);
    main->router().dispatch(click);
    EXPECT_TRUE(keyboard()->calls.empty());
    host.answerMessageBox(1);
    main->router().dispatch(click);
    EXPECT_EQ(keyboard()->calls,
              (std::vector<std::string>{"LoadDefaultKeyList", "WriteCurrentKeyTable 0",
                                        "WriteSettings 0 0 1 1920 1080"}));
}

TEST_F(MainWindowManualTest, WindowDeviceSetOpensTheDesktopSettingsOffTheInterfaceThread) {
    bus.plug(emulator::makeEmulatedKeyboard());
    announceSlot(0, 1, 4);
    main->window().findAs<ui::Button>("windowdeviceset_0")->activate();
    loop.runPending();
    EXPECT_TRUE(waitFor([&] { return inputSettings.load() == 0; }));
    main->router().dispatch(ui::Notification{"click", {}, "windowdeviceset_1", 0, 0});
    EXPECT_TRUE(waitFor([&] { return inputSettings.load() == 1; }));
}

TEST_F(MainWindowManualTest, TwoProfileChoicesWithin400MsActivateOnlyTheLast) {
    bus.plug(emulator::makeEmulatedKeyboard());
    announceSlot(0, 1, 4);
    auto* panel = dynamic_cast<profiles::CDeviceProfileUI*>(keyboard()->profilePanel());
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->AddProfile().ok());
    ASSERT_TRUE(panel->AddProfile().ok());
    loop.runPending();
    ui::Combo* combo = panel->profileCombo();
    ASSERT_EQ(combo->count(), 3u);

    combo->userSelect(1);
    loop.runPending();
    loop.advance(300);
    combo->userSelect(2);
    loop.runPending();
    loop.advance(399);
    EXPECT_TRUE(keyboard()->appliedProfiles.empty());
    loop.advance(1);
    ASSERT_EQ(keyboard()->appliedProfiles.size(), 1u);
    EXPECT_EQ(keyboard()->appliedProfiles[0], panel->GetSelectedIdentifier());
    EXPECT_EQ(panel->GetSelectedIndex(), 2);
    EXPECT_EQ(keyboard()->calls, (std::vector<std::string>{"WriteSettings 0 0 1 1920 1080",
                                                           "WriteCurrentKeyTable 0"}));
}

TEST_F(MainWindowManualTest, HidingTheSelectedTabUnderTheEditLockEndsTheRecording) {
    bus.plug(emulator::makeEmulatedKeyboard());
    const size_t primary = announceSlot(0, 1, 4);
    devices().SetEditLock(true, false);
    EXPECT_TRUE(devices().editLocked());
    EXPECT_FALSE(main->window().find("device_select_layout")->enabled());
    EXPECT_FALSE(keyboard()->profilePanel()->enabled());

    main->window().sendMessage(WM_DEVICE_DETACHED, static_cast<int64_t>(primary));
    EXPECT_EQ(recordingsEnded, 1);
    EXPECT_EQ(settingsClosed, 1);
    EXPECT_FALSE(devices().editLocked());
    EXPECT_TRUE(main->window().find("device_select_layout")->enabled());
    EXPECT_TRUE(noticeShown());
}

TEST_F(MainWindowManualTest, LightOutputAndPreviewReachEveryDeviceButTheHeadset) {
    devices().SetLightOutput(0);
    devices().SetPreviewActive(0);
    for (int row : {kMouseTab, kKeyboardTab, kMousePadTab}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(tab(row).device()->lightOutput(), 0);
        EXPECT_EQ(tab(row).device()->previewActive(), 0);
    }
    EXPECT_EQ(tab(kHeadsetTab).device()->lightOutput(), 1);
    EXPECT_EQ(tab(kHeadsetTab).device()->previewActive(), 1);
}

struct ImageCase {
    uint16_t type;
    uint16_t role;
    bool changes;
    const char* normal;
    const char* nameKey;
};

TEST(DeviceTypeImages, FollowTypeAndRole) {
    const ImageCase cases[] = {
        {1, 0, true, "common/device_ico/kb_device_normal.svg", "kb_device_name_text"},
        {2, 0, true, "common/device_ico/ms_device_normal.svg", "ms_device_name_text"},
        {3, 0, true, "common/device_ico/hard_mp_device_normal.svg", "hard_mp_device_name_text"},
        {3, 1, true, "common/device_ico/soft_mp_device_normal.svg", "soft_mp_device_name_text"},
        {3, 2, false, "", ""},
        {4, 0, true, "common/device_ico/hd_device_normal.svg", "hd_device_name_text"},
        {7, 0, true, "common/device_ico/hd_device_normal.svg", "hd_device_name_text"},
        {5, 0, true, "common/device_ico/hub_device_normal.svg", "hub_device_name_text"},
        {6, 0, true, "common/device_ico/unknow_device_normal.svg", "unknow_device_name_text"},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.role);
        app::DeviceTypeImages images;
        EXPECT_EQ(app::deviceTypeImages(c.type, c.role, images), c.changes);
        EXPECT_EQ(images.normal, c.normal);
        EXPECT_EQ(images.nameTextKey, c.nameKey);
        if (c.changes) {
            EXPECT_TRUE(images.synchroSelected.ends_with("_device_synchro_selected.svg"));
            EXPECT_TRUE(images.synchroNormal.ends_with("_device_synchro_normal.svg"));
        }
    }
}

} // namespace
} // namespace morva::devmgr::test
