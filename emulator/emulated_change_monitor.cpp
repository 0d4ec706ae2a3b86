#include "emulator/emulated_change_monitor.h"

#include <algorithm>

namespace morva::emulator {
namespace {

class EmulatedChangeMonitor final : public platform::DeviceChangeMonitor {
public:
    explicit EmulatedChangeMonitor(std::shared_ptr<const platform::WakeFd> signal)
        : signal_(std::move(signal)) {}
    int pollFd() const override { return signal_->fd(); }
    bool drainChanges() override { return signal_->consume(); }

private:
    std::shared_ptr<const platform::WakeFd> signal_;
};

} // namespace

std::unique_ptr<platform::DeviceChangeMonitor>
EmulatedChangeAnnouncer::openMonitor(std::string& whyNot) {
    auto signal = std::make_shared<const platform::WakeFd>();
    if (!signal->valid()) {
        whyNot = "no eventfd for the emulated bus's announcements";
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    std::erase_if(listeners_, [](const auto& listener) { return listener.expired(); });
    listeners_.push_back(signal);
    return std::make_unique<EmulatedChangeMonitor>(std::move(signal));
}

void EmulatedChangeAnnouncer::announce() {
    std::lock_guard lock(mutex_);
    for (const auto& listener : listeners_) {
        if (const auto signal = listener.lock()) {
            signal->signal();
        }
    }
}

} // namespace morva::emulator
