#include "app/about_window.h"

#include "app/title_bar_buttons.h"
#include "ui/toolkit/toolkit.h"

namespace morva::app {

CAboutWnd::CAboutWnd(ui::Toolkit& toolkit, WindowSystem& system, std::string versionText)
    : toolkit_(toolkit), system_(system), versionText_(std::move(versionText)),
      window_(std::make_unique<ui::Window>(toolkit)) {}

bool CAboutWnd::create(ui::Window* owner) {
    window_->create("AboutWnd", "%[about_title_text]", {800, 572}, owner);
    if (!window_->loadSkin("XML_ABOUT")) {
        return false;
    }
    window_->setNotifyHandler([this](const ui::Notification& n) { onNotify(n); });
    window_->setMessageHandler([this](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgLanguageChanged) {
            refreshVersionLabel();
            return 1;
        }
        if (m.id == kMsgClose) {
            window_->close(0);
            return 1;
        }
        return std::nullopt;
    });
    refreshVersionLabel();
    window_->centre();
    return true;
}

int CAboutWnd::showModal() {
    return window_->showModal();
}

void CAboutWnd::refreshVersionLabel() {
    ui::Control* probe = window_->find("text_test");
    ui::Control* label = window_->find("software_ver_label");
    if (!probe || !label) {
        return;
    }
    // The hidden control resolves the key in the current language.
    probe->setTextKey("software_rev_text");
    label->setText(probe->text() + versionText_);
}

void CAboutWnd::onNotify(const ui::Notification& n) {
    if (!n.is(ui::notify::kClick)) {
        return;
    }
    if (n.senderNamed("closebtn")) {
        window_->close(0);
    } else {
        handleSizeButtons(n, *window_, system_);
    }
    // "homepage_btn" does nothing.
}

} // namespace morva::app
