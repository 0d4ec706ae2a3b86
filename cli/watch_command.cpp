#include "base/clock.h"
#include "base/text.h"
#include "base/thread_event_loop.h"
#include "cli/command_groups.h"
#include "cli/hid_json.h"
#include "cli/slot_scan.h"
#include "emulator/emulated_hid_bus.h"
#include "hid/device_scan_thread.h"
#include "hid/device_scanner.h"
#include "hid/hid_path.h"

#include <charconv>
#include <cmath>
#include <csignal>
#include <map>
#include <optional>
#include <vector>

// morvactl watch: the device manager's view of the HID devices, printed as they come and go.
// The scan thread runs as in the program and reports to a loop on this thread. With --demo the
// emulated devices are pulled out and plugged in again, one after the other, so there is
// something to see.
namespace morva::cli {
namespace {

// How long the demo waits after the last change it saw before making the next one.
constexpr TickMs kDemoPauseMs = 300;
// How often the loop looks for an interrupt.
constexpr TickMs kInterruptCheckMs = 50;

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int) {
    interrupted = 1;
}

// Ctrl+C and termination end the watch instead of the process, while it runs.
class InterruptGuard {
public:
    InterruptGuard() {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

struct WatchOptions {
    std::optional<TickMs> durationMs; // --for <seconds>
    std::optional<int> maxEvents;     // --events <n>: end after that many attach/detach lines
};

bool parseOptions(const Arguments& arguments, WatchOptions& options, std::ostream& err) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (i + 1 >= arguments.size() || (option != "--for" && option != "--events")) {
            err << "morvactl: watch: unknown or incomplete option \"" << option << "\"\n";
            return false;
        }
        const std::string& value = arguments[++i];
        const char* end = value.data() + value.size();
        if (option == "--for") {
            double seconds = 0;
            const auto [at, error] = std::from_chars(value.data(), end, seconds);
            if (error != std::errc() || at != end || !(seconds > 0) || seconds > 1e6) {
                err << "morvactl: watch: --for wants a number of seconds, not \"" << value
                    << "\"\n";
                return false;
            }
            options.durationMs = static_cast<TickMs>(std::llround(seconds * 1000));
        } else {
            int count = 0;
            const auto [at, error] = std::from_chars(value.data(), end, count);
            if (error != std::errc() || at != end || count < 1) {
                err << "morvactl: watch: --events wants a positive count, not \"" << value
                    << "\"\n";
                return false;
            }
            options.maxEvents = count;
        }
    }
    return true;
}

std::string describeSlot(size_t index, const hid::InterfaceSlot& slot) {
    std::string node;
    std::string instance;
    if (!hid::splitHidPath(slot.path, node, instance)) {
        node = WideToUtf8(slot.path);
    }
    return std::string(deviceTypeName(slot.deviceType)) +
           (slot.role == hid::kRoleCompanion ? " companion" : " primary") + ", slot " +
           std::to_string(index) + ", " + hex16(slot.vendorId) + ":" + hex16(slot.productId) +
           ", " + node;
}

// Pulls the emulated devices out and plugs them in again, one device per step, in turn.
class DemoSchedule {
public:
    DemoSchedule(emulator::EmulatedHidBus& bus, EventLoop& loop) : bus_(bus), loop_(loop) {
        for (const auto id : bus.deviceIds()) {
            devices_.push_back(Plugged{id, bus.device(id)});
        }
    }
    ~DemoSchedule() { stopTimer(); }
    DemoSchedule(const DemoSchedule&) = delete;
    DemoSchedule& operator=(const DemoSchedule&) = delete;

    // Something changed: the next step comes once things have been quiet for a moment.
    void changeSeen() {
        stopTimer();
        timer_ = loop_.startTimer(kDemoPauseMs, [this] {
            stopTimer();
            step();
        });
    }

private:
    struct Plugged {
        emulator::EmulatedHidBus::DeviceId id = 0; // 0 while pulled out
        std::shared_ptr<emulator::EmulatedHidDevice> device;
    };

    void step() {
        if (devices_.empty()) {
            return;
        }
        Plugged& next = devices_[turn_ % devices_.size()];
        if (next.id != 0) {
            bus_.unplug(next.id);
            next.id = 0;
        } else {
            next.id = bus_.plug(next.device);
            ++turn_;
        }
    }

    void stopTimer() {
        if (timer_ != 0) {
            loop_.stopTimer(timer_);
            timer_ = 0;
        }
    }

    emulator::EmulatedHidBus& bus_;
    EventLoop& loop_;
    std::vector<Plugged> devices_;
    size_t turn_ = 0;
    TimerId timer_ = 0;
};

class Watch {
public:
    Watch(CliContext& context, const WatchOptions& options)
        : context_(context), options_(options),
          events_(loop_, hid::LoopScanEvents::Handlers{[this](size_t slot) { attached(slot); },
                                                       [this](size_t slot) { detached(slot); },
                                                       [this] {
                                                           firstPassDone();
                                                       }}),
          scanThread_(slots_, context.backend, events_, RealClock::instance()) {
        if (context.demo) {
            if (auto* bus = dynamic_cast<emulator::EmulatedHidBus*>(&context.backend)) {
                demo_.emplace(*bus, loop_);
            }
        }
    }

    int run() {
        InterruptGuard guard;
        loop_.post([this] { startTimers(); });
        context_.out << "watching the HID devices"
                     << (demo_ ? " (emulated devices, pulled out and plugged in in turn)" : "")
                     << "; Ctrl+C ends\n"
                     << std::flush;
        if (!scanThread_.start()) {
            context_.err << "morvactl: watch: cannot start the scan thread\n";
            return kExitFailure;
        }
        loop_.run();
        scanThread_.stop();
        return kExitOk;
    }

private:
    void startTimers() {
        loop_.startTimer(kInterruptCheckMs, [this] {
            if (interrupted != 0) {
                loop_.quit();
            }
        });
        if (options_.durationMs) {
            loop_.startTimer(*options_.durationMs, [this] { loop_.quit(); });
        }
    }

    void attached(size_t slot) {
        const std::string text = describeSlot(slot, slots_.at(slot));
        seen_[slot] = text;
        report("attached " + text);
    }

    void detached(size_t slot) {
        // The slot is free by now; what it held was noted when it was attached.
        const auto it = seen_.find(slot);
        report("detached " + (it != seen_.end() ? it->second : "slot " + std::to_string(slot)));
        if (it != seen_.end()) {
            seen_.erase(it);
        }
    }

    void firstPassDone() {
        if (seen_.empty()) {
            context_.out << "no supported device is attached\n" << std::flush;
        }
        if (demo_) {
            demo_->changeSeen();
        }
    }

    void report(const std::string& line) {
        context_.out << line << "\n" << std::flush;
        ++eventsSeen_;
        if (options_.maxEvents && eventsSeen_ >= *options_.maxEvents) {
            loop_.quit();
            return;
        }
        if (demo_) {
            demo_->changeSeen();
        }
    }

    CliContext& context_;
    WatchOptions options_;
    ThreadEventLoop loop_;
    hid::SlotList slots_;
    hid::LoopScanEvents events_;
    hid::DeviceScanThread scanThread_;
    std::optional<DemoSchedule> demo_;
    std::map<size_t, std::string> seen_;
    int eventsSeen_ = 0;
};

} // namespace

int runWatchCommand(CliContext& context, const Arguments& arguments) {
    WatchOptions options;
    if (!parseOptions(arguments, options, context.err)) {
        return kExitUsage;
    }
    Watch watch(context, options);
    return watch.run();
}

} // namespace morva::cli
