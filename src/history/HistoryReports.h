// SPDX-License-Identifier: GPL-3.0-or-later
// Reports over the stored history: usage per day, the billing period as stored, and the
// tables of connections, days and the period that the command-line tool prints and the
// history window exports, so both give the same bytes.
#pragma once

#include "budget/BillingPeriod.h"
#include "history/HistoryStore.h"
#include "history/ReportTable.h"

#include <QDate>
#include <QList>

#include <optional>

struct DayUsage {
    QDate date;  // a local calendar day
    Usage usage;
};

// Usage per local day from `first` to `last`, both included; a connection over midnight
// counts on each day with what it used on it.
QList<DayUsage> UsagePerDay(HistoryStore& store, const QDate& first, const QDate& last);

// What the stored samples of `period` used, and the plan's volume as they leave it.
PeriodUse StoredPeriodUse(HistoryStore& store, const BillingPeriod& period, double includedMb);

// The period holding `now` (local time) as the history has it: a running connection up
// to its last sample.
PeriodReport StoredPeriodReport(HistoryStore& store, const PeriodLimits& limits,
                                const QDateTime& now);

// One row per connection up at some moment of the local days [from, to] (open ends: all).
ReportTable ConnectionsTable(HistoryStore& store, const std::optional<QDate>& from,
                             const std::optional<QDate>& to);
// One row per local day of [first, last].
ReportTable DaysTable(HistoryStore& store, const QDate& first, const QDate& last);
// The last day the days report covers by default: today, within the period.
QDate DefaultLastDay(const BillingPeriod& period, const QDate& first, const QDate& today);
// One row: the billing period's report.
ReportTable PeriodTable(const PeriodReport& report);
