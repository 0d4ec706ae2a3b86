// Host time of the command channel against the emulated firmware with zero latency: what the
// program itself costs per exchange, apart from the device.
#include "device/command_channel.h"
#include "emulator/firmware/direct_transport.h"
#include "emulator/firmware/keyboard_firmware.h"

#include <benchmark/benchmark.h>
#include <numeric>
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
    emu::KeyboardFirmware firmware;
    emu::DirectFirmwareTransport transport{firmware};
    NoPauseClock clock;
    DeviceCommandChannel channel{transport, clock};
    std::vector<uint8_t> table;
    std::vector<uint8_t> frame;
};

void perExchange(benchmark::State& state, size_t exchangesPerIteration) {
    state.counters["exchange"] =
        benchmark::Counter(static_cast<double>(state.iterations() * exchangesPerIteration),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The key-table command alone: 7 exchanges of 56, ..., 42 bytes.
void BM_KeyTableCommand(benchmark::State& state) {
    KeyboardRig rig;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.channel.writeKeyTable(0, rig.table));
    }
    perExchange(state, chunkCount(rig.table.size()));
}
BENCHMARK(BM_KeyTableCommand);

// The whole sequence of a key-table write: re-read the device information, Begin, the table,
// End: 10 exchanges.
void BM_FullKeyTableWrite(benchmark::State& state) {
    KeyboardRig rig;
    DeviceInfoRecord info;
    for (auto _ : state) {
        rig.channel.readDeviceInfo(info);
        rig.channel.beginTransaction();
        rig.channel.writeKeyTable(0, rig.table);
        benchmark::DoNotOptimize(rig.channel.endTransaction());
    }
    perExchange(state, 3 + chunkCount(rig.table.size()));
}
BENCHMARK(BM_FullKeyTableWrite);

// One 378-byte live frame: 7 packets.
void BM_LiveFrame378(benchmark::State& state) {
    KeyboardRig rig;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.channel.sendLiveFrame(rig.frame));
    }
    perExchange(state, chunkCount(rig.frame.size()));
}
BENCHMARK(BM_LiveFrame378);

} // namespace
} // namespace morva
