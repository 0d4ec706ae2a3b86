#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/container.h"

namespace morva::ui::test {
namespace {

// Per-control timers on the virtual clock, seen through the controls' event filters.
class TimerTest : public ToolkitTest {
protected:
    void SetUp() override {
        window = mainWindow();
        drain();
        bar = window->findAs<Container>("device_select_layout");
    }
    // A device-bar tab that records its timer events as (name, id, time).
    Control* addTab(const std::string& name) {
        Control* tab = bar->add(std::make_unique<HorizontalLayout>());
        tab->setName(name);
        tab->setEventFilter([this](Control& c, const UiEvent& e) {
            if (e.type != EventType::Timer) {
                return false;
            }
            fired.push_back(c.name() + ":" + std::to_string(e.wParam) + "@" +
                            std::to_string(loop.clock().nowMs()));
            return true;
        });
        return tab;
    }
    std::unique_ptr<Window> window;
    Container* bar = nullptr;
    std::vector<std::string> fired;
};

TEST_F(TimerTest, TimersOfSeveralControlsFireInTimeOrder) {
    Control* kb = addTab("kb");
    Control* ms = addTab("ms");
    ASSERT_TRUE(kb->setTimer(1000, 50));
    ASSERT_TRUE(ms->setTimer(1001, 120));
    ASSERT_TRUE(kb->setTimer(1005, 100));
    loop.advance(250);
    // Timers due at the same time fire in the order they were (re-)armed.
    EXPECT_EQ(fired, (std::vector<std::string>{"kb:1000@50", "kb:1005@100", "kb:1000@100",
                                               "ms:1001@120", "kb:1000@150", "kb:1005@200",
                                               "kb:1000@200", "ms:1001@240", "kb:1000@250"}));
}

TEST_F(TimerTest, KilledTimerEndsAndARestartBeginsItsPeriodAgain) {
    Control* kb = addTab("kb");
    kb->setTimer(1001, 500);
    loop.advance(300);
    kb->setTimer(1001, 500); // restarted: due at 800, not 500
    loop.advance(600);
    EXPECT_EQ(fired, std::vector<std::string>{"kb:1001@800"});
    EXPECT_TRUE(kb->killTimer(1001));
    EXPECT_FALSE(kb->killTimer(1001));
    loop.advance(2000);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(TimerTest, OneShotTimerKilledFromItsOwnEvent) {
    Control* kb = addTab("kb");
    kb->setEventFilter([&](Control& c, const UiEvent& e) {
        fired.push_back(std::to_string(e.wParam) + "@" + std::to_string(loop.clock().nowMs()));
        c.killTimer(static_cast<int>(e.wParam));
        return true;
    });
    kb->setTimer(1002, 500);
    loop.advance(5000);
    EXPECT_EQ(fired, std::vector<std::string>{"1002@500"});
}

TEST_F(TimerTest, AllTimersOfAControlEndWhenItIsDestroyedOrLeavesTheWindow) {
    Control* kb = addTab("kb");
    Control* ms = addTab("ms");
    kb->setTimer(1000, 50);
    kb->setTimer(1005, 5000);
    ms->setTimer(1000, 50);
    loop.advance(50);
    bar->remove(kb); // destroyed
    auto detached = bar->remove(ms);
    EXPECT_FALSE(detached->hasTimer(1000));
    loop.advance(10000);
    EXPECT_EQ(fired, (std::vector<std::string>{"kb:1000@50", "ms:1000@50"}));
}

TEST_F(TimerTest, ControlOutsideAWindowHasNoTimers) {
    Button loose;
    EXPECT_FALSE(loose.setTimer(1, 10));
    Control* kb = addTab("kb");
    EXPECT_FALSE(kb->setTimer(1, 0));
}

TEST_F(TimerTest, WithoutAnOwnHandlerATimerBecomesATimerNotification) {
    Control* plain = bar->add(std::make_unique<Button>());
    plain->setName("plain");
    plain->setTimer(100, 50);
    loop.advance(100);
    EXPECT_EQ(log, (std::vector<std::string>{"timer:plain", "timer:plain"}));
}

} // namespace
} // namespace morva::ui::test
