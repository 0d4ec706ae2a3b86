#pragma once

#include "app/main_window_chrome.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

class QApplication;

namespace morva::qt {

class QtRenderer;

// Loads the private font from memory for the life of the process; the family it adds, or
// empty when the file is missing or not a font (the program then starts without it).
QString loadPrivateFont(const std::filesystem::path& fontFile);

// The families the interface falls back to for the Chinese texts: one installed family that
// draws Simplified Chinese, or none. Left to itself, Qt may take a Japanese font for most of
// those characters (Japanese glyph forms) and a Chinese one for the rest, with both files in
// memory.
QStringList chineseFallbackFamilies();

// The program's own dark look for the standard widgets (edits, combos, sliders, menus, tips).
void applyDarkLook(QApplication& application);

// The desktop's power signals: logind's PrepareForSleep on the system bus. Without a bus there
// are no power events and nothing fails.
class PowerMonitor : public QObject {
    Q_OBJECT
public:
    // suspending true: the system is about to sleep; false: it has woken.
    using Handler = std::function<void(bool suspending)>;
    explicit PowerMonitor(Handler handler);
    bool connected() const { return connected_; }

public slots:
    void prepareForSleep(bool start);

private:
    Handler handler_;
    bool connected_ = false;
};

// The window states the model does not keep, through the renderer's widgets.
class QtWindowSystem final : public app::WindowSystem {
public:
    explicit QtWindowSystem(QtRenderer& renderer) : renderer_(renderer) {}

    void minimise(ui::Window& window) override;
    void maximise(ui::Window& window) override;
    void restore(ui::Window& window) override;
    bool minimised(const ui::Window& window) const override;
    bool maximised(const ui::Window& window) const override;
    void bringToFront(ui::Window& window) override;
    bool trayAvailable() const override;
    ui::Size monitorSize(const ui::Window& window) const override;

private:
    QtRenderer& renderer_;
};

} // namespace morva::qt
