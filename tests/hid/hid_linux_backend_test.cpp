#include "base/text.h"
#include "emulator/emulated_descriptors.h"
#include "hid/hid_device.h"
#include "hid/hid_interface_list.h"
#include "platform/hid_linux_backend.h"
#include "tests/hid/fake_sysfs.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

TEST_F(FakeSysfs, AKeyboardWithSeveralCollectionsIsListedOnePathPerCollection) {
    addKeyboard();
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<hid::HidInterfaceEntry> interfaces;
    ASSERT_TRUE(hid::listHidInterfaces(backend, interfaces));
    ASSERT_EQ(interfaces.size(), 5u);
    const std::string node0 = (dev() / "hidraw0").string();
    const std::string node1 = (dev() / "hidraw1").string();
    EXPECT_EQ(WideToUtf8(interfaces[0].path),
              node0 + "#vid_0c45&pid_8501&mi_00#0003:0C45:8501.0001");
    const char* expectedCollections[] = {"col01", "col02", "col03", "col04"};
    const uint16_t expectedPages[] = {0x0001, 0x0001, 0x000C, 0xFF1C};
    for (size_t i = 0; i < 4; ++i) {
        const hid::HidInterfaceEntry& entry = interfaces[i + 1];
        EXPECT_EQ(WideToUtf8(entry.path), node1 + "#vid_0c45&pid_8501&mi_01&" +
                                              expectedCollections[i] + "#0003:0C45:8501.0002");
        EXPECT_EQ(entry.interfaceNumber, 1);
        EXPECT_EQ(entry.collectionNumber, i + 1);
        EXPECT_EQ(entry.preparsed.caps.usagePage, expectedPages[i]);
        EXPECT_EQ(entry.versionNumber, 0x0105);
    }
    EXPECT_EQ(interfaces[4].preparsed.caps.usage, 0x92);
}

TEST_F(FakeSysfs, NodesAreListedInNumberOrderAndDevicesOffUsbHaveNoInterfaceNumber) {
    addKeyboard();
    addHidDevice("hidraw10", sys() / "devices/virtual/misc/uhid/0005:046D:B01A.0003",
                 emulator::bootMouseDescriptor());
    addHidDevice("hidraw2", sys() / "devices/virtual/misc/uhid/0005:046D:B01B.0004",
                 emulator::bootMouseDescriptor());
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<platform::HidNodeInfo> nodes;
    ASSERT_TRUE(backend.enumerate(nodes));
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(fs::path(nodes[2].node).filename(), "hidraw2");
    EXPECT_EQ(fs::path(nodes[3].node).filename(), "hidraw10");
    EXPECT_EQ(nodes[2].interfaceNumber, -1);
    EXPECT_EQ(nodes[2].vendorId, 0x046D);
    EXPECT_EQ(nodes[2].productId, 0xB01B);
    EXPECT_EQ(nodes[2].versionNumber, 0);
}

TEST_F(FakeSysfs, NoHidrawClassMeansNoNodesRatherThanAFailure) {
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<platform::HidNodeInfo> nodes{platform::HidNodeInfo{}};
    EXPECT_TRUE(backend.enumerate(nodes));
    EXPECT_TRUE(nodes.empty());
}

TEST_F(FakeSysfs, ANodeWithABadDescriptorIsLeftOutAndReported) {
    addKeyboard();
    addUsbNode("hidraw3", "1-3", 0, "0003:1234:5678.0005", {0x05, 0x01, 0xA1, 0x01});
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<hid::HidInterfaceEntry> interfaces;
    std::vector<hid::HidUnreadableNode> unreadable;
    ASSERT_TRUE(hid::listHidInterfaces(backend, interfaces, &unreadable));
    EXPECT_EQ(interfaces.size(), 5u);
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(fs::path(unreadable[0].node).filename(), "hidraw3");
    EXPECT_NE(unreadable[0].reason.find("collection"), std::string::npos) << unreadable[0].reason;
}

