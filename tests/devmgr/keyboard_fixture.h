#pragma once

#include "device/keyboard/keyboard_device.h"
#include "emulator/emulated_models.h"
#include "emulator/firmware_device.h"
#include "macros/macro_file.h"
#include "macros/macro_list_edits.h"
#include "tests/devmgr/devmgr_fixture.h"
#include "ui/toolkit/option.h"

#include <span>
#include <string>
#include <vector>

namespace morva::devmgr::test {

using device::CKestraneKeyboardDevice;

// A keyboard on the emulated bus in the main window; its emulator's memory shows what reached
// the keyboard.
class KeyboardProtocol : public MainWindowTest {
protected:
    void
    connect(const emulator::FirmwareConfig& config = emulator::KeyboardFirmware::defaultConfig()) {
        emulated = emulator::makeEmulatedKeyboard(config);
        bus.plug(emulated);
        tab = firstTabOfType(hid::kDeviceKeyboard);
        ASSERT_TRUE(connected(tab));
        keyboard = dynamic_cast<CKestraneKeyboardDevice*>(tab->device());
        ASSERT_NE(keyboard, nullptr);
    }
    emulator::CommandFirmware& firmware() { return emulated->firmware(); }
    std::vector<uint8_t> bytes(std::span<const uint8_t> memory, size_t from, size_t count) {
        return {memory.begin() + static_cast<long>(from),
                memory.begin() + static_cast<long>(from + count)};
    }
    // Adds a macro of `events` key presses to the keyboard's macro list.
    void addMacro(const std::string& name, size_t events) {
        const std::string identifier = "2020_01_01_00_00_00_00" + std::to_string(macroCount++);
        std::vector<macros::MacroEvent> list;
        for (size_t i = 0; i < events; ++i) {
            list.push_back(macros::makeMacroEvent(10, 0x04, i % 2 == 0, 35));
        }
        ASSERT_EQ(macros::writeMacro(keyboard->UserDataFolder(), identifier, name, list),
                  FileWriteStatus::Ok);
        ASSERT_TRUE(macros::appendMacroEntry(keyboard->UserDataFolder(), name, identifier).ok());
    }

    void click(std::string_view name) {
        auto* option = keyboard->findDescendantAs<ui::Option>(name);
        ASSERT_NE(option, nullptr) << name;
        option->activate();
        loop.runPending();
    }
    bool selected(std::string_view name) {
        return keyboard->findDescendantAs<ui::Option>(name)->selected();
    }
    profiles::KeyboardSystemRecord storedSystem() {
        profiles::CKeyboardProfiledata stored;
        stored.LoadDeviceEntry(keyboard->GetProfilePath());
        return stored.ReadKeyboardSystem();
    }

    app::CDeviceOptionUI* tab = nullptr;
    std::shared_ptr<emulator::FirmwareHidDevice> emulated;
    CKestraneKeyboardDevice* keyboard = nullptr;
    int macroCount = 0;
};

} // namespace morva::devmgr::test
