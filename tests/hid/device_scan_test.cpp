#include "base/text.h"
#include "base/trace.h"
#include "base/virtual_event_loop.h"
#include "emulator/emulated_descriptors.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "hid/device_scan_thread.h"
#include "hid/hid_interface_list.h"

#include <gtest/gtest.h>
#include <map>

namespace morva {
namespace {

using emulator::EmulatedHidBus;
using Messages = std::vector<std::string>;

std::string attach(size_t slot) {
    return "attach " + std::to_string(slot);
}
std::string detach(size_t slot) {
    return "detach " + std::to_string(slot);
}

// Counts what the scanner asks of the platform.
class CountingBackend final : public platform::HidBackend {
public:
    explicit CountingBackend(platform::HidBackend& inner) : inner_(inner) {}
    bool enumerate(std::vector<platform::HidNodeInfo>& nodes) override {
        ++enumerations;
        return inner_.enumerate(nodes);
    }
    bool describe(const std::string& node, const std::string& instance,
                  platform::HidNodeInfo& info) override {
        return inner_.describe(node, instance, info);
    }
    platform::HidOpenResult open(const std::string& node, const std::string& instance,
                                 const platform::HidOpenRequest& request,
                                 std::unique_ptr<platform::HidChannel>& channel) override {
        ++opens[node];
        return inner_.open(node, instance, request, channel);
    }
    bool isPresent(const std::string& node, const std::string& instance) override {
        return inner_.isPresent(node, instance);
    }
    int enumerations = 0;
    std::map<std::string, int> opens;

private:
    platform::HidBackend& inner_;
};

// Messages straight to a list, for passes run on the test's own thread.
class RecordingEvents final : public hid::ScanEvents {
public:
    bool deviceAttached(size_t slot, std::stop_token) override {
        messages.push_back(attach(slot));
        return true;
    }
    bool deviceDetached(size_t slot, std::stop_token) override {
        messages.push_back(detach(slot));
        return true;
    }
    void firstPassDone() override { messages.push_back("instance"); }
    Messages take() { return std::exchange(messages, {}); }
    Messages messages;
};

// The real scan thread on the emulated bus, its waits on the bus's announcements or on the loop's
// virtual clock, its messages handled by the test's loop.
class ScanThread : public ::testing::Test {
protected:
    ScanThread() {
        events_ = std::make_unique<hid::LoopScanEvents>(
            loop_, hid::LoopScanEvents::Handlers{[this](size_t slot) {
                                                     // The slot is filled before the interface
                                                     // thread hears of it.
                                                     EXPECT_EQ(slots_.at(slot).connected, 1);
                                                     messages_.push_back(attach(slot));
                                                 },
                                                 [this](size_t slot) {
                                                     EXPECT_TRUE(slots_.at(slot).isFree());
                                                     messages_.push_back(detach(slot));
                                                 },
                                                 [this] {
                                                     messages_.push_back("instance");
                                                 }});
        thread_ = std::make_unique<hid::DeviceScanThread>(slots_, bus_, *events_, clock());
    }
    ~ScanThread() override { thread_->stop(1000); }

    VirtualClock& clock() { return loop_.virtualClock(); }

    // Starts the thread and returns the messages of its first pass.
    Messages start() {
        EXPECT_TRUE(thread_->start());
        EXPECT_TRUE(thread_->waitsForChanges()) << "the emulated bus announces its plugs";
        return messagesUntilPass(1);
    }

    // Serves the loop until the thread has completed that many passes in all; returns the
    // messages handled meanwhile.
    Messages messagesUntilPass(uint64_t passes) {
        EXPECT_TRUE(loop_.runUntil([&] { return thread_->passesCompleted() >= passes; }));
        loop_.runPending();
        EXPECT_EQ(thread_->passesCompleted(), passes);
        return std::exchange(messages_, {});
    }

    std::wstring slotPath(size_t slot) const { return slots_.at(slot).path; }
    static std::wstring nodeOf(EmulatedHidBus::DeviceId id) {
        return Utf8ToWide(EmulatedHidBus::nodeName(id, 1));
    }

