#include "app/about_window.h"
#include "app/language_apply.h"
#include "app/language_config.h"
#include "app/message_box.h"
#include "app/single_instance.h"
#include "app/skin_window.h"
#include "base/json_file.h"
#include "cli/command_groups.h"
#include "frontend/qt/qt_desktop.h"
#include "frontend/qt/qt_widgets.h"
#include "platform/ipc_message.h"
#include "qt_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"

#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <sstream>
#include <thread>

namespace morva::qt::test {
namespace {

// --- the event loop ---------------------------------------------------------------------

TEST_F(QtTest, LoopRunsPostsInOrderFromAnyThread) {
    std::vector<int> order;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            loop.post([&order, i] { order.push_back(i); });
        }
    });
    worker.join();
    EXPECT_TRUE(loop.isLoopThread());
    ASSERT_TRUE(waitFor([&] { return order.size() == 3; }));
    EXPECT_EQ(order, std::vector<int>({0, 1, 2}));
}

TEST_F(QtTest, SendFromAWorkerWaitsForTheLoop) {
    std::atomic<bool> ran{false};
    std::atomic<bool> sent{false};
    std::thread worker([&] {
        EXPECT_FALSE(loop.isLoopThread());
        sent = loop.send([&] { ran = loop.isLoopThread(); });
    });
    ASSERT_TRUE(waitFor([&] { return sent.load(); }));
    worker.join();
    EXPECT_TRUE(ran.load());
}

TEST_F(QtTest, TimersRepeatUntilStopped) {
    int fired = 0;
    TimerId id = 0;
    id = loop.startTimer(5, [&] {
        if (++fired == 3) {
            loop.stopTimer(id); // stopping from its own callback
        }
    });
    ASSERT_TRUE(waitFor([&] { return fired >= 3; }));
    QTest::qWait(30);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(loop.runningTimers(), 0u);
}

// The devices' refresh: a one-shot that stops itself and starts a new timer from its callback.
TEST_F(QtTest, AOneShotReArmedFromItsOwnCallbackRunsOncePerStart) {
    int fired = 0;
    TimerId current = 0;
    std::function<void()> fire = [&] {
        loop.stopTimer(current);
        if (++fired < 5) {
            current = loop.startTimer(2, fire);
        }
    };
    current = loop.startTimer(2, fire);
    ASSERT_TRUE(waitFor([&] { return fired >= 5; }));
    QTest::qWait(20);
    EXPECT_EQ(fired, 5);
    EXPECT_EQ(loop.runningTimers(), 0u);
}

TEST_F(QtTest, WindowTimersReachTheMessageHandler) {
    auto w = window();
    int timerId = 0;
    w->setMessageHandler([&](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgTimer) {
            timerId = static_cast<int>(m.wParam);
            w->killTimer(static_cast<int>(m.wParam));
        }
        return std::nullopt;
    });
    w->setTimer(1011, 10);
    ASSERT_TRUE(waitFor([&] { return timerId != 0; }));
    EXPECT_EQ(timerId, 1011);
}

// --- the host ---------------------------------------------------------------------------

TEST(QtFileFilter, ReadsBothFilterForms) {
    EXPECT_EQ(qtFileFilter("Profile Files(*.json)"), "Profile Files (*.json)");
    EXPECT_EQ(qtFileFilter("Macro Files (*.mac)"), "Macro Files (*.mac)");
    EXPECT_EQ(qtFileFilter("(*.png) | *.png |(*.*)|*.*||"), "(*.png);;(*.*)");
}

