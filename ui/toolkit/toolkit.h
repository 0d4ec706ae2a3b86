#pragma once

#include "base/event_loop.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/font_table.h"
#include "ui/toolkit/geometry.h"
#include "ui/toolkit/language_store.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/resource_index.h"
#include "ui/toolkit/tray_icon.h"
#include "ui/toolkit/ui_observer.h"

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace morva::ui {

class Host;
class Window;

// One instance per program (per test): the loop everything runs on, the host, the skin
// resources, the control factory, the language texts, the shared fonts, the open windows, the
// popup menu and the tray icon. Everything here runs on the interface thread.
class Toolkit {
public:
    Toolkit(EventLoop& loop, Host& host);
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    EventLoop& loop() const { return loop_; }
    Host& host() const { return host_; }

    // The skin folder with its "res.xml"; false when the index cannot be read.
    bool setResourcePath(const std::filesystem::path& skinFolder);
    const ResourceIndex& resources() const { return resources_; }
    ControlFactory& factory() { return factory_; }
    const ControlFactory& factory() const { return factory_; }
    LanguageStore& language() { return language_; }
    const LanguageStore& language() const { return language_; }
    FontTable& fonts() { return fonts_; }

    // Loads a language file named relative to the skin folder (or absolute).
    bool loadLanguageFile(std::string_view file);
    // Every keyed text of every window, menu and the tray reads anew.
    void reloadTexts();

    const std::vector<Window*>& windows() const { return windows_; }
    // The first window of that class name, or null.
    Window* findWindow(std::string_view className) const;
    void setAllDpi(int dpi);

    // Shows a menu built from a skin description at a point, closing the one shown before;
    // null when the description cannot be read.
    Menu* showMenu(Window& owner, std::string_view resource, Point at);
    Menu* currentMenu() const { return menu_.get(); }
    // Closes that menu (the current one when null).
    void closeMenu(Menu* menu = nullptr);

    TrayIcon& tray() { return tray_; }

    void addObserver(UiObserver* observer);
    void removeObserver(UiObserver* observer);
    const std::vector<UiObserver*>& observers() const { return observers_; }

    // Windows register themselves.
    void registerWindow(Window& window);
    void unregisterWindow(Window& window);

private:
    EventLoop& loop_;
    Host& host_;
    ResourceIndex resources_;
    ControlFactory factory_;
    LanguageStore language_;
    FontTable fonts_;
    std::vector<Window*> windows_;
    std::unique_ptr<Menu> menu_;
    TrayIcon tray_;
    std::vector<UiObserver*> observers_;
};

} // namespace morva::ui
