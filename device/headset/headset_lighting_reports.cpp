#include "device/headset/headset_lighting_reports.h"

#include <algorithm>

namespace morva::device {
namespace {

constexpr std::array<uint8_t, 2> kTargets = {0x22, 0x44};
constexpr uint8_t kFirstLowBlock = 0xAA;  // red, green, blue of LEDs 0–6
constexpr uint8_t kFirstHighBlock = 0xAD; // red, green, blue of LEDs 7–12
constexpr size_t kLowLeds = 7;
constexpr size_t kFirstValue = 4;

enum class Channel : uint8_t { Red = 0, Green = 1, Blue = 2 };

uint8_t channelValue(const lighting::LedColour& led, Channel channel) {
    const uint8_t colour = channel == Channel::Red     ? led.red
                           : channel == Channel::Green ? led.green
                                                       : led.blue;
    return std::min(lighting::scaled(colour, led.intensity), kHeadsetChannelLimit);
}

HeadsetReport blockReport(std::span<const lighting::LedColour> leds, uint8_t target,
                          Channel channel, bool highLeds) {
    HeadsetReport report{};
    report[0] = kHeadsetReportId;
    report[1] = target;
    report[2] = static_cast<uint8_t>((highLeds ? kFirstHighBlock : kFirstLowBlock) +
                                     static_cast<uint8_t>(channel));
    const size_t first = highLeds ? kLowLeds : 0;
    const size_t last = highLeds ? kHeadsetLedCount : kLowLeds;
    for (size_t led = first; led < last && led < leds.size(); ++led) {
        report[kFirstValue + led - first] = channelValue(leds[led], channel);
    }
    return report;
}

} // namespace

HeadsetFrame encodeHeadsetFrame(std::span<const lighting::LedColour> leds) {
    HeadsetFrame frame{};
    size_t next = 0;
    for (const Channel channel : {Channel::Red, Channel::Green, Channel::Blue}) {
        for (const uint8_t target : kTargets) {
            frame[next++] = blockReport(leds, target, channel, false);
            frame[next++] = blockReport(leds, target, channel, true);
        }
    }
    return frame;
}

} // namespace morva::device
