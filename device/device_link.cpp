#include "device/device_link.h"

#include "base/trace.h"

#include <algorithm>
#include <vector>

namespace morva::device {

DeviceLink::DeviceLink()
    : command_(std::make_unique<DeviceCommandChannel>()),
      event_(std::make_unique<DeviceCommandChannel>()) {}

DeviceLink::~DeviceLink() {
    // The reader reads through the event channel: end it before the channels go.
    event_->close();
    eventReader_.stop();
    command_->close();
}

bool DeviceLink::useHidBackend(platform::HidBackend& backend, Clock& clock) {
    if (command_->isOpen() || commandHid().IsOpen() || eventOpen_ || eventHid().IsOpen()) {
        return false;
    }
    command_ = std::make_unique<DeviceCommandChannel>(backend, clock);
    event_ = std::make_unique<DeviceCommandChannel>(backend, clock);
    clock_ = &clock;
    return true;
}

bool DeviceLink::openCommand(const hid::InterfaceSlot& slot) {
    if (!command_->open(slot.path)) {
        return false;
    }
    command_->setWireless(slot.deviceType == hid::kDeviceWirelessMouse);
    return true;
}

bool DeviceLink::startEventReader(const std::wstring& path, EventSink sink, std::string& error) {
    if (eventOpen_) {
        error = "the event interface is open already";
        return false;
    }
    // Only the event channel's HID device is used: its open flag stays clear, so no command is
    // ever sent on the companion interface.
    hid::CHidDevice& hid = eventHid();
    if (!hid.Open(path, true, true, true, false)) {
        error = hid.lastOpenError();
        return false;
    }
    eventPath_ = path;
    eventOpen_ = true;
    // Taken here, on the thread that also closes: a close while the reader decodes a report must
    // not free what it decodes with.
    eventReader_.start([this, preparsed = hid.sharedPreparsedData(), sink = std::move(sink)](
                           std::stop_token stop) { readEvents(stop, *preparsed, sink); });
    return true;
}

void DeviceLink::closeEvent() {
    eventOpen_ = false;
    event_->close(); // ends the pending read of the reader
    eventReader_.stop();
    eventPath_.clear();
}

bool DeviceLink::stopWorkers(TickMs timeoutMs) {
    eventHid().Cancel();
    return eventReader_.stop(timeoutMs);
}

void DeviceLink::readEvents(std::stop_token stop, const hid::HidPreparsedData& preparsed,
                            const EventSink& sink) {
    hid::CHidDevice& hid = eventHid();
    std::stop_callback cancelRead(stop, [&hid] { hid.Cancel(); });
    std::vector<uint8_t> report(
        std::max<size_t>(preparsed.reportByteLength(hid::HidReportType::kInput), 1));
    std::vector<hid::HidUsageData> usages =
        hid::buildUsageDataList(hid::HidReportType::kInput, preparsed);
    while (!stop.stop_requested()) {
        uint32_t bytesRead = 0;
        if (!hid.Read(static_cast<uint32_t>(report.size()), bytesRead, report.data(),
                      hid::kHidInfinite)) {
            // Without a time-out a read fails only when it was cancelled, the channel closed or
            // the interface went away: in every case the reader has nothing left to read.
            break;
        }
        if (!hid::CHidDevice::DecodeInputReport(usages, report.data(), bytesRead, preparsed)) {
            continue;
        }
        // The event code is the first usage of the first input button item.
        uint16_t code = 0;
        for (const hid::HidUsageData& item : usages) {
            if (item.isButton != 0) {
                code = item.usages.empty() ? 0 : item.usages.front();
                break;
            }
        }
        if (code != 0 && sink) {
            sink(code);
        }
    }
    trace("MS设备同步线程设定退出");
}

} // namespace morva::device
