// SPDX-License-Identifier: GPL-3.0-or-later
// The local date and time, behind a seam so that tests can fix it.
#pragma once

#include <QDateTime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;  // local date and time
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};
