// What a device (or something posing as one) answers: the input is the stream of 64-byte
// replies the command channel reads, in order, while the program connects to a keyboard, a mouse
// and a mouse pad and reads their settings and status. The same bytes also go straight to the
// protocol decoders as the blocks, tables, images and event codes they take.

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/keyboard/custom_light_page.h"
#include "device/keyboard/keyboard_events.h"
#include "device/keyboard/keyboard_exchanges.h"
#include "device/keyboard/keyboard_key_maps.h"
#include "device/keyboard/keyboard_settings_block.h"
#include "device/macro_image.h"
#include "device/mouse/mouse_exchanges.h"
#include "device/mouse/mouse_settings_block.h"
#include "device/mousepad/pad_exchanges.h"
#include "device/mousepad/pad_settings_block.h"
#include "device/mousepad/pad_status.h"
#include "device/report_transport.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace morva;
using namespace morva::device;

// Every write is taken; every read hands out the next 64 bytes of the input (zeros after a short
// tail) until the input is used up, after which the device stays silent.
class ReplayedDevice final : public ReportTransport {
public:
    explicit ReplayedDevice(std::span<const uint8_t> replies) : replies_(replies) {}

    bool writeReport(std::span<const uint8_t, kPacketSize>, uint32_t) override { return true; }
    bool readReport(std::span<uint8_t, kPacketSize> report, uint32_t) override {
        if (replies_.empty()) {
            return false;
        }
        const size_t taken = std::min(replies_.size(), kPacketSize);
        std::fill(report.begin(), report.end(), uint8_t{0});
        std::copy_n(replies_.begin(), taken, report.begin());
        replies_ = replies_.subspan(taken);
        return true;
    }
    void cancel() override {}

private:
    std::span<const uint8_t> replies_;
};

// Pauses between commands cost no time here.
class InstantClock final : public Clock {
public:
    TickMs nowMs() const override { return now_; }
    bool sleepFor(TickMs ms, std::stop_token) override {
        now_ += ms;
        return true;
    }

private:
    TickMs now_ = 0;
};

// The key maps the keyboard's replies made.
KeyboardKeyMaps connectAndRead(std::span<const uint8_t> replies) {
    ReplayedDevice device(replies);
    InstantClock clock;
    DeviceCommandChannel channel(device, clock);
    channel.setOpen(true);

    const keyboard::Tables keyboardTables = keyboard::readTables(channel);
    keyboard::readSettings(channel, KeyboardSettings{});

    mouse::readTables(channel);
    mouse::readSettings(channel, profiles::LightInfoRecord{});
    pad::readSettings(channel);
    pad::readStatus(channel);
    channel.checkLink();
    return keyboardTables.maps;
}

void decodeDirectly(std::span<const uint8_t> input, const KeyboardKeyMaps& deviceMaps) {
    decodeMacroImage(input);
    decodeCustomPage(input, deviceMaps);
    const size_t half = input.size() / 2;
    const KeyboardKeyMaps maps = buildKeyboardKeyMaps(input.first(half), input.subspan(half));
    decodeCustomPage(input, maps);
    mouse::buildButtonMap(input);
    decodeKeyboardEvent(static_cast<uint16_t>(input.size() < 2 ? 0 : input[0] | input[1] << 8));
    decodeKeyboardSettings(fuzz::leadingBytes<kKeyboardSettingsBlockSize>(input),
                           KeyboardSettings{});
    decodeMouseSettings(fuzz::leadingBytes<kMouseSettingsBlockSize>(input),
                        profiles::LightInfoRecord{});
    decodePadSettings(fuzz::leadingBytes<kPadSettingsReadSize>(input), 0);
    decodePadStatus(fuzz::leadingBytes<kPadStatusSize>(input), false);
    decodePadStatus(fuzz::leadingBytes<kPadStatusSize>(input), true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    decodeDirectly(input, connectAndRead(input));
    return 0;
}
