// One pass of the discovery scan: with every slot free (an enumeration runs) and with every slot
// taken (only the removal check runs; no enumeration).
#include "emulator/emulated_descriptors.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "hid/device_scanner.h"
#include "platform/hid_linux_backend.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace morva {
namespace {

class NoMessages final : public hid::ScanEvents {
public:
    bool deviceAttached(size_t, std::stop_token) override { return true; }
    bool deviceDetached(size_t, std::stop_token) override { return true; }
    void firstPassDone() override {}
};

// Devices that are not supported: every pass enumerates, parses and finds nothing to probe.
void ScanPassAllSlotsFreeNothingSupported(benchmark::State& state) {
    emulator::EmulatedHidBus bus;
    for (int i = 0; i < 4; ++i) {
        bus.plug(std::make_shared<emulator::EmulatedHidDevice>(
            0x046D, 0xC077, 1,
            std::vector<emulator::EmulatedHidDevice::Interface>{
                {0, emulator::bootKeyboardDescriptor()},
                {1, emulator::controlInterfaceDescriptor()}}));
    }
    hid::SlotList slots;
    NoMessages events;
    hid::DeviceScanner scanner(slots, bus, events);
    for (auto _ : state) {
        scanner.runPass();
    }
    if (!slots.anySlotFree() ||
        scanner.enumerations() != static_cast<uint64_t>(state.iterations())) {
        state.SkipWithError("every pass should have enumerated");
    }
}
BENCHMARK(ScanPassAllSlotsFreeNothingSupported);

// The demo devices arrive: enumeration, probe opens and seven assignments per pass.
void ScanPassAllSlotsFreeDevicesArrive(benchmark::State& state) {
    emulator::EmulatedHidBus bus;
    bus.plug(emulator::makeEmulatedKeyboard());
    bus.plug(emulator::makeEmulatedMouse());
    bus.plug(emulator::makeEmulatedMousePad());
    bus.plug(emulator::makeEmulatedHeadset());
    NoMessages events;
    for (auto _ : state) {
        state.PauseTiming();
        hid::SlotList slots;
        hid::DeviceScanner scanner(slots, bus, events);
        state.ResumeTiming();
        scanner.runPass();
        benchmark::DoNotOptimize(slots);
    }
}
BENCHMARK(ScanPassAllSlotsFreeDevicesArrive);

// Every slot is taken: the pass only checks that the nine interfaces are still there.
void ScanPassAllSlotsTaken(benchmark::State& state) {
    emulator::EmulatedHidBus bus;
    bus.plug(emulator::makeEmulatedKeyboard());
    bus.plug(emulator::makeEmulatedMouse());
    bus.plug(emulator::makeEmulatedMousePad());
    bus.plug(emulator::makeEmulatedWirelessMouse());
    bus.plug(emulator::makeEmulatedHeadset());
    hid::SlotList slots;
    NoMessages events;
    hid::DeviceScanner scanner(slots, bus, events);
    scanner.runPass();
    if (slots.anySlotFree()) {
        state.SkipWithError("the devices should have taken every slot");
        return;
    }
    for (auto _ : state) {
        scanner.runPass();
    }
    if (scanner.enumerations() != 1) {
        state.SkipWithError("a pass with every slot taken enumerated");
    }
}
BENCHMARK(ScanPassAllSlotsTaken);

// The same free-slot pass through the hidraw backend, over a sysfs tree on disk holding the
// keyboard's two nodes and two unsupported ones.
void ScanPassAllSlotsFreeSysfs(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("morva-bench-" + std::to_string(::getpid()));
    const auto addNode = [&](int n, int interfaceNumber, const std::vector<uint8_t>& descriptor) {
        const fs::path usbInterface =
            root / "sys/devices/usb1/1-2" / ("1-2:1." + std::to_string(interfaceNumber + 10 * n));
        const fs::path hid = usbInterface / ("0003:0C45:8501.000" + std::to_string(n));
        fs::create_directories(hid);
        std::ofstream(hid / "uevent") << "HID_ID=0003:00000C45:00008501\n";
        std::ofstream(hid / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()),
                   static_cast<std::streamsize>(descriptor.size()));
        std::ofstream(usbInterface / "bInterfaceNumber") << interfaceNumber << "\n";
        const fs::path entry = root / "sys/class/hidraw" / ("hidraw" + std::to_string(n));
        fs::create_directories(entry);
        fs::create_directory_symlink(hid, entry / "device");
        fs::create_directories(root / "dev");
        std::ofstream(root / "dev" / ("hidraw" + std::to_string(n))) << "";
    };
    addNode(0, 0, emulator::bootKeyboardDescriptor());
    addNode(1, 1, emulator::controlInterfaceDescriptor());
    addNode(2, 2, emulator::bootMouseDescriptor());
    addNode(3, 3, emulator::bootMouseDescriptor());
    platform::LinuxHidBackend backend(root / "sys", root / "dev");
    NoMessages events;
    for (auto _ : state) {
        state.PauseTiming();
        hid::SlotList slots;
        hid::DeviceScanner scanner(slots, backend, events);
        state.ResumeTiming();
        scanner.runPass();
        benchmark::DoNotOptimize(slots);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}
BENCHMARK(ScanPassAllSlotsFreeSysfs);

} // namespace
} // namespace morva
