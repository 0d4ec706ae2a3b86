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
        {"a\xFF" "b", L"a\xFFFD" L"b"},
        {"\xE9\x94", L"\xFFFD"},             // truncated sequence
        {"\xC0\xAF", L"\xFFFD"},             // overlong encoding of '/'
        {"\xED\xA0\x80", L"\xFFFD"},         // UTF-16 surrogate encoded as UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.input), c.expected);
    }
}

TEST(Text, CaseInsensitiveComparisonOfNames) {
    EXPECT_TRUE(equalsIgnoreCase("Key_Butt_ProSave", "key_butt_prosave"));
    EXPECT_FALSE(equalsIgnoreCase("key_1", "key_10"));
}

} // namespace
} // namespace morva
