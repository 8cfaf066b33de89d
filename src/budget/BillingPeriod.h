// SPDX-License-Identifier: GPL-3.0-or-later
// The billing period, its totals and where they are heading: pure arithmetic on dates.
#pragma once

#include "history/HistoryTypes.h"

#include <QDate>
#include <QDateTime>

#include <optional>

struct Settings;

inline constexpr double kBytesPerMb = 1048576.0;

// The period's days: from `start` up to, not including, `end` (the next period's start).
struct BillingPeriod {
    QDate start;
    QDate end;

    QDate LastDay() const { return end.addDays(-1); }
    int Days() const { return int(start.daysTo(end)); }
    QDateTime StartTime() const { return start.startOfDay(); }  // local midnight
    QDateTime EndTime() const { return end.startOfDay(); }
};

// The period holding `day` when periods start on `cycleDay` of each month. A cycle day
// past a month's end is that month's last day; values outside 1..31 count as 1 or 31.
BillingPeriod PeriodContaining(const QDate& day, int cycleDay);

inline double Megabytes(const Usage& used) {
    return double(used.Total()) / kBytesPerMb;
}

// What a period has used as the bus and the script give it: money and MB to 2 decimals.
struct PeriodTotals {
    double cost = 0;
    double megabytes = 0;
};
PeriodTotals RoundedTotals(const Usage& used);

// The limits of a period as the settings give them; 0 means none.
struct PeriodLimits {
    int cycleDay = 1;
    double budget = 0;  // money per period
    double capMb = 0;   // MB per period
    bool alerts = true;
    QString currency;  // the sign the alerts write after money
};
PeriodLimits LimitsOf(const Settings& settings);

struct PeriodReport {
    BillingPeriod period;
    int daysElapsed = 0;       // whole days before today
    int daysLeft = 0;          // today and the days after it
    Usage used;                // the running connection included
    double budget = 0;         // 0: none
    double capMb = 0;          // 0: none
    double projectedCost = 0;  // money at the period's end at the pace so far
    double projectedMb = 0;
    std::optional<double> safePerDay;  // money per day left, today included; no budget: none
    std::optional<RunningConnection> running;  // the running program's connection, live

    double UsedMb() const { return Megabytes(used); }
};

// The report for the moment `now` (local time). The pace is measured over the part of
// the period the history has seen (from `historyStart` when it began later) and over at
// least one day, so an hour's traffic on the first morning is not taken for a whole day's.
PeriodReport BuildPeriodReport(const PeriodLimits& limits, const QDateTime& now, const Usage& used,
                               const std::optional<QDateTime>& historyStart);
