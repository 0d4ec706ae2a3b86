#include "hid/hid_device.h"

#include "base/text.h"
#include "base/trace.h"
#include "hid/hid_default_backend.h"
#include "hid/hid_interface_list.h"
#include "hid/hid_path.h"

#include <chrono>

namespace morva::hid {
namespace {

using platform::HidIoResult;
using platform::HidOpenResult;
using SteadyClock = std::chrono::steady_clock;

int toPlatformTimeout(uint32_t timeoutMs) {
    return timeoutMs == kHidInfinite ? platform::kHidInfiniteTimeout
                                     : static_cast<int>(std::min<uint32_t>(timeoutMs, 0x7FFFFFFF));
}

int remainingMs(int timeoutMs, SteadyClock::time_point begin) {
    if (timeoutMs < 0) {
        return timeoutMs;
    }
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - begin).count();
    return spent >= timeoutMs ? 0 : timeoutMs - static_cast<int>(spent);
}

// What a closed device reports: no collection, no capabilities.
std::shared_ptr<const HidPreparsedData> noPreparsedData() {
    static const auto none = std::make_shared<const HidPreparsedData>();
    return none;
}

} // namespace

CHidDevice::CHidDevice() : CHidDevice(defaultHidBackend()) {}

CHidDevice::CHidDevice(platform::HidBackend& backend)
    : backend_(backend), preparsed_(noPreparsedData()) {}

CHidDevice::~CHidDevice() {
    Close();
    FreePathList();
}

bool CHidDevice::EnumerateHidInterfaces() {
    FreePathList();
    std::vector<HidInterfaceEntry> interfaces;
    if (!listHidInterfaces(backend_, interfaces)) {
        return false;
    }
    paths_.reserve(interfaces.size());
    for (auto& entry : interfaces) {
        paths_.push_back(std::move(entry.path));
    }
    return true;
}

const std::wstring* CHidDevice::NextPath() {
    return pathCursor_ < paths_.size() ? &paths_[pathCursor_++] : nullptr;
}

void CHidDevice::FreePathList() {
    paths_.clear();
    paths_.shrink_to_fit();
    pathCursor_ = 0;
}

bool CHidDevice::failOpen(HidOpenResult result, std::string reason) {
    lastOpenResult_ = result;
    lastOpenError_ = std::move(reason);
    return false;
}

bool CHidDevice::Open(const std::wstring& path, bool forRead, bool forWrite, bool overlapped,
                      bool shareReadOnly) {
    Close();
    openForRead_ = forRead;
    openForWrite_ = forWrite;
    overlapped_ = overlapped;
    shareReadOnly_ = shareReadOnly;
    path_ = path;
    lastOpenResult_ = HidOpenResult::kOk;
    lastOpenError_.clear();
    if (!openConnection()) {
        return false;
    }
    loadCapabilities();
    return true;
}

bool CHidDevice::openConnection() {
    std::string node;
    std::string instance;
    if (!splitHidPath(path_, node, instance)) {
        return failOpen(HidOpenResult::kNotFound, "not a HID interface path");
    }
    auto connection = std::make_shared<Connection>();
    platform::HidOpenRequest request{openForRead_, openForWrite_, shareReadOnly_};
    const HidOpenResult result = backend_.open(node, instance, request, connection->channel);
    if (result != HidOpenResult::kOk) {
        return failOpen(result, std::string(platform::describeHidOpenResult(result)));
    }
    platform::HidNodeInfo info;
    if (!backend_.describe(node, instance, info)) {
        return failOpen(HidOpenResult::kNotFound, "the device's attributes cannot be read");
    }
    HidReportDescriptor descriptor;
    std::string error;
    if (!parseHidReportDescriptor(info.reportDescriptor, descriptor, error)) {
        return failOpen(HidOpenResult::kFailed, "bad report descriptor: " + error);
    }
    const int index = collectionIndexOfPath(path_, descriptor);
    if (index < 0) {
        return failOpen(HidOpenResult::kNotFound, "the device has no such collection");
    }
    connection->usesReportIds = descriptor.usesReportIds;
    connection->preparsed = std::make_shared<const HidPreparsedData>(
        std::move(descriptor.collections[static_cast<size_t>(index)]));
    preparsed_ = connection->preparsed;
    attributes_ = {info.vendorId, info.productId, info.versionNumber};
    std::lock_guard lock(mutex_);
    connection_ = std::move(connection);
    return true;
}

void CHidDevice::loadCapabilities() {
    for (size_t i = 0; i < kHidReportTypeCount; ++i) {
        const auto type = static_cast<HidReportType>(i);
        HidReportSet& set = sets_[i];
        set.report.assign(preparsed_->reportByteLength(type), 0);
        set.buttonCaps = preparsed_->of(type).buttonCaps;
        set.valueCaps = preparsed_->of(type).valueCaps;
        set.data = buildUsageDataList(type, *preparsed_);
    }
    interfaceNumber_ = parseInterfaceNumber(path_);
    collectionNumber_ = parseCollectionNumber(path_);
}

