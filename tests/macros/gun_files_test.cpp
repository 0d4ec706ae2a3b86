#include "macros/gun_files.h"
#include "tests/profiles/profile_test_support.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace morva {
namespace {

// A mouse's data folder and a default folder with factory files that tell their gun.
class GunFilesTest : public ::testing::Test {
protected:
    GunFilesTest() {
        std::filesystem::create_directories(data());
        std::filesystem::create_directories(defaults());
        for (int gun = 0; gun < 4; ++gun) {
            test::writeText(macros::gunFilePath(defaults(), gun), factoryText(gun));
        }
    }
    std::filesystem::path data() const { return temp.path() / "mouse"; }
    std::filesystem::path defaults() const { return temp.path() / "DefaultData"; }
    static std::string factoryText(int gun) {
        return "// factory\n{\"Events\": [], \"Gun\": " + std::to_string(gun) + "}\n";
    }
    std::string dataText(int gun) const { return test::readText(macros::gunFilePath(data(), gun)); }

    test::TempDir temp;
};

TEST_F(GunFilesTest, NamesAreShootDataWithTheGunNumber) {
    EXPECT_EQ(macros::gunFilePath("/folder", 2),
              std::filesystem::path("/folder/ShootData_2.Shoot"));
}

TEST_F(GunFilesTest, MissingAndUnreadableGunsGetTheirFactoryFileAndOthersStay) {
    const std::string mine = R"({"Events": [{"Type": 1}]})";
    test::writeText(macros::gunFilePath(data(), 0), mine);
    test::writeText(macros::gunFilePath(data(), 1), "{ damaged");
    test::writeText(macros::gunFilePath(data(), 3), "");
    macros::restoreMissingGunFiles(data(), defaults());
    EXPECT_EQ(dataText(0), mine);
    for (const int gun : {1, 2, 3}) {
        EXPECT_EQ(dataText(gun), factoryText(gun)) << "gun " << gun << ", copied unchanged";
    }
    EXPECT_EQ(macros::readGunDocuments(data())[2]["Gun"], 2);
}

TEST_F(GunFilesTest, WithoutAFactoryFileAMissingGunIsMadeEmpty) {
    std::filesystem::remove(macros::gunFilePath(defaults(), 2));
    macros::restoreMissingGunFiles(data(), defaults());
    ASSERT_TRUE(std::filesystem::exists(macros::gunFilePath(data(), 2)));
    EXPECT_EQ(dataText(2), "");
    EXPECT_TRUE(macros::readGunDocument(data(), 2).isNull());
}

TEST_F(GunFilesTest, AResetWithoutAFactoryFileLeavesTheGunAsItWas) {
    test::writeText(macros::gunFilePath(data(), 1), "{}");
    std::filesystem::remove(macros::gunFilePath(defaults(), 1));
    EXPECT_FALSE(macros::restoreGunFile(data(), defaults(), 1));
    EXPECT_EQ(dataText(1), "{}");
    EXPECT_TRUE(macros::restoreGunFile(data(), defaults(), 0));
    EXPECT_EQ(dataText(0), factoryText(0));
}

} // namespace
} // namespace morva
