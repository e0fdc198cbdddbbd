#pragma once
// The wall clock in whole seconds, and pauses that wait in a local event loop: the window keeps
// repainting and timers keep running, but user input waits until the pause is over.
#include "foundation/platform.h"

namespace lumora {

class QtClock final : public Clock {
public:
    std::int64_t nowSeconds() const override;
    void waitSeconds(int n) override;
};

} // namespace lumora
