// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps a tick from starting inside itself: a modal box opened by a tick lets the
// timers fire again while it waits.
#pragma once

class TickGuard {
public:
    explicit TickGuard(bool& running) : running_(running), entered_(!running) {
        if (entered_) running_ = true;
    }
    ~TickGuard() {
        if (entered_) running_ = false;
    }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

    // False when a run of the same tick was already under way: skip this one.
    bool Entered() const { return entered_; }

private:
    bool& running_;
    bool entered_;
};
