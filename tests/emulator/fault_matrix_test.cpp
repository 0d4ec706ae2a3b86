// Every write sequence of every device, against every fault the emulated firmware can show, at
// every request of the sequence: the sequence ends (on simulated time, so a silent device costs
// nothing), a write that did not wholly reach the device is told as a failure, and no data file
// changes.
#include "app/profile_device_adapter.h"
#include "device/command_channel.h"
#include "device/command_packet.h"
#include "device/keyboard/custom_light_page.h"
#include "device/keyboard/keyboard_device.h"
#include "device/mouse/mouse_device.h"
#include "macros/macro_event.h"
#include "macros/macro_file.h"
#include "macros/macro_list_edits.h"
#include "tests/devmgr/devmgr_fixture.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace morva::emulator::test {
namespace {

using emulator::FaultKind;

// A fault of the matrix: a kind of the firmware, and for late replies how late.
struct Fault {
    const char* name;
    FaultKind kind;
    uint32_t delayMs = 0;
    bool exchangeLost = true; // false: the exchange still succeeds (a reply late but in time)
    // The device and the channel are as before once the sequence ended; otherwise (unplugged, a
    // reply still on its way) the next run needs a fresh device.
    bool leavesDeviceAsItWas = true;
};

constexpr uint32_t kTimeout = device::DeviceCommandChannel::kTimeoutMs;

const Fault kFaults[] = {
    {"NoReply", FaultKind::NoReply},
    {"WrongEcho", FaultKind::WrongEcho},
    {"StatusFF", FaultKind::StatusFF},
    {"StatusFE", FaultKind::StatusFE},
    {"WriteFails", FaultKind::WriteFails},
    {"Unplug", FaultKind::Unplug, 0, true, false},
    {"LateJustInTime", FaultKind::Late, kTimeout - 1, false},
    {"LateJustTooLate", FaultKind::Late, kTimeout + 1, true, false},
};

// The program's main window on an emulated bus with simulated time, with one device of a type
// connected and user data in a folder of its own; every write failure the device tells is kept.
class Rig {
public:
    explicit Rig(uint16_t deviceType) {
        bus.useSimulatedTime();
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(devmgr::test::runtimeSkinFolder()));
        hid::setDefaultHidBackend(&bus);
        app::MainWindowConfig config;
        config.backend = &bus;
        config.inputCapture = &capture;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
        EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        EXPECT_TRUE(main->Create());
        loop.runPending();
        // The pad shares its identifiers with the mouse, whose rows come first.
        if (deviceType == hid::kDeviceMousePad) {
            bus.plug(makeEmulatedMouse());
            connect(hid::kDeviceMouse);
        }
        emulated = makeFor(deviceType);
        // An unplug fault pulls the device out of the bus, as a cable pulled mid-transfer.
        plugFirmwareDevice(bus, emulated);
        device = connect(deviceType);
        if (device != nullptr) {
            device->SetWriteFailureReporter(
                [this](device::CKestraneUSBDevice&, std::string_view what) {
                    failures.emplace_back(what);
                });
        }
    }
    ~Rig() {
        main.reset();
        hid::setDefaultHidBackend(nullptr);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    CommandFirmware& firmware() { return emulated->firmware(); }
    template <typename Device> Device& as() { return dynamic_cast<Device&>(*device); }

    morva::test::TempDir dataHome;
    morva::test::ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path().c_str()};
    EmulatedHidBus bus;
    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
    morva::test::ScriptedInputCapture capture;
    std::unique_ptr<app::CMainWnd> main;
    std::shared_ptr<FirmwareHidDevice> emulated;
    device::CKestraneUSBDevice* device = nullptr;
    std::vector<std::string> failures;

private:
    static std::shared_ptr<FirmwareHidDevice> makeFor(uint16_t deviceType) {
        switch (deviceType) {
        case hid::kDeviceKeyboard:
            return makeEmulatedKeyboard();
        case hid::kDeviceMouse:
            return makeEmulatedMouse();
        case hid::kDeviceMousePad:
            return makeEmulatedMousePad();
        default:
            return makeEmulatedHeadset();
        }
    }
    // The device of the first tab of a type, once it has connected (500 ms after its attach).
    device::CKestraneUSBDevice* connect(uint16_t deviceType) {
        for (app::CDeviceOptionUI* tab : main->devices().tabs()) {
            if (tab->device()->deviceType() != deviceType) {
                continue;
            }
            if (!loop.runUntil([&] { return tab->tabVisible(); }, 10000)) {
                return nullptr;
            }
            loop.advance(500);
            return tab->device();
        }
        return nullptr;
    }
};

