#include "ui/toolkit/language_store.h"

#include "base/trace.h"

#include <pugixml.hpp>

namespace morva::ui {

std::optional<std::string_view> LanguageStore::keyOf(std::string_view text) {
    if (text.size() < 4 || !text.starts_with("%[") || !text.ends_with(']')) {
        return std::nullopt;
    }
    return text.substr(2, text.size() - 3);
}

std::string LanguageStore::makeKey(std::string_view key) {
    return "%[" + std::string(key) + "]";
}

bool LanguageStore::load(const std::filesystem::path& file) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(file.c_str());
    if (!parsed) {
        trace("language file %s not loaded: %s", file.string().c_str(), parsed.description());
        return false;
    }
    const pugi::xml_node root = doc.child("Language");
    if (!root) {
        trace("language file %s not loaded: no <Language> element", file.string().c_str());
        return false;
    }
    std::map<std::string, std::string, std::less<>> texts;
    for (const pugi::xml_node text : root.children("Text")) {
        const std::string id = text.attribute("id").as_string();
        if (!id.empty()) {
            texts[id] = text.text().as_string();
        }
    }
    texts_ = std::move(texts);
    loadedFile_ = file;
    return true;
}

std::optional<std::string> LanguageStore::lookup(std::string_view key) const {
    if (const auto it = texts_.find(key); it != texts_.end()) {
        return it->second;
    }
    if (query_) {
        return query_(key);
    }
    return std::nullopt;
}

std::string LanguageStore::resolve(std::string_view text) const {
    if (const auto key = keyOf(text)) {
        if (auto found = lookup(*key)) {
            return std::move(*found);
        }
    }
    return std::string(text);
}

} // namespace morva::ui
