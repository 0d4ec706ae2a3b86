// A macro file and the macro list of a device folder (the input up to its first NUL byte is the
// macro file, the rest the list), read as the macro panel reads them, each event named and every
// event packed into the device's macro image, which must read back as it was written.

#include "base/json_file.h"
#include "device/macro_image.h"
#include "macros/event_name.h"
#include "macros/event_packing.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace morva;

constexpr std::string_view kIdentifier = "fuzzed";

void nameEvents(const std::vector<macros::MacroEvent>& events) {
    for (const macros::MacroEvent& event : events) {
        macros::eventName(event);
        event.delayMs();
    }
}

// The image of the events as one record, which decoding must give back unchanged.
void checkImageRoundTrip(const std::vector<macros::MacroEvent>& events) {
    device::MacroImage image;
    image.records.push_back(macros::packMacroEvents(events));
    const std::vector<uint8_t> bytes = device::encodeMacroImage(image);
    const std::optional<device::MacroImage> decoded = device::decodeMacroImage(bytes);
    if (bytes.size() <= 0xFFFF && decoded != image) {
        std::abort(); // the image does not read back as written
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [macroText, listText] = fuzz::splitAtNul(fuzz::asText(data, size));
    const std::filesystem::path& folder = fuzz::scratchFolder();
    fuzz::writeFile(macros::macroFilePath(folder, kIdentifier), macroText);
    fuzz::writeFile(macros::macroListPath(folder), listText);

    const std::vector<macros::MacroEvent> events = macros::readMacro(folder, kIdentifier);
    nameEvents(events);
    checkImageRoundTrip(events);
    macros::isMacroDocument(parseJsonText(macroText));

    const macros::MacroList list = macros::readMacroList(folder);
    macros::macroNames(list);
    macros::nameTaken(list, "macro_1");
    macros::findMacroByIdentifier(list, kIdentifier);
    for (const macros::MacroListEntry& entry : list) {
        macros::macroFilePath(folder, entry.identifier);
    }
    return 0;
}
