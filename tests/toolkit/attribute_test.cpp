#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/button.h"

namespace morva::ui::test {
namespace {

struct ColorCase {
    const char* text;
    std::optional<uint32_t> value;
};

void PrintTo(const ColorCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ColorParseTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorParseTest, ReadsTheSkinsColourForms) {
    EXPECT_EQ(attr::parseColor(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Toolkit, ColorParseTest,
    ::testing::Values(ColorCase{"#FF0099FF", 0xFF0099FFu}, ColorCase{"#0078C8", 0xFF0078C8u},
                      ColorCase{"0x80102030", 0x80102030u}, ColorCase{"255", 255u},
                      ColorCase{"#12", std::nullopt}, ColorCase{"#GG0000", std::nullopt},
                      ColorCase{"", std::nullopt}, ColorCase{"red", std::nullopt}));

TEST(AttributeParse, SizesRectsBoolsAndNumbers) {
    EXPECT_EQ(attr::parseSize("1000, 640"), (Size{1000, 640}));
    EXPECT_EQ(attr::parseSize("1000"), std::nullopt);
    EXPECT_EQ(attr::parseRect("1,2,3,4"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(attr::parseRect("1,2,3"), std::nullopt);
    EXPECT_EQ(attr::parseRect("1,2,3,4,5"), std::nullopt);
    EXPECT_EQ(attr::parseBool("TRUE"), true);
    EXPECT_EQ(attr::parseBool("0"), false);
    EXPECT_EQ(attr::parseBool("yes"), std::nullopt);
    EXPECT_EQ(attr::parseInt("-12"), -12);
    EXPECT_EQ(attr::parseInt("12px"), std::nullopt);
    EXPECT_EQ(attr::parseInt("99999999999"), std::nullopt);
}

TEST(ControlAttributes, KnownOnesSetPropertiesOthersAreKept) {
    Button button;
    EXPECT_TRUE(button.setAttribute("Pos", "10,20,110,50"));
    EXPECT_EQ(button.pos(), (Rect{10, 20, 110, 50}));
    EXPECT_EQ(button.fixedWidth(), 100);
    EXPECT_EQ(button.fixedHeight(), 30);
    EXPECT_TRUE(button.setAttribute("bkcolor", "#FF0099FF"));
    EXPECT_EQ(button.bkColor(), 0xFF0099FFu);
    // A bad value is skipped, not turned into a made-up one.
    button.setAttribute("bkcolor", "blue");
    button.setAttribute("width", "wide");
    EXPECT_EQ(button.bkColor(), 0xFF0099FFu);
    EXPECT_EQ(button.fixedWidth(), 100);
    EXPECT_TRUE(button.setAttribute("hotimage", "common/hot.png"));
    EXPECT_EQ(button.stateImage("HotImage"), "common/hot.png");
    EXPECT_FALSE(button.setAttribute("lightimage2x", "x"));
    EXPECT_FALSE(button.setAttribute("gmnametextcolor", "#FFFFFFFF"));
    EXPECT_EQ(button.attribute("GMNameTextColor"), "#FFFFFFFF");
    EXPECT_EQ(button.attribute("absent"), std::nullopt);
    EXPECT_TRUE(button.setAttribute("textid", "message_text_7"));
    EXPECT_EQ(button.rawText(), "%[message_text_7]");
}

using ScriptedHostTest = ToolkitTest;

TEST_F(ScriptedHostTest, FileDialogsAnswerInOrderAndAreRecorded) {
    host.answerFileDialog("/tmp/profile.json");
    host.answerFileDialog(std::nullopt);
    EXPECT_EQ(host.fileDialog(nullptr, {false, "", "Profile Files(*.json)", "", ""}),
              "/tmp/profile.json");
    EXPECT_EQ(host.fileDialog(nullptr, {true, "", "Macro Files(*.mac)", "m.mac", ""}),
              std::nullopt);
    EXPECT_EQ(host.fileDialog(nullptr, {}), std::nullopt);
    ASSERT_EQ(host.fileDialogs.size(), 3u);
    EXPECT_EQ(host.fileDialogs[1].filter, "Macro Files(*.mac)");
    EXPECT_TRUE(host.fileDialogs[1].save);
    EXPECT_EQ(host.unscripted, 1);
    host.answerMessageBox(1);
    EXPECT_EQ(host.messageBox(nullptr, "t", "sure?", MessageBoxButtons::OkCancel), 1);
    EXPECT_EQ(host.messageBoxes, std::vector<std::string>{"sure?"});
}

} // namespace
} // namespace morva::ui::test
