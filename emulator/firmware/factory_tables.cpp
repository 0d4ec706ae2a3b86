#include "emulator/firmware/factory_tables.h"

#include <algorithm>

namespace morva::emulator {
namespace {

template <size_t Count>
void loadCodes(std::span<uint8_t> keyTable,
               const std::array<profiles::AssignmentCode, Count>& codes) {
    for (size_t k = 0; k < codes.size() && k * 3 + 3 <= keyTable.size(); ++k) {
        keyTable[k * 3] = codes[k].kind;
        keyTable[k * 3 + 1] = codes[k].first;
        keyTable[k * 3 + 2] = codes[k].second;
    }
}

} // namespace

void loadKeyboardFactoryKeys(std::span<uint8_t> keyTable) {
    loadCodes(keyTable, device::KeyPositionTable());
}

void loadMouseFactoryKeys(std::span<uint8_t> keyTable) {
    loadCodes(keyTable, device::MouseButtonTable());
}

} // namespace morva::emulator
