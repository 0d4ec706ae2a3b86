#include "app/main_window.h"
#include "device/key_assignments.h"
#include "emulator/emulated_models.h"
#include "keyassign/panel/key_set_control_ui.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/controls/device_key_button.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/option.h"

#include <filesystem>

namespace morva::devmgr::test {
namespace {

using keyassign::CKeySetControlUI;
using profiles::AssignmentCode;

// The key-assignment panel of connected devices in the main window, with the real skin.
class KeyPanel : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus.plug(emulator::makeEmulatedMouse());
        bus.plug(emulator::makeEmulatedKeyboard());
        mouseTab = firstTabOfType(hid::kDeviceMouse);
        keyboardTab = firstTabOfType(hid::kDeviceKeyboard);
        ASSERT_TRUE(connected(mouseTab));
        ASSERT_TRUE(connected(keyboardTab));
        open(mouseTab);
    }

    // Shows the device's page with its key-assignment panel, as the user would.
    void open(app::CDeviceOptionUI* tab) {
        show(tab);
        device = tab->device();
        device->ShowFunctionPanels(2);
        keys = device->keyAssignments();
        ASSERT_NE(keys, nullptr);
        panel = keys->panel();
        ASSERT_NE(panel, nullptr);
    }

    template <typename T> T* control(std::string_view name) {
        return panel->findDescendantAs<T>(name);
    }
    void click(std::string_view name) {
        auto* button = device->findDescendantAs<ui::Button>(name);
        ASSERT_NE(button, nullptr) << name;
        button->activate();
        loop.runPending();
    }
    void choose(std::string_view comboName, int index) {
        ASSERT_NE(control<ui::Combo>(comboName), nullptr) << comboName;
        control<ui::Combo>(comboName)->userSelect(index);
        loop.runPending();
    }
    void type(std::string_view editName, const std::string& text) {
        auto* edit = control<ui::Edit>(editName);
        ASSERT_NE(edit, nullptr) << editName;
        edit->event(ui::UiEvent::of(ui::EventType::SetFocus));
        edit->setText(text);
        edit->event(ui::UiEvent::of(ui::EventType::KillFocus));
        loop.runPending();
    }
    AssignmentCode current(size_t position) const {
        return keys->keys().at(position).assignment.code;
    }
    // What the profile file holds for the key.
    AssignmentCode stored(size_t position) const {
        profiles::CBasicProfiledata file;
        file.LoadDeviceEntry(device->GetProfilePath());
        return file.ReadKeyList().at(position).assignment.code;
    }
    std::string caption(size_t position) const { return device->keyButton(position)->text(); }
    bool editorShown() { return control<ui::Control>("keyset_layout")->visible(); }
    bool editButtonsEnabled() { return control<ui::Control>("key_butt_keysave")->enabled(); }

    app::CDeviceOptionUI* mouseTab = nullptr;
    app::CDeviceOptionUI* keyboardTab = nullptr;
    device::CKestraneUSBDevice* device = nullptr;
    device::KeyAssignments* keys = nullptr;
    CKeySetControlUI* panel = nullptr;
};

TEST_F(KeyPanel, AChoiceIsAppliedToTheKeyListAndItsCaptionAtOnce) {
    EXPECT_EQ(caption(1), "Right button");
    EXPECT_FALSE(editorShown()) << "until a key is selected";
    click("key_1");
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(panel->SelectedCategory(), keyassign::category::kFactory);

    choose("keyset_function_combo",
           control<ui::Combo>("keyset_function_combo")->findByUserData("1"));
    choose("keyset_mousekey_combo", 1); // middle
    EXPECT_EQ(current(1), AssignmentCode::mouseButton(0x04));
    EXPECT_EQ(caption(1), "Middle button");
    EXPECT_TRUE(editButtonsEnabled());
    EXPECT_EQ(stored(1), AssignmentCode::mouseButton(0x02)) << "the file takes it on a write";

    click("key_butt_prosave");
    EXPECT_EQ(stored(1), AssignmentCode::mouseButton(0x04));
    EXPECT_FALSE(editButtonsEnabled());
}

