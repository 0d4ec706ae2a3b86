#include "ui/toolkit/attribute_parse.h"

#include "base/text.h"

#include <charconv>
#include <vector>

namespace morva::ui::attr {
namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

template <typename T> std::optional<T> parseNumber(std::string_view text, int base) {
    text = trim(text);
    T value{};
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value, base);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

// Exactly `count` comma-separated numbers.
std::optional<std::vector<int>> parseInts(std::string_view text, size_t count) {
    std::vector<int> values;
    for (;;) {
        const size_t comma = text.find(',');
        const auto value = parseInt(text.substr(0, comma));
        if (!value || values.size() == count) {
            return std::nullopt;
        }
        values.push_back(*value);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (values.size() != count) {
        return std::nullopt;
    }
    return values;
}

} // namespace

std::optional<bool> parseBool(std::string_view text) {
    text = trim(text);
    if (equalsIgnoreCase(text, "true") || text == "1") {
        return true;
    }
    if (equalsIgnoreCase(text, "false") || text == "0") {
        return false;
    }
    return std::nullopt;
}

std::optional<int> parseInt(std::string_view text) {
    return parseNumber<int>(text, 10);
}

std::optional<uint32_t> parseColor(std::string_view text) {
    text = trim(text);
    if (text.starts_with('#')) {
        text.remove_prefix(1);
        const auto value = parseNumber<uint32_t>(text, 16);
        if (!value || (text.size() != 6 && text.size() != 8)) {
            return std::nullopt;
        }
        return text.size() == 6 ? (*value | 0xFF000000u) : *value;
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return parseNumber<uint32_t>(text.substr(2), 16);
    }
    return parseNumber<uint32_t>(text, 10);
}

std::optional<Size> parseSize(std::string_view text) {
    const auto values = parseInts(text, 2);
    if (!values) {
        return std::nullopt;
    }
    return Size{(*values)[0], (*values)[1]};
}

std::optional<Rect> parseRect(std::string_view text) {
    const auto values = parseInts(text, 4);
    if (!values) {
        return std::nullopt;
    }
    return Rect{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
}

} // namespace morva::ui::attr
