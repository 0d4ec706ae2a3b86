#include "frontend/qt/qt_input_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

// The GUI's capture of keys and mouse buttons: native key events become Linux key codes for the
// hook, the hook decides which keys go on, buttons always go on.
namespace morva::qt::test {
namespace {

// A hook that keeps every key but the one it lets through.
class RecordingSink final : public app::InputSink {
public:
    bool keyEvent(const app::NativeKeyEvent& event) override {
        keys.push_back(event);
        return event.keyCode != passedKey;
    }
    void buttonEvent(const app::NativeButtonEvent& event) override { buttons.push_back(event); }

    uint32_t passedKey = 58; // Caps Lock
    std::vector<app::NativeKeyEvent> keys;
    std::vector<app::NativeButtonEvent> buttons;
};

class InputCaptureTest : public ::testing::Test {
protected:
    InputCaptureTest() {
        auto* layout = new QVBoxLayout(&top);
        field = new QLineEdit(&top);
        layout->addWidget(field);
        top.resize(300, 100);
        top.show();
        top.activateWindow();
        field->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
    }

    // A key as the window system delivers it: X11 numbers keys from 8 above the Linux codes.
    void key(QEvent::Type type, Qt::Key qtKey, const QString& text, quint32 linuxCode,
             bool autoRepeat = false) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, linuxCode + 8, 0, 0, text, autoRepeat);
        QApplication::sendEvent(top.windowHandle(), &event);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button) {
        const QPointF local(20, 30);
        QMouseEvent event(type, local, top.mapToGlobal(local.toPoint()), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(top.windowHandle(), &event);
    }

    QWidget top;
    QLineEdit* field = nullptr;
    RecordingSink sink;
    QtInputCapture capture{[this] {
        return &top;
    }};
};

TEST_F(InputCaptureTest, CapturedKeysReachTheHookAsLinuxKeyCodesAndOnlyPassedOnesGoOn) {
    ASSERT_TRUE(capture.start(sink));
    key(QEvent::KeyPress, Qt::Key_A, "a", 30);
    key(QEvent::KeyPress, Qt::Key_A, "a", 30, true); // held: its press repeats
    key(QEvent::KeyRelease, Qt::Key_A, "a", 30, true);
    key(QEvent::KeyRelease, Qt::Key_A, "a", 30);
    key(QEvent::KeyPress, Qt::Key_CapsLock, "", 58);
    ASSERT_EQ(sink.keys.size(), 4u);
    EXPECT_EQ(sink.keys[0].keyCode, 30u);
    EXPECT_TRUE(sink.keys[0].press);
    EXPECT_TRUE(sink.keys[1].press);
    EXPECT_FALSE(sink.keys[2].press);
    EXPECT_EQ(sink.keys[3].keyCode, 58u);
    EXPECT_TRUE(field->text().isEmpty()) << "the kept keys typed nothing";

    capture.stop();
    EXPECT_FALSE(capture.running());
    key(QEvent::KeyPress, Qt::Key_B, "b", 48);
    EXPECT_EQ(sink.keys.size(), 4u);
    EXPECT_EQ(field->text(), "b") << "keys go where they belong again";
}

TEST_F(InputCaptureTest, ButtonsAreReportedWithTheScreenPointAndGoOn) {
    ASSERT_TRUE(capture.start(sink));
    mouse(QEvent::MouseButtonPress, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, Qt::RightButton);
    mouse(QEvent::MouseButtonPress, Qt::BackButton);
    mouse(QEvent::MouseButtonPress, Qt::ForwardButton);
    ASSERT_EQ(sink.buttons.size(), 4u);
    EXPECT_EQ(sink.buttons[0].button, app::PointerButton::Right);
    EXPECT_TRUE(sink.buttons[0].press);
    EXPECT_FALSE(sink.buttons[1].press);
    const QPoint global = top.mapToGlobal(QPoint(20, 30));
    EXPECT_EQ(sink.buttons[0].screen, (ui::Point{global.x(), global.y()}));
    EXPECT_EQ(sink.buttons[2].button, app::PointerButton::Back);
    EXPECT_EQ(sink.buttons[3].button, app::PointerButton::Forward);
}

TEST_F(InputCaptureTest, WithoutAWindowNothingIsCaptured) {
    QtInputCapture windowless{[]() -> QWidget* {
        return nullptr;
    }};
    EXPECT_FALSE(windowless.start(sink));
    key(QEvent::KeyPress, Qt::Key_A, "a", 30);
    EXPECT_TRUE(sink.keys.empty());
    EXPECT_EQ(QtInputCapture::linuxKeyCode(38), 30u);
    EXPECT_EQ(QtInputCapture::linuxKeyCode(0), 0u);
}

} // namespace
} // namespace morva::qt::test
