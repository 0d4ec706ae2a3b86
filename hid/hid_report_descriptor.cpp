#include "hid/hid_report_descriptor.h"

#include "platform/hid_backend.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace morva::hid {
namespace {

// Limits far above any real device, so a lying descriptor cannot make us allocate or loop
// without bound.
constexpr uint32_t kMaxReportSizeBits = 32;
constexpr uint32_t kMaxReportCount = 8192;
constexpr uint32_t kMaxReportBits = 8 * 8191; // byte lengths stay within 16 bits
constexpr size_t kMaxNesting = 32;
constexpr size_t kMaxPushDepth = 32;
constexpr size_t kMaxUsagesPerItem = 4096;
constexpr size_t kMaxCapsPerType = 4096;
constexpr uint32_t kMaxDataIndex = 0xFFFF;
constexpr size_t kMaxLinkCollections = 0xFFFF; // their count and indices are 16-bit

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

enum MainTag : uint8_t {
    kInputItem = 0x8,
    kOutputItem = 0x9,
    kCollectionItem = 0xA,
    kFeatureItem = 0xB,
    kEndCollectionItem = 0xC,
};

enum GlobalTag : uint8_t {
    kUsagePage = 0,
    kLogicalMin = 1,
    kLogicalMax = 2,
    kPhysicalMin = 3,
    kPhysicalMax = 4,
    kUnitExponent = 5,
    kUnit = 6,
    kReportSize = 7,
    kReportId = 8,
    kReportCount = 9,
    kPush = 10,
    kPop = 11,
};

enum LocalTag : uint8_t { kUsage = 0, kUsageMin = 1, kUsageMax = 2 };

constexpr uint16_t kDataConstant = 0x01;
constexpr uint16_t kDataVariable = 0x02;
constexpr uint16_t kDataRelative = 0x04;
constexpr uint16_t kDataNullState = 0x40;

struct Item {
    uint8_t type = 0;
    uint8_t tag = 0;
    uint8_t size = 0;
    uint32_t data = 0;

    int32_t signedData() const {
        switch (size) {
        case 1:
            return static_cast<int8_t>(data);
        case 2:
            return static_cast<int16_t>(data);
        default:
            return static_cast<int32_t>(data);
        }
    }
};

struct Globals {
    uint32_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportId = 0;
    uint32_t reportCount = 0;
};

// One usage or usage range of the local state. Short usages take the usage page in force when
// the Main item comes; four-byte usages carry their own page.
struct UsageEntry {
    std::optional<uint16_t> page;
    uint16_t min = 0;
    uint16_t max = 0;
    bool isRange = false;

    uint32_t count() const { return static_cast<uint32_t>(max - min) + 1; }
};

struct LinkNode {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

class Parser {
public:
    Parser(std::span<const uint8_t> bytes, HidReportDescriptor& result, std::string& error)
        : bytes_(bytes), result_(result), error_(error) {}

    bool run() {
        result_ = {};
        if (bytes_.size() > platform::kHidMaxReportDescriptorSize) {
            return fail("the descriptor has " + std::to_string(bytes_.size()) +
                        " bytes; a report descriptor has at most " +
                        std::to_string(platform::kHidMaxReportDescriptorSize));
        }
        size_t pos = 0;
        while (pos < bytes_.size()) {
            Item item;
            if (!readItem(pos, item) || !handle(item)) {
                return false;
            }
        }
        if (!nesting_.empty()) {
            return fail("the descriptor ends inside an open collection");
        }
        if (result_.collections.empty()) {
            return fail("the descriptor has no top-level collection");
        }
        if (result_.usesReportIds && usedReportIdZero_) {
            return fail("some reports have no report ID although the descriptor uses report IDs");
        }
        for (auto& collection : result_.collections) {
            collection.usesReportIds = result_.usesReportIds;
        }
        return true;
    }

private:
    bool fail(std::string reason) {
        error_ = std::move(reason);
        return false;
    }

