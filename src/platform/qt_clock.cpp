#include "platform/qt_clock.h"

#include <algorithm>
#include <utility>

#include <QDateTime>
#include <QTimerEvent>

namespace lumora {

QtClock::~QtClock() {
    for (const auto& [timer, id] : byTimer_) killTimer(timer);
}

std::int64_t QtClock::nowSeconds() const { return QDateTime::currentSecsSinceEpoch(); }

Clock::CallId QtClock::callAtSecond(std::int64_t second, std::function<void()> due) {
    const CallId id = ++last_;
    Call& call = calls_[id];
    call.second = second;
    call.due = std::move(due);
    arm(id, call);
    return id;
}

void QtClock::arm(CallId id, Call& call) {
    // The clock is read in whole seconds: the call is due at the first instant the seconds count
    // reaches its second. A timer that fires early (or a clock that moves back) is armed again.
    const qint64 msLeft = call.second * 1000 - QDateTime::currentMSecsSinceEpoch();
    call.timer = startTimer(static_cast<int>(std::clamp<qint64>(msLeft, 0, 1000)), Qt::PreciseTimer);
    byTimer_[call.timer] = id;
}

void QtClock::cancelCall(CallId id) {
    const auto it = calls_.find(id);
    if (it == calls_.end()) return;
    killTimer(it->second.timer);
    byTimer_.erase(it->second.timer);
    calls_.erase(it);
}

void QtClock::timerEvent(QTimerEvent* event) {
    const auto t = byTimer_.find(event->timerId());
    if (t == byTimer_.end()) {
        QObject::timerEvent(event);
        return;
    }
    const CallId id = t->second;
    killTimer(t->first);
    byTimer_.erase(t);
    const auto it = calls_.find(id);
    if (it == calls_.end()) return;
    if (nowSeconds() < it->second.second) {
        arm(id, it->second);
        return;
    }
    std::function<void()> due = std::move(it->second.due);
    calls_.erase(it);
    if (due) due();
}

} // namespace lumora
