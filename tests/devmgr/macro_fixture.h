#pragma once

#include "emulator/emulated_models.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/macro_event_row.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/button.h"
#include "ui/toolkit/list.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace morva::macros {
// Events in test output as their text form.
inline void PrintTo(const MacroEvent& event, std::ostream* out) {
    *out << "{" << event.type << ", " << event.button << ", " << event.action << ", "
         << event.delay << "}";
}
} // namespace morva::macros

namespace morva::devmgr::test {

// The macro panel of a connected keyboard in the main window, with one new macro selected; keys
// and buttons come through the scripted capture as the front-end delivers them.
class MacroPanelInWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        bus.plug(emulator::makeEmulatedKeyboard());
        app::CDeviceOptionUI* tab = firstTabOfType(hid::kDeviceKeyboard);
        ASSERT_TRUE(connected(tab));
        show(tab);
        device = tab->device();
        device->ShowFunctionPanels(3);
        panel = device->macroPanel();
        ASSERT_NE(panel, nullptr);
        click("macro_btn_name_add");
        ASSERT_EQ(panel->SelectedMacro(), 0);
    }

    void click(std::string_view name) {
        auto* button = device->findDescendantAs<ui::Button>(name);
        ASSERT_NE(button, nullptr) << name;
        button->activate();
        loop.runPending();
    }
    ui::List* eventList() const { return panel->findDescendantAs<ui::List>("macro_action_list"); }
    ui::Control& row(size_t index) const { return *eventList()->childAt(index); }
    // The events the panel shows, and those its file holds.
    std::vector<macros::MacroEvent> shown() const {
        std::vector<macros::MacroEvent> events;
        for (const auto& each : eventList()->children()) {
            events.push_back(macros::eventFromJson(macros::rowEvent(*each)));
        }
        return events;
    }
    std::vector<macros::MacroEvent> saved() const {
        return macros::readMacro(device->UserDataFolder(), panel->SelectedMacroIdentifier());
    }
    // A macro of these events, made and chosen as the user would: added, then given its events.
    void selectMacroOf(const std::vector<macros::MacroEvent>& events) {
        click("macro_btn_name_add");
        ASSERT_EQ(macros::writeMacro(device->UserDataFolder(), panel->SelectedMacroIdentifier(),
                                     "m", events),
                  FileWriteStatus::Ok);
        panel->LoadSelectedMacro();
    }

    device::CKestraneUSBDevice* device = nullptr;
    macros::CMacroControlUI* panel = nullptr;
};

inline macros::MacroEvent key(int usage, bool press, uint32_t delay = 0) {
    return macros::makeMacroEvent(macros::kTypeKeyboardKey, usage, press, delay);
}
inline macros::MacroEvent button(int bit, bool press, uint32_t delay = 0) {
    return macros::makeMacroEvent(macros::kTypeMouseButton, bit, press, delay);
}

} // namespace morva::devmgr::test
