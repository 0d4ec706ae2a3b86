#include "ui/toolkit/control.h"

#include "base/text.h"
#include "base/trace.h"
#include "ui/toolkit/attribute_parse.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

namespace morva::ui {

Control::Control() : life_(std::make_shared<Control* const>(this)) {}

Control::~Control() {
    killAllTimers();
}

void Control::setName(std::string name) {
    name_ = std::move(name);
}

std::string Control::resolveText(const std::string& raw) const {
    if (window_ == nullptr) {
        return raw;
    }
    return window_->toolkit().language().resolve(raw);
}

std::string Control::text() const {
    return resolveText(text_);
}

void Control::setText(std::string text) {
    assign(text_, std::move(text), Property::Text);
}

void Control::setTextKey(std::string_view key) {
    setText(LanguageStore::makeKey(key));
}

std::string Control::toolTip() const {
    return resolveText(toolTip_);
}

void Control::setToolTip(std::string text) {
    assign(toolTip_, std::move(text), Property::ToolTip);
}

void Control::setVisible(bool visible) {
    assign(visible_, visible, Property::Visible);
}

bool Control::visibleInTree() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

void Control::setEnabled(bool enabled) {
    assign(enabled_, enabled, Property::Enabled);
}

bool Control::enabledInTree() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_) {
            return false;
        }
    }
    return true;
}

bool Control::takesMouseInput() const {
    if (!mouseEnabled_) {
        return false;
    }
    for (const Control* c = parent_; c != nullptr; c = c->parent_) {
        if (!c->mouseChildEnabled_) {
            return false;
        }
    }
    return true;
}

void Control::setBkColor(uint32_t argb) {
    assign(bkColor_, argb, Property::BkColor);
}

void Control::setTextColor(uint32_t argb) {
    assign(textColor_, argb, Property::TextColor);
}

void Control::setBkImage(std::string image) {
    assign(bkImage_, std::move(image), Property::BkImage);
}

void Control::setForeImage(std::string image) {
    assign(foreImage_, std::move(image), Property::ForeImage);
}

std::string Control::stateImage(std::string_view attributeName) const {
    const auto it = stateImages_.find(toLowerAscii(attributeName));
    return it == stateImages_.end() ? std::string() : it->second;
}

void Control::setStateImage(std::string_view attributeName, std::string image) {
    std::string& slot = stateImages_[toLowerAscii(attributeName)];
    if (slot != image) {
        slot = std::move(image);
        changed(Property::Image);
    }
}

void Control::setUserData(std::string data) {
    assign(userData_, std::move(data), Property::UserData);
}

void Control::setFont(int index) {
    assign(font_, index, Property::Font);
}

void Control::setFixedWidth(int width) {
    assign(fixedWidth_, width, Property::Geometry);
}

void Control::setFixedHeight(int height) {
    assign(fixedHeight_, height, Property::Geometry);
}

void Control::setPos(const Rect& pos) {
    assign(pos_, pos, Property::Geometry);
}

void Control::setPadding(const Rect& padding) {
    assign(padding_, padding, Property::Geometry);
}

void Control::setFloating(bool floating) {
    assign(floating_, floating, Property::Geometry);
}

Size Control::scaledFixedSize() const {
    const Size size{fixedWidth_, fixedHeight_};
    return window_ != nullptr ? window_->dpiScale().scale(size) : size;
}

Rect Control::scaledPos() const {
    return window_ != nullptr ? window_->dpiScale().scale(pos_) : pos_;
}

Rect Control::scaledPadding() const {
    return window_ != nullptr ? window_->dpiScale().scale(padding_) : padding_;
}

