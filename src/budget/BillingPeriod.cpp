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

// The bill when the traffic goes on at its pace: `scale` times what it is now. The part
// of the volume still left is covered at the traffic's average money per megabyte so far.
double ProjectedBill(const PeriodLimits& limits, const PeriodUse& use, double scale) {
    const double mb = Megabytes(use.used);
    if (use.included.mbLeft > 0 && use.included.mbLeft >= mb * (scale - 1)) return limits.planFee;
    const double pricePerMb = mb > 0 ? use.used.cost / mb : 0;
    const double covered = use.included.covered + use.included.mbLeft * pricePerMb;
    return limits.planFee + std::max(use.used.cost * scale - covered, 0.0);
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
    limits.planFee = Limit(settings.plan_fee);
    limits.includedMb = Limit(settings.included_mb);
    return limits;
}

double PeriodBill(const PeriodLimits& limits, const PeriodUse& use) {
    // While the volume lasts all the traffic is covered, whatever rounding the steps met.
    const double beyond = use.included.mbLeft > 0 ? 0 : use.used.cost - use.included.covered;
    return limits.planFee + std::max(beyond, 0.0);
}

PeriodTotals RoundedTotals(const PeriodLimits& limits, const PeriodUse& use) {
    return {RoundHalfEven(use.used.cost, 2), RoundHalfEven(Megabytes(use.used), 2),
            RoundHalfEven(PeriodBill(limits, use), 2)};
}

PeriodReport PeriodStanding(const PeriodLimits& limits, const QDate& today, const PeriodUse& use) {
    PeriodReport report;
    report.period = PeriodContaining(today, limits.cycleDay);
    report.daysElapsed = int(report.period.start.daysTo(today));
    report.daysLeft = int(today.daysTo(report.period.end));
    report.used = use.used;
    report.included = use.included;
    report.bill = PeriodBill(limits, use);
    report.budget = limits.budget;
    report.capMb = limits.capMb;
    return report;
}

PeriodReport BuildPeriodReport(const PeriodLimits& limits, const QDateTime& now, const Usage& used,
                               const std::optional<QDateTime>& historyStart,
                               const IncludedVolume& included) {
    const PeriodUse use{used, included};
    PeriodReport report = PeriodStanding(limits, now.date(), use);

    QDateTime observedFrom = report.period.StartTime();
    if (historyStart && *historyStart > observedFrom) observedFrom = *historyStart;
    const double observed = std::max(double(observedFrom.secsTo(now)), kSecondsPerDay);
    const double remaining = std::max(double(now.secsTo(report.period.EndTime())), 0.0);
    const double scale = 1.0 + remaining / observed;
    report.projectedMb = report.UsedMb() * scale;
    report.projectedCost = ProjectedBill(limits, use, scale);
    if (limits.budget > 0)
        report.safePerDay =
            std::max(limits.budget - report.bill, 0.0) / std::max(report.daysLeft, 1);
    return report;
}
