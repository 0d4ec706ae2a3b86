#pragma once

#include "base/clock.h"
#include "base/worker.h"
#include "device/command_channel.h"
#include "hid/hid_device.h"
#include "hid/hid_model_tables.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace morva::device {

// A device's two interfaces: the command channel on the vendor collection, and the companion
// collection, whose reader thread decodes each input report into an event code. Knows nothing of
// pages or panels: the device decides what an event code does.
class DeviceLink {
public:
    // Gets each event code on the reader thread.
    using EventSink = std::function<void(uint16_t code)>;

    DeviceLink();
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Makes both channels on another backend (the emulated bus, a test's transport); refused
    // while either is open.
    bool useHidBackend(platform::HidBackend& backend, Clock& clock);

    // The clock of the channels, which the device's lighting runs on too.
    Clock& clock() const { return *clock_; }
    DeviceCommandChannel& command() { return *command_; }
    DeviceCommandChannel& event() { return *event_; }
    // Channels made with a backend always own their HID device.
    hid::CHidDevice& commandHid() { return *command_->hidDevice(); }
    hid::CHidDevice& eventHid() { return *event_->hidDevice(); }

    // Opens the command channel on the slot's path; a wireless mouse's channel never streams
    // live frames.
    bool openCommand(const hid::InterfaceSlot& slot);
    void closeCommand() { command_->close(); }

    // Opens the companion interface on the path and starts the reader thread. False, with why in
    // `error`, when it is open already or cannot be opened.
    bool startEventReader(const std::wstring& path, EventSink sink, std::string& error);
    // Closes the companion interface and ends the reader.
    void closeEvent();
    bool eventOpen() const { return eventOpen_.load(); }
    bool eventReaderRunning() const { return eventReader_.running(); }
    // The path the companion interface was opened on (empty while closed).
    const std::wstring& eventPath() const { return eventPath_; }
    // Ends the reader with the bounded wait; true when it ended in time.
    bool stopWorkers(TickMs timeoutMs);

private:
    void readEvents(std::stop_token stop, const hid::HidPreparsedData& preparsed,
                    const EventSink& sink);

    Clock* clock_ = &RealClock::instance();
    std::unique_ptr<DeviceCommandChannel> command_;
    std::unique_ptr<DeviceCommandChannel> event_;
    std::atomic<bool> eventOpen_ = false;
    std::wstring eventPath_;
    Worker eventReader_{"DeviceEventThread"};
};

} // namespace morva::device
