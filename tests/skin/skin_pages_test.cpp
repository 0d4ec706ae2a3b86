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
