// SPDX-License-Identifier: GPL-3.0-or-later
// A clock that always tells the same time of day, today: for runs with a given time.
#pragma once

#include "core/Clock.h"

#include <QTime>

class PinnedClock final : public Clock {
public:
    explicit PinnedClock(QTime time) : time_(time) {}
    QDateTime Now() const override { return QDateTime(QDate::currentDate(), time_); }

private:
    QTime time_;
};