// Every file under a folder with its bytes.
std::map<std::string, std::string> snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = morva::test::readText(entry.path());
        }
    }
    return files;
}

// Everything the device keeps that a write can change.
std::vector<uint8_t> deviceMemory(CommandFirmware& firmware) {
    std::vector<uint8_t> memory;
    for (std::span<const uint8_t> area : {std::span<const uint8_t>(firmware.settingsMemory()),
                                          std::span<const uint8_t>(firmware.keyTable()),
                                          std::span<const uint8_t>(firmware.macroMemory()),
                                          std::span<const uint8_t>(firmware.gunKeyMemory())}) {
        memory.insert(memory.end(), area.begin(), area.end());
    }
    for (size_t page = 0; page < firmware.layout().lightPageCount; ++page) {
        const std::span<const uint8_t> area = firmware.lightPage(page);
        memory.insert(memory.end(), area.begin(), area.end());
    }
    return memory;
}

// Fills what a write can change with a pattern no write sends, so that only what the sequence
// itself sends is found there afterwards.
void wipe(CommandFirmware& firmware) {
    for (std::span<uint8_t> area : {firmware.settingsMemory(), firmware.keyTable(),
                                    firmware.macroMemory(), firmware.gunKeyMemory()}) {
        std::fill(area.begin(), area.end(), uint8_t{0xA5});
    }
    for (size_t page = 0; page < firmware.layout().lightPageCount; ++page) {
        const std::span<uint8_t> area = firmware.lightPage(page);
        std::fill(area.begin(), area.end(), uint8_t{0xA5});
    }
}

// Two macros of key presses in the device's macro list.
void addMacros(Rig& rig) {
    const std::filesystem::path folder = rig.device->UserDataFolder();
    for (int m = 0; m < 2; ++m) {
        const std::string identifier = "2020_01_01_00_00_00_00" + std::to_string(m);
        std::vector<macros::MacroEvent> events;
        for (int i = 0; i < 12; ++i) {
            events.push_back(macros::makeMacroEvent(10, 0x04 + m, i % 2 == 0, 35));
        }
        ASSERT_EQ(macros::writeMacro(folder, identifier, "macro " + std::to_string(m), events),
                  FileWriteStatus::Ok);
        ASSERT_TRUE(
            macros::appendMacroEntry(folder, "macro " + std::to_string(m), identifier).ok());
    }
}

// A key given another function, so the key table written differs from the device's.
void assignKey(Rig& rig) {
    device::KeyAssignments& keys = *rig.device->keyAssignments();
    ASSERT_EQ(keys.select(1, rig.device->GetProfilePath()),
              device::KeyAssignments::Selection::Selected);
    profiles::KeyAssignmentRecord record = keys.keys()[1];
    record.assignment.code = {0x20, 0x01, 0x06};
    keys.storeSelected(record);
}

// Light settings the device does not hold yet, in the profile.
void changeLight(Rig& rig, uint8_t mode) {
    profiles::LightInfoRecord light = rig.device->lightSettings();
    light.mode = mode;
    light.red = 0x12;
    light.green = 0x34;
    light.blue = 0x56;
    rig.device->SetLightSettings(profiles::packLightInfo(light));
    rig.device->LoadLightSettings();
}

void changeEffect(Rig& rig) {
    changeLight(rig, 2);
}

