#include "app/language_config.h"
#include "base/json_file.h"
#include "platform/desktop_locale.h"
#include "tests/shell/env_override.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace morva {
namespace {

// Enough languages that indexes 0 to 4 and 15 exist.
std::vector<app::LanguageEntry> sampleLanguages() {
    std::vector<app::LanguageEntry> list;
    for (int i = 0; i < 17; ++i) {
        list.push_back({2052 + i, "lang" + std::to_string(i), "lan_" + std::to_string(i) + ".xml",
                        "Language " + std::to_string(i)});
    }
    return list;
}

void writeLanguageList(const std::filesystem::path& file,
                       const std::vector<app::LanguageEntry>& list) {
    Json::Value languages(Json::arrayValue);
    for (const app::LanguageEntry& entry : list) {
        Json::Value item;
        item["Language_ID"] = entry.id;
        item["Language_name"] = entry.name;
        item["Language_file"] = entry.file;
        item["Language_text"] = entry.text;
        languages.append(item);
    }
    Json::Value root;
    root["Language"] = languages;
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(writejsonFile(file, root));
}

bool sameEntry(const app::LanguageEntry& a, const app::LanguageEntry& b) {
    return a.id == b.id && a.name == b.name && a.file == b.file && a.text == b.text;
}

class RecordingTarget : public app::LanguageTarget {
public:
    void rebuildFontTable(const app::FontTable& table) override {
        ++fontRebuilds;
        lastFace = table.face;
    }
    bool loadLanguage(const app::LanguageEntry& entry) override {
        loaded.push_back(entry.id);
        return true;
    }
    void languageChanged() override { ++changes; }

    int fontRebuilds = 0;
    std::string lastFace;
    std::vector<int32_t> loaded;
    int changes = 0;
};

class LanguageSelectorTest : public ::testing::Test {
protected:
    void SetUp() override { writeLanguageList(listFile_, sampleLanguages()); }

    test::TempDir dir_;
    std::filesystem::path listFile_ = app::languageListPath(dir_.path());
    platform::SettingsStore store_{dir_.path() / "config" / "settings.json"};
    RecordingTarget target_;
    app::LanguageSelector selector_{listFile_, store_, target_};
};

TEST(LanguageListTest, TheListFileLivesInDefaultData) {
    EXPECT_EQ(app::languageListPath("/opt/morva"), "/opt/morva/DefaultData/Language.config");
}

TEST(LanguageListTest, EntriesAreReadInOrderAndOddEntriesKeepTheirPlace) {
    test::TempDir dir;
    const auto file = dir.path() / "Language.config";
    std::ofstream(file) << R"({ // comments are allowed
        "Language": [
            {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml",
             "Language_text": "简体中文"},
            "not an object",
            {"Language_ID": "1033", "Language_name": 5},
            {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml",
             "Language_text": "English"}
        ]})";
    const std::vector<app::LanguageEntry> list = app::readLanguageList(file);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(sameEntry(list[0], {2052, "cn", "lan_cn.xml", "简体中文"}));
    EXPECT_TRUE(sameEntry(list[1], {}));
    EXPECT_TRUE(sameEntry(list[2], {}));
    EXPECT_TRUE(sameEntry(list[3], {1033, "en", "lan_en.xml", "English"}));
}

TEST(LanguageListTest, MissingOrWrongFilesGiveAnEmptyList) {
    test::TempDir dir;
    EXPECT_TRUE(app::readLanguageList(dir.path() / "missing").empty());
    for (const char* content : {"", "{", "[]", R"({"Language": {}})", R"({"Language": 3})"}) {
        std::ofstream(dir.path() / "Language.config") << content;
        EXPECT_TRUE(app::readLanguageList(dir.path() / "Language.config").empty()) << content;
    }
}

TEST(LanguageListTest, IndexOfTheFirstMatchingIdentifierElseZero) {
    const std::vector<app::LanguageEntry> list = {
        {10, "", "", ""}, {20, "", "", ""}, {20, "", "", ""}};
    EXPECT_EQ(app::languageIndexForId(list, 10), 0);
    EXPECT_EQ(app::languageIndexForId(list, 20), 1);
    EXPECT_EQ(app::languageIndexForId(list, 30), 0);
    EXPECT_EQ(app::languageIndexForId(list, std::nullopt), 0);
    EXPECT_EQ(app::languageIndexForId({}, 10), 0);
}

