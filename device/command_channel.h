#pragma once

#include "base/clock.h"
#include "device/command_packet.h"
#include "device/device_info_record.h"
#include "device/report_transport.h"
#include "hid/hid_device.h"
#include "platform/hid_backend.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace morva::device {

// The command channel on a device's vendor interface: turns each command into 64-byte request
// packets, waits for the reply to each, checks its status and copies returned data out.
// Every operation returns one of the result codes of command_packet.h (1, 0, -1, -102, -103,
// -201). Safe to use from several threads: ordinary commands are serialised by the command
// lock, light frames by the light lock, and each packet's write and reads by the device lock.
class DeviceCommandChannel {
public:
    static constexpr uint16_t kMaxBlockLength = 512;
    static constexpr uint32_t kTimeoutMs = 1000;
    static constexpr uint32_t kWirelessTimeoutMs = 5000;
    static constexpr uint32_t kEndTransactionPauseMs = 10;

    // A channel that owns its HID device, on the default HID backend or on the one given (which
    // must outlive the channel, as must the clock). Nothing is sent before open().
    DeviceCommandChannel();
    explicit DeviceCommandChannel(platform::HidBackend& backend,
                                  Clock& clock = RealClock::instance());
    // A channel over another transport (tests, benchmarks); it has no HID device of its own.
    // The transport and the clock must outlive the channel.
    explicit DeviceCommandChannel(ReportTransport& transport, Clock& clock = RealClock::instance());
    ~DeviceCommandChannel();
    DeviceCommandChannel(const DeviceCommandChannel&) = delete;
    DeviceCommandChannel& operator=(const DeviceCommandChannel&) = delete;

    // Opens the owned HID device on an interface path (for reading and writing, with
    // cancellable transfers) and sets the open flag. False, with the flag clear, when the path
    // cannot be opened or the channel has no HID device of its own.
    bool open(const std::wstring& path);
    // The owned HID device (the event channel reads the companion interface through it);
    // nullptr for a channel over another transport.
    hid::CHidDevice* hidDevice();

    // Set when the vendor interface was opened on attach; while clear nothing is sent.
    void setOpen(bool open) { open_ = open; }
    bool isOpen() const { return open_; }
    // Clears the open flag and ends a pending read or write at once with failure; an owned HID
    // device is closed once no transfer is left inside it.
    void close();

    // A device behind a wireless receiver: long time-outs and no live light frames.
    void setWireless(bool wireless) { wireless_ = wireless; }
    bool isWireless() const { return wireless_; }

    // Set while the device's lighting follows the shared synchronised effect.
    void setSynchronised(bool synchronised) { synchronised_ = synchronised; }
    bool isSynchronised() const { return synchronised_; }

    // Bytes of the key-table transfer (N × 3); the LED-index transfer is a third of it.
    // Values above 512 are refused and leave it unchanged.
    bool setBlockLength(uint16_t length);
    uint16_t blockLength() const { return blockLength_; }

    // True from the start to the end of any acknowledged exchange.
    bool exchangeInProgress() const { return exchangesInProgress_.load() > 0; }

    int beginTransaction();
    // Pauses 10 ms first, so the device has finished with the last write.
    int endTransaction();
    int readDeviceInfo(DeviceInfoRecord& info);
    int readSettings(uint16_t offset, std::span<uint8_t> block);
    int writeSettings(uint16_t offset, std::span<const uint8_t> block);
    // Reads block-length bytes; `table` must hold at least that many.
    int readKeyTable(std::span<uint8_t> table);
    // Writes the first block-length bytes of `table`; only profile 0 is accepted (-201).
    int writeKeyTable(uint8_t profileIndex, std::span<const uint8_t> table);
    // Reads block-length ÷ 3 bytes; `table` must hold at least that many.
    int readLedIndexTable(std::span<uint8_t> table);
    int writeLightFrame(uint16_t page, uint16_t pageSize, std::span<const uint8_t> frame);
    // The animation frame of the lighting refresh: packets are dropped while another command is
    // being exchanged and never sent to a wireless device (both count as success).
    int sendLiveFrame(std::span<const uint8_t> frame);
    int writeMacroImage(std::span<const uint8_t> image);
    // Takes no command lock.
    int writeGunKeyData(std::span<const uint8_t> image);
    // At most 56 bytes, read in a single packet.
    int readStatus(uint16_t offset, std::span<uint8_t> status);
    // True only when the receiver says the wireless device is linked.
    bool checkLink();

private:
    enum class LockScope { Command, Light, None };

    uint32_t timeoutMs() const { return wireless_ ? kWirelessTimeoutMs : kTimeoutMs; }
    std::mutex* lockFor(LockScope scope);

    int exchange(const CommandPacket& request, CommandPacket& reply);
    int simpleCommand(uint8_t command, CommandPacket& reply);
    int readTransfer(uint8_t command, uint16_t baseOffset, std::span<uint8_t> payload,
                     LockScope scope);
    int writeTransfer(uint8_t command, uint16_t baseOffset, std::span<const uint8_t> payload,
                      LockScope scope);
    // False (after tracing why) when the channel is closed or the offsets overrun 16 bits.
    bool canTransfer(uint8_t command, size_t total, uint16_t baseOffset) const;
    static CommandPacket chunkRequest(uint8_t command, const Chunk& chunk,
                                      std::span<const uint8_t> source);
    int chunkedTransfer(uint8_t command, uint16_t baseOffset, size_t total,
                        std::span<const uint8_t> source, std::span<uint8_t> target,
                        LockScope scope);
    int sendLivePacket(const CommandPacket& request);

    // The HID device of a channel that owns one, and the transport over it.
    struct OwnedHid;
    static std::unique_ptr<OwnedHid> makeOwnedHid(platform::HidBackend& backend);

    std::unique_ptr<OwnedHid> owned_; // declared before transport_, which may refer to it
    ReportTransport& transport_;
    Clock& clock_;
    std::atomic<bool> open_ = false;
    std::atomic<bool> wireless_ = false;
    std::atomic<bool> synchronised_ = false;
    std::atomic<uint16_t> blockLength_ = kMaxBlockLength;
    std::atomic<int> exchangesInProgress_ = 0;
    std::mutex deviceLock_;
    std::mutex commandLock_;
    std::mutex lightLock_;
};

} // namespace morva::device
