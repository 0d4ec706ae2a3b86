// Host time of the command channel against the emulated firmware with zero latency: what the
// program itself costs per exchange, apart from the device. Two rigs: the channel straight on
// the firmware (the packet layer alone), and the whole stack (channel, CHidDevice, the emulated
// HID bus, the emulated keyboard and its firmware).
#include "device/command_channel.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware/direct_transport.h"
#include "emulator/firmware/keyboard_firmware.h"
#include "hid/hid_interface_list.h"

#include <benchmark/benchmark.h>
#include <numeric>
#include <type_traits>
#include <vector>

namespace morva {
namespace {

// The 10 ms pause before End transaction would hide the host's own time.
class NoPauseClock final : public Clock {
public:
    TickMs nowMs() const override { return 0; }
    bool sleepFor(TickMs, std::stop_token) override { return true; }
};

// A keyboard of 126 keys (a 378-byte key table) behind an open channel.
struct KeyboardRig {
    KeyboardRig() {
        firmware.setRecordRequests(false);
        transport.setRecordTransfers(false);
        channel.setOpen(true);
        channel.setBlockLength(static_cast<uint16_t>(firmware.keyTable().size()));
        table.assign(firmware.keyTable().begin(), firmware.keyTable().end());
        frame.resize(378);
        std::iota(frame.begin(), frame.end(), uint8_t{0});
    }
    emulator::KeyboardFirmware firmware;
    emulator::DirectFirmwareTransport transport{firmware};
    NoPauseClock clock;
    device::DeviceCommandChannel channel{transport, clock};
    std::vector<uint8_t> table;
    std::vector<uint8_t> frame;
};

// The same keyboard plugged into an emulated HID bus, the channel open on its vendor collection.
struct BusKeyboardRig {
    BusKeyboardRig() {
        firmware().setRecordRequests(false);
        const auto id = emulator::plugFirmwareDevice(bus, keyboard);
        std::vector<hid::HidInterfaceEntry> entries;
        hid::listHidInterfaces(bus, entries);
        for (const auto& entry : entries) {
            if (entry.node == emulator::EmulatedHidBus::nodeName(id, 1) &&
                entry.collectionNumber == 4) {
                opened = channel.open(entry.path);
            }
        }
        channel.setBlockLength(static_cast<uint16_t>(firmware().keyTable().size()));
        table.assign(firmware().keyTable().begin(), firmware().keyTable().end());
        frame.resize(378);
        std::iota(frame.begin(), frame.end(), uint8_t{0});
    }
    emulator::CommandFirmware& firmware() { return keyboard->firmware(); }

    emulator::EmulatedHidBus bus;
    std::shared_ptr<emulator::FirmwareHidDevice> keyboard = emulator::makeEmulatedKeyboard();
    NoPauseClock clock;
    device::DeviceCommandChannel channel{bus, clock};
    bool opened = false;
    std::vector<uint8_t> table;
    std::vector<uint8_t> frame;
};

template <typename Rig> bool ready(benchmark::State& state, Rig& rig) {
    if constexpr (std::is_same_v<Rig, BusKeyboardRig>) {
        if (!rig.opened) {
            state.SkipWithError("the emulated keyboard's vendor collection did not open");
            return false;
        }
    }
    return true;
}

void perExchange(benchmark::State& state, size_t exchangesPerIteration) {
    state.counters["exchange"] =
        benchmark::Counter(static_cast<double>(state.iterations() * exchangesPerIteration),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The key-table command alone: 7 exchanges of 56, ..., 42 bytes.
template <typename Rig> void BM_KeyTableCommand(benchmark::State& state) {
    Rig rig;
    if (!ready(state, rig)) {
        return;
    }
    for (auto _ : state) {
        if (rig.channel.writeKeyTable(0, rig.table) != device::kResultOk) {
            state.SkipWithError("key-table write failed");
            break;
        }
    }
    perExchange(state, device::chunkCount(rig.table.size()));
}
BENCHMARK(BM_KeyTableCommand<KeyboardRig>)->Name("Direct/KeyTableCommand");
BENCHMARK(BM_KeyTableCommand<BusKeyboardRig>)->Name("FullStack/KeyTableCommand");

// The whole sequence of a key-table write: re-read the device information, Begin, the table,
// End: 10 exchanges.
template <typename Rig> void BM_FullKeyTableWrite(benchmark::State& state) {
    Rig rig;
    if (!ready(state, rig)) {
        return;
    }
    device::DeviceInfoRecord info;
    for (auto _ : state) {
        const int results = rig.channel.readDeviceInfo(info) + rig.channel.beginTransaction() +
                            rig.channel.writeKeyTable(0, rig.table) + rig.channel.endTransaction();
        if (results != 4 * device::kResultOk) {
            state.SkipWithError("an exchange failed");
            break;
        }
    }
    perExchange(state, 3 + device::chunkCount(rig.table.size()));
}
BENCHMARK(BM_FullKeyTableWrite<KeyboardRig>)->Name("Direct/FullKeyTableWrite");
BENCHMARK(BM_FullKeyTableWrite<BusKeyboardRig>)->Name("FullStack/FullKeyTableWrite");

// One 378-byte live frame: 7 packets.
template <typename Rig> void BM_LiveFrame378(benchmark::State& state) {
    Rig rig;
    if (!ready(state, rig)) {
        return;
    }
    for (auto _ : state) {
        if (rig.channel.sendLiveFrame(rig.frame) != device::kResultOk) {
            state.SkipWithError("live frame failed");
            break;
        }
    }
    perExchange(state, device::chunkCount(rig.frame.size()));
}
BENCHMARK(BM_LiveFrame378<KeyboardRig>)->Name("Direct/LiveFrame378");
BENCHMARK(BM_LiveFrame378<BusKeyboardRig>)->Name("FullStack/LiveFrame378");

} // namespace
} // namespace morva
