#include "app/language_config.h"

#include "base/json_access.h"
#include "base/json_file.h"
#include "base/text.h"
#include "base/trace.h"

#include <algorithm>

namespace morva::app {
namespace {

bool needsOwnFontTable(int index) {
    return index == 0 || index == 2 || index == 15;
}

LanguageEntry entryFromJson(const Json::Value& value) {
    LanguageEntry entry;
    entry.id = json::intMember(value, "Language_ID");
    entry.name = json::toString(json::member(value, "Language_name"));
    entry.file = json::toString(json::member(value, "Language_file"));
    entry.text = json::toString(json::member(value, "Language_text"));
    return entry;
}

} // namespace

std::filesystem::path languageListPath(const std::filesystem::path& programFolder) {
    return programFolder / "DefaultData" / kLanguageListFileName;
}

std::vector<LanguageEntry> readLanguageList(const std::filesystem::path& listFile) {
    const Json::Value languages = json::member(readjsonFile(listFile), "Language");
    std::vector<LanguageEntry> list;
    if (!languages.isArray()) {
        return list;
    }
    for (Json::ArrayIndex i = 0; i < languages.size(); ++i) {
        list.push_back(entryFromJson(json::element(languages, i)));
    }
    return list;
}

int languageIndexForId(const std::vector<LanguageEntry>& list, std::optional<int32_t> id) {
    if (!id) {
        return 0;
    }
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const LanguageEntry& entry) { return entry.id == *id; });
    return found == list.end() ? 0 : static_cast<int>(found - list.begin());
}

namespace {

// "en_US.UTF-8@euro" → "en_US"
std::string_view localeName(std::string_view locale) {
    return locale.substr(0, locale.find_first_of(".@"));
}

std::string_view languagePart(std::string_view name) {
    return name.substr(0, name.find('_'));
}

} // namespace

int languageIndexForLocale(const std::vector<LanguageEntry>& list, std::string_view locale) {
    const std::string_view wanted = localeName(locale);
    if (wanted.empty() || wanted == "C" || wanted == "POSIX") {
        return 0;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (equalsIgnoreCase(list[i].name, wanted)) {
            return static_cast<int>(i);
        }
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (equalsIgnoreCase(languagePart(list[i].name), languagePart(wanted))) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int readLanguageIndex(const platform::SettingsStore& store, const std::filesystem::path& listFile,
                      std::string_view desktopLocale) {
    const std::vector<LanguageEntry> list = readLanguageList(listFile);
    const std::optional<int32_t> stored = store.readInt(kLanguageValueName);
    if (!stored) {
        return languageIndexForLocale(list, desktopLocale);
    }
    return languageIndexForId(list, stored);
}

bool storeLanguageIdentifier(platform::SettingsStore& store, int32_t id) {
    if (!store.writeInt(kLanguageValueName, id)) {
        return false;
    }
    trace("写成功！\n");
    return true;
}

FontTable buildFontTable(const std::string& face) {
    FontTable table;
    table.face = face;
    table.defaultSize = 12;
    table.fonts = {
        {0, 15, false, false}, {1, 14, false, true},   {2, 18, false, false},
        {3, 30, false, false}, {4, 16, false, false},  {5, 20, false, false},
        {6, 22, false, false}, {7, 14, false, false},  {8, 12, false, false},
        {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
        {50, 18, true, false},
    };
    return table;
}

LanguageSwitch decideLanguageSwitch(int currentIndex, int newIndex) {
    if (newIndex < 0 || newIndex == currentIndex) {
        return {};
    }
    const bool rebuild =
        currentIndex == -1 || needsOwnFontTable(currentIndex) || needsOwnFontTable(newIndex);
    return {true, rebuild};
}

void LanguageSelector::applyStored(std::string_view desktopLocale) {
    apply(readLanguageIndex(store_, listFile_, desktopLocale));
}

bool LanguageSelector::apply(int index) {
    const std::vector<LanguageEntry> list = readLanguageList(listFile_);
    // Without a list only the first application runs (it builds the fonts); an index past the
    // end of a list would name no language at all.
    if (!list.empty() && index >= static_cast<int>(list.size())) {
        trace("language: no entry %d in %s\n", index, listFile_.string().c_str());
        return false;
    }
    const LanguageSwitch change = decideLanguageSwitch(currentIndex_, index);
    if (!change.apply) {
        return false;
    }
    if (change.rebuildFontTable) {
        target_.rebuildFontTable(buildFontTable());
    }
    currentIndex_ = index;
    if (!list.empty()) {
        const LanguageEntry& entry = list[static_cast<size_t>(index)];
        target_.loadLanguage(entry);
        storeLanguageIdentifier(store_, entry.id);
    }
    target_.languageChanged();
    return true;
}

} // namespace morva::app
