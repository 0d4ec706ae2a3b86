#pragma once

#include "frontend/qt/qt_event_loop.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_renderer.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morva::qt::test {

inline std::filesystem::path runtimeSkinFolder() {
    return std::filesystem::path(MORVA_RUNTIME_DIR) / "skin";
}

// The toolkit drawn by the Qt renderer on the Qt loop, reading the real skin.
class QtTest : public ::testing::Test {
protected:
    QtTest() {
        host.attach(toolkit, renderer);
        renderer.setSkinFolder(runtimeSkinFolder());
        EXPECT_TRUE(toolkit.setResourcePath(runtimeSkinFolder()));
    }

    // Lets queued work run (posted tasks, notifications, layouts).
    void pump() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        renderer.flushLayout();
    }
    // Waits for a condition, giving up after a generous time.
    bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > timeoutMs) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    // A window whose handler logs "type:sender" for every notification.
    std::unique_ptr<ui::Window> window(const std::string& className = "TestWnd") {
        auto w = std::make_unique<ui::Window>(toolkit);
        w->create(className, "test", {400, 300});
        w->setNotifyHandler([this](const ui::Notification& n) {
            if (n.type != ui::notify::kWindowInit && n.type != ui::notify::kWindowSize) {
                log.push_back(n.type + ":" + n.senderName);
                last = n;
            }
        });
        return w;
    }
    std::vector<std::string> drain() {
        pump();
        return std::exchange(log, {});
    }

    QtEventLoop loop;
    // The host is destroyed before the toolkit it observes.
    ui::Toolkit toolkit{loop, host};
    QtHost host;
    QtRenderer renderer{toolkit};
    std::vector<std::string> log;
    ui::Notification last;
};

} // namespace morva::qt::test
