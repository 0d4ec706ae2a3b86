#include "hid/device_scanner.h"

#include "base/text.h"
#include "base/trace.h"
#include "hid/hid_interface_list.h"
#include "hid/hid_path.h"
#include "platform/hid_access_advice.h"

namespace morva::hid {

LoopScanEvents::LoopScanEvents(EventLoop& loop, Handlers handlers)
    : loop_(loop), handlers_(std::move(handlers)) {}

bool LoopScanEvents::deviceAttached(size_t slot, std::stop_token stop) {
    return loop_.send(
        [this, slot] {
            if (handlers_.attached) {
                handlers_.attached(slot);
            }
        },
        stop);
}

bool LoopScanEvents::deviceDetached(size_t slot, std::stop_token stop) {
    return loop_.send(
        [this, slot] {
            if (handlers_.detached) {
                handlers_.detached(slot);
            }
        },
        stop);
}

void LoopScanEvents::firstPassDone() {
    loop_.post([this] {
        if (handlers_.instance) {
            handlers_.instance();
        }
    });
}

namespace {

// The program has no window for this: a node it may not open is explained in the trace.
void traceProbeFailure(const std::wstring& path, platform::HidOpenResult result,
                       const std::string& reason) {
    trace("probe of %s failed: %s\n", WideToUtf8(path).c_str(), reason.c_str());
    std::string node;
    std::string instance;
    if (result == platform::HidOpenResult::kAccessDenied && splitHidPath(path, node, instance)) {
        traceText(platform::hidAccessAdvice(node));
    }
}

} // namespace

DeviceScanner::DeviceScanner(SlotList& slots, platform::HidBackend& backend, ScanEvents& events)
    : slots_(slots), backend_(backend), events_(events) {}

DeviceScanner::~DeviceScanner() = default;

DeviceScanner::PassResult DeviceScanner::runPass(std::stop_token stop) {
    PassResult result = PassResult::kDone;
    if (slots_.anySlotFree()) {
        bool stopped = false;
        if (!attachPresentInterfaces(stop, stopped)) {
            // One failed look is no reason to stop looking: the next pass tries again.
            trace("HID enumeration failed; trying again at the next pass\n");
            result = PassResult::kEnumerationFailed;
        }
        if (stopped) {
            return PassResult::kStopped;
        }
    }
    if (!detachVanishedInterfaces(stop)) {
        return PassResult::kStopped;
    }
    return result;
}

bool DeviceScanner::attachPresentInterfaces(std::stop_token stop, bool& stopped) {
    if (!probe_) {
        probe_ = std::make_unique<CHidDevice>(backend_);
    }
    probeFailures_.clear();
    ++enumerations_;
    if (!probe_->EnumerateHidInterfaces()) {
        return false;
    }
    while (const std::wstring* path = probe_->NextPath()) {
        if (!probeAndAssign(*path, stop)) {
            stopped = true;
            break;
        }
    }
    if (firstPass_ && !stopped) {
        events_.firstPassDone();
        firstPass_ = false;
    }
    probe_->FreePathList();
    return true;
}

// False only when a stop request ended the attach message.
bool DeviceScanner::probeAndAssign(const std::wstring& path, std::stop_token stop) {
    InterfaceSlot key;
    key.vendorId = parseVendorId(path);
    key.productId = parseProductId(path);
    key.interfaceNumber = parseInterfaceNumber(path);
    key.collectionNumber = parseCollectionNumber(path);
    key.path = path;
    // Rows that share identifiers (all the 0:0 rows) would otherwise take the same interface
    // again on every pass, one slot after another.
    if (!slots_.preMatch(key) || slots_.isAssigned(path)) {
        return true;
    }
    if (!probe_->Open(path, true, false, true, false)) {
        probeFailures_.push_back({path, probe_->lastOpenResult(), probe_->lastOpenError()});
        traceProbeFailure(path, probe_->lastOpenResult(), probe_->lastOpenError());
        return true;
    }
    key.vendorId = probe_->attributes().vendorId;
    key.productId = probe_->attributes().productId;
    key.usagePage = probe_->caps().usagePage;
    key.usage = probe_->caps().usage;
    const int slot = slots_.assign(key);
    bool delivered = true;
    if (slot >= 0) {
        delivered = events_.deviceAttached(static_cast<size_t>(slot), stop);
    }
    probe_->Close();
    return delivered;
}

bool DeviceScanner::detachVanishedInterfaces(std::stop_token stop) {
    releasedSlots_ = false;
    const auto slots = slots_.snapshot();
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].connected == 0 || isHidPathPresent(backend_, slots[i].path)) {
            continue;
        }
        slots_.release(i);
        releasedSlots_ = true;
        if (!events_.deviceDetached(i, stop)) {
            return false;
        }
    }
    return true;
}

} // namespace morva::hid
