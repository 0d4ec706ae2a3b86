#include "app/main_window.h"
#include "emulator/emulated_models.h"
#include "lighting/panel/light_control_ui.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/color_palette.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"
#include "ui/toolkit/progress.h"

namespace morva::devmgr::test {
namespace {

using lighting::CLightControlUI;
using lighting::PanelLayout;
using lighting::panelLayoutFor;

TEST(LightPanelLayout, EachEffectEnablesWhatItUses) {
    struct Case {
        uint16_t type;
        uint8_t effect;
        bool sevenColour, palette, rgbEdit, brightness, speed, direction, sync;
    };
    const Case cases[] = {
        {hid::kDeviceKeyboard, 0, true, true, true, true, true, true, false},
        {hid::kDeviceKeyboard, 3, false, false, false, true, true, false, true},
        {hid::kDeviceKeyboard, 18, false, true, true, true, false, false, false},
        {hid::kDeviceKeyboard, 27, false, false, true, false, false, false, true},
        {hid::kDeviceMouse, 2, true, true, true, true, true, true, true},
        {hid::kDeviceMouse, 3, false, true, true, true, false, false, true},
        {hid::kDeviceMouse, 8, false, false, false, false, false, false, true},
        {hid::kDeviceMouse, 12, false, false, false, false, false, false, false},
        {hid::kDeviceMousePad, 0, true, true, true, true, true, true, false},
        {hid::kDeviceHeadset, 5, false, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const PanelLayout layout = panelLayoutFor(c.type, c.effect);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " effect " << int{c.effect});
        EXPECT_TRUE(layout.known);
        EXPECT_EQ(layout.sevenColour, c.sevenColour);
        EXPECT_EQ(layout.palette, c.palette);
        EXPECT_EQ(layout.rgbEdit, c.rgbEdit);
        EXPECT_EQ(layout.brightness, c.brightness);
        EXPECT_EQ(layout.speed, c.speed);
        EXPECT_EQ(layout.direction, c.direction);
        EXPECT_EQ(layout.sync, c.sync);
    }
    EXPECT_TRUE(panelLayoutFor(hid::kDeviceKeyboard, 18).customLayout);
    EXPECT_FALSE(panelLayoutFor(hid::kDeviceKeyboard, 19).known) << "left as it was";
    EXPECT_FALSE(panelLayoutFor(hid::kDeviceWirelessMouse, 0).known) << "no layout change";
}

TEST(LightPanelLayout, ColourEditsAreReadAsNumbersUpTo255) {
    const std::pair<const char*, const char*> cases[] = {
        {"300", "255"}, {"", "0"}, {"12", "12"}, {"abc", "0"}, {"99999999999999999999999", "255"},
        {"7x", "7"}};
    for (const auto& [typed, shown] : cases) {
        const lighting::ColourChannelEdit edit = lighting::readColourChannel(typed);
        EXPECT_EQ(edit.shownText, shown) << typed;
        EXPECT_EQ(std::to_string(edit.value), shown) << typed;
    }
}

// The panel of a connected mouse in the main window: it shows the profile's light settings and
// turns each edit into the device's settings and profile.
class LightPanel : public DevmgrTest {
protected:
    LightPanel() {
        app::MainWindowConfig config;
        config.backend = &bus;
        main = std::make_unique<app::CMainWnd>(toolkit, app::MainWindowCallbacks{}, config);
    }
    ~LightPanel() override { main.reset(); }

    void SetUp() override {
        ASSERT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        ASSERT_TRUE(main->Create());
        loop.runPending();
        bus.plug(emulator::makeEmulatedMouse());
        app::CDeviceOptionUI* tab = main->devices().tabs()[0];
        ASSERT_TRUE(loop.runUntil([&] { return tab->tabVisible(); }, 10000));
        loop.advance(500); // connect: the profile's lighting is loaded and shown
        mouse = tab->device();
        panel = dynamic_cast<CLightControlUI*>(mouse->lightPanel());
        ASSERT_NE(panel, nullptr);
    }

    template <typename T> T* control(std::string_view name) {
        return panel->findDescendantAs<T>(name);
    }
    void loseFocus(std::string_view editName, const std::string& text) {
        auto* edit = control<ui::Edit>(editName);
        edit->setText(text);
        edit->event(ui::UiEvent::of(ui::EventType::KillFocus));
        loop.runPending();
    }