void writeSettings(Rig& rig) {
    rig.device->WriteSettings({});
}

void writeKeyTable(Rig& rig) {
    rig.device->WriteCurrentKeyTable(0);
}

void writeMacros(Rig& rig) {
    rig.device->WriteMacros();
}

void writeGunKeys(Rig& rig) {
    rig.as<device::CKestraneMouseDevice>().WriteGunKeyData();
}

void sendCustomPage(Rig& rig) {
    rig.as<device::CKestraneKeyboardDevice>().SendCustomPage();
}

// The keyboard in its custom effect with every key painted.
void paintCustomPage(Rig& rig) {
    changeLight(rig, device::kCustomLightingEffect);
    rig.as<device::CKestraneKeyboardDevice>().FillCustomPage(true);
}

void prepareFullWrite(Rig& rig) {
    addMacros(rig);
    assignKey(rig);
    changeEffect(rig);
}

// As the profile panel writes a chosen profile.
void fullProfileWrite(Rig& rig) {
    app::ProfileDeviceAdapter adapter([] { return ui::Size{1920, 1080}; });
    adapter.bind(rig.device);
    adapter.applyFullProfileWrite(profiles::ProfileWriteReason::Selection);
}

// One write sequence: what it needs first, and the write itself.
struct Sequence {
    const char* name;
    uint16_t deviceType;
    std::function<void(Rig&)> prepare;
    std::function<void(Rig&)> write;
};

const Sequence kSequences[] = {
    {"KeyboardSettings", hid::kDeviceKeyboard, changeEffect, writeSettings},
    {"KeyboardKeyTable", hid::kDeviceKeyboard, assignKey, writeKeyTable},
    {"KeyboardMacros", hid::kDeviceKeyboard, addMacros, writeMacros},
    {"KeyboardCustomLightPage", hid::kDeviceKeyboard, paintCustomPage, sendCustomPage},
    {"KeyboardFullProfileWrite", hid::kDeviceKeyboard, prepareFullWrite, fullProfileWrite},
    {"MouseSettings", hid::kDeviceMouse, changeEffect, writeSettings},
    {"MouseKeyTable", hid::kDeviceMouse, assignKey, writeKeyTable},
    {"MouseMacros", hid::kDeviceMouse, addMacros, writeMacros},
    {"MouseGunKeys", hid::kDeviceMouse, [](Rig&) {}, writeGunKeys},
    {"MouseFullProfileWrite", hid::kDeviceMouse, prepareFullWrite, fullProfileWrite},
    {"MousePadSettings", hid::kDeviceMousePad, changeEffect, writeSettings},
    {"HeadsetSettings", hid::kDeviceHeadset, changeEffect, writeSettings},
};

// What one run of a sequence left behind.
struct Outcome {
    std::vector<uint8_t> memory;
    bool inTransaction = false;
    std::vector<std::string> failures;
    bool filesUnchanged = false;
    std::vector<device::CommandPacket> requests;
};

// A rig prepared for a sequence, to run it again and again, each time with another fault.
class Session {
public:
    explicit Session(const Sequence& sequence) : sequence_(sequence), rig_(sequence.deviceType) {
        if (rig_.device == nullptr) {
            ADD_FAILURE() << "the device did not connect";
            return;
        }
        sequence_.prepare(rig_);
        rig_.loop.runPending();
    }

    // Runs the sequence with a fault armed on the nth request of a command (none when nth is 0).
    // Counting one command's requests keeps the aim steady while the lighting engine's frames,
    // sent by its own thread, interleave differently from run to run.
    Outcome run(const Fault& fault, int command, uint32_t nth) {
        Outcome outcome;
        if (rig_.device == nullptr) {
            return outcome;
        }
        wipe(rig_.firmware());
        rig_.failures.clear();
        const auto before = snapshot(rig_.dataHome.path());
        rig_.firmware().clearRequests();
        if (nth > 0) {
            rig_.firmware().injectFault(fault.kind, command, nth, fault.delayMs);
        }
        sequence_.write(rig_);
        rig_.loop.runPending();
        rig_.firmware().clearFaults();
        outcome.memory = deviceMemory(rig_.firmware());
        outcome.inTransaction = rig_.firmware().inTransaction();
        outcome.failures = rig_.failures;
        outcome.filesUnchanged = snapshot(rig_.dataHome.path()) == before;
        outcome.requests = rig_.firmware().requests();
        return outcome;
    }

private:
    const Sequence& sequence_;
    Rig rig_;
};

