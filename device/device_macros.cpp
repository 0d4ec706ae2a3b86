#include "device/device_macros.h"

#include "macros/macro_file.h"
#include "macros/macro_list.h"

namespace morva::device {

MacroImage readDeviceMacroImage(const std::filesystem::path& userDataFolder) {
    MacroImage image;
    for (const macros::MacroListEntry& entry : macros::readMacroList(userDataFolder)) {
        auto& record = image.records.emplace_back();
        for (const macros::MacroEvent& event :
             macros::readMacro(userDataFolder, entry.identifier)) {
            record.push_back(macros::packMacroEvent(event));
        }
    }
    return image;
}

} // namespace morva::device
