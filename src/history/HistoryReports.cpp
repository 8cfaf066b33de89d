// SPDX-License-Identifier: GPL-3.0-or-later
// Reports over the stored history.
#include "history/HistoryReports.h"

#include <algorithm>

QList<DayUsage> UsagePerDay(HistoryStore& store, const QDate& first, const QDate& last) {
    QList<QDateTime> midnights;
    for (QDate day = first; day <= last.addDays(1); day = day.addDays(1))
        midnights.append(day.startOfDay());
    const QList<Usage> spans = store.UsageBySpans(midnights);
    QList<DayUsage> days;
    for (qsizetype i = 0; i < spans.size(); ++i) days.append({first.addDays(i), spans[i]});
    return days;
}

PeriodUse StoredPeriodUse(HistoryStore& store, const BillingPeriod& period, double includedMb) {
    PeriodUse use{store.UsageBetween(period.StartTime(), period.EndTime()),
                  IncludedVolume::Of(includedMb)};
    // Without a volume the steps are not read: a period's samples are many.
    if (includedMb <= 0) return use;
    if (const auto steps = store.StepsBetween(period.StartTime(), period.EndTime()))
        for (const Usage& step : *steps) use.included.Take(step);
    return use;
}

PeriodReport StoredPeriodReport(HistoryStore& store, const PeriodLimits& limits,
                                const QDateTime& now) {
    const BillingPeriod period = PeriodContaining(now.date(), limits.cycleDay);
    const PeriodUse use = StoredPeriodUse(store, period, limits.includedMb);
    return BuildPeriodReport(limits, now, use.used, store.FirstStart(), use.included);
}

namespace {

const QString kReceived = QStringLiteral("Принято, МБ");
const QString kSent = QStringLiteral("Отправлено, МБ");
const QString kCost = QStringLiteral("Стоимость");

}  // namespace

ReportTable ConnectionsTable(HistoryStore& store, const std::optional<QDate>& from,
                             const std::optional<QDate>& to) {
    ReportTable table;
    table.columns = {
        {QStringLiteral("name"), QStringLiteral("Соединение"), ColumnKind::Text},
        {QStringLiteral("start"), QStringLiteral("Начало"), ColumnKind::Time},
        {QStringLiteral("end"), QStringLiteral("Конец"), ColumnKind::Time},
        {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
        {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
        {QStringLiteral("online_seconds"), QStringLiteral("В сети"), ColumnKind::Seconds},
        {QStringLiteral("cost"), kCost, ColumnKind::Money},
        {QStringLiteral("cut_short"), QStringLiteral("Прервано"), ColumnKind::Flag}};
    const QDateTime fromTime =
        from ? from->startOfDay() : QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    const QDateTime toTime =
        to ? to->addDays(1).startOfDay() : QDateTime(QDate(9999, 1, 1), QTime(0, 0), Qt::UTC);
    for (const ConnectionRecord& row : store.Connections(fromTime, toTime)) {
        const ReportValue end = row.Open() ? ReportValue() : ReportValue(row.end);
        table.rows.append({row.name, row.start, end, row.figures.usage.received,
                           row.figures.usage.sent, row.figures.onlineSeconds,
                           row.figures.usage.cost, row.cutShort});
    }
    return table;
}

QDate DefaultLastDay(const BillingPeriod& period, const QDate& first, const QDate& today) {
    return std::max(first, std::min(today, period.LastDay()));
}

ReportTable DaysTable(HistoryStore& store, const QDate& first, const QDate& last) {
    ReportTable table;
    table.columns = {{QStringLiteral("date"), QStringLiteral("Дата"), ColumnKind::Date},
                     {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
                     {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
                     {QStringLiteral("cost"), kCost, ColumnKind::Money}};
    for (const DayUsage& day : UsagePerDay(store, first, last))
        table.rows.append({day.date, day.usage.received, day.usage.sent, day.usage.cost});
    return table;
}

ReportTable PeriodTable(const PeriodReport& report) {
    const auto limit = [](double value) { return value > 0 ? ReportValue(value) : ReportValue(); };
    ReportTable table;
    table.columns = {
        {QStringLiteral("start"), QStringLiteral("Начало периода"), ColumnKind::Date},
        {QStringLiteral("end"), QStringLiteral("Конец периода"), ColumnKind::Date},
        {QStringLiteral("days_elapsed"), QStringLiteral("Прошло дней"), ColumnKind::Count},
        {QStringLiteral("days_left"), QStringLiteral("Осталось дней"), ColumnKind::Count},
        {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
        {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
        {QStringLiteral("cost"), kCost, ColumnKind::Money},
        {QStringLiteral("budget"), QStringLiteral("Бюджет"), ColumnKind::Money},
        {QStringLiteral("cap_mb"), QStringLiteral("Лимит, МБ"), ColumnKind::Megabytes},
        {QStringLiteral("projected_cost"), QStringLiteral("Прогноз стоимости"), ColumnKind::Money},
        {QStringLiteral("projected_mb"), QStringLiteral("Прогноз, МБ"), ColumnKind::Megabytes},
        {QStringLiteral("safe_per_day"), QStringLiteral("Можно тратить в день"),
         ColumnKind::Money}};
    table.rows.append({report.period.start, report.period.LastDay(), int64_t(report.daysElapsed),
                       int64_t(report.daysLeft), report.used.received, report.used.sent,
                       report.used.cost, limit(report.budget), limit(report.capMb),
                       report.projectedCost, report.projectedMb,
                       report.safePerDay ? ReportValue(*report.safePerDay) : ReportValue()});
    return table;
}