    VirtualEventLoop loop_;
    EmulatedHidBus bus_;
    hid::SlotList slots_;
    Messages messages_;
    std::unique_ptr<hid::LoopScanEvents> events_;
    std::unique_ptr<hid::DeviceScanThread> thread_;
};

TEST_F(ScanThread, AKeyboardFillsSlotsZeroAndOneInTheOrderItsPathsAreListed) {
    bus_.plug(emulator::makeEmulatedKeyboard());
    std::vector<hid::HidInterfaceEntry> listed;
    ASSERT_TRUE(hid::listHidInterfaces(bus_, listed));
    // The platform lists the consumer collection (3) before the vendor collection (4).
    std::vector<uint16_t> collections;
    for (const auto& entry : listed) {
        if (entry.interfaceNumber == 1) {
            collections.push_back(entry.collectionNumber);
        }
    }
    ASSERT_EQ(collections, (std::vector<uint16_t>{1, 2, 3, 4}));

    EXPECT_EQ(start(), (Messages{attach(1), attach(0), "instance"}));
    EXPECT_NE(slotPath(0).find(L"&col04"), std::wstring::npos);
    EXPECT_NE(slotPath(1).find(L"&col03"), std::wstring::npos);
    EXPECT_EQ(slots_.at(0).role, hid::kRolePrimary);
    EXPECT_EQ(slots_.at(1).role, hid::kRoleCompanion);
    bus_.plug(emulator::makeEmulatedMouse());
    EXPECT_EQ(messagesUntilPass(2), (Messages{attach(3), attach(2)}))
        << "an assigned keyboard is not attached again";
}

TEST_F(ScanThread, TheInstanceMessageComesExactlyOnceEvenWithoutDevices) {
    EXPECT_EQ(start(), Messages{"instance"});
    bus_.plug(std::make_shared<emulator::EmulatedHidDevice>(
        0x1234, 0x5678, 1,
        std::vector<emulator::EmulatedHidDevice::Interface>{{0, emulator::bootMouseDescriptor()}}));
    EXPECT_EQ(messagesUntilPass(2), Messages{}) << "an unsupported device takes no slot";
    bus_.plug(emulator::makeEmulatedKeyboard());
    EXPECT_EQ(messagesUntilPass(3), (Messages{attach(1), attach(0)}));
}

TEST_F(ScanThread, ASecondIdenticalKeyboardTakesTheSlotsTheFirstLeavesAtOnce) {
    const auto first = bus_.plug(emulator::makeEmulatedKeyboard());
    const auto second = bus_.plug(emulator::makeEmulatedKeyboard());
    EXPECT_EQ(start(), (Messages{attach(1), attach(0), "instance"}));
    EXPECT_TRUE(slotPath(0).starts_with(nodeOf(first)));

    bus_.unplug(first);
    // The pass that frees the slots is followed by one that fills them, with no event between.
    EXPECT_EQ(messagesUntilPass(3), (Messages{detach(0), detach(1), attach(1), attach(0)}));
    EXPECT_TRUE(slotPath(0).starts_with(nodeOf(second)));
    EXPECT_TRUE(slotPath(1).starts_with(nodeOf(second)));
}

TEST_F(ScanThread, UnplugGivesOneRemovalPerAssignedSlotInSlotOrder) {
    const auto keyboard = bus_.plug(emulator::makeEmulatedKeyboard());
    bus_.plug(emulator::makeEmulatedMouse());
    bus_.plug(emulator::makeEmulatedHeadset());
    EXPECT_EQ(start(),
              (Messages{attach(1), attach(0), attach(3), attach(2), attach(6), "instance"}));
    bus_.unplug(keyboard);
    EXPECT_EQ(messagesUntilPass(3), (Messages{detach(0), detach(1)}));
    EXPECT_TRUE(slots_.at(0).isFree());
    EXPECT_TRUE(slots_.at(1).isFree());
    EXPECT_EQ(slots_.at(2).connected, 1) << "the mouse stays";
    EXPECT_EQ(slots_.at(6).connected, 1) << "the headset stays";
}

TEST_F(ScanThread, AFailedEnumerationIsRetriedAfterAPauseInsteadOfEndingTheThread) {
    const auto keyboard = bus_.plug(emulator::makeEmulatedKeyboard());
    EXPECT_EQ(start(), (Messages{attach(1), attach(0), "instance"}));
    bus_.setEnumerationFails(true);
    bus_.unplug(keyboard);
    EXPECT_EQ(messagesUntilPass(3), (Messages{detach(0), detach(1)}))
        << "removals are still noticed";
    // The failed look is retried on the clock, whether or not an event comes.
    ASSERT_TRUE(loop_.runUntil([&] { return clock().sleepers() == 1; }));
    bus_.plug(emulator::makeEmulatedKeyboard());
    clock().advance(hid::DeviceScanThread::kRetryPauseMs);
    EXPECT_EQ(messagesUntilPass(4), Messages{});
    EXPECT_TRUE(thread_->running());
    ASSERT_TRUE(loop_.runUntil([&] { return clock().sleepers() == 1; }));
    bus_.setEnumerationFails(false);
    clock().advance(hid::DeviceScanThread::kRetryPauseMs);
    // The plug's event, still waiting, brings one more pass, which finds nothing new.
    EXPECT_EQ(messagesUntilPass(6), (Messages{attach(1), attach(0)}));
}

TEST_F(ScanThread, AStopRequestEndsAnAttachMessageNobodyHandles) {
    std::vector<std::string> traced;
    std::mutex tracedMutex;
    setTraceSink([&](std::string_view line) {
        std::lock_guard lock(tracedMutex);
        traced.emplace_back(line);
    });
    bus_.plug(emulator::makeEmulatedKeyboard());
    // Let the first pass block in its first attach message: the loop is not served.
    ASSERT_TRUE(thread_->start());
    while (loop_.pendingTasks() == 0) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(thread_->stop(1000));
    EXPECT_FALSE(thread_->running());
    setTraceSink({});
    std::lock_guard lock(tracedMutex);
    EXPECT_NE(std::find(traced.begin(), traced.end(), "抓取设备线程设定退出\n"), traced.end());
}

// Single passes on the test's thread.
class ScanPass : public ::testing::Test {
protected:
    EmulatedHidBus bus_;
    CountingBackend counting_{bus_};
    hid::SlotList slots_;
    RecordingEvents events_;
    hid::DeviceScanner scanner_{slots_, counting_, events_};
};

TEST_F(ScanPass, AnInterfaceWithTheRightNumbersButAnotherUsagePageIsProbedEachPassNeverAssigned) {
    // A keyboard whose collection 4 is on vendor page 0xFF00 instead of 0xFF1C.
    std::vector<uint8_t> descriptor = emulator::controlInterfaceDescriptor();
    const std::vector<uint8_t> page = {0x06, 0x1C, 0xFF};
    const auto at = std::search(descriptor.begin(), descriptor.end(), page.begin(), page.end());
    ASSERT_NE(at, descriptor.end());
    at[1] = 0x00;
    const auto id = bus_.plug(std::make_shared<emulator::EmulatedHidDevice>(
        0x0C45, 0x8501, 1, std::vector<emulator::EmulatedHidDevice::Interface>{{1, descriptor}}));
    const std::string node = EmulatedHidBus::nodeName(id, 1);
    for (int i = 1; i <= 3; ++i) {
        scanner_.runPass();
        EXPECT_EQ(slots_.at(0).connected, 0);
        // Collections 3 and 4 pass the pre-match; only 3 is assigned (once).
        EXPECT_EQ(counting_.opens[node], i == 1 ? 2 : i + 1) << "pass " << i;
    }
    EXPECT_EQ(events_.take(), (Messages{attach(1), "instance"}));
}

TEST_F(ScanPass, WithEverySlotTakenNoEnumerationRuns) {
    bus_.plug(emulator::makeEmulatedKeyboard());
    bus_.plug(emulator::makeEmulatedMouse());
    bus_.plug(emulator::makeEmulatedMousePad());
    bus_.plug(emulator::makeEmulatedWirelessMouse());
    bus_.plug(emulator::makeEmulatedHeadset());
    scanner_.runPass();
    ASSERT_FALSE(slots_.anySlotFree());
    EXPECT_EQ(events_.take().size(), 10u) << "nine attach messages and the instance message";
    EXPECT_EQ(counting_.enumerations, 1);
    scanner_.runPass();
    scanner_.runPass();
    EXPECT_EQ(counting_.enumerations, 1);
    EXPECT_EQ(scanner_.enumerations(), 1u);
    EXPECT_TRUE(events_.take().empty());
}

TEST_F(ScanPass, ADeviceWithIdentifiersZeroTakesTheFirstMatchingRowsFree) {
    // Rows 2 to 5 and 7 to 8 share their identifiers: devices fill them in table order.
    bus_.plug(emulator::makeEmulatedMousePad());
    bus_.plug(emulator::makeEmulatedMouse());
    scanner_.runPass();
    EXPECT_EQ(events_.take(), (Messages{attach(3), attach(2), attach(5), attach(4), "instance"}));
    EXPECT_EQ(slots_.at(2).deviceType, hid::kDeviceMouse);
}

TEST_F(ScanPass, AnAssignedInterfaceIsNotTakenAgainByAnotherRowWithTheSameIdentifiers) {
    bus_.plug(emulator::makeEmulatedMouse());
    scanner_.runPass();
    scanner_.runPass();
    EXPECT_EQ(events_.take(), (Messages{attach(3), attach(2), "instance"}));
    EXPECT_TRUE(slots_.at(4).isFree());
    EXPECT_TRUE(slots_.at(7).isFree());
}

} // namespace
} // namespace morva
