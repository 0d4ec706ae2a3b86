#include "base/json_access.h"
#include "base/json_file.h"
#include "hid/hid_report_descriptor.h"
#include "hid/hid_usage_data.h"
#include "hid_test_support.h"
#include "platform/hid_backend.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace morva {
namespace {

using json::intMember;
using json::member;
using json::toBool;
using json::toString;

hid::HidReportType reportTypeNamed(const std::string& name) {
    if (name == "output") {
        return hid::HidReportType::kOutput;
    }
    return name == "feature" ? hid::HidReportType::kFeature : hid::HidReportType::kInput;
}

// One capability in words, built the same way from our parse and from the recorded one.
std::string describeCap(const hid::HidReportCap& cap) {
    std::ostringstream out;
    out << "id=" << int(cap.reportId) << " page=" << cap.usagePage << " button=" << cap.isButton
        << " range=" << cap.isRange << " usage=" << cap.usageMin << ".." << cap.usageMax
        << " abs=" << cap.isAbsolute << " bits=" << cap.bitSize << "x" << cap.reportCount
        << " at=" << cap.bytePosition << "." << int(cap.bitPosition) << " flags=" << cap.bitField
        << " link=" << cap.linkCollection << "(" << cap.linkUsagePage << ":" << cap.linkUsage
        << ") logical=" << cap.logicalMin << ".." << cap.logicalMax;
    if (!cap.isButton) {
        out << " physical=" << cap.physicalMin << ".." << cap.physicalMax << " null=" << cap.hasNull
            << " units=" << cap.units << "e" << cap.unitsExponent;
    }
    return out.str();
}

std::string describeRecordedCap(const Json::Value& cap) {
    hid::HidReportCap c;
    c.reportId = static_cast<uint8_t>(intMember(cap, "report_id"));
    c.usagePage = static_cast<uint16_t>(intMember(cap, "usage_page"));
    c.isButton = toBool(member(cap, "is_button"));
    c.isRange = toBool(member(cap, "is_range"));
    c.usageMin = static_cast<uint16_t>(intMember(cap, c.isRange ? "usage_min" : "usage"));
    c.usageMax = static_cast<uint16_t>(intMember(cap, c.isRange ? "usage_max" : "usage"));
    c.isAbsolute = toBool(member(cap, "is_absolute"));
    c.bitSize = static_cast<uint16_t>(intMember(cap, "bit_size"));
    c.reportCount = static_cast<uint16_t>(intMember(cap, "report_count"));
    c.bytePosition = static_cast<uint16_t>(intMember(cap, "byte_position"));
    c.bitPosition = static_cast<uint8_t>(intMember(cap, "bit_position"));
    c.bitField = static_cast<uint16_t>(intMember(cap, "bit_field"));
    c.linkCollection = static_cast<uint16_t>(intMember(cap, "link_collection"));
    c.linkUsagePage = static_cast<uint16_t>(intMember(cap, "link_usage_page"));
    c.linkUsage = static_cast<uint16_t>(intMember(cap, "link_usage"));
    c.logicalMin = intMember(cap, "logical_min");
    c.logicalMax = intMember(cap, "logical_max");
    c.physicalMin = intMember(cap, "physical_min");
    c.physicalMax = intMember(cap, "physical_max");
    c.hasNull = intMember(cap, "has_null") != 0;
    c.units = static_cast<uint32_t>(intMember(cap, "units"));
    c.unitsExponent = static_cast<uint32_t>(intMember(cap, "units_exp"));
    return describeCap(c);
}

std::multiset<std::string> describeAll(const hid::HidReportTypeCaps& caps) {
    std::multiset<std::string> all;
    for (const auto* list : {&caps.buttonCaps, &caps.valueCaps}) {
        for (const auto& cap : *list) {
            all.insert(describeCap(cap));
        }
    }
    return all;
}

std::string usageLabel(uint16_t page, uint16_t usage) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X:0x%04X", page, usage);
    return text;
}

