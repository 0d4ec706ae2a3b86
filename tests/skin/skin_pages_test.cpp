#include "tests/skin/skin_fixture.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/layout.h"
#include "ui/toolkit/window.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

namespace morva::ui::test {
namespace {

// "key_12" → ("key_", 12); text without a trailing number → nothing.
std::optional<std::pair<std::string, int>> splitNumbered(const std::string& text) {
    size_t digits = text.size();
    while (digits > 0 && text[digits - 1] >= '0' && text[digits - 1] <= '9') {
        --digits;
    }
    if (digits == text.size()) {
        return std::nullopt;
    }
    int number = 0;
    std::from_chars(text.data() + digits, text.data() + text.size(), number);
    return std::make_pair(text.substr(0, digits), number);
}

std::vector<Control*> keyButtons(Control& root) {
    std::vector<Control*> out;
    for (Control* c : allControls(root)) {
        if (c->className() == "DeviceKeyButton") {
            out.push_back(c);
        }
    }
    return out;
}

// The first control of class "SelectPanel" below the page, depth first.
Control* firstSelectPanel(Control& page) {
    for (Control* c : allControls(page)) {
        if (c->className() == "SelectPanel") {
            return c;
        }
    }
    return nullptr;
}

// The numbers n of the buttons whose user data is prefix + n, in a set; duplicates counted.
struct Numbered {
    std::set<int> numbers;
    int duplicates = 0;
};

Numbered numberedButtons(const std::vector<Control*>& buttons, std::string_view prefix) {
    Numbered out;
    for (const Control* b : buttons) {
        const auto split = splitNumbered(b->userData());
        if (split && equalsIgnoreCase(split->first, prefix)) {
            out.duplicates += out.numbers.insert(split->second).second ? 0 : 1;
        }
    }
    return out;
}

std::set<int> range(int count) {
    std::set<int> out;
    for (int i = 0; i < count; ++i) {
        out.insert(i);
    }
    return out;
}

struct DescriptionCase {
    const char* file;
    const char* rootClass;
    const char* rootName;
};

void PrintTo(const DescriptionCase& c, std::ostream* os) {
    *os << c.file;
}

class DescriptionBuildTest : public SkinTest,
                             public ::testing::WithParamInterface<DescriptionCase> {};

TEST_P(DescriptionBuildTest, BuildsWithTheRootClassAndNoUnknownTag) {
    const DescriptionCase& c = GetParam();
    auto root = build(c.file);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->className(), c.rootClass);
    EXPECT_EQ(root->name(), c.rootName);
    EXPECT_TRUE(unknownTags.empty()) << unknownTags.front();
}

INSTANTIATE_TEST_SUITE_P(
    Skin, DescriptionBuildTest,
    ::testing::Values(DescriptionCase{"XML\\DeviceXml\\mousedevice.xml", "KestraneMouseDevice",
                                      "mouse_device_page"},
                      DescriptionCase{"XML\\DeviceXml\\keyboarddevice.xml",
                                      "KestraneKeyboardDevice", "keyboard_device_page"},
                      DescriptionCase{"XML\\DeviceXml\\mousepaddevice.xml",
                                      "KestraneMousePadDevice", "mousepad_device_page"},
                      DescriptionCase{"XML\\DeviceXml\\hs6533device.xml", "KestraneHS6533Device",
                                      "hs6533_device_page"},
                      DescriptionCase{"XML\\DeviceXml\\keyboarddevice_Q7T.xml",
                                      "KestraneKeyboardDevice", "keyboard123_device_page"},
                      DescriptionCase{"XML\\CustomControlXML\\DeviceOption.xml", "DeviceOption",
                                      "device_option"},
                      DescriptionCase{"XML\\CustomControlXML\\MpDevicePower.xml", "MpDevicePower",
                                      "mp_device_power"},
                      DescriptionCase{"XML\\CustomControlXML\\DeviceProfile.xml", "DeviceProfile",
                                      "DeviceProfileItem"},
                      DescriptionCase{"XML\\CustomControlXML\\LightControl.xml", "LightControl",
                                      "LightControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\KeySetControl.xml", "KeySetControl",
                                      "KeySetControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\MacroControl.xml", "MacroControl",
                                      "MacroControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\ShootControl.xml", "ShootControl",
                                      "ShootControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\Voice6533Control.xml",
                                      "Voice6533Control", "Voice6533ControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\MagicControl.xml", "MagicControl",
                                      "MagicControlItem"},
                      DescriptionCase{"XML\\CustomControlXML\\VirtualSet.xml", "VerticalLayout",
                                      "VirtualSetItem"}),
    [](const auto& param) {
        const std::string file(param.param.file);
        const std::string name = file.substr(file.find_last_of('\\') + 1);
        return name.substr(0, name.find('.'));
    });

// The device-page table: page description, LED count, key count; and the select panel's name.
struct PageCase {
    const char* file;
    int leds;
    int keys;
    const char* selectPanel;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.file;
}

class DevicePageTest : public SkinTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(DevicePageTest, SelectPanelHoldsExactlyTheTablesKeysAndLeds) {
    const PageCase& c = GetParam();
    auto page = build(c.file);
    ASSERT_NE(page, nullptr);
    Control* panel = firstSelectPanel(*page);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->name(), c.selectPanel);

