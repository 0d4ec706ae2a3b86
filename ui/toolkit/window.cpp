#include "ui/toolkit/window.h"

#include "base/trace.h"
#include "ui/toolkit/container.h"
#include "ui/toolkit/host.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/toolkit.h"

#include <algorithm>

namespace morva::ui {

Window::Window(Toolkit& toolkit) : toolkit_(toolkit), life_(std::make_shared<Window* const>(this)) {
    toolkit_.registerWindow(*this);
}

Window::~Window() {
    for (const auto& [id, timer] : timers_) {
        toolkit_.loop().stopTimer(timer);
    }
    timers_.clear();
    if (root_) {
        controlRemoving(*root_);
        root_.reset();
    }
    toolkit_.unregisterWindow(*this);
}

template <typename F> void Window::eachObserver(F&& f) {
    // Copies, so an observer may unregister itself while it is told.
    const auto own = observers_;
    for (UiObserver* o : own) {
        f(*o);
    }
    const auto all = toolkit_.observers();
    for (UiObserver* o : all) {
        f(*o);
    }
}

void Window::announce(WindowChange change) {
    eachObserver([&](UiObserver& o) { o.windowChanged(*this, change); });
}

void Window::create(std::string className, std::string title, Size size, Window* owner) {
    className_ = std::move(className);
    title_ = std::move(title);
    size_ = size;
    owner_ = owner;
    created_ = true;
    announce(WindowChange::Created);
}

std::string Window::titleText() const {
    return toolkit_.language().resolve(title_);
}

void Window::setTitle(std::string title) {
    if (title_ != title) {
        title_ = std::move(title);
        announce(WindowChange::Title);
    }
}

void Window::move(Point position) {
    if (position_ != position) {
        position_ = position;
        announce(WindowChange::Geometry);
    }
}

void Window::resize(Size size) {
    if (size_ == size) {
        return;
    }
    size_ = size;
    announce(WindowChange::Geometry);
    if (root_) {
        root_->sendNotify(notify::kWindowSize);
    }
}

void Window::setMinimumSize(Size size) {
    if (minimumSize_ != size) {
        minimumSize_ = size;
        announce(WindowChange::Geometry);
    }
}

void Window::centre() {
    Point origin{0, 0};
    Size area = toolkit_.host().screenSize();
    if (owner_ != nullptr) {
        origin = owner_->position();
        area = owner_->scaledSize();
    }
    const Size own = scaledSize();
    move({origin.x + (area.cx - own.cx) / 2, origin.y + (area.cy - own.cy) / 2});
}

void Window::show(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    announce(visible ? WindowChange::Shown : WindowChange::Hidden);
}

int Window::showModal() {
    modal_ = true;
    closed_ = false;
    show(true);
    const int code = toolkit_.host().runModal(*this);
    modal_ = false;
    return code;
}

void Window::close(int code) {
    closeCode_ = code;
    closed_ = true;
    show(false);
    announce(WindowChange::Closed);
}

void Window::setRoot(std::unique_ptr<Control> root) {
    if (root_) {
        controlRemoving(*root_);
        root_->attachTo(nullptr, nullptr);
    }
    root_ = std::move(root);
    if (!root_) {
        return;
    }
    root_->attachTo(nullptr, this);
    controlAdded(*root_);
    root_->sendNotify(notify::kWindowInit);
}

bool Window::loadSkin(std::string_view resource, const CreateControlFn& createControl) {
    auto root = SkinBuilder(toolkit_).build(resource, createControl, this);
    if (!root) {
        return false;
    }
    setRoot(std::move(root));
    return true;
}

void Window::visitControls(const std::function<bool(Control&)>& visitor) const {
    if (!root_ || !visitor(*root_)) {
        return;
    }
    if (const Container* container = root_->asContainer()) {
        container->visitDescendants(visitor);
    }
}

Control* Window::find(std::string_view name) const {
    if (name.empty()) {
        return nullptr;
    }
    Control* found = nullptr;
    visitControls([&](Control& c) {
        if (c.name() == name) {
            found = &c;
            return false;
        }
        return true;
    });
    return found;
}

void Window::postNotify(Notification notification) {
    toolkit_.loop().post([life = std::weak_ptr<Window* const>(life_), n = std::move(notification)] {
        const auto alive = life.lock();
        if (alive && n.sender) {
            (*alive)->deliverNotify(n);
        }
    });
}

// The handlers are copied before the call: a handler may destroy its window.
void Window::deliverNotify(const Notification& notification) {
    if (const NotifyHandler handler = notifyHandler_) {
        handler(notification);
    }
}

int64_t Window::sendMessage(WindowMessage message) {
    if (const MessageHandler handler = messageHandler_) {
        if (const auto result = handler(message)) {
            return *result;
        }
    }
    return 0;
}

void Window::postMessage(WindowMessage message) {
    toolkit_.loop().post([life = std::weak_ptr<Window* const>(life_), m = std::move(message)] {
        if (const auto alive = life.lock()) {
            (*alive)->sendMessage(m);
        }
    });
}

bool Window::setTimer(int id, TickMs periodMs) {
    if (periodMs == 0) {
        return false;
    }
    killTimer(id);
    timers_[id] =
        toolkit_.loop().startTimer(periodMs, [this, id] { sendMessage(kMsgTimer, id, 0); });
    return true;
}

bool Window::killTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return false;
    }
    toolkit_.loop().stopTimer(it->second);
    timers_.erase(it);
    return true;
}

bool Window::setDpi(int dpi) {
    if (dpi == dpi_.dpi()) {
        return true;
    }
    if (!dpi_.setDpi(dpi)) {
        trace("window \"%s\": DPI %d refused", className_.c_str(), dpi);
        return false;
    }
    announce(WindowChange::Dpi);
    return true;
}

void Window::addObserver(UiObserver* observer) {
    if (observer != nullptr &&
        std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void Window::removeObserver(UiObserver* observer) {
    std::erase(observers_, observer);
}

void Window::controlChanged(Control& control, Property property) {
    eachObserver([&](UiObserver& o) { o.controlChanged(*this, control, property); });
}

void Window::controlAdded(Control& control) {
    eachObserver([&](UiObserver& o) { o.controlAdded(*this, control); });
}

void Window::controlRemoving(Control& control) {
    eachObserver([&](UiObserver& o) { o.controlRemoving(*this, control); });
}

void Window::reloadTexts() {
    if (root_) {
        root_->onLanguageChanged();
    }
    if (LanguageStore::keyOf(title_)) {
        announce(WindowChange::Title);
    }
}

} // namespace morva::ui
