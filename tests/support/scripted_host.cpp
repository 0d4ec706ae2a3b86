#include "tests/support/scripted_host.h"

#include "ui/toolkit/window.h"

namespace morva::ui {

void ScriptedHost::answerModal(int code) {
    modalScript_.push_back([code](Window& window) { window.close(code); });
}

void ScriptedHost::actInModal(std::function<void(Window&)> actions) {
    modalScript_.push_back(std::move(actions));
}

void ScriptedHost::answerFileDialog(std::optional<std::string> path) {
    fileScript_.push_back(std::move(path));
}

void ScriptedHost::answerMessageBox(int result) {
    boxScript_.push_back(result);
}

int ScriptedHost::runModal(Window& window) {
    modalRuns.push_back(window.className());
    if (modalScript_.empty()) {
        ++unscripted;
        window.close(0);
        return window.closeCode();
    }
    auto actions = std::move(modalScript_.front());
    modalScript_.pop_front();
    actions(window);
    if (pump_) {
        pump_();
    }
    if (!window.closed()) {
        window.close(kUnclosedModalCode);
    }
    return window.closeCode();
}

std::optional<std::string> ScriptedHost::fileDialog(Window*, const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    if (fileScript_.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    auto answer = std::move(fileScript_.front());
    fileScript_.pop_front();
    return answer;
}

int ScriptedHost::messageBox(Window*, std::string_view, std::string_view text, MessageBoxButtons) {
    messageBoxes.emplace_back(text);
    if (boxScript_.empty()) {
        ++unscripted;
        return 0;
    }
    const int answer = boxScript_.front();
    boxScript_.pop_front();
    return answer;
}

} // namespace morva::ui