    const auto all = keyButtons(*page);
    const auto inPanel = keyButtons(*panel);
    // Every key and LED button of the page lies in that one panel, as its direct child.
    EXPECT_EQ(all.size(), inPanel.size());
    for (const Control* b : inPanel) {
        EXPECT_EQ(b->parent(), panel) << b->name();
    }
    const Numbered keys = numberedButtons(inPanel, "key_");
    const Numbered leds = numberedButtons(inPanel, "light_");
    EXPECT_EQ(keys.duplicates, 0);
    EXPECT_EQ(leds.duplicates, 0);
    EXPECT_EQ(keys.numbers, range(c.keys));
    EXPECT_EQ(leds.numbers, range(c.leds));
}

INSTANTIATE_TEST_SUITE_P(
    Skin, DevicePageTest,
    ::testing::Values(
        PageCase{"XML\\DeviceXml\\mousedevice.xml", 6, 10, "mouse_device_key_light"},
        PageCase{"XML\\DeviceXml\\keyboarddevice.xml", 126, 126, "device_key_light"},
        PageCase{"XML\\DeviceXml\\mousepaddevice.xml", 15, 0, "mousepad_device_key_light"},
        PageCase{"XML\\DeviceXml\\hs6533device.xml", 13, 0, "hs6533_device_key_light"},
        PageCase{"XML\\DeviceXml\\keyboarddevice_Q7T.xml", 126, 126, "device_key_light"}),
    [](const auto& param) {
        return std::string(param.param.selectPanel) + "_" + std::to_string(param.index);
    });

class KeyboardPageTest : public SkinTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KeyboardPageTest, KeysAreNamedByPositionAndLaidOutWithoutOverlap) {
    auto page = build(GetParam());
    ASSERT_NE(page, nullptr);
    Control* panel = firstSelectPanel(*page);
    ASSERT_NE(panel, nullptr);
    // The panel is a child of the page itself, where binding looks first.
    EXPECT_EQ(panel->parent(), page.get());

    std::map<int, Control*> keyAt;
    std::map<int, Control*> ledAt;
    for (Control* b : keyButtons(*panel)) {
        // Names follow the user data, so clicks ("key_" + n) and selections find the position.
        EXPECT_EQ(b->name(), b->userData());
        const auto split = splitNumbered(b->userData());
        ASSERT_TRUE(split) << b->name();
        (split->first == "key_" ? keyAt : ledAt)[split->second] = b;
    }
    ASSERT_EQ(keyAt.size(), 126u);
    ASSERT_EQ(ledAt.size(), 126u);

