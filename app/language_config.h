#pragma once

#include "platform/settings_store.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morva::app {

// One entry of "Language.config"; its position in the list is the language index.
struct LanguageEntry {
    int32_t id = 0;   // "Language_ID": what the settings store keeps
    std::string name; // "Language_name": the language name handed to the toolkit
    std::string file; // "Language_file": the toolkit language file
    std::string text; // "Language_text": label in the settings window's language list
};

inline constexpr const char* kLanguageListFileName = "Language.config";
inline constexpr const char* kLanguageValueName = "LANGUAGE";

// program folder + "DefaultData/Language.config"
std::filesystem::path languageListPath(const std::filesystem::path& programFolder);

// The entries of the list file in order; empty when the file is missing or not a language list.
// Entries of the wrong shape are kept with empty or zero fields so the indexes stay in place.
std::vector<LanguageEntry> readLanguageList(const std::filesystem::path& listFile);

// The position of the first entry with the identifier; 0 when there is none or no identifier.
int languageIndexForId(const std::vector<LanguageEntry>& list, std::optional<int32_t> id);

// The entry whose language name matches a locale ("en_US.UTF-8" matches "en_US"; failing that,
// "en_GB" matches the first "en_" entry); 0 for none.
int languageIndexForLocale(const std::vector<LanguageEntry>& list, std::string_view locale);

// The index of the stored language in the list file. Before the user has chosen one, the entry
// of the desktop's locale; 0 when nothing matches.
int readLanguageIndex(const platform::SettingsStore& store, const std::filesystem::path& listFile,
                      std::string_view desktopLocale = {});

// Keeps the identifier (not the index: reordering the list keeps the user's language).
bool storeLanguageIdentifier(platform::SettingsStore& store, int32_t id);

// The fonts shared by all windows. Nothing is italic.
struct FontSpec {
    int id = 0;
    int size = 0;
    bool bold = false;
    bool underline = false;
};

struct FontTable {
    std::string face;
    int defaultSize = 12;
    std::vector<FontSpec> fonts;
};

inline constexpr const char* kFontFace = "arial";
FontTable buildFontTable(const std::string& face = kFontFace);

// What applying language `newIndex` over `currentIndex` (-1 before the first one) must do. The
// languages at 0, 2 and 15 need a font table of their own, so it is rebuilt whenever one of
// them is left or entered, and at the first application.
struct LanguageSwitch {
    bool apply = false;
    bool rebuildFontTable = false;

    friend bool operator==(const LanguageSwitch&, const LanguageSwitch&) = default;
};
LanguageSwitch decideLanguageSwitch(int currentIndex, int newIndex);

// Where a language is applied: the interface toolkit and the open windows.
class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    virtual void rebuildFontTable(const FontTable& table) = 0;
    // Makes the entry's language current and reloads every text; false when its file could
    // not be loaded (the previous texts stay).
    virtual bool loadLanguage(const LanguageEntry& entry) = 0;
    // Repaint, tell the settings and about windows, relayout.
    virtual void languageChanged() = 0;
};

// The main window's current language: applies a language by index and stores the choice.
class LanguageSelector {
public:
    LanguageSelector(std::filesystem::path listFile, platform::SettingsStore& store,
                     LanguageTarget& target)
        : listFile_(std::move(listFile)), store_(store), target_(target) {}

    int currentIndex() const { return currentIndex_; }

    // Applies the stored language (at start); before the user has chosen one, the language of
    // the desktop's locale.
    void applyStored(std::string_view desktopLocale = {});
    // Applies the entry at `index`; false when nothing changed (same language, or an index the
    // list does not have).
    bool apply(int index);

private:
    std::filesystem::path listFile_;
    platform::SettingsStore& store_;
    LanguageTarget& target_;
    int currentIndex_ = -1;
};

} // namespace morva::app
