// SPDX-License-Identifier: GPL-3.0-or-later
// Milliseconds on a clock that never goes back, behind a seam so that tests can step it.
#pragma once

#include <chrono>
#include <cstdint>

class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual int64_t ElapsedMs() const = 0;  // milliseconds since some fixed moment
};

class SteadyClock final : public MonotonicClock {
public:
    int64_t ElapsedMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};