    const Size panelSize{panel->fixedWidth(), panel->fixedHeight()};
    std::vector<std::pair<int, Rect>> shown;
    for (const auto& [n, key] : keyAt) {
        const Control* led = ledAt[n];
        // Each LED lies under its key, drawn first, and shows with it.
        EXPECT_EQ(led->pos(), key->pos()) << n;
        EXPECT_EQ(led->visible(), key->visible()) << n;
        EXPECT_LT(led->parent()->asContainer()->indexOf(led), panel->asContainer()->indexOf(key))
            << n;
        EXPECT_TRUE(key->floating()) << n;
        const Rect r = key->pos();
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= panelSize.cx &&
                    r.bottom <= panelSize.cy)
            << n;
        if (key->visible()) {
            EXPECT_FALSE(key->rawText().empty()) << "visible key without caption: " << n;
            shown.emplace_back(n, r);
        }
    }
    // A full-size board: the 104 keys, GM, Fn, a right Windows key and five macro keys.
    EXPECT_EQ(shown.size(), 111u);
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const Rect& a = shown[i].second;
            const Rect& b = shown[j].second;
            const bool overlap =
                a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            EXPECT_FALSE(overlap) << "keys " << shown[i].first << " and " << shown[j].first;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Skin, KeyboardPageTest,
                         ::testing::Values("XML\\DeviceXml\\keyboarddevice.xml",
                                           "XML\\DeviceXml\\keyboarddevice_Q7T.xml"),
                         [](const auto& param) {
                             return param.index == 0 ? "keyboard" : "keyboard123";
                         });

TEST_F(SkinTest, MouseLogoButtonsLieInTheMouseSelectPanelBesideItsKeysAndLeds) {
    auto page = build("XML\\DeviceXml\\mousedevice.xml");
    ASSERT_NE(page, nullptr);
    Control* layout = findIn(*page, "mouse_device_seting_layout");
    ASSERT_NE(layout, nullptr);
    Control* panel = firstSelectPanel(*page);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parent(), layout);
    const Numbered logo = numberedButtons(keyButtons(*panel), "light_0_");
    EXPECT_EQ(logo.numbers, range(6));
    EXPECT_EQ(logo.duplicates, 0);
}

// Which panel each page of the two switches holds, so that "show function panels" shows the
// tab's panel: (page, switch, page index, a control that must lie on that switch page).
struct SwitchPageCase {
    const char* file;
    const char* switchName;
    int index;
    const char* holds;
};

void PrintTo(const SwitchPageCase& c, std::ostream* os) {
    *os << c.file << " " << c.switchName << "[" << c.index << "] " << c.holds;
}

class SwitchPageTest : public SkinTest, public ::testing::WithParamInterface<SwitchPageCase> {};

TEST_P(SwitchPageTest, SwitchPageHoldsTheTabsPanel) {
    const SwitchPageCase& c = GetParam();
    auto page = build(c.file);
    ASSERT_NE(page, nullptr);
    auto* tabs = dynamic_cast<TabLayout*>(findIn(*page, c.switchName));
    ASSERT_NE(tabs, nullptr);
    ASSERT_LT(static_cast<size_t>(c.index), tabs->count());
    EXPECT_NE(findIn(*tabs->childAt(static_cast<size_t>(c.index)), c.holds), nullptr);
}

constexpr const char* kKeyboard = "XML\\DeviceXml\\keyboarddevice.xml";
constexpr const char* kKeyboard123 = "XML\\DeviceXml\\keyboarddevice_Q7T.xml";
constexpr const char* kMouse = "XML\\DeviceXml\\mousedevice.xml";
constexpr const char* kPad = "XML\\DeviceXml\\mousepaddevice.xml";
constexpr const char* kHeadset = "XML\\DeviceXml\\hs6533device.xml";
constexpr const char* kFn = "device_function_switch";
constexpr const char* kKeyFn = "device_key_function_switch";

