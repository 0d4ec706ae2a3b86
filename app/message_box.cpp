#include "app/message_box.h"

#include "app/display_scale.h"
#include "base/trace.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/toolkit.h"

#include <array>

namespace morva::app {

int messageBoxDpi(int dpi) {
    constexpr std::array kSupported = {48, 72, 96, 120, 144, 168, 192};
    for (const int supported : kSupported) {
        if (dpi == supported) {
            return dpi;
        }
    }
    trace("MSG_WND DPI SET ERROR\n");
    return kBaseDpi;
}

int CMsgWnd::ShowMessage(ui::Toolkit& toolkit, ui::Window* owner, std::string_view title,
                         std::string_view text, int dpi, bool textIsKey, int buttons) {
    ui::Window box(toolkit);
    box.create("MsgWnd", "%[msg_title_text]", {400, 200}, owner);
    if (!box.loadSkin("XML_MSG")) {
        std::string shown(text);
        if (textIsKey) {
            shown = toolkit.language().lookup(shown).value_or(shown);
        }
        return toolkit.host().messageBox(owner, title, shown,
                                         buttons == kConfirmCancel ? ui::MessageBoxButtons::OkCancel
                                                                   : ui::MessageBoxButtons::Ok);
    }
    if (!title.empty()) {
        if (ui::Control* titleLabel = box.find("MessageTitle")) {
            titleLabel->setText(std::string(title));
        }
    }
    if (!text.empty()) {
        if (ui::Control* message = box.find("MessageText")) {
            if (textIsKey) {
                message->setTextKey(text);
            } else {
                message->setText(std::string(text));
            }
        }
    }
    toolkit.setAllDpi(messageBoxDpi(dpi));
    ui::Control* confirm = box.find("confirm_btn");
    ui::Control* cancel = box.find("cancel_btn");
    if (buttons == kConfirmOnly || buttons == kConfirmCancel) {
        if (confirm) {
            confirm->setVisible(true);
        }
        if (cancel) {
            cancel->setVisible(buttons == kConfirmCancel);
        }
    }
    box.setNotifyHandler([&box](const ui::Notification& n) {
        if (!n.is(ui::notify::kClick)) {
            return;
        }
        if (n.senderNamed("confirm_btn")) {
            box.close(1);
        } else if (n.senderNamed("closebtn") || n.senderNamed("cancel_btn")) {
            box.close(0);
        }
    });
    box.setMessageHandler([&box](const ui::WindowMessage& m) -> std::optional<int64_t> {
        if (m.id == kMsgClose) {
            box.close(0);
            return 1;
        }
        if (m.id == kMsgDpiChanged) {
            box.setDpi(messageBoxDpi(static_cast<int>(m.wParam)));
            box.centre();
            return 1;
        }
        return std::nullopt;
    });
    box.centre();
    return box.showModal();
}

int showMessageBox(ui::Toolkit& toolkit, ui::Window* owner, std::string_view title,
                   std::string_view text, bool textIsKey, ui::MessageBoxButtons buttons) {
    return CMsgWnd::ShowMessage(toolkit, owner, title, text,
                                owner != nullptr ? owner->dpi() : kBaseDpi, textIsKey,
                                buttons == ui::MessageBoxButtons::OkCancel ? CMsgWnd::kConfirmCancel
                                                                           : CMsgWnd::kConfirmOnly);
}

} // namespace morva::app
