#include "profiles/panel/profile_messages.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

struct FormatCase {
    const char* format;
    int count;
    const char* expected;
};

TEST(FormatCountText, PlacesTheNumberAndNothingElse) {
    const FormatCase cases[] = {
        {"%d events too many", 5, "5 events too many"},
        {"too many: %i", -3, "too many: -3"},
        {"%u", 42, "42"},
        {"100%% full, %d over", 7, "100% full, 7 over"},
        // A second conversion, or one that is no number, has nothing to read: it stays as text.
        {"%d and %d", 1, "1 and %d"},
        {"%s went wrong %d", 2, "%s went wrong 2"},
        {"%n%x%p", 9, "%n%x%p"},
        {"no number here", 3, "no number here"},
        {"ends with %", 3, "ends with %"},
        {"", 3, ""},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(profiles::formatCountText(c.format, c.count), c.expected) << c.format;
    }
}

TEST(MacroWriteMessage, ChoosesTheTextByResult) {
    EXPECT_FALSE(profiles::macroWriteMessage(0).has_value());
    const auto failed = profiles::macroWriteMessage(-1);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->textKey, "message_text_7");
    EXPECT_FALSE(failed->count.has_value());
    const auto over = profiles::macroWriteMessage(31);
    ASSERT_TRUE(over.has_value());
    EXPECT_EQ(over->textKey, "message_text_16");
    EXPECT_EQ(over->count, 31);
}

} // namespace
} // namespace morva
