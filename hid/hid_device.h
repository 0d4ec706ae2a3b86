#pragma once

#include "hid/hid_report_descriptor.h"
#include "hid/hid_usage_data.h"
#include "platform/hid_backend.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace morva::hid {

inline constexpr uint32_t kHidInfinite = 0xFFFFFFFF;

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// Buffers, capabilities and usage data list of one report type of the open interface.
struct HidReportSet {
    std::vector<uint8_t> report; // report byte length, zero-filled at open
    std::vector<HidUsageData> data;
    std::vector<HidReportCap> buttonCaps;
    std::vector<HidReportCap> valueCaps;
};

// One HID interface (one top-level collection): open, capabilities, whole-report reads and
// writes with a time-out, cancellable from another thread. Report buffers start with the report
// ID byte (0 for devices without report IDs), whatever the platform delivers. Also carries the
// path list of an enumeration.
class CHidDevice {
public:
    CHidDevice(); // on the default backend
    explicit CHidDevice(platform::HidBackend& backend);
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Path list (every present interface, in platform order). False on failure; the list is then
    // empty.
    bool EnumerateHidInterfaces();
    // The path under the cursor, advancing it; nullptr at the end of the list.
    const std::wstring* NextPath();
    void FreePathList();
    size_t PathCount() const { return paths_.size(); }

    // Closes what was open, then opens the interface. overlapped is accepted for the record:
    // every transfer here can time out and be cancelled. shareReadOnly may be ignored by the
    // platform. False when the path cannot be opened or its capabilities cannot be read;
    // lastOpenResult() tells which.
    bool Open(const std::wstring& path, bool forRead, bool forWrite, bool overlapped,
              bool shareReadOnly);
    bool Reopen();
    // Ends a pending read or write at once with failure, waits until it has left, then frees
    // everything. Safe while another thread waits in Read or Write, and when nothing is open.
    void Close();
    // Ends one pending read or write at once with failure (like setting the cancel event). When
    // none is in progress, the next one ends at once instead, so a stop that comes just before a
    // read starts is not lost; the signal lasts until a transfer takes it or the next Open.
    void Cancel();
    bool IsOpen() const;

    // One input report of this collection (reports of the node's other collections are
    // dropped). timeoutMs may be kHidInfinite. False on time-out, cancellation, a vanished
    // device or when not open; bytesRead is 0 then.
    bool Read(uint32_t length, uint32_t& bytesRead, uint8_t* buffer, uint32_t timeoutMs);
    // One output report; buffer[0] is the report ID.
    bool Write(uint32_t length, uint32_t& bytesWritten, const uint8_t* buffer, uint32_t timeoutMs);
    // An output report through the control pipe; buffer[0] is the report ID.
    bool SetOutputReport(const uint8_t* buffer, uint32_t length);

    static bool DecodeInputReport(std::vector<HidUsageData>& list, const uint8_t* report,
                                  uint32_t reportLength, const HidPreparsedData& preparsed);

    const std::wstring& path() const { return path_; }
    const HidCaps& caps() const { return preparsed_->caps; }
    const HidAttributes& attributes() const { return attributes_; }
    // Valid until the next Open or Close; for use on the thread that opens and closes.
    const HidPreparsedData& preparsedData() const { return *preparsed_; }
    // The same data, kept alive for as long as the caller holds it: for a reader on another
    // thread, which may still be decoding a report while the device is closed.
    std::shared_ptr<const HidPreparsedData> sharedPreparsedData() const { return preparsed_; }
    HidReportSet& input() { return sets_[0]; }
    HidReportSet& output() { return sets_[1]; }
    HidReportSet& feature() { return sets_[2]; }
    const HidReportSet& input() const { return sets_[0]; }
    uint32_t interfaceNumber() const { return interfaceNumber_; }
    uint32_t collectionNumber() const { return collectionNumber_; }
    bool reading() const { return reading_.load(std::memory_order_relaxed) != 0; }
    bool writing() const { return writing_.load(std::memory_order_relaxed) != 0; }
    platform::HidOpenResult lastOpenResult() const { return lastOpenResult_; }
    // Why the last Open failed, in words.
    const std::string& lastOpenError() const { return lastOpenError_; }
    platform::HidBackend& backend() const { return backend_; }

private:
    // What a transfer needs; kept alive by a transfer that runs while Close frees the object.
    struct Connection {
        std::unique_ptr<platform::HidChannel> channel;
        bool usesReportIds = false;
        std::shared_ptr<const HidPreparsedData> preparsed;
    };

    bool openConnection();
    void loadCapabilities();
    std::shared_ptr<Connection> beginTransfer(std::atomic<uint32_t>& flag);
    void endTransfer(std::atomic<uint32_t>& flag);
    bool failOpen(platform::HidOpenResult result, std::string reason);

    platform::HidBackend& backend_;
    std::vector<std::wstring> paths_;
    size_t pathCursor_ = 0;

    bool openForRead_ = false;
    bool openForWrite_ = false;
    bool overlapped_ = false;
    bool shareReadOnly_ = false;
    std::wstring path_;
    std::shared_ptr<const HidPreparsedData> preparsed_; // never null; empty while closed
    HidAttributes attributes_;
    HidReportSet sets_[kHidReportTypeCount];
    uint32_t interfaceNumber_ = 0;
    uint32_t collectionNumber_ = 0;
    platform::HidOpenResult lastOpenResult_ = platform::HidOpenResult::kOk;
    std::string lastOpenError_;

    mutable std::mutex mutex_; // guards connection_ and activeTransfers_
    std::condition_variable transfersEnded_;
    std::shared_ptr<Connection> connection_;
    int activeTransfers_ = 0;
    std::atomic<uint32_t> reading_{0};
    std::atomic<uint32_t> writing_{0};
};

} // namespace morva::hid