TEST_F(FakeSysfs, OpenAndPresenceFollowTheNodeAndItsAttachment) {
    addKeyboard();
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<hid::HidInterfaceEntry> interfaces;
    ASSERT_TRUE(hid::listHidInterfaces(backend, interfaces));
    const std::wstring vendorPath = interfaces[4].path;
    hid::CHidDevice device(backend);
    ASSERT_TRUE(device.Open(vendorPath, true, false, true, false)) << device.lastOpenError();
    EXPECT_EQ(device.caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.attributes().versionNumber, 0x0105);
    device.Close();
    EXPECT_TRUE(hid::isHidPathPresent(backend, vendorPath));

    // The keyboard goes; another device gets the same node name.
    fs::remove_all(sys() / "class/hidraw/hidraw1");
    EXPECT_FALSE(hid::isHidPathPresent(backend, vendorPath));
    EXPECT_FALSE(device.Open(vendorPath, true, false, true, false));
    EXPECT_EQ(device.lastOpenResult(), platform::HidOpenResult::kNotFound);
    addUsbNode("hidraw1", "1-4", 1, "0003:0C45:8501.0009", emulator::controlInterfaceDescriptor());
    EXPECT_FALSE(hid::isHidPathPresent(backend, vendorPath))
        << "another attachment, not our device";
    EXPECT_FALSE(device.Open(vendorPath, true, false, true, false));

    // A node outside the device folder is never opened.
    std::unique_ptr<platform::HidChannel> channel;
    EXPECT_EQ(backend.open("/etc/passwd", "", {true, false, false}, channel),
              platform::HidOpenResult::kNotFound);
}

TEST_F(FakeSysfs, ANodeWithoutPermissionSaysSoAndHowToFixIt) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not apply to root";
    }
    addKeyboard();
    fs::permissions(dev() / "hidraw1", fs::perms::none);
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<hid::HidInterfaceEntry> interfaces;
    ASSERT_TRUE(hid::listHidInterfaces(backend, interfaces));
    hid::CHidDevice device(backend);
    EXPECT_FALSE(device.Open(interfaces[4].path, true, true, true, false));
    EXPECT_EQ(device.lastOpenResult(), platform::HidOpenResult::kAccessDenied);
}

// An attribute of the vendor interface's node replaced by something that is not a small regular
// file: listing the nodes neither blocks on it nor reads it without end.
struct HostileAttributeCase {
    const char* what;
    const char* attribute; // below the HID device; "../" reaches the USB interface
    std::function<void(const fs::path&)> make;
    bool nodeListed;
};

void PrintTo(const HostileAttributeCase& hostile, std::ostream* out) {
    *out << hostile.what;
}

void makeFifo(const fs::path& path) {
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

void linkToEndlessDevice(const fs::path& path) {
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
}

class HostileSysfs : public FakeSysfs,
                     public ::testing::WithParamInterface<HostileAttributeCase> {};

TEST_P(HostileSysfs, AnAttributeThatIsNoSmallRegularFileIsNotRead) {
    addKeyboard();
    GetParam().make(vendorHidDevice() / GetParam().attribute);
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<platform::HidNodeInfo> nodes;
    ASSERT_TRUE(backend.enumerate(nodes));
    ASSERT_EQ(nodes.size(), GetParam().nodeListed ? 2u : 1u);
    EXPECT_EQ(fs::path(nodes[0].node).filename(), "hidraw0");
    if (GetParam().nodeListed) {
        EXPECT_EQ(nodes[1].reportDescriptor, emulator::controlInterfaceDescriptor());
        EXPECT_EQ(nodes[1].interfaceNumber, -1) << "the unreadable number is unknown";
    }
}

INSTANTIATE_TEST_SUITE_P(
    HidLinuxBackend, HostileSysfs,
    ::testing::Values(
        HostileAttributeCase{"DescriptorIsAFifo", "report_descriptor", makeFifo, false},
        HostileAttributeCase{"DescriptorIsAnEndlessDevice", "report_descriptor",
                             linkToEndlessDevice, false},
        HostileAttributeCase{"DescriptorIsLongerThanAnyDescriptor", "report_descriptor",
                             [](const fs::path& path) {
                                 writeBytes(path,
                                            std::vector<uint8_t>(
                                                platform::kHidMaxReportDescriptorSize + 1, 0x04));
                             },
                             false},
        HostileAttributeCase{"UeventIsAFifo", "uevent", makeFifo, false},
        HostileAttributeCase{"InterfaceNumberIsAFifo", "../bInterfaceNumber", makeFifo, true},
        HostileAttributeCase{"InterfaceNumberIsAnEndlessDevice", "../bInterfaceNumber",
                             linkToEndlessDevice, true}),
    [](const auto& param) { return std::string(param.param.what); });

TEST_F(FakeSysfs, ADescriptorOfTheLargestSizeIsReadWhole) {
    addKeyboard();
    const std::vector<uint8_t> largest(platform::kHidMaxReportDescriptorSize, 0x04);
    writeBytes(vendorHidDevice() / "report_descriptor", largest);
    platform::LinuxHidBackend backend(sys(), dev());
    std::vector<platform::HidNodeInfo> nodes;
    ASSERT_TRUE(backend.enumerate(nodes));
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[1].reportDescriptor, largest);
}

} // namespace
} // namespace morva