INSTANTIATE_TEST_SUITE_P(
    Skin, SwitchPageTest,
    ::testing::Values(
        // Kinds 1 to 8 select function page 0, 0, 1, 3 (keyboard and mouse), 2, 0, 0, 1.
        SwitchPageCase{kKeyboard, kFn, 0, kKeyFn},
        SwitchPageCase{kKeyboard, kKeyFn, 0, "LightControlItem"},
        SwitchPageCase{kKeyboard, kKeyFn, 1, "KeySetControlItem"},
        SwitchPageCase{kKeyboard, kFn, 1, "MacroControlItem"},
        SwitchPageCase{kKeyboard, kFn, 3, "polling_rate_option_3"},
        SwitchPageCase{kKeyboard, kFn, 3, "repeat_rate_slider"},
        SwitchPageCase{kKeyboard123, kKeyFn, 1, "KeySetControlItem"},
        SwitchPageCase{kKeyboard123, kFn, 3, "winlockflag_option"},
        SwitchPageCase{kMouse, kFn, 0, kKeyFn},
        SwitchPageCase{kMouse, kKeyFn, 0, "LightControlItem"},
        SwitchPageCase{kMouse, kKeyFn, 1, "KeySetControlItem"},
        SwitchPageCase{kMouse, kKeyFn, 2, "ShootControlItem"},
        SwitchPageCase{kMouse, kFn, 1, "MacroControlItem"},
        SwitchPageCase{kMouse, kFn, 2, "DPI_slider_4"},
        SwitchPageCase{kMouse, kFn, 3, "polling_rate_option_4"},
        SwitchPageCase{kMouse, kFn, 3, "double_click_slider"},
        SwitchPageCase{kPad, kKeyFn, 0, "LightControlItem"},
        SwitchPageCase{kPad, kFn, 3, "mousepad_function_unused_3"},
        SwitchPageCase{kPad, kKeyFn, 2, "mousepad_key_function_unused_2"},
        SwitchPageCase{kHeadset, kKeyFn, 0, "LightControlItem"},
        SwitchPageCase{kHeadset, kKeyFn, 1, "Voice6533ControlItem"},
        SwitchPageCase{kHeadset, kKeyFn, 2, "MagicControlItem"},
        SwitchPageCase{kHeadset, kFn, 1, "VirtualSetItem"},
        SwitchPageCase{kHeadset, kFn, 3, "hs6533_function_unused_3"}),
    [](const auto& param) { return "case_" + std::to_string(param.index); });

// The control names the device manager, the device base, the device pages and the profile panel
// look up, by the description that must hold them.
struct RequiredNames {
    std::vector<std::string> files;
    std::vector<std::string> names;
};

std::vector<std::string> numbered(const std::string& prefix, int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) {
        out.push_back(prefix + std::to_string(i));
    }
    return out;
}

