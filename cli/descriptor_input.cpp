#include "cli/descriptor_input.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace morva::cli {
namespace {

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
    std::error_code ignored;
    if (arguments.size() == 1 && std::filesystem::is_regular_file(arguments[0], ignored)) {
        std::ifstream in(arguments[0], std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            error = "cannot read " + arguments[0];
            return false;
        }
        if (!parseHexBytes(content, bytes)) {
            bytes.assign(content.begin(), content.end());
        }
        if (bytes.empty()) {
            error = arguments[0] + " is empty";
            return false;
        }
        return true;
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
