#include "app/skin_window.h"

#include "ui/toolkit/container.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/toolkit.h"

namespace morva::app {

void applySkinToRoot(ui::Window& mainWindow, const SkinChangedParam& param) {
    ui::Control* root = mainWindow.find("root");
    if (!root) {
        return;
    }
    const RootBackground background = rootBackgroundFor(param);
    root->setBkColor(background.color);
    root->setBkImage(background.image);
}

CSkinFrame::CSkinFrame(ui::Toolkit& toolkit, SkinChooser& chooser)
    : toolkit_(toolkit), chooser_(chooser), window_(std::make_unique<ui::Window>(toolkit)) {}

bool CSkinFrame::open(ui::Window& owner, const ui::Control* anchor) {
    if (!window_->created()) {
        window_->create("UISkinFrame", "%[skin_title_text]", {300, 220}, &owner);
        if (!window_->loadSkin("XML_SKIN")) {
            return false;
        }
        window_->setNotifyHandler([this](const ui::Notification& n) { onNotify(n); });
        window_->setMessageHandler([this](const ui::WindowMessage& m) -> std::optional<int64_t> {
            if ((m.id == kMsgActivate && m.wParam == 0) || m.id == kMsgClose) {
                closeSelf();
                return 1;
            }
            return std::nullopt;
        });
    }
    if (anchor) {
        // Right edge on the anchor's right edge, top on its bottom, in screen pixels.
        const ui::Rect& at = anchor->layoutRect();
        const ui::Point origin = owner.position();
        window_->move({origin.x + at.right - window_->scaledSize().cx, origin.y + at.bottom});
    } else {
        window_->centre();
    }
    window_->show();
    return true;
}

void CSkinFrame::closeSelf() {
    if (!window_->visible()) {
        return;
    }
    window_->close(0);
    if (onClosed_) {
        // Later: the owner may destroy this object, which must not happen inside its handler.
        toolkit_.loop().post(onClosed_);
    }
}

void CSkinFrame::onNotify(const ui::Notification& n) {
    if (!n.is(ui::notify::kClick)) {
        return;
    }
    ui::Control* sender = n.sender.get();
    if (n.senderNamed("skin_image_btn")) {
        if (sender) {
            chooser_.choosePreset(sender->userData());
        }
    } else if (n.senderNamed("skin_color_btn")) {
        if (sender) {
            chooser_.chooseColor(sender->bkColor());
        }
    } else if (n.senderNamed("skin_color") || n.senderNamed("skin_image")) {
        if (auto* tab = window_->findAs<ui::TabLayout>("skin_tab")) {
            tab->selectItem(n.senderNamed("skin_color") ? 1 : 0);
        }
    } else if (n.senderNamed("skin_reset")) {
        chooser_.reset();
    } else if (n.senderNamed("skin_Custom")) {
        ui::FileDialogRequest request;
        request.filter = "(*.png) | *.png |(*.*)|*.*||";
        if (const auto file = toolkit_.host().fileDialog(window_.get(), request)) {
            chooser_.chooseCustomImage(*file);
        }
    } else if (n.senderNamed("closebtn")) {
        closeSelf();
    }
}

} // namespace morva::app
