#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morva::macros {

// What a device page asks of its macro panel. The device knows the panel only through this.
class MacroPanelBinding {
public:
    virtual ~MacroPanelBinding() = default;

    // Shows the macros of the device's user data folder, none selected; returns their names in
    // list order, for the key-assignment panel.
    virtual std::vector<std::string> LoadMacroList(const std::filesystem::path& folder) = 0;
};

} // namespace morva::macros