    bool readItem(size_t& pos, Item& item) {
        const uint8_t prefix = bytes_[pos];
        if (prefix == 0xFE) { // long item: skipped, but its length is checked
            if (pos + 3 > bytes_.size() || pos + 3 + bytes_[pos + 1] > bytes_.size()) {
                return fail("truncated long item at offset " + std::to_string(pos));
            }
            pos += 3 + bytes_[pos + 1];
            item.type = 0xFF;
            return true;
        }
        static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
        item.size = kSizes[prefix & 0x03];
        item.type = static_cast<uint8_t>((prefix >> 2) & 0x03);
        item.tag = static_cast<uint8_t>(prefix >> 4);
        if (pos + 1 + item.size > bytes_.size()) {
            return fail("truncated item at offset " + std::to_string(pos));
        }
        item.data = 0;
        for (uint8_t i = 0; i < item.size; ++i) {
            item.data |= static_cast<uint32_t>(bytes_[pos + 1 + i]) << (8 * i);
        }
        offset_ = pos;
        pos += 1 + item.size;
        return true;
    }

    bool handle(const Item& item) {
        switch (item.type) {
        case kMain:
            return handleMain(item);
        case kGlobal:
            return handleGlobal(item);
        case kLocal:
            return handleLocal(item);
        case 0xFF:
            return true;
        default:
            return fail("reserved item type at offset " + std::to_string(offset_));
        }
    }

    bool handleGlobal(const Item& item) {
        switch (item.tag) {
        case kUsagePage:
            globals_.usagePage = item.data & 0xFFFF;
            break;
        case kLogicalMin:
            globals_.logicalMin = item.signedData();
            break;
        case kLogicalMax:
            globals_.logicalMax = item.signedData();
            break;
        case kPhysicalMin:
            globals_.physicalMin = item.signedData();
            break;
        case kPhysicalMax:
            globals_.physicalMax = item.signedData();
            break;
        case kUnitExponent:
            globals_.unitExponent = item.data;
            break;
        case kUnit:
            globals_.unit = item.data;
            break;
        case kReportSize:
            if (item.data > kMaxReportSizeBits) {
                return fail("report size " + std::to_string(item.data) + " is too large");
            }
            globals_.reportSize = item.data;
            break;
        case kReportId:
            if (item.data == 0 || item.data > 0xFF) {
                return fail("invalid report ID " + std::to_string(item.data));
            }
            globals_.reportId = item.data;
            result_.usesReportIds = true;
            break;
        case kReportCount:
            if (item.data > kMaxReportCount) {
                return fail("report count " + std::to_string(item.data) + " is too large");
            }
            globals_.reportCount = item.data;
            break;
        case kPush:
            if (globalStack_.size() >= kMaxPushDepth) {
                return fail("too many nested Push items");
            }
            globalStack_.push_back(globals_);
            break;
        case kPop:
            if (globalStack_.empty()) {
                return fail("Pop without Push at offset " + std::to_string(offset_));
            }
            globals_ = globalStack_.back();
            globalStack_.pop_back();
            break;
        default:
            break; // reserved global tags carry nothing we use
        }
        return true;
    }

    bool handleLocal(const Item& item) {
        if (usages_.size() >= kMaxUsagesPerItem) {
            return fail("too many usages before one Main item");
        }
        std::optional<uint16_t> page;
        if (item.size == 4) {
            page = static_cast<uint16_t>(item.data >> 16);
        }
        const auto usage = static_cast<uint16_t>(item.data & 0xFFFF);
        switch (item.tag) {
        case kUsage:
            usages_.push_back({page, usage, usage, false});
            break;
        case kUsageMin:
            pendingMin_ = UsageEntry{page, usage, usage, false};
            return takeRange();
        case kUsageMax:
            pendingMax_ = UsageEntry{page, usage, usage, false};
            return takeRange();
        default:
            break; // designators, strings and delimiters do not change the reports
        }
        return true;
    }

    bool takeRange() {
        if (!pendingMin_ || !pendingMax_) {
            return true;
        }
        if (pendingMin_->min > pendingMax_->min) {
            return fail("usage minimum above usage maximum at offset " + std::to_string(offset_));
        }
        usages_.push_back({pendingMin_->page, pendingMin_->min, pendingMax_->min, true});
        pendingMin_.reset();
        pendingMax_.reset();
        return true;
    }

