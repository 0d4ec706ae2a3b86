#include "cli/descriptor_input.h"

#include "base/file_io.h"
#include "platform/hid_backend.h"

#include <cctype>

namespace morva::cli {
namespace {

// The longest file worth reading: the largest descriptor written out as text, at most "0x05, "
// and a line break per byte. A longer file cannot hold a descriptor the parser would accept.
constexpr size_t kMaxDescriptorFileBytes = 8 * platform::kHidMaxReportDescriptorSize;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool isSeparator(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0 || c == ',' || c == ';';
}

// The descriptor in a file's content: hexadecimal text, or else the raw bytes.
bool descriptorOfFile(const std::string& name, const std::string& content,
                      std::vector<uint8_t>& bytes, std::string& error) {
    if (!parseHexBytes(content, bytes)) {
        bytes.assign(content.begin(), content.end());
    }
    if (bytes.empty()) {
        error = name + " is empty";
        return false;
    }
    return true;
}

std::string describeUnreadableFile(const std::string& name, FileReadStatus result) {
    if (result == FileReadStatus::TooLarge) {
        return name + " is larger than " + std::to_string(kMaxDescriptorFileBytes) +
               " bytes; a report descriptor has at most " +
               std::to_string(platform::kHidMaxReportDescriptorSize) + " bytes";
    }
    return name + ": " + describeFileReadStatus(result);
}

} // namespace

bool parseHexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            i += 2;
        }
        const size_t start = i;
        while (i < text.size() && hexValue(text[i]) >= 0) {
            ++i;
        }
        const size_t digits = i - start;
        if (digits == 0 || (i < text.size() && !isSeparator(text[i]))) {
            return false;
        }
        if (digits % 2 != 0) {
            if (digits != 1) {
                return false;
            }
            bytes.push_back(static_cast<uint8_t>(hexValue(text[start]))); // "5" as in "0x5"
            continue;
        }
        for (size_t d = start; d < i; d += 2) {
            bytes.push_back(static_cast<uint8_t>(hexValue(text[d]) * 16 + hexValue(text[d + 1])));
        }
    }
    return !bytes.empty();
}

bool readDescriptorArgument(const std::vector<std::string>& arguments, std::vector<uint8_t>& bytes,
                            std::string& error) {
    if (arguments.empty()) {
        error = "give the descriptor as hexadecimal bytes or as a file";
        return false;
    }
    if (arguments.size() == 1) {
        const FileReadResult read = readRegularFile(arguments[0], kMaxDescriptorFileBytes);
        if (read.ok()) {
            return descriptorOfFile(arguments[0], read.content, bytes, error);
        }
        if (read.status != FileReadStatus::Missing) {
            error = describeUnreadableFile(arguments[0], read.status);
            return false;
        }
    }
    std::string text;
    for (const auto& argument : arguments) {
        text += argument + " ";
    }
    if (!parseHexBytes(text, bytes)) {
        error = "not hexadecimal bytes, nor a file: " + arguments[0];
        return false;
    }
    return true;
}

} // namespace morva::cli
