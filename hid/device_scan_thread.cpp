#include "hid/device_scan_thread.h"

#include "base/trace.h"

namespace morva::hid {
namespace {

constexpr TickMs kStopCheckMs = 1;
constexpr TickMs kPassPauseMs = 100;

} // namespace

DeviceScanThread::DeviceScanThread(SlotList& slots, platform::HidBackend& backend,
                                   ScanEvents& events, Clock& clock)
    : scanner_(slots, backend, events), clock_(clock) {}

DeviceScanThread::~DeviceScanThread() {
    stop();
}

bool DeviceScanThread::start() {
    return worker_.start([this](std::stop_token stop) { run(stop); });
}

bool DeviceScanThread::stop(TickMs timeoutMs) {
    return worker_.stop(timeoutMs);
}

void DeviceScanThread::run(std::stop_token stop) {
    for (;;) {
        if (!clock_.sleepFor(kStopCheckMs, stop)) {
            trace("抓取设备线程设定退出\n");
            return;
        }
        if (scanner_.runPass(stop) == DeviceScanner::PassResult::kStopped) {
            continue; // the stop check above ends the thread
        }
        ++passes_;
        clock_.sleepFor(kPassPauseMs, stop);
    }
}

} // namespace morva::hid
