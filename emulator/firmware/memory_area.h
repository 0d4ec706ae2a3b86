#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace morva::emulator {

// One addressable memory of an emulated device (settings, key table, macro image, ...).
// Accesses that do not fit inside it are refused, as the device would refuse them.
class MemoryArea {
public:
    MemoryArea() = default;
    explicit MemoryArea(size_t size) : bytes_(size, 0) {}

    size_t size() const { return bytes_.size(); }
    bool exists() const { return !bytes_.empty(); }
    std::span<uint8_t> bytes() { return bytes_; }
    std::span<const uint8_t> bytes() const { return bytes_; }
    // The part at [offset, offset + length), or an empty span when it does not fit.
    std::span<uint8_t> slice(size_t offset, size_t length);

    bool fits(size_t offset, size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    bool read(size_t offset, std::span<uint8_t> out) const;
    bool write(size_t offset, std::span<const uint8_t> data);

private:
    std::vector<uint8_t> bytes_;
};

} // namespace morva::emulator
