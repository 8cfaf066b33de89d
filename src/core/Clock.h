// SPDX-License-Identifier: GPL-3.0-or-later
// The local date and time, behind a seam so that tests can fix it.
#pragma once

#include <QDateTime>

#include <ctime>

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;                        // local date and time
    virtual int Hour() const { return Now().time().hour(); }  // of the local day, 0 to 23
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    // Asked at every sampling tick: the C library answers it without Qt's conversions, in
    // the same zone.
    int Hour() const override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        return localtime_r(&now, &local) ? local.tm_hour : Now().time().hour();
    }
};
