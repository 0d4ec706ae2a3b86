#include "hid/hid_path.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

struct PathCase {
    const wchar_t* path;
    uint16_t vendor;
    uint16_t product;
    uint16_t interfaceNumber;
    uint16_t collection;
};

class PathParsing : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParsing, ReadsEachMarkerAsHexUpToTheFirstNonDigit) {
    const PathCase& c = GetParam();
    EXPECT_EQ(hid::parseVendorId(c.path), c.vendor);
    EXPECT_EQ(hid::parseProductId(c.path), c.product);
    EXPECT_EQ(hid::parseInterfaceNumber(c.path), c.interfaceNumber);
    EXPECT_EQ(hid::parseCollectionNumber(c.path), c.collection);
}

INSTANTIATE_TEST_SUITE_P(
    HidPaths, PathParsing,
    ::testing::Values(
        // The keyboard's vendor collection.
        PathCase{L"\\\\?\\hid#vid_0c45&pid_8501&mi_01&col04#7&1a2b&0&0003#{4d1e55b2}", 0x0C45,
                 0x8501, 1, 4},
        // No interface and no collection part: both read as 0.
        PathCase{L"\\\\?\\hid#vid_046d&pid_c077#6&2b3c#{4d1e55b2}", 0x046D, 0xC077, 0, 0},
        // Markers in upper case parse the same.
        PathCase{L"\\\\?\\HID#VID_0C45&PID_8501&MI_01&COL03#7&1A2B", 0x0C45, 0x8501, 1, 3},
        // Our own paths.
        PathCase{L"/dev/hidraw3#vid_0c45&pid_8501&mi_01&col04#0003:0C45:8501.0007", 0x0C45, 0x8501,
                 1, 4},
        PathCase{L"emulated/2/3#vid_0000&pid_0000&mi_03#emulated-device-2", 0, 0, 3, 0},
        // A marker with no digit after it reads as 0; a marker missing entirely too.
        PathCase{L"vid_&pid_zz&mi_", 0, 0, 0, 0}, PathCase{L"", 0, 0, 0, 0},
        // More than four digits: only the low 16 bits are kept.
        PathCase{L"vid_10c45&pid_8501", 0x0C45, 0x8501, 0, 0},
        // The first occurrence of a marker counts.
        PathCase{L"x&col02&col05", 0, 0, 0, 2}));

TEST(HidPaths, FormattedPathsParseBackAndSplitIntoNodeAndInstance) {
    const std::wstring path =
        hid::formatHidPath({"/dev/hidraw12", "0003:0C45:8501.0007", 0x0C45, 0x8501, 1, 4});
    EXPECT_EQ(path, L"/dev/hidraw12#vid_0c45&pid_8501&mi_01&col04#0003:0C45:8501.0007");
    std::string node;
    std::string instance;
    ASSERT_TRUE(hid::splitHidPath(path, node, instance));
    EXPECT_EQ(node, "/dev/hidraw12");
    EXPECT_EQ(instance, "0003:0C45:8501.0007");
    EXPECT_EQ(hid::formatHidPath({"bt", "i", 1, 2, -1, 0}), L"bt#vid_0001&pid_0002#i")
        << "no interface number and a single collection leave both parts out";
    EXPECT_FALSE(hid::splitHidPath(L"/dev/hidraw3", node, instance));
    EXPECT_FALSE(hid::splitHidPath(L"#vid_0001#x", node, instance));
}

} // namespace
} // namespace morva