TEST(LanguageListTest, TheDesktopLocaleChoosesTheFirstLanguageUntilTheUserDoes) {
    const std::vector<app::LanguageEntry> list = {{2052, "zh_CN", "lan_cn.xml", ""},
                                                  {1033, "en_US", "lan_en.xml", ""},
                                                  {1031, "de_DE", "lan_de.xml", ""}};
    const std::pair<const char*, int> cases[] = {
        {"en_US.UTF-8", 1}, {"en_US", 1},
        {"EN_us.utf8", 1},  {"en_GB.UTF-8", 1},
        {"de_AT@euro", 2},  {"zh_TW.UTF-8", 0},
        {"fr_FR.UTF-8", 0}, {"C", 0},
        {"POSIX", 0},       {"", 0},
    };
    for (const auto& [locale, index] : cases) {
        EXPECT_EQ(app::languageIndexForLocale(list, locale), index) << locale;
    }

    test::TempDir dir;
    std::ofstream(dir.path() / "Language.config") << R"({"Language": [
        {"Language_ID": 2052, "Language_file": "lan_cn.xml", "Language_name": "zh_CN"},
        {"Language_ID": 1033, "Language_file": "lan_en.xml", "Language_name": "en_US"}]})";
    platform::SettingsStore store(dir.path() / "settings.json");
    EXPECT_EQ(app::readLanguageIndex(store, dir.path() / "Language.config", "en_US.UTF-8"), 1);
    ASSERT_TRUE(app::storeLanguageIdentifier(store, 2052));
    EXPECT_EQ(app::readLanguageIndex(store, dir.path() / "Language.config", "en_US.UTF-8"), 0)
        << "a stored choice wins";
}

TEST(LanguageListTest, TheDesktopLocaleIsTheFirstOfLcAllLcMessagesAndLang) {
    const test::EnvOverride all("LC_ALL", "");
    const test::EnvOverride messages("LC_MESSAGES", nullptr);
    const test::EnvOverride lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(platform::desktopMessagesLocale(), "en_US.UTF-8") << "an empty LC_ALL is not set";
    {
        const test::EnvOverride chosen("LC_MESSAGES", "de_DE.UTF-8");
        EXPECT_EQ(platform::desktopMessagesLocale(), "de_DE.UTF-8");
        const test::EnvOverride everything("LC_ALL", "zh_CN.UTF-8");
        EXPECT_EQ(platform::desktopMessagesLocale(), "zh_CN.UTF-8");
    }
    const test::EnvOverride none("LANG", nullptr);
    EXPECT_EQ(platform::desktopMessagesLocale(), "");
}

struct SwitchCase {
    int current;
    int next;
    app::LanguageSwitch expected;
};

TEST(LanguageSwitchTest, FontTableIsRebuiltWhenLeavingOrEnteringIndexZeroTwoOrFifteen) {
    const app::LanguageSwitch keep{true, false};
    const app::LanguageSwitch rebuild{true, true};
    const app::LanguageSwitch nothing{false, false};
    const std::vector<SwitchCase> cases = {
        {3, 4, keep},     {4, 3, keep},      {1, 3, keep},     {14, 16, keep},
        {3, 2, rebuild},  {2, 3, rebuild},   {3, 0, rebuild},  {0, 1, rebuild},
        {3, 15, rebuild}, {15, 16, rebuild}, {-1, 3, rebuild}, {-1, 0, rebuild},
        {3, 3, nothing},  {0, 0, nothing},   {3, -1, nothing}, {-1, -1, nothing},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.current << " -> " << c.next);
        EXPECT_EQ(app::decideLanguageSwitch(c.current, c.next), c.expected);
    }
}

