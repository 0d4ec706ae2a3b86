#pragma once

#include <cstdint>

// Status codes of the report field accessors, with the values the platform HID parser of the
// original target uses, so that traces read the same.
namespace morva::hid {

inline constexpr uint32_t HIDP_STATUS_SUCCESS = 0x00110000;
inline constexpr uint32_t HIDP_STATUS_NULL = 0x80110001;
inline constexpr uint32_t HIDP_STATUS_INVALID_PREPARSED_DATA = 0xC0110001;
inline constexpr uint32_t HIDP_STATUS_INVALID_REPORT_TYPE = 0xC0110002;
inline constexpr uint32_t HIDP_STATUS_INVALID_REPORT_LENGTH = 0xC0110003;
inline constexpr uint32_t HIDP_STATUS_USAGE_NOT_FOUND = 0xC0110004;
inline constexpr uint32_t HIDP_STATUS_VALUE_OUT_OF_RANGE = 0xC0110005;
inline constexpr uint32_t HIDP_STATUS_BAD_LOG_PHY_VALUES = 0xC0110006;
inline constexpr uint32_t HIDP_STATUS_BUFFER_TOO_SMALL = 0xC0110007;
inline constexpr uint32_t HIDP_STATUS_INCOMPATIBLE_REPORT_ID = 0xC011000A;

} // namespace morva::hid
