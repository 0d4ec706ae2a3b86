#include "macros/event_packing.h"

namespace morva::macros {

PackedMacroEvent packMacroEvent(const MacroEvent& event) {
    const uint32_t delay = event.delayMs();
    const auto typeByte =
        static_cast<uint8_t>((event.type & 0x7F) | (event.isPress() ? kPackedPressBit : 0));
    return {static_cast<uint8_t>(delay & 0xFF), static_cast<uint8_t>((delay >> 8) & 0xFF), typeByte,
            static_cast<uint8_t>(event.button & 0xFF)};
}

std::vector<PackedMacroEvent> packMacroEvents(const std::vector<MacroEvent>& events) {
    std::vector<PackedMacroEvent> packed;
    packed.reserve(events.size());
    for (const MacroEvent& event : events) {
        packed.push_back(packMacroEvent(event));
    }
    return packed;
}

} // namespace morva::macros