// The message box runs modally in a nested loop until a click closes it.
class MessageBoxTest : public QtTest {
protected:
    MessageBoxTest() { EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml")); }

    // Clicks the named button of the box once it is on the screen.
    void clickWhenShown(const std::string& button) {
        loop.post([this, button] { clickLater(button, 100); });
    }
    void clickLater(const std::string& button, int triesLeft) {
        ui::Window* box = toolkit.findWindow("MsgWnd");
        QWidget* top = box ? renderer.widgetOf(*box) : nullptr;
        ui::Control* control = box ? box->find(button) : nullptr;
        if (!top || !top->isVisible() || !control || triesLeft == 0) {
            if (triesLeft == 0 && box) {
                box->close(-1); // never shown properly: fail instead of waiting forever
            } else if (triesLeft > 0) {
                QTimer::singleShot(
                    10, [this, button, triesLeft] { clickLater(button, triesLeft - 1); });
            }
            return;
        }
        renderer.flushLayout();
        cancelShown = !renderer.widgetOf(*box->find("cancel_btn"))->isHidden();
        shownText = box->find("MessageText")->text();
        QTest::mouseClick(renderer.widgetOf(*control), Qt::LeftButton);
    }

    bool cancelShown = false;
    std::string shownText;
};

TEST_F(MessageBoxTest, ConfirmReturnsOne) {
    clickWhenShown("confirm_btn");
    EXPECT_EQ(app::CMsgWnd::ShowMessage(toolkit, nullptr, "", "message_text_22", 96, true,
                                        app::CMsgWnd::kConfirmCancel),
              1);
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(shownText, "Restore the default key assignments of this device?");
    EXPECT_EQ(host.modalDepth(), 0u);
}

TEST_F(MessageBoxTest, CloseAndCancelReturnZero) {
    for (const char* button : {"closebtn", "cancel_btn"}) {
        clickWhenShown(button);
        EXPECT_EQ(app::CMsgWnd::ShowMessage(toolkit, nullptr, "Title", "plain text", 96, false,
                                            app::CMsgWnd::kConfirmCancel),
                  0)
            << button;
        EXPECT_EQ(shownText, "plain text");
    }
}

TEST_F(MessageBoxTest, ConfirmOnlyBoxHidesCancelAndClosesWithZero) {
    clickWhenShown("closebtn");
    EXPECT_EQ(app::CMsgWnd::ShowMessage(toolkit, nullptr, "", "message_text_7", 96, true,
                                        app::CMsgWnd::kConfirmOnly),
              0);
    EXPECT_FALSE(cancelShown);
}

TEST_F(MessageBoxTest, HostMessageBoxGoesThroughTheProgramsBox) {
    host.setMessageBox([this](ui::Window* owner, std::string_view title, std::string_view text,
                              ui::MessageBoxButtons buttons) {
        return app::CMsgWnd::ShowMessage(toolkit, owner, title, text, 96, false,
                                         buttons == ui::MessageBoxButtons::OkCancel);
    });
    clickWhenShown("confirm_btn");
    EXPECT_EQ(host.messageBox(nullptr, "", "Sure?", ui::MessageBoxButtons::OkCancel), 1);
    EXPECT_EQ(shownText, "Sure?");
}

// --- about window, skin window, language on real widgets --------------------------------

class NoWindowSystem final : public app::WindowSystem {
public:
    void minimise(ui::Window&) override {}
    void maximise(ui::Window&) override {}
    void restore(ui::Window&) override {}
    bool minimised(const ui::Window&) const override { return false; }
    bool maximised(const ui::Window&) const override { return false; }
    void bringToFront(ui::Window&) override {}
    bool trayAvailable() const override { return false; }
    ui::Size monitorSize(const ui::Window&) const override { return {1920, 1080}; }
};

TEST_F(QtTest, AboutWindowShowsTheTranslatedVersion) {
    NoWindowSystem system;
    for (const auto& [file, prefix] :
         {std::pair{"lan_en.xml", "Software version: "}, std::pair{"lan_cn.xml", "软件版本："}}) {
        ASSERT_TRUE(toolkit.loadLanguageFile(file));
        app::CAboutWnd about(toolkit, system);
        ASSERT_TRUE(about.create(nullptr));
        ui::Control* label = about.window().find("software_ver_label");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), std::string(prefix) + "V0.1.0.0");
        EXPECT_EQ(dynamic_cast<SkinWidget*>(renderer.widgetOf(*label))->shownText(),
                  QString::fromStdString(std::string(prefix) + "V0.1.0.0"));
    }
}

TEST_F(QtTest, SkinWindowClicksReachRootAndMainIni) {
    morva::test::TempDir dir;
    app::SkinSettings settings(dir.path() / "main.ini");
    auto main = window("MainWnd");
    ASSERT_TRUE(main->loadSkin("XML_MAIN"));
    main->show();
    app::SkinChooser chooser(
        settings, [&](const app::SkinChangedParam& p) { app::applySkinToRoot(*main, p); });
    app::CSkinFrame frame(toolkit, chooser);
    ASSERT_TRUE(frame.open(*main, main->find("skinbtn")));
    pump();
    ui::Control* root = main->find("root");

    ui::Control* colorButton = nullptr;
    frame.window().visitControls([&](ui::Control& c) {
        if (c.name() == "skin_color_btn" && !colorButton) {
            colorButton = &c;
        }
        return true;
    });
    ASSERT_NE(colorButton, nullptr);
    frame.window().findAs<ui::TabLayout>("skin_tab")->selectItem(1);
    pump();
    QTest::mouseClick(renderer.widgetOf(*colorButton), Qt::LeftButton);
    pump();
    EXPECT_EQ(root->bkColor(), colorButton->bkColor());
    EXPECT_EQ(root->bkImage(), "");

    QTest::mouseClick(renderer.widgetOf(*frame.window().find("skin_reset")), Qt::LeftButton);
    pump();
    EXPECT_EQ(root->bkColor(), 0u);
    EXPECT_EQ(root->bkImage(), app::kDefaultBackground);
    const auto recorded = settings.recordedBackground();
    ASSERT_TRUE(recorded.has_value());
    EXPECT_EQ(recorded->image, app::kDefaultBackground);

    // Losing the focus closes it.
    frame.window().sendMessage(kMsgActivate, 0);
    EXPECT_FALSE(frame.isOpen());
    EXPECT_FALSE(renderer.widgetOf(frame.window())->isVisible());
}

