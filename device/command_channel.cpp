#include "device/command_channel.h"

#include "base/text.h"
#include "base/trace.h"
#include "device/hid_report_transport.h"
#include "hid/hid_default_backend.h"

#include <algorithm>

namespace morva::device {
namespace {

constexpr std::string_view kLiveFrameDropped = "放弃灯光数据\n";

// Marks an acknowledged exchange as running for as long as it lives. A count rather than a flag,
// so that two exchanges under different locks do not clear each other's mark.
class ExchangeMark {
public:
    explicit ExchangeMark(std::atomic<int>& count) : count_(count) { ++count_; }
    ~ExchangeMark() { --count_; }
    ExchangeMark(const ExchangeMark&) = delete;
    ExchangeMark& operator=(const ExchangeMark&) = delete;

private:
    std::atomic<int>& count_;
};

} // namespace

struct DeviceCommandChannel::OwnedHid {
    explicit OwnedHid(platform::HidBackend& backend) : device(backend), transport(device) {}
    hid::CHidDevice device;
    HidReportTransport transport;
};

std::unique_ptr<DeviceCommandChannel::OwnedHid>
DeviceCommandChannel::makeOwnedHid(platform::HidBackend& backend) {
    return std::make_unique<OwnedHid>(backend);
}

DeviceCommandChannel::DeviceCommandChannel() : DeviceCommandChannel(hid::defaultHidBackend()) {}

DeviceCommandChannel::DeviceCommandChannel(platform::HidBackend& backend, Clock& clock)
    : owned_(makeOwnedHid(backend)), transport_(owned_->transport), clock_(clock) {}

DeviceCommandChannel::DeviceCommandChannel(ReportTransport& transport, Clock& clock)
    : transport_(transport), clock_(clock) {}

hid::CHidDevice* DeviceCommandChannel::hidDevice() {
    return owned_ ? &owned_->device : nullptr;
}

// A borrowed transport belongs to someone else, who may still use it; only an owned HID device
// is closed here.
DeviceCommandChannel::~DeviceCommandChannel() {
    if (owned_) {
        close();
    }
}

bool DeviceCommandChannel::open(const std::wstring& path) {
    if (!owned_) {
        return false;
    }
    std::lock_guard device(deviceLock_);
    open_ = false;
    if (!owned_->device.Open(path, true, true, true, false)) {
        trace("command channel: cannot open %s: %s\n", WideToUtf8(path).c_str(),
              owned_->device.lastOpenError().c_str());
        return false;
    }
    open_ = true;
    return true;
}

void DeviceCommandChannel::close() {
    open_ = false;
    transport_.cancel();
    // Not under the device lock: a pending read holds it until the close has ended the read.
    if (owned_) {
        owned_->device.Close();
    }
}

bool DeviceCommandChannel::setBlockLength(uint16_t length) {
    if (length > kMaxBlockLength) {
        return false;
    }
    blockLength_ = length;
    return true;
}

std::mutex* DeviceCommandChannel::lockFor(LockScope scope) {
    switch (scope) {
    case LockScope::Command:
        return &commandLock_;
    case LockScope::Light:
        return &lightLock_;
    case LockScope::None:
        break;
    }
    return nullptr;
}

// One request, its reply, and one more read when the reply echoes another command (a stray
// report from an earlier exchange). The device lock covers the write and its reads together,
// so that a live frame can never slip in between a request and its reply.
int DeviceCommandChannel::exchange(const CommandPacket& request, CommandPacket& reply) {
    if (!open_) {
        return kResultNoReply;
    }
    ExchangeMark mark(exchangesInProgress_);
    tracePacket(kTraceRequest, request);

    const uint32_t timeout = timeoutMs();
    int result = kResultNoReply;
    {
        std::lock_guard device(deviceLock_);
        if (!transport_.writeReport(request, timeout)) {
            return kResultWriteFailed;
        }
        reply.fill(0);
        bool arrived = transport_.readReport(reply, timeout);
        if (arrived && !replyEchoes(reply, packetCommand(request))) {
            // The second reply is taken whatever it echoes; when none comes, the trace still
            // shows the stray one.
            CommandPacket second{};
            arrived = transport_.readReport(second, timeout);
            if (arrived) {
                reply = second;
            }
        }
        result = arrived ? kResultOk : kResultNoReply;
    }
    tracePacket(kTraceReply, reply);
    return result;
}

int DeviceCommandChannel::simpleCommand(uint8_t command, CommandPacket& reply) {
    const CommandPacket request = buildSimpleRequest(command);
    std::lock_guard lock(commandLock_);
    const int result = exchange(request, reply);
    return result == kResultOk ? statusResult(packetStatus(reply)) : result;
}

bool DeviceCommandChannel::canTransfer(uint8_t command, size_t total, uint16_t baseOffset) const {
    if (!open_) {
        return false;
    }
    if (!offsetsFit(total, baseOffset)) {
        trace("command %02x: %zu bytes from offset %u overrun the 16-bit offset field\n", command,
              total, baseOffset);
        return false;
    }
    return true;
}

CommandPacket DeviceCommandChannel::chunkRequest(uint8_t command, const Chunk& chunk,
                                                 std::span<const uint8_t> source) {
    const std::span<const uint8_t> data =
        source.empty() ? source : source.subspan(chunk.position, chunk.length);
    return buildRequest(command, chunk.length, chunk.offset, data);
}

int DeviceCommandChannel::chunkedTransfer(uint8_t command, uint16_t baseOffset, size_t total,
                                          std::span<const uint8_t> source,
                                          std::span<uint8_t> target, LockScope scope) {
    if (!canTransfer(command, total, baseOffset)) {
        return kResultNoReply;
    }
    std::mutex* lock = lockFor(scope);
    CommandPacket reply{};
    for (size_t index = 0; index < chunkCount(total); ++index) {
        const Chunk chunk = chunkAt(total, baseOffset, index);
        const CommandPacket request = chunkRequest(command, chunk, source);
        int result = kResultOk;
        {
            std::unique_lock<std::mutex> guard =
                lock != nullptr ? std::unique_lock(*lock) : std::unique_lock<std::mutex>();
            result = exchange(request, reply);
        }
        if (result == kResultOk) {
            result = statusResult(packetStatus(reply));
        }
        if (result != kResultOk) {
            return result; // the chunks before stay with the device
        }
        if (!target.empty()) {
            std::copy_n(reply.begin() + packet_byte::kData, chunk.length,
                        target.begin() + static_cast<std::ptrdiff_t>(chunk.position));
        }
    }
    return kResultOk;
}

int DeviceCommandChannel::readTransfer(uint8_t command, uint16_t baseOffset,
                                       std::span<uint8_t> payload, LockScope scope) {
    return chunkedTransfer(command, baseOffset, payload.size(), {}, payload, scope);
}

int DeviceCommandChannel::writeTransfer(uint8_t command, uint16_t baseOffset,
                                        std::span<const uint8_t> payload, LockScope scope) {
    return chunkedTransfer(command, baseOffset, payload.size(), payload, {}, scope);
}

// A live frame packet: no echo check, no trace, and it does not mark an exchange.
int DeviceCommandChannel::sendLivePacket(const CommandPacket& request) {
    if (wireless_) {
        return kResultOk;
    }
    if (exchangeInProgress()) {
        traceText(kLiveFrameDropped);
        return kResultOk;
    }
    CommandPacket reply{};
    {
        std::lock_guard light(lightLock_);
        std::lock_guard device(deviceLock_);
        if (!open_) {
            return kResultNoReply;
        }
        if (!transport_.writeReport(request, kTimeoutMs)) {
            return kResultWriteFailed;
        }
        if (!transport_.readReport(reply, kTimeoutMs)) {
            return kResultNoReply;
        }
    }
    return statusResult(packetStatus(reply));
}

int DeviceCommandChannel::beginTransaction() {
    CommandPacket reply{};
    return simpleCommand(command::kBeginTransaction, reply);
}

int DeviceCommandChannel::endTransaction() {
    if (!open_) {
        return kResultNoReply;
    }
    clock_.sleepFor(kEndTransactionPauseMs);
    CommandPacket reply{};
    return simpleCommand(command::kEndTransaction, reply);
}

bool DeviceCommandChannel::checkLink() {
    CommandPacket reply{};
    const CommandPacket request = buildSimpleRequest(command::kLinkCheck);
    std::lock_guard lock(commandLock_);
    return linkCheckPassed(exchange(request, reply), reply);
}

int DeviceCommandChannel::readDeviceInfo(DeviceInfoRecord& info) {
    return readTransfer(command::kReadDeviceInfo, 0, info.bytes, LockScope::Command);
}

int DeviceCommandChannel::readSettings(uint16_t offset, std::span<uint8_t> block) {
    return readTransfer(command::kReadSettings, offset, block, LockScope::Command);
}

int DeviceCommandChannel::writeSettings(uint16_t offset, std::span<const uint8_t> block) {
    return writeTransfer(command::kWriteSettings, offset, block, LockScope::Command);
}

int DeviceCommandChannel::readKeyTable(std::span<uint8_t> table) {
    const uint16_t length = blockLength_;
    if (table.size() < length) {
        return kResultNoReply;
    }
    return readTransfer(command::kReadKeyTable, 0, table.first(length), LockScope::Command);
}

int DeviceCommandChannel::writeKeyTable(uint8_t profileIndex, std::span<const uint8_t> table) {
    if (profileIndex != 0) {
        return kResultBadProfileIndex;
    }
    const uint16_t length = blockLength_;
    if (table.size() < length) {
        return kResultNoReply;
    }
    return writeTransfer(command::kWriteKeyTable, 0, table.first(length), LockScope::Command);
}

int DeviceCommandChannel::readLedIndexTable(std::span<uint8_t> table) {
    const uint16_t length = static_cast<uint16_t>(blockLength_ / 3);
    if (table.size() < length) {
        return kResultNoReply;
    }
    return readTransfer(command::kReadLedIndexTable, 0, table.first(length), LockScope::Command);
}

int DeviceCommandChannel::writeLightFrame(uint16_t page, uint16_t pageSize,
                                          std::span<const uint8_t> frame) {
    const uint32_t offset = uint32_t{page} * pageSize;
    if (offset > 0xFFFF) {
        trace("command %02x: page %u of %u bytes overruns the 16-bit offset field\n",
              command::kWriteLightFrame, page, pageSize);
        return kResultNoReply;
    }
    return writeTransfer(command::kWriteLightFrame, static_cast<uint16_t>(offset), frame,
                         LockScope::Light);
}

int DeviceCommandChannel::sendLiveFrame(std::span<const uint8_t> frame) {
    if (!canTransfer(command::kLiveLightFrame, frame.size(), 0)) {
        return kResultNoReply;
    }
    for (size_t index = 0; index < chunkCount(frame.size()); ++index) {
        const Chunk chunk = chunkAt(frame.size(), 0, index);
        const int result = sendLivePacket(chunkRequest(command::kLiveLightFrame, chunk, frame));
        if (result != kResultOk) {
            return result;
        }
    }
    return kResultOk;
}

int DeviceCommandChannel::writeMacroImage(std::span<const uint8_t> image) {
    return writeTransfer(command::kWriteMacroImage, 0, image, LockScope::Command);
}

int DeviceCommandChannel::writeGunKeyData(std::span<const uint8_t> image) {
    return writeTransfer(command::kWriteGunKeyData, 0, image, LockScope::None);
}

int DeviceCommandChannel::readStatus(uint16_t offset, std::span<uint8_t> status) {
    if (status.size() > kChunkSize) {
        return kResultNoReply;
    }
    return readTransfer(command::kReadStatus, offset, status, LockScope::Command);
}

} // namespace morva::device
