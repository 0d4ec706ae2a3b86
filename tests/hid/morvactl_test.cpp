#include "base/program_identity.h"
#include "cli/command_groups.h"
#include "emulator/emulated_descriptors.h"
#include "platform/hid_linux_backend.h"
#include "tests/support/morvactl_run.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <json/reader.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

using test::morvactl;

const char* kOpticalMouse = "05 01 09 02 a1 01 09 01 a1 00 05 09 19 01 29 03 15 00 25 01 95 08 75 "
                            "01 81 02 05 01 09 30 09 31 09 38 15 81 25 7f 75 08 95 03 81 06 c0 c0";

TEST(Morvactl, DemoDevicesAssignsTheSlotsOfTheEmulatedDevices) {
    const test::MorvactlRun run = morvactl({"--demo", "devices"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto slots = run.jsonLines();
    ASSERT_EQ(slots.size(), 9u);
    // One device per device-tab row, in row order: every slot is filled, each by its own device.
    const int expectedDevice[] = {2, 2, 1, 1, 3, 3, 4, 5, 5};
    for (Json::ArrayIndex i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i]["slot"].asUInt(), i);
        EXPECT_TRUE(slots[i]["assigned"].asBool()) << "slot " << i;
        EXPECT_NE(slots[i]["path"].asString().find("#emulated-device-" +
                                                   std::to_string(expectedDevice[i])),
                  std::string::npos)
            << "slot " << i << ": " << slots[i]["path"].asString();
    }
    EXPECT_EQ(slots[0]["type"].asString(), "keyboard");
    EXPECT_EQ(slots[0]["vendor"].asString(), "0x0C45");
    EXPECT_NE(slots[0]["path"].asString().find("&col04"), std::string::npos);
    EXPECT_EQ(slots[6]["type"].asString(), "headset");
}

