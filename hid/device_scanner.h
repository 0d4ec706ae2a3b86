#pragma once

#include "base/event_loop.h"
#include "base/window_messages.h"
#include "hid/hid_device.h"
#include "hid/hid_slot_list.h"
#include "platform/hid_backend.h"

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

namespace morva::hid {

// Where the scanner's messages go. Attach and removal are sent: they return once the interface
// thread has handled them, or false when the stop token ended the wait first.
class ScanEvents {
public:
    virtual ~ScanEvents() = default;
    virtual bool deviceAttached(size_t slot, std::stop_token stop) = 0;
    virtual bool deviceDetached(size_t slot, std::stop_token stop) = 0;
    // The instance message, posted once after the first pass that enumerated.
    virtual void firstPassDone() = 0;
};

// Delivers the scanner's messages to handlers on the interface thread's loop.
class LoopScanEvents final : public ScanEvents {
public:
    struct Handlers {
        std::function<void(size_t slot)> attached;
        std::function<void(size_t slot)> detached;
        std::function<void()> instance;
    };
    LoopScanEvents(EventLoop& loop, Handlers handlers);

    bool deviceAttached(size_t slot, std::stop_token stop) override;
    bool deviceDetached(size_t slot, std::stop_token stop) override;
    void firstPassDone() override;

private:
    EventLoop& loop_;
    Handlers handlers_;
};

struct ProbeFailure {
    std::wstring path;
    platform::HidOpenResult result = platform::HidOpenResult::kFailed;
    std::string reason;
};

// One pass of discovery: assigns newly found supported interfaces to free slots and frees the
// slots whose interface has gone.
class DeviceScanner {
public:
    enum class PassResult { kDone, kEnumerationFailed, kStopped };

    DeviceScanner(SlotList& slots, platform::HidBackend& backend, ScanEvents& events);
    ~DeviceScanner();

    PassResult runPass(std::stop_token stop = {});

    // How many enumerations ran so far (passes with every slot taken run none).
    uint64_t enumerations() const { return enumerations_; }
    // The probe opens of the last pass that failed, with why.
    const std::vector<ProbeFailure>& probeFailures() const { return probeFailures_; }
    // Whether the last pass freed a slot: interfaces present now may take it at the next pass.
    bool lastPassReleasedSlots() const { return releasedSlots_; }

private:
    bool attachPresentInterfaces(std::stop_token stop, bool& stopped);
    bool probeAndAssign(const std::wstring& path, std::stop_token stop);
    bool detachVanishedInterfaces(std::stop_token stop);

    SlotList& slots_;
    platform::HidBackend& backend_;
    ScanEvents& events_;
    std::unique_ptr<CHidDevice> probe_; // made on first use, open only during one probe
    bool firstPass_ = true;
    uint64_t enumerations_ = 0;
    bool releasedSlots_ = false;
    std::vector<ProbeFailure> probeFailures_;
};

} // namespace morva::hid