TEST(FontTableTest, ArialWithTheSizesOfEveryFont) {
    const app::FontTable table = app::buildFontTable();
    EXPECT_EQ(table.face, "arial");
    EXPECT_EQ(table.defaultSize, 12);
    std::vector<std::vector<int>> fonts;
    for (const app::FontSpec& font : table.fonts) {
        fonts.push_back({font.id, font.size, font.bold, font.underline});
    }
    const std::vector<std::vector<int>> expected = {
        {0, 15, 0, 0},  {1, 14, 0, 1},  {2, 18, 0, 0},  {3, 30, 0, 0}, {4, 16, 0, 0},
        {5, 20, 0, 0},  {6, 22, 0, 0},  {7, 14, 0, 0},  {8, 12, 0, 0}, {9, 11, 0, 0},
        {10, 10, 0, 0}, {11, 28, 0, 0}, {50, 18, 1, 0},
    };
    EXPECT_EQ(fonts, expected);
}

TEST_F(LanguageSelectorTest, WithoutAStoredChoiceTheFirstEntryIsAppliedAndStored) {
    selector_.applyStored();
    EXPECT_EQ(selector_.currentIndex(), 0);
    EXPECT_EQ(target_.fontRebuilds, 1);
    EXPECT_EQ(target_.lastFace, "arial");
    EXPECT_EQ(target_.loaded, (std::vector<int32_t>{2052}));
    EXPECT_EQ(target_.changes, 1);
    EXPECT_EQ(store_.readInt("LANGUAGE"), 2052);
}

TEST_F(LanguageSelectorTest, SwitchingFromThreeToFourKeepsTheFontsAndToTwoRebuildsThem) {
    ASSERT_TRUE(selector_.apply(3));
    ASSERT_EQ(target_.fontRebuilds, 1); // the first application builds them
    ASSERT_TRUE(selector_.apply(4));
    EXPECT_EQ(target_.fontRebuilds, 1);
    ASSERT_TRUE(selector_.apply(3));
    ASSERT_TRUE(selector_.apply(2));
    EXPECT_EQ(target_.fontRebuilds, 2);
    EXPECT_EQ(target_.loaded, (std::vector<int32_t>{2055, 2056, 2055, 2054}));
    EXPECT_EQ(store_.readInt("LANGUAGE"), 2054);
}

TEST_F(LanguageSelectorTest, TheCurrentLanguageOrAMissingEntryChangesNothing) {
    ASSERT_TRUE(selector_.apply(5));
    EXPECT_FALSE(selector_.apply(5));
    EXPECT_FALSE(selector_.apply(17));
    EXPECT_FALSE(selector_.apply(-1));
    EXPECT_EQ(selector_.currentIndex(), 5);
    EXPECT_EQ(target_.loaded.size(), 1u);
    EXPECT_EQ(target_.changes, 1);
    EXPECT_EQ(store_.readInt("LANGUAGE"), 2057);
}

TEST_F(LanguageSelectorTest, ReorderingTheListKeepsTheUsersLanguage) {
    ASSERT_TRUE(selector_.apply(3));
    ASSERT_EQ(store_.readInt("LANGUAGE"), 2055) << "the identifier is stored, not the index";

    std::vector<app::LanguageEntry> reordered = sampleLanguages();
    std::reverse(reordered.begin(), reordered.end());
    writeLanguageList(listFile_, reordered);

    RecordingTarget nextStart;
    app::LanguageSelector restarted(listFile_, store_, nextStart);
    restarted.applyStored();
    EXPECT_EQ(restarted.currentIndex(), 13);
    EXPECT_EQ(nextStart.loaded, (std::vector<int32_t>{2055}));
}

TEST_F(LanguageSelectorTest, AStoredIdentifierNoLongerListedFallsBackToTheFirstEntry) {
    ASSERT_TRUE(store_.writeInt("LANGUAGE", 9999));
    selector_.applyStored();
    EXPECT_EQ(selector_.currentIndex(), 0);
    EXPECT_EQ(target_.loaded, (std::vector<int32_t>{2052}));
}

TEST(LanguageSelectorWithoutListTest, TheFontsAreStillBuiltAndNothingIsStored) {
    test::TempDir dir;
    platform::SettingsStore store(dir.path() / "settings.json");
    RecordingTarget target;
    app::LanguageSelector selector(dir.path() / "missing" / "Language.config", store, target);
    selector.applyStored();
    EXPECT_EQ(selector.currentIndex(), 0);
    EXPECT_EQ(target.fontRebuilds, 1);
    EXPECT_TRUE(target.loaded.empty());
    EXPECT_FALSE(store.readInt("LANGUAGE"));
}

} // namespace
} // namespace morva
