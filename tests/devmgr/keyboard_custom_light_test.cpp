#include "device/keyboard/custom_light_page.h"
#include "tests/devmgr/keyboard_fixture.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/layout.h"

#include <vector>

namespace morva::devmgr::test {
namespace {

using profiles::RgbaColor;

constexpr RgbaColor kRed{0xFF, 0, 0, 0xFF};
constexpr RgbaColor kBlack{0, 0, 0, 0};

// A keyboard in its custom effect on the lighting panel, painting in red.
class KeyboardCustomLight : public KeyboardProtocol {
protected:
    void SetUp() override {
        KeyboardProtocol::SetUp();
        connect();
        show(tab);
        ui::layoutWindow(main->window());
        ASSERT_FALSE(keyRect(1).empty());
        choose("light_combo_modeSelect", device::kCustomLightingEffect);
        pickColour(0xFF0000);
    }
    void choose(std::string_view combo, int index) {
        auto* list = keyboard->findDescendantAs<ui::Combo>(combo);
        ASSERT_NE(list, nullptr) << combo;
        list->userSelect(index);
        loop.runPending();
    }
    void pickColour(uint32_t rgb) {
        keyboard->findDescendantAs<ui::ColorPalette>("deng_Color_Pallet")->userPickColor(rgb);
        loop.runPending();
    }
    void clickKey(size_t position) {
        auto* key = dynamic_cast<ui::Button*>(keyboard->keyButton(position));
        ASSERT_NE(key, nullptr);
        key->activate();
        loop.runPending();
    }
    // Drags a rubber band over the keyboard picture between two points.
    void drag(ui::Point from, ui::Point to, bool move = true) {
        ui::Control* panel = keyboard->selectPanel();
        ui::UiEvent e;
        e.type = ui::EventType::ButtonDown;
        e.point = from;
        panel->event(e);
        if (move) {
            e.type = ui::EventType::MouseMove;
            e.point = to;
            panel->event(e);
        }
        e.type = ui::EventType::ButtonUp;
        panel->event(e);
        loop.runPending();
    }
    const ui::Rect& keyRect(size_t position) { return keyboard->keyButton(position)->layoutRect(); }
    // The group as the profile file holds it.
    std::vector<RgbaColor> storedGroup(Json::ArrayIndex group) {
        profiles::CKeyboardProfiledata stored;
        stored.LoadDeviceEntry(keyboard->GetProfilePath());
        return stored.ReadCustomLightColors(group, device::kKeyPositionCount);
    }
    // The colour the keyboard's page of a group holds for a key position.
    std::vector<uint8_t> pageColour(size_t group, size_t position) {
        const size_t led = keyboard->keyMaps().led[position];
        return bytes(firmware().lightPage(group), led * 3, 3);
    }
    std::vector<size_t> paintedKeys() {
        std::vector<size_t> painted;
        for (size_t position = 0; position < device::kKeyPositionCount; ++position) {
            if (keyboard->customColours()[position] == kRed) {
                painted.push_back(position);
            }
        }
        return painted;
    }
};

TEST_F(KeyboardCustomLight, AClickedKeyIsStoredInTheChosenGroupAndSentAsItsPage) {
    choose("light_combo_custommodeSelect", 1);
    const std::vector<RgbaColor> groupZero = storedGroup(0);
    clickKey(5);
    EXPECT_EQ(storedGroup(1)[5], kRed);
    EXPECT_EQ(storedGroup(1)[6], kBlack);
    EXPECT_EQ(storedGroup(0), groupZero);
    EXPECT_EQ(pageColour(1, 5), (std::vector<uint8_t>{0xFF, 0x00, 0x00}));
    EXPECT_EQ(pageColour(0, 5),
              (std::vector<uint8_t>{groupZero[5].red, groupZero[5].green, groupZero[5].blue}));
}

TEST_F(KeyboardCustomLight, SwitchingGroupsBringsBackEachGroupsColours) {
    choose("light_combo_custommodeSelect", 1);
    clickKey(5);
    choose("light_combo_custommodeSelect", 2);
    EXPECT_EQ(keyboard->customColours()[5], kBlack) << "group 2 was never painted";
    EXPECT_EQ(keyboard->lightSettings().customGroup, 2);
    choose("light_combo_custommodeSelect", 1);
    EXPECT_EQ(keyboard->customColours()[5], kRed);
    profiles::CKeyboardProfiledata stored;
    stored.LoadDeviceEntry(keyboard->GetProfilePath());
    EXPECT_EQ(stored.ReadCustomLightGroup(), 1);
    EXPECT_EQ(stored.ReadLightInfo().customGroup, 1);
}

TEST_F(KeyboardCustomLight, ThePaintedColoursShowOnTheOnScreenKeyboard) {
    choose("light_combo_custommodeSelect", 1);
    clickKey(5);
    // The lighting thread runs on real time: wait for its next step.
    EXPECT_TRUE(
        loop.runUntil([&] { return (keyboard->GetLedColour(5) & 0xFFFFFFu) == 0x0000FFu; }, 10000))
        << std::hex << keyboard->GetLedColour(5);
    EXPECT_NE(keyboard->GetLedColour(5) >> 24, 0u) << "lit at the brightness";
}

TEST_F(KeyboardCustomLight, TheFillButtonsLightOrDarkenTheWholeGroup) {
    choose("light_combo_custommodeSelect", 3);
    keyboard->findDescendantAs<ui::Button>("custom_bright_color_btn")->activate();
    loop.runPending();
    EXPECT_EQ(paintedKeys().size(), device::kKeyPositionCount);
    EXPECT_EQ(pageColour(3, 60), (std::vector<uint8_t>{0xFF, 0x00, 0x00}));
    keyboard->findDescendantAs<ui::Button>("custom_off_color_btn")->activate();
    loop.runPending();
    for (const RgbaColor& colour : storedGroup(3)) {
        ASSERT_EQ((std::vector<uint8_t>{colour.red, colour.green, colour.blue}),
                  (std::vector<uint8_t>{0, 0, 0}));
    }
    EXPECT_EQ(pageColour(3, 60), (std::vector<uint8_t>{0x00, 0x00, 0x00}));
}

TEST_F(KeyboardCustomLight, ARubberBandPaintsExactlyTheKeysItTouches) {
    choose("light_combo_custommodeSelect", 0);
    // From inside F1 to the left edge of F3: F1, F2 and F3 are touched, Esc and F4 are not.
    drag({keyRect(1).left + 3, keyRect(1).top + 3}, {keyRect(3).left, keyRect(3).bottom - 3});
    EXPECT_EQ(paintedKeys(), (std::vector<size_t>{1, 2, 3}));
    EXPECT_EQ(storedGroup(0)[3], kRed);
    EXPECT_EQ(pageColour(0, 2), (std::vector<uint8_t>{0xFF, 0x00, 0x00}));
}

TEST_F(KeyboardCustomLight, APressAndReleaseWithoutAMoveSelectsNothing) {
    choose("light_combo_custommodeSelect", 0);
    drag({keyRect(1).left + 3, keyRect(1).top + 3}, {}, /*move=*/false);
    EXPECT_TRUE(paintedKeys().empty());
    const auto* key = dynamic_cast<ui::CDeviceKeyButtonUI*>(keyboard->keyButton(1));
    EXPECT_FALSE(key->bandSelected());
}

TEST_F(KeyboardCustomLight, PaintingNeedsTheCustomEffectTheLightingPanelAndAChosenGroup) {
    // No group chosen: the keys take the colour, but nothing is kept or sent.
    keyboard->findDescendantAs<ui::Combo>("light_combo_custommodeSelect")->selectItem(-1, false);
    const std::vector<RgbaColor> before = storedGroup(0);
    const std::vector<uint8_t> pageBefore = pageColour(0, 7);
    clickKey(7);
    EXPECT_EQ(keyboard->customColours()[7], kRed);
    EXPECT_EQ(storedGroup(0), before);
    EXPECT_EQ(pageColour(0, 7), pageBefore);

    choose("light_combo_custommodeSelect", 0);
    keyboard->ShowFunctionPanels(2); // the key-assignment panel: a click chooses a key
    clickKey(8);
    EXPECT_NE(keyboard->customColours()[8], kRed);

    keyboard->ShowFunctionPanels(1);
    choose("light_combo_modeSelect", 3);
    clickKey(9);
    EXPECT_NE(keyboard->customColours()[9], kRed);
    EXPECT_NE(storedGroup(0)[9], kRed);
}

TEST_F(KeyboardCustomLight, EnteringTheCustomEffectLoadsTheProfilesGroup) {
    choose("light_combo_custommodeSelect", 4);
    clickKey(5);
    choose("light_combo_modeSelect", 3);
    keyboard->findDescendantAs<ui::Combo>("light_combo_custommodeSelect")->selectItem(-1, false);
    choose("light_combo_modeSelect", device::kCustomLightingEffect);
    EXPECT_EQ(
        keyboard->findDescendantAs<ui::Combo>("light_combo_custommodeSelect")->selectedIndex(), 4);
    EXPECT_EQ(keyboard->customColours()[5], kRed);
}

} // namespace
} // namespace morva::devmgr::test
