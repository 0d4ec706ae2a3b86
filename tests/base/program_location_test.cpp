#include "base/program_location.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

void putMarker(const fs::path& folder) {
    fs::create_directories(folder);
    std::ofstream(folder / kShippedFilesMarker) << "{}";
}

struct LayoutCase {
    const char* name;
    bool besideExecutable; // the build tree: resources laid out beside the programs
    bool installedLayout;  // <prefix>/bin and <prefix>/share/morva
    const char* expected;  // relative to the prefix
};

class ShippedFilesFolder : public testing::TestWithParam<LayoutCase> {};

TEST_P(ShippedFilesFolder, IsFoundFromTheExecutablesFolder) {
    const LayoutCase& layout = GetParam();
    test::TempDir prefix;
    const fs::path bin = prefix.path() / "bin";
    fs::create_directories(bin);
    if (layout.besideExecutable) {
        putMarker(bin);
    }
    if (layout.installedLayout) {
        putMarker(prefix.path() / "share" / "morva");
    }
    EXPECT_EQ(shippedFilesFolderFor(bin), prefix.path() / layout.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ShippedFilesFolder,
    testing::Values(LayoutCase{"BuildTree", true, false, "bin"},
                    LayoutCase{"Installed", false, true, "share/morva"},
                    LayoutCase{"BuildTreeWinsOverAnInstallationBelow", true, true, "bin"},
                    LayoutCase{"NeitherFallsBackToTheExecutable", false, false, "bin"}),
    [](const testing::TestParamInfo<LayoutCase>& layout) {
        return std::string(layout.param.name);
    });

TEST(ShippedFilesFolder, AFolderNamedLikeTheMarkerDoesNotCount) {
    test::TempDir prefix;
    const fs::path bin = prefix.path() / "bin";
    fs::create_directories(bin / kShippedFilesMarker);
    putMarker(prefix.path() / "share" / "morva");
    EXPECT_EQ(shippedFilesFolderFor(bin), prefix.path() / "share" / "morva");
}

TEST(ShippedFilesFolder, OfThisTestIsItsBuildFolder) {
    // The test runs from the build tree, where the resources lie beside the executables.
    EXPECT_EQ(executableFolder(), fs::path(MORVA_RUNTIME_DIR));
    EXPECT_EQ(shippedFilesFolder(), fs::path(MORVA_RUNTIME_DIR));
}

} // namespace
} // namespace morva
