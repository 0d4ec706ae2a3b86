#include "platform/hid_sysfs.h"

#include "base/file_io.h"
#include "platform/hid_backend.h"

#include <linux/hid.h>
#include <sstream>
#include <string>

namespace morva::platform {
namespace {

static_assert(kHidMaxReportDescriptorSize == HID_MAX_DESCRIPTOR_SIZE);

// A text attribute fills at most one page; 64 KiB is the largest page Linux runs with.
constexpr size_t kMaxTextAttributeBytes = 64 * 1024;

std::optional<std::string> readTextAttribute(const std::filesystem::path& file) {
    FileReadResult read = readRegularFile(file, kMaxTextAttributeBytes);
    if (!read.ok()) {
        return std::nullopt;
    }
    return std::move(read.content);
}

std::optional<uint32_t> parseHex(const std::string& text) {
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (const char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

bool readSysfsHidIds(const std::filesystem::path& ueventFile, SysfsHidIds& ids) {
    const std::optional<std::string> text = readTextAttribute(ueventFile);
    if (!text) {
        return false;
    }
    std::istringstream in(*text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with("HID_ID=")) {
            continue;
        }
        const std::string value = line.substr(7);
        const size_t first = value.find(':');
        const size_t second = value.find(':', first == std::string::npos ? first : first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            return false;
        }
        const auto bus = parseHex(value.substr(0, first));
        const auto vendor = parseHex(value.substr(first + 1, second - first - 1));
        const auto product = parseHex(value.substr(second + 1));
        if (!bus || !vendor || !product) {
            return false;
        }
        ids.bus = static_cast<uint16_t>(*bus);
        ids.vendorId = static_cast<uint16_t>(*vendor);
        ids.productId = static_cast<uint16_t>(*product);
        return true;
    }
    return false;
}

bool readSysfsReportDescriptor(const std::filesystem::path& file, std::vector<uint8_t>& bytes) {
    bytes.clear();
    const FileReadResult read = readRegularFile(file, kHidMaxReportDescriptorSize);
    if (!read.ok()) {
        return false;
    }
    bytes.assign(read.content.begin(), read.content.end());
    return !bytes.empty();
}

std::optional<int> readSysfsHex(const std::filesystem::path& file) {
    const std::optional<std::string> content = readTextAttribute(file);
    std::string text;
    if (!content || !(std::istringstream(*content) >> text)) {
        return std::nullopt;
    }
    const auto value = parseHex(text);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

} // namespace morva::platform
