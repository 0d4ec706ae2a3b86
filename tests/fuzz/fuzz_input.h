#pragma once

// What the fuzz targets share: a private scratch folder for parsers that read files, and ways to
// cut one input into the parts a target needs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace morva::fuzz {

// A folder of this process's own under the system's temporary folder, made on first use and
// removed when the process ends.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "morva-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create the fuzz scratch folder");
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Replaces the file's content by the bytes (a plain write: the parsers under test read files).
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view asText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at its first NUL byte: the text before it and the rest after it (empty when
// there is no NUL), so one input can feed two files.
inline std::pair<std::string_view, std::string_view> splitAtNul(std::string_view input) {
    const size_t nul = input.find('\0');
    if (nul == std::string_view::npos) {
        return {input, {}};
    }
    return {input.substr(0, nul), input.substr(nul + 1)};
}

// The first N bytes of the input, zeros where it is shorter: fixed-size blocks from any input.
template <size_t N> std::array<uint8_t, N> leadingBytes(std::span<const uint8_t> input) {
    std::array<uint8_t, N> block{};
    for (size_t i = 0; i < N && i < input.size(); ++i) {
        block[i] = input[i];
    }
    return block;
}

} // namespace morva::fuzz
