#pragma once

#include "app/input_capture.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace morva::qt {

// The input capture of the GUI: the program's window takes the keyboard (an active grab, so no
// other program gets keys meanwhile), and an application-wide filter hands every key and mouse
// button to the sink before any widget sees it. Keys the sink keeps go no further; buttons go on.
// A key is known by the native scan code of the window system, the Linux key code plus 8.
class QtInputCapture final : public QObject, public app::InputCapture {
public:
    // The widget that takes the keyboard (the main window's); asked at each start.
    using GrabberSource = std::function<QWidget*()>;
    explicit QtInputCapture(GrabberSource grabber) : grabber_(std::move(grabber)) {}
    ~QtInputCapture() override { stop(); }

    bool start(app::InputSink& sink) override;
    void stop() override;
    bool running() const { return sink_ != nullptr; }

    // The Linux key code of a window-system scan code (none below 8).
    static uint32_t linuxKeyCode(quint32 nativeScanCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool onKey(const QEvent& event);
    void onButton(const QEvent& event);

    GrabberSource grabber_;
    QPointer<QWidget> grabbing_;
    app::InputSink* sink_ = nullptr;
};

} // namespace morva::qt