    // The local usages with their pages settled; a lone Usage Minimum counts as a usage.
    static bool namesNoUsage(const std::vector<UsageEntry>& usages) {
        return std::all_of(usages.begin(), usages.end(), [](const UsageEntry& entry) {
            return entry.min == 0 && entry.max == 0;
        });
    }

    std::vector<UsageEntry> settledUsages() const {
        std::vector<UsageEntry> list = usages_;
        if (pendingMin_) {
            list.push_back(*pendingMin_);
        }
        for (auto& entry : list) {
            if (!entry.page) {
                entry.page = static_cast<uint16_t>(globals_.usagePage);
            }
        }
        return list;
    }

    void clearLocals() {
        usages_.clear();
        pendingMin_.reset();
        pendingMax_.reset();
    }

    bool handleMain(const Item& item) {
        bool ok = true;
        switch (item.tag) {
        case kCollectionItem:
            ok = beginCollection(item);
            break;
        case kEndCollectionItem:
            ok = endCollection();
            break;
        case kInputItem:
            ok = dataItem(HidReportType::kInput, item);
            break;
        case kOutputItem:
            ok = dataItem(HidReportType::kOutput, item);
            break;
        case kFeatureItem:
            ok = dataItem(HidReportType::kFeature, item);
            break;
        default:
            ok = fail("unknown Main item at offset " + std::to_string(offset_));
            break;
        }
        clearLocals();
        return ok;
    }

    bool beginCollection(const Item& item) {
        if (nesting_.size() >= kMaxNesting) {
            return fail("collections nested too deeply");
        }
        const auto usages = settledUsages();
        LinkNode node;
        node.usagePage =
            usages.empty() ? static_cast<uint16_t>(globals_.usagePage) : *usages.front().page;
        node.usage = usages.empty() ? 0 : usages.front().min;
        if (nesting_.empty()) {
            HidPreparsedData collection;
            collection.caps.usagePage = node.usagePage;
            collection.caps.usage = node.usage;
            collection.collectionType = static_cast<uint16_t>(item.data & 0xFF);
            result_.collections.push_back(std::move(collection));
            links_.assign(1, node);
            dataIndices_.fill(0);
            nesting_.push_back(0);
            return true;
        }
        if (links_.size() >= kMaxLinkCollections) {
            return fail("too many collections in one top-level collection");
        }
        links_.push_back(node);
        nesting_.push_back(static_cast<uint16_t>(links_.size() - 1));
        return true;
    }

    bool endCollection() {
        if (nesting_.empty()) {
            return fail("End Collection without a collection at offset " + std::to_string(offset_));
        }
        nesting_.pop_back();
        if (nesting_.empty()) {
            finishCollection(result_.collections.back());
        }
        return true;
    }

    void finishCollection(HidPreparsedData& collection) {
        HidCaps& caps = collection.caps;
        caps.numberLinkCollectionNodes = static_cast<uint16_t>(links_.size());
        const auto length = [&](HidReportType type) {
            uint32_t longest = 0;
            for (const auto& report : collection.of(type).reports) {
                longest = std::max(longest, (report.sizeBits + 7) / 8 + 1);
            }
            return static_cast<uint16_t>(longest);
        };
        const auto count = [](size_t n) {
            return static_cast<uint16_t>(n);
        };
        caps.inputReportByteLength = length(HidReportType::kInput);
        caps.outputReportByteLength = length(HidReportType::kOutput);
        caps.featureReportByteLength = length(HidReportType::kFeature);
        const auto& in = collection.of(HidReportType::kInput);
        const auto& out = collection.of(HidReportType::kOutput);
        const auto& feature = collection.of(HidReportType::kFeature);
        caps.numberInputButtonCaps = count(in.buttonCaps.size());
        caps.numberInputValueCaps = count(in.valueCaps.size());
        caps.numberInputDataIndices = count(dataIndices_[0]);
        caps.numberOutputButtonCaps = count(out.buttonCaps.size());
        caps.numberOutputValueCaps = count(out.valueCaps.size());
        caps.numberOutputDataIndices = count(dataIndices_[1]);
        caps.numberFeatureButtonCaps = count(feature.buttonCaps.size());
        caps.numberFeatureValueCaps = count(feature.valueCaps.size());
        caps.numberFeatureDataIndices = count(dataIndices_[2]);
    }

