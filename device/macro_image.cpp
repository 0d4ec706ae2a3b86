#include "device/macro_image.h"

namespace morva::device {
namespace {

void putWord(std::vector<uint8_t>& bytes, size_t at, size_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

size_t wordAt(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<size_t>(bytes[at] | (bytes[at + 1] << 8));
}

} // namespace

size_t macroImageLength(const MacroImage& image) {
    size_t events = 0;
    for (const auto& record : image.records) {
        events += record.size();
    }
    return kMacroImageHeader + 6 * image.records.size() + 4 * events;
}

std::vector<uint8_t> encodeMacroImage(const MacroImage& image) {
    const size_t length = macroImageLength(image);
    std::vector<uint8_t> bytes(length, 0);
    putWord(bytes, 0, kMacroImageMagic);
    putWord(bytes, 2, length);
    putWord(bytes, 4, image.records.size());
    size_t recordAt = kMacroImageHeader + 2 * image.records.size();
    for (size_t i = 0; i < image.records.size(); ++i) {
        const auto& record = image.records[i];
        putWord(bytes, kMacroImageHeader + 2 * i, recordAt);
        putWord(bytes, recordAt, record.size());
        size_t eventAt = recordAt + 4;
        for (const macros::PackedMacroEvent& event : record) {
            std::copy(event.begin(), event.end(), bytes.begin() + static_cast<long>(eventAt));
            eventAt += event.size();
        }
        recordAt = eventAt;
    }
    return bytes;
}

std::optional<MacroImage> decodeMacroImage(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMacroImageHeader || wordAt(bytes, 0) != kMacroImageMagic) {
        return std::nullopt;
    }
    const size_t length = wordAt(bytes, 2);
    const size_t count = wordAt(bytes, 4);
    if (length > bytes.size() || kMacroImageHeader + 2 * count > length) {
        return std::nullopt;
    }
    MacroImage image;
    for (size_t i = 0; i < count; ++i) {
        const size_t recordAt = wordAt(bytes, kMacroImageHeader + 2 * i);
        if (recordAt + 4 > length) {
            return std::nullopt;
        }
        const size_t events = wordAt(bytes, recordAt);
        if (recordAt + 4 + 4 * events > length) {
            return std::nullopt;
        }
        auto& record = image.records.emplace_back();
        for (size_t e = 0; e < events; ++e) {
            const size_t at = recordAt + 4 + 4 * e;
            record.push_back({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]});
        }
    }
    return image;
}

int macroImageExcess(size_t imageLength, size_t memoryBytes) {
    if (imageLength <= memoryBytes) {
        return 0;
    }
    return static_cast<int>((imageLength - memoryBytes) / 4 + 1);
}

} // namespace morva::device
