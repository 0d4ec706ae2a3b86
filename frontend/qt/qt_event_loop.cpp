#include "frontend/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace morva::qt {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() {
    for (auto& [id, timer] : timers_) {
        delete timer;
    }
}

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
    const TimerId id = nextTimer_++;
    auto* timer = new QTimer(context_.get());
    timer->setInterval(static_cast<int>(periodMs));
    QObject::connect(timer, &QTimer::timeout, context_.get(), [cb = std::move(callback)] { cb(); });
    timers_[id] = timer;
    timer->start();
    return id;
}

void QtEventLoop::stopTimer(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) {
        return;
    }
    found->second->stop();
    // The callback may be running (a timer stopping itself): delete later.
    found->second->deleteLater();
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
