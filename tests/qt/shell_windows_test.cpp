#include "app/app_startup.h"
#include "app/message_box.h"
#include "app/settings_window.h"
#include "app/skin_window.h"
#include "base/json_file.h"
#include "base/trace.h"
#include "headless_fixture.h"
#include "tests/support/fake_window_system.h"
#include "tests/support/temp_dir.h"
#include "ui/toolkit/combo.h"

#include <gmock/gmock.h>

namespace morva::app::test {
namespace {

using ::testing::ElementsAre;

TEST_F(HeadlessTest, MessageBoxWithAnUnsupportedDpiShowsAt96AndTraces) {
    std::vector<std::string> traced;
    setTraceSink([&](std::string_view line) { traced.emplace_back(line); });
    int boxDpi = 0;
    host.actInModal([&](ui::Window& box) {
        boxDpi = box.dpi();
        click(box, "confirm_btn");
    });
    EXPECT_EQ(CMsgWnd::ShowMessage(toolkit, nullptr, "", "message_text_7", 100, true,
                                   CMsgWnd::kConfirmOnly),
              1);
    setTraceSink(nullptr);
    EXPECT_EQ(boxDpi, 96);
    EXPECT_NE(std::find(traced.begin(), traced.end(), "MSG_WND DPI SET ERROR\n"), traced.end());
    EXPECT_EQ(messageBoxDpi(144), 144);
}

TEST_F(HeadlessTest, MessageBoxKeepsTheSkinsTitleWhenNoneIsGiven) {
    std::string title;
    host.actInModal([&](ui::Window& box) {
        title = box.find("MessageTitle")->text();
        click(box, "closebtn");
    });
    EXPECT_EQ(
        CMsgWnd::ShowMessage(toolkit, nullptr, "", "text", 96, false, CMsgWnd::kConfirmCancel), 0);
    EXPECT_EQ(title, "Notice");
}

TEST_F(HeadlessTest, CustomSkinImageFromTheFileDialog) {
    morva::test::TempDir dir;
    app::SkinSettings settings(dir.path() / "main.ini");
    auto main = mainWindow();
    app::SkinChooser chooser(settings,
                             [&](const app::SkinChangedParam& p) { applySkinToRoot(*main, p); });
    CSkinFrame frame(toolkit, chooser);
    ASSERT_TRUE(frame.open(*main, main->find("skinbtn")));

    host.answerFileDialog(std::nullopt); // cancelled: nothing changes
    const std::string before = main->find("root")->bkImage();
    click(frame.window(), "skin_Custom");
    loop.runPending();
    EXPECT_EQ(main->find("root")->bkImage(), before);

    const auto picture = dir.path() / "mine.png";
    ASSERT_TRUE(writeFileAtomically(picture, "png"));
    host.answerFileDialog(picture.string());
    click(frame.window(), "skin_Custom");
    loop.runPending();
    EXPECT_EQ(main->find("root")->bkImage(), picture.string());
    ASSERT_EQ(host.fileDialogs.size(), 2u);
    EXPECT_EQ(host.fileDialogs[1].filter, "(*.png) | *.png |(*.*)|*.*||");

    click(frame.window(), "skin_image_btn");
    loop.runPending();
    EXPECT_EQ(main->find("root")->bkImage(), "common/background.svg");
    const auto recorded = settings.recordedBackground();
    ASSERT_TRUE(recorded.has_value());
    EXPECT_EQ(recorded->image, "common/background.svg");
}

TEST_F(HeadlessTest, SkinWindowHangsBelowItsAnchor) {
    morva::test::TempDir dir;
    app::SkinSettings settings(dir.path() / "main.ini");
    auto main = mainWindow();
    main->move({100, 50});
    ui::Control* anchor = main->find("skinbtn");
    anchor->setLayoutRect({600, 6, 628, 34});
    app::SkinChooser chooser(settings, [](const app::SkinChangedParam&) {});
    CSkinFrame frame(toolkit, chooser);
    ASSERT_TRUE(frame.open(*main, anchor));
    EXPECT_EQ(frame.window().position().x + frame.window().scaledSize().cx, 100 + 628);
    EXPECT_EQ(frame.window().position().y, 50 + 34);
    EXPECT_TRUE(frame.isOpen());
}

TEST_F(HeadlessTest, SettingsWindowOffersTheLanguages) {
    std::vector<app::LanguageEntry> languages = {{2052, "zh_CN", "lan_cn.xml", "简体中文"},
                                                 {1033, "en_US", "lan_en.xml", "English"}};
    std::vector<int> applied;
    morva::test::FakeWindowSystem desktop;
    CSettingsWnd settings(toolkit, desktop, languages, [&](int index) { applied.push_back(index); },
                          {});
    ASSERT_TRUE(settings.open(nullptr, 1));
    auto* combo = settings.window().findAs<ui::Combo>("Language_combox_info");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2u);
    EXPECT_EQ(combo->itemText(0), "简体中文");
    EXPECT_EQ(combo->selectedIndex(), 1);
    loop.runPending();
    EXPECT_TRUE(applied.empty()); // filling the list chooses nothing