TEST_F(KeyPanel, TheOnlyLeftButtonCannotBeOpened) {
    click("key_0");
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(keys->selected(), -1);

    // Once another key gives the left button, key 0 opens.
    click("key_1");
    choose("keyset_function_combo",
           control<ui::Combo>("keyset_function_combo")->findByUserData("1"));
    choose("keyset_mousekey_combo", 0);
    click("key_0");
    EXPECT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(keys->selected(), 0);
}

TEST_F(KeyPanel, AKeyIsSelectedOnlyOnTheKeyPanelAndWithAProfile) {
    device->ShowFunctionPanels(1); // the lighting panel
    click("key_2");
    EXPECT_EQ(keys->selected(), -1);

    device->ShowFunctionPanels(2);
    std::filesystem::remove(device->GetProfilePath());
    click("key_2");
    EXPECT_EQ(keys->selected(), -1);
    EXPECT_TRUE(host.messageBoxes.empty());
}

TEST_F(KeyPanel, DefaultCancelAndTheSelectedKeyMark) {
    click("key_2");
    choose("keyset_function_combo",
           control<ui::Combo>("keyset_function_combo")->findByUserData("8")); // system keys
    choose("keyset_system_combo", 1);
    EXPECT_EQ(current(2), AssignmentCode::systemKey(0x02));
    EXPECT_TRUE(dynamic_cast<ui::CDeviceKeyButtonUI*>(device->keyButton(2))->keySelected());

    click("key_butt_keydefalut");
    EXPECT_EQ(panel->SelectedCategory(), keyassign::category::kFactory);
    click("key_butt_keycancel");
    EXPECT_EQ(panel->SelectedCategory(), keyassign::category::kSystem);
    EXPECT_FALSE(editButtonsEnabled());
}

TEST_F(KeyPanel, AKeyboardTakesATypedKeyWithItsModifier) {
    open(keyboardTab);
    auto* functions = control<ui::Combo>("keyset_function_combo");
    EXPECT_FALSE(functions->item(functions->findByUserData("4"))->visible) << "no DPI steps";
    EXPECT_FALSE(functions->item(functions->findByUserData("10"))->visible) << "no guns";

    click("key_1"); // F1
    choose("keyset_function_combo", functions->findByUserData("6"));
    click("key_ComBox_check_1");
    type("keyset_keyboard_text_edit", "f5");
    EXPECT_EQ(current(1), AssignmentCode::keyboardKey(0x01, 0x3E));
    EXPECT_EQ(caption(1), "Ctrl+F5");

    // Return takes the typed name while the field keeps the focus.
    auto* field = control<ui::Edit>("keyset_keyboard_text_edit");
    field->setText("Num 1");
    ui::UiEvent enter = ui::UiEvent::of(ui::EventType::KeyDown);
    enter.key = ui::kKeyReturn;
    field->event(enter);
    loop.runPending();
    EXPECT_EQ(current(1), AssignmentCode::keyboardKey(0x01, 0x59));
    EXPECT_EQ(field->text(), "1") << "the key's caption in the current language";

    type("keyset_keyboard_text_edit", "f5");
    type("keyset_keyboard_text_edit", "no such key");
    EXPECT_EQ(current(1), AssignmentCode::keyboardKey(0x01, 0x3E));
    EXPECT_EQ(control<ui::Edit>("keyset_keyboard_text_edit")->text(), "F5") << "put back";
}

TEST_F(KeyPanel, KeysOfAMacroThatIsGoneGetTheirFactoryFunction) {
    keys->setMacroNames({"one", "two"});
    click("key_3");
    choose("keyset_function_combo",
           control<ui::Combo>("keyset_function_combo")->findByUserData("9"));
    choose("keyset_macro_combo", 1);
    EXPECT_EQ(current(3), AssignmentCode::macro(1, 0));
    EXPECT_EQ(caption(3), "two");

    keys->setMacroNames({"one"});
    device->ValidateMacroKeys();
    EXPECT_EQ(current(3), keys->keys().at(3).defaultAssignment.code);
}

} // namespace
} // namespace morva::devmgr::test
