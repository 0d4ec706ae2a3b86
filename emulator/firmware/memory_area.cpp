#include "emulator/firmware/memory_area.h"

#include <algorithm>

namespace morva::emulator {

std::span<uint8_t> MemoryArea::slice(size_t offset, size_t length) {
    if (!fits(offset, length)) {
        return {};
    }
    return std::span<uint8_t>(bytes_).subspan(offset, length);
}

bool MemoryArea::read(size_t offset, std::span<uint8_t> out) const {
    if (!exists() || !fits(offset, out.size())) {
        return false;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

bool MemoryArea::write(size_t offset, std::span<const uint8_t> data) {
    if (!exists() || !fits(offset, data.size())) {
        return false;
    }
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

} // namespace morva::emulator
