#pragma once

#include "base/window_messages.h"
#include "ui/toolkit/control.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/notification.h"
#include "ui/toolkit/skin_builder.h"
#include "ui/toolkit/ui_observer.h"

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morva::ui {

class Toolkit;

// A message to a window: a number, two parameters and, where a pointer would travel on the
// original platform, a payload the handler can read with std::any_cast.
struct WindowMessage {
    uint32_t id = 0;
    int64_t wParam = 0;
    int64_t lParam = 0;
    std::any payload;
};

// A top-level window of the model: a control tree, one notification handler, one message
// handler, window timers, its DPI, and its state (shown, modal, closed with a code). The front-
// end draws it; the model never waits for it except through the Host in a modal run.
class Window {
public:
    explicit Window(Toolkit& toolkit);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Gives the window its class name, title and size (at 96 DPI) and an owner, and announces it.
    void create(std::string className, std::string title, Size size, Window* owner = nullptr);
    bool created() const { return created_; }
    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    // The title in the current language when it is a key.
    std::string titleText() const;
    void setTitle(std::string title);
    Window* owner() const { return owner_; }
    Toolkit& toolkit() const { return toolkit_; }

    // Position in screen pixels; size as the skin gives it and as shown at the window's DPI.
    Point position() const { return position_; }
    void move(Point position);
    Size size() const { return size_; }
    void resize(Size size);
    Size scaledSize() const { return dpi_.scale(size_); }
    // A window with a minimum size may be resized by the user down to it; one without keeps the
    // size it is given.
    void setMinimumSize(Size size);
    Size minimumSize() const { return minimumSize_; }
    Size scaledMinimumSize() const { return dpi_.scale(minimumSize_); }
    bool resizable() const { return minimumSize_.cx > 0 && minimumSize_.cy > 0; }
    // Centres on the owner when there is one, else on the screen.
    void centre();

    void show(bool visible = true);
    void hide() { show(false); }
    bool visible() const { return visible_; }

    // Shows the window modally through the host and returns its close code.
    int showModal();
    bool modal() const { return modal_; }
    // Ends a modal run with the code, or hides a modeless window; the code stays readable.
    void close(int code = 0);
    bool closed() const { return closed_; }
    int closeCode() const { return closeCode_; }

    // The control tree. Setting a root posts "windowinit" (sender: the root).
    void setRoot(std::unique_ptr<Control> root);
    Control* root() const { return root_.get(); }
    // Builds the tree from a skin resource ("XML_MAIN" or a skin file path) and makes it the
    // root; the skin's <Window> attributes ("size", "mininfo", "title") apply to the window. False,
    // with the tree unchanged, when the build fails.
    bool loadSkin(std::string_view resource, const CreateControlFn& createControl = {});
    // The control with exactly this name, or null (also for an empty name).
    Control* find(std::string_view name) const;
    template <typename T> T* findAs(std::string_view name) const {
        return dynamic_cast<T*>(find(name));
    }
    // Every control of the tree, root first, depth first; the visitor returns false to stop.
    void visitControls(const std::function<bool(Control&)>& visitor) const;

    // The one notification handler. Notifications sent by the controls are delivered to it in
    // the order they were sent, on the interface thread; those of a control that is gone by then
    // are dropped.
    using NotifyHandler = std::function<void(const Notification&)>;
    void setNotifyHandler(NotifyHandler handler) { notifyHandler_ = std::move(handler); }
    void postNotify(Notification notification);

    // The message handler returns a result, or nothing to leave the message to the default
    // handling (which answers 0).
    using MessageHandler = std::function<std::optional<int64_t>(const WindowMessage&)>;
    void setMessageHandler(MessageHandler handler) { messageHandler_ = std::move(handler); }
    // Handles the message now and returns the result.
    int64_t sendMessage(WindowMessage message);
    int64_t sendMessage(uint32_t id, int64_t wParam = 0, int64_t lParam = 0) {
        return sendMessage(WindowMessage{id, wParam, lParam, {}});
    }
    // Queues the message on the interface thread; callable from any thread while the window
    // exists. Dropped if the window is gone when it comes up. (A worker that must wait for the
    // answer runs sendMessage through EventLoop::send.)
    void postMessage(WindowMessage message);
    void postMessage(uint32_t id, int64_t wParam = 0, int64_t lParam = 0) {
        postMessage(WindowMessage{id, wParam, lParam, {}});
    }

    // A window timer: reaches the message handler as kMsgTimer with the identifier, until
    // killed. Starting a running identifier restarts it.
    bool setTimer(int id, TickMs periodMs);
    bool killTimer(int id);

    int dpi() const { return dpi_.dpi(); }
    const DpiScale& dpiScale() const { return dpi_; }
    bool setDpi(int dpi);

    void addObserver(UiObserver* observer);
    void removeObserver(UiObserver* observer);

    // Called by the controls of the tree.
    void controlChanged(Control& control, Property property);
    void controlAdded(Control& control);
    void controlRemoving(Control& control);
    // Every keyed text of the tree reads anew.
    void reloadTexts();

private:
    void announce(WindowChange change);
    template <typename F> void eachObserver(F&& f);
    void deliverNotify(const Notification& notification);

    Toolkit& toolkit_;
    // Lets posted work see that the window is gone.
    std::shared_ptr<Window* const> life_;
    bool created_ = false;
    std::string className_;
    std::string title_;
    Window* owner_ = nullptr;
    Point position_;
    Size size_;
    Size minimumSize_;
    bool visible_ = false;
    bool modal_ = false;
    bool closed_ = false;
    int closeCode_ = 0;
    DpiScale dpi_;
    std::unique_ptr<Control> root_;
    NotifyHandler notifyHandler_;
    MessageHandler messageHandler_;
    std::map<int, TimerId> timers_;
    std::vector<UiObserver*> observers_;
};

} // namespace morva::ui
