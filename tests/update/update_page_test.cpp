#include "app/update_page.h"
#include "base/json_file.h"
#include "base/virtual_event_loop.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"
#include "tests/update/local_http_server.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace morva::update::test {
namespace {

namespace fs = std::filesystem;

UpdateEntry device(std::string name) {
    return {.kind = 1,
            .installedVersion = 0x0102,
            .modelCode = "M",
            .name = std::move(name),
            .versionText = ""};
}

// The update page in the real settings window on the headless toolkit, with an update package
// in a temporary folder and the updater programs recorded instead of run.
class UpdatePageTest : public ::testing::Test {
protected:
    UpdatePageTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(fs::path(MORVA_RUNTIME_DIR) / "skin"));
        EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        window.create("SettingsWnd", "settings", {630, 500});
        EXPECT_TRUE(window.loadSkin("XML_SETTINGS"));
        window.show();
        window.setNotifyHandler([this](const ui::Notification& n) {
            if (page) {
                page->handle(n);
            }
        });
        page = std::make_unique<app::UpdatePage>(
            toolkit, window, loop,
            app::UpdatePage::Environment{.updateFolder = package.path(),
                                         .checkDateFile = package.path() / "updatetime.config",
                                         .runProgram =
                                             [this](const fs::path& program) {
                                                 started.push_back(program.filename().string());
                                                 return runSucceeds;
                                             },
                                         .today =
                                             [] {
                                                 return std::string("2026-12-11");
                                             }});
    }
    ~UpdatePageTest() override { page.reset(); }

    void offer(const std::string& versionFile) {
        std::ofstream(package.path() / "FWVerInfo.Ver") << versionFile;
    }
    void openAndCheck(const std::vector<UpdateEntry>& entries) {
        page->open(entries);
        ASSERT_TRUE(
            loop.runUntil([&] { return page->list()->status() != OverallStatus::Checking; }, 5000));
    }
    ui::Control* rowControl(size_t row, std::string_view name) {
        auto* list = window.findAs<ui::Container>("update_list");
        auto* item = list->childAt(row)->asContainer();
        return item->findDescendant(name);
    }
    void click(std::string_view name) {
        window.find(name)->event(ui::UiEvent::of(ui::EventType::Click));
        loop.runPending();
    }
    std::string statusText() { return window.find("Update_Status_text")->text(); }

    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
    ui::Window window{toolkit};
    morva::test::TempDir package;
    LocalHttpServer server;
    std::vector<std::string> started;
    bool runSucceeds = true;
    std::unique_ptr<app::UpdatePage> page;
};

TEST_F(UpdatePageTest, ABatchUpdateFetchesRunsAndFinishesEachChosenRow) {
    server.serve("/LX604", {.body = std::string(3000, 'x')});
    offer(R"({"data": [{"device": "LX604", "Ver": "103", "url": ")" + server.url("/LX604") +
          R"("}, {"device": "bx2", "Ver": "103"}, {"device": "R77", "Ver": "102"}]})");
    openAndCheck({device("BX2"), device("LX604"), device("R77")});

    EXPECT_EQ(statusText(), "Updates are available");
    EXPECT_EQ(rowControl(0, "OldRev")->text(), "V0102");
    EXPECT_EQ(rowControl(0, "updateRev")->text(), "V103");
    EXPECT_EQ(rowControl(0, "update_status_text")->text(), "Update available");
    EXPECT_EQ(rowControl(2, "update_status_text")->text(), "Up to date");
    EXPECT_FALSE(rowControl(2, "check_name_select")->enabledInTree());
    EXPECT_TRUE(window.find("update_fw_and_ap")->visible());
    EXPECT_EQ(readjsonFile(package.path() / "updatetime.config")["updatelasttime"]["value"],
              "2026-12-11");

    click("update_fw_and_ap");
    click("update_OK_btn");
    // LX604 is fetched first; BX2 keeps its shipped updater and runs when the download is done.
    ASSERT_TRUE(loop.runUntil([&] { return !started.empty(); }, 5000));
    EXPECT_EQ(started, std::vector<std::string>{"BX2"});
    std::ifstream fetched(package.path() / "LX604");
    std::stringstream body;
    body << fetched.rdbuf();
    EXPECT_EQ(body.str(), std::string(3000, 'x'));
    EXPECT_EQ(statusText(), "Updating…");
    EXPECT_FALSE(page->mayClose());

    page->onUpdaterMessage(4, 60);
    EXPECT_EQ(rowControl(0, "update_progress_value")->text(), "60%");
    page->onUpdaterMessage(1, 0);
    EXPECT_EQ(rowControl(0, "OldRev")->text(), "V103");
    EXPECT_EQ(started, (std::vector<std::string>{"BX2", "LX604"})) << "one updater at a time";
    page->onUpdaterMessage(1, 0);
    EXPECT_EQ(rowControl(1, "update_status_text")->text(), "Up to date");
    EXPECT_TRUE(page->mayClose());
    EXPECT_EQ(statusText(), "Everything is up to date. Last checked: 2026-12-11");
}

TEST_F(UpdatePageTest, AnUpdaterThatCannotStartFailsItsRowWhichCanBeChosenAgain) {
    offer(R"({"data": [{"device": "BX2", "Ver": "103"}]})");
    openAndCheck({device("BX2")});
    runSucceeds = false;
    click("update_fw_and_ap");
    click("update_OK_btn");
    EXPECT_EQ(started, std::vector<std::string>{"BX2"});
    EXPECT_EQ(rowControl(0, "update_status_text")->text(), "Update failed");
    EXPECT_TRUE(rowControl(0, "check_name_select")->enabledInTree());
    EXPECT_EQ(statusText(), "Updates are available");
    EXPECT_TRUE(page->mayClose());
}

TEST_F(UpdatePageTest, RunningAnUpdaterByHandPausesThePageForFiveSeconds) {
    offer(R"({"data": [{"device": "BX2", "Ver": "103"}]})");
    openAndCheck({device("BX2")});
    rowControl(0, "UpdateBtn")->event(ui::UiEvent::of(ui::EventType::Click));
    loop.runPending();
    EXPECT_EQ(started, std::vector<std::string>{"BX2"});
    EXPECT_FALSE(window.find("update_fw_and_ap")->enabledInTree());
    loop.advance(4900);
    EXPECT_FALSE(window.find("update_fw_and_ap")->enabledInTree());
    loop.advance(100);
    EXPECT_TRUE(window.find("update_fw_and_ap")->enabledInTree());
}

TEST_F(UpdatePageTest, WithNothingToListThePageSaysSo) {
    offer(R"({"data": []})");
    openAndCheck({});
    EXPECT_EQ(statusText(), "No device or program to update");
    EXPECT_FALSE(window.find("update_fw_and_ap")->visible());
}

} // namespace
} // namespace morva::update::test
