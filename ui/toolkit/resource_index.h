#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace morva::ui {

// The skin folder and its index "res.xml", which maps resource names such as "XML_MAIN" to
// skin files:
//   <Resources><Res name="XML_MAIN" file="XML/main.xml"/>...</Resources>
class ResourceIndex {
public:
    static constexpr std::string_view kIndexFile = "res.xml";

    // Reads the index of the folder. The folder is kept even when its index is missing or bad
    // (then false, traced), so files can still be named directly.
    bool load(const std::filesystem::path& skinFolder);
    const std::filesystem::path& folder() const { return folder_; }

    // A resource name of the index, or a file path relative to the skin folder (backslashes
    // accepted, as the skin files write them) or absolute. Nothing for a name that is neither in
    // the index nor a path to an existing file.
    std::optional<std::filesystem::path> resolve(std::string_view resource) const;
    // A path relative to the skin folder as a path of this system.
    std::filesystem::path skinPath(std::string_view relative) const;
    bool contains(std::string_view name) const { return entries_.contains(name); }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::string, std::less<>> entries_;
};

} // namespace morva::ui
