#pragma once

#include "base/trace.h"
#include "base/window_messages.h"
#include "device/mousepad/pad_exchanges.h"
#include "device/profiled_device.h"
#include "ui/controls/mp_device_power.h"
#include "ui/toolkit/window.h"

namespace morva::device {

// A host-lit device with the pad's short settings block (the mouse pad, the headset's vendor
// side): it keeps the block as last read with the profile's lighting placed into it, writes it
// back, reads it again when the device asks for synchronisation, and polls the power status.
template <typename Profile> class MirroredSettingsDevice : public HostLitDevice<Profile> {
public:
    static constexpr uint16_t kSynchronisationRequest = 0x0401;
    static constexpr TickMs kReadSettingsDelayMs = 500;

    // The device information in a transaction and the settings block while the channel is
    // open, then the profile, the page and the lighting thread. The block is read here so that
    // no write ever replaces the device's own bytes with zeros.
    void Connect() override {
        DeviceCommandChannel& channel = this->commandChannel();
        if (channel.isOpen()) {
            DeviceInfoRecord info;
            channel.beginTransaction();
            channel.readDeviceInfo(info);
            channel.endTransaction();
            if (const std::optional<PadSettings> read = pad::readSettings(channel)) {
                mirror_ = *read;
            }
        }
        this->ApplyProfile();
        this->RefreshPage();
        this->StartLighting();
    }

    // The profile's lighting also takes its place in the block, so the next write carries it.
    int LoadLightSettings() override {
        const int result = HostLitDevice<Profile>::LoadLightSettings();
        mirror_ = withProfileLight(mirror_, this->profile_.ReadLightInfo());
        return result;
    }

    // A block that cannot be read leaves the mirror as it was: zeros in its place would later
    // overwrite the device's own settings.
    void ReadSettings() override {
        DeviceCommandChannel& channel = this->commandChannel();
        channel.setSynchronised(false);
        const std::optional<PadSettings> read = pad::readSettings(channel);
        if (!read) {
            trace("%s: the settings block could not be read\n",
                  std::string(this->className()).c_str());
            return;
        }
        mirror_ = *read;
        if (ui::Window* window = this->mainWindow()) {
            window->sendMessage(kMsgSettingsRead, mirror_.profileIndex);
        }
    }

    // Reports success whatever the channel said; a failure is told as every failed write.
    int WriteSettings(const CKestraneUSBDevice::SettingsWriteRequest& request) override {
        if (!this->commandChannel().isOpen()) {
            return 1;
        }
        const int result = pad::writeSettings(this->commandChannel(), mirror_,
                                              static_cast<uint8_t>(request.profileIndex));
        if (result != kResultOk) {
            this->ReportWriteFailure(kPartSettings, result);
        }
        return 1;
    }

    // A status that cannot be read leaves the widget as it was.
    void StatusPoll() override {
        const std::optional<ui::PowerReport> report = pad::readStatus(this->commandChannel());
        if (!report) {
            return;
        }
        if (auto* widget = dynamic_cast<ui::CMpDevicePowerUI*>(this->powerWidget())) {
            widget->showReport(*report);
        }
        if (ui::Window* window = this->mainWindow()) {
            window->sendMessage(kMsgStatusPolled, report->eventCode);
        }
    }

    const PadSettings& settingsMirror() const { return mirror_; }

protected:
    explicit MirroredSettingsDevice(uint16_t ownType) : HostLitDevice<Profile>(ownType) {}

    void HandleEventCode(uint16_t code) override {
        if (code == kSynchronisationRequest) {
            this->StartTabTimer(tab_timer::kReadSettings, kReadSettingsDelayMs);
        }
    }

private:
    PadSettings mirror_;
};

} // namespace morva::device
