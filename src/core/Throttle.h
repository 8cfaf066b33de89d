// SPDX-License-Identifier: GPL-3.0-or-later
// Lets something happen at most once per interval of a steady clock.
#pragma once

#include <cstdint>
#include <optional>

// A caller that asks on a timer of about the interval is let through at every one of its
// ticks: `slackMs` earlier than a whole interval still counts, so timer jitter never makes
// it skip a tick.
class Throttle {
public:
    Throttle(int64_t intervalMs, int64_t slackMs) : dueAfterMs_(intervalMs - slackMs) {}

    // True before the first Done() and when the last was at least the interval (less the
    // slack) ago; a clock that went back counts as due.
    bool Due(int64_t nowMs) const {
        return !last_ || nowMs < *last_ || nowMs - *last_ >= dueAfterMs_;
    }
    // It happened: the next is due an interval later. A due call that did nothing (nothing
    // to announce) leaves the next one due at once.
    void Done(int64_t nowMs) { last_ = nowMs; }

private:
    int64_t dueAfterMs_;
    std::optional<int64_t> last_;
};
