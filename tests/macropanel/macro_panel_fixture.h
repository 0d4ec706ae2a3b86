#pragma once

#include "base/json_file.h"
#include "base/text.h"
#include "base/virtual_event_loop.h"
#include "macros/macro_document.h"
#include "macros/macro_file.h"
#include "macros/macro_list.h"
#include "macros/macro_list_edits.h"
#include "macros/panel/macro_control_ui.h"
#include "macros/panel/macro_event_row.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"
#include "ui/controls/custom_controls.h"
#include "ui/toolkit/edit.h"
#include "ui/toolkit/list.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace morva::macros::test {

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The macro panel built from its skin in a window of its own, on virtual time, with the macros
// of a temporary user data folder.
class MacroPanelTest : public ::testing::Test {
protected:
    MacroPanelTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(std::filesystem::path(MORVA_RUNTIME_DIR) / "skin"));
        EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
        ui::registerCustomControls(toolkit.factory());
        window.create("MainWnd", "macros", {1000, 640});
        auto root = ui::SkinBuilder(toolkit).build(
            "XML\\CustomControlXML\\MacroControl.xml",
            [](std::string_view tag) -> std::unique_ptr<ui::Control> {
                if (equalsIgnoreCase(tag, CMacroControlUI::kSkinTag)) {
                    return std::make_unique<CMacroControlUI>();
                }
                return nullptr;
            });
        panel = dynamic_cast<CMacroControlUI*>(root.get());
        window.setRoot(std::move(root));
        loop.runPending();
    }

    // A list of macros of those names, each with a file of its events.
    void makeMacros(const std::vector<std::pair<std::string, std::vector<MacroEvent>>>& macros) {
        int n = 0;
        for (const auto& [name, events] : macros) {
            const std::string identifier = "2024_01_01_00_00_00_00" + std::to_string(n++);
            ASSERT_TRUE(appendMacroEntry(folder(), name, identifier).ok());
            ASSERT_EQ(writeMacro(folder(), identifier, name, events), FileWriteStatus::Ok);
        }
    }
    std::vector<std::string> load() { return panel->LoadMacroList(folder()); }
    void select(int macro) {
        macroList()->selectItem(macro, false);
        panel->LoadSelectedMacro();
    }

    const std::filesystem::path& folder() const { return data.path(); }
    ui::List* macroList() const { return panel->findDescendantAs<ui::List>("macro_name_list"); }
    ui::List* eventList() const { return panel->findDescendantAs<ui::List>("macro_action_list"); }
    ui::Edit* edit(std::string_view name) const { return panel->findDescendantAs<ui::Edit>(name); }
    std::vector<std::string> rowNames() const {
        std::vector<std::string> names;
        for (const auto& row : macroList()->children()) {
            names.push_back(row->rawText());
        }
        return names;
    }
    ui::Control& row(size_t index) const { return *eventList()->childAt(index); }
    MacroEvent eventAt(size_t index) const { return eventFromJson(rowEvent(row(index))); }
    std::vector<MacroEvent> events() const {
        std::vector<MacroEvent> out;
        for (size_t i = 0; i < panel->EventCount(); ++i) {
            out.push_back(eventAt(i));
        }
        return out;
    }
    std::string delayShown(size_t index) const { return rowDelayField(row(index))->text(); }
    // What the selected macro's file holds.
    std::vector<MacroEvent> savedEvents() const {
        return readMacro(folder(), panel->SelectedMacroIdentifier());
    }

    morva::test::TempDir data;
    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
    ui::Window window{toolkit};
    CMacroControlUI* panel = nullptr;
};

inline MacroEvent key(int usage, bool press, uint32_t delay = 0) {
    return makeMacroEvent(kTypeKeyboardKey, usage, press, delay);
}
inline MacroEvent button(int bit, bool press, uint32_t delay = 0) {
    return makeMacroEvent(kTypeMouseButton, bit, press, delay);
}

} // namespace morva::macros::test
