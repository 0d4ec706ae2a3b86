#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace morva::qt {

// SIGTERM, SIGINT and SIGHUP (logout, `kill`, Ctrl+C) end the program in order: they are taken
// from a signal descriptor on the interface thread, which then leaves its loop, so every worker
// is stopped and every file closed as at a normal exit.
class TerminationSignals {
public:
    // Blocks the signals for this thread and every thread started after it; call it first.
    static void blockInAllThreads();

    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool watching() const { return notifier_ != nullptr; }

private:
    int descriptor_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
};

} // namespace morva::qt
