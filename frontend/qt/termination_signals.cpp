#include "frontend/qt/termination_signals.h"

#include "base/trace.h"

#include <csignal>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace morva::qt {
namespace {

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

void TerminationSignals::blockInAllThreads() {
    const sigset_t set = terminationSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    const sigset_t set = terminationSet();
    descriptor_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor_ < 0) {
        trace("termination signals: no signal descriptor: %s\n", std::strerror(errno));
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        signalfd_siginfo info{};
        bool received = false;
        while (::read(descriptor_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            received = true;
        }
        if (received && onSignal_) {
            trace("termination signal %u: ending\n", info.ssi_signo);
            onSignal_();
        }
    });
}

TerminationSignals::~TerminationSignals() {
    notifier_.reset();
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

} // namespace morva::qt
