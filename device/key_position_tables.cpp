#include "device/key_position_tables.h"

namespace morva::device {
namespace {

// The codes come from the same table as the default profiles' key lists.
#include "factory_key_tables.inc"

} // namespace

const std::array<profiles::AssignmentCode, kKeyPositionCount>& KeyPositionTable() {
    return kFactoryKeyCodes;
}

const std::array<profiles::AssignmentCode, kMouseButtonCount>& MouseButtonTable() {
    return kFactoryMouseCodes;
}

} // namespace morva::device
