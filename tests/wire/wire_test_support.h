#pragma once

#include "base/clock.h"
#include "emulator/emulated_hid_bus.h"
#include "hid/hid_interface_list.h"

#include <gtest/gtest.h>
#include <string>

namespace morva::test {

// The path of one collection of a device on the bus (collection 0: a single-collection node).
inline std::wstring pathOnBus(emulator::EmulatedHidBus& bus, emulator::EmulatedHidBus::DeviceId id,
                              int interfaceNumber, uint16_t collection) {
    std::vector<hid::HidInterfaceEntry> entries;
    EXPECT_TRUE(hid::listHidInterfaces(bus, entries));
    const std::string node = emulator::EmulatedHidBus::nodeName(id, interfaceNumber);
    for (const auto& entry : entries) {
        if (entry.node == node && entry.collectionNumber == collection) {
            return entry.path;
        }
    }
    ADD_FAILURE() << "no collection " << collection << " on " << node;
    return {};
}

// The pause before End transaction returns at once.
class NoPauseClock final : public Clock {
public:
    TickMs nowMs() const override { return 0; }
    bool sleepFor(TickMs, std::stop_token) override { return true; }
};

} // namespace morva::test