bool CHidDevice::Reopen() {
    const std::wstring path = path_;
    return Open(path, openForRead_, openForWrite_, overlapped_, shareReadOnly_);
}

void CHidDevice::Cancel() {
    std::lock_guard lock(mutex_);
    // Also without a transfer in progress: the channel keeps the signal for the next wait.
    if (connection_) {
        connection_->channel->cancel();
    }
}

void CHidDevice::Close() {
    std::shared_ptr<Connection> connection;
    {
        std::unique_lock lock(mutex_);
        connection = std::move(connection_);
        connection_.reset();
        // Each cancellation ends one waiting transfer; repeat until every one has left, so no
        // transfer is still inside the channel when it is closed.
        while (connection && activeTransfers_ > 0) {
            connection->channel->cancel();
            transfersEnded_.wait_for(lock, std::chrono::milliseconds(5),
                                     [&] { return activeTransfers_ == 0; });
        }
    }
    connection.reset();
    // A reader still decoding with the old data holds its own reference to it.
    preparsed_ = noPreparsedData();
    attributes_ = {};
    for (auto& set : sets_) {
        set = {};
    }
}

bool CHidDevice::IsOpen() const {
    std::lock_guard lock(mutex_);
    return connection_ != nullptr;
}

std::shared_ptr<CHidDevice::Connection> CHidDevice::beginTransfer(std::atomic<uint32_t>& flag) {
    std::lock_guard lock(mutex_);
    if (!connection_) {
        return nullptr;
    }
    ++activeTransfers_;
    flag.store(1, std::memory_order_relaxed);
    return connection_;
}

void CHidDevice::endTransfer(std::atomic<uint32_t>& flag) {
    {
        std::lock_guard lock(mutex_);
        --activeTransfers_;
        flag.store(0, std::memory_order_relaxed);
    }
    transfersEnded_.notify_all();
}

bool CHidDevice::Read(uint32_t length, uint32_t& bytesRead, uint8_t* buffer, uint32_t timeoutMs) {
    bytesRead = 0;
    if (buffer == nullptr || length < 2) {
        return false;
    }
    const auto connection = beginTransfer(reading_);
    if (!connection) {
        return false;
    }
    const int timeout = toPlatformTimeout(timeoutMs);
    const auto begin = SteadyClock::now();
    HidIoResult result = HidIoResult::kOk;
    for (;;) {
        size_t got = 0;
        if (connection->usesReportIds) {
            result = connection->channel->read({buffer, length}, remainingMs(timeout, begin), got);
            // Reports of the node's other collections are not ours to see.
            if (result == HidIoResult::kOk &&
                !connection->preparsed->ownsReport(HidReportType::kInput, buffer[0])) {
                continue;
            }
        } else {
            result = connection->channel->read({buffer + 1, length - 1u},
                                               remainingMs(timeout, begin), got);
            buffer[0] = 0;
            got += 1;
        }
        if (result == HidIoResult::kOk) {
            bytesRead = static_cast<uint32_t>(got);
        }
        break;
    }
    endTransfer(reading_);
    if (result != HidIoResult::kOk && result != HidIoResult::kTimedOut &&
        result != HidIoResult::kCancelled) {
        trace("HID read on %s failed: %s\n", WideToUtf8(path_).c_str(),
              std::string(platform::describeHidIoResult(result)).c_str());
    }
    return result == HidIoResult::kOk;
}

bool CHidDevice::Write(uint32_t length, uint32_t& bytesWritten, const uint8_t* buffer,
                       uint32_t timeoutMs) {
    bytesWritten = 0;
    if (buffer == nullptr || length < 2) {
        return false;
    }
    const auto connection = beginTransfer(writing_);
    if (!connection) {
        return false;
    }
    // Without report IDs the platform takes the report without the leading 0.
    const size_t skip = connection->usesReportIds ? 0 : 1;
    size_t sent = 0;
    const HidIoResult result = connection->channel->write({buffer + skip, length - skip},
                                                          toPlatformTimeout(timeoutMs), sent);
    if (result == HidIoResult::kOk) {
        bytesWritten = static_cast<uint32_t>(sent + skip);
    }
    endTransfer(writing_);
    return result == HidIoResult::kOk;
}

bool CHidDevice::SetOutputReport(const uint8_t* buffer, uint32_t length) {
    if (buffer == nullptr || length < 2) {
        return false;
    }
    const auto connection = beginTransfer(writing_);
    if (!connection) {
        return false;
    }
    const size_t skip = connection->usesReportIds ? 0 : 1;
    const bool ok = connection->channel->setOutputReport({buffer + skip, length - skip});
    endTransfer(writing_);
    return ok;
}

bool CHidDevice::DecodeInputReport(std::vector<HidUsageData>& list, const uint8_t* report,
                                   uint32_t reportLength, const HidPreparsedData& preparsed) {
    if (report == nullptr) {
        return false;
    }
    return decodeInputReport(list, {report, reportLength}, preparsed);
}

} // namespace morva::hid
