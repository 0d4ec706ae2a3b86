#include "base/unique_fd.h"
#include "base/virtual_event_loop.h"
#include "hid/device_scan_thread.h"
#include "platform/hid_linux_backend.h"
#include "platform/udev_change_monitor.h"
#include "tests/hid/fake_sysfs.h"
#include "tests/support/trace_capture.h"

#include <atomic>
#include <sys/socket.h>

namespace morva {
namespace {

using Messages = std::vector<std::string>;

// The stand-in for udev's event socket: the test sends one datagram per event on the other end
// of a socket pair. Counts the waits that began on it.
class SocketChangeMonitor final : public platform::DeviceChangeMonitor {
public:
    SocketChangeMonitor(UniqueFd end, std::shared_ptr<std::atomic<int>> waits)
        : end_(std::move(end)), waits_(std::move(waits)) {}
    int pollFd() const override {
        ++*waits_;
        return end_.get();
    }
    bool drainChanges() override {
        bool any = false;
        char event[64];
        while (::recv(end_.get(), event, sizeof event, MSG_DONTWAIT) > 0) {
            any = true;
        }
        return any;
    }

private:
    UniqueFd end_;
    std::shared_ptr<std::atomic<int>> waits_;
};

// The real scan thread on the hidraw backend over a fake sysfs tree, its time on a virtual clock
// that only the test moves, its messages handled by the test's loop.
class HotPlug : public FakeSysfs {
protected:
    ~HotPlug() override { thread_.reset(); }

    void startWith(platform::DeviceChangeMonitorOpener openMonitor) {
        backend_ =
            std::make_unique<platform::LinuxHidBackend>(sys(), dev(), std::move(openMonitor));
        events_ = std::make_unique<hid::LoopScanEvents>(
            loop_,
            hid::LoopScanEvents::Handlers{
                [this](size_t slot) { messages_.push_back("attach " + std::to_string(slot)); },
                [this](size_t slot) { messages_.push_back("detach " + std::to_string(slot)); },
                [this] {
                    messages_.push_back("instance");
                }});
        thread_ = std::make_unique<hid::DeviceScanThread>(slots_, *backend_, *events_,
                                                          loop_.virtualClock());
        ASSERT_TRUE(thread_->start());
    }

    // Starts the thread with a socket-pair monitor; the test's end is eventEnd_.
    void startWithSocketMonitor() {
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends), 0);
        eventEnd_.reset(ends[0]);
        auto monitorEnd = std::make_shared<UniqueFd>(ends[1]);
        startWith([monitorEnd, waits = waits_](std::string&) {
            return std::make_unique<SocketChangeMonitor>(std::move(*monitorEnd), waits);
        });
    }

    void sendEvent(const std::string& action) {
        ASSERT_EQ(::send(eventEnd_.get(), action.data(), action.size(), 0),
                  static_cast<ssize_t>(action.size()));
    }

    // Serves the loop until the thread has completed that many passes in all.
    Messages messagesUntilPass(uint64_t passes) {
        EXPECT_TRUE(loop_.runUntil([&] { return thread_->passesCompleted() >= passes; }));
        loop_.runPending();
        return std::exchange(messages_, {});
    }

    void removeNode(const std::string& name) { fs::remove_all(sys() / "class/hidraw" / name); }

    VirtualClock& clock() { return loop_.virtualClock(); }

    VirtualEventLoop loop_;
    hid::SlotList slots_;
    Messages messages_;
    UniqueFd eventEnd_;
    std::shared_ptr<std::atomic<int>> waits_ = std::make_shared<std::atomic<int>>(0);
    std::unique_ptr<platform::LinuxHidBackend> backend_;
    std::unique_ptr<hid::LoopScanEvents> events_;
    std::unique_ptr<hid::DeviceScanThread> thread_;
};

TEST_F(HotPlug, ANodeThatAppearsIsAttachedOnItsEventWithoutAnyPolling) {
    startWithSocketMonitor();
    EXPECT_TRUE(thread_->waitsForChanges());
    // One pass at start, then a wait on the monitor: nothing sleeps on the clock, which never
    // moves in this test.
    ASSERT_TRUE(loop_.runUntil([&] { return thread_->passesCompleted() == 1 && *waits_ >= 1; }));
    EXPECT_EQ(messagesUntilPass(1), Messages{"instance"});
    EXPECT_EQ(clock().sleepers(), 0u);

    addKeyboard();
    EXPECT_EQ(thread_->passesCompleted(), 1u) << "a node is not looked for before its event";
    sendEvent("add hidraw1");
    EXPECT_EQ(messagesUntilPass(2), (Messages{"attach 1", "attach 0"}));
    EXPECT_EQ(clock().nowMs(), 0u);

    removeNode("hidraw1");
    sendEvent("remove hidraw1");
    // The pass that freed the slots is followed at once by one that finds nothing to take them.
    const int waitsBefore = *waits_;
    EXPECT_EQ(messagesUntilPass(4), (Messages{"detach 0", "detach 1"}));
    ASSERT_TRUE(loop_.runUntil([&] { return *waits_ > waitsBefore; }));
    EXPECT_TRUE(thread_->stop(1000)) << "the stop request ends the wait on the monitor";
    EXPECT_EQ(thread_->passesCompleted(), 4u);
    EXPECT_EQ(clock().nowMs(), 0u);
}

TEST_F(HotPlug, WithoutAUdevDaemonTheThreadLooksEveryHundredMillisecondsAndSaysSo) {
    test::TraceCapture trace;
    const fs::path noDaemon = dir_.path() / "run-udev";
    startWith([noDaemon](std::string& whyNot) {
        return platform::openUdevChangeMonitor(whyNot, noDaemon);
    });
    EXPECT_FALSE(thread_->waitsForChanges());
    EXPECT_NE(trace.text().find((noDaemon / "control").string() + " is missing"), std::string::npos)
        << trace.text();
    EXPECT_NE(trace.text().find("every 100 ms"), std::string::npos) << trace.text();

    ASSERT_TRUE(loop_.runUntil([&] { return clock().sleepers() == 1; }));
    EXPECT_EQ(messagesUntilPass(1), Messages{"instance"});
    addKeyboard();
    clock().advance(hid::DeviceScanThread::kPollPauseMs);
    EXPECT_EQ(messagesUntilPass(2), (Messages{"attach 1", "attach 0"}));
}

TEST_F(HotPlug, AMonitorThatFailsGivesWayToPolling) {
    test::TraceCapture trace;
    startWithSocketMonitor();
    ASSERT_TRUE(loop_.runUntil([&] { return thread_->passesCompleted() == 1 && *waits_ >= 1; }));
    eventEnd_.reset(); // the monitor's socket hangs up
    ASSERT_TRUE(loop_.runUntil([&] { return clock().sleepers() == 1; }));
    EXPECT_FALSE(thread_->waitsForChanges());
    EXPECT_NE(trace.text().find("the device-change monitor failed"), std::string::npos)
        << trace.text();
    addKeyboard();
    clock().advance(hid::DeviceScanThread::kPollPauseMs);
    EXPECT_EQ(messagesUntilPass(2), (Messages{"instance", "attach 1", "attach 0"}));
}

TEST(UdevChangeMonitor, WithoutTheDaemonsControlSocketThereIsNoMonitorAndTheReasonNamesIt) {
    test::TempDir runtime;
    std::string whyNot;
    EXPECT_EQ(platform::openUdevChangeMonitor(whyNot, runtime.path()), nullptr);
    EXPECT_EQ(whyNot,
              "no udev daemon runs (" + (runtime.path() / "control").string() + " is missing)");
}

} // namespace
} // namespace morva
