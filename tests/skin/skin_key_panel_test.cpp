#include "keyassign/assignment_lists.h"
#include "keyassign/assignment_text.h"
#include "keyassign/key_captions.h"
#include "keyassign/key_catalogue.h"
#include "keyassign/key_set_logic.h"
#include "tests/skin/skin_fixture.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/window.h"

#include <algorithm>
#include <charconv>
#include <span>

// The key-assignment panel's skin against the lists and the catalogue the panel's logic holds:
// the list positions of the skin are the codes the logic stores.
namespace morva::ui::test {
namespace {

using keyassign::AssignmentChoice;
using profiles::AssignmentCode;
namespace category = keyassign::category;

constexpr const char* kKeyPanel = "XML\\CustomControlXML\\KeySetControl.xml";

using ListOf = std::span<const AssignmentChoice> (*)();

struct NamedList {
    const char* name;
    ListOf list;
};

const std::vector<NamedList>& choiceLists() {
    static const std::vector<NamedList> lists = {
        {"mouse buttons", keyassign::mouseButtonList},
        {"DPI functions", keyassign::dpiFunctionList},
        {"media keys", keyassign::mediaKeyList},
        {"system keys", keyassign::systemKeyList},
        {"shortcuts", keyassign::shortcutList},
    };
    return lists;
}

TEST_F(SkinLanguageTest, EveryCaptionOfTheKeyCatalogueAndTheListsExistsInBothLanguages) {
    ASSERT_EQ(keyassign::keyCatalogue().size(), keyassign::kKeyCatalogueSize);
    for (size_t i = 0; i < keyassign::keyCatalogue().size(); ++i) {
        expectInBoth(keyassign::keyCatalogue()[i].captionKey,
                     "key catalogue entry " + std::to_string(i));
    }
    for (const NamedList& named : choiceLists()) {
        for (const AssignmentChoice& choice : named.list()) {
            expectInBoth(choice.captionKey, named.name);
        }
    }
}

// What a key button shows for any code the panel makes or the catalogue holds is made of texts
// of both languages: a disabled key, swings and wheel turns both ways, rapid fire and a
// combination of modifiers included.
TEST_F(SkinLanguageTest, EveryKeyCaptionOfAnAssignmentExistsInBothLanguages) {
    std::vector<AssignmentCode> codes = {
        AssignmentCode::keyboardKey(0, 0), AssignmentCode::keyboardKey(0x03, 0x04),
        AssignmentCode::swing(0, 5, 1, 2), AssignmentCode::swing(1, 5, 1, 2),
        AssignmentCode::wheel(0, 3, 0, 0), AssignmentCode::wheel(1, 3, 0, 0),
        AssignmentCode::rapidFire(40, 3),
    };
    for (const keyassign::KeyCatalogueEntry& entry : keyassign::keyCatalogue()) {
        codes.push_back(entry.code);
    }
    for (const NamedList& named : choiceLists()) {
        for (const AssignmentChoice& choice : named.list()) {
            codes.push_back(choice.code);
        }
    }
    for (const AssignmentCode& code : codes) {
        const std::string where = "caption of " + keyassign::describeAssignment(code);
        const keyassign::KeyCaption caption = keyassign::keyCaption(code, {});
        EXPECT_EQ(caption.source, keyassign::KeyCaption::Source::LanguageKeys) << where;
        EXPECT_FALSE(caption.keys.empty()) << where;
        for (const std::string_view key : caption.keys) {
            expectInBoth(key, where);
        }
    }
}

struct ListCase {
    const char* combo;
    ListOf list;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.combo;
}

class KeyPanelListTest : public SkinTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(KeyPanelListTest, ItemsCarryTheCaptionsOfTheListInListOrder) {
    auto panel = build(kKeyPanel);
    ASSERT_NE(panel, nullptr);
    const auto* combo = dynamic_cast<const Combo*>(findIn(*panel, GetParam().combo));
    ASSERT_NE(combo, nullptr);
    std::vector<std::string> items;
    for (size_t i = 0; i < combo->count(); ++i) {
        items.push_back(combo->item(i)->text);
    }
    std::vector<std::string> captions;
    for (const AssignmentChoice& choice : GetParam().list()) {
        captions.push_back("%[" + std::string(choice.captionKey) + "]");
    }
    EXPECT_EQ(items, captions);
}

INSTANTIATE_TEST_SUITE_P(
    Skin, KeyPanelListTest,
    ::testing::Values(ListCase{"keyset_mousekey_combo", keyassign::mouseButtonList},
                      ListCase{"keyset_mousedpi_combo", keyassign::dpiFunctionList},
                      ListCase{"keyset_media_combo", keyassign::mediaKeyList},
                      ListCase{"keyset_system_combo", keyassign::systemKeyList},
                      ListCase{"keyset_combokey_combo", keyassign::shortcutList}),
    [](const auto& param) { return std::string(param.param.combo); });

std::optional<int> number(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The panel finds a function item by its category and shows page number category.
TEST_F(SkinTest, KeyPanelHasOneFunctionItemAndOnePageForEachCategory) {
    auto panel = build(kKeyPanel);
    ASSERT_NE(panel, nullptr);
    const auto* functions = dynamic_cast<const Combo*>(findIn(*panel, "keyset_function_combo"));
    ASSERT_NE(functions, nullptr);
    std::vector<int> categories;
    for (size_t i = 0; i < functions->count(); ++i) {
        const auto n = number(functions->item(i)->userData);
        ASSERT_TRUE(n.has_value()) << "item " << i << ": " << functions->item(i)->userData;
        categories.push_back(*n);
    }
    std::sort(categories.begin(), categories.end());
    std::vector<int> expected(category::kCount);
    for (int c = 0; c < category::kCount; ++c) {
        expected[static_cast<size_t>(c)] = c;
    }
    EXPECT_EQ(categories, expected);

    auto* pages = dynamic_cast<TabLayout*>(findIn(*panel, "function_switch_tablayout"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), static_cast<size_t>(category::kCount));
    // The controls each category's page must hold.
    const std::vector<std::pair<int, const char*>> holds = {
        {category::kMouseButton, "keyset_mousekey_combo"},
        {category::kSwing, "keyset_mouseswing_combo"},
        {category::kSwing, "keyset_mouseswing_num_edit"},
        {category::kSwing, "keyset_mouseswing_delay_edit"},
        {category::kSwing, "keyset_mouseswing_speed_edit"},
        {category::kWheel, "keyset_mousewheel_combo"},
        {category::kWheel, "keyset_mousewheel_num_edit"},
        {category::kWheel, "keyset_mousewheel_delay_edit"},
        {category::kWheel, "keyset_mousewheel_speed_edit"},
        {category::kDpi, "keyset_mousedpi_combo"},
        {category::kRapidFire, "keyset_mousefire_interval_edit"},
        {category::kRapidFire, "keyset_mousefire_num_edit"},
        {category::kKeyboardKey, "keyset_keyboard_text_edit"},
        {category::kKeyboardKey, "key_ComBox_check_0"},
        {category::kKeyboardKey, "key_ComBox_check_4"},
        {category::kMedia, "keyset_media_combo"},
        {category::kSystem, "keyset_system_combo"},
        {category::kMacro, "keyset_macro_combo"},
        {category::kMacro, "keyset_macro_over_combo"},
        {category::kMacro, "keyset_macro_cycle_edit"},
        {category::kGun, "keyset_gunkey_combo"},
        {category::kShortcut, "keyset_combokey_combo"},
    };
    for (const auto& [page, name] : holds) {
        EXPECT_NE(findIn(*pages->childAt(static_cast<size_t>(page)), name), nullptr)
            << name << " not on page " << page;
    }
}

// Nothing is selected until a key is; nothing is pending until an edit is.
TEST_F(SkinTest, KeyPanelStartsWithTheEditorHiddenAndNoEditPending) {
    auto panel = build(kKeyPanel);
    ASSERT_NE(panel, nullptr);
    const std::vector<std::pair<const char*, bool>> visible = {
        {"keyset_hint_label", true},
        {"keyset_layout", false},
        {"keyset_macro_cycle_layout", false},
        {"text_test", false},
    };
    for (const auto& [name, shown] : visible) {
        ASSERT_NE(findIn(*panel, name), nullptr) << name;
        EXPECT_EQ(findIn(*panel, name)->visible(), shown) << name;
    }
    const std::vector<std::pair<const char*, bool>> enabled = {
        {"key_butt_keydefalut", true},
        {"key_butt_keycancel", false},
        {"key_butt_keysave", false},
        {"key_butt_prosave", false},
    };
    for (const auto& [name, on] : enabled) {
        ASSERT_NE(findIn(*panel, name), nullptr) << name;
        EXPECT_EQ(findIn(*panel, name)->enabled(), on) << name;
    }
    // Exclusive by the panel, not by a group: a group would reach the other device's panel.
    for (int n = 0; n < 5; ++n) {
        const std::string name = "key_ComBox_check_" + std::to_string(n);
        const auto* option = dynamic_cast<const Option*>(findIn(*panel, name));
        ASSERT_NE(option, nullptr) << name;
        EXPECT_EQ(option->className(), "Option") << name;
        EXPECT_TRUE(option->group().empty()) << name;
        EXPECT_FALSE(option->selected()) << name;
    }
}

// The number fields hold what their bits of the code can store: delay and speed four bits,
// swing and wheel counts seven, rapid fire and the repeat count a byte. A wheel turn of no
// notch downwards would read back as 128, so the wheel starts at one.
struct NumberField {
    const char* name;
    int min;
    int max;
};

TEST_F(SkinTest, KeyPanelNumberFieldsTakeOnlyWhatTheCodeCanHold) {
    auto panel = build(kKeyPanel);
    ASSERT_NE(panel, nullptr);
    for (const NumberField& field : std::vector<NumberField>{
             {"keyset_mouseswing_num_edit", 0, 127},
             {"keyset_mouseswing_delay_edit", 0, 15},
             {"keyset_mouseswing_speed_edit", 0, 15},
             {"keyset_mousewheel_num_edit", 1, 127},
             {"keyset_mousewheel_delay_edit", 0, 15},
             {"keyset_mousewheel_speed_edit", 0, 15},
             {"keyset_mousefire_interval_edit", 0, 255},
             {"keyset_mousefire_num_edit", 0, 255},
             {"keyset_macro_cycle_edit", 1, 255},
         }) {
        const auto* edit = dynamic_cast<const Edit*>(findIn(*panel, field.name));
        ASSERT_NE(edit, nullptr) << field.name;
        EXPECT_TRUE(edit->numberOnly()) << field.name;
        EXPECT_EQ(edit->minValue(), field.min) << field.name;
        EXPECT_EQ(edit->maxValue(), field.max) << field.name;
        EXPECT_EQ(edit->maxLength(), std::to_string(field.max).size()) << field.name;
    }
    // A key is typed by its name.
    const auto* key = dynamic_cast<const Edit*>(findIn(*panel, "keyset_keyboard_text_edit"));
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->numberOnly());
    EXPECT_GE(key->maxLength(), 16u);
}

class KeyPanelGeometryTest : public SkinTest, public ::testing::WithParamInterface<const char*> {};

// On the keyboard's and the mouse's page in the main window, every page of the editor lies in
// the function panel area, each control inside its parent and none squeezed to nothing.
TEST_P(KeyPanelGeometryTest, EveryPageOfTheEditorFitsTheFunctionPanelArea) {
    Window window(toolkit);
    Control* page = showPageInMainWindow(window, GetParam());
    ASSERT_NE(page, nullptr);
    auto* functionSwitch = dynamic_cast<TabLayout*>(findIn(*page, "device_function_switch"));
    auto* keyFunctionSwitch = dynamic_cast<TabLayout*>(findIn(*page, "device_key_function_switch"));
    ASSERT_NE(functionSwitch, nullptr);
    ASSERT_NE(keyFunctionSwitch, nullptr);
    functionSwitch->selectItem(0);
    keyFunctionSwitch->selectItem(1);

    Control* panel = findIn(*page, "KeySetControlItem");
    ASSERT_NE(panel, nullptr);
    findIn(*panel, "keyset_layout")->setVisible(true);
    findIn(*panel, "keyset_macro_cycle_layout")->setVisible(true);
    auto* pages = dynamic_cast<TabLayout*>(findIn(*panel, "function_switch_tablayout"));
    ASSERT_NE(pages, nullptr);

    for (int n = 0; n < static_cast<int>(pages->count()); ++n) {
        pages->selectItem(n);
        layoutWindow(window);
        const Rect area = functionSwitch->layoutRect();
        for (Control* c : allControls(*panel)) {
            if (!c->visibleInTree()) {
                continue;
            }
            const std::string what = "page " + std::to_string(n) + ": " +
                                     (c->name().empty() ? std::string(c->className()) : c->name());
            const Rect r = c->layoutRect();
            EXPECT_TRUE(inside(r, area)) << what << " " << show(r) << " in " << show(area);
            if (c != panel) {
                const Rect parent = c->parent()->layoutRect();
                EXPECT_TRUE(inside(r, parent)) << what << " " << show(r) << " in " << show(parent);
            }
            const bool spacer = c->className() == "Control" && c->name().empty();
            if (!spacer) {
                EXPECT_FALSE(r.empty()) << what << " " << show(r);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Skin, KeyPanelGeometryTest,
                         ::testing::Values("XML\\DeviceXml\\keyboarddevice.xml",
                                           "XML\\DeviceXml\\mousedevice.xml",
                                           "XML\\DeviceXml\\keyboarddevice_Q7T.xml"),
                         [](const auto& param) {
                             const std::string file(param.param);
                             const std::string name = file.substr(file.find_last_of('\\') + 1);
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace morva::ui::test
