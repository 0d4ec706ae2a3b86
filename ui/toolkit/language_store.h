#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace morva::ui {

// The texts of the current language, by key. A control text written as "%[key]" is a key; it
// reads as the language's text. Language files are XML:
//   <Language name="English"><Text id="message_text_7">...</Text>...</Language>
class LanguageStore {
public:
    // The key inside "%[key]", or nothing when the text is not a key.
    static std::optional<std::string_view> keyOf(std::string_view text);
    static std::string makeKey(std::string_view key);

    const std::string& language() const { return language_; }
    void setLanguage(std::string name) { language_ = std::move(name); }

    // Replaces the texts with the file's. A file that cannot be read or parsed leaves the
    // previous texts and returns false (traced).
    bool load(const std::filesystem::path& file);
    const std::filesystem::path& loadedFile() const { return loadedFile_; }

    // Asked for keys the file does not have (the main window answers some itself).
    using TextQuery = std::function<std::optional<std::string>(std::string_view key)>;
    void setTextQuery(TextQuery query) { query_ = std::move(query); }

    std::optional<std::string> lookup(std::string_view key) const;
    // A keyed text becomes the language's text; an unknown key and any other text stay as they
    // are.
    std::string resolve(std::string_view text) const;
    size_t size() const { return texts_.size(); }

private:
    std::string language_;
    std::filesystem::path loadedFile_;
    std::map<std::string, std::string, std::less<>> texts_;
    TextQuery query_;
};

} // namespace morva::ui
