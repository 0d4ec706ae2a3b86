#include "cli/command_groups.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware_device.h"
#include "macros/macro_file.h"
#include "macros/macro_list_edits.h"
#include "profiles/data_folders.h"
#include "profiles/keyboard_profiledata.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/morvactl_run.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace morva {
namespace {

// morvactl apply on an emulated keyboard, whose memory shows what reached it.
class MorvactlApply : public ::testing::Test {
protected:
    MorvactlApply() { emulator::plugFirmwareDevice(bus, keyboard); }

    int apply(const cli::Arguments& arguments) {
        out.str("");
        err.str("");
        cli::CliContext context{bus, false, out, err};
        return cli::runApplyCommand(context, arguments);
    }
    std::filesystem::path folder() const { return profiles::folders::deviceDataFolder("keyboard"); }
    // The selected profile's file, made on first use.
    std::filesystem::path profileFile() {
        EXPECT_EQ(test::morvactl({"profile", "list", "keyboard"}).exitCode, 0);
        for (const auto& entry : std::filesystem::directory_iterator(folder())) {
            if (entry.path().extension() == ".Json") {
                return entry.path();
            }
        }
        return {};
    }
    std::vector<uint8_t> memory(std::span<const uint8_t> area, size_t from, size_t count) {
        return {area.begin() + static_cast<long>(from),
                area.begin() + static_cast<long>(from + count)};
    }
    void addMacro(const std::string& name, const std::string& identifier, size_t events) {
        std::vector<macros::MacroEvent> list(events, macros::makeMacroEvent(10, 0x04, true, 1));
        ASSERT_EQ(macros::writeMacro(folder(), identifier, name, list), FileWriteStatus::Ok);
        ASSERT_TRUE(macros::appendMacroEntry(folder(), name, identifier).ok());
    }

    test::TempDir dataHome;
    test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
    emulator::EmulatedHidBus bus;
    std::shared_ptr<emulator::FirmwareHidDevice> keyboard = emulator::makeEmulatedKeyboard();
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(MorvactlApply, WritesTheSelectedProfileWhole) {
    profiles::CKeyboardProfiledata data;
    data.SetProfilePath(profileFile());
    data.LoadDeviceEntry(profileFile());
    profiles::LightInfoRecord light = data.ReadLightInfo();
    light.mode = 7;
    data.WriteLightInfo(light);
    std::vector<profiles::KeyAssignmentRecord> keys = data.ReadKeyList();
    keys[1].assignment.code = profiles::AssignmentCode::macro(0, 0); // F1 plays macro 0
    keys[2].assignment.code = profiles::AssignmentCode::macro(5, 0); // a macro that is gone
    data.WriteKeyList(keys);
    ASSERT_TRUE(data.Save());
    addMacro("one", "2020_01_01_00_00_00_001", 2);

    ASSERT_EQ(apply({"keyboard"}), 0) << err.str();
    emulator::CommandFirmware& firmware = keyboard->firmware();
    EXPECT_EQ(firmware.writtenSettingsBlock(0)[1], 7);
    EXPECT_EQ(memory(firmware.macroMemory(), 0, 6),
              (std::vector<uint8_t>{0xAA, 0x55, 16 + 6 + 8, 0, 1, 0}));
    EXPECT_EQ(memory(firmware.keyTable(), 3, 3), (std::vector<uint8_t>{0x70, 0x00, 0x00}));
    EXPECT_EQ(memory(firmware.keyTable(), 6, 3), (std::vector<uint8_t>{0x20, 0x00, 0x3B}))
        << "F2 lost its macro and has its factory code again";
    EXPECT_NE(out.str().find("keys of deleted macros"), std::string::npos) << out.str();
    profiles::CKeyboardProfiledata stored;
    stored.LoadDeviceEntry(profileFile());
    EXPECT_EQ(stored.ReadKeyList()[2].assignment.code,
              (profiles::AssignmentCode{0x20, 0x00, 0x3B}));
}

TEST_F(MorvactlApply, MacrosTooLongFailTheCommandAndTheRestIsStillWritten) {
    addMacro("long", "2020_01_01_00_00_00_002", 1100); // over the 4096 bytes of macro memory
    EXPECT_EQ(apply({"keyboard"}), 1);
    EXPECT_NE(err.str().find("events too long"), std::string::npos) << err.str();
    EXPECT_NE(memory(keyboard->firmware().macroMemory(), 0, 2), (std::vector<uint8_t>{0xAA, 0x55}));
    EXPECT_NE(out.str().find("key table: written"), std::string::npos) << out.str();
}

TEST_F(MorvactlApply, AFailedWriteIsReported) {
    keyboard->firmware().injectFault(emulator::FaultKind::StatusFF,
                                     device::command::kWriteKeyTable);
    EXPECT_EQ(apply({"keyboard"}), 1);
    EXPECT_NE(err.str().find("writing the key table failed"), std::string::npos) << err.str();
}

TEST_F(MorvactlApply, ANamedProfileIsSelectedFirst) {
    ASSERT_EQ(test::morvactl({"profile", "add", "keyboard"}).exitCode, 0);
    ASSERT_EQ(test::morvactl({"profile", "select", "keyboard", "profile1"}).exitCode, 0);
    EXPECT_EQ(apply({"keyboard", "profile2"}), 0) << err.str();
    EXPECT_NE(out.str().find("profile \"profile2\""), std::string::npos) << out.str();
    EXPECT_EQ(apply({"keyboard", "nosuch"}), 1);
}

TEST_F(MorvactlApply, AMouseTakesItsBlockAndButtonTable) {
    const auto mouse = emulator::makeEmulatedMouse();
    emulator::plugFirmwareDevice(bus, mouse);
    ASSERT_EQ(apply({"mouse"}), 0) << err.str();
    EXPECT_NE(out.str().find("button table: written"), std::string::npos) << out.str();
    EXPECT_EQ(mouse->firmware().writtenSettingsBlock(0)[59], 1) << "the flag byte";
    EXPECT_EQ(memory(mouse->firmware().keyTable(), 0, 3), (std::vector<uint8_t>{0x10, 0x01, 0x00}));
}

TEST_F(MorvactlApply, DemoModeShowsWhatReachedTheDevice) {
    addMacro("one", "2020_01_01_00_00_00_003", 2);
    const test::MorvactlRun run =
        test::morvactl({"--demo", "--show-device-memory", "apply", "keyboard"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("== memory of the emulated keyboard ==\ninformation record (34 bytes)"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("settings block 0 (30 bytes)"), std::string::npos);
    EXPECT_NE(run.out.find("macro image (30 bytes)\n  0000 aa 55 1e 00 01 00"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("emulated mouse"), std::string::npos) << "untouched devices stay out";
    EXPECT_EQ(test::morvactl({"--show-device-memory", "devices"}).exitCode, 2);
}

TEST_F(MorvactlApply, OnlyAConnectedKeyboardOrMouseTakesAProfile) {
    EXPECT_EQ(apply({}), 2);
    EXPECT_EQ(apply({"mouse"}), 1) << "no mouse is connected";
    EXPECT_EQ(apply({"MousePad"}), 1);
    EXPECT_EQ(apply({"keyboard123"}), 1) << "no keyboard of that model is connected";
    EXPECT_NE(err.str().find("no keyboard123 is connected"), std::string::npos) << err.str();
}

} // namespace
} // namespace morva
