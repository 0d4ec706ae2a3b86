#include "platform/hid_access_advice.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A system root of its own: the rules folders below it, the shipped rules file beside a fake
// program.
class AccessAdvice : public ::testing::Test {
protected:
    fs::path root() const { return dir_.path() / "root"; }
    fs::path shipped() const { return dir_.path() / "program/udev/70-morva.rules"; }
    platform::HidAccessSetup setup() const {
        return {shipped(), platform::udevRulesFolders(root())};
    }
    static void place(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "KERNEL==\"hidraw*\"\n";
    }

    test::TempDir dir_;
};

TEST_F(AccessAdvice, WithoutInstalledRulesItSaysWhereTheShippedRulesAreAndWhereTheyGo) {
    place(shipped());
    const std::string advice = platform::hidAccessAdvice("/dev/hidraw4", setup());
    EXPECT_TRUE(contains(advice, "Cannot open /dev/hidraw4: permission denied")) << advice;
    EXPECT_TRUE(contains(advice, "not installed")) << advice;
    EXPECT_TRUE(contains(advice, (root() / "etc/udev/rules.d").string())) << advice;
    EXPECT_TRUE(contains(advice, (root() / "lib/udev/rules.d").string())) << advice;
    EXPECT_TRUE(contains(advice, "They come with Morva: " + shipped().string())) << advice;
    EXPECT_TRUE(contains(advice, "sudo cp '" + shipped().string() + "' /etc/udev/rules.d/"))
        << advice;
    EXPECT_TRUE(contains(advice, "/usr/lib/udev/rules.d/")) << advice;
    EXPECT_TRUE(contains(advice, "udevadm control --reload && sudo udevadm trigger")) << advice;
    EXPECT_TRUE(contains(advice, "plug it in again")) << advice;
}

TEST_F(AccessAdvice, AShippedRulesFileThatIsMissingIsSaidToBe) {
    const std::string advice = platform::hidAccessAdvice("/dev/hidraw4", setup());
    EXPECT_TRUE(contains(advice, shipped().string() + ", which is missing")) << advice;
    EXPECT_FALSE(contains(advice, "They come with Morva:")) << advice;
}

struct InstalledCase {
    const char* name;
    const char* folder; // below the root
};

class InstalledRules : public AccessAdvice, public ::testing::WithParamInterface<InstalledCase> {};

TEST_P(InstalledRules, AreNamedAndOnlyTheirApplicationIsAdvised) {
    place(shipped());
    const fs::path installed = root() / GetParam().folder / "70-morva.rules";
    place(installed);
    const std::string advice = platform::hidAccessAdvice("/dev/hidraw7", setup());
    EXPECT_TRUE(contains(advice, "Cannot open /dev/hidraw7: permission denied")) << advice;
    EXPECT_TRUE(contains(advice, "are installed (" + installed.string() + ")")) << advice;
    EXPECT_TRUE(contains(advice, "udevadm control --reload && sudo udevadm trigger")) << advice;
    EXPECT_FALSE(contains(advice, "sudo cp")) << advice;
    EXPECT_FALSE(contains(advice, "not installed")) << advice;
}

INSTANTIATE_TEST_SUITE_P(AccessAdvice, InstalledRules,
                         ::testing::Values(InstalledCase{"ByTheAdministrator", "etc/udev/rules.d"},
                                           InstalledCase{"ForThisBoot", "run/udev/rules.d"},
                                           InstalledCase{"ByAPackage", "usr/lib/udev/rules.d"},
                                           InstalledCase{"ByAnOldPackage", "lib/udev/rules.d"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(AccessAdvice, AFolderInsteadOfTheRulesFileDoesNotCountAsInstalled) {
    fs::create_directories(root() / "etc/udev/rules.d/70-morva.rules");
    EXPECT_EQ(platform::findInstalledUdevRules(platform::udevRulesFolders(root())), std::nullopt);
}

} // namespace
} // namespace morva
