// Saves of profiles, profile lists, macros and gun patterns killed at random moments: after every
// kill each file is whole, in a version the saving program could have written, and the profile
// list agrees with the profile files.
//
// "Agree" follows the load path's repair rules. A listed profile without a readable file of its
// own identifier would be repaired from the default, losing the user's settings, so every listed
// profile must have one. A profile file that no list entry names (left by an add, copy or delete
// cut short) is harmless: the list is what the program shows, and such a file only comes back
// when a damaged list is made anew. Names may differ between list and file, as the list's name
// is the one shown. Leftover temporary files are allowed; the next profile operation removes
// them.
#include "base/file_io.h"
#include "base/json_file.h"
#include "macros/gun_files.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "profiles/list/profile_list.h"
#include "profiles/profile_document.h"
#include "tests/crash/crash_save_writes.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace morva::test::crash {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 60;
constexpr int kShortestRunMs = 3;
constexpr int kLongestRunMs = 120;

std::string contentOf(const fs::path& path) {
    return readRegularFile(path).content;
}

// Every version of every macro file and gun file the loop can write, as the program writes them.
struct KnownVersions {
    explicit KnownVersions(const fs::path& scratch) {
        for (int slot = 0; slot < kMacroSlots; ++slot) {
            for (int version = 0; version < kVersions; ++version) {
                EXPECT_EQ(macros::writeMacro(scratch, macroIdentifier(slot), macroName(slot),
                                             macroEvents(version)),
                          FileWriteStatus::Ok);
                macroFiles.insert(contentOf(macros::macroFilePath(scratch, macroIdentifier(slot))));
            }
        }
        for (int version = 0; version < kVersions; ++version) {
            Json::Value document;
            setGunVersion(document, version);
            EXPECT_TRUE(writejsonFile(scratch / "gun", document));
            gunFiles.insert(contentOf(scratch / "gun"));
        }
    }
    std::set<std::string> macroFiles;
    std::set<std::string> gunFiles;
};

pid_t startSaveLoop(const fs::path& folder, const fs::path& defaults, int firstStep) {
    const std::string step = std::to_string(firstStep);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(MORVA_CRASH_SAVE_LOOP, MORVA_CRASH_SAVE_LOOP, folder.c_str(), defaults.c_str(),
                step.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

void checkProfiles(const fs::path& folder) {
    const JsonReadResult read = readJsonDocument(folder / profiles::kProfileListFileName);
    // Killed before the first list was written, the list is made from the profile files.
    ASSERT_NE(read.status, JsonReadStatus::Unreadable);
    ASSERT_NE(read.status, JsonReadStatus::NotJson) << "the list file is not whole";
    const profiles::ProfileListContents list = profiles::readProfileListDocument(read.value);
    EXPECT_FALSE(list.skippedElements);
    EXPECT_TRUE(read.status == JsonReadStatus::Missing || !list.entries.empty());
    for (const profiles::ProfileEntry& entry : list.entries) {
        const profiles::ProfileRead profile =
            profiles::readProfileFile(folder / profiles::profileFileName(entry.identifier));
        EXPECT_FALSE(profile.broken) << entry.identifier;
        EXPECT_TRUE(profile.document.isObject())
            << "listed profile " << entry.identifier << " has no file";
        EXPECT_EQ(profile.document["profileUUID"].asString(), entry.identifier);
    }
    for (const auto& file : fs::directory_iterator(folder)) {
        if (file.path().extension() == profiles::kProfileFileExtension) {
            const profiles::ProfileRead profile = profiles::readProfileFile(file.path());
            EXPECT_TRUE(profile.document.isObject() && !profile.broken) << file.path();
        }
    }
}

void checkMacrosAndGuns(const fs::path& folder, const KnownVersions& known) {
    const fs::path listPath = macros::macroListPath(folder);
    if (fs::exists(listPath)) {
        ASSERT_EQ(readJsonDocument(listPath).status, JsonReadStatus::Ok) << "macro list not whole";
        for (const macros::MacroListEntry& entry : macros::readMacroList(folder)) {
            EXPECT_TRUE(fs::exists(macros::macroFilePath(folder, entry.identifier)))
                << "listed macro " << entry.identifier << " has no file";
        }
    }
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const fs::path path = macros::macroFilePath(folder, macroIdentifier(slot));
        if (fs::exists(path)) {
            EXPECT_TRUE(known.macroFiles.contains(contentOf(path))) << path << " is torn";
        }
    }
    for (int gun = 0; gun < macros::kGunCount; ++gun) {
        const fs::path path = macros::gunFilePath(folder, gun);
        if (fs::exists(path)) {
            EXPECT_TRUE(known.gunFiles.contains(contentOf(path))) << path << " is torn";
        }
    }
}

// The program's load path takes the folder as the kill left it without repairing anything.
void checkLoadNeedsNoRepair(const fs::path& folder, const fs::path& defaults) {
    if (!fs::exists(folder / profiles::kProfileListFileName)) {
        return;
    }
    profiles::ProfileList list(folder, defaults, 1);
    const profiles::ProfileResult loaded = list.load();
    EXPECT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.notice, profiles::ProfileNotice::None);
}

TEST(CrashSafety, SavesKilledAtRandomLeaveEveryFileWholeAndTheListAgreeing) {
    const fs::path root = fs::temp_directory_path() / ("morva-crash-" + std::to_string(::getpid()));
    const fs::path folder = root / "keyboard";
    const fs::path scratch = root / "scratch";
    fs::create_directories(folder);
    fs::create_directories(scratch);
    const fs::path defaults = fs::path(MORVA_RUNTIME_DIR) / "DefaultData" / "keyboard.Json";
    const KnownVersions known(scratch);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> runMs(kShortestRunMs, kLongestRunMs);
    for (int kill = 0; kill < kKills && !HasFatalFailure(); ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        const pid_t pid = startSaveLoop(folder, defaults, kill);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(runMs(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself: " << status;
        checkProfiles(folder);
        checkMacrosAndGuns(folder, known);
    }
    checkLoadNeedsNoRepair(folder, defaults);
    // The loop got far enough to have saved every kind of file.
    EXPECT_TRUE(fs::exists(macros::macroListPath(folder)));
    EXPECT_TRUE(fs::exists(macros::gunFilePath(folder, 0)));
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

} // namespace
} // namespace morva::test::crash
