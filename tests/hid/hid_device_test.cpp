#include "emulator/emulated_descriptors.h"
#include "emulator/emulated_hid_bus.h"
#include "emulator/emulated_models.h"
#include "hid/hid_device.h"
#include "hid/hid_interface_list.h"
#include "socket_hid_backend.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>

namespace morva {
namespace {

using namespace std::chrono;

// The keyboard's control interface (vendor collection 4, consumer collection 3), reached either
// through the emulated bus or through a socket that behaves like a hidraw node.
class Transport {
public:
    virtual ~Transport() = default;
    virtual platform::HidBackend& backend() = 0;
    virtual void deviceSends(const std::vector<uint8_t>& report) = 0;
    virtual void unplug() = 0;
    // The output reports the device got so far.
    virtual std::vector<std::vector<uint8_t>> received() = 0;

    std::wstring pathOfCollection(uint16_t collection) {
        std::vector<hid::HidInterfaceEntry> interfaces;
        EXPECT_TRUE(hid::listHidInterfaces(backend(), interfaces));
        for (const auto& entry : interfaces) {
            if (entry.interfaceNumber == 1 && entry.collectionNumber == collection) {
                return entry.path;
            }
        }
        ADD_FAILURE() << "no collection " << collection;
        return {};
    }
};

class EmulatedTransport final : public Transport {
public:
    EmulatedTransport() {
        keyboard_ = emulator::makeEmulatedKeyboard();
        keyboard_->setOutputHandler([this](int, std::span<const uint8_t> report) {
            std::lock_guard lock(mutex_);
            received_.emplace_back(report.begin(), report.end());
        });
        id_ = bus_.plug(keyboard_);
    }
    platform::HidBackend& backend() override { return bus_; }
    void deviceSends(const std::vector<uint8_t>& report) override {
        keyboard_->queueInputReport(1, report);
    }
    void unplug() override { bus_.unplug(id_); }
    std::vector<std::vector<uint8_t>> received() override {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    emulator::EmulatedHidBus bus_;
    std::shared_ptr<emulator::EmulatedHidDevice> keyboard_;
    emulator::EmulatedHidBus::DeviceId id_ = 0;
    std::mutex mutex_;
    std::vector<std::vector<uint8_t>> received_;
};

class SocketTransport final : public Transport {
public:
    SocketTransport() : backend_(node()) {}
    platform::HidBackend& backend() override { return backend_; }
    void deviceSends(const std::vector<uint8_t>& report) override {
        ASSERT_TRUE(backend_.sendInput(report));
    }
    void unplug() override { backend_.unplug(); }
    std::vector<std::vector<uint8_t>> received() override {
        std::vector<std::vector<uint8_t>> all;
        uint8_t buffer[256];
        for (;;) {
            const ssize_t got = ::recv(backend_.deviceEnd(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (got <= 0) {
                return all;
            }
            all.emplace_back(buffer, buffer + got);
        }
    }

private:
    static platform::HidNodeInfo node() {
        platform::HidNodeInfo info;
        info.node = "socket0";
        info.instance = "1";
        info.vendorId = 0x0C45;
        info.productId = 0x8501;
        info.versionNumber = 0x0102;
        info.interfaceNumber = 1;
        info.reportDescriptor = emulator::controlInterfaceDescriptor();
        return info;
    }
    test::SocketHidBackend backend_;
};

class HidDeviceIo : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "emulated") {
            transport_ = std::make_unique<EmulatedTransport>();
        } else {
            transport_ = std::make_unique<SocketTransport>();
        }
        device_ = std::make_unique<hid::CHidDevice>(transport_->backend());
        vendorPath_ = transport_->pathOfCollection(4);
    }
    bool openVendor() { return device_->Open(vendorPath_, true, true, true, false); }

