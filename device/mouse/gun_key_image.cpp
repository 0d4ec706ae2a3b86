#include "device/mouse/gun_key_image.h"

#include "device/macro_image.h"
#include "macros/event_packing.h"
#include "macros/gun_document.h"

namespace morva::device {

std::vector<uint8_t> encodeGunKeyImage(const std::array<Json::Value, 4>& gunDocuments) {
    MacroImage image;
    for (const Json::Value& document : gunDocuments) {
        image.records.push_back(macros::packMacroEvents(macros::gunEvents(document)));
    }
    return encodeMacroImage(image);
}

} // namespace morva::device
