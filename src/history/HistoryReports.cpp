// Reports over the stored history.
#include "history/HistoryReports.h"

QList<DayUsage> UsagePerDay(HistoryStore& store, const QDate& first, const QDate& last) {
    QList<QDateTime> midnights;
    for (QDate day = first; day <= last.addDays(1); day = day.addDays(1))
        midnights.append(day.startOfDay());
    const QList<Usage> spans = store.UsageBySpans(midnights);
    QList<DayUsage> days;
    for (qsizetype i = 0; i < spans.size(); ++i) days.append({first.addDays(i), spans[i]});
    return days;
}

PeriodReport StoredPeriodReport(HistoryStore& store, const PeriodLimits& limits,
                                const QDateTime& now) {
    const BillingPeriod period = PeriodContaining(now.date(), limits.cycleDay);
    return BuildPeriodReport(limits, now, store.UsageBetween(period.StartTime(), period.EndTime()),
                             store.FirstStart());
}
