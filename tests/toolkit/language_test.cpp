#include "tests/support/temp_dir.h"
#include "tests/toolkit/toolkit_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/edit.h"

#include <fstream>

namespace morva::ui::test {
namespace {

struct TextChanges : UiObserver {
    void controlChanged(Window&, Control& c, Property p) override {
        if (p == Property::Text) {
            texts.push_back(c.name());
        }
    }
    std::vector<std::string> texts;
};

class LanguageTest : public ToolkitTest {
protected:
    void SetUp() override {
        toolkit.language().setLanguage("English");
        ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        window = mainWindow();
    }
    std::unique_ptr<Window> window;
};

TEST_F(LanguageTest, KeyedTextsResolveInTheCurrentLanguage) {
    EXPECT_EQ(toolkit.language().language(), "English");
    EXPECT_EQ(window->find("no_device_text")->text(), "No device connected");
    EXPECT_EQ(window->find("no_device_text")->rawText(), "%[no_device_text]");
    EXPECT_EQ(window->find("closebtn")->toolTip(), "Close to the tray");
    EXPECT_EQ(toolkit.language().resolve("%[message_text_22]"),
              "Restore the default key assignments of this device?");
    // Plain texts and unknown keys read as written.
    EXPECT_EQ(window->find("title_text")->text(), "QT4410-VIGOR MORVA");
    EXPECT_EQ(toolkit.language().resolve("%[no_such_key]"), "%[no_such_key]");
    EXPECT_EQ(toolkit.language().resolve("%[]"), "%[]");
    window->setTitle("%[menu_about_text]");
    EXPECT_EQ(window->titleText(), "About");
}

TEST_F(LanguageTest, ReloadChangesEveryKeyedTextAndTellsTheRenderer) {
    auto* combo = window->findAs<Container>("status_bar")->add(std::make_unique<Combo>());
    static_cast<Combo*>(combo)->addItem("%[kb_device_name_text]");
    Control* probe = window->find("str_test");
    probe->setTextKey("software_rev_text");
    EXPECT_EQ(probe->text(), "Software version: ");

    TextChanges observer;
    window->addObserver(&observer);
    toolkit.language().setLanguage("简体中文");
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_cn.xml"));
    toolkit.reloadTexts();

    EXPECT_EQ(toolkit.language().language(), "简体中文");
    EXPECT_EQ(window->find("no_device_text")->text(), "未连接设备");
    EXPECT_EQ(window->find("nodevice_ok_btn")->text(), "确定");
    EXPECT_EQ(window->find("closebtn")->toolTip(), "关闭到托盘");
    EXPECT_EQ(probe->text(), "软件版本：");
    EXPECT_EQ(static_cast<Combo*>(combo)->itemText(0), "键盘");
    // Every control with a keyed text was told, and no control with a plain text.
    const auto& told = observer.texts;
    for (const char* name : {"no_device_text", "no_device_hint", "nodevice_ok_btn", "str_test",
                             "control_light_status"}) {
        EXPECT_NE(std::find(told.begin(), told.end(), name), told.end()) << name;
    }
    EXPECT_EQ(std::find(told.begin(), told.end(), "title_text"), told.end());
    window->removeObserver(&observer);
}

struct EditStateChanges : UiObserver {
    void controlChanged(Window&, Control& c, Property p) override {
        if (p == Property::EditState) {
            told.push_back(c.name());
        }
    }
    std::vector<std::string> told;
};

TEST_F(LanguageTest, AnEditsPromptIsAHintOutsideItsTextThatFollowsTheLanguage) {
    auto* edit =
        static_cast<Edit*>(window->findAs<Container>("status_bar")->add(std::make_unique<Edit>()));
    edit->setName("repeat_probe");
    ASSERT_TRUE(edit->setAttribute("prompttext", "%[Repeat_input_text]"));
    EXPECT_EQ(edit->promptText(), "Hold a key here to try the repeat");
    EXPECT_EQ(edit->text(), "");
    // Typing starts from an empty text, not after the hint.
    ASSERT_TRUE(edit->userInput("jjj"));
    EXPECT_EQ(edit->text(), "jjj");

    EditStateChanges observer;
    window->addObserver(&observer);
    toolkit.language().setLanguage("简体中文");
    ASSERT_TRUE(toolkit.loadLanguageFile("lan_cn.xml"));
    toolkit.reloadTexts();
    EXPECT_NE(edit->promptText(), "Hold a key here to try the repeat");
    EXPECT_EQ(edit->promptText(), toolkit.language().resolve("%[Repeat_input_text]"));
    EXPECT_NE(std::find(observer.told.begin(), observer.told.end(), "repeat_probe"),
              observer.told.end());
    window->removeObserver(&observer);
}

TEST_F(LanguageTest, AFileThatCannotBeLoadedKeepsThePreviousTexts) {
    morva::test::TempDir folder;
    std::ofstream(folder.path() / "broken.xml") << "<Language><Text id=\"a\">x</Language>";
    std::ofstream(folder.path() / "other.xml") << "<Texts/>";
    EXPECT_FALSE(toolkit.loadLanguageFile((folder.path() / "broken.xml").string()));
    EXPECT_FALSE(toolkit.loadLanguageFile((folder.path() / "other.xml").string()));
    EXPECT_FALSE(toolkit.loadLanguageFile("lan_missing.xml"));
    EXPECT_EQ(window->find("no_device_text")->text(), "No device connected");
}

TEST_F(LanguageTest, TextQueryAnswersKeysTheFileLacks) {
    toolkit.language().setTextQuery([](std::string_view key) -> std::optional<std::string> {
        if (key == "product_version") {
            return "V0.1.0.0";
        }
        return std::nullopt;
    });
    EXPECT_EQ(toolkit.language().resolve("%[product_version]"), "V0.1.0.0");
    EXPECT_EQ(toolkit.language().resolve("%[message_text_7]"),
              "The macros could not be written to the device.");
}

} // namespace
} // namespace morva::ui::test
