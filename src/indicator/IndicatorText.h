// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the indicator's lines, from the traffic counters.
#pragma once

#include "core/TimeOfDay.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

struct TrafficCounters;

struct IndicatorLines {
    QString received;  // received MB, and its cost by traffic
    QString sent;      // sent MB, and its cost by traffic
    QString total;     // total MB, and its cost by traffic
    QString speed;     // link speed, bit/s
    QString address;   // local IP address
    QString online;    // time online, and its cost by time
};

// The indicator's lines, kept from tick to tick: a line is composed again only when a figure
// it shows changed. Most ticks change only some figures (while nothing flows, only the time
// and that once in two ticks), and each figure is formatted in the locale.
class IndicatorComposer {
public:
    // The words are translated here, once.
    explicit IndicatorComposer(const QLocale& locale);

    // Tariff type 0 adds the traffic costs, 1 the time cost, any other value no cost.
    const IndicatorLines& Compose(const TrafficCounters& counters, int32_t tariffType,
                                  const QString& localAddress);

private:
    // What a line shows: its figure, and its cost when it has one.
    struct Shown {
        double figure = 0;
        float cost = 0;
        bool withCost = false;
        bool operator==(const Shown& other) const {
            return figure == other.figure && cost == other.cost && withCost == other.withCost;
        }
    };

    QString LineOf(const QString& word, const QString& figure, const Shown& shown) const;

    QLocale locale_;
    TimeOfDayWriter timeOfDay_;
    QString receivedWord_, sentWord_, totalWord_, speedWord_, onlineWord_;
    std::optional<Shown> received_, sent_, total_, online_;
    std::optional<int64_t> speed_;
    std::optional<QString> address_;
    IndicatorLines lines_;
};

// The time of day `seconds` after midnight in the locale's long time format, hours
// without a leading zero ("1:02:05"). A day or more is preceded by the day count
// ("2 дн. 0:00:10"); a negative duration by a minus sign.
QString OnlineTimeText(int64_t seconds, const TimeOfDayWriter& timeOfDay);
