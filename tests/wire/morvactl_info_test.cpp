#include "cli/command_groups.h"
#include "emulator/emulated_models.h"
#include "tests/support/morvactl_run.h"

#include <gtest/gtest.h>
#include <json/reader.h>
#include <sstream>

namespace morva {
namespace {

using test::morvactl;

size_t occurrences(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(MorvactlInfo, ReadsTheKeyboardsInformationRecord) {
    const test::MorvactlRun run = morvactl({"--demo", "info", "keyboard"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value info = run.json();
    EXPECT_EQ(info["slot"].asInt(), 0);
    EXPECT_EQ(info["type"].asString(), "keyboard");
    EXPECT_EQ(info["vendor"].asString(), "0x0C45");
    EXPECT_EQ(info["firmwareVersion"].asString(), "V0102");
    EXPECT_EQ(info["keyCount"].asInt(), 126);
    EXPECT_EQ(info["keyTableBytes"].asInt(), 378);
    EXPECT_EQ(info["macroMemoryUnits"].asInt(), 32);
    EXPECT_EQ(info["macroMemoryBytes"].asInt(), 4096);
    EXPECT_FALSE(info.isMember("dpiSteps")) << "a keyboard has no DPI";
    EXPECT_EQ(info["record"].asString().substr(0, 20), "00 00 00 00 00 7e 20");
}

TEST(MorvactlInfo, ReadsTheMousesDpiRange) {
    const test::MorvactlRun run = morvactl({"--demo", "info", "mouse"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value info = run.json();
    EXPECT_EQ(info["type"].asString(), "mouse");
    EXPECT_EQ(info["keyCount"].asInt(), 10);
    EXPECT_EQ(info["dpiPerStep"].asInt(), 50);
    EXPECT_EQ(info["dpiSteps"].asInt(), 320);
    EXPECT_EQ(info["lowestDpi"].asInt(), 100);
    EXPECT_EQ(info["highestDpi"].asInt(), 16000);
}

// A slot number, a type name in any spelling and the interface path name the same device.
TEST(MorvactlInfo, ASlotATypeNameAndAPathNameTheSameDevice) {
    const test::MorvactlRun byType = morvactl({"--demo", "info", "mouse pad"});
    ASSERT_EQ(byType.exitCode, 0) << byType.err;
    const std::string path = byType.json()["path"].asString();
    for (const std::string& name :
         {std::string("4"), std::string("Mouse-Pad"), std::string("mousepad"), path}) {
        const test::MorvactlRun run = morvactl({"--demo", "info", name});
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
        EXPECT_EQ(run.json(), byType.json()) << name;
    }
}

// The tab names the profile commands take name the devices of that tab's model.
TEST(MorvactlInfo, TabNamesNameTheDevicesOfTheirModel) {
    const test::MorvactlRun headset = morvactl({"--demo", "info", "HD"});
    ASSERT_EQ(headset.exitCode, 0) << headset.err;
    EXPECT_EQ(headset.json()["type"].asString(), "headset");
    EXPECT_EQ(morvactl({"--demo", "info", "hd"}).json(), headset.json());

    const test::MorvactlRun pad = morvactl({"--demo", "info", "MousePad"});
    ASSERT_EQ(pad.exitCode, 0) << pad.err;
    EXPECT_EQ(pad.json()["type"].asString(), "mouse pad");

    // The other keyboard model is a demo device of its own, in the slots of its row.
    const test::MorvactlRun other = morvactl({"--demo", "info", "keyboard123"});
    ASSERT_EQ(other.exitCode, 0) << other.err;
    EXPECT_EQ(other.json()["type"].asString(), "keyboard");
    EXPECT_EQ(other.json()["vendor"].asString(), "0x0000");
    EXPECT_EQ(other.json()["slot"].asInt(), 7);
    EXPECT_NE(other.json(), morvactl({"--demo", "info", "keyboard"}).json());
}

TEST(MorvactlInfo, TracePrintsEveryExchangeOnStderrAndKeepsStdoutClean) {
    const test::MorvactlRun run = morvactl({"--demo", "--trace", "info", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.json()["keyCount"].asInt(), 126);
    EXPECT_EQ(occurrences(run.err, "命令\n"), 3u);
    EXPECT_EQ(occurrences(run.err, "返回\n"), 3u);
    EXPECT_NE(run.err.find("命令\n04 01 00 01   00 00 00 00"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("命令\n04 02 00 02"), std::string::npos) << run.err;
    const test::MorvactlRun quiet = morvactl({"--demo", "info", "0"});
    EXPECT_EQ(quiet.err, "") << "no trace unless asked for";
}

struct Mistake {
    cli::Arguments arguments;
    int exitCode;
    const char* message;
};

TEST(MorvactlInfo, MistakesSayWhatIsWrong) {
    const Mistake mistakes[] = {
        {{"--demo", "info"}, 2, "info needs one device"},
        {{"--demo", "info", "keyboard", "mouse"}, 2, "info needs one device"},
        {{"info", "keyboard", "--demo"}, 2, "--demo goes before the command"},
        {{"--demo", "info", "toaster"}, 2, "neither a slot number"},
        {{"--demo", "info", "9"}, 2, "there is no slot 9"},
        {{"--demo", "info", "1"}, 1, "companion collection"},
        {{"--demo", "info", "wireless_mouse"}, 1, "no wireless mouse is connected"},
        {{"--demo", "info", "emulated/9/1#vid_0c45&pid_8501&mi_01&col04#emulated-device-9"},
         1,
         "cannot open"},
    };
    for (const Mistake& mistake : mistakes) {
        const test::MorvactlRun run = morvactl(mistake.arguments);
        EXPECT_EQ(run.exitCode, mistake.exitCode) << mistake.message;
        EXPECT_NE(run.err.find(mistake.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// A device that refuses the read: the command fails with the reason and still ends the
// transaction it began.
TEST(MorvactlInfo, AFailedReadIsReportedAndTheTransactionStillEnds) {
    emulator::EmulatedHidBus bus;
    const auto keyboard = emulator::makeEmulatedKeyboard();
    emulator::plugFirmwareDevice(bus, keyboard);
    keyboard->firmware().injectFault(emulator::FaultKind::StatusFF,
                                     device::command::kReadDeviceInfo);
    std::ostringstream out;
    std::ostringstream err;
    cli::CliContext context{bus, false, out, err};
    EXPECT_EQ(cli::runInfoCommand(context, {"keyboard"}), 1);
    EXPECT_NE(err.str().find("read device information failed: the device refused the request "
                             "(status 0xFF) (-102)"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(keyboard->firmware().transactionsBegun(), 1u);
    EXPECT_EQ(keyboard->firmware().transactionsEnded(), 1u);
}

} // namespace
} // namespace morva