// The real devices recorded with what the platforms made of them.
class RealDescriptor : public ::testing::TestWithParam<int> {
protected:
    static const Json::Value& all() {
        static const Json::Value value = readjsonFile(test::realDescriptorsFile());
        return value;
    }
    const Json::Value& entry() const { return all()[GetParam()]; }
    hid::HidReportDescriptor parsed() const {
        hid::HidReportDescriptor result;
        std::string error;
        EXPECT_TRUE(hid::parseHidReportDescriptor(
            test::bytesFromHex(toString(member(entry(), "hex"))), result, error))
            << error;
        return result;
    }
};

TEST(RealDescriptors, AllEightAreThere) {
    const Json::Value all = readjsonFile(test::realDescriptorsFile());
    ASSERT_TRUE(all.isArray()) << test::realDescriptorsFile();
    EXPECT_EQ(all.size(), 8u);
}

TEST_P(RealDescriptor, TopLevelCollectionsAndWindowsByteLengths) {
    const hid::HidReportDescriptor result = parsed();
    const Json::Value& expected = member(entry(), "collections");
    ASSERT_EQ(result.collections.size(), expected.size()) << toString(member(entry(), "name"));
    for (Json::ArrayIndex i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("collection " + std::to_string(i));
        const hid::HidCaps& caps = result.collections[i].caps;
        const Json::Value& lengths = member(expected[i], "expected_byte_lengths_windows_style");
        EXPECT_EQ(caps.usagePage, intMember(expected[i], "usage_page"));
        EXPECT_EQ(caps.usage, intMember(expected[i], "usage"));
        EXPECT_EQ(result.collections[i].collectionType, intMember(expected[i], "collection_type"));
        EXPECT_EQ(caps.inputReportByteLength, intMember(lengths, "input"));
        EXPECT_EQ(caps.outputReportByteLength, intMember(lengths, "output"));
        EXPECT_EQ(caps.featureReportByteLength, intMember(lengths, "feature"));
    }
}

TEST_P(RealDescriptor, ReportSizesBelongToTheirCollections) {
    const hid::HidReportDescriptor result = parsed();
    for (const auto& report : member(entry(), "reports")) {
        const auto tlc = static_cast<size_t>(intMember(report, "tlc_index"));
        ASSERT_LT(tlc, result.collections.size());
        const auto& layouts =
            result.collections[tlc].of(reportTypeNamed(toString(member(report, "type")))).reports;
        const auto id = static_cast<uint8_t>(intMember(report, "report_id"));
        const auto found =
            std::find_if(layouts.begin(), layouts.end(),
                         [&](const hid::HidReportLayout& l) { return l.reportId == id; });
        ASSERT_NE(found, layouts.end()) << "report " << int(id) << " in collection " << tlc;
        EXPECT_EQ(found->sizeBits, static_cast<uint32_t>(intMember(report, "size_bits")))
            << "report " << int(id);
    }
}

// The first six devices come with the platform parser's own output.
class RecordedPlatformParse : public RealDescriptor {};