bool Control::setAttribute(std::string_view name, std::string_view value) {
    const std::string key = toLowerAscii(name);
    if (key == "name") {
        setName(std::string(value));
    } else if (key == "text") {
        setText(std::string(value));
    } else if (key == "textid") {
        setTextKey(value);
    } else if (key == "tooltip") {
        setToolTip(std::string(value));
    } else if (key == "userdata") {
        setUserData(std::string(value));
    } else if (key == "bkimage") {
        setBkImage(std::string(value));
    } else if (key == "foreimage") {
        setForeImage(std::string(value));
    } else if (key == "visible") {
        if (const auto v = attr::parseBool(value)) {
            setVisible(*v);
        }
    } else if (key == "enabled") {
        if (const auto v = attr::parseBool(value)) {
            setEnabled(*v);
        }
    } else if (key == "mouse") {
        if (const auto v = attr::parseBool(value)) {
            setMouseEnabled(*v);
        }
    } else if (key == "mousechild") {
        if (const auto v = attr::parseBool(value)) {
            setMouseChildEnabled(*v);
        }
    } else if (key == "bkcolor") {
        if (const auto v = attr::parseColor(value)) {
            setBkColor(*v);
        }
    } else if (key == "textcolor") {
        if (const auto v = attr::parseColor(value)) {
            setTextColor(*v);
        }
    } else if (key == "font") {
        if (const auto v = attr::parseInt(value)) {
            setFont(*v);
        }
    } else if (key == "width") {
        if (const auto v = attr::parseInt(value)) {
            setFixedWidth(*v);
        }
    } else if (key == "height") {
        if (const auto v = attr::parseInt(value)) {
            setFixedHeight(*v);
        }
    } else if (key == "pos") {
        if (const auto v = attr::parseRect(value)) {
            setPos(*v);
            // A position fixes the size too, as the skin expects.
            setFixedWidth(v->width());
            setFixedHeight(v->height());
        }
    } else if (key == "padding") {
        if (const auto v = attr::parseRect(value)) {
            setPadding(*v);
        }
    } else if (key == "float") {
        if (const auto v = attr::parseBool(value)) {
            setFloating(*v);
        }
    } else if (key.ends_with("image")) {
        setStateImage(key, std::string(value));
    } else {
        extraAttributes_[key] = std::string(value);
        return false;
    }
    return true;
}

std::optional<std::string> Control::attribute(std::string_view name) const {
    const auto it = extraAttributes_.find(toLowerAscii(name));
    if (it == extraAttributes_.end()) {
        return std::nullopt;
    }
    return it->second;
}

void Control::sendNotify(std::string_view type, int64_t wParam, int64_t lParam) {
    if (window_ != nullptr) {
        window_->postNotify(Notification{std::string(type), ref(), name_, wParam, lParam});
    }
}

void Control::event(const UiEvent& e) {
    if (isPointerEvent(e.type) && !takesMouseInput()) {
        return;
    }
    if (eventFilter_ && eventFilter_(*this, e)) {
        return;
    }
    handleEvent(e);
}

void Control::handleEvent(const UiEvent& e) {
    if (e.type == EventType::Timer) {
        sendNotify(notify::kTimer, e.wParam, e.lParam);
    }
}

bool Control::setTimer(int id, TickMs periodMs) {
    if (window_ == nullptr || periodMs == 0) {
        trace("control \"%s\": timer %d refused (%s)", name_.c_str(), id,
              window_ == nullptr ? "not in a window" : "zero period");
        return false;
    }
    killTimer(id);
    EventLoop& loop = window_->toolkit().loop();
    timers_[id] = loop.startTimer(periodMs, [target = ref(), id] {
        if (Control* control = target.get()) {
            control->event(UiEvent::of(EventType::Timer, id));
        }
    });
    return true;
}

bool Control::killTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) {
        return false;
    }
    if (window_ != nullptr) {
        window_->toolkit().loop().stopTimer(it->second);
    }
    timers_.erase(it);
    return true;
}

void Control::killAllTimers() {
    while (!timers_.empty()) {
        killTimer(timers_.begin()->first);
    }
}

void Control::onLanguageChanged() {
    if (LanguageStore::keyOf(text_)) {
        changed(Property::Text);
    }
    if (LanguageStore::keyOf(toolTip_)) {
        changed(Property::ToolTip);
    }
}

void Control::attachTo(Control* parent, Window* window) {
    parent_ = parent;
    if (window_ == window) {
        return;
    }
    killAllTimers();
    window_ = window;
    onWindowChanged();
}

void Control::changed(Property property) {
    if (window_ != nullptr) {
        window_->controlChanged(*this, property);
    }
}

} // namespace morva::ui