std::vector<RequiredNames> requiredNames() {
    const std::vector<std::string> allPages = {kMouse, kKeyboard, kPad, kHeadset, kKeyboard123};
    std::vector<RequiredNames> table = {
        {{"XML\\CustomControlXML\\DeviceOption.xml"},
         {"device_select", "synchro_device_select", "device_select_name"}},
        {{"XML\\CustomControlXML\\MpDevicePower.xml"},
         {"device_power_Layout", "device_power_value", "device_wuxian_logo",
          "device_Power_progress", "device_power_status", "device_phone_type"}},
        {allPages,
         {"device_function_switch",
          "device_key_function_switch",
          "DeviceProfileItem",
          "LightControlItem",
          "device_profile_combo",
          "device_profile_name_edit",
          "profile_menu_layout",
          "deng_Op_tab",
          "key_Op_tab",
          "macro_Op_tab",
          "system_Op_tab",
          "cursor_Op_tab",
          "6533_voice_Op_tab",
          "magic_Op_tab",
          "Virtual7.1_Op_tab",
          "device_add_btn",
          "device_sub_btn",
          "device_copy_btn",
          "device_import_btn",
          "device_export_btn",
          "device_reset_btn",
          "device_profile_edit_save_btn",
          "profile_fun_spread_btn"}},
        {{kKeyboard, kKeyboard123},
         {"MacroControlItem", "KeySetControlItem", "device_key_light", "winlockflag_option",
          "wflag_option", "6flag_option", "repeat_rate_slider", "repeat_delay_time_label1",
          "repeat_input_richedit", "reset_repeat_btn", "windowdeviceset_0"}},
        {{kKeyboard, kKeyboard123}, numbered("polling_rate_option_", 0, 3)},
        {{kKeyboard, kKeyboard123}, numbered("repeat_delay_check_", 0, 3)},
        {{kMouse},
         {"MacroControlItem", "KeySetControlItem", "ShootControlItem", "mouse_device_seting_layout",
          "mouse_device_key_light", "pointer_speed_slider", "pointer_precision_check",
          "scrolls_page_check", "scroll_speed_slider", "double_click_slider", "device_tishi_info",
          "windowdeviceset_1"}},
        {{kMouse}, numbered("polling_rate_option_", 0, 4)},
        {{kPad}, {"mousepad_device_key_light"}},
        {{kHeadset}, {"hs6533_device_key_light", "MagicControlItem", "Voice6533ControlItem"}},
    };
    for (const char* family : {"DPI_layout_", "DPI_enable_check_", "DPI_slider_", "DPI_edit_"}) {
        table.push_back({{kMouse}, numbered(family, 0, 4)});
    }
    // The controls of the function panels that the main window routes, kept while the panels
    // themselves are still to come; the lighting and key-assignment panels are there, with the
    // layouts they switch.
    const std::string panels = "XML\\CustomControlXML\\";
    table.push_back({{panels + "LightControl.xml"},
                     {"deng_Color_Pallet",
                      "light_combo_modeSelect",
                      "side_light_combo_modeSelect",
                      "light_combo_custommodeSelect",
                      "light_combo_ZZCCmodeSelect",
                      "deng_light_slider",
                      "deng_speed_slider",
                      "deng_edit_R",
                      "deng_edit_G",
                      "deng_edit_B",
                      "deng_FXL_check",
                      "deng_FXR_check",
                      "deng_7color_check",
                      "deng_same_mode",
                      "custom_bright_color_btn",
                      "custom_off_color_btn",
                      "deng_colordp_btn",
                      "lighteffect_layout",
                      "deng_color_layout",
                      "colorpallet_layout",
                      "RGB_edit",
                      "12deng_color_layout",
                      "deng_light_layout",
                      "deng_speed_layout",
                      "deng_fx_layout",
                      "lightcustom_layout",
                      "Light_custom_offon",
                      "light_combo_ZZCCmodeSelectLayout"}});
    table.push_back({{panels + "LightControl.xml"}, numbered("color_option_", 0, 11)});
    table.push_back({{panels + "KeySetControl.xml"},
                     {"keyset_layout",
                      "keyset_hint_label",
                      "function_switch_tablayout",
                      "keyset_macro_cycle_layout",
                      "text_test",
                      "keyset_function_combo",
                      "keyset_macro_over_combo",
                      "keyset_mousekey_combo",
                      "keyset_mouseswing_combo",
                      "keyset_mousewheel_combo",
                      "keyset_mousedpi_combo",
                      "keyset_media_combo",
                      "keyset_system_combo",
                      "keyset_macro_combo",
                      "keyset_gunkey_combo",
                      "keyset_combokey_combo",
                      "keyset_keyboard_text_edit",
                      "keyset_mouseswing_num_edit",
                      "keyset_mouseswing_delay_edit",
                      "keyset_mouseswing_speed_edit",
                      "keyset_mousewheel_num_edit",
                      "keyset_mousewheel_delay_edit",
                      "keyset_mousewheel_speed_edit",
                      "keyset_mousefire_interval_edit",
                      "keyset_mousefire_num_edit",
                      "keyset_macro_cycle_edit",
                      "key_butt_keysave",
                      "key_butt_keydefalut",
                      "key_butt_keycancel",
                      "key_butt_prosave"}});
    table.push_back({{panels + "KeySetControl.xml"}, numbered("key_ComBox_check_", 0, 4)});
    table.push_back({{panels + "MacroControl.xml"},
                     {"macro_name_list",
                      "macro_name_tab",
                      "macro_edit_macroname",
                      "macro_action_layout",
                      "macro_action_list",
                      "macro_tab_macroaction_edit",
                      "macro_tab_macrodelay_edit",
                      "macro_check_time",
                      "macro_fixed_time_edit",
                      "mouse_x_left_edit",
                      "mouse_x_right_edit",
                      "mouse_y_up_edit",
                      "mouse_y_down_edit",
                      "macro_btn_starredio",
                      "macro_btn_stopredio",
                      "macro_btn_name_add",
                      "macro_btn_name_sub",
                      "macro_btn_name_edit",
                      "macro_btn_save",
                      "macro_btn_cancel",
                      "macro_btn_import",
                      "macro_btn_export",
                      "macro_btn_up",
                      "macro_btn_down",
                      "macro_btn_uptop",
                      "macro_btn_downbottom",
                      "macro_btn_delete",
                      "macro_btn_deleteall",
                      "macro_inset_moveleftkey_btn",
                      "macro_inset_moverightkey_btn",
                      "macro_inset_moveupkey_btn",
                      "macro_inset_movedownkey_btn"}});
    table.push_back(
        {{panels + "ShootControl.xml"},
         {"bullet_x_check", "bullet_y_check", "bullet_x_eidt", "bullet_y_eidt", "bullet_delay_eidt",
          "bullet_selected_prev", "bullet_selected_next", "shootdate_save_btn",
          "shootdate_reset_btn", "shootdate_import_btn", "shootdate_export_btn"}});
    table.push_back({{panels + "ShootControl.xml"}, numbered("shoot_gun_op_", 0, 3)});
    table.push_back({{panels + "ShootControl.xml"}, numbered("bullet_op_", 0, 29)});
    table.push_back(
        {{panels + "Voice6533Control.xml"},
         {"6533_MicIn_option", "6533_MicMoniter_option", "6533_MicIn_slider",
          "6533_MicMoniter_slider", "custom_eq_name_combo", "hs_EQ_btn_save", "hs_EQ_btn_delete"}});
    table.push_back({{panels + "Voice6533Control.xml"}, numbered("6533_eq_option_", 1, 13)});
    table.push_back({{panels + "Voice6533Control.xml"}, numbered("6533_eq_hz_slider_", 0, 9)});
    table.push_back({{panels + "MagicControl.xml"}, {"magic_enable_option"}});
    return table;
}

