#pragma once

#include "ui/toolkit/host.h"
#include "ui/toolkit/ui_observer.h"

#include <QString>
#include <functional>
#include <map>

class QEventLoop;

namespace morva::ui {
class Toolkit;
}

namespace morva::qt {

class QtRenderer;

// The host of the Qt front-end: modal runs in a nested event loop, Qt's file dialogs, message
// boxes through the program's own message-box window (Qt's as the fallback), and the screen.
class QtHost final : public ui::Host, public ui::UiObserver {
public:
    QtHost() = default;
    ~QtHost() override;

    // Both must be set before the first modal run; the renderer must outlive the host's use.
    void attach(ui::Toolkit& toolkit, QtRenderer& renderer);

    // The program's message box: 1 confirmed, 0 otherwise. Without it a Qt box is shown.
    using MessageBoxFn = std::function<int(ui::Window* owner, std::string_view title,
                                           std::string_view text, ui::MessageBoxButtons)>;
    void setMessageBox(MessageBoxFn fn) { messageBox_ = std::move(fn); }

    int runModal(ui::Window& window) override;
    std::optional<std::string> fileDialog(ui::Window* owner,
                                          const ui::FileDialogRequest& request) override;
    int messageBox(ui::Window* owner, std::string_view title, std::string_view text,
                   ui::MessageBoxButtons buttons) override;
    ui::Size screenSize() const override;
    ui::Point cursorPos() const override;

    size_t modalDepth() const { return loops_.size(); }

    void windowChanged(ui::Window& window, ui::WindowChange change) override;
    void windowRemoved(ui::Window& window) override;

private:
    ui::Toolkit* toolkit_ = nullptr;
    QtRenderer* renderer_ = nullptr;
    MessageBoxFn messageBox_;
    bool inMessageBox_ = false;
    std::map<const ui::Window*, QEventLoop*> loops_;
};

// "Profile Files(*.json)" or "(*.png) | *.png |(*.*)|*.*||" as a Qt name filter list.
QString qtFileFilter(const std::string& filter);

} // namespace morva::qt
