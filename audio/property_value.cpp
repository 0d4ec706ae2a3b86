#include "audio/property_value.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <type_traits>

namespace morva::audio {
namespace {

// The text's characters when they are all plain ASCII; nothing otherwise.
std::optional<std::string> asciiOf(std::u16string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (const char16_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    const auto first = ascii.find_first_not_of(' ');
    const auto last = ascii.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : ascii.substr(first, last - first + 1);
}

// The whole text as one number of type T (integers in the base given).
template <typename T> std::optional<T> parsed(const std::string& text, int base = 10) {
    T value{};
    const char* end = text.data() + text.size();
    std::from_chars_result result{};
    if constexpr (std::is_floating_point_v<T>) {
        result = std::from_chars(text.data(), end, value);
    } else {
        result = std::from_chars(text.data(), end, value, base);
    }
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

PropertyBuffer integerBuffer(int32_t value) {
    PropertyBuffer buffer{};
    std::memcpy(buffer.data(), &value, sizeof value);
    return buffer;
}

PropertyBuffer floatBuffer(float value) {
    PropertyBuffer buffer{};
    std::memcpy(buffer.data(), &value, sizeof value);
    return buffer;
}

PropertyBuffer argumentBuffer(std::span<const int32_t> values) {
    PropertyBuffer buffer{};
    // An empty span may have no storage at all, which memcpy must not be given.
    const size_t count = std::min(values.size(), buffer.size() / sizeof(int32_t));
    if (count > 0) {
        std::memcpy(buffer.data(), values.data(), count * sizeof(int32_t));
    }
    return buffer;
}

std::u16string textOf(std::span<const uint8_t> buffer) {
    std::u16string text;
    for (size_t at = 0; at + 1 < buffer.size(); at += 2) {
        char16_t c = 0;
        std::memcpy(&c, buffer.data() + at, sizeof c);
        if (c == 0) {
            break;
        }
        text.push_back(c);
    }
    return text;
}

std::optional<int64_t> integerOf(std::u16string_view text) {
    const std::optional<std::string> ascii = asciiOf(text);
    if (!ascii) {
        return std::nullopt;
    }
    if (ascii->starts_with("0x") || ascii->starts_with("0X")) {
        return parsed<int64_t>(ascii->substr(2), 16);
    }
    return parsed<int64_t>(*ascii);
}

std::optional<float> floatOf(std::u16string_view text) {
    const std::optional<std::string> ascii = asciiOf(text);
    return ascii ? parsed<float>(*ascii) : std::nullopt;
}

} // namespace morva::audio
