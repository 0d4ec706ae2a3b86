#pragma once

#include "platform/device_change_monitor.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the operating system offers for HID: a list of HID nodes (one per device interface, with
// its whole report descriptor) and raw report I/O on one node. Splitting a node into top-level
// collections is HID knowledge and lives above this layer.
namespace morva::platform {

struct HidNodeInfo {
    std::string node;     // what open() takes, e.g. "/dev/hidraw3"
    std::string instance; // identifies this attachment of the device, so a reused node is noticed
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    int interfaceNumber = -1; // USB interface number; -1 when the device is not on USB
    std::vector<uint8_t> reportDescriptor;
};

struct HidOpenRequest {
    bool read = false;
    bool write = false;
    // Sharing modes have no equivalent on every platform; a backend may ignore this.
    bool shareReadOnly = false;
};

enum class HidOpenResult { kOk, kNotFound, kAccessDenied, kBusy, kFailed };

enum class HidIoResult { kOk, kTimedOut, kCancelled, kDisconnected, kFailed };

inline constexpr int kHidInfiniteTimeout = -1;

// The longest report descriptor a HID device can have (the kernel's HID_MAX_DESCRIPTOR_SIZE).
inline constexpr size_t kHidMaxReportDescriptorSize = 4096;

std::string_view describeHidOpenResult(HidOpenResult result);
std::string_view describeHidIoResult(HidIoResult result);

// One open node. Reports move whole: one read returns one report (truncated to the buffer), one
// write sends one report. read and write may run on different threads at the same time.
class HidChannel {
public:
    virtual ~HidChannel() = default;
    // Waits up to timeoutMs (kHidInfiniteTimeout: no limit) for one report.
    virtual HidIoResult read(std::span<uint8_t> buffer, int timeoutMs, size_t& bytesRead) = 0;
    virtual HidIoResult write(std::span<const uint8_t> report, int timeoutMs,
                              size_t& bytesWritten) = 0;
    // Sends an output report through the control pipe instead of the interrupt pipe.
    virtual bool setOutputReport(std::span<const uint8_t> report) = 0;
    // Ends one waiting read or write at once with kCancelled. When none is waiting, the next wait
    // ends at once instead (the signal stays set until a wait consumes it). Thread-safe.
    virtual void cancel() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every HID node present now, in a stable order. False when the list cannot be read.
    virtual bool enumerate(std::vector<HidNodeInfo>& nodes) = 0;
    // The facts of one node; false when it is not present (or is another attachment than
    // instance, when instance is not empty).
    virtual bool describe(const std::string& node, const std::string& instance,
                          HidNodeInfo& info) = 0;
    virtual HidOpenResult open(const std::string& node, const std::string& instance,
                               const HidOpenRequest& request,
                               std::unique_ptr<HidChannel>& channel) = 0;
    // Presence check that needs no access rights to the node.
    virtual bool isPresent(const std::string& node, const std::string& instance) = 0;
    // A monitor that wakes when this backend's nodes come or go; null, with the reason, when the
    // backend cannot tell (its users then have to look again from time to time).
    virtual std::unique_ptr<DeviceChangeMonitor> openChangeMonitor(std::string& whyNot);
};

} // namespace morva::platform
