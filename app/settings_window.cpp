#include "app/settings_window.h"

#include "app/about_window.h"
#include "app/title_bar_buttons.h"
#include "base/trace.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/toolkit.h"

namespace morva::app {

CSettingsWnd::CSettingsWnd(ui::Toolkit& toolkit, WindowSystem& system,
                           std::vector<LanguageEntry> languages, ApplyLanguage apply,
                           UpdatePage::Environment updates, Quit quit)
    : toolkit_(toolkit), system_(system), languages_(std::move(languages)),
      apply_(std::move(apply)), quit_(std::move(quit)),
      window_(std::make_unique<ui::Window>(toolkit)),
      updatePage_(
          std::make_unique<UpdatePage>(toolkit, *window_, toolkit.loop(), std::move(updates))) {}

CSettingsWnd::~CSettingsWnd() {
    // The page's threads post to the window: they end first.
    updatePage_.reset();
}

void CSettingsWnd::hideUpdateHint() {
    if (ui::Control* hint = window_->find("update_tishi_layout")) {
        hint->setVisible(false);
    }
    window_->resize({630, 500});
}

bool CSettingsWnd::open(ui::Window* owner, int currentLanguage,
                        const std::vector<update::UpdateEntry>& updateEntries) {
    if (!window_->created()) {
        window_->create("SettingsWnd", "%[settings_title_text]", {630, 500}, owner);
        if (!window_->loadSkin("XML_SETTINGS")) {
            return false;
        }
        window_->setNotifyHandler([this](const ui::Notification& n) {
            if (updatePage_->handle(n) || handleSizeButtons(n, *window_, system_)) {
                return;
            }
            if (n.is(ui::notify::kClick) &&
                (n.senderNamed("closebtn") || n.senderNamed("laterbtn"))) {
                close();
            } else if (n.is(ui::notify::kClick) && n.senderNamed("set_in_update_wnd_btn")) {
                hideUpdateHint();
            } else if (n.is(ui::notify::kClick) && n.senderNamed("settings_quit_btn")) {
                if (quit_ && close()) {
                    quit_();
                }
            } else if (n.is(ui::notify::kItemSelect) && n.senderNamed("Language_combox_info")) {
                if (apply_) {
                    apply_(static_cast<int>(n.wParam));
                }
            }
        });
        window_->setMessageHandler([this](const ui::WindowMessage& m) -> std::optional<int64_t> {
            if (m.id == kMsgClose) {
                close();
                return 1;
            }
            if (m.id == kMsgLanguageChanged) {
                // Keyed texts have followed already; the list keeps its own labels.
                updatePage_->onLanguageChanged();
                return 1;
            }
            return std::nullopt;
        });
    }
    fillLanguages(currentLanguage);
    if (window_->visible()) {
        // Asked for again while open, perhaps minimised: it comes back to the front.
        system_.bringToFront(*window_);
        return true;
    }
    updatePage_->open(updateEntries);
    window_->centre();
    window_->show();
    return true;
}

bool CSettingsWnd::close() {
    if (!updatePage_->mayClose()) {
        return false;
    }
    updatePage_->stop();
    window_->close(0);
    return true;
}

void CSettingsWnd::fillLanguages(int currentLanguage) {
    auto* combo = window_->findAs<ui::Combo>("Language_combox_info");
    if (!combo) {
        return;
    }
    combo->clear();
    for (const LanguageEntry& entry : languages_) {
        combo->addItem(entry.text, std::to_string(entry.id));
    }
    combo->selectItem(currentLanguage, false);
}

void CSettingsWnd::onForwardMessage(const platform::Message& message) {
    trace("settings window: updater message %u %d\n", message.wParam, message.lParam);
    lastForward_ = message;
    updatePage_->onUpdaterMessage(message.wParam, message.lParam);
}

} // namespace morva::app
