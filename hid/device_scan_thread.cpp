#include "hid/device_scan_thread.h"

#include "base/trace.h"

namespace morva::hid {

DeviceScanThread::DeviceScanThread(SlotList& slots, platform::HidBackend& backend,
                                   ScanEvents& events, Clock& clock)
    : scanner_(slots, backend, events), backend_(backend), clock_(clock) {}

DeviceScanThread::~DeviceScanThread() {
    stop();
}

bool DeviceScanThread::start() {
    if (running()) {
        return false;
    }
    std::string whyNot;
    monitor_ = backend_.openChangeMonitor(whyNot);
    if (monitor_) {
        waitsForChanges_ = true;
    } else {
        fallBackToPolling(whyNot);
    }
    return worker_.start([this](std::stop_token stop) { run(stop); });
}

bool DeviceScanThread::stop(TickMs timeoutMs) {
    return worker_.stop(timeoutMs);
}

void DeviceScanThread::fallBackToPolling(const std::string& why) {
    monitor_.reset();
    waitsForChanges_ = false;
    trace("device scan: no device-change events (%s); looking for devices every %llu ms\n",
          why.c_str(), static_cast<unsigned long long>(kPollPauseMs));
}

void DeviceScanThread::run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        const DeviceScanner::PassResult result = scanner_.runPass(stop);
        if (result == DeviceScanner::PassResult::kStopped) {
            break;
        }
        ++passes_;
        if (!waitForNextPass(result, stop)) {
            break;
        }
    }
    trace("抓取设备线程设定退出\n");
}

bool DeviceScanThread::waitForNextPass(DeviceScanner::PassResult lastPass, std::stop_token stop) {
    if (scanner_.lastPassReleasedSlots()) {
        return !stop.stop_requested();
    }
    if (!monitor_) {
        return clock_.sleepFor(kPollPauseMs, stop);
    }
    if (lastPass == DeviceScanner::PassResult::kEnumerationFailed) {
        // No event may come for what the failed look missed; the changes meanwhile are drained
        // at the next wait.
        return clock_.sleepFor(kRetryPauseMs, stop);
    }
    return waitForChange(stop);
}

bool DeviceScanThread::waitForChange(std::stop_token stop) {
    switch (platform::waitForDeviceChange(*monitor_, stop)) {
    case platform::DeviceChangeWait::kChanged:
        return true;
    case platform::DeviceChangeWait::kStopped:
        return false;
    case platform::DeviceChangeWait::kFailed:
        break;
    }
    fallBackToPolling("the device-change monitor failed");
    return clock_.sleepFor(kPollPauseMs, stop);
}

} // namespace morva::hid