TEST_P(RecordedPlatformParse, CapabilitiesMatchThePlatformParserAsSets) {
    const Json::Value& windows = member(entry(), "windows_hidp");
    ASSERT_FALSE(windows.empty());
    const hid::HidReportDescriptor result = parsed();
    for (const auto& tlc : windows) {
        const auto index = static_cast<size_t>(intMember(tlc, "tlc_index"));
        ASSERT_LT(index, result.collections.size());
        const hid::HidPreparsedData& ours = result.collections[index];
        const Json::Value& caps = member(tlc, "hidp_caps");
        EXPECT_EQ(ours.caps.numberLinkCollectionNodes,
                  intMember(caps, "NumberLinkCollectionNodes"));
        const char* typeNames[] = {"input", "output", "feature"};
        const char* prefixes[] = {"Input", "Output", "Feature"};
        const uint16_t ourCounts[3][3] = {
            {ours.caps.numberInputButtonCaps, ours.caps.numberInputValueCaps,
             ours.caps.numberInputDataIndices},
            {ours.caps.numberOutputButtonCaps, ours.caps.numberOutputValueCaps,
             ours.caps.numberOutputDataIndices},
            {ours.caps.numberFeatureButtonCaps, ours.caps.numberFeatureValueCaps,
             ours.caps.numberFeatureDataIndices}};
        for (int t = 0; t < 3; ++t) {
            SCOPED_TRACE(typeNames[t]);
            const std::string prefix = std::string("Number") + prefixes[t];
            EXPECT_EQ(ourCounts[t][0], intMember(caps, (prefix + "ButtonCaps").c_str()));
            EXPECT_EQ(ourCounts[t][1], intMember(caps, (prefix + "ValueCaps").c_str()));
            EXPECT_EQ(ourCounts[t][2], intMember(caps, (prefix + "DataIndices").c_str()));
            std::multiset<std::string> expected;
            for (const auto& cap : member(member(tlc, "caps"), typeNames[t])) {
                expected.insert(describeRecordedCap(cap));
            }
            EXPECT_EQ(describeAll(ours.of(static_cast<hid::HidReportType>(t))), expected);
        }
    }
}

