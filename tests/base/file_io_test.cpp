#include "base/file_io.h"
#include "base/folder_lock.h"
#include "base/write_protection.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 0777;
}

class FileIoTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(FileIoTest, ReadsOnlyRegularFilesWithinTheLimit) {
    const fs::path file = dir.path() / "a.json";
    writeText(file, "0123456789");
    EXPECT_EQ(readRegularFile(file).content, "0123456789");
    EXPECT_EQ(readRegularFile(file, 10).status, FileReadStatus::Ok);
    EXPECT_EQ(readRegularFile(file, 9).status, FileReadStatus::TooLarge);
    EXPECT_EQ(readRegularFile(dir.path() / "none").status, FileReadStatus::Missing);
    EXPECT_EQ(readRegularFile(dir.path()).status, FileReadStatus::NotRegular);
}

TEST_F(FileIoTest, ReplaceLeavesReadOnlyFilesAloneAndKeepsPermissions) {
    const fs::path readOnly = dir.path() / "locked.Json";
    writeText(readOnly, "mine");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(replaceFileAtomically(readOnly, "other"), FileWriteStatus::ReadOnly);
    EXPECT_EQ(fileText(readOnly), "mine");
    EXPECT_EQ(modeOf(readOnly), 0444u) << "a read-only file is never made writable";

    const fs::path privateFile = dir.path() / "private.Json";
    writeText(privateFile, "old");
    ASSERT_EQ(::chmod(privateFile.c_str(), 0600), 0);
    EXPECT_EQ(replaceFileAtomically(privateFile, "new"), FileWriteStatus::Ok);
    EXPECT_EQ(fileText(privateFile), "new");
    EXPECT_EQ(modeOf(privateFile), 0600u);
}

TEST_F(FileIoTest, CreateNeverReplacesAnExistingName) {
    const fs::path path = dir.path() / "2021_03_07_08_15_42_007.Json";
    EXPECT_EQ(createFileAtomically(path, "first"), FileWriteStatus::Ok);
    EXPECT_EQ(createFileAtomically(path, "second"), FileWriteStatus::Exists);
    EXPECT_EQ(fileText(path), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1)
        << "no temporary file is left behind";
}

TEST_F(FileIoTest, ProtectedFoldersAreNeverWritten) {
    const fs::path program = dir.path() / "program";
    fs::create_directories(program / "DefaultData");
    writeText(program / "DefaultData" / "mouse.Json", "shipped");
    protectFolderFromWrites(program);

    for (const fs::path& target : {program / "DefaultData" / "mouse.Json", program / "new.json",
                                   dir.path() / "elsewhere" / ".." / "program" / "x.json"}) {
        EXPECT_TRUE(isWriteProtected(target)) << target;
        EXPECT_EQ(replaceFileAtomically(target, "changed"), FileWriteStatus::Protected) << target;
        EXPECT_EQ(createFileAtomically(target, "changed"), FileWriteStatus::Protected) << target;
    }
    EXPECT_EQ(fileText(program / "DefaultData" / "mouse.Json"), "shipped");
    EXPECT_FALSE(fs::exists(program / "new.json"));
    EXPECT_FALSE(isWriteProtected(dir.path() / "programs" / "x.json"));
    EXPECT_FALSE(isWriteProtected(dir.path() / "x.json"));
}

TEST_F(FileIoTest, TemporaryFilesOfInterruptedWritesAreRecognisedAndRemoved) {
    struct Case {
        const char* name;
        bool temporary;
    };
    const Case cases[] = {
        {"ProfileList.ini.tmp-a1B2c3", true}, {"2021_03_07_08_15_42_007.Json.tmp-XXXXXX", true},
        {"ProfileList.ini", false},           {".tmp-abcdef", false},
        {"profile.tmp-abc", false},           {"profile.tmp-abcdefg", false},
        {"profile.tmp-ab_def", false},        {"profile.Json.bad", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isTemporaryWriteFileName(c.name), c.temporary) << c.name;
        writeText(dir.path() / c.name, "x");
    }
    EXPECT_EQ(removeTemporaryWriteFiles(dir.path()), 2);
    for (const Case& c : cases) {
        EXPECT_EQ(fs::exists(dir.path() / c.name), !c.temporary) << c.name;
    }
}

TEST_F(FileIoTest, BrokenFileCopyKeepsTheBytesAndTheOriginal) {
    const fs::path path = dir.path() / "ProfileList.ini";
    writeText(path, "{ broken");
    writeText(dir.path() / "ProfileList.ini.bad", "older copy");
    ASSERT_TRUE(keepBrokenFileCopy(path));
    EXPECT_EQ(fileText(dir.path() / "ProfileList.ini.bad"), "{ broken");
    EXPECT_EQ(fileText(path), "{ broken");
    // Replacing the original afterwards leaves the copy as it was.
    ASSERT_EQ(replaceFileAtomically(path, "repaired"), FileWriteStatus::Ok);
    EXPECT_EQ(fileText(dir.path() / "ProfileList.ini.bad"), "{ broken");
}

TEST_F(FileIoTest, FolderLockExcludesASecondHolderUntilReleased) {
    using std::chrono::milliseconds;
    {
        const FolderLock first(dir.path());
        ASSERT_TRUE(first.locked());
        // flock belongs to the open folder, so a second open conflicts even in one process,
        // as a second program would.
        const FolderLock second(dir.path(), milliseconds(30));
        EXPECT_FALSE(second.locked());
        EXPECT_TRUE(second.busy());
    }
    const FolderLock again(dir.path(), milliseconds(30));
    EXPECT_TRUE(again.locked());

    const FolderLock missing(dir.path() / "none", milliseconds(30));
    EXPECT_FALSE(missing.locked());
    EXPECT_FALSE(missing.busy());
}

} // namespace
} // namespace morva