    std::unique_ptr<app::CMainWnd> main;
    device::CKestraneUSBDevice* mouse = nullptr;
    CLightControlUI* panel = nullptr;
};

TEST_F(LightPanel, ShowsTheProfilesSettingsWithTheEffectsOfTheModel) {
    auto* effects = control<ui::Combo>("light_combo_modeSelect");
    ASSERT_EQ(effects->count(), 9u) << "the mouse's nine effects";
    EXPECT_EQ(effects->itemText(1), "Spectrum");
    EXPECT_EQ(panel->GetMode(), 1);
    EXPECT_EQ(panel->GetColourText(1), "160");
    EXPECT_EQ(panel->GetPaletteColour(), 0xFF00A0FFu);
    EXPECT_TRUE(panel->GetMultiColour());
    EXPECT_TRUE(control<ui::Option>("deng_FXL_check")->selected()) << "direction 1";
    EXPECT_FALSE(control<ui::Option>("deng_FXR_check")->selected());
    EXPECT_EQ(control<ui::Slider>("deng_speed_slider")->maxValue(), 3);
    // Spectrum uses no colour and no direction; the sync option needs a second device.
    EXPECT_FALSE(control<ui::Control>("deng_fx_layout")->enabled());
    EXPECT_FALSE(control<ui::Control>("colorpallet_layout")->enabled());
    EXPECT_FALSE(control<ui::Control>("deng_same_mode")->visible());
}

TEST_F(LightPanel, EachEditRunsTheApplySequenceIntoTheProfile) {
    control<ui::Combo>("light_combo_modeSelect")->userSelect(3); // static
    loop.runPending();
    EXPECT_EQ(mouse->lightSettings().mode, 3);
    EXPECT_TRUE(control<ui::Control>("colorpallet_layout")->enabled());

    control<ui::ColorPalette>("deng_Color_Pallet")->userPickColor(0xFF102030);
    loop.runPending();
    EXPECT_EQ(mouse->lightSettings().red, 0x10);
    EXPECT_EQ(mouse->lightSettings().blue, 0x30);
    EXPECT_EQ(mouse->lightSettings().multiColor, 0) << "a colour ends the cycle";
    EXPECT_FALSE(panel->GetMultiColour());
    EXPECT_EQ(panel->GetColourText(0), "16");

    loseFocus("deng_edit_G", "300");
    EXPECT_EQ(mouse->lightSettings().green, 255);
    EXPECT_EQ(panel->GetColourText(1), "255");
    loseFocus("deng_edit_B", "");
    EXPECT_EQ(mouse->lightSettings().blue, 0);
    EXPECT_EQ(panel->GetColourText(2), "0");

    // What the profile file holds now: a fresh read of the selected profile.
    profiles::CBasicProfiledata stored;
    stored.LoadDeviceEntry(mouse->GetProfilePath());
    const profiles::LightInfoRecord light = stored.ReadLightInfo();
    EXPECT_EQ(light.mode, 3);
    EXPECT_EQ(light.green, 255);
    EXPECT_EQ(light.blue, 0);
}

TEST_F(LightPanel, EditsEndTheSynchronisationButASwatchDoesNot) {
    control<ui::Combo>("light_combo_modeSelect")->userSelect(3); // static: the colour counts
    loop.runPending();
    mouse->commandChannel().setSynchronised(true);
    control<ui::Button>("color_option_4")->activate();
    loop.runPending();
    EXPECT_EQ(mouse->lightSettings().green, 255) << "swatch 4 is green";
    EXPECT_TRUE(mouse->commandChannel().isSynchronised());

    control<ui::Slider>("deng_light_slider")->userSetValue(1);
    loop.runPending();
    EXPECT_EQ(mouse->lightSettings().brightness, 1);
    EXPECT_FALSE(mouse->commandChannel().isSynchronised());
}

TEST_F(LightPanel, EachDirectionOptionSetsItsDirectionOnThisPageOnly) {
    auto* left = control<ui::Option>("deng_FXL_check");
    auto* right = control<ui::Option>("deng_FXR_check");
    control<ui::Combo>("light_combo_modeSelect")->userSelect(0); // the wave has a direction
    loop.runPending();
    for (int click = 0; click < 2; ++click) { // a second click keeps it
        right->activate();
        loop.runPending();
        EXPECT_EQ(mouse->lightSettings().direction, 0);
        EXPECT_TRUE(right->selected());
        EXPECT_FALSE(left->selected());
    }
    // Another page's panel has options of its own.
    auto* other = dynamic_cast<CLightControlUI*>(main->devices().tabs()[2]->device()->lightPanel());
    ASSERT_NE(other, nullptr);
    other->SetDirection(1);
    EXPECT_TRUE(right->selected());
}

TEST_F(LightPanel, AKeyboardsDirectionCaptionsFollowItsEffect) {
    CLightControlUI* keyboardPanel = nullptr;
    for (app::CDeviceOptionUI* tab : main->devices().tabs()) {
        if (tab->device()->deviceType() == hid::kDeviceKeyboard) {
            keyboardPanel = dynamic_cast<CLightControlUI*>(tab->device()->lightPanel());
            break;
        }
    }
    ASSERT_NE(keyboardPanel, nullptr);
    auto* left = keyboardPanel->findDescendantAs<ui::Option>("deng_FXL_check");
    keyboardPanel->SelectMode(2);
    EXPECT_EQ(left->rawText(), "%[light_set_clockwise_text]");
    keyboardPanel->SelectMode(0);
    EXPECT_EQ(left->rawText(), "%[light_set_right_to_left_text]");
    keyboardPanel->SelectMode(27);
    EXPECT_FALSE(keyboardPanel->findDescendant("deng_light_layout")->enabled());
    EXPECT_TRUE(keyboardPanel->findDescendant("RGB_edit")->enabled());
    EXPECT_FALSE(keyboardPanel->findDescendant("deng_7color_check")->enabled());
}

} // namespace
} // namespace morva::devmgr::test

