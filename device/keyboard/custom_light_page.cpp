#include "device/keyboard/custom_light_page.h"

#include <algorithm>

namespace morva::device {

namespace {
constexpr size_t kBytesPerLed = 3;
}

std::vector<uint8_t> encodeCustomPage(std::span<const profiles::RgbaColor> keyColours,
                                      const KeyboardKeyMaps& maps, size_t ledCount) {
    std::vector<uint8_t> page(std::min(ledCount * kBytesPerLed, kCustomPageBytes), 0);
    const size_t positions = std::min(keyColours.size(), maps.led.size());
    for (size_t position = 0; position < positions; ++position) {
        const size_t at = size_t{maps.led[position]} * kBytesPerLed;
        if (maps.led[position] == kNoDeviceKey || at + kBytesPerLed > page.size()) {
            continue;
        }
        const profiles::RgbaColor& colour = keyColours[position];
        page[at] = colour.red;
        page[at + 1] = colour.green;
        page[at + 2] = colour.blue;
    }
    return page;
}

std::vector<profiles::RgbaColor> decodeCustomPage(std::span<const uint8_t> page,
                                                  const KeyboardKeyMaps& maps) {
    std::vector<profiles::RgbaColor> colours(maps.led.size());
    for (size_t position = 0; position < maps.led.size(); ++position) {
        const size_t at = size_t{maps.led[position]} * kBytesPerLed;
        if (maps.led[position] != kNoDeviceKey && at + kBytesPerLed <= page.size()) {
            colours[position] = {page[at], page[at + 1], page[at + 2], 0};
        }
    }
    return colours;
}

} // namespace morva::device
