#pragma once
// The wall clock in whole seconds, and calls at a wall-clock second from the event loop (the pauses
// of playback plans): nothing waits in place, so the window paints and input flows meanwhile.
#include <cstdint>
#include <functional>
#include <map>

#include <QObject>

#include "foundation/platform.h"

namespace lumora {

class QtClock final : public QObject, public Clock {
public:
    ~QtClock() override;

    std::int64_t nowSeconds() const override;
    CallId callAtSecond(std::int64_t second, std::function<void()> due) override;
    void cancelCall(CallId id) override;

    // Calls not yet made.
    std::size_t pendingCalls() const { return calls_.size(); }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Call {
        std::int64_t second = 0;
        std::function<void()> due;
        int timer = 0; // the Qt timer armed for it
    };
    void arm(CallId id, Call& call);

    std::map<CallId, Call> calls_;
    std::map<int, CallId> byTimer_;
    CallId last_ = 0;
};

} // namespace lumora
