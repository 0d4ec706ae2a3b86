#pragma once

#include "base/virtual_event_loop.h"
#include "tests/support/scripted_host.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace morva::app::test {

// The shell's windows on the headless toolkit: virtual loop, scripted host, the real skin.
class HeadlessTest : public ::testing::Test {
protected:
    HeadlessTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(std::filesystem::path(MORVA_RUNTIME_DIR) / "skin"));
        EXPECT_TRUE(toolkit.loadLanguageFile("lan_en.xml"));
    }

    std::unique_ptr<ui::Window> mainWindow() {
        auto w = std::make_unique<ui::Window>(toolkit);
        w->create("MainWnd", "QT4410-VIGOR MORVA", {800, 572});
        EXPECT_TRUE(w->loadSkin("XML_MAIN"));
        return w;
    }
    // Clicks the first control of that name in the window.
    static void click(ui::Window& window, std::string_view name) {
        ui::Control* found = nullptr;
        window.visitControls([&](ui::Control& c) {
            if (c.name() == name) {
                found = &c;
                return false;
            }
            return true;
        });
        ASSERT_NE(found, nullptr) << name;
        found->event(ui::UiEvent::of(ui::EventType::Click));
    }

    VirtualEventLoop loop;
    ui::ScriptedHost host;
    ui::Toolkit toolkit{loop, host};
};

} // namespace morva::app::test