// A language list of six entries over the two language files, so indexes 2, 3 and 4 exist.
Json::Value languageList() {
    Json::Value list(Json::arrayValue);
    const char* files[] = {"lan_cn.xml", "lan_en.xml", "lan_cn.xml",
                           "lan_en.xml", "lan_cn.xml", "lan_en.xml"};
    for (int i = 0; i < 6; ++i) {
        Json::Value entry;
        entry["Language_ID"] = 100 + i;
        entry["Language_name"] = "lang" + std::to_string(i);
        entry["Language_file"] = files[i];
        entry["Language_text"] = "Language " + std::to_string(i);
        list.append(entry);
    }
    Json::Value root;
    root["Language"] = list;
    return root;
}

TEST_F(QtTest, LanguageSwitchAppliesFontsAndTextsToTheWidgets) {
    morva::test::TempDir dir;
    const auto listFile = dir.path() / "Language.config";
    ASSERT_TRUE(writejsonFile(listFile, languageList()));
    platform::SettingsStore store(dir.path() / "settings.json");
    auto main = window("MainWnd");
    ASSERT_TRUE(main->loadSkin("XML_MAIN"));
    main->show();
    int changes = 0;
    app::ToolkitLanguageTarget target(toolkit, [&] {
        ++changes;
        renderer.refreshAll();
    });
    app::LanguageSelector selector(listFile, store, target);
    ui::Control* title = main->find("no_device_text");
    ASSERT_NE(title, nullptr);

    ASSERT_TRUE(selector.apply(3));
    EXPECT_EQ(target.fontTableBuilds(), 1);
    auto* widget = dynamic_cast<SkinWidget*>(renderer.widgetOf(*title));
    EXPECT_EQ(widget->shownText(), "No device connected");
    // "no_device_text" uses font 5: 20 pixels at 96 DPI.
    EXPECT_EQ(widget->font().pixelSize(), 20);

    ASSERT_TRUE(selector.apply(4)); // 3 → 4 keeps the table
    EXPECT_EQ(target.fontTableBuilds(), 1);
    EXPECT_NE(widget->shownText(), "No device connected");

    // Someone changed the table meanwhile: 4 → 2 rebuilds it and the widgets show it again.
    toolkit.fonts().add(5, ui::FontSpec{"arial", 40});
    renderer.refreshAll();
    EXPECT_EQ(widget->font().pixelSize(), 40);
    ASSERT_TRUE(selector.apply(2));
    EXPECT_EQ(target.fontTableBuilds(), 2);
    EXPECT_EQ(widget->font().pixelSize(), 20);
    EXPECT_EQ(store.readInt(app::kLanguageValueName), 102);
    EXPECT_EQ(changes, 3);
}

TEST_F(QtTest, PrivateFontLoadsOrIsSkipped) {
    const auto font = std::filesystem::path(MORVA_RUNTIME_DIR) / "Font" / "arial.ttf";
    if (std::filesystem::exists(font)) {
        EXPECT_FALSE(loadPrivateFont(font).isEmpty());
    }
    EXPECT_TRUE(loadPrivateFont("/nonexistent/Font/arial.ttf").isEmpty());
    morva::test::TempDir dir;
    const auto notAFont = dir.path() / "arial.ttf";
    ASSERT_TRUE(writeFileAtomically(notAFont, "not a font"));
    EXPECT_TRUE(loadPrivateFont(notAFont).isEmpty());
}

TEST(PowerMonitorTest, WithoutASystemBusThereAreNoEventsAndNoFailure) {
    bool called = false;
    PowerMonitor monitor([&](bool) { called = true; });
    // Whether a bus exists depends on the machine; either way a signal reaches the handler.
    monitor.prepareForSleep(true);
    EXPECT_TRUE(called);
}

// --- morvactl message -------------------------------------------------------------------

TEST_F(QtTest, MorvactlSendsTheLightControlMessage) {
    app::SingleInstance instance;
    if (instance.claimOrWake() != app::SingleInstance::StartResult::First) {
        GTEST_SKIP() << "the program runs in this session";
    }
    std::vector<platform::Message> received;
    ASSERT_TRUE(instance.serve(loop, [&](const platform::Message& m) { received.push_back(m); }));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runMorvactl({"message", "light-control", "1", "0"}, out, err), cli::kExitOk)
        << err.str();
    EXPECT_EQ(cli::runMorvactl({"message", "instance"}, out, err), cli::kExitOk) << err.str();
    EXPECT_EQ(cli::runMorvactl({"message", "forward", "x", "0"}, out, err), cli::kExitUsage);
    ASSERT_TRUE(waitFor([&] { return received.size() == 2; }));
    EXPECT_EQ(received[0], (platform::Message{platform::MessageKind::LightControl, 1, 0}));
    EXPECT_EQ(received[1], (platform::Message{platform::MessageKind::Instance, 0, 1}));
    instance.stop();
}

} // namespace
} // namespace morva::qt::test
