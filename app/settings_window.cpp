#include "app/settings_window.h"

#include "app/about_window.h"
#include "base/trace.h"
#include "ui/toolkit/combo.h"
#include "ui/toolkit/toolkit.h"

namespace morva::app {

CSettingsWnd::CSettingsWnd(ui::Toolkit& toolkit, std::vector<LanguageEntry> languages,
                           ApplyLanguage apply)
    : toolkit_(toolkit), languages_(std::move(languages)), apply_(std::move(apply)),
      window_(std::make_unique<ui::Window>(toolkit)) {}

bool CSettingsWnd::open(ui::Window* owner, int currentLanguage) {
    if (!window_->created()) {
        window_->create("SettingsWnd", "settings", {520, 360}, owner);
        if (!window_->loadSkin("XML_SETTINGS")) {
            return false;
        }
        window_->setNotifyHandler([this](const ui::Notification& n) {
            if (n.is(ui::notify::kClick) && n.senderNamed("closebtn")) {
                close();
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
                return 1; // keyed texts have followed already; the list keeps its own labels
            }
            return std::nullopt;
        });
    }
    fillLanguages(currentLanguage);
    window_->centre();
    window_->show();
    return true;
}

void CSettingsWnd::close() {
    window_->close(0);
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
    // The update page acts on it; until then it is kept and traced.
    trace("settings window: forward message %u %d\n", message.wParam, message.lParam);
    lastForward_ = message;
}

} // namespace morva::app