    // Finds or starts the layout of (type, report ID) and returns its bit count so far.
    bool reportSlot(HidReportType type, HidReportLayout*& layout) {
        const auto id = static_cast<uint8_t>(globals_.reportId);
        const size_t collectionIndex = result_.collections.size() - 1;
        const auto key = std::make_pair(static_cast<int>(type), id);
        const auto owner = reportOwner_.find(key);
        if (owner != reportOwner_.end() && owner->second != collectionIndex) {
            return fail("report " + std::to_string(id) + " is split across top-level collections");
        }
        reportOwner_[key] = collectionIndex;
        auto& reports = result_.collections.back().of(type).reports;
        auto it = std::find_if(reports.begin(), reports.end(),
                               [&](const HidReportLayout& r) { return r.reportId == id; });
        if (it == reports.end()) {
            reports.push_back({id, 0});
            it = reports.end() - 1;
        }
        layout = &*it;
        return true;
    }

    bool dataItem(HidReportType type, const Item& item) {
        if (nesting_.empty()) {
            return fail("Main item outside a collection at offset " + std::to_string(offset_));
        }
        HidReportLayout* layout = nullptr;
        if (!reportSlot(type, layout)) {
            return false;
        }
        if (globals_.reportId == 0) {
            usedReportIdZero_ = true;
        }
        const uint32_t bits = globals_.reportSize * globals_.reportCount;
        if (layout->sizeBits + bits > kMaxReportBits) {
            return fail("report " + std::to_string(layout->reportId) + " is too long");
        }
        const uint32_t offset = layout->sizeBits;
        layout->sizeBits += bits;
        const auto flags = static_cast<uint16_t>(item.data & 0x1FF);
        if (bits == 0) {
            return true; // an empty field makes no capability
        }
        auto usages = settledUsages();
        if ((flags & kDataConstant) != 0 && namesNoUsage(usages)) {
            // Padding (no usage, or usage 0) makes no capability; a constant field that names a
            // usage makes one like any other field, as the platform's parser does.
            return true;
        }
        if (usages.empty()) {
            usages.push_back({static_cast<uint16_t>(globals_.usagePage), 0, 0, false});
        }
        HidReportCap base = baseCap(flags, offset);
        const bool isArray = (flags & kDataVariable) == 0;
        if (isArray) {
            return addArrayCaps(type, base, usages);
        }
        return addVariableCaps(type, base, usages);
    }

    HidReportCap baseCap(uint16_t flags, uint32_t bitOffset) const {
        HidReportCap cap;
        cap.reportId = static_cast<uint8_t>(globals_.reportId);
        cap.bitField = flags;
        cap.isArray = (flags & kDataVariable) == 0;
        cap.isAbsolute = (flags & kDataRelative) == 0;
        cap.hasNull = (flags & kDataNullState) != 0;
        cap.bitSize = static_cast<uint16_t>(globals_.reportSize);
        cap.isButton = cap.isArray || globals_.reportSize == 1;
        setPosition(cap, bitOffset);
        cap.linkCollection = nesting_.back();
        cap.linkUsagePage = links_[cap.linkCollection].usagePage;
        cap.linkUsage = links_[cap.linkCollection].usage;
        if (!cap.isButton || cap.isArray) {
            cap.logicalMin = globals_.logicalMin;
            cap.logicalMax = globals_.logicalMax;
        }
        if (!cap.isButton) {
            cap.physicalMin = globals_.physicalMin;
            cap.physicalMax = globals_.physicalMax;
            cap.units = globals_.unit;
            cap.unitsExponent = globals_.unitExponent;
        }
        return cap;
    }

    static void setPosition(HidReportCap& cap, uint32_t bitOffset) {
        cap.bytePosition = static_cast<uint16_t>(1 + bitOffset / 8);
        cap.bitPosition = static_cast<uint8_t>(bitOffset % 8);
    }