    std::unique_ptr<Transport> transport_;
    std::unique_ptr<hid::CHidDevice> device_;
    std::wstring vendorPath_;
};

TEST_P(HidDeviceIo, OpenReadsAttributesCapabilitiesAndPathNumbers) {
    ASSERT_TRUE(openVendor()) << device_->lastOpenError();
    EXPECT_TRUE(device_->IsOpen());
    EXPECT_EQ(device_->attributes().vendorId, 0x0C45);
    EXPECT_EQ(device_->attributes().productId, 0x8501);
    EXPECT_EQ(device_->attributes().versionNumber, 0x0102);
    EXPECT_EQ(device_->caps().usagePage, 0xFF1C);
    EXPECT_EQ(device_->caps().usage, 0x92);
    EXPECT_EQ(device_->caps().inputReportByteLength, 64);
    EXPECT_EQ(device_->caps().outputReportByteLength, 64);
    EXPECT_EQ(device_->caps().featureReportByteLength, 0);
    EXPECT_EQ(device_->input().report.size(), 64u);
    EXPECT_EQ(device_->output().report.size(), 64u);
    EXPECT_EQ(device_->input().data.size(), 1u) << "one value capability of 63 bytes";
    EXPECT_EQ(device_->interfaceNumber(), 1u);
    EXPECT_EQ(device_->collectionNumber(), 4u);
    device_->Close();
    EXPECT_FALSE(device_->IsOpen());
    EXPECT_TRUE(device_->input().report.empty());
    device_->Close(); // closing twice is harmless
}

TEST_P(HidDeviceIo, AReadTimesOutAfterAboutItsTimeOutWithNothingRead) {
    ASSERT_TRUE(openVendor());
    uint8_t buffer[64];
    uint32_t got = 77;
    const auto begin = steady_clock::now();
    EXPECT_FALSE(device_->Read(64, got, buffer, 1000));
    const auto spent = duration_cast<milliseconds>(steady_clock::now() - begin).count();
    EXPECT_GE(spent, 950);
    EXPECT_LT(spent, 5000);
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(device_->reading());
}

TEST_P(HidDeviceIo, AnInfiniteReadEndsAtOnceWhenAnotherThreadCloses) {
    ASSERT_TRUE(openVendor());
    std::atomic<bool> result{true};
    std::atomic<uint32_t> got{99};
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t n = 0;
        result = device_->Read(64, n, buffer, hid::kHidInfinite);
        got = n;
    });
    while (!device_->reading()) {
        std::this_thread::yield();
    }
    const auto begin = steady_clock::now();
    device_->Close();
    reader.join();
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - begin).count(), 1000);
    EXPECT_FALSE(result);
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(device_->IsOpen());
}

TEST_P(HidDeviceIo, CancelEndsAPendingReadButLeavesTheDeviceOpen) {
    ASSERT_TRUE(openVendor());
    std::atomic<bool> result{true};
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t n = 0;
        result = device_->Read(64, n, buffer, hid::kHidInfinite);
    });
    while (!device_->reading()) {
        std::this_thread::yield();
    }
    device_->Cancel();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_TRUE(device_->IsOpen());
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 0x04;
    transport_->deviceSends(reply);
    uint8_t buffer[64];
    uint32_t n = 0;
    EXPECT_TRUE(device_->Read(64, n, buffer, 1000));
}

// A reader's stop can come after its last look at the stop flag but before its read starts: the
// cancellation waits for that read instead of being lost, ends only that one, and does not
// outlive the open.
TEST_P(HidDeviceIo, ACancelBeforeAReadStartsEndsThatReadWhenItComes) {
    ASSERT_TRUE(openVendor());
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 0x04;
    uint8_t buffer[64];
    uint32_t got = 99;

    device_->Cancel();
    transport_->deviceSends(reply);
    EXPECT_FALSE(device_->Read(64, got, buffer, hid::kHidInfinite))
        << "the waiting report is not read";
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(device_->Read(64, got, buffer, 1000)) << "the next read gets it";

    device_->Cancel();
    ASSERT_TRUE(device_->Reopen());
    transport_->deviceSends(reply);
    EXPECT_TRUE(device_->Read(64, got, buffer, 1000)) << "an open starts without a cancellation";
}

TEST_P(HidDeviceIo, ReadsSkipTheReportsOfTheNodesOtherCollections) {
    ASSERT_TRUE(openVendor());
    transport_->deviceSends({0x03, 0x01, 0x04, 0x00, 0x00}); // the consumer collection's
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 0x04;
    reply[3] = 0xAA;
    transport_->deviceSends(reply);
    uint8_t buffer[64] = {};
    uint32_t got = 0;
    ASSERT_TRUE(device_->Read(64, got, buffer, 1000));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buffer[0], 0x04);
    EXPECT_EQ(buffer[3], 0xAA);
}

