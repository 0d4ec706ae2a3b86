#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace morva::test {

// "05 01 09 02" -> bytes.
inline std::vector<uint8_t> bytesFromHex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return bytes;
}

inline std::string realDescriptorsFile() {
    return std::string(MORVA_SOURCE_DIR) + "/tests/hid/data/descriptors.json";
}

} // namespace morva::test
