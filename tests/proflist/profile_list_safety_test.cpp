// The profile list against damaged files, other programs changing the folder, and writes that fail.
#include "base/folder_lock.h"
#include "base/write_protection.h"
#include "profile_list_fixture.h"

#include <algorithm>
#include <csignal>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morva {
namespace {

using namespace test_profiles;
namespace fs = std::filesystem;

std::vector<std::string> filesEndingIn(const fs::path& folder, std::string_view ending) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= ending.size() && name.ends_with(ending)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// ---- a list file that cannot be read ----

struct DamagedListCase {
    const char* what;
    std::string text;
};
void PrintTo(const DamagedListCase& c, std::ostream* os) {
    *os << c.what;
}

class DamagedProfileList : public ProfileListTest,
                           public testing::WithParamInterface<DamagedListCase> {};

TEST_P(DamagedProfileList, IsKeptAsBadAndRebuiltFromTheProfileFiles) {
    // Three profiles on disk, made in the order b, a, c (identifiers are creation times).
    const std::vector<profiles::ProfileEntry> onDisk = {{"Game", "2020_01_01_00_00_00_002"},
                                                        {"Work", "2020_01_01_00_00_00_001"},
                                                        {"Night", "2020_01_01_00_00_00_003"}};
    for (const profiles::ProfileEntry& entry : onDisk) {
        Json::Value profile;
        profile["profilename"] = entry.name;
        profile["profileUUID"] = entry.identifier;
        ASSERT_TRUE(writejsonFile(folder / (entry.identifier + ".Json"), profile));
    }
    writeText(listPath(), GetParam().text);

    profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
    const profiles::ProfileResult loaded = list.load();

    ASSERT_TRUE(loaded.ok()) << profiles::describeProfileStatus(loaded.status);
    EXPECT_EQ(loaded.notice, profiles::ProfileNotice::ListRebuilt);
    const std::vector<profiles::ProfileEntry> expected = {onDisk[1], onDisk[0], onDisk[2]};
    EXPECT_EQ(list.entries(), expected);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(listedEntries(listFile()), expected);
    EXPECT_EQ(listFile()["profileselect"], 0);
    if (!GetParam().text.empty()) {
        EXPECT_EQ(fileText(folder / "ProfileList.ini.bad"), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedProfileList,
    testing::Values(DamagedListCase{"Empty", ""},
                    DamagedListCase{"Truncated", R"({"profilelist": [{"profilename": "Ga)"},
                    DamagedListCase{"Binary", std::string("\x00\x01\xff\xfe", 4)},
                    DamagedListCase{"WrongType", R"({"profilelist": "Game", "profileselect": 0})"},
                    DamagedListCase{"ArrayRoot", R"([{"profilename": "Game"}])"},
                    DamagedListCase{"Deep", std::string(4000, '[') + std::string(4000, ']')}),
    caseName<DamagedListCase>);

TEST_F(ProfileListTest, RebuiltListGivesDuplicateAndMissingNamesTheirOwn) {
    writeText(folder / "2020_01_01_00_00_00_001.Json", R"({"profilename": "Game"})");
    writeText(folder / "2020_01_01_00_00_00_002.Json", R"({"profilename": "GAME"})");
    writeText(folder / "2020_01_01_00_00_00_003.Json", "{ damaged");
    writeText(folder / "notes.txt", "not a profile");
    writeText(listPath(), "{");

    profiles::ProfileList list = loaded();
    EXPECT_EQ(namesOf(list.entries()),
              (std::vector<std::string>{"Game", "GAME(1)", "2020_01_01_00_00_00_003"}));
}

TEST_F(ProfileListTest, OnlyAFolderWithoutProfilesStartsOverWithProfile1) {
    writeText(listPath(), "garbage");
    profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
    const profiles::ProfileResult loaded = list.load();
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.notice, profiles::ProfileNotice::ListRebuilt);
    EXPECT_EQ(namesOf(list.entries()), (std::vector<std::string>{"profile1"}));
    EXPECT_EQ(fileText(folder / "ProfileList.ini.bad"), "garbage");
}

TEST_F(ProfileListTest, AFifoInPlaceOfTheListDoesNotBlock) {
    seed({"a"}, 0);
    fs::remove(listPath());
    ASSERT_EQ(::mkfifo(listPath().c_str(), 0600), 0);
    profiles::ProfileList list = loaded();
    EXPECT_EQ(namesOf(list.entries()), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(fs::is_regular_file(listPath()));
}

// ---- damaged profile files ----

TEST_F(ProfileListTest, RenameAndCopyOfADamagedProfileKeepItAsBadAndSaySo) {
    seed({"a"}, 0);
    profiles::ProfileList list = loaded();
    writeText(folder / "id0.Json", "{ damaged");

    const profiles::ProfileResult copied = list.copySelected();
    ASSERT_TRUE(copied.ok());
    EXPECT_EQ(copied.notice, profiles::ProfileNotice::ProfileRepaired);
    Json::Value expected = defaultProfile();
    expected["profilename"] = "a copy";
    expected["profileUUID"] = list.entries()[1].identifier;
    EXPECT_EQ(profileFile(list.entries()[1].identifier), expected);
    EXPECT_EQ(fileText(folder / "id0.Json.bad"), "{ damaged");

    const profiles::ProfileResult renamed = list.renameSelected("b");
    ASSERT_TRUE(renamed.ok());
    EXPECT_EQ(renamed.notice, profiles::ProfileNotice::ProfileRepaired);
    expected["profilename"] = "b";
    expected["profileUUID"] = "id0";
    EXPECT_EQ(profileFile("id0"), expected) << "repaired from the default, not a two-key stub";
    EXPECT_EQ(fileText(folder / "id0.Json.bad"), "{ damaged");
}

// ---- other programs change the folder ----

TEST_F(ProfileListTest, EveryOperationSeesWhatAnotherProgramChanged) {
    seed({"a", "b"}, 0);
    profiles::ProfileList mine = loaded();
    profiles::ProfileList theirs = loaded();
    ASSERT_TRUE(theirs.add().ok());
    ASSERT_TRUE(theirs.select(1).ok());
    ASSERT_TRUE(theirs.renameSelected("B2").ok());

    ASSERT_TRUE(mine.copySelected().ok());
    EXPECT_EQ(namesOf(mine.entries()), (std::vector<std::string>{"a", "B2", "profile1", "a copy"}));
    EXPECT_EQ(listedEntries(listFile()), mine.entries());
    for (const profiles::ProfileEntry& entry : mine.entries()) {
        EXPECT_TRUE(fs::exists(folder / (entry.identifier + ".Json"))) << entry.name;
    }
    // My selection is still my profile, although the stored choice is theirs.
    EXPECT_EQ(mine.selectedIdentifier(), "id0");
}

TEST_F(ProfileListTest, SelectionFollowsItsProfileAndMovesWhenItIsDeletedElsewhere) {
    seed({"a", "b", "c"}, 2);
    profiles::ProfileList mine = loaded();
    profiles::ProfileList theirs = loaded();
    ASSERT_TRUE(theirs.select(0).ok());
    ASSERT_TRUE(theirs.deleteSelected().ok()); // "a" goes: "c" moves up to index 1

    profiles::ProfileResult refreshed = mine.refresh();
    EXPECT_EQ(mine.selectedIdentifier(), "id2");
    EXPECT_EQ(mine.selectedIndex(), 1);
    EXPECT_FALSE(refreshed.selectionMoved);

    ASSERT_TRUE(theirs.select(1).ok());
    ASSERT_TRUE(theirs.deleteSelected().ok()); // now "c" goes, "b" is stored as selected
    refreshed = mine.refresh();
    EXPECT_TRUE(refreshed.selectionMoved);
    EXPECT_EQ(mine.selectedIdentifier(), "id1");
}

TEST_F(ProfileListTest, OperationsOnASelectedProfileDeletedElsewhereAreRefused) {
    using Operation = std::function<profiles::ProfileResult(profiles::ProfileList&)>;
    const std::vector<std::pair<const char*, Operation>> operations = {
        {"copy",
         [](profiles::ProfileList& l) {
             return l.copySelected();
         }},
        {"rename",
         [](profiles::ProfileList& l) {
             return l.renameSelected("new");
         }},
        {"reset",
         [](profiles::ProfileList& l) {
             return l.resetSelected();
         }},
        {"delete",
         [](profiles::ProfileList& l) {
             return l.deleteSelected();
         }},
        {"export",
         [this](profiles::ProfileList& l) {
             return l.exportTo(dir.path() / "out.json");
         }},
    };
    for (const auto& [what, operation] : operations) {
        seed({"a", "b"}, 1);
        profiles::ProfileList mine = loaded();
        profiles::ProfileList theirs = loaded();
        ASSERT_TRUE(theirs.deleteSelected().ok());
        const std::string listBefore = fileText(listPath());

        const profiles::ProfileResult done = operation(mine);
        EXPECT_EQ(done.status, profiles::ProfileStatus::ProfileGone) << what;
        EXPECT_TRUE(done.selectionMoved) << what;
        EXPECT_EQ(mine.selectedIdentifier(), "id0") << what;
        EXPECT_EQ(fileText(listPath()), listBefore) << what;
        EXPECT_EQ(profileFile("id0")["profilename"], "a") << what;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "out.json"));
}

TEST_F(ProfileListTest, ChoosingAProfileAnotherProgramDeletedIsRefused) {
    seed({"a", "b"}, 0);
    profiles::ProfileList mine = loaded();
    profiles::ProfileList theirs = loaded();
    ASSERT_TRUE(theirs.select(1).ok());
    ASSERT_TRUE(theirs.deleteSelected().ok());

    EXPECT_EQ(mine.select(1).status, profiles::ProfileStatus::ProfileGone);
    EXPECT_EQ(mine.selectedIdentifier(), "id0");
    EXPECT_EQ(namesOf(mine.entries()), (std::vector<std::string>{"a"}));
}

TEST_F(ProfileListTest, TwoProcessesCopyingAtOnceLoseNothing) {
    seed({"a"}, 0);
    constexpr int kCopiesEach = 20;
    // Both processes see the same instant, so they want the same identifiers all the time.
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
            int failures = list.load().ok() ? 0 : 1;
            for (int i = 0; i < kCopiesEach; ++i) {
                failures += list.copySelected().ok() ? 0 : 1;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    profiles::ProfileList list = loaded();
    EXPECT_EQ(list.size(), 1 + 2 * kCopiesEach);
    EXPECT_EQ(filesEndingIn(folder, ".Json").size(), static_cast<size_t>(1 + 2 * kCopiesEach));
    std::set<std::string> identifiers;
    for (const profiles::ProfileEntry& entry : list.entries()) {
        identifiers.insert(entry.identifier);
        EXPECT_EQ(profileFile(entry.identifier)["profilename"], entry.name);
    }
    EXPECT_EQ(identifiers.size(), list.entries().size());
}

// ---- writes that fail ----

// Makes the kernel refuse writes past a few bytes, as a full disk would, while it lives.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved_;
        limited.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    struct rlimit saved_ {};
    void (*previous_)(int) = nullptr;
};

TEST_F(ProfileListTest, AFirstStartOnAFullDiskLeavesNoListNamingAMissingFile) {
    profiles::ProfileList list(folder, defaultPath, kKeyboard, clock);
    profiles::ProfileResult loaded;
    {
        const FullDisk full;
        loaded = list.load();
    }
    EXPECT_EQ(loaded.status, profiles::ProfileStatus::WriteFailed);
    EXPECT_FALSE(fs::exists(listPath()));
    EXPECT_TRUE(filesEndingIn(folder, ".Json").empty());
    EXPECT_TRUE(list.load().ok()) << "the next start with room works";
}

TEST_F(ProfileListTest, OperationsOnAFullDiskLeaveTheFilesAsTheyWere) {
    seed({"a", "b"}, 0);
    profiles::ProfileList list = loaded();
    const std::string listBefore = fileText(listPath());
    const std::string profileBefore = fileText(folder / "id0.Json");
    {
        const FullDisk full;
        EXPECT_EQ(list.add().status, profiles::ProfileStatus::WriteFailed);
        EXPECT_EQ(list.copySelected().status, profiles::ProfileStatus::WriteFailed);
        EXPECT_EQ(list.renameSelected("c").status, profiles::ProfileStatus::WriteFailed);
        EXPECT_EQ(list.resetSelected().status, profiles::ProfileStatus::WriteFailed);
        EXPECT_EQ(list.deleteSelected().status, profiles::ProfileStatus::WriteFailed);
    }
    EXPECT_EQ(fileText(listPath()), listBefore);
    EXPECT_EQ(fileText(folder / "id0.Json"), profileBefore);
    EXPECT_EQ(filesEndingIn(folder, ".Json"), (std::vector<std::string>{"id0.Json", "id1.Json"}));
    EXPECT_EQ(namesOf(list.entries()), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ProfileListTest, ReadOnlyFilesAreRespectedAndRenameIsUndoneWhole) {
    seed({"a", "b"}, 0);
    profiles::ProfileList list = loaded();
    const std::string profileBefore = fileText(folder / "id0.Json");

    // A read-only list: the profile file was renamed first and is put back.
    ASSERT_EQ(::chmod(listPath().c_str(), 0444), 0);
    EXPECT_EQ(list.renameSelected("c").status, profiles::ProfileStatus::ReadOnly);
    EXPECT_EQ(fileText(folder / "id0.Json"), profileBefore);
    EXPECT_EQ(list.add().status, profiles::ProfileStatus::ReadOnly);
    EXPECT_EQ(filesEndingIn(folder, ".Json"), (std::vector<std::string>{"id0.Json", "id1.Json"}));
    struct stat info {};
    ASSERT_EQ(::stat(listPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u) << "never made writable behind the user's back";
    ASSERT_EQ(::chmod(listPath().c_str(), 0644), 0);

    // A read-only profile: nothing changes at all.
    ASSERT_EQ(::chmod((folder / "id0.Json").c_str(), 0444), 0);
    const std::string listBefore = fileText(listPath());
    EXPECT_EQ(list.renameSelected("c").status, profiles::ProfileStatus::ReadOnly);
    EXPECT_EQ(list.resetSelected().status, profiles::ProfileStatus::ReadOnly);
    EXPECT_EQ(fileText(listPath()), listBefore);
    EXPECT_EQ(fileText(folder / "id0.Json"), profileBefore);
    EXPECT_STREQ(profiles::profileStatusMessageKey(profiles::ProfileStatus::ReadOnly),
                 "message_text_profile_read_only");
}

TEST_F(ProfileListTest, TemporaryFilesOfInterruptedWritesGoAtTheNextOperation) {
    seed({"a"}, 0);
    writeText(folder / "ProfileList.ini.tmp-Ab12Cd", "half a li");
    writeText(folder / "id0.Json.tmp-000000", "{");
    profiles::ProfileList list = loaded();
    EXPECT_TRUE(filesEndingIn(folder, "Ab12Cd").empty());
    EXPECT_TRUE(filesEndingIn(folder, "000000").empty());
    EXPECT_EQ(namesOf(list.entries()), (std::vector<std::string>{"a"}));
}

TEST_F(ProfileListTest, ExportIntoTheProgramFolderIsRefused) {
    seed({"a"}, 0);
    profiles::ProfileList list = loaded();
    const fs::path program = dir.path() / "program";
    fs::create_directories(program / "DefaultData");
    protectFolderFromWrites(program);
    for (const fs::path& target :
         {program / "DefaultData" / "keyboard.Json", program / "mine.json"}) {
        EXPECT_EQ(list.exportTo(target).status, profiles::ProfileStatus::ProtectedTarget) << target;
        EXPECT_FALSE(fs::exists(target)) << target;
    }
    EXPECT_STREQ(profiles::profileStatusMessageKey(profiles::ProfileStatus::ProtectedTarget),
                 "message_text_profile_protected");
}

TEST_F(ProfileListTest, AnotherProgramHoldingTheLockMakesOperationsBusyNotBroken) {
    seed({"a"}, 0);
    profiles::ProfileList list = loaded();
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const FolderLock lock(folder);
        const char held = lock.locked() ? 'y' : 'n';
        (void)!::write(locked[1], &held, 1);
        ::pause(); // until the test kills it
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(locked[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    EXPECT_EQ(list.add().status, profiles::ProfileStatus::Busy);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(locked[0]);
    ::close(locked[1]);
    EXPECT_TRUE(list.add().ok());
}

// ---- names in any script ----

TEST_F(ProfileListTest, NamesCompareIgnoringCaseInAnyScript) {
    seed({"Été", "b"}, 1);
    profiles::ProfileList list = loaded();
    EXPECT_EQ(list.renameSelected("éTÉ").status, profiles::ProfileStatus::NameInUse);
    EXPECT_EQ(list.renameSelected("ΣΟΦΊΑ").status, profiles::ProfileStatus::Ok);
    ASSERT_TRUE(list.select(0).ok());
    EXPECT_EQ(list.renameSelected("σοφία").status, profiles::ProfileStatus::NameInUse);
}

} // namespace
} // namespace morva