TEST_F(SkinTest, EveryControlNameTheLogicLooksUpExists) {
    for (const RequiredNames& row : requiredNames()) {
        for (const std::string& file : row.files) {
            auto root = build(file);
            ASSERT_NE(root, nullptr) << file;
            for (const std::string& name : row.names) {
                EXPECT_NE(findIn(*root, name), nullptr) << name << " missing in " << file;
            }
        }
    }
}

TEST_F(SkinTest, ProfilePanelShowsTheAudioTabsOnlyWhereTheHeadsetTurnsThemOn) {
    auto panel = build("XML\\CustomControlXML\\DeviceProfile.xml");
    ASSERT_NE(panel, nullptr);
    for (const char* shown :
         {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab"}) {
        EXPECT_TRUE(findIn(*panel, shown)->visible()) << shown;
    }
    for (const char* hidden : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}) {
        EXPECT_FALSE(findIn(*panel, hidden)->visible()) << hidden;
    }
    EXPECT_FALSE(findIn(*panel, "profile_menu_layout")->visible());
}

} // namespace
} // namespace morva::ui::test

namespace morva::ui::test {
namespace {

class PageGeometryTest : public SkinTest, public ::testing::WithParamInterface<const char*> {};

// Placed in the main window as the device manager places it, a page keeps its picture in the
// picture space above the function panels and right of the profile panel.
TEST_P(PageGeometryTest, PictureSitsAboveThePanelsInsideThePageArea) {
    Window window(toolkit);
    Control* page = showPageInMainWindow(window, GetParam());
    ASSERT_NE(page, nullptr);
    layoutWindow(window);

    Control* picture = firstSelectPanel(*page);
    ASSERT_NE(picture, nullptr);
    const Rect pageRect = page->layoutRect();
    const Rect pictureRect = picture->layoutRect();
    const Rect space = findIn(*page, "device_picture_space")->layoutRect();
    const Rect panels = findIn(*page, "device_function_switch")->layoutRect();
    const Rect profile = findIn(*page, "DeviceProfileItem")->layoutRect();
    EXPECT_TRUE(inside(pictureRect, pageRect)) << show(pictureRect) << " in " << show(pageRect);
    EXPECT_TRUE(inside(pictureRect, space)) << show(pictureRect) << " in " << show(space);
    EXPECT_LE(pictureRect.bottom, panels.top);
    EXPECT_LE(profile.right, pictureRect.left);
    EXPECT_TRUE(inside(panels, pageRect)) << show(panels) << " in " << show(pageRect);
    // Room for the function panels.
    EXPECT_GE(panels.height(), 180) << show(panels);
    // Every visible key or LED button lies on the picture.
    for (Control* b : keyButtons(*picture)) {
        if (b->visibleInTree()) {
            EXPECT_TRUE(inside(b->layoutRect(), pictureRect))
                << b->name() << " " << show(b->layoutRect());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Skin, PageGeometryTest,
                         ::testing::Values(kMouse, kKeyboard, kPad, kHeadset, kKeyboard123),
                         [](const auto& param) {
                             const std::string file(param.param);
                             const std::string name = file.substr(file.find_last_of('\\') + 1);
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace morva::ui::test

namespace morva::ui::test {
namespace {

// A window size as shown on the screen, at a DPI.
struct WindowSizeCase {
    const char* name;
    int dpi;
    Size shown;
};

void PrintTo(const WindowSizeCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowSizeTest : public SkinTest, public ::testing::WithParamInterface<WindowSizeCase> {};

// Whatever size the desktop or the user gives the main window, the content is laid out for it:
// every title-bar button stays on the window and the device page fills the page area.
TEST_P(WindowSizeTest, TheLayoutFollowsTheWindowAndKeepsEveryTitleBarButtonOnIt) {
    const WindowSizeCase& c = GetParam();
    Window window(toolkit);
    Control* page = showPageInMainWindow(window, kKeyboard);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(window.minimumSize(), (Size{1000, 640}));
    ASSERT_TRUE(window.setDpi(c.dpi));
    window.resize(window.dpiScale().unscale(c.shown));
    layoutWindow(window);

    const Size shown = window.scaledSize();
    EXPECT_LE(std::abs(shown.cx - c.shown.cx), 1);
    EXPECT_LE(std::abs(shown.cy - c.shown.cy), 1);
    const Rect windowRect{0, 0, shown.cx, shown.cy};
    for (const char* name : {"control_light_status", "skinbtn", "setbtn", "minbtn", "closebtn"}) {
        const Control* button = window.find(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(inside(button->layoutRect(), windowRect))
            << name << " " << show(button->layoutRect());
        EXPECT_GT(button->layoutRect().width(), 0) << name;
    }
    const Rect area = window.find("device_page_area")->layoutRect();
    EXPECT_EQ(area.right, shown.cx);
    EXPECT_EQ(page->layoutRect(), area);
}

INSTANTIATE_TEST_SUITE_P(
    Skin, WindowSizeTest,
    ::testing::Values(WindowSizeCase{"AsDesigned", 96, {1000, 640}},
                      WindowSizeCase{"EnlargedByTheUser", 96, {1400, 820}},
                      WindowSizeCase{"Scale150", 144, {1500, 960}},
                      WindowSizeCase{"Scale150OnA1366By768Screen", 72, {750, 480}},
                      WindowSizeCase{"SqueezedBelowItsMinimumByTheDesktop", 96, {820, 560}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace morva::ui::test
