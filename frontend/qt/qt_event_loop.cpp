#include "frontend/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

namespace morva::qt {

// A timer costs no object of its own: the devices restart their one-shot timers on every
// lighting refresh, twenty times a second each.
class QtEventLoop::Context final : public QObject {
public:
    explicit Context(QtEventLoop& loop) : loop_(loop) {}

protected:
    void timerEvent(QTimerEvent* event) override { loop_.fire(event->timerId()); }

private:
    QtEventLoop& loop_;
};

QtEventLoop::QtEventLoop() : context_(std::make_unique<Context>(*this)) {}

QtEventLoop::~QtEventLoop() = default;

void QtEventLoop::post(Task task) {
    if (quit_.load()) {
        return;
    }
    // A queued call keeps the order of posting, also across threads.
    QMetaObject::invokeMethod(
        context_.get(),
        [this, t = std::move(task)] {
            if (!quit_.load()) {
                t();
            }
        },
        Qt::QueuedConnection);
}

TimerId QtEventLoop::startTimer(TickMs periodMs, Task callback) {
    const int qtId = context_->startTimer(static_cast<int>(periodMs));
    if (qtId == 0) {
        return 0;
    }
    const TimerId id = nextTimer_++;
    timers_[id] = RunningTimer{qtId, std::make_shared<Task>(std::move(callback))};
    byQtId_[qtId] = id;
    return id;
}

void QtEventLoop::fire(int qtId) {
    const auto known = byQtId_.find(qtId);
    if (known == byQtId_.end()) {
        return;
    }
    const std::shared_ptr<Task> callback = timers_.at(known->second).callback;
    (*callback)();
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) {
        return;
    }
    context_->killTimer(found->second.qtId);
    byQtId_.erase(found->second.qtId);
    timers_.erase(found);
}

const Clock& QtEventLoop::clock() const {
    return RealClock::instance();
}

bool QtEventLoop::isLoopThread() const {
    return QThread::currentThread() == context_->thread();
}

void QtEventLoop::quit() {
    quit_.store(true);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

int QtEventLoop::run() {
    if (quit_.load()) {
        return 0;
    }
    return QCoreApplication::exec();
}

} // namespace morva::qt