namespace morva::devmgr::test {
namespace {

// Same mode with a mouse and a keyboard connected.
class SameMode : public LightPanel {
protected:
    void SetUp() override {
        LightPanel::SetUp();
        bus.plug(emulator::makeEmulatedKeyboard());
        keyboardTab = main->devices().tabs()[1];
        ASSERT_TRUE(loop.runUntil([&] { return keyboardTab->tabVisible(); }, 10000));
        loop.advance(500);
        keyboard = keyboardTab->device();
        loop.runPending();
    }
    app::CDeviceOptionUI* keyboardTab = nullptr;
    device::CKestraneUSBDevice* keyboard = nullptr;
};

TEST_F(SameMode, AMouseFlashMakesEveryDeviceFlashTogether) {
    control<ui::Combo>("light_combo_modeSelect")->userSelect(4); // flash
    loop.runPending();
    EXPECT_TRUE(control<ui::Control>("deng_same_mode")->visible()) << "two devices connected";

    control<ui::Button>("deng_same_mode")->activate();
    loop.runPending();
    EXPECT_EQ(keyboard->lightSettings().mode, 22) << "the keyboard's flash";
    EXPECT_EQ(keyboard->lightSettings().red, mouse->lightSettings().red);
    EXPECT_TRUE(mouse->commandChannel().isSynchronised());
    EXPECT_TRUE(keyboard->commandChannel().isSynchronised());
    EXPECT_TRUE(keyboardTab->synchronised());
    EXPECT_EQ(main->devices().synchronisedLighting().sharedEffect().type,
              lighting::SharedEffectType::Flash);
    // The synchronisation thread paints both devices' LEDs alike.
    EXPECT_TRUE(loop.runUntil(
        [&] {
            return mouse->GetLedColour(0) != 0 &&
                   keyboard->GetLedColour(0) == mouse->GetLedColour(0);
        },
        10000));

    // The user's own edit takes the mouse out again.
    control<ui::Slider>("deng_light_slider")->userSetValue(2);
    loop.runPending();
    EXPECT_FALSE(mouse->commandChannel().isSynchronised());
    EXPECT_FALSE(main->devices().tabs()[0]->synchronised());
    EXPECT_TRUE(keyboard->commandChannel().isSynchronised());
}

TEST_F(SameMode, AnEffectWithoutASharedKindChangesNothing) {
    control<ui::Combo>("light_combo_modeSelect")->userSelect(5); // the mouse's chase
    loop.runPending();
    EXPECT_FALSE(main->devices().SameMode({1920, 1080}));
    EXPECT_FALSE(keyboard->commandChannel().isSynchronised());
    EXPECT_NE(keyboard->lightSettings().mode, 22);
}

} // namespace
} // namespace morva::devmgr::test
