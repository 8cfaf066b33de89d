// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the indicator's lines, from the traffic counters.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

struct TrafficCounters;

struct IndicatorLines {
    QString received;  // received MB, and its cost by traffic
    QString sent;      // sent MB, and its cost by traffic
    QString total;     // total MB, and its cost by traffic
    QString speed;     // link speed, bit/s
    QString address;   // local IP address
    QString online;    // time online, and its cost by time
};

// Tariff type 0 adds the traffic costs, 1 the time cost, any other value no cost.
IndicatorLines ComposeIndicatorLines(const TrafficCounters& counters, int32_t tariffType,
                                     const QString& localAddress, const QLocale& locale);

// The time of day `seconds` after midnight in the locale's long time format, hours
// without a leading zero ("1:02:05"). A day or more is preceded by the day count
// ("2 дн. 0:00:10"); a negative duration by a minus sign.
QString OnlineTimeText(int64_t seconds, const QLocale& locale);
