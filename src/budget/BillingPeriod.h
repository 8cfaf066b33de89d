// SPDX-License-Identifier: GPL-3.0-or-later
// The billing period, its totals and where they are heading: pure arithmetic on dates.
#pragma once

#include "budget/IncludedVolume.h"
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

// The limits of a period as the settings give them; 0 means none.
struct PeriodLimits {
    int cycleDay = 1;
    double budget = 0;  // money per period
    double capMb = 0;   // MB per period
    bool alerts = true;
    QString currency;       // the sign the alerts write after money
    double planFee = 0;     // money per period, whatever the traffic
    double includedMb = 0;  // MB per period the fee covers
};
PeriodLimits LimitsOf(const Settings& settings);

// What the period has used so far, and how far into the plan's included volume.
struct PeriodUse {
    // What was used with the volume's state after it; none given: no volume, no plan.
    PeriodUse(const Usage& used = {}, const IncludedVolume& included = {})
        : used(used), included(included) {}

    Usage used;
    IncludedVolume included;
};

// What a period has used and is billed, as the bus and the script give them: 2 decimals.
struct PeriodTotals {
    double cost = 0;
    double megabytes = 0;
    double bill = 0;
};
PeriodTotals RoundedTotals(const PeriodLimits& limits, const PeriodUse& use);

// The period's bill: the plan's fee and the money of the traffic beyond the included
// volume. Without a plan it is the traffic's money exactly.
double PeriodBill(const PeriodLimits& limits, const PeriodUse& use);

struct PeriodReport {
    BillingPeriod period;
    int daysElapsed = 0;       // whole days before today
    int daysLeft = 0;          // today and the days after it
    Usage used;                // the running connection included
    IncludedVolume included;   // the plan's volume as `used` leaves it
    double bill = 0;           // what the period costs: PeriodBill
    double budget = 0;         // 0: none
    double capMb = 0;          // 0: none
    double projectedCost = 0;  // the bill at the period's end at the pace so far
    double projectedMb = 0;
    std::optional<double> safePerDay;  // money per day left, today included; no budget: none
    std::optional<RunningConnection> running;  // the running program's connection, live

    double UsedMb() const { return Megabytes(used); }
};

// What the period stands at on `today` (local date): its dates, use, bill and limits, without
// the pace and projections (the alerts, checked at every tick, need no more).
PeriodReport PeriodStanding(const PeriodLimits& limits, const QDate& today, const PeriodUse& use);

// The report for the moment `now` (local time): the standing with the pace. The pace is measured
// over the part of the period the history has seen (from `historyStart` when it began later) and
// over at least one day, so an hour's traffic on the first morning is not taken for a whole day's.
// `included`: the plan's volume as `used` leaves it.
PeriodReport BuildPeriodReport(const PeriodLimits& limits, const QDateTime& now, const Usage& used,
                               const std::optional<QDateTime>& historyStart,
                               const IncludedVolume& included = {});
