#include "emulator/deferred_reports.h"

#include <future>
#include <gtest/gtest.h>
#include <memory>

namespace morva::emulator {
namespace {

// A delivery can drop the last reference to the device that owns the queue (through the channel
// it delivers to), so the queue is destroyed on its own timer thread. That must neither wait for
// itself nor touch the freed queue afterwards.
TEST(DeferredReports, ADeliveryThatDestroysTheQueueEndsItsThreadCleanly) {
    std::unique_ptr<DeferredReports> reports;
    std::promise<void> scheduled; // the owner is not destroyed while it schedules
    std::future<void> scheduleReturned = scheduled.get_future();
    std::promise<std::vector<uint8_t>> delivered;
    reports = std::make_unique<DeferredReports>([&](int, std::span<const uint8_t> report) {
        scheduleReturned.wait();
        reports.reset();
        delivered.set_value({report.begin(), report.end()});
    });
    const uint8_t report[] = {0x04, 0x01};
    reports->schedule(DeferredReports::SteadyClock::now(), 1, report);
    scheduled.set_value();

    auto arrived = delivered.get_future();
    ASSERT_EQ(arrived.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(arrived.get(), (std::vector<uint8_t>{0x04, 0x01}));
    EXPECT_EQ(reports, nullptr);
}

TEST(DeferredReports, ReportsArriveInTheOrderTheyWereScheduled) {
    std::mutex mutex;
    std::vector<int> order;
    std::promise<void> allThere;
    DeferredReports reports([&](int interfaceNumber, std::span<const uint8_t>) {
        std::lock_guard lock(mutex);
        order.push_back(interfaceNumber);
        if (order.size() == 3) {
            allThere.set_value();
        }
    });
    const uint8_t report[] = {0x04};
    const auto now = DeferredReports::SteadyClock::now();
    for (int interfaceNumber = 1; interfaceNumber <= 3; ++interfaceNumber) {
        reports.schedule(now, interfaceNumber, report);
    }
    ASSERT_EQ(allThere.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace morva::emulator
