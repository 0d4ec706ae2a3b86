#include "emulator/firmware/factory_tables.h"

#include <algorithm>

namespace morva::emu {
namespace {

template <size_t Count>
void loadCodes(std::span<uint8_t> keyTable, const std::array<AssignmentCode, Count>& codes) {
    for (size_t k = 0; k < codes.size() && k * 3 + 3 <= keyTable.size(); ++k) {
        std::copy(codes[k].begin(), codes[k].end(), keyTable.begin() + static_cast<long>(k * 3));
    }
}

} // namespace

void loadKeyboardFactoryKeys(std::span<uint8_t> keyTable) {
    loadCodes(keyTable, KeyPositionTable());
}

void loadMouseFactoryKeys(std::span<uint8_t> keyTable) {
    loadCodes(keyTable, MouseButtonTable());
}

} // namespace morva::emu
