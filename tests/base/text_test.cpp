#include "base/text.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(Text, Utf8AndWideRoundTrip) {
    const std::string samples[] = {"", "Profile1", "键盘 ABC", "emoji \xF0\x9F\x8E\xAE end", "é"};
    for (const std::string& s : samples) {
        EXPECT_EQ(WideToUtf8(Utf8ToWide(s)), s) << s;
    }
    EXPECT_EQ(Utf8ToWide("\xE9\x94\xAE"), std::wstring(L"\x952E"));
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string input;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         L"a\xFFFD"
         L"b"},
        {"\xE9\x94", L"\xFFFD"},     // truncated sequence
        {"\xC0\xAF", L"\xFFFD"},     // overlong encoding of '/'
        {"\xED\xA0\x80", L"\xFFFD"}, // UTF-16 surrogate encoded as UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.input), c.expected);
    }
}

TEST(Text, CaseInsensitiveComparisonOfNames) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Key_Butt_ProSave", "key_butt_prosave", true},
        {"key_1", "key_10", false},
        {"Été", "éTÉ", true},         // Latin letters outside ASCII
        {"ΣΟΦΊΑ", "σοφία", true},     // Greek
        {"σ", "ς", true},             // final sigma folds to sigma
        {"ПРОФИЛЬ", "профиль", true}, // Cyrillic
        {"Ａｂｃ", "ａＢＣ", true},   // full-width Latin
        {"配置1", "配置1", true},     // no case at all
        {"配置1", "配置2", false},
        {"straße", "STRASSE", false}, // simple folding: one letter stays one letter
        {"e", "é", false},            // accents are not case
    };
    for (const Case& c : cases) {
        EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(equalsIgnoreCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

} // namespace
} // namespace morva
