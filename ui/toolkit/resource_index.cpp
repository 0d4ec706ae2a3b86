#include "ui/toolkit/resource_index.h"

#include "base/trace.h"

#include <algorithm>
#include <pugixml.hpp>

namespace morva::ui {

bool ResourceIndex::load(const std::filesystem::path& skinFolder) {
    folder_ = skinFolder;
    entries_.clear();
    const std::filesystem::path indexPath = skinFolder / kIndexFile;
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(indexPath.c_str());
    if (!parsed) {
        trace("resource index %s not loaded: %s", indexPath.string().c_str(), parsed.description());
        return false;
    }
    for (const pugi::xml_node res : doc.child("Resources").children("Res")) {
        const std::string name = res.attribute("name").as_string();
        const std::string file = res.attribute("file").as_string();
        if (!name.empty() && !file.empty()) {
            entries_[name] = file;
        }
    }
    return true;
}

std::filesystem::path ResourceIndex::skinPath(std::string_view relative) const {
    std::string path(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::filesystem::path p(path);
    return p.is_absolute() ? p : folder_ / p;
}

std::optional<std::filesystem::path> ResourceIndex::resolve(std::string_view resource) const {
    if (const auto it = entries_.find(resource); it != entries_.end()) {
        return skinPath(it->second);
    }
    if (resource.empty()) {
        return std::nullopt;
    }
    std::filesystem::path path = skinPath(resource);
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        return path;
    }
    return std::nullopt;
}

} // namespace morva::ui