bool writesData(const std::vector<device::CommandPacket>& requests) {
    for (const device::CommandPacket& request : requests) {
        switch (device::packetCommand(request)) {
        case device::command::kWriteSettings:
        case device::command::kWriteKeyTable:
        case device::command::kWriteLightFrame:
        case device::command::kWriteMacroImage:
        case device::command::kWriteGunKeyData:
            return true;
        default:
            break;
        }
    }
    return false;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text.empty() ? "none" : text;
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<size_t, size_t>> {
protected:
    const Sequence& sequence() const { return kSequences[std::get<0>(GetParam())]; }
    const Fault& fault() const { return kFaults[std::get<1>(GetParam())]; }
};

// The sequence runs once without a fault, then once per request it made with the fault on that
// request. A fault on the re-read of the device information may go untold when the write still
// landed whole (the device information read at connection serves); a fault on any other
// request loses part of the write, which must be told.
TEST_P(FaultMatrix, EndsToldAndWithoutDamage) {
    std::unique_ptr<Session> session = std::make_unique<Session>(sequence());
    const Outcome reference = session->run(fault(), kAnyCommand, 0);
    ASSERT_TRUE(writesData(reference.requests)) << "the sequence writes nothing";
    ASSERT_TRUE(reference.failures.empty()) << joined(reference.failures);
    ASSERT_TRUE(reference.filesUnchanged);
    ASSERT_FALSE(reference.inTransaction);
    RecordProperty("faulted_requests", static_cast<int>(reference.requests.size()));

    for (uint32_t nth = 1; nth <= reference.requests.size(); ++nth) {
        const uint8_t command = device::packetCommand(reference.requests[nth - 1]);
        SCOPED_TRACE(testing::Message() << "fault on request " << nth << " (command 0x" << std::hex
                                        << int{command} << ")");
        if (session == nullptr) {
            session = std::make_unique<Session>(sequence());
        }
        const auto sameCommand = [command](const device::CommandPacket& request) {
            return device::packetCommand(request) == command;
        };
        const auto occurrence = static_cast<uint32_t>(std::count_if(
            reference.requests.begin(), reference.requests.begin() + nth, sameCommand));
        const Outcome faulty = session->run(fault(), command, occurrence);
        if (!fault().leavesDeviceAsItWas) {
            session.reset();
        }
        EXPECT_TRUE(faulty.filesUnchanged) << "a data file changed";
        const bool landed = faulty.memory == reference.memory && !faulty.inTransaction;
        if (!fault().exchangeLost) {
            EXPECT_TRUE(landed) << "a reply just in time still counts";
            EXPECT_TRUE(faulty.failures.empty()) << joined(faulty.failures);
            continue;
        }
        const bool optional = command == device::command::kReadDeviceInfo;
        if (!optional || !landed) {
            EXPECT_FALSE(faulty.failures.empty())
                << "the write did not reach the device whole, and no failure was told";
        }
    }
}

std::string caseName(const testing::TestParamInfo<FaultMatrix::ParamType>& info) {
    return std::string(kSequences[std::get<0>(info.param)].name) + "_" +
           kFaults[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(EveryWriteEveryFault, FaultMatrix,
                         testing::Combine(testing::Range<size_t>(0, std::size(kSequences)),
                                          testing::Range<size_t>(0, std::size(kFaults))),
                         caseName);

} // namespace
} // namespace morva::emulator::test
