// SPDX-License-Identifier: GPL-3.0-or-later
// A monotonic clock that moves only when the test steps it.
#pragma once

#include "link/MonotonicClock.h"

class SteppingClock final : public MonotonicClock {
public:
    int64_t ElapsedMs() const override { return now_; }
    void Step(int64_t milliseconds) { now_ += milliseconds; }

private:
    int64_t now_ = 1000000;  // any start: sources count from their own creation
};
