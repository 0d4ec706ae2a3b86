#include "emulator/emulated_descriptors.h"
#include "hid/hid_report_descriptor.h"
#include "hid/hid_report_fields.h"
#include "hid/hid_usage_data.h"
#include "hid_test_support.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

hid::HidReportDescriptor parse(const std::vector<uint8_t>& bytes) {
    hid::HidReportDescriptor result;
    std::string error;
    EXPECT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    return result;
}

// The consumer collection of the control interface: report 3 holds an event array
// (0x0401..0x06FF) and a media-key array (0x0001..0x03FF), 16 bits each.
class ConsumerEvents : public ::testing::Test {
protected:
    void SetUp() override {
        descriptor_ = parse(emulator::controlInterfaceDescriptor());
        ASSERT_EQ(descriptor_.collections.size(), 4u);
        list_ = hid::buildUsageDataList(hid::HidReportType::kInput, consumer());
        ASSERT_EQ(list_.size(), 2u);
    }
    const hid::HidPreparsedData& consumer() const { return descriptor_.collections[2]; }

    hid::HidReportDescriptor descriptor_;
    std::vector<hid::HidUsageData> list_;
};

TEST_F(ConsumerEvents, ButtonEntriesKeepOnlyUsagesInTheirRangeFollowedByZero) {
    const hid::HidUsageData& events = list_[0];
    EXPECT_EQ(events.usageMin, 0x0401u);
    EXPECT_EQ(events.usageMax, 0x06FFu);
    EXPECT_EQ(events.maxUsageListLength, 2u) << "two array slots on the consumer page";
    // Event 0x0401 and media key 0x00E9 (volume up) pressed together.
    const std::vector<uint8_t> report = {0x03, 0x01, 0x04, 0xE9, 0x00};
    ASSERT_TRUE(hid::decodeInputReport(list_, report, consumer()));
    EXPECT_EQ(list_[0].usages, (std::vector<uint16_t>{0x0401, 0}));
    EXPECT_EQ(list_[1].usages, (std::vector<uint16_t>{0x00E9, 0}));
    EXPECT_EQ(list_[0].isDataSet, 1);
    EXPECT_EQ(list_[0].status, hid::HIDP_STATUS_SUCCESS);
}

TEST_F(ConsumerEvents, AUsageOutsideTheRangeIsDroppedAndTheRestMovesToTheFront) {
    // Only the media key is active: the event entry's list is all zero, and the media entry has
    // its usage in front although it came from the second slot.
    const std::vector<uint8_t> report = {0x03, 0x00, 0x00, 0xCD, 0x00};
    ASSERT_TRUE(hid::decodeInputReport(list_, report, consumer()));
    EXPECT_EQ(list_[0].usages, (std::vector<uint16_t>{0, 0}));
    EXPECT_EQ(list_[1].usages, (std::vector<uint16_t>{0x00CD, 0}));
}

TEST_F(ConsumerEvents, AReportOfAnotherIdLeavesEveryEntryUnchanged) {
    const auto before = list_;
    const std::vector<uint8_t> report = {0x04, 0x01, 0x04, 0xE9, 0x00};
    EXPECT_TRUE(hid::decodeInputReport(list_, report, consumer()));
    for (size_t i = 0; i < list_.size(); ++i) {
        EXPECT_EQ(list_[i].isDataSet, before[i].isDataSet);
        EXPECT_EQ(list_[i].usages, before[i].usages);
    }
}

TEST_F(ConsumerEvents, AShortReportIsNeverReadPastItsEnd) {
    const std::vector<uint8_t> report = {0x03, 0x01};
    EXPECT_TRUE(hid::decodeInputReport(list_, report, consumer()));
    EXPECT_EQ(list_[0].status, hid::HIDP_STATUS_INVALID_REPORT_LENGTH);
    EXPECT_EQ(list_[0].usages, (std::vector<uint16_t>{0, 0}));
}

// Policy for a variable field with more bits than usages (a mouse declaring buttons 1..3 in
// eight bits): the extra bits name no usage and are never reported.
TEST(HidDecoding, BitsBeyondTheDeclaredUsagesAreNotReported) {
    const auto descriptor = parse(test::bytesFromHex(
        "05 01 09 02 a1 01 09 01 a1 00 05 09 19 01 29 03 15 00 25 01 95 08 75 01 81 02 05 01 "
        "09 30 09 31 09 38 15 81 25 7f 75 08 95 03 81 06 c0 c0"));
    const hid::HidPreparsedData& mouse = descriptor.collections.at(0);
    EXPECT_EQ(hid::maxUsageListLength(hid::HidReportType::kInput, 9, mouse), 3u);
    uint16_t usages[8] = {};
    uint32_t count = 0;
    const std::vector<uint8_t> extraBits = {0x00, 0xF8, 0x00, 0x00, 0x00};
    EXPECT_EQ(hid::getUsages(hid::HidReportType::kInput, 9, usages, count, mouse, extraBits),
              hid::HIDP_STATUS_SUCCESS);
    EXPECT_EQ(count, 0u);
    const std::vector<uint8_t> allButtons = {0x00, 0xFF, 0x00, 0x00, 0x00};
    hid::getUsages(hid::HidReportType::kInput, 9, usages, count, mouse, allButtons);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(usages[0], 1);
    EXPECT_EQ(usages[2], 3);
}

TEST(HidDecoding, ValuesAreSignExtendedAndScaledWhenTheLogicalRangeIsSigned) {
    const auto descriptor = parse(test::bytesFromHex(
        "05 01 09 02 a1 01 09 01 a1 00 05 09 19 01 29 03 15 00 25 01 95 08 75 01 81 02 05 01 "
        "09 30 09 31 09 38 15 81 25 7f 75 08 95 03 81 06 c0 c0"));
    const hid::HidPreparsedData& mouse = descriptor.collections.at(0);
    auto list = hid::buildUsageDataList(hid::HidReportType::kInput, mouse);
    ASSERT_EQ(list.size(), 4u); // the button cap, then X, Y and the wheel
    const std::vector<uint8_t> report = {0x00, 0x00, 0xFE, 0x05, 0x81};
    ASSERT_TRUE(hid::decodeInputReport(list, report, mouse));
    EXPECT_EQ(list[1].usage, 0x30);
    EXPECT_EQ(list[1].value, 0xFEu);
    EXPECT_EQ(list[1].scaledValue, -2);
    EXPECT_EQ(list[2].scaledValue, 5);
    EXPECT_EQ(list[3].scaledValue, -127);
}

TEST(HidDecoding, AValueThatCannotBeReadFailsTheDecode) {
    const auto descriptor = parse(emulator::controlInterfaceDescriptor());
    const hid::HidPreparsedData& vendor = descriptor.collections.at(3);
    auto list = hid::buildUsageDataList(hid::HidReportType::kInput, vendor);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].isButton, 0);
    const std::vector<uint8_t> truncated = {0x04};
    EXPECT_FALSE(hid::decodeInputReport(list, truncated, vendor));
    EXPECT_EQ(list[0].status, hid::HIDP_STATUS_INVALID_REPORT_LENGTH);
    EXPECT_EQ(list[0].isDataSet, 0);
}

} // namespace
} // namespace morva
