#include "lighting/live_frame.h"

namespace morva::lighting {

namespace {
constexpr size_t kNotAnLed = 126;
}

std::vector<uint8_t> encodeLiveFrame(std::span<const LedColour> leds) {
    std::vector<uint8_t> frame;
    frame.reserve(leds.size() * 3);
    for (size_t i = 0; i < leds.size(); ++i) {
        if (i == kNotAnLed) {
            continue;
        }
        const LedColour& led = leds[i];
        frame.push_back(scaled(led.red, led.intensity));
        frame.push_back(scaled(led.green, led.intensity));
        frame.push_back(scaled(led.blue, led.intensity));
    }
    return frame;
}

std::vector<Rgb> decodeLiveFrame(std::span<const uint8_t> frame) {
    std::vector<Rgb> leds;
    for (size_t at = 0; at + 3 <= frame.size(); at += 3) {
        leds.push_back({frame[at], frame[at + 1], frame[at + 2]});
    }
    return leds;
}

} // namespace morva::lighting
