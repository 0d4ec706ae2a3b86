#pragma once

#include "base/virtual_event_loop.h"
#include "tests/support/scripted_host.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva::ui::test {

inline std::filesystem::path runtimeSkinFolder() {
    return std::filesystem::path(MORVA_RUNTIME_DIR) / "skin";
}

// A toolkit on a virtual loop, reading the real skin, with a scripted host.
class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest() {
        host.setPump([this] { loop.runPending(); });
        EXPECT_TRUE(toolkit.setResourcePath(runtimeSkinFolder()));
    }

    // A window with the main skin and a handler that logs "type:sender" per notification.
    std::unique_ptr<Window> mainWindow(const CreateControlFn& createControl = {}) {
        auto window = std::make_unique<Window>(toolkit);
        window->create("MainWnd", "QT4410-VIGOR MORVA", {800, 572});
        EXPECT_TRUE(window->loadSkin("XML_MAIN", createControl));
        window->setNotifyHandler(
            [this](const Notification& n) { log.push_back(n.type + ":" + n.senderName); });
        return window;
    }

    // Runs what was posted and returns the notifications logged since the last call.
    std::vector<std::string> drain() {
        loop.runPending();
        return std::exchange(log, {});
    }

    VirtualEventLoop loop;
    ScriptedHost host;
    Toolkit toolkit{loop, host};
    std::vector<std::string> log;
};

} // namespace morva::ui::test
