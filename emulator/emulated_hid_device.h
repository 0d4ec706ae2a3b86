#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace morva::emulator {

class EmulatedHidChannel;
class SimulatedTime;

// One emulated USB HID device: identifiers, one or more HID interfaces (each with its report
// descriptor) and their report streams. The command firmware builds on the output hook: every
// output report written to any interface arrives at onOutputReport, which may answer with
// queueInputReport.
class EmulatedHidDevice {
public:
    struct Interface {
        int number = 0;
        std::vector<uint8_t> reportDescriptor;
    };

    using OutputHandler = std::function<void(int interfaceNumber, std::span<const uint8_t> report)>;

    EmulatedHidDevice(uint16_t vendorId, uint16_t productId, uint16_t versionNumber,
                      std::vector<Interface> interfaces);
    virtual ~EmulatedHidDevice();
    EmulatedHidDevice(const EmulatedHidDevice&) = delete;
    EmulatedHidDevice& operator=(const EmulatedHidDevice&) = delete;

    uint16_t vendorId() const { return vendorId_; }
    uint16_t productId() const { return productId_; }
    uint16_t versionNumber() const { return versionNumber_; }
    const std::vector<Interface>& interfaces() const { return interfaces_; }

    // Every output report written to an interface (by an interrupt write or a set-report
    // request), on the writer's thread, bytes exactly as the host sent them (report ID first when
    // the descriptor uses report IDs). The default passes it to the output handler, if any.
    // False when the device refuses the report: the host's write then fails.
    virtual bool onOutputReport(int interfaceNumber, std::span<const uint8_t> report);
    void setOutputHandler(OutputHandler handler);

    // Sends an input report on an interface: every channel open on it then receives it, in
    // order. Reports sent while no channel is open are lost, as on the wire. Empty reports are
    // ignored. Thread-safe; may be called from onOutputReport. On a bus with simulated time a
    // report may come `delayMs` after now; on real time it comes at once.
    void queueInputReport(int interfaceNumber, std::span<const uint8_t> report,
                          uint32_t delayMs = 0);

    // The bus's simulated time, when the bus has one (set on plugging); null on real time.
    void setSimulatedTime(std::shared_ptr<SimulatedTime> time);
    std::shared_ptr<SimulatedTime> simulatedTime() const;

    // How many output reports arrived so far (all interfaces).
    size_t outputReportCount() const;

    // Bus side: an output report from a channel; counts it and passes it to onOutputReport.
    bool receiveOutputReport(int interfaceNumber, std::span<const uint8_t> report);
    // Bus side: channels register here while open; a device pulled from the bus ends them.
    void attachChannel(const std::shared_ptr<EmulatedHidChannel>& channel);
    void detachChannel(const EmulatedHidChannel* channel);
    void disconnectAll();

private:
    uint16_t vendorId_;
    uint16_t productId_;
    uint16_t versionNumber_;
    std::vector<Interface> interfaces_;

    mutable std::mutex mutex_;
    OutputHandler outputHandler_;
    size_t outputReports_ = 0;
    std::vector<std::weak_ptr<EmulatedHidChannel>> channels_;
    std::shared_ptr<SimulatedTime> simulatedTime_;
};

} // namespace morva::emulator
