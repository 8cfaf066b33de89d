// SPDX-License-Identifier: GPL-3.0-or-later
// A clock that says what the test tells it.
#pragma once

#include "core/Clock.h"

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2026, 1, 15), QTime(12, 0)))
        : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }
    void Set(QDateTime now) { now_ = std::move(now); }

private:
    QDateTime now_;
};
