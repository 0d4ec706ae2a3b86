#pragma once

#include "app/main_window_chrome.h"

#include <string>
#include <vector>

namespace morva::test {

// The desktop's window states, kept in fields the test sets and reads; every call is recorded.
class FakeWindowSystem final : public app::WindowSystem {
public:
    void minimise(ui::Window&) override {
        isMinimised = true;
        calls.emplace_back("minimise");
    }
    void maximise(ui::Window&) override {
        isMaximised = true;
        calls.emplace_back("maximise");
    }
    void restore(ui::Window&) override {
        isMinimised = isMaximised = false;
        calls.emplace_back("restore");
    }
    bool minimised(const ui::Window&) const override { return isMinimised; }
    bool maximised(const ui::Window&) const override { return isMaximised; }
    void bringToFront(ui::Window&) override {
        isMinimised = false;
        calls.emplace_back("front");
    }
    bool trayAvailable() const override { return tray; }
    ui::Size monitorSize(const ui::Window&) const override { return monitor; }

    bool tray = true;
    bool isMinimised = false;
    bool isMaximised = false;
    ui::Size monitor{1366, 768};
    std::vector<std::string> calls;
};

} // namespace morva::test