TEST_P(HidDeviceIo, AWriteReachesTheDeviceWhole) {
    ASSERT_TRUE(openVendor());
    std::vector<uint8_t> packet(64, 0);
    packet[0] = 0x04;
    packet[3] = 0x01;
    uint32_t sent = 0;
    ASSERT_TRUE(device_->Write(64, sent, packet.data(), 1000));
    EXPECT_EQ(sent, 64u);
    EXPECT_EQ(transport_->received(), std::vector<std::vector<uint8_t>>{packet});
}

TEST_P(HidDeviceIo, ADeviceThatVanishesMidReadEndsTheReadWithFailure) {
    ASSERT_TRUE(openVendor());
    std::atomic<bool> result{true};
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t n = 0;
        result = device_->Read(64, n, buffer, hid::kHidInfinite);
    });
    while (!device_->reading()) {
        std::this_thread::yield();
    }
    transport_->unplug();
    reader.join();
    EXPECT_FALSE(result);
    uint32_t sent = 0;
    std::vector<uint8_t> packet(64, 0);
    packet[0] = 0x04;
    EXPECT_FALSE(device_->Write(64, sent, packet.data(), 100));
    EXPECT_FALSE(device_->Reopen()) << "the device is gone";
    EXPECT_FALSE(device_->IsOpen());
}

TEST_P(HidDeviceIo, OpeningAPathThatDoesNotExistFailsAndLeavesNothingOpen) {
    ASSERT_TRUE(openVendor());
    EXPECT_FALSE(
        device_->Open(L"nowhere#vid_0c45&pid_8501&mi_01&col04#x", true, true, true, false));
    EXPECT_FALSE(device_->IsOpen());
    EXPECT_EQ(device_->lastOpenResult(), platform::HidOpenResult::kNotFound);
    EXPECT_FALSE(device_->Open(L"not a path", true, false, true, false));
    const std::wstring noSuchCollection = vendorPath_.substr(0, vendorPath_.find(L"&col")) +
                                          L"&col09" + vendorPath_.substr(vendorPath_.rfind(L'#'));
    EXPECT_FALSE(device_->Open(noSuchCollection, true, false, true, false));
    EXPECT_FALSE(device_->IsOpen());
    uint8_t buffer[64];
    uint32_t got = 0;
    EXPECT_FALSE(device_->Read(64, got, buffer, 10));
}

INSTANTIATE_TEST_SUITE_P(HidDevice, HidDeviceIo, ::testing::Values("emulated", "socket"));

// Devices without report IDs: buffers still start with a 0 report ID byte, which never goes
// on the wire.
TEST(HidDevice, ReportsWithoutReportIdsGetALeadingZeroByte) {
    emulator::EmulatedHidBus bus;
    auto keyboard = emulator::makeEmulatedKeyboard();
    std::vector<std::vector<uint8_t>> received;
    keyboard->setOutputHandler([&](int interfaceNumber, std::span<const uint8_t> report) {
        EXPECT_EQ(interfaceNumber, 0);
        received.emplace_back(report.begin(), report.end());
    });
    bus.plug(keyboard);
    std::vector<hid::HidInterfaceEntry> interfaces;
    ASSERT_TRUE(hid::listHidInterfaces(bus, interfaces));
    ASSERT_EQ(interfaces.front().interfaceNumber, 0);
    EXPECT_EQ(interfaces.front().collectionNumber, 0) << "a single collection has no number";
    hid::CHidDevice device(bus);
    ASSERT_TRUE(device.Open(interfaces.front().path, true, true, true, false));
    EXPECT_EQ(device.caps().inputReportByteLength, 9);
    EXPECT_EQ(device.caps().outputReportByteLength, 2);
    keyboard->queueInputReport(0, std::vector<uint8_t>{0x02, 0, 0x04, 0, 0, 0, 0, 0});
    uint8_t buffer[9] = {0xFF};
    uint32_t got = 0;
    ASSERT_TRUE(device.Read(9, got, buffer, 1000));
    EXPECT_EQ(got, 9u);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x02);
    EXPECT_EQ(buffer[3], 0x04);
    auto& data = device.input().data;
    ASSERT_TRUE(hid::CHidDevice::DecodeInputReport(data, buffer, got, device.preparsedData()));
    EXPECT_EQ(data[0].usages[0], 0xE1) << "left shift";
    const uint8_t leds[2] = {0, 0x01};
    uint32_t sent = 0;
    ASSERT_TRUE(device.Write(2, sent, leds, 100));
    EXPECT_EQ(sent, 2u);
    EXPECT_EQ(received, std::vector<std::vector<uint8_t>>{{0x01}});
}

} // namespace
} // namespace morva
