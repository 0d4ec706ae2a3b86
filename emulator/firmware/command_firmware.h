#pragma once

#include "device/command_packet.h"
#include "device/device_info_record.h"
#include "emulator/firmware/firmware_faults.h"
#include "emulator/firmware/memory_area.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// The firmware side of the command protocol, for the emulated devices: it answers 64-byte
// request packets from its memory, which tests read and preset. Pure and synchronous: the
// caller (a transport) serialises the calls and delivers the replies.
namespace morva::emulator {

// What the device information record says about the device, and how many profiles it keeps.
struct FirmwareConfig {
    uint8_t keyCount = 0;   // N: key table N × 3 bytes, LED-index table N bytes
    uint8_t macroUnits = 0; // macro memory in 128-byte units
    uint8_t dpiPerStep = 0;
    uint16_t dpiSteps = 0;
    uint16_t lowestDpi = 0;
    uint8_t profileCount = 4;
    // Report id of the reports on the consumer collection; must agree with the descriptor.
    uint8_t consumerReportId = 0x03;
};

// Where a device type keeps its settings blocks: read and written blocks may differ in length
// and in the stride between profiles.
struct SettingsLayout {
    size_t readLength = 0;
    size_t readStride = 0;
    size_t writeLength = 0;
    size_t writeStride = 0;
};

// Which memories a device type has and how large those not given by the config are.
struct MemoryLayout {
    SettingsLayout settings;
    bool ledIndexTable = false;
    size_t gunKeyBytes = 0;
    size_t lightPageSize = 0;
    size_t lightPageCount = 0;
    size_t liveFrameBytes = 0;
    size_t statusBytes = 0;
};

// The device's answer to one output report: whether the write went through, and the input
// reports it sends back, in order.
struct FirmwareResponse {
    static constexpr size_t kMaxReplies = 4;
    bool accepted = true;
    // How much later than the device's usual latency the replies come (a Late fault).
    uint32_t extraDelayMs = 0;
    std::array<device::CommandPacket, kMaxReplies> replies{};
    size_t replyCount = 0;

    void add(const device::CommandPacket& reply) {
        if (replyCount < kMaxReplies) {
            replies[replyCount++] = reply;
        }
    }
    std::span<const device::CommandPacket> replyList() const {
        return std::span<const device::CommandPacket>(replies).first(replyCount);
    }
};

// Report id, then the 16-bit event code, low byte first.
using ConsumerReport = std::array<uint8_t, 3>;

inline constexpr uint8_t kStatusOk = 0x00;
// Sizes every device type shares: the live-frame buffer and the status report.
inline constexpr size_t kLiveFrameBytes = 512;
inline constexpr size_t kStatusBytes = 6;
inline constexpr uint16_t kSynchronisationRequest = 0x0401;
inline constexpr uint16_t kKeyDownBase = 0x0500;
inline constexpr uint16_t kKeyUpBase = 0x0600;

class CommandFirmware {
public:
    CommandFirmware(const FirmwareConfig& config, const MemoryLayout& layout);
    virtual ~CommandFirmware() = default;
    CommandFirmware(const CommandFirmware&) = delete;
    CommandFirmware& operator=(const CommandFirmware&) = delete;

    // One request packet in, the replies out.
    FirmwareResponse handleRequest(std::span<const uint8_t, device::kPacketSize> request);
    // Any output report written to the vendor collection: command packets go to handleRequest,
    // other reports to the device type.
    FirmwareResponse receiveOutputReport(std::span<const uint8_t> report);

    // Memory, as the host left it.
    const FirmwareConfig& config() const { return config_; }
    const MemoryLayout& layout() const { return layout_; }
    device::DeviceInfoRecord& deviceInfo() { return deviceInfo_; }
    std::span<uint8_t> settingsMemory() { return settings_.bytes(); }
    // The block of a profile as the host reads it, and as the host writes it.
    std::span<uint8_t> settingsBlock(size_t profile);
    std::span<uint8_t> writtenSettingsBlock(size_t profile);
    std::span<uint8_t> keyTable() { return keyTable_.bytes(); }
    std::span<uint8_t> ledIndexTable() { return ledIndexTable_.bytes(); }
    std::span<uint8_t> macroMemory() { return macroMemory_.bytes(); }
    std::span<uint8_t> gunKeyMemory() { return gunKeyMemory_.bytes(); }
    std::span<uint8_t> lightPage(size_t page);
    // The most recent live frame, as far as it has arrived.
    std::span<const uint8_t> lastLiveFrame() const;
    // Live frames begun (packets with offset 0).
    size_t liveFramesReceived() const { return liveFrames_; }
    std::span<uint8_t> status() { return status_.bytes(); }

