#include "profiles/assignment_code.h"

namespace morva::profiles {

int32_t encodeAssignmentCode(const AssignmentCode& code) {
    return code.kind * 65536 + code.first * 256 + code.second;
}

AssignmentCode decodeAssignmentCode(int32_t stored) {
    const auto bits = static_cast<uint32_t>(stored);
    return AssignmentCode{static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 8),
                          static_cast<uint8_t>(bits)};
}

} // namespace morva::profiles
