#pragma once

#include "app/language_config.h"
#include "app/main_window_chrome.h"
#include "app/update_page.h"
#include "platform/ipc_message.h"
#include "ui/toolkit/window.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace morva::app {

// The settings window (class "SettingsWnd", skin "XML_SETTINGS"): the language list
// "Language_combox_info", whose choice asks the main window to apply it (message 0x0C11 with the
// index), and the update page, which updaters report to through the program's message channel.
class CSettingsWnd {
public:
    using ApplyLanguage = std::function<void(int index)>;
    using Quit = std::function<void()>;

    CSettingsWnd(ui::Toolkit& toolkit, WindowSystem& system, std::vector<LanguageEntry> languages,
                 ApplyLanguage apply, UpdatePage::Environment updates, Quit quit = {});
    ~CSettingsWnd();

    // Builds and shows the window over the owner with the current language selected and the
    // update page checking the entries; false when its skin cannot be built.
    bool open(ui::Window* owner, int currentLanguage,
              const std::vector<update::UpdateEntry>& updateEntries = {});
    // Refused (false) while an update is being downloaded or run.
    bool close();
    bool isOpen() const { return window_->visible(); }
    ui::Window& window() { return *window_; }

    // The forward message of another process, while the window is open.
    void onForwardMessage(const platform::Message& message);
    const std::optional<platform::Message>& lastForwardMessage() const { return lastForward_; }
    const UpdatePage& updatePage() const { return *updatePage_; }

private:
    void fillLanguages(int currentLanguage);
    // The hint above the update list goes, and the window takes its usual size again.
    void hideUpdateHint();

    ui::Toolkit& toolkit_;
    WindowSystem& system_;
    std::vector<LanguageEntry> languages_;
    ApplyLanguage apply_;
    // Where no tray holds the program, closing its window only minimises it: this ends it.
    Quit quit_;
    std::unique_ptr<ui::Window> window_;
    std::unique_ptr<UpdatePage> updatePage_;
    std::optional<platform::Message> lastForward_;
};

} // namespace morva::app