    combo->userSelect(0);
    loop.runPending();
    EXPECT_THAT(applied, ElementsAre(0));

    settings.onForwardMessage({platform::MessageKind::Forward, 7, 9});
    ASSERT_TRUE(settings.lastForwardMessage().has_value());
    EXPECT_EQ(settings.lastForwardMessage()->wParam, 7u);

    // The title bar's size buttons go to the desktop; maximise and restore swap places.
    click(settings.window(), "minbtn");
    loop.runPending();
    ui::Control* max = settings.window().find("maxbtn");
    ui::Control* restore = settings.window().find("restorebtn");
    ASSERT_NE(max, nullptr);
    ASSERT_NE(restore, nullptr);
    max->setVisible(true);
    click(settings.window(), "maxbtn");
    loop.runPending();
    EXPECT_FALSE(max->visible());
    EXPECT_TRUE(restore->visible());
    click(settings.window(), "restorebtn");
    loop.runPending();
    EXPECT_THAT(desktop.calls, ElementsAre("minimise", "maximise", "restore"));
    EXPECT_TRUE(max->visible());
    EXPECT_TRUE(settings.isOpen());
    // Opened again while minimised, it is not lost behind the main window.
    click(settings.window(), "minbtn");
    loop.runPending();
    ASSERT_TRUE(desktop.isMinimised);
    ASSERT_TRUE(settings.open(nullptr, 1));
    loop.runPending();
    EXPECT_EQ(desktop.calls.back(), "front");
    EXPECT_FALSE(desktop.isMinimised);

    click(settings.window(), "closebtn");
    loop.runPending();
    EXPECT_FALSE(settings.isOpen());
}

// --- start-up order ---------------------------------------------------------------------

class RecordingSteps final : public StartupSteps {
public:
    void loadPrivateFont(const std::filesystem::path& f) override {
        calls.push_back("font:" + f.filename().string());
    }
    app::SingleInstance::StartResult claimInstance() override {
        calls.emplace_back("claim");
        return claim;
    }
    bool setupResources(const std::filesystem::path& s) override {
        calls.push_back("resources:" + s.filename().string());
        return resourcesOk;
    }
    void serveMessages() override { calls.emplace_back("serve"); }
    bool createMainWindow() override {
        calls.emplace_back("window");
        return windowOk;
    }
    void runLoop() override { calls.emplace_back("loop"); }
    void shutdown() override { calls.emplace_back("shutdown"); }

    app::SingleInstance::StartResult claim = app::SingleInstance::StartResult::First;
    bool resourcesOk = true;
    bool windowOk = true;
    std::vector<std::string> calls;
};

TEST(AppStartup, FirstInstanceRunsEveryStepInOrder) {
    RecordingSteps steps;
    EXPECT_EQ(runStartup(steps, startupPathsFor("/opt/morva")), 0);
    EXPECT_THAT(steps.calls, ElementsAre("font:arial.ttf", "claim", "resources:skin", "serve",
                                         "window", "loop", "shutdown"));
}

TEST(AppStartup, SecondInstanceEndsAfterWakingTheFirst) {
    RecordingSteps steps;
    steps.claim = app::SingleInstance::StartResult::WokeRunningInstance;
    EXPECT_EQ(runStartup(steps, startupPathsFor("/opt/morva")), 0);
    EXPECT_THAT(steps.calls, ElementsAre("font:arial.ttf", "claim", "shutdown"));
}

TEST(AppStartup, UnguardedStartServesNoMessagesAndFailuresStillExitZero) {
    RecordingSteps unguarded;
    unguarded.claim = app::SingleInstance::StartResult::NameHeldByOtherUser;
    EXPECT_EQ(runStartup(unguarded, startupPathsFor("/opt/morva")), 0);
    EXPECT_THAT(unguarded.calls, ElementsAre("font:arial.ttf", "claim", "resources:skin", "window",
                                             "loop", "shutdown"));

    RecordingSteps noWindow;
    noWindow.windowOk = false;
    EXPECT_EQ(runStartup(noWindow, startupPathsFor("/opt/morva")), 0);
    EXPECT_EQ(noWindow.calls.back(), "shutdown");
    EXPECT_EQ(std::count(noWindow.calls.begin(), noWindow.calls.end(), "loop"), 0);
}

TEST(AppStartup, PathsLieBesideTheProgram) {
    const StartupPaths paths = startupPathsFor("/opt/morva");
    EXPECT_EQ(paths.skinFolder, "/opt/morva/skin");
    EXPECT_EQ(paths.fontFile, "/opt/morva/Font/arial.ttf");
    EXPECT_EQ(paths.languageList, "/opt/morva/DefaultData/Language.config");
}

} // namespace
} // namespace morva::app::test
