// SPDX-License-Identifier: GPL-3.0-or-later
// The billing period's dates, projection and the money left per day.
#include "budget/BillingPeriod.h"

#include "core/Numbers.h"
#include "core/Settings.h"

#include <algorithm>
#include <cmath>

namespace {

// The day a period starts in the month of `anyDay`.
QDate StartIn(const QDate& anyDay, int cycleDay) {
    const QDate first(anyDay.year(), anyDay.month(), 1);
    return first.addDays(std::min(cycleDay, first.daysInMonth()) - 1);
}

constexpr double kSecondsPerDay = 86400.0;

// A hand-edited limit that is negative or not a finite number means none.
double Limit(double value) {
    return std::isfinite(value) && value > 0 ? value : 0;
}

}  // namespace

BillingPeriod PeriodContaining(const QDate& day, int cycleDay) {
    cycleDay = std::clamp(cycleDay, 1, 31);
    QDate start = StartIn(day, cycleDay);
    if (day < start) start = StartIn(day.addMonths(-1), cycleDay);
    return {start, StartIn(start.addMonths(1), cycleDay)};
}

PeriodLimits LimitsOf(const Settings& settings) {
    PeriodLimits limits;
    limits.cycleDay = settings.cycle_day;
    limits.budget = Limit(settings.budget);
    limits.capMb = Limit(settings.cap_mb);
    limits.alerts = settings.alerts == 1;
    limits.currency = settings.currency;
    return limits;
}

PeriodTotals RoundedTotals(const Usage& used) {
    return {RoundHalfEven(used.cost, 2), RoundHalfEven(Megabytes(used), 2)};
}

PeriodReport BuildPeriodReport(const PeriodLimits& limits, const QDateTime& now, const Usage& used,
                               const std::optional<QDateTime>& historyStart) {
    PeriodReport report;
    report.period = PeriodContaining(now.date(), limits.cycleDay);
    report.daysElapsed = int(report.period.start.daysTo(now.date()));
    report.daysLeft = int(now.date().daysTo(report.period.end));
    report.used = used;
    report.budget = limits.budget;
    report.capMb = limits.capMb;

    QDateTime observedFrom = report.period.StartTime();
    if (historyStart && *historyStart > observedFrom) observedFrom = *historyStart;
    const double observed = std::max(double(observedFrom.secsTo(now)), kSecondsPerDay);
    const double remaining = std::max(double(now.secsTo(report.period.EndTime())), 0.0);
    const double scale = 1.0 + remaining / observed;
    report.projectedCost = used.cost * scale;
    report.projectedMb = report.UsedMb() * scale;
    if (limits.budget > 0)
        report.safePerDay = std::max(limits.budget - used.cost, 0.0) / std::max(report.daysLeft, 1);
    return report;
}