    bool inTransaction() const { return inTransaction_; }
    size_t transactionsBegun() const { return transactionsBegun_; }
    size_t transactionsEnded() const { return transactionsEnded_; }

    // Every request that reached the device (also refused ones), while recording is on.
    const std::vector<device::CommandPacket>& requests() const { return requests_; }
    void setRecordRequests(bool record) { recordRequests_ = record; }
    void clearRequests() { requests_.clear(); }
    // Requests refused for a bad report id, checksum or chunk length.
    size_t malformedRequests() const { return malformedRequests_; }

    // Faults.
    // delayMs: how much later than usual the reply of a Late fault comes.
    void injectFault(FaultKind kind, int command = kAnyCommand, uint32_t nth = 1,
                     uint32_t delayMs = 0);
    void clearFaults() { faults_.clear(); }
    // A silent device takes every request and never answers.
    void setSilent(bool silent) { silent_ = silent; }
    // How long the device takes to answer; the transport honours it.
    void setLatencyMs(uint32_t ms) { latencyMs_ = ms; }
    uint32_t latencyMs() const { return latencyMs_; }
    // An unplugged device accepts nothing; the transport fails every transfer. The callback
    // runs when an Unplug fault fires, for a bus that then removes the device.
    bool isPlugged() const { return plugged_; }
    void plugIn() { plugged_ = true; }
    void setUnplugCallback(std::function<void()> callback) { onUnplug_ = std::move(callback); }

    // Reports on the consumer collection. With a sink they go to it at once; without one they
    // wait in the outbox.
    void sendSynchronisationRequest() { sendConsumerEvent(kSynchronisationRequest); }
    void sendKeyDown(uint8_t key) { sendConsumerEvent(static_cast<uint16_t>(kKeyDownBase + key)); }
    void sendKeyUp(uint8_t key) { sendConsumerEvent(static_cast<uint16_t>(kKeyUpBase + key)); }
    void setConsumerSink(std::function<void(const ConsumerReport&)> sink) {
        consumerSink_ = std::move(sink);
    }
    std::vector<ConsumerReport> takeConsumerReports();

protected:
    // Carries out one well-formed request; returns the reply status and fills the reply's data.
    virtual uint8_t execute(std::span<const uint8_t, device::kPacketSize> request,
                            device::CommandPacket& reply);
    // Whether the device answers this command at all right now (a receiver without its mouse
    // answers only the link check).
    virtual bool answers(uint8_t /*command*/) const { return true; }
    // Output reports other than command packets; ignored unless a device type knows them.
    virtual FirmwareResponse handleOtherReport(std::span<const uint8_t> report);

private:
    void unplug();
    void sendConsumerEvent(uint16_t code);
    static bool wellFormed(std::span<const uint8_t, device::kPacketSize> request);
    uint8_t readInto(const MemoryArea& area, std::span<const uint8_t, device::kPacketSize> request,
                     device::CommandPacket& reply) const;
    uint8_t writeFrom(MemoryArea& area, std::span<const uint8_t, device::kPacketSize> request);
    uint8_t storeLiveFrame(std::span<const uint8_t, device::kPacketSize> request);
    uint8_t storeGunKeyChunk(std::span<const uint8_t, device::kPacketSize> request);

    FirmwareConfig config_;
    MemoryLayout layout_;
    device::DeviceInfoRecord deviceInfo_;
    MemoryArea settings_;
    MemoryArea keyTable_;
    MemoryArea ledIndexTable_;
    MemoryArea macroMemory_;
    MemoryArea gunKeyMemory_;
    // Where the next chunk of the gun-key image must start; none after a short (last) chunk.
    std::optional<size_t> gunKeyNextOffset_;
    MemoryArea lightPages_;
    MemoryArea liveFrame_;
    size_t liveFrameLength_ = 0;
    size_t liveFrames_ = 0;
    MemoryArea status_;

    bool inTransaction_ = false;
    size_t transactionsBegun_ = 0;
    size_t transactionsEnded_ = 0;

    std::vector<device::CommandPacket> requests_;
    bool recordRequests_ = true;
    size_t malformedRequests_ = 0;

    FaultSchedule faults_;
    bool silent_ = false;
    uint32_t latencyMs_ = 0;
    bool plugged_ = true;
    std::function<void()> onUnplug_;

    std::function<void(const ConsumerReport&)> consumerSink_;
    std::deque<ConsumerReport> consumerOutbox_;
};

// A reply packet: report id, echoed command, the request's chunk length and offset, the status;
// data is added by the caller.
device::CommandPacket replyTo(std::span<const uint8_t, device::kPacketSize> request,
                              uint8_t status);

} // namespace morva::emulator