TEST(Morvactl, DemoHidListMarksTheSupportedInterfaces) {
    const test::MorvactlRun run = morvactl({"--demo", "hid", "list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int supported = 0;
    for (const auto& line : run.jsonLines()) {
        EXPECT_EQ(line["access"].asString(), "ok");
        if (line["supported"].asBool()) {
            ++supported;
            if (line["supportedRow"].asInt() == 0) {
                EXPECT_EQ(line["usagePage"].asString(), "0xFF1C");
                EXPECT_EQ(line["inputReportByteLength"].asInt(), 64);
            }
        }
    }
    EXPECT_EQ(supported, 9) << "the keyboard, the mouse, the mouse pad and the other keyboard "
                               "twice each, the headset once";
}

TEST(Morvactl, HidDescriptorReadsHexArgumentsHexFilesAndBinaryFiles) {
    test::TempDir dir;
    const std::vector<uint8_t> binary = emulator::controlInterfaceDescriptor();
    std::ofstream((dir.path() / "raw").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(binary.data()),
               static_cast<std::streamsize>(binary.size()));
    std::ofstream((dir.path() / "text").string()) << kOpticalMouse << "\n";

    std::istringstream words(kOpticalMouse);
    cli::Arguments arguments{"hid", "descriptor"};
    for (std::string word; words >> word;) {
        arguments.push_back(word);
    }
    for (const auto& args :
         {arguments, cli::Arguments{"hid", "descriptor", (dir.path() / "text").string()}}) {
        const test::MorvactlRun run = morvactl(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const Json::Value json = run.json();
        ASSERT_EQ(json["collections"].size(), 1u);
        EXPECT_EQ(json["collections"][0]["usage"].asString(), "0x0002");
        EXPECT_EQ(json["collections"][0]["inputReportByteLength"].asInt(), 5);
        EXPECT_EQ(json["collections"][0]["input"]["valueCaps"].size(), 3u);
    }
    const test::MorvactlRun raw = morvactl({"hid", "descriptor", (dir.path() / "raw").string()});
    ASSERT_EQ(raw.exitCode, 0) << raw.err;
    EXPECT_EQ(raw.json()["collections"].size(), 4u);
    EXPECT_EQ(raw.json()["collections"][3]["usagePage"].asString(), "0xFF1C");
}

// A descriptor that is too long, or a path that is not a regular file, is refused with a reason,
// without reading more than a descriptor's text can take and without waiting on a FIFO.
struct RefusedDescriptorCase {
    const char* what;
    // Prepares what the command gets in a fresh folder; returns its arguments after "descriptor".
    std::function<cli::Arguments(const std::filesystem::path& folder)> prepare;
    int exitCode;
    const char* reason;
};

void PrintTo(const RefusedDescriptorCase& refused, std::ostream* out) {
    *out << refused.what;
}

std::string hexWords(size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += "04 ";
    }
    return text;
}

cli::Arguments fileOf(const std::filesystem::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary) << content;
    return {file.string()};
}

class RefusedDescriptor : public ::testing::TestWithParam<RefusedDescriptorCase> {};

TEST_P(RefusedDescriptor, SaysWhy) {
    test::TempDir dir;
    cli::Arguments arguments{"hid", "descriptor"};
    for (const auto& argument : GetParam().prepare(dir.path())) {
        arguments.push_back(argument);
    }
    const test::MorvactlRun run = morvactl(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_NE(run.err.find(GetParam().reason), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Morvactl, RefusedDescriptor,
    ::testing::Values(
        RefusedDescriptorCase{"HexArgumentsBeyondTheLimit",
                              [](const std::filesystem::path&) {
                                  cli::Arguments words(4097, "04");
                                  return words;
                              },
                              1,
                              "the descriptor has 4097 bytes; a report descriptor has at most "
                              "4096"},
        RefusedDescriptorCase{"HexFileBeyondTheLimit",
                              [](const std::filesystem::path& folder) {
                                  return fileOf(folder / "text", hexWords(4097));
                              },
                              1, "the descriptor has 4097 bytes"},
        RefusedDescriptorCase{"RawFileBeyondTheLimit",
                              [](const std::filesystem::path& folder) {
                                  return fileOf(folder / "raw", std::string(4097, '\x04'));
                              },
                              1, "the descriptor has 4097 bytes"},
        RefusedDescriptorCase{"FileOfAMegabyte",
                              [](const std::filesystem::path& folder) {
                                  return fileOf(folder / "big", std::string(1 << 20, '\x04'));
                              },
                              2,
                              "is larger than 32768 bytes; a report descriptor has at most 4096"},
        RefusedDescriptorCase{"Fifo",
                              [](const std::filesystem::path& folder) {
                                  const auto fifo = folder / "fifo";
                                  EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
                                  return cli::Arguments{fifo.string()};
                              },
                              2, "fifo: not a regular file"},
        RefusedDescriptorCase{
            "Folder",
            [](const std::filesystem::path& folder) { return cli::Arguments{folder.string()}; }, 2,
            ": not a regular file"}),
    [](const auto& param) { return std::string(param.param.what); });

TEST(Morvactl, ADescriptorsConstantFieldWithAUsageIsMarked) {
    const test::MorvactlRun run =
        morvactl({"hid", "descriptor", "05", "01", "09", "02", "a1", "01", "15", "00", "25",
                  "01",  "75",         "01", "95", "01", "09", "30", "81", "02", "75", "07",
                  "09",  "31",         "81", "01", "75", "08", "81", "01", "c0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value caps = run.json()["collections"][0]["input"]["buttonCaps"];
    ASSERT_EQ(caps.size(), 2u) << "the usage-less padding byte has none";
    EXPECT_FALSE(caps[0].isMember("constant"));
    EXPECT_EQ(caps[1]["usage"].asString(), "0x0031");
    EXPECT_TRUE(caps[1]["constant"].asBool());
}

TEST(Morvactl, MistakesExitWithAReason) {
    const test::MorvactlRun bad = morvactl({"hid", "descriptor", "05", "01", "a1", "01"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("bad report descriptor"), std::string::npos) << bad.err;
    const test::MorvactlRun notHex = morvactl({"hid", "descriptor", "/no/such/file"});
    EXPECT_EQ(notHex.exitCode, 2);
    EXPECT_NE(notHex.err.find("nor a file"), std::string::npos) << notHex.err;
    const test::MorvactlRun unknown = morvactl({"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("usage:"), std::string::npos);
    EXPECT_EQ(morvactl({}).exitCode, 2);
    EXPECT_EQ(morvactl({"hid"}).exitCode, 2);
    const test::MorvactlRun help = morvactl({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("morvactl [--demo] devices"), std::string::npos);
}

struct CommandLineCase {
    cli::Arguments arguments;
    int exitCode;
    std::string out; // part of stdout
    std::string err; // part of stderr
};

// Options go before the command and "--" ends them; what follows the command is the command's.
TEST(Morvactl, OptionsGoBeforeTheCommand) {
    const CommandLineCase cases[] = {
        {{"--demo", "--", "devices"}, 0, "\"slot\":0", ""},
        {{"help"}, 0, "usage:", ""},
        {{"-h"}, 0, "usage:", ""},
        {{"--demo", "--help", "devices"}, 0, "usage:", ""},
        {{"--"}, 2, "", "usage:"},
        {{"--", "--demo", "devices"}, 2, "", "unknown command \"--demo\""},
        {{"--", "help"}, 0, "usage:", ""},
        {{"--frobnicate", "devices"}, 2, "", "unknown option \"--frobnicate\""},
        {{"devices", "--demo"}, 2, "", "--demo goes before the command"},
        {{"hid", "list", "--help"}, 2, "", "--help goes before the command"},
        {{"--version"}, 0, "morvactl " + std::string(programVersion()) + "\n", ""},
        {{"--demo", "--version", "devices"}, 0, "morvactl ", ""},
        {{"devices", "--version"}, 2, "", "--version goes before the command"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const test::MorvactlRun run = morvactl(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        if (c.out.empty()) {
            EXPECT_EQ(run.out, "");
        }
    }
}

TEST(Morvactl, DevicesSaysPlainlyWhenANodeCannotBeOpenedForLackOfPermission) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not apply to root";
    }
    namespace fs = std::filesystem;
    test::TempDir dir;
    const fs::path hidDevice = dir.path() / "sys/devices/usb1/1-2/1-2:1.1/0003:0C45:8501.0002";
    fs::create_directories(hidDevice);
    std::ofstream(hidDevice / "uevent") << "HID_ID=0003:00000C45:00008501\n";
    const auto descriptor = emulator::controlInterfaceDescriptor();
    std::ofstream(hidDevice / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()),
               static_cast<std::streamsize>(descriptor.size()));
    std::ofstream(hidDevice.parent_path() / "bInterfaceNumber") << "01\n";
    fs::create_directories(dir.path() / "sys/class/hidraw/hidraw1");
    fs::create_directory_symlink(hidDevice, dir.path() / "sys/class/hidraw/hidraw1/device");
    fs::create_directories(dir.path() / "dev");
    std::ofstream(dir.path() / "dev/hidraw1") << "";
    fs::permissions(dir.path() / "dev/hidraw1", fs::perms::none);

    platform::LinuxHidBackend backend(dir.path() / "sys", dir.path() / "dev");
    std::ostringstream out;
    std::ostringstream err;
    cli::CliContext context{backend, false, out, err};
    EXPECT_EQ(cli::runDevicesCommand(context, {}), 0);
    EXPECT_NE(err.str().find("permission denied"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("udev"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find((dir.path() / "dev/hidraw1").string()), std::string::npos);
}

} // namespace
} // namespace morva
