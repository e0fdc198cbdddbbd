#include "platform/qt_clock.h"

#include <algorithm>

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace lumora {

std::int64_t QtClock::nowSeconds() const { return QDateTime::currentSecsSinceEpoch(); }

void QtClock::waitSeconds(int n) {
    if (n <= 0) return;
    const std::int64_t target = nowSeconds() + n;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The clock is read in whole seconds: the pause ends at the first instant the seconds count
    // reaches the target. A timer that fires early (or a clock that moves back) arms it again.
    while (nowSeconds() < target) {
        const qint64 msLeft = target * 1000 - QDateTime::currentMSecsSinceEpoch();
        timer.start(static_cast<int>(std::clamp<qint64>(msLeft, 1, 1000)));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace lumora
