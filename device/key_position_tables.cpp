#include "device/key_position_tables.h"

namespace morva {
namespace {

// The codes come from the same table as the default profiles' key lists.
#include "factory_key_tables.inc"

} // namespace

const std::array<AssignmentCode, kKeyPositionCount>& KeyPositionTable() {
    return kFactoryKeyCodes;
}

const std::array<AssignmentCode, kMouseButtonCount>& MouseButtonTable() {
    return kFactoryMouseCodes;
}

} // namespace morva