    bool addCap(HidReportType type, HidReportCap cap, const UsageEntry& usage) {
        if (result_.collections.back().of(type).buttonCaps.size() +
                result_.collections.back().of(type).valueCaps.size() >=
            kMaxCapsPerType) {
            return fail("too many capabilities");
        }
        cap.usagePage = *usage.page;
        cap.usageMin = usage.min;
        cap.usageMax = usage.max;
        cap.isRange = usage.isRange;
        // Indices are 16-bit; a descriptor declaring more usages saturates them.
        uint32_t& next = dataIndices_[static_cast<size_t>(type)];
        cap.dataIndexMin = static_cast<uint16_t>(std::min(next, kMaxDataIndex));
        next = std::min(next + usage.count(), kMaxDataIndex + 1);
        cap.dataIndexMax = static_cast<uint16_t>(std::min(next - 1, kMaxDataIndex));
        auto& typeCaps = result_.collections.back().of(type);
        (cap.isButton ? typeCaps.buttonCaps : typeCaps.valueCaps).push_back(cap);
        return true;
    }

    // An array field: every usage of the list is one of the values a slot can hold.
    bool addArrayCaps(HidReportType type, const HidReportCap& base,
                      const std::vector<UsageEntry>& usages) {
        uint32_t indexBase = 0;
        for (const auto& usage : usages) {
            HidReportCap cap = base;
            cap.reportCount = static_cast<uint16_t>(globals_.reportCount);
            cap.arrayIndexBase = static_cast<uint16_t>(std::min<uint32_t>(indexBase, 0xFFFF));
            indexBase += usage.count();
            if (!addCap(type, cap, usage)) {
                return false;
            }
        }
        return true;
    }

    // A variable field: each usage takes one field, a range one field per usage, and the last
    // usage takes every field that is left. Usages beyond the fields are dropped.
    bool addVariableCaps(HidReportType type, const HidReportCap& base,
                         const std::vector<UsageEntry>& usages) {
        uint32_t remaining = globals_.reportCount;
        uint32_t bitOffset = base.bitOffset();
        for (size_t i = 0; i < usages.size() && remaining > 0; ++i) {
            const bool last = i + 1 == usages.size();
            const uint32_t fields = last ? remaining : std::min(remaining, usages[i].count());
            HidReportCap cap = base;
            cap.reportCount = static_cast<uint16_t>(fields);
            setPosition(cap, bitOffset);
            if (!addCap(type, cap, usages[i])) {
                return false;
            }
            bitOffset += fields * globals_.reportSize;
            remaining -= fields;
        }
        return true;
    }

    std::span<const uint8_t> bytes_;
    HidReportDescriptor& result_;
    std::string& error_;
    size_t offset_ = 0;
    Globals globals_;
    std::vector<Globals> globalStack_;
    std::vector<UsageEntry> usages_;
    std::optional<UsageEntry> pendingMin_;
    std::optional<UsageEntry> pendingMax_;
    std::vector<uint16_t> nesting_; // link collection index of each open collection
    std::vector<LinkNode> links_;   // of the current top-level collection
    std::array<uint32_t, kHidReportTypeCount> dataIndices_{};
    std::map<std::pair<int, uint8_t>, size_t> reportOwner_;
    bool usedReportIdZero_ = false;
};

} // namespace

uint16_t HidPreparsedData::reportByteLength(HidReportType type) const {
    switch (type) {
    case HidReportType::kInput:
        return caps.inputReportByteLength;
    case HidReportType::kOutput:
        return caps.outputReportByteLength;
    case HidReportType::kFeature:
        return caps.featureReportByteLength;
    }
    return 0;
}

bool HidPreparsedData::ownsReport(HidReportType type, uint8_t reportId) const {
    const auto& reports = of(type).reports;
    return std::any_of(reports.begin(), reports.end(),
                       [&](const HidReportLayout& r) { return r.reportId == reportId; });
}

bool parseHidReportDescriptor(std::span<const uint8_t> bytes, HidReportDescriptor& result,
                              std::string& error) {
    error.clear();
    Parser parser(bytes, result, error);
    if (parser.run()) {
        return true;
    }
    result = {};
    return false;
}

} // namespace morva::hid
