#include "base/json_file.h"
#include "update/check_date.h"
#include "update/update_list.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace morva::update::test {
namespace {

namespace fs = std::filesystem;

UpdateEntry device(std::string name, uint32_t version) {
    return {.kind = 1,
            .installedVersion = version,
            .modelCode = "K1",
            .name = std::move(name),
            .versionText = ""};
}
UpdateEntry keyboard(uint32_t version) {
    return device("keyboard", version);
}
UpdateEntry application(std::string text) {
    return {.kind = 0,
            .installedVersion = 1,
            .modelCode = "ALL",
            .name = "Morva",
            .versionText = std::move(text)};
}

TEST(UpdateCheck, ARowIsOfferedANewerVersionOnly) {
    struct Case {
        const char* label;
        UpdateEntry entry;
        OfferedVersion offer;
        RowState state;
        const char* installed;
        const char* offered;
    };
    const Case cases[] = {
        {"firmware 0105 vs 106",
         keyboard(0x0105),
         {"keyboard", "106", ""},
         RowState::Offered,
         "V0105",
         "V106"},
        {"firmware 0105 vs 105",
         keyboard(0x0105),
         {"keyboard", "105", ""},
         RowState::UpToDate,
         "V0105",
         ""},
        {"any letter case",
         keyboard(0x0105),
         {"KeyBoard", "200", ""},
         RowState::Offered,
         "V0105",
         "V200"},
        {"another device", keyboard(0x0105), {"mouse", "200", ""}, RowState::UpToDate, "V0105", ""},
        {"the application reads as 0",
         application("V0.1.0.0"),
         {"ap", "1", ""},
         RowState::Offered,
         "V0.1.0.0",
         "V1"},
    };
    for (const Case& c : cases) {
        UpdateList list({c.entry}, "/pkg");
        list.check({c.offer});
        ASSERT_EQ(list.rows().size(), 1u) << c.label;
        const UpdateRow& row = list.rows()[0];
        EXPECT_EQ(row.state, c.state) << c.label;
        EXPECT_EQ(row.installedText, c.installed) << c.label;
        EXPECT_EQ(row.offeredText, c.offered) << c.label;
        EXPECT_EQ(row.checked, c.state == RowState::Offered) << c.label;
        EXPECT_EQ(list.status(),
                  c.state == RowState::Offered ? OverallStatus::Offered : OverallStatus::UpToDate)
            << c.label;
    }
}

TEST(UpdateCheck, TheApplicationIsLookedUpAsAPAndRunsItsOwnUpdaterAfterwards) {
    UpdateList list({application("V1.0.0.0")}, "/pkg");
    EXPECT_EQ(list.rows()[0].name, "AP");
    list.check({});
    EXPECT_EQ(list.rows()[0].name, "Morva");
    EXPECT_EQ(list.rows()[0].runNowProgram.filename(), "AP");
    EXPECT_EQ(list.rows()[0].updaterProgram.filename(), "Morva");
}

TEST(UpdateCheck, NoEntryMeansAnEmptyListAndNoOfferMeansUpToDate) {
    UpdateList empty({keyboard(0)}, "/pkg"); // a version of 0 does not reach the list
    empty.check({});
    EXPECT_TRUE(empty.rows().empty());
    EXPECT_EQ(statusText(empty.status()), "NoUpdateInfoText");

    UpdateList list({keyboard(0x0105)}, "/pkg");
    EXPECT_EQ(list.status(), OverallStatus::Checking);
    list.check(readVersionFile("/nonexistent/FWVerInfo.Ver"));
    EXPECT_EQ(list.rows()[0].state, RowState::UpToDate);
    EXPECT_EQ(statusText(list.status()), "UpdateIsLastText");
}

TEST(UpdateBatch, ARowGoesFromOfferedThroughDownloadAndUpdaterToUpToDate) {
    UpdateList list({keyboard(0x0105)}, "/pkg");
    list.check({{"keyboard", "106", "http://example.invalid/keyboard"}});
    ASSERT_TRUE(list.startBatch());
    EXPECT_EQ(list.rows()[0].state, RowState::Waiting);
    EXPECT_FALSE(list.mayClose());

    ASSERT_EQ(list.nextDownload(), 0u);
    list.downloadStarted(0);
    EXPECT_EQ(list.status(), OverallStatus::Busy);
    list.downloadProgress(0, 2500, 1000);
    EXPECT_EQ(list.rows()[0].percent, 40);
    EXPECT_EQ(list.rows()[0].state, RowState::Downloading);
    list.downloadProgress(0, 2500, 2500);
    EXPECT_EQ(list.rows()[0].state, RowState::Downloaded);
    EXPECT_FALSE(list.nextDownload());

    ASSERT_EQ(list.nextInstall(), 0u);
    list.installStarted(0);
    EXPECT_FALSE(list.nextInstall()) << "one updater at a time";
    list.updaterProgress(4, 55);
    EXPECT_EQ(list.rows()[0].percent, 55);
    EXPECT_FALSE(list.mayClose());
    list.updaterProgress(1, 0);
    EXPECT_EQ(list.rows()[0].state, RowState::UpToDate);
    EXPECT_EQ(list.rows()[0].installedText, "V106");
    EXPECT_EQ(list.rows()[0].offeredText, "");
    EXPECT_FALSE(list.rows()[0].checked);
    EXPECT_EQ(list.status(), OverallStatus::UpToDate);
    EXPECT_TRUE(list.mayClose());
}

TEST(UpdateBatch, FailuresLeaveTheRowToBeChosenAgain) {
    UpdateList list({keyboard(0x0105), device("mouse", 3)}, "/pkg");
    list.check({{"keyboard", "106", "http://example.invalid/keyboard"}, {"mouse", "9", ""}});
    list.startBatch();
    EXPECT_EQ(list.rows()[1].state, RowState::Downloaded) << "no address: the shipped updater";

    list.downloadStarted(0);
    list.downloadProgress(0, 0, 300);
    EXPECT_EQ(list.rows()[0].state, RowState::Failed);
    EXPECT_TRUE(list.rows()[0].checkable);
    EXPECT_EQ(list.status(), OverallStatus::Busy) << "the mouse's updater is still to run";

    ASSERT_EQ(list.nextInstall(), 1u);
    list.installStarted(1);
    list.updaterProgress(3, 0);
    EXPECT_EQ(list.rows()[1].state, RowState::Failed);
    EXPECT_EQ(list.status(), OverallStatus::Offered);
    EXPECT_TRUE(list.mayClose());

    // A new batch starts the failed rows again.
    ASSERT_TRUE(list.startBatch());
    EXPECT_EQ(list.rows()[0].state, RowState::Waiting);
    EXPECT_EQ(list.rows()[1].state, RowState::Downloaded);
}

TEST(UpdateBatch, RowsNotChosenCannotBeChosenOnceTheBatchStarts) {
    UpdateList list({keyboard(0x0105), device("mouse", 3)}, "/pkg");
    list.check({{"keyboard", "106", ""}, {"mouse", "9", ""}});
    list.setChecked(1, false);
    list.startBatch();
    EXPECT_FALSE(list.rows()[1].checkable);
    EXPECT_EQ(list.rows()[1].state, RowState::Offered);
    // A message from an updater with no current row changes nothing.
    UpdateList idle({keyboard(0x0105)}, "/pkg");
    idle.updaterProgress(1, 0);
    EXPECT_EQ(idle.rows()[0].state, RowState::UpToDate);
    EXPECT_EQ(idle.rows()[0].installedText, "V0105");
}

class UpdateFiles : public ::testing::Test {
protected:
    UpdateFiles() {
        folder = fs::temp_directory_path() / ("update-files-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    ~UpdateFiles() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(UpdateFiles, TheVersionFileListsEachOfferWithItsOptionalAddress) {
    std::ofstream(folder / "FWVerInfo.Ver") << R"({"data": [
        {"device": "keyboard", "Ver": "106", "url": "https://example.invalid/k"},
        "not an object",
        {"device": "mouse", "Ver": "7"}]})";
    const std::vector<OfferedVersion> offers = readVersionFile(folder / "FWVerInfo.Ver");
    ASSERT_EQ(offers.size(), 2u);
    EXPECT_EQ(offers[0].downloadAddress, "https://example.invalid/k");
    EXPECT_EQ(offers[1].device, "mouse");
    EXPECT_EQ(offers[1].downloadAddress, "");
    std::ofstream(folder / "broken.Ver") << "{";
    EXPECT_TRUE(readVersionFile(folder / "broken.Ver").empty());
}

TEST_F(UpdateFiles, TheCheckDateIsWrittenWhenMissingAndKeptOtherwise) {
    EXPECT_EQ(checkDateText(std::time_t{0} + 86400 * 31 + 43200), "1970-2-1");
    const fs::path file = folder / std::string(kCheckDateFileName);
    EXPECT_EQ(readCheckDate(file, "2026-12-11"), "2026-12-11");
    EXPECT_EQ(readjsonFile(file)["updatelasttime"]["value"].asString(), "2026-12-11");
    ASSERT_TRUE(writeCheckDate(file, "2026-1-2"));
    EXPECT_EQ(readCheckDate(file, "2027-3-4"), "2026-1-2");
}

} // namespace
} // namespace morva::update::test
