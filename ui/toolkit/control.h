#pragma once

#include "base/clock.h"
#include "base/event_loop.h"
#include "ui/toolkit/control_ref.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/property.h"
#include "ui/toolkit/ui_event.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morva::ui {

class Container;
class Window;

// The base of every control of a window's tree. It keeps the properties every control shares,
// tells the window's observers what changed, sends notifications through its window and owns its
// timers. Sizes are stored as the skin gives them (96 DPI); the window's scale applies on reading
// the scaled forms.
class Control {
public:
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The skin tag / class name of the control ("Button", "DeviceKeyButton", ...).
    virtual std::string_view className() const { return "Control"; }
    virtual Container* asContainer() { return nullptr; }
    const Container* asContainer() const { return const_cast<Control*>(this)->asContainer(); }

    const std::string& name() const { return name_; }
    void setName(std::string name);

    // The text as shown: a text written as a language key ("%[message_text_7]") reads as the
    // current language's text for that key.
    std::string text() const;
    const std::string& rawText() const { return text_; }
    virtual void setText(std::string text);
    // Stores the key so the text follows the language.
    void setTextKey(std::string_view key);
    std::string toolTip() const;
    const std::string& rawToolTip() const { return toolTip_; }
    void setToolTip(std::string text);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible itself and through every ancestor.
    bool visibleInTree() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool enabledInTree() const;
    // Whether the pointer reaches the control itself, and its children; a control the pointer
    // does not reach drops its clicks, context menus and the like, without looking disabled.
    bool mouseEnabled() const { return mouseEnabled_; }
    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool mouseChildEnabled() const { return mouseChildEnabled_; }
    void setMouseChildEnabled(bool enabled) { mouseChildEnabled_ = enabled; }
    // Its own switch and the children's switch of every ancestor are on.
    bool takesMouseInput() const;

    // Colours are 0xAARRGGBB; 0 means none.
    uint32_t bkColor() const { return bkColor_; }
    void setBkColor(uint32_t argb);
    uint32_t textColor() const { return textColor_; }
    void setTextColor(uint32_t argb);
    // Image descriptions, relative to the skin folder or absolute paths; empty means none.
    const std::string& bkImage() const { return bkImage_; }
    void setBkImage(std::string image);
    const std::string& foreImage() const { return foreImage_; }
    void setForeImage(std::string image);
    // The other images a skin gives by attribute ("normalimage", "hotimage", "selectedimage",
    // "thumbimage", ...), keyed by the lower-case attribute name; empty when not given.
    std::string stateImage(std::string_view attributeName) const;
    void setStateImage(std::string_view attributeName, std::string image);
    const std::map<std::string, std::string, std::less<>>& stateImages() const {
        return stateImages_;
    }
    const std::string& userData() const { return userData_; }
    void setUserData(std::string data);
    // Index into the toolkit's font table; -1 is the default font.
    int font() const { return font_; }
    void setFont(int index);

    // Geometry as the skin gives it (96 DPI). A width or height of 0 leaves it to the layout.
    int fixedWidth() const { return fixedWidth_; }
    int fixedHeight() const { return fixedHeight_; }
    void setFixedWidth(int width);
    void setFixedHeight(int height);
    // Position inside the parent for floating controls.
    const Rect& pos() const { return pos_; }
    void setPos(const Rect& pos);
    const Rect& padding() const { return padding_; }
    void setPadding(const Rect& padding);
    bool floating() const { return floating_; }
    void setFloating(bool floating);
    // The same at the window's DPI.
    Size scaledFixedSize() const;
    Rect scaledPos() const;
    Rect scaledPadding() const;

    // Where the renderer placed the control, in window pixels; hit tests of custom controls use
    // it. Setting it is the renderer's job and notifies nobody.
    const Rect& layoutRect() const { return layoutRect_; }
    void setLayoutRect(const Rect& rect) { layoutRect_ = rect; }

    // Applies one skin attribute. Controls handle their own and pass the rest to their base;
    // attributes no class knows are kept and readable with attribute(). Returns whether a class
    // understood the attribute.
    virtual bool setAttribute(std::string_view name, std::string_view value);
    std::optional<std::string> attribute(std::string_view name) const;

    Control* parent() const { return parent_; }
    Window* window() const { return window_; }
    ControlRef ref() const { return ControlRef(life_); }

    // Sends a notification from this control to its window's handler; it is delivered later on
    // the interface thread, after those sent before it. Nothing happens outside a window.
    void sendNotify(std::string_view type, int64_t wParam = 0, int64_t lParam = 0);

    // Delivers an input or timer event. The filter, when set, sees it first and may consume it;
    // otherwise handleEvent runs.
    void event(const UiEvent& e);
    using EventFilter = std::function<bool(Control&, const UiEvent&)>;
    void setEventFilter(EventFilter filter) { eventFilter_ = std::move(filter); }

    // A periodic timer reaching event() as EventType::Timer with the identifier. Starting an
    // identifier that runs restarts it. Only controls in a window have timers; they all end when
    // the control leaves its window or is destroyed.
    bool setTimer(int id, TickMs periodMs);
    bool killTimer(int id);
    void killAllTimers();
    bool hasTimer(int id) const { return timers_.contains(id); }

    // The language changed: controls whose texts are keys tell the renderer to read them again.
    virtual void onLanguageChanged();

    // Internal to containers and windows: places the control in a tree.
    void attachTo(Control* parent, Window* window);

protected:
    // Tells the window's observers that a property changed.
    void changed(Property property);
    // Default handling: a timer event becomes a "timer" notification with the identifier, as
    // the rows of lists expect; other events are ignored.
    virtual void handleEvent(const UiEvent& e);
    // A control moved into or out of a window.
    virtual void onWindowChanged() {}
    // The language text of a possibly keyed text.
    std::string resolveText(const std::string& raw) const;

    template <typename T> void assign(T& field, T value, Property property) {
        if (field != value) {
            field = std::move(value);
            changed(property);
        }
    }

private:
    std::shared_ptr<Control* const> life_;
    Control* parent_ = nullptr;
    Window* window_ = nullptr;
    std::string name_;
    std::string text_;
    std::string toolTip_;
    bool visible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool mouseChildEnabled_ = true;
    uint32_t bkColor_ = 0;
    uint32_t textColor_ = 0;
    std::string bkImage_;
    std::string foreImage_;
    std::string userData_;
    std::map<std::string, std::string, std::less<>> stateImages_;
    int font_ = -1;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    Rect pos_;
    Rect padding_;
    bool floating_ = false;
    Rect layoutRect_;
    std::map<std::string, std::string, std::less<>> extraAttributes_;
    EventFilter eventFilter_;
    std::map<int, TimerId> timers_;
};

} // namespace morva::ui
