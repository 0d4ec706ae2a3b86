#pragma once

#include "ui/toolkit/host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morva::ui {

// A Host for tests: modal runs, file dialogs and message boxes answer from a script, and every
// request is recorded. Screen size and cursor are settable.
class ScriptedHost final : public Host {
public:
    // Runs the interface thread's pending work; a modal run pumps it so the notifications that
    // the scripted actions cause are handled (and may close the window).
    using Pump = std::function<void()>;
    explicit ScriptedHost(Pump pump = {}) : pump_(std::move(pump)) {}
    void setPump(Pump pump) { pump_ = std::move(pump); }

    // The next modal run closes its window with this code.
    void answerModal(int code);
    // The next modal run performs these actions (clicks, ...) on its window, then pumps; the
    // actions must close the window. A window left open is closed with kUnclosedModalCode.
    void actInModal(std::function<void(Window&)> actions);
    static constexpr int kUnclosedModalCode = -1000;

    // The next file dialog returns this path, or nothing (cancelled).
    void answerFileDialog(std::optional<std::string> path);
    // The next message box returns this.
    void answerMessageBox(int result);

    void setScreenSize(Size size) { screen_ = size; }
    void setCursorPos(Point pos) { cursor_ = pos; }

    int runModal(Window& window) override;
    std::optional<std::string> fileDialog(Window* owner, const FileDialogRequest& request) override;
    int messageBox(Window* owner, std::string_view title, std::string_view text,
                   MessageBoxButtons buttons) override;
    Size screenSize() const override { return screen_; }
    Point cursorPos() const override { return cursor_; }

    // What was asked, in order.
    std::vector<std::string> modalRuns; // class names of the windows
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> messageBoxes; // texts
    // Requests that found no scripted answer (answered with 0 / cancel).
    int unscripted = 0;

private:
    Pump pump_;
    std::deque<std::function<void(Window&)>> modalScript_;
    std::deque<std::optional<std::string>> fileScript_;
    std::deque<int> boxScript_;
    Size screen_{1920, 1080};
    Point cursor_;
};

} // namespace morva::ui
