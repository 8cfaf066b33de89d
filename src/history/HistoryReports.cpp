// SPDX-License-Identifier: GPL-3.0-or-later
// Reports over the stored history.
#include "history/HistoryReports.h"

#include <QCoreApplication>

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

QString Title(const char* source) {
    return QCoreApplication::translate("HistoryReports", source);
}
const char* const kReceived = QT_TRANSLATE_NOOP("HistoryReports", "Принято, МБ");
const char* const kSent = QT_TRANSLATE_NOOP("HistoryReports", "Отправлено, МБ");
const char* const kCost = QT_TRANSLATE_NOOP("HistoryReports", "Стоимость");

}  // namespace

ReportTable ConnectionsTable(HistoryStore& store, const std::optional<QDate>& from,
                             const std::optional<QDate>& to) {
    ReportTable table;
    table.columns = {
        {QStringLiteral("name"), QCoreApplication::translate("HistoryReports", "Соединение"),
         ColumnKind::Text},
        {QStringLiteral("start"), QCoreApplication::translate("HistoryReports", "Начало"),
         ColumnKind::Time},
        {QStringLiteral("end"), QCoreApplication::translate("HistoryReports", "Конец"),
         ColumnKind::Time},
        {QStringLiteral("received_bytes"), Title(kReceived), ColumnKind::Bytes},
        {QStringLiteral("sent_bytes"), Title(kSent), ColumnKind::Bytes},
        {QStringLiteral("online_seconds"), QCoreApplication::translate("HistoryReports", "В сети"),
         ColumnKind::Seconds},
        {QStringLiteral("cost"), Title(kCost), ColumnKind::Money},
        {QStringLiteral("cut_short"), QCoreApplication::translate("HistoryReports", "Прервано"),
         ColumnKind::Flag}};
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
    table.columns = {{QStringLiteral("date"), QCoreApplication::translate("HistoryReports", "Дата"),
                      ColumnKind::Date},
                     {QStringLiteral("received_bytes"), Title(kReceived), ColumnKind::Bytes},
                     {QStringLiteral("sent_bytes"), Title(kSent), ColumnKind::Bytes},
                     {QStringLiteral("cost"), Title(kCost), ColumnKind::Money}};
    for (const DayUsage& day : UsagePerDay(store, first, last))
        table.rows.append({day.date, day.usage.received, day.usage.sent, day.usage.cost});
    return table;
}

ReportTable PeriodTable(const PeriodReport& report) {
    const auto limit = [](double value) { return value > 0 ? ReportValue(value) : ReportValue(); };
    ReportTable table;
    table.columns = {
        {QStringLiteral("start"), QCoreApplication::translate("HistoryReports", "Начало периода"),
         ColumnKind::Date},
        {QStringLiteral("end"), QCoreApplication::translate("HistoryReports", "Конец периода"),
         ColumnKind::Date},
        {QStringLiteral("days_elapsed"),
         QCoreApplication::translate("HistoryReports", "Прошло дней"), ColumnKind::Count},
        {QStringLiteral("days_left"),
         QCoreApplication::translate("HistoryReports", "Осталось дней"), ColumnKind::Count},
        {QStringLiteral("received_bytes"), Title(kReceived), ColumnKind::Bytes},
        {QStringLiteral("sent_bytes"), Title(kSent), ColumnKind::Bytes},
        {QStringLiteral("cost"), Title(kCost), ColumnKind::Money},
        {QStringLiteral("budget"), QCoreApplication::translate("HistoryReports", "Бюджет"),
         ColumnKind::Money},
        {QStringLiteral("cap_mb"), QCoreApplication::translate("HistoryReports", "Лимит, МБ"),
         ColumnKind::Megabytes},
        {QStringLiteral("projected_cost"),
         QCoreApplication::translate("HistoryReports", "Прогноз стоимости"), ColumnKind::Money},
        {QStringLiteral("projected_mb"),
         QCoreApplication::translate("HistoryReports", "Прогноз, МБ"), ColumnKind::Megabytes},
        {QStringLiteral("safe_per_day"),
         QCoreApplication::translate("HistoryReports", "Можно тратить в день"), ColumnKind::Money}};
    table.rows.append({report.period.start, report.period.LastDay(), int64_t(report.daysElapsed),
                       int64_t(report.daysLeft), report.used.received, report.used.sent,
                       report.used.cost, limit(report.budget), limit(report.capMb),
                       report.projectedCost, report.projectedMb,
                       report.safePerDay ? ReportValue(*report.safePerDay) : ReportValue()});
    return table;
}
