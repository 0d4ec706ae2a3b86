#include "device/device_macros.h"

#include "macros/macro_file.h"
#include "macros/macro_list.h"

namespace morva::device {

MacroImage readDeviceMacroImage(const std::filesystem::path& userDataFolder) {
    MacroImage image;
    for (const macros::MacroListEntry& entry : macros::readMacroList(userDataFolder)) {
        image.records.push_back(
            macros::packMacroEvents(macros::readMacro(userDataFolder, entry.identifier)));
    }
    return image;
}

} // namespace morva::device
