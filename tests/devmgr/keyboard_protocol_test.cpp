#include "device/key_assignments.h"
#include "emulator/emulated_models.h"
#include "tests/devmgr/keyboard_fixture.h"
#include "ui/toolkit/progress.h"

#include <vector>

namespace morva::devmgr::test {
namespace {

using profiles::AssignmentCode;

TEST_F(KeyboardProtocol, ConnectMapsEachPositionToTheFirstKeyWithItsFactoryCode) {
    connect();
    ASSERT_TRUE(keyboard->tablesRead());
    // The emulated keyboard holds the factory code of position k at device key k.
    EXPECT_EQ(keyboard->keyMaps().deviceKey[0], 0);
    EXPECT_EQ(keyboard->keyMaps().deviceKey[125], 125);
    for (const size_t empty : {18u, 19u, 20u, 62u, 104u}) {
        EXPECT_EQ(keyboard->keyMaps().deviceKey[empty], 18) << empty;
    }
}

TEST_F(KeyboardProtocol, AKeyTableOver512BytesIsRefused) {
    emulator::FirmwareConfig config = emulator::KeyboardFirmware::defaultConfig();
    config.keyCount = 171; // 513 bytes
    connect(config);
    EXPECT_FALSE(keyboard->tablesRead());
    EXPECT_EQ(keyboard->keyMaps().deviceKey[0], device::kNoDeviceKey);
    const std::vector<uint8_t> before = bytes(firmware().keyTable(), 0, 30);
    keyboard->WriteCurrentKeyTable(0);
    EXPECT_EQ(bytes(firmware().keyTable(), 0, 30), before);
}

TEST_F(KeyboardProtocol, AKeyPressedOnTheKeyboardLightsItsKeyInTheReactiveEffect) {
    connect();
    profiles::LightInfoRecord light = keyboard->profile().ReadLightInfo();
    light.mode = 6; // reactive fade
    light.brightness = 4;
    keyboard->ApplyLightSettings(light, {});
    constexpr int kPosition = 40;
    const uint8_t deviceKey = keyboard->keyMaps().deviceKey[kPosition];
    ASSERT_NE(deviceKey, device::kNoDeviceKey);
    const auto lit = [&](int position) {
        return (keyboard->GetLedColour(position) >> 24) != 0;
    };
    EXPECT_TRUE(loop.runUntil([&] { return !lit(kPosition); }, 10000)) << "dark until pressed";

    // The emulated keyboard reports the press on its event interface.
    firmware().sendKeyDown(deviceKey);
    EXPECT_TRUE(loop.runUntil([&] { return lit(kPosition); }, 10000));
    EXPECT_FALSE(lit(kPosition + 1)) << "only the pressed key";
    firmware().sendKeyUp(deviceKey);
    EXPECT_TRUE(loop.runUntil([&] { return !lit(kPosition); }, 10000)) << "released: it fades";
}

TEST_F(KeyboardProtocol, TheSettingsBlockCarriesTheProfilesLightAndSystemSettings) {
    connect();
    profiles::LightInfoRecord light = keyboard->profile().ReadLightInfo();
    light.mode = 25;
    light.speed = 0;
    light.sideMode = 1;
    light.red = 0x12;
    keyboard->profile().WriteLightInfo(light);
    profiles::KeyboardSystemRecord system = keyboard->profile().ReadKeyboardSystem();
    system.key6Flag = 1;
    system.pollingRate = 2;
    keyboard->profile().WriteKeyboardSystem(system);
    keyboard->WriteSettings({});
    const std::span<uint8_t> block = firmware().writtenSettingsBlock(0);
    EXPECT_EQ(block[1], 1) << "effect 25 travels as 1";
    EXPECT_EQ(block[3], 4) << "speed 0";
    EXPECT_EQ(block[6], 0x12);
    EXPECT_EQ(block[20], 1);
    EXPECT_EQ(block[22], 2);
    EXPECT_EQ(block[25], 0) << "side effect 1 travels as 0";
    EXPECT_EQ(bytes(block, 27, 3), (std::vector<uint8_t>{0x01, 0x00, 0x02}));
}

TEST_F(KeyboardProtocol, AFailedWriteIsToldQuietlyInTheStatusBar) {
    connect();
    ui::Control* notice = main->window().find("device_write_notice");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->visible());
    firmware().injectFault(emulator::FaultKind::StatusFF, device::command::kWriteSettings);
    EXPECT_EQ(keyboard->WriteSettings({}), 0) << "callers still see the usual result";
    loop.runPending();
    EXPECT_TRUE(notice->visible());
    EXPECT_NE(notice->text().find("could not write the settings."), std::string::npos)
        << notice->text();
    loop.advance(1000);
    EXPECT_TRUE(notice->visible());
    loop.advance(app::WriteFailureNotice::kShownMs);
    EXPECT_FALSE(notice->visible());
}

TEST_F(KeyboardProtocol, TheKeyTableTakesTheCurrentAssignments) {
    connect();
    device::KeyAssignments& keys = *keyboard->keyAssignments();
    ASSERT_EQ(keys.select(1, keyboard->GetProfilePath()),
              device::KeyAssignments::Selection::Selected);
    profiles::KeyAssignmentRecord record = keys.keys()[1];
    record.assignment.code = {0x20, 0x01, 0x06};
    keys.storeSelected(record);
    keyboard->WriteCurrentKeyTable(0);
    EXPECT_EQ(bytes(firmware().keyTable(), 3, 3), (std::vector<uint8_t>{0x20, 0x01, 0x06}));
    EXPECT_EQ(bytes(firmware().keyTable(), 0, 3), (std::vector<uint8_t>{0x20, 0x00, 0x29}));
}

TEST_F(KeyboardProtocol, MacrosAreWrittenAsOneImageWhenTheyFit) {
    connect();
    addMacro("three", 3);
    addMacro("five", 5);
    EXPECT_EQ(keyboard->WriteMacros(), 0);
    EXPECT_EQ(bytes(firmware().macroMemory(), 0, 20),
              (std::vector<uint8_t>{0xAA, 0x55, 60, 0, 2, 0, 0,  0, 0,  0,
                                    0,    0,    0,  0, 0, 0, 20, 0, 36, 0}));
    // The first event of the first macro: 35 ms, a press of type 10, usage 0x04.
    EXPECT_EQ(bytes(firmware().macroMemory(), 20, 8),
              (std::vector<uint8_t>{3, 0, 0, 0, 35, 0, 0x8A, 0x04}));
}

TEST_F(KeyboardProtocol, MacrosTooLongForTheMemoryAreNotSent) {
    emulator::FirmwareConfig config = emulator::KeyboardFirmware::defaultConfig();
    config.macroUnits = 2; // 256 bytes
    connect(config);
    addMacro("long", 61); // 16 + 6 + 244 = 266 bytes
    EXPECT_EQ(keyboard->WriteMacros(), 3);
    EXPECT_NE(bytes(firmware().macroMemory(), 0, 2), (std::vector<uint8_t>{0xAA, 0x55}));
}

TEST_F(KeyboardProtocol, ReadSettingsTakesTheKeyboardsBlockIntoTheProfile) {
    connect();
    const std::span<uint8_t> block = firmware().settingsBlock(0);
    block[0] = 0;
    block[1] = 30;
    block[2] = 2;
    block[3] = 1;
    block[8] = 0x77;
    block[19] = 1;
    keyboard->commandChannel().setSynchronised(true);
    keyboard->ReadSettings();
    EXPECT_FALSE(keyboard->commandChannel().isSynchronised());
    profiles::CKeyboardProfiledata stored;
    stored.LoadDeviceEntry(keyboard->GetProfilePath());
    const profiles::LightInfoRecord light = stored.ReadLightInfo();
    EXPECT_EQ(light.mode, 1) << "30 reads as 1";
    EXPECT_EQ(light.brightness, 2);
    EXPECT_EQ(light.speed, 3);
    EXPECT_EQ(light.blue, 0x77);
    EXPECT_EQ(stored.ReadKeyboardSystem().wFlag, 1);
    EXPECT_EQ(keyboard->lightSettings().mode, 1) << "and the page shows it";
}

TEST_F(KeyboardProtocol, TheSystemPageShowsStoresAndSendsItsSettings) {
    connect();
    show(tab);
    keyboard->ChangeSystem([](profiles::KeyboardSystemRecord& system) { system.pollingRate = 9; },
                           false);
    EXPECT_TRUE(selected("polling_rate_option_0")) << "an index out of range shows choice 0";

    click("polling_rate_option_2");
    EXPECT_TRUE(selected("polling_rate_option_2"));
    EXPECT_FALSE(selected("polling_rate_option_0"));
    EXPECT_EQ(firmware().writtenSettingsBlock(0)[22], 2) << "sent at once";
    click("polling_rate_option_2"); // a second click keeps the choice
    EXPECT_TRUE(selected("polling_rate_option_2"));

    click("6flag_option");
    EXPECT_EQ(storedSystem().key6Flag, 1);
    EXPECT_EQ(firmware().writtenSettingsBlock(0)[20], 1);

    firmware().writtenSettingsBlock(0)[20] = 0x5A; // to see that no block follows
    click("repeat_delay_check_3");
    keyboard->findDescendantAs<ui::Slider>("repeat_rate_slider")->userSetValue(12);
    loop.runPending();
    EXPECT_EQ(storedSystem().repeatDelay, 3);
    EXPECT_EQ(storedSystem().repeat, 12);
    EXPECT_EQ(storedSystem().pollingRate, 2);
    EXPECT_EQ(firmware().writtenSettingsBlock(0)[20], 0x5A) << "the repeat settings stay home";
    EXPECT_EQ(keyboard->findDescendant("repeat_delay_time_label1")->text(), "Repeat delay: 1000ms");
}

} // namespace
} // namespace morva::devmgr::test
