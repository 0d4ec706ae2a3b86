#include "base/json_file.h"
#include "tests/skin/skin_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/menu.h"

#include <algorithm>
#include <iterator>
#include <pugixml.hpp>

namespace morva::ui::test {
namespace {

// Every picture a control of the tree names.
std::set<std::string> picturesOf(Control& root) {
    std::set<std::string> out;
    for (Control* c : allControls(root)) {
        for (const std::string* image : {&c->bkImage(), &c->foreImage()}) {
            if (!image->empty()) {
                out.insert(*image);
            }
        }
        for (const auto& [attribute, image] : c->stateImages()) {
            if (!image.empty()) {
                out.insert(image);
            }
        }
    }
    return out;
}

bool isPictureFile(const std::string& relative) {
    std::error_code error;
    return std::filesystem::is_regular_file(sourceSkinFolder() / relative, error);
}

TEST_F(SkinTest, EveryPictureTheSkinNamesExists) {
    std::vector<std::string> files = skinDescriptions();
    files.push_back("XML_MAIN");
    size_t checked = 0;
    for (const std::string& file : files) {
        auto root = build(file);
        ASSERT_NE(root, nullptr) << file;
        for (const std::string& picture : picturesOf(*root)) {
            EXPECT_TRUE(isPictureFile(picture)) << picture << " named in " << file;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0u);
}

TEST(SkinPictures, EveryPictureTheProgramSetsExists) {
    std::vector<std::string> pictures;
    // The device-bar tab's four images per device kind.
    for (const char* stem : {"kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"}) {
        for (const char* variant : {"normal", "selected", "synchro_normal", "synchro_selected"}) {
            pictures.push_back(std::string("common/device_ico/") + stem + "_device_" + variant +
                               ".svg");
        }
    }
    // The power widget's states and phone kinds, and the DPI sliders of the active stage.
    for (const char* name :
         {"power/powered.svg", "power/wuxian_powering.svg", "power/powering.svg", "power/power.svg",
          "power/Phone_type_iphone.svg", "power/Phone_type_samsung.svg",
          "power/Phone_type_other.svg", "power/Phone_type_no_device.svg",
          "Control/SliderBar_BK3.svg", "Control/SliderBar2_Thumb.svg", "Control/SliderBar_BK1.svg",
          "Control/SliderBar1_Thumb.svg"}) {
        pictures.emplace_back(name);
    }
    for (const std::string& picture : pictures) {
        EXPECT_TRUE(isPictureFile(picture)) << picture;
    }
}

// Containers only arrange; a plain control without a name is a spacer. Everything else is
// something the user sees or uses.
bool needsToolTip(const Control& c) {
    if (c.asContainer() != nullptr && c.className() != "DeviceKeyButton") {
        return false;
    }
    return !(c.className() == "Control" && c.name().empty());
}

TEST_F(SkinLanguageTest, EveryTextAndToolTipIsAKeyOfBothLanguages) {
    for (const std::string& file : skinDescriptions()) {
        auto root = build(file);
        ASSERT_NE(root, nullptr) << file;
        for (const Control* c : allControls(*root)) {
            const std::string where =
                file + ": " + (c->name().empty() ? std::string(c->className()) : c->name());
            if (!c->rawText().empty()) {
                const auto key = LanguageStore::keyOf(c->rawText());
                EXPECT_TRUE(key.has_value()) << "text not a language key: " << where;
                if (key) {
                    expectInBoth(*key, where);
                }
            }
            if (needsToolTip(*c)) {
                const auto key = LanguageStore::keyOf(c->rawToolTip());
                EXPECT_TRUE(key.has_value()) << "no tool tip: " << where;
                if (key) {
                    expectInBoth(*key, where);
                }
            }
            // The items a list brings from the skin; the program adds names of its own.
            if (const auto* list = dynamic_cast<const Combo*>(c)) {
                for (size_t i = 0; i < list->count(); ++i) {
                    const std::string item = where + " item " + std::to_string(i);
                    const auto key = LanguageStore::keyOf(list->item(i)->text);
                    EXPECT_TRUE(key.has_value()) << "item text not a language key: " << item;
                    if (key) {
                        expectInBoth(*key, item);
                    }
                }
            }
        }
    }
}

TEST_F(SkinLanguageTest, TextsTheProgramSetsOnThesePagesExistInBothLanguages) {
    for (const char* key : {"kb_device_name_text",      "ms_device_name_text",
                            "hard_mp_device_name_text", "soft_mp_device_name_text",
                            "hd_device_name_text",      "hub_device_name_text",
                            "unknow_device_name_text",  "Phone_type_iphone",
                            "Phone_type_samsung",       "Phone_type_other",
                            "Phone_type_no_device",     "Repeat_Delay_Time",
                            "Repeat_input_text",        "Light_Set",
                            "Overall_Light_Set",        "message_text_5",
                            "message_text_7",           "message_text_16",
                            "message_text_22",          "light_control_on_text",
                            "light_control_off_text",   "message_text_6",
                            "mouse_move_to_left_text",  "mouse_move_to_right_text",
                            "mouse_move_to_up_text",    "mouse_move_to_down_text"}) {
        expectInBoth(key, "set by the program");
    }
}

// The menus, the tray's and the one of a macro event, name every item by a text of both languages.
TEST_F(SkinLanguageTest, EveryMenuItemIsATextOfBothLanguages) {
    for (const char* menu : {"XML_MENU", "XML\\Menus\\macro_action_menu.xml"}) {
        std::vector<MenuItem> items;
        ASSERT_TRUE(Menu::parse(toolkit, menu, items)) << menu;
        std::vector<const MenuItem*> open;
        for (const MenuItem& item : items) {
            open.push_back(&item);
        }
        while (!open.empty()) {
            const MenuItem* item = open.back();
            open.pop_back();
            const auto key = LanguageStore::keyOf(item->text);
            EXPECT_TRUE(key.has_value()) << menu << ": " << item->name;
            if (key) {
                expectInBoth(*key, std::string(menu) + ": " + item->name);
            }
            for (const MenuItem& child : item->children) {
                open.push_back(&child);
            }
        }
    }
}

// The texts the macro panel sets on the rows it makes.
TEST_F(SkinLanguageTest, TheMacroPanelsOwnTextsExistInBothLanguages) {
    for (const char* key : {"macro_action_down_text", "macro_action_up_text", "macro_delay_tip",
                            "message_text_2", "message_text_4", "macro_import_not_macro_text"}) {
        expectInBoth(key, "set by the macro panel");
    }
}

// The lighting panel shows the effect and area names of the default light file by their keys.
TEST_F(SkinLanguageTest, EveryEffectAndAreaNameOfTheDefaultLightsExistsInBothLanguages) {
    const Json::Value lights =
        readjsonFile(sourceSkinFolder().parent_path() / "DefaultData" / "default_light.json");
    size_t names = 0;
    for (const char* list : {"DefaultLightName", "SideDefaultLightName", "AreaLightName"}) {
        for (const Json::Value& model : lights[list]) {
            for (const Json::Value& entry : model) {
                expectInBoth(entry["LightName"].asString(), list);
                ++names;
            }
        }
    }
    EXPECT_GT(names, 58u);
}

std::set<std::string> keysOfLanguageFile(const char* file) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file((sourceSkinFolder() / file).c_str())) << file;
    std::set<std::string> keys;
    for (const pugi::xml_node text : doc.child("Language").children("Text")) {
        EXPECT_TRUE(keys.insert(text.attribute("id").as_string()).second)
            << "key twice in " << file << ": " << text.attribute("id").as_string();
    }
    return keys;
}

// Desktops show window titles in their task bars and window switchers.
TEST_F(SkinLanguageTest, EveryWindowTitleIsAKeyOfBothLanguages) {
    for (const char* file :
         {"XML/settings.xml", "XML/AboutWnd.xml", "XML/msgwnd.xml", "XML/skin.xml"}) {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_file((sourceSkinFolder() / file).c_str())) << file;
        const std::string title = document.child("Window").attribute("title").value();
        const auto key = LanguageStore::keyOf(title);
        ASSERT_TRUE(key.has_value()) << file << ": the title is not a language key: " << title;
        expectInBoth(*key, file);
    }
}

TEST(SkinLanguages, BothLanguagesHaveTheSameKeysEachOnce) {
    const auto english = keysOfLanguageFile("lan_en.xml");
    const auto chinese = keysOfLanguageFile("lan_cn.xml");
    std::vector<std::string> onlyEnglish;
    std::vector<std::string> onlyChinese;
    std::set_difference(english.begin(), english.end(), chinese.begin(), chinese.end(),
                        std::back_inserter(onlyEnglish));
    std::set_difference(chinese.begin(), chinese.end(), english.begin(), english.end(),
                        std::back_inserter(onlyChinese));
    EXPECT_TRUE(onlyEnglish.empty()) << "only in lan_en.xml: " << onlyEnglish.front();
    EXPECT_TRUE(onlyChinese.empty()) << "only in lan_cn.xml: " << onlyChinese.front();
}

} // namespace
} // namespace morva::ui::test