TEST_P(RealDescriptor, DecodeExamplesGiveTheActiveUsages) {
    const hid::HidReportDescriptor result = parsed();
    for (const auto& example : member(entry(), "decode_examples")) {
        const std::string hex = toString(member(example, "report_hex"));
        SCOPED_TRACE(hex);
        const auto id = static_cast<uint8_t>(intMember(example, "report_id"));
        std::vector<uint8_t> report = test::bytesFromHex(hex);
        if (id == 0) {
            report.insert(report.begin(), 0); // buffers always start with the report ID byte
        }
        const auto owner =
            std::find_if(result.collections.begin(), result.collections.end(), [&](const auto& c) {
                return c.ownsReport(hid::HidReportType::kInput, id);
            });
        ASSERT_NE(owner, result.collections.end());
        auto list = hid::buildUsageDataList(hid::HidReportType::kInput, *owner);
        ASSERT_TRUE(hid::decodeInputReport(list, report, *owner));
        std::set<std::string> active;
        for (const auto& data : list) {
            if (!data.isButton || data.reportId != id) {
                continue;
            }
            EXPECT_EQ(data.isDataSet, 1);
            EXPECT_EQ(data.status, hid::HIDP_STATUS_SUCCESS);
            for (const uint16_t usage : data.usages) {
                if (usage != 0) {
                    active.insert(usageLabel(data.usagePage, usage));
                }
            }
        }
        std::set<std::string> expected;
        for (const auto& label : member(example, "active_usages")) {
            expected.insert(toString(label));
        }
        EXPECT_EQ(active, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(HidDescriptors, RealDescriptor, ::testing::Range(0, 8));
INSTANTIATE_TEST_SUITE_P(HidDescriptors, RecordedPlatformParse, ::testing::Range(0, 6));

struct BadDescriptorCase {
    const char* what;
    std::vector<uint8_t> bytes;
};

class BadDescriptor : public ::testing::TestWithParam<BadDescriptorCase> {};

TEST_P(BadDescriptor, IsRejectedWithAReason) {
    hid::HidReportDescriptor result;
    result.collections.resize(3); // whatever was there is not left half-filled
    std::string error;
    EXPECT_FALSE(hid::parseHidReportDescriptor(GetParam().bytes, result, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(result.collections.empty());
}

INSTANTIATE_TEST_SUITE_P(
    HidDescriptors, BadDescriptor,
    ::testing::Values(
        BadDescriptorCase{"empty", {}},
        BadDescriptorCase{"item cut short", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        BadDescriptorCase{"long item cut short", {0xFE, 0x10, 0x00, 0x01}},
        BadDescriptorCase{"collection never closed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        BadDescriptorCase{"end without collection", {0x05, 0x01, 0xC0}},
        BadDescriptorCase{"input outside a collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        BadDescriptorCase{"report size of 4 GiB bits",
                          {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x01, 0x81, 0x02, 0xC0}},
        BadDescriptorCase{"report count far too large",
                          {0xA1, 0x01, 0x75, 0x08, 0x97, 0x00, 0x00, 0x01, 0x00, 0x81, 0x02, 0xC0}},
        BadDescriptorCase{"report longer than 8 KiB",
                          {0xA1, 0x01, 0x75, 0x20, 0x96, 0x00, 0x10, 0x81, 0x02, 0xC0}},
        BadDescriptorCase{"report ID 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}},
        BadDescriptorCase{"pop without push", {0xB4, 0xA1, 0x01, 0xC0}},
        BadDescriptorCase{"usage minimum above maximum",
                          {0xA1, 0x01, 0x19, 0x05, 0x29, 0x01, 0xC0}},
        BadDescriptorCase{
            "reports with and without ID",
            {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02, 0xC0}}),
    [](const auto& param) {
        std::string name = param.param.what;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

// One top-level collection holding `nested` empty collections, filled up to `length` bytes with
// one-byte Usage Page items.
std::vector<uint8_t> collectionsOfLength(size_t nested, size_t length) {
    std::vector<uint8_t> bytes = {0xA1, 0x01};
    for (size_t i = 0; i < nested; ++i) {
        bytes.insert(bytes.end(), {0xA0, 0xC0});
    }
    bytes.resize(length - 1, 0x04);
    bytes.push_back(0xC0);
    return bytes;
}

class DescriptorLength : public ::testing::TestWithParam<size_t> {};

TEST_P(DescriptorLength, OnlyDescriptorsUpToTheKernelsLimitAreParsed) {
    const size_t length = GetParam();
    hid::HidReportDescriptor result;
    std::string error;
    const bool accepted = length <= platform::kHidMaxReportDescriptorSize;
    EXPECT_EQ(hid::parseHidReportDescriptor(collectionsOfLength(1, length), result, error),
              accepted)
        << error;
    if (!accepted) {
        EXPECT_NE(error.find(std::to_string(length) + " bytes"), std::string::npos) << error;
        EXPECT_NE(error.find("at most 4096"), std::string::npos) << error;
    }
}

INSTANTIATE_TEST_SUITE_P(HidDescriptors, DescriptorLength,
                         ::testing::Values(5, 4096, 4097, 1024 * 1024));

TEST(HidDescriptors, EveryCollectionOfTheLargestDescriptorIsCounted) {
    // 2046 nested collections take 4095 bytes: with the top-level one, 2047 link collections.
    const std::vector<uint8_t> bytes = collectionsOfLength(2046, 4095);
    hid::HidReportDescriptor result;
    std::string error;
    ASSERT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    ASSERT_EQ(result.collections.size(), 1u);
    EXPECT_EQ(result.collections[0].caps.numberLinkCollectionNodes, 2047);
}

TEST(HidDescriptors, PushAndPopRestoreTheGlobals) {
    // Page 1 with five 1-bit fields is pushed; page 9 with three fields is used for buttons;
    // Pop brings page 1 and the count of five back for usage X.
    const std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x15, 0x00,
                                        0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0xA4, 0x05,
                                        0x09, 0x19, 0x01, 0x29, 0x03, 0x95, 0x03, 0x81,
                                        0x02, 0xB4, 0x09, 0x30, 0x81, 0x02, 0xC0};
    hid::HidReportDescriptor result;
    std::string error;
    ASSERT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    const auto& buttons = result.collections.at(0).of(hid::HidReportType::kInput).buttonCaps;
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].usagePage, 9);
    EXPECT_EQ(buttons[0].reportCount, 3);
    EXPECT_EQ(buttons[1].usagePage, 1);
    EXPECT_EQ(buttons[1].usageMin, 0x30);
    EXPECT_EQ(buttons[1].reportCount, 5);
    EXPECT_EQ(buttons[1].bitPosition, 3) << "placed after the three button bits";
}

TEST(HidDescriptors, AConstantFieldWithAUsageHasACapabilityAndPaddingHasNone) {
    // Usage X as one data bit, usage Y as a constant 7-bit field, then a usage-less constant byte.
    const std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x15, 0x00, 0x25, 0x01,
                                        0x75, 0x01, 0x95, 0x01, 0x09, 0x30, 0x81, 0x02, 0x75, 0x07,
                                        0x09, 0x31, 0x81, 0x01, 0x75, 0x08, 0x81, 0x01, 0xC0};
    hid::HidReportDescriptor result;
    std::string error;
    ASSERT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    const auto& input = result.collections.at(0).of(hid::HidReportType::kInput);
    std::vector<hid::HidReportCap> caps = input.buttonCaps;
    caps.insert(caps.end(), input.valueCaps.begin(), input.valueCaps.end());
    ASSERT_EQ(caps.size(), 2u);
    const auto constant = std::find_if(caps.begin(), caps.end(), [](const hid::HidReportCap& cap) {
        return cap.usageMin == 0x31;
    });
    ASSERT_NE(constant, caps.end());
    EXPECT_EQ(constant->bitField & 0x01, 0x01) << "it says it is constant";
    EXPECT_EQ(constant->bitSize, 7);
    EXPECT_EQ(constant->bitPosition, 1);
    EXPECT_EQ(result.collections.at(0).caps.inputReportByteLength, 3) << "16 bits and the ID byte";
}

TEST(HidDescriptors, ARangeOverAWholePageGetsEntriesOnlyForItsFields) {
    // Two 8-bit fields with usages 0 to 0xFFFF (as on a real keyboard's page 0x88).
    const std::vector<uint8_t> bytes = {0x05, 0x88, 0x09, 0x01, 0xA1, 0x01, 0x19, 0x00,
                                        0x2A, 0xFF, 0xFF, 0x15, 0x00, 0x26, 0xFF, 0xFF,
                                        0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0xC0};
    hid::HidReportDescriptor result;
    std::string error;
    ASSERT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    const auto list = hid::buildUsageDataList(hid::HidReportType::kInput, result.collections.at(0));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].usage, 0);
    EXPECT_EQ(list[1].usage, 1);
}

TEST(HidDescriptors, AValueRangeGivesOneDataEntryPerUsage) {
    // Three 8-bit values with usages 1 to 3 on a vendor page, one report.
    const std::vector<uint8_t> bytes = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x19,
                                        0x01, 0x29, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                        0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0xC0};
    hid::HidReportDescriptor result;
    std::string error;
    ASSERT_TRUE(hid::parseHidReportDescriptor(bytes, result, error)) << error;
    const hid::HidPreparsedData& collection = result.collections.at(0);
    auto list = hid::buildUsageDataList(hid::HidReportType::kInput, collection);
    ASSERT_EQ(list.size(), 3u);
    for (uint16_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i].isButton, 0);
        EXPECT_EQ(list[i].usage, i + 1);
        EXPECT_EQ(list[i].usagePage, 0xFF00);
    }
    const std::vector<uint8_t> report = {0x00, 0x0A, 0x0B, 0xFF};
    ASSERT_TRUE(hid::decodeInputReport(list, report, collection));
    EXPECT_EQ(list[0].value, 0x0Au);
    EXPECT_EQ(list[1].value, 0x0Bu);
    EXPECT_EQ(list[2].value, 0xFFu);
    EXPECT_EQ(list[2].scaledValue, 255);
}

} // namespace
} // namespace morva
