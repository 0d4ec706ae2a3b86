#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Report descriptors of the emulated devices. The control interface (interface 1 of keyboards,
// mice and mouse pads) holds four top-level collections, so the vendor collection is
// collection 4 and the consumer collection collection 3, as the supported-interface table
// expects.
namespace morva::emulator {

inline constexpr uint8_t kCommandReportId = 0x04; // 64-byte command packets, both ways
inline constexpr uint8_t kEventReportId = 0x03;   // consumer collection: key and sync events
inline constexpr uint8_t kHeadsetLightReportId = 0xFF;
inline constexpr size_t kCommandReportLength = 64; // with the report ID byte
inline constexpr size_t kEventReportLength = 5;    // ID, event usage (2 bytes), media usage (2)

// Boot keyboard, no report IDs (interface 0 of the keyboard).
std::vector<uint8_t> bootKeyboardDescriptor();
// Boot mouse with wheel, no report IDs (interface 0 of the mice).
std::vector<uint8_t> bootMouseDescriptor();
// Keyboard (ID 1), system control (ID 2), consumer (ID 3), vendor commands (ID 4).
std::vector<uint8_t> controlInterfaceDescriptor();
// Headset: one consumer collection carrying commands (ID 4), events (ID 3) and the 17-byte
// lighting output report (ID 0xFF).
std::vector<uint8_t> headsetDescriptor();

} // namespace morva::emulator
